#include "ksint64/ksint64_slots.h"

#include "basesvc.h"
#include "ksint64.h"
#include "ksstring.h"
#include "kstypes/class_generator.h"
#include "kstypes/class_text_records.h"
#include "kstypes/class_translate.h"

namespace ks {
namespace {

constexpr unsigned kStoredSize = 8;
static_assert(sizeof(KsInt64) == kStoredSize);

void PrintDecimal(const KsInt64& value, KsString& text) {
  value.PrintToKsString(text);
}

void ScanDecimal(KsInt64& value, const KsString* text) {
  if (text != nullptr) value.ScanFromKsString(*text);
}

void StartAtZero(KsInt64& value) {
  value = 0;
}

bool Increment(KsInt64& value) {
  const KsInt64 next = value + 1;
  if (!(next > value)) return false;
  value = next;
  return true;
}

}  // namespace

unsigned Int64Store(void* dst, const void* src, unsigned char format, unsigned count) {
  // The two words of a value lie in memory in stored order, so the whole
  // array converts as 2 * count independent 32-bit words.
  LongStore(dst, src, format & 15, 2 * count);
  return count * kStoredSize;
}

unsigned Int64NullSizeGet(unsigned count) {
  return count * kStoredSize;
}

unsigned Int64SizeGet(const void*, unsigned char, unsigned char, unsigned count) {
  return count * kStoredSize;
}

unsigned Int64SizeGetFromMemFile(MemFile*, unsigned char, unsigned count) {
  return count * kStoredSize;
}

unsigned Int64Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                        unsigned char srcFormat, unsigned srcLen, unsigned count) {
  return ClassTranslate<KsInt64, Int64Store, Int64Store>(dst, dstFormat, dstLen, src, srcFormat, srcLen,
                                                         count);
}

KsTypeConvertData* Int64ConvertToKsString(void* values, unsigned count) {
  return ClassToTexts<KsInt64, PrintDecimal>(values, count);
}

void* Int64ConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ClassFromTexts<KsInt64, ScanDecimal>(record, count);
}

void* Int64DefaultValue(unsigned count, int asNull) {
  return ClassDefaultValue<KsInt64, Int64ConvertFromKsString, false>(count, asNull);
}

int Int64GetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  return ClassGetValue<KsInt64, StartAtZero, Increment>(value, count, format, op);
}

}  // namespace ks
