// Properties of index range estimates over random sorted key sets of
// several types (not d_Date, d_Time and d_Timestamp, whose estimates are
// not clipped to [0, 1]): every estimate lies in [0, 1], less-than grows with the
// key, and over keys spread uniformly between the bounds less-than meets
// the true share of keys below within one key's share.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "index_bounds_support.h"
#include "ksdate.h"
#include "ksint64.h"
#include "ksnullable.h"

namespace {

using ks::testing::Bytes;
using ks::testing::CurrentBounds;
using ks::testing::Evaluate;
using ks::testing::StoredOf;

constexpr unsigned short LT = 2;

// A type under test: its id and the stored form of an integer-valued key
// (for dates, the key is a day number).
struct KeyType {
  const char* name;
  char type;
  std::function<Bytes(long long)> stored;
  long long smallest, largest;  // where random keys are drawn from
};

Bytes DateOfDayNumber(long long dayNumber) {
  const KsDate date(static_cast<int>(dayNumber));
  const auto year = static_cast<uint16_t>(date.year);
  return {static_cast<unsigned char>(year), static_cast<unsigned char>(year >> 8),
          static_cast<unsigned char>(date.month), static_cast<unsigned char>(date.day)};
}

// A stored KsDateTime (big-endian) of a second counted from 1900-01-01 in
// the evaluator's calendar of twelve 31-day months; KsDateTimeN and
// KsTimeSpan append nanoseconds, which order within the second only.
Bytes DateTimeOfSecond(long long second) {
  const auto next = [&second](int radix) {
    const int field = static_cast<int>(second % radix);
    second /= radix;
    return static_cast<unsigned char>(field);
  };
  const unsigned char sec = next(60), minute = next(60), hour = next(24);
  const unsigned char day = static_cast<unsigned char>(next(31) + 1),
                      month = static_cast<unsigned char>(next(12) + 1);
  const auto year = static_cast<uint16_t>(1900 + second);
  return {
      static_cast<unsigned char>(year >> 8), static_cast<unsigned char>(year), month, day, hour, minute, sec};
}

Bytes DateTimeNOfSecond(long long second) {
  Bytes stored = DateTimeOfSecond(second);
  const Bytes nanoseconds = {0x1D, 0xCD, 0x65, 0x00};  // 500,000,000
  stored.insert(stored.end(), nanoseconds.begin(), nanoseconds.end());
  return stored;
}

// Six lower-case letters of code set 1, the integer in base 26 (clamped to
// aaaaaa..zzzzzz), so that the integers' order is the collation order.
constexpr long long kLastLetterKey = 308915775;  // 26^6 - 1

Bytes StringOfNumber(long long number) {
  number = std::clamp(number, 0LL, kLastLetterKey);
  constexpr unsigned char kCodeSet = 1, kLanguage = 255, kLetters = 6;
  Bytes record = {0, kLetters + 4, kCodeSet, kLanguage, 0, 0, 0, 0, 0, 0, 0, 0xFF};  // big-endian length
  for (int i = kLetters - 1; i >= 0; --i, number /= 26)
    record[4 + i] = static_cast<unsigned char>('a' + number % 26);
  return record;
}

const std::vector<KeyType>& KeyTypes() {
  static const std::vector<KeyType> types = {
      {"int", KsINT_T, [](long long v) { return StoredOf(KsINT_T, static_cast<int>(v), 2); }, -2000000000,
       2000000000},
      {"double", KsDOUBLE_T, [](long long v) { return StoredOf(KsDOUBLE_T, static_cast<double>(v) / 7, 2); },
       -1000000000000, 1000000000000},
      {"KsInt64", KsINT64_T, [](long long v) { return StoredOf(KsINT64_T, KsInt64(v), 2); }, -(1LL << 50),
       1LL << 50},
      // Numbers of a nullable type measure as their base type.
      {"KsNull_8b", KsNULL_8B_T,
       [](long long v) {
         return StoredOf(KsNULL_8B_T, KsNull_8b{v, 0}, 2);
       },
       -(1LL << 50), 1LL << 50},
      // 1900-01-01 to 2100-12-31.
      {"KsDate", KsDATE_T, DateOfDayNumber, 2415021, 2488434},
      // 1900 to 2100 (seconds, keys and probes stay after 1900).
      {"KsDateTime", KsDATIME_T, DateTimeOfSecond, 1000000, 6400000000},
      {"KsDateTimeN", KsDATIME_N_T, DateTimeNOfSecond, 1000000, 6400000000},
      {"KsTimeSpan", KsTIMESPAN_T, DateTimeNOfSecond, 1000000, 6400000000},
      {"KsString", KsSTRING_T, StringOfNumber, 0, kLastLetterKey},
  };
  return types;
}

float EstimateOf(const KeyType& t, CurrentBounds& bounds, unsigned short flags, long long key) {
  // Keys and bounds go in the same byte order as StoredOf wrote them.
  const unsigned char format = t.type == KsDATE_T ? 1 : 2;
  return Evaluate(t.type, &bounds, flags, t.stored(key), format);
}

std::vector<long long> SortedKeys(std::mt19937_64& random, const KeyType& t, size_t count) {
  std::uniform_int_distribution<long long> draw(t.smallest, t.largest);
  std::vector<long long> keys(count);
  for (long long& key : keys) key = draw(random);
  std::sort(keys.begin(), keys.end());
  return keys;
}

TEST(IndexBoundsProperty, EveryEstimateLiesBetweenZeroAndOne) {
  std::mt19937_64 random(12);
  for (const KeyType& t : KeyTypes()) {
    for (int set = 0; set < 20; ++set) {
      const std::vector<long long> keys = SortedKeys(random, t, 50);
      CurrentBounds bounds(t.stored(keys.front()), t.stored(keys.back()));
      std::vector<long long> probes = keys;
      probes.push_back(keys.front() - 1000);
      probes.push_back(keys.back() + 1000);
      for (long long key : probes) {
        for (unsigned short flags = 1; flags <= 7; ++flags) {
          const float estimate = EstimateOf(t, bounds, flags, key);
          EXPECT_GE(estimate, 0.0f) << t.name << " flags " << flags << " key " << key;
          EXPECT_LE(estimate, 1.0f) << t.name << " flags " << flags << " key " << key;
        }
      }
    }
  }
}

TEST(IndexBoundsProperty, LessThanGrowsWithTheKey) {
  std::mt19937_64 random(34);
  for (const KeyType& t : KeyTypes()) {
    for (int set = 0; set < 20; ++set) {
      const std::vector<long long> keys = SortedKeys(random, t, 50);
      CurrentBounds bounds(t.stored(keys[10]), t.stored(keys[40]));  // probes on both sides of the range
      float previous = -1;
      long long previousKey = 0;
      for (long long key : keys) {
        const float estimate = EstimateOf(t, bounds, LT, key);
        EXPECT_GE(estimate, previous) << t.name << " key " << key << " after " << previousKey;
        previous = estimate;
        previousKey = key;
      }
      EXPECT_EQ(EstimateOf(t, bounds, LT, keys.front()), 0.0f) << t.name;
      EXPECT_EQ(EstimateOf(t, bounds, LT, keys.back()), 1.0f) << t.name;
    }
  }
}

// Keys lo, lo + step, ..., hi: the share of keys below a probe against the
// less-than estimate; with step 1 the tolerance is one unit of the range.
TEST(IndexBoundsProperty, UniformIntegerKeysMeetTheTrueShareWithinOneKey) {
  std::mt19937_64 random(56);
  for (const KeyType& t : KeyTypes()) {
    // Double keys are not integers; string estimates interpolate collation
    // positions, not counts of keys.
    if (t.type == KsDOUBLE_T || t.type == KsSTRING_T) continue;
    for (long long step : {1, 3, 17}) {
      const long long count = 1 + static_cast<long long>(random() % 400);
      const long long low = SortedKeys(random, t, 1)[0] / 2;
      const long long high = low + (count - 1) * step;
      CurrentBounds bounds(t.stored(low), t.stored(high));
      for (long long probe = low; probe <= high; probe += 1 + static_cast<long long>(random() % step)) {
        const long long below = (probe - low + step - 1) / step;
        const double share = static_cast<double>(below) / static_cast<double>(count);
        EXPECT_NEAR(EstimateOf(t, bounds, LT, probe), share, 1.0 / static_cast<double>(count) + 1e-6)
            << t.name << " step " << step << " keys " << count << " probe " << probe - low;
      }
    }
  }
}

// An index whose low bound is null (nulls sort first) and whose high bound
// is not negative: every estimate still lies in [0, 1], and less-than grows
// from the null key over the numbers.
TEST(IndexBoundsProperty, NullableIndexesStartingAtNullsStayWithinZeroAndOne) {
  std::mt19937_64 random(78);
  const auto stored = [](long long v) {
    return StoredOf(KsNULL_INT_T, KsNull_int{static_cast<int>(v), 0}, 1);
  };
  const Bytes null = StoredOf(KsNULL_INT_T, KsNull_int{0, 1}, 1);
  std::uniform_int_distribution<long long> draw(-1000000, 1000000);
  for (int set = 0; set < 20; ++set) {
    std::vector<long long> keys(50);
    for (long long& key : keys) key = draw(random);
    std::sort(keys.begin(), keys.end());
    CurrentBounds bounds(null, stored(std::max(keys.back(), 0LL)));
    for (unsigned short flags = 1; flags <= 7; ++flags) {
      unsigned short comparison = flags;
      const float estimate = Evaluate(KsNULL_INT_T, &bounds, comparison, null, 1);
      EXPECT_GE(estimate, 0.0f) << "null key, flags " << flags;
      EXPECT_LE(estimate, 1.0f) << "null key, flags " << flags;
    }
    unsigned short lessThan = LT;
    float previous = Evaluate(KsNULL_INT_T, &bounds, lessThan, null, 1);
    for (long long key : keys) {
      for (unsigned short flags = 1; flags <= 7; ++flags) {
        unsigned short comparison = flags;
        const float estimate = Evaluate(KsNULL_INT_T, &bounds, comparison, stored(key), 1);
        EXPECT_GE(estimate, 0.0f) << "key " << key << " flags " << flags;
        EXPECT_LE(estimate, 1.0f) << "key " << key << " flags " << flags;
      }
      lessThan = LT;
      const float estimate = Evaluate(KsNULL_INT_T, &bounds, lessThan, stored(key), 1);
      EXPECT_GE(estimate, previous) << "key " << key;
      previous = estimate;
    }
  }
}

}  // namespace
