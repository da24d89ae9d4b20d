#include "illegal_slots.h"

namespace ks::illegal {

void* Create(unsigned) { return nullptr; }
void* Delete(void*, unsigned) { return nullptr; }
unsigned Store(void*, const void*, unsigned char, unsigned) { return 0; }
unsigned Load(void*, const void*, unsigned char, unsigned) { return 0; }
unsigned NullSizeGet(unsigned) { return 0; }
unsigned SizeGet(const void*, unsigned char, unsigned char, unsigned) { return 0; }
unsigned SizeGetFromMemFile(MemFile*, unsigned char, unsigned) { return 0; }
int Compare(unsigned char, unsigned, void*, unsigned, void*, unsigned short, unsigned, int&) { return 0; }
float EvalAndBound(KsIdxBounds*, unsigned short&, void*, unsigned char, unsigned, KsIdxBounds*) { return 0.0f; }
unsigned Hash(unsigned char, unsigned, void*, unsigned, int&) { return 0; }
KsTypeConvertData* ConvertToKsString(void*, unsigned) { return nullptr; }
void* ConvertFromKsString(KsTypeConvertData*, unsigned) { return nullptr; }
void Constructor(void*, unsigned, unsigned) {}
void Destructor(void*, unsigned, unsigned) {}
void Assignment(void*, void*, unsigned, int) {}
void Copy(void*, void*, unsigned, int) {}
unsigned Translate(void*, unsigned char, unsigned, void*, unsigned char, unsigned, unsigned) { return 0; }
int IsNull(void*) { return 0; }
KsString& PrintToString(KsString& out, void*, const char*, unsigned) { return out; }
void* ScanFromString(void*, KsString&, const char*, unsigned) { return nullptr; }
void* DefaultValue(unsigned, int) { return nullptr; }
int GetValue(void*, unsigned, unsigned char, unsigned char) { return KS_NOT_SUPPORTED; }
int SetNullNotBuilt(void*) { return KS_NOT_SUPPORTED; }

}  // namespace ks::illegal
