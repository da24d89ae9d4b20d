// Slot functions of the illegal descriptor (id 46, and every reserved or
// out-of-table id): each does nothing and answers zero, so that any operation
// on such an id is harmless.
//
// Until a type's own slot functions exist, its row points at these too; the
// type-table test lists every such slot.
#pragma once

#include "ksslots.h"

namespace ks::illegal {

void* Create(unsigned count);
void* Delete(void* values, unsigned count);
unsigned Store(void* dst, const void* src, unsigned char format, unsigned count);
unsigned Load(void* dst, const void* src, unsigned char format, unsigned count);
unsigned NullSizeGet(unsigned count);
unsigned SizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
unsigned SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
// Leaves status unwritten.
int Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
            unsigned short cmpOp, unsigned count, int& status);
float EvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* value, unsigned char format, unsigned count,
                   KsIdxBounds* outBounds);
// Leaves status unwritten.
unsigned Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status);
KsTypeConvertData* ConvertToKsString(void* values, unsigned count);
void* ConvertFromKsString(KsTypeConvertData* record, unsigned count);
void Constructor(void* memory, unsigned count, unsigned);
void Destructor(void* memory, unsigned count, unsigned);
void Assignment(void* dst, void* src, unsigned count, int broadcast);
void Copy(void* dst, void* src, unsigned count, int broadcast);
unsigned Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src, unsigned char srcFormat,
                   unsigned srcLen, unsigned count);
int IsNull(void* value);
KsString& PrintToString(KsString& out, void* values, const char* format, unsigned count);
void* ScanFromString(void* values, KsString& in, const char* format, unsigned count);
void* DefaultValue(unsigned count, int asNull);
// -2999 for every operation.
int GetValue(void* value, unsigned count, unsigned char format, unsigned char op);

// Placeholder for the SetNull slot of a type that has a null value whose
// setter is not written yet: answers -2999 ("cannot"), and keeps the slot
// non-empty so that the type still reports null support.
int SetNullNotBuilt(void* value);

}  // namespace ks::illegal
