// Helpers of the index range evaluation tests: stored keys, current bounds
// over test-owned bytes, and output bounds that release what evaluators
// record.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "ksidxbounds.h"
#include "kstypemgr.h"

namespace ks::testing {

using Bytes = std::vector<unsigned char>;

// The comparison flags of an index restriction, and a wildcard field.
constexpr unsigned short EQ = 1, LT = 2, LE = 3, GT = 4, GE = 5, NE = 6;
constexpr unsigned short kWidened = 0x0008;
constexpr int kAny = -1;

// One value of `type` in the stored form named by format, through the
// type's own Store slot.
template <class T>
Bytes StoredOf(char type, const T& value, unsigned char format) {
  KsTypeMgr mgr;
  T copy = value;
  Bytes out(mgr.DiskLenGet(type, &copy, format, 1));
  out.resize(mgr.Store(type, out.data(), &copy, format, 1));
  return out;
}

// The index's current bounds: copies of two stored values.
class CurrentBounds : public KsIdxBounds {
 public:
  CurrentBounds(Bytes lowBytes, Bytes highBytes)
      : lowBytes_(std::move(lowBytes)), highBytes_(std::move(highBytes)) {
    low = lowBytes_.data();
    high = highBytes_.data();
    lowLen = static_cast<uint8_t>(lowBytes_.size());
    highLen = static_cast<uint8_t>(highBytes_.size());
    minBufLen = 0;
  }
  CurrentBounds(const CurrentBounds&) = delete;
  CurrentBounds& operator=(const CurrentBounds&) = delete;

 private:
  Bytes lowBytes_, highBytes_;
};

// Output bounds; the buffers that evaluators record belong to it.
class RecordedBounds : public KsIdxBounds {
 public:
  RecordedBounds() : KsIdxBounds{nullptr, nullptr, 0, 0, 0} {}
  RecordedBounds(const RecordedBounds&) = delete;
  RecordedBounds& operator=(const RecordedBounds&) = delete;
  ~RecordedBounds() {
    std::free(low);
    std::free(high);
  }
  Bytes Low() const { return Of(low, lowLen); }
  Bytes High() const { return Of(high, highLen); }

 private:
  static Bytes Of(const void* p, unsigned length) {
    if (p == nullptr) return {};
    const auto* bytes = static_cast<const unsigned char*>(p);
    return Bytes(bytes, bytes + length);
  }
};

// A stored date (KsDate, d_Date): the year in the format's byte order
// (1 little-endian, 2 big-endian), then month and day.
inline Bytes Date(int year, int month, int day, unsigned char format = 1) {
  const auto y = static_cast<uint16_t>(year);
  const auto hi = static_cast<unsigned char>(y >> 8), lo = static_cast<unsigned char>(y);
  const auto m = static_cast<unsigned char>(month), d = static_cast<unsigned char>(day);
  return format == 2 ? Bytes{hi, lo, m, d} : Bytes{lo, hi, m, d};
}

// Signed bytes in a row: a stored KsTime, or the time fields of other forms.
inline Bytes Time(int hour, int minute, int second) {
  return {static_cast<unsigned char>(hour), static_cast<unsigned char>(minute),
          static_cast<unsigned char>(second)};
}

inline Bytes Join(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A stored d_Time of a time of day in a zone: the zone, the stored hour and
// minute (the time of day shifted by the zone), second and hundredths.
inline Bytes StoredTime(int hour, int minute, int second, int zoneHours = 0, int hundredths = 0) {
  return {static_cast<unsigned char>(zoneHours),        0,
          static_cast<unsigned char>(hour + zoneHours), static_cast<unsigned char>(minute),
          static_cast<unsigned char>(second),           static_cast<unsigned char>(hundredths)};
}

inline Bytes Timestamp(int year, int month, int day, int hour, int minute, int second, int zoneHours = 0) {
  return Join(Date(year, month, day), StoredTime(hour, minute, second, zoneHours));
}

inline float Evaluate(char type, KsIdxBounds* bounds, unsigned short& flags, Bytes key, unsigned char format,
                      KsIdxBounds* out = nullptr, unsigned count = 1) {
  KsTypeMgr mgr;
  return mgr.EvalAndBound(type, bounds, flags, key.data(), format, count, out, nullptr);
}

// A key under one comparison and the estimate it gives.
struct EstimateCase {
  const char* what;
  Bytes key;
  unsigned short flags;
  double estimate;  // compared as the float the evaluator returns
};

inline void ExpectEstimates(char type, KsIdxBounds& bounds, std::span<const EstimateCase> cases,
                            unsigned char format = 1) {
  for (const EstimateCase& c : cases) {
    unsigned short flags = c.flags;
    EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, c.key, format), static_cast<float>(c.estimate))
        << int(type) << " format " << int(format) << ": " << c.what;
  }
}

// An equality with a key whose wildcard fields widen into the recorded low
// and high keys; the flags say whether anything widened.
struct Widening {
  const char* what;
  Bytes key, low, high;
};

inline void ExpectWidening(char type, const Widening& c, unsigned char format = 1) {
  RecordedBounds out;
  unsigned short flags = EQ;
  Evaluate(type, nullptr, flags, c.key, format, &out);
  EXPECT_EQ(out.Low(), c.low) << int(type) << ": " << c.what;
  EXPECT_EQ(out.High(), c.high) << int(type) << ": " << c.what;
  const bool widened = c.low != c.key || c.high != c.key;
  EXPECT_EQ(flags, widened ? EQ | kWidened : EQ) << int(type) << ": " << c.what;
}

// The worked example of the numeric frame, an index with bounds 1 and 100,
// on `type` in the stored forms 1, 2 and 8, where `stored` gives the stored
// form of a number. The flags come back as they went in.
inline void ExpectWorkedExample(char type, const char* name,
                                const std::function<Bytes(long long, unsigned char)>& stored) {
  struct Case {
    unsigned short flags;
    long long key;
    float estimate;
  };
  const Case cases[] = {{1, 50, 0.01f}, {2, 50, 0.49f}, {4, 50, 0.5f},  {5, 50, 0.51f},
                        {2, 0, 0.0f},   {1, 500, 0.0f}, {3, 100, 1.0f}, {6, 50, 0.99f}};
  for (unsigned char format : {1, 2, 8}) {
    CurrentBounds bounds(stored(1, format), stored(100, format));
    for (const Case& c : cases) {
      unsigned short flags = c.flags;
      EXPECT_FLOAT_EQ(Evaluate(type, &bounds, flags, stored(c.key, format), format), c.estimate)
          << name << " format " << int(format) << " flags " << c.flags << " key " << c.key;
      EXPECT_EQ(flags, c.flags) << name;
    }
  }
}

}  // namespace ks::testing
