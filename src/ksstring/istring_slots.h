// Type slots of KsIString (id 20) and KsCaseIString (id 21).
//
// Stored form of count values: one flag byte (1 when the format byte has
// bits above its low nibble, else 0x40), a 16-bit total T of the text bytes
// (terminators included, in the format's byte order), then the count
// zero-terminated texts. The flag byte is the values' flags when loaded.
#pragma once

#include <cstddef>

#include "ksistring.h"
#include "ksslots.h"
#include "kstypes/class_slots.h"
#include "kstypes/primitive_getvalue.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/typedesc.h"

namespace ksstring {

template <KsFolding F>
struct IStringSlots {
  using Value = KsFoldedString<F>;
  static unsigned Store(void* dst, const void* src, unsigned char format, unsigned count);
  static unsigned Load(void* dst, const void* src, unsigned char format, unsigned count);
  static unsigned NullSizeGet(unsigned count);
  static unsigned SizeGet(const void* value, unsigned char srcFormat, unsigned char format, unsigned count);
  static unsigned SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
  // With cmpOp 0x100 or 0x10 the folded comparison; otherwise the second
  // value is a pattern ('*', '?', backslash escapes). Cut stored texts
  // compare as far as they go (status 2101); a cut of 254 bytes or more that
  // does not match the block gives status -2999 and -1.
  static int Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                     unsigned short cmpOp, unsigned count, int& status);
  // Always 0.
  static unsigned Hash(unsigned char format, unsigned len, void* values, unsigned count, int& status);
  static unsigned Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                            unsigned char srcFormat, unsigned srcLen, unsigned count);
  static KsString& PrintToString(KsString& out, void* values, const char* format, unsigned count);
  static void* ScanFromString(void* values, KsString& in, const char* format, unsigned count);
  static KsTypeConvertData* ConvertToKsString(void* values, unsigned count);
  static void* ConvertFromKsString(KsTypeConvertData* record, unsigned count);
  static void* DefaultValue(unsigned count, int asNull);
};

// The extent of count stored values for KsTypeMgr::LoadChecked: the block
// header, then a total of exactly count zero-terminated texts. The flag
// byte is taken as it stands.
bool IStringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count,
                         size_t& extent);

extern template struct IStringSlots<KsFolding::Accents>;
extern template struct IStringSlots<KsFolding::CaseAndAccents>;

template <KsFolding F>
constexpr KsTypeDescriptor IStringRow(KsTypeDescriptor d) {
  using Slots = IStringSlots<F>;
  ks::SetClassMemorySlots<KsFoldedString<F>>(d);
  d.store = Slots::Store;
  d.load = Slots::Load;
  d.nullSizeGet = Slots::NullSizeGet;
  d.sizeGet = Slots::SizeGet;
  d.sizeGetFromMemFile = Slots::SizeGetFromMemFile;
  d.compare = F == KsFolding::Accents ? KsIStringCompare : KsCaseIStringCompare;
  d.hash = Slots::Hash;
  d.convertToKsString = Slots::ConvertToKsString;
  d.convertFromKsString = Slots::ConvertFromKsString;
  d.translate = Slots::Translate;
  d.isNull = ks::NeverNull;
  d.setNull = nullptr;
  d.printToString = Slots::PrintToString;
  d.scanFromString = Slots::ScanFromString;
  d.defaultValue = Slots::DefaultValue;
  d.getValue = ks::NoGetValue;
  return d;
}

}  // namespace ksstring
