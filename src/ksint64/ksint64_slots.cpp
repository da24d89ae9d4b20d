#include "ksint64/ksint64_slots.h"

#include "basesvc.h"
#include "ksint64.h"
#include "ksstring.h"

namespace ks {

static_assert(sizeof(KsInt64) == kInt64StoredSize);

unsigned Int64Store(void* dst, const void* src, unsigned char format, unsigned count) {
  // The two words of a value lie in memory in stored order, so the whole
  // array converts as 2 * count independent 32-bit words.
  LongStore(dst, src, format & 15, 2 * count);
  return count * kInt64StoredSize;
}

void Int64Text(const KsInt64& value, KsString& text) {
  value.PrintToKsString(text);
}

void Int64FromText(KsInt64& value, const KsString* text) {
  if (text != nullptr) value.ScanFromKsString(*text);
}

bool Int64Next(KsInt64& value) {
  const KsInt64 next = value + 1;
  if (!(next > value)) return false;
  value = next;
  return true;
}

}  // namespace ks
