// KsInt64: the signed 64-bit integer value of the type manager (type id 26).
//
// The value is two 32-bit words, the low word (unsigned) first and the high
// word (signed, carrying the sign) second; stored data keep that order. All
// arithmetic wraps modulo 2^64 and nothing traps: the minimum value divided
// by -1 is the minimum value, and a division by zero reports
// "KsInt64 divide by zero" through KESO_assert and yields 0.
//
// The operators that native 64-bit arithmetic answers exactly are inline, so
// that loops over values run at the speed of plain integers; division keeps
// its two awkward divisors (0 and -1) out of line.
#pragma once

#include <cstdint>

#include "ksexport.h"

class KsString;

class KS_API KsInt64 {
 public:
  KsInt64() : low(0), high(0) {}
  KsInt64(const KsInt64& other) = default;
  KsInt64(int value) { SetBits(static_cast<uint64_t>(static_cast<int64_t>(value))); }
  KsInt64(unsigned int value) : low(value), high(0) {}
  KsInt64(unsigned int lowWord, int highWord) : low(lowWord), high(highWord) {}
  KsInt64(long long value) { SetBits(static_cast<uint64_t>(value)); }
  KsInt64(unsigned long long value) { SetBits(value); }
  // int64_t, uint64_t and size_t are long and unsigned long here, and so is
  // every integer literal beyond int: they take the 64-bit forms above.
  KsInt64(long value) : KsInt64(static_cast<long long>(value)) {}
  KsInt64(unsigned long value) : KsInt64(static_cast<unsigned long long>(value)) {}
  // Truncates toward zero the argument rounded to seven significant digits;
  // magnitudes beyond the largest double below 2^63 give +-9223372036854775807.
  KsInt64(double value);

  KsInt64& operator=(const KsInt64& other) = default;
  KsInt64& operator=(int value) { return *this = KsInt64(value); }
  KsInt64& operator=(unsigned int value) { return *this = KsInt64(value); }
  KsInt64& operator=(long long value) { return *this = KsInt64(value); }
  KsInt64& operator=(unsigned long long value) { return *this = KsInt64(value); }
  KsInt64& operator=(long value) { return *this = KsInt64(value); }
  KsInt64& operator=(unsigned long value) { return *this = KsInt64(value); }

  // Arithmetic, modulo 2^64.
  KsInt64 operator+(const KsInt64& other) const { return FromBits(Bits() + other.Bits()); }
  KsInt64 operator-(const KsInt64& other) const { return FromBits(Bits() - other.Bits()); }
  KsInt64 operator*(const KsInt64& other) const { return FromBits(Bits() * other.Bits()); }
  KsInt64 operator/(const KsInt64& divisor) const {
    if (IsPlainDivisor(divisor)) return KsInt64(Get8b() / divisor.Get8b());
    return Division(divisor, 0);
  }
  KsInt64 operator%(const KsInt64& divisor) const {
    if (IsPlainDivisor(divisor)) return KsInt64(Get8b() % divisor.Get8b());
    return Division(divisor, 1);
  }
  KsInt64 operator&(const KsInt64& other) const { return FromBits(Bits() & other.Bits()); }
  KsInt64 operator|(const KsInt64& other) const { return FromBits(Bits() | other.Bits()); }
  KsInt64 operator-() const { return FromBits(0 - Bits()); }
  KsInt64 operator~() const { return FromBits(~Bits()); }
  // Shifting by 64 or more moves every bit out: << gives 0, >> gives 0 or -1.
  KsInt64 operator<<(unsigned int count) const { return FromBits(count >= 64 ? 0 : Bits() << count); }
  KsInt64 operator>>(unsigned int count) const {
    const int64_t value = Get8b();
    return KsInt64(static_cast<long long>(value >> (count >= 64 ? 63 : count)));
  }

  // Compound forms change the object and return a copy of the new value.
  KsInt64 operator+=(const KsInt64& other) { return *this = *this + other; }
  KsInt64 operator-=(const KsInt64& other) { return *this = *this - other; }
  KsInt64 operator*=(const KsInt64& other) { return *this = *this * other; }
  KsInt64 operator/=(const KsInt64& divisor) { return *this = *this / divisor; }
  KsInt64 operator%=(const KsInt64& divisor) { return *this = *this % divisor; }
  KsInt64 operator<<=(unsigned int count) { return *this = *this << count; }
  KsInt64 operator>>=(unsigned int count) { return *this = *this >> count; }
  KsInt64 operator++() { return *this = *this + KsInt64(1); }
  KsInt64 operator--() { return *this = *this - KsInt64(1); }

  // The magnitude; the minimum value stays the minimum value.
  KsInt64 Abs() const { return high < 0 ? -*this : *this; }

  // Quotient (wantRemainder 0) or remainder (non-zero), truncating toward
  // zero; the remainder takes the sign of the dividend.
  KsInt64 Division(const KsInt64& divisor, int wantRemainder) const;

  // Signed 64-bit order; each returns 1 or 0.
  int operator==(const KsInt64& other) const { return Bits() == other.Bits(); }
  int operator!=(const KsInt64& other) const { return Bits() != other.Bits(); }
  int operator<(const KsInt64& other) const { return Get8b() < other.Get8b(); }
  int operator<=(const KsInt64& other) const { return Get8b() <= other.Get8b(); }
  int operator>(const KsInt64& other) const { return Get8b() > other.Get8b(); }
  int operator>=(const KsInt64& other) const { return Get8b() >= other.Get8b(); }

  long long Get8b() const { return static_cast<long long>(Bits()); }
  unsigned long long GetU8b() const { return Bits(); }
  uint32_t LowWord() const { return low; }
  int32_t HighWord() const { return high; }

  // Appends the value to out under format (null: "%S"); returns out.
  KsString& PrintToKsString(KsString& out, const char* format = nullptr) const;
  // Sets the value from in under format (null: "%S"); -1 when the text does
  // not fit the format.
  void ScanFromKsString(const KsString& in, const char* format = nullptr);

 private:
  uint64_t Bits() const { return (static_cast<uint64_t>(static_cast<uint32_t>(high)) << 32) | low; }
  void SetBits(uint64_t bits) {
    low = static_cast<uint32_t>(bits);
    high = static_cast<int32_t>(static_cast<uint32_t>(bits >> 32));
  }
  static KsInt64 FromBits(uint64_t bits) {
    KsInt64 value;
    value.SetBits(bits);
    return value;
  }
  // Divisors for which the native division gives the defined result: all
  // but 0 (reported) and -1 (whose quotient of the minimum value overflows).
  static bool IsPlainDivisor(const KsInt64& divisor) { return divisor.Bits() + 1 > 1; }

  uint32_t low;
  int32_t high;
};

static_assert(sizeof(KsInt64) == 8);
