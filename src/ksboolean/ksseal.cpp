// KsSeal: the 48-bit stamp and its conversions to integers, object numbers
// and text.
#include "ksboolean.h"
#include "ksobjid.h"
#include "ksstring.h"

namespace {

constexpr uint64_t kStampMask = (uint64_t{1} << 48) - 1;

KsSeal FromStamp(uint64_t stamp) {
  return KsSeal(static_cast<uint16_t>(stamp >> 32), static_cast<uint16_t>(stamp >> 16),
                static_cast<uint16_t>(stamp));
}

uint64_t StampOf(const KsSeal& seal) {
  return uint64_t{seal.high} << 32 | uint64_t{seal.middle} << 16 | seal.low;
}

}  // namespace

int KsSeal::operator!=(const KsSeal& other) const {
  if (high != other.high) return int{high} - int{other.high};
  if (middle != other.middle) return int{middle} - int{other.middle};
  return int{low} - int{other.low};
}

void KsSeal::ConvertFrom(const KsInt64& number) {
  *this = FromStamp(number.GetU8b() & kStampMask);
}

void KsSeal::ConvertFrom(const long long& number) {
  *this = FromStamp(static_cast<uint64_t>(number) & kStampMask);
}

void KsSeal::ConvertFrom(const KsObjId& id) {
  *this = FromStamp(uint64_t{id.objectHigh} << 32 | id.objectLow);
}

void KsSeal::ConvertTo(KsInt64& number) const {
  number = static_cast<unsigned long long>(StampOf(*this));
}

void KsSeal::ConvertTo(long long& number) const {
  number = static_cast<long long>(StampOf(*this));
}

KsString& KsSeal::PrintToKsString(KsString& out) const {
  KsInt64 number;
  ConvertTo(number);
  return number.PrintToKsString(out, "%S");
}

void KsSeal::ScanFromKsString(const KsString& in) {
  *this = KsSeal();
  if (in.IsEmpty()) return;
  KsInt64 number;
  number.ScanFromKsString(in, "%S");
  ConvertFrom(number);
}
