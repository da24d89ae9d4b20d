// KsInt64 division: the one worker behind / and %, written for the divisors
// that native division cannot take.
#include "basesvc.h"
#include "ksint64.h"

namespace {

constexpr uint64_t kMinimumBits = uint64_t{1} << 63;

uint64_t Magnitude(uint64_t bits, bool negative) {
  return negative ? 0 - bits : bits;
}

}  // namespace

KsInt64 KsInt64::Division(const KsInt64& divisor, int wantRemainder) const {
  const bool dividendNegative = high < 0;
  const bool divisorNegative = divisor.high < 0;
  const bool resultNegative = wantRemainder ? dividendNegative : dividendNegative != divisorNegative;

  // The magnitude of the minimum value does not fit: divide the maximum
  // instead and correct the remainder by one afterwards.
  uint64_t dividend = Magnitude(Bits(), dividendNegative);
  const bool corrected = dividend == kMinimumBits;
  if (corrected) dividend = kMinimumBits - 1;
  // The minimum value's own magnitude stays 2^63 here, unsigned.
  const uint64_t magnitude = Magnitude(divisor.Bits(), divisorNegative);

  uint64_t quotient = 0;
  uint64_t remainder = 0;
  if (magnitude == kMinimumBits) {
    remainder = dividend;
  } else if (magnitude == 0) {
    KESO_assert("KsInt64 divide by zero", "src/ksint64", 748);
  } else {
    quotient = dividend / magnitude;
    remainder = dividend % magnitude;
  }
  if (corrected) {
    ++remainder;
    if (remainder == magnitude) {
      ++quotient;
      remainder = 0;
    }
  }
  const uint64_t result = wantRemainder ? remainder : quotient;
  return FromBits(resultNegative ? 0 - result : result);
}
