// KsBoolean (type id 27), a three-state truth value, and KsSeal (type id
// 39), a 48-bit stamp.
//
// A KsBoolean is one byte: 0 false, 1 true, 255 null; null sorts before
// false, false before true. A KsSeal holds its stamp in three 16-bit words,
// most significant first, and is stored big-endian whatever the format.
#pragma once

#include <concepts>
#include <cstdint>

#include "ksexport.h"
#include "ksint64.h"

class KsString;
class KsObjId;

class KS_API KsBoolean {
 public:
  KsBoolean() : value(0) {}
  KsBoolean(const KsBoolean& other) = default;
  // Any non-zero number is true.
  KsBoolean(int truth) : value(truth != 0 ? 1 : 0) {}
  KsBoolean& operator=(const KsBoolean& other) = default;
  KsBoolean& operator=(int truth) { return *this = KsBoolean(truth); }

  int IsNullValue() const { return value >= kNull; }
  int SetNullValue() {
    value = kNull;
    return 0;
  }

  // Each returns 1 or 0. A null equals only a null, and is below all else.
  int operator==(const KsBoolean& other) const;
  int operator==(int truth) const;
  int operator<(const KsBoolean& other) const;
  int operator<(int truth) const;
  int operator>(const KsBoolean& other) const;
  int operator>(int truth) const;

 private:
  static constexpr uint8_t kNull = 255;
  uint8_t value;
};

class KS_API KsSeal {
 public:
  KsSeal() : high(0), middle(0), low(0) {}
  KsSeal(uint16_t highWord, uint16_t middleWord, uint16_t lowWord)
      : high(highWord), middle(middleWord), low(lowWord) {}

  KsSeal(const KsSeal& other) = default;
  KsSeal& operator=(const KsSeal& other) = default;
  int operator==(const KsSeal& other) const {
    return high == other.high && middle == other.middle && low == other.low;
  }
  // Three-way: the difference (this minus other) of the first differing word.
  int operator!=(const KsSeal& other) const;

  // The low 48 bits of the integer; higher bits are dropped.
  void ConvertFrom(const KsInt64& number);
  void ConvertFrom(const long long& number);
  // Any other integer as long long: int64_t, uint64_t and size_t are long
  // and unsigned long here.
  template <std::integral I>
  void ConvertFrom(const I& number) {
    ConvertFrom(static_cast<long long>(number));
  }
  // The 48-bit object number (H, L); the block number is not used.
  void ConvertFrom(const KsObjId& id);
  // The stamp as a non-negative integer.
  void ConvertTo(KsInt64& number) const;
  void ConvertTo(long long& number) const;
  void ConvertTo(long& number) const { number = WideStamp(); }
  void ConvertTo(unsigned long& number) const { number = static_cast<unsigned long>(WideStamp()); }

  // Appends the stamp in decimal.
  KsString& PrintToKsString(KsString& out) const;
  // 0 for an empty text; otherwise the low 48 bits of the KsInt64 read with
  // "%S" (a text that does not fit gives 0xFFFFFFFFFFFF).
  void ScanFromKsString(const KsString& in);

  uint16_t high;    // bits 32 to 47
  uint16_t middle;  // bits 16 to 31
  uint16_t low;     // bits 0 to 15

 private:
  long long WideStamp() const {
    long long number;
    ConvertTo(number);
    return number;
  }
};

static_assert(sizeof(KsBoolean) == 1);
static_assert(sizeof(KsSeal) == 6);
