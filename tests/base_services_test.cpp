// Base services: stored byte layouts, clock and zone, reports, handlers,
// configuration, version check and memory files.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "basesvc.h"

namespace {

using Bytes = std::vector<unsigned char>;

template <typename T>
Bytes BytesOf(T value) {
  Bytes bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

// ---------------------------------------------------------------------------
// Stored forms

using StoreFunction = unsigned (*)(void*, const void*, unsigned char, unsigned);

struct GoldenCase {
  const char* function;
  StoreFunction store, load;
  Bytes memory;  // one value in memory form
  Bytes big, little;
};

// clang-format off
const GoldenCase kGoldenCases[] = {
    {"Char", CharStore, CharStore, BytesOf<uint8_t>(0xA5), {0xA5}, {0xA5}},
    {"Short", ShortStore, ShortStore, BytesOf<uint16_t>(0x0102), {0x01, 0x02}, {0x02, 0x01}},
    {"Long", LongStore, LongStore, BytesOf<uint32_t>(0x01020304), {1, 2, 3, 4}, {4, 3, 2, 1}},
    {"Int", IntStore, IntLoad, BytesOf<int32_t>(-2), {0xFF, 0xFF, 0xFF, 0xFE}, {0xFE, 0xFF, 0xFF, 0xFF}},
    {"Unsigned", UnsignedStore, UnsignedLoad, BytesOf<uint32_t>(0xDEADBEEF),
     {0xDE, 0xAD, 0xBE, 0xEF}, {0xEF, 0xBE, 0xAD, 0xDE}},
    {"Float", FloatStore, FloatStore, BytesOf<float>(1.0f), {0x3F, 0x80, 0, 0}, {0, 0, 0x80, 0x3F}},
    {"Double", DoubleStore, DoubleStore, BytesOf<double>(1.0),
     {0x3F, 0xF0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0xF0, 0x3F}},
    {"Double", DoubleStore, DoubleStore, BytesOf<double>(-2.5),
     {0xC0, 0x04, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0, 0x04, 0xC0}},
    {"O_8B", O_8BStore, O_8BStore, BytesOf<uint64_t>(0x0102030405060708),
     {1, 2, 3, 4, 5, 6, 7, 8}, {8, 7, 6, 5, 4, 3, 2, 1}},
};
// clang-format on

// Loading is the same call run on the stored bytes (Int and Unsigned have
// loaders of their own).
TEST(StoredForms, GoldenBytesOfOneValueAndLoadBack) {
  for (const GoldenCase& golden : kGoldenCases) {
    for (unsigned char format : {1, 2}) {
      SCOPED_TRACE(std::string(golden.function) + " format " + std::to_string(format));
      const Bytes& expected = format == 2 ? golden.big : golden.little;
      Bytes stored(golden.memory.size(), 0xCC), memory(golden.memory.size(), 0xCC);
      EXPECT_EQ(golden.store(stored.data(), golden.memory.data(), format, 1), expected.size());
      EXPECT_EQ(stored, expected);
      EXPECT_EQ(golden.load(memory.data(), expected.data(), format, 1), golden.memory.size());
      EXPECT_EQ(memory, golden.memory);
    }
  }
}

// Only the low four bits name the form; anything but 2 (and 8 for
// 16-bit values) is little-endian.
TEST(StoredForms, FormatNibbleChoosesTheByteOrder) {
  const uint16_t shortValue = 0x0102;
  const uint32_t longValue = 0x01020304;
  Bytes stored(4, 0xCC);
  EXPECT_EQ(ShortStore(stored.data(), &shortValue, 8, 1), 2u);
  EXPECT_EQ(Bytes(stored.begin(), stored.begin() + 2), (Bytes{0x02, 0x01}));
  for (unsigned char format : {0x22, 0x12, 8, 0, 3, 0x28}) {
    const bool big = (format & 0x0F) == 2;
    EXPECT_EQ(LongStore(stored.data(), &longValue, format, 1), 4u);
    EXPECT_EQ(stored, big ? (Bytes{1, 2, 3, 4}) : (Bytes{4, 3, 2, 1})) << int{format};
  }
}

TEST(StoredForms, OneValueVariants) {
  const uint16_t shortValue = 0xA1B2;
  const uint32_t longValue = 0xA1B2C3D4;
  const uint64_t quadValue = 0xA1B2C3D4E5F60718;
  unsigned char stored[8] = {};

  EXPECT_EQ(ShortStoreOne(stored, &shortValue, 2), 2u);
  EXPECT_EQ(Bytes(stored, stored + 2), (Bytes{0xA1, 0xB2}));
  EXPECT_EQ(LongStoreOne(stored, &longValue, 2), 4u);
  EXPECT_EQ(Bytes(stored, stored + 4), (Bytes{0xA1, 0xB2, 0xC3, 0xD4}));
  EXPECT_EQ(LongStoreOne(stored, &longValue, 1), 4u);
  EXPECT_EQ(Bytes(stored, stored + 4), (Bytes{0xD4, 0xC3, 0xB2, 0xA1}));
  EXPECT_EQ(O_8BStoreOne(stored, &quadValue, 2), 8u);
  EXPECT_EQ(Bytes(stored, stored + 8), (Bytes{0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x07, 0x18}));
}

// Arrays long enough to cover whole 16-byte blocks and the words after them,
// checked against a byte-by-byte reversal of each word, at an odd offset.
struct ArrayCase {
  const char* function;
  StoreFunction store;
  size_t wordSize;
};

const ArrayCase kArrayCases[] = {
    {"ShortStore", ShortStore, 2}, {"LongStore", LongStore, 4},         {"IntStore", IntStore, 4},
    {"IntLoad", IntLoad, 4},       {"UnsignedStore", UnsignedStore, 4}, {"UnsignedLoad", UnsignedLoad, 4},
    {"FloatStore", FloatStore, 4}, {"DoubleStore", DoubleStore, 8},     {"O_8BStore", O_8BStore, 8},
};

Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Bytes PatternBytes(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 1);
  return bytes;
}

Bytes ReverseEachWord(Bytes bytes, size_t wordSize) {
  for (size_t start = 0; start + wordSize <= bytes.size(); start += wordSize) {
    std::reverse(bytes.begin() + static_cast<long>(start),
                 bytes.begin() + static_cast<long>(start + wordSize));
  }
  return bytes;
}

TEST(StoredForms, ArraysSwapEveryWordForBigEndianAndConvertInPlace) {
  for (const ArrayCase& array : kArrayCases) {
    for (unsigned count : {0u, 1u, 3u, 8u, 9u, 21u, 37u}) {
      SCOPED_TRACE(std::string(array.function) + " count " + std::to_string(count));
      const Bytes memory = PatternBytes(count * array.wordSize);
      const Bytes swapped = ReverseEachWord(memory, array.wordSize);
      Bytes buffer(memory.size() + 2, 0xCC);  // odd offset: words are unaligned
      EXPECT_EQ(array.store(buffer.data() + 1, memory.data(), 2, count), memory.size());
      EXPECT_EQ(buffer, Bytes{0xCC} + swapped + Bytes{0xCC});
      Bytes little(memory.size() + 1, 0xCC);
      EXPECT_EQ(array.store(little.data(), memory.data(), 1, count), memory.size());
      EXPECT_EQ(little, memory + Bytes{0xCC});

      // In place, twice: converted, then back to the original.
      for (unsigned char format : {1, 2, 8}) {
        Bytes inPlace = memory;
        array.store(inPlace.data(), inPlace.data(), format, count);
        EXPECT_EQ(inPlace, format == 2 ? swapped : memory) << int{format};
        array.store(inPlace.data(), inPlace.data(), format, count);
        EXPECT_EQ(inPlace, memory) << int{format};
      }
    }
  }
}

TEST(StoredForms, SizesAreCountTimesElementSize) {
  using SizeFunction = unsigned (*)(const void*, unsigned char, unsigned char, unsigned);
  using NullSizeFunction = unsigned (*)(unsigned);
  struct SizeCase {
    const char* type;
    SizeFunction size;
    NullSizeFunction nullSize;
    unsigned elementSize;
  };
  const SizeCase cases[] = {
      {"char", CharSizeGet, CharNullSizeGet, 1},    {"short", ShortSizeGet, ShortNullSizeGet, 2},
      {"long", LongSizeGet, LongNullSizeGet, 4},    {"int", IntSizeGet, IntNullSizeGet, 4},
      {"float", FloatSizeGet, FloatNullSizeGet, 4}, {"double", DoubleSizeGet, DoubleNullSizeGet, 8},
      {"O_8B", O_8BSizeGet, O_8BNullSizeGet, 8},
  };
  for (const SizeCase& size : cases) {
    SCOPED_TRACE(size.type);
    for (unsigned char format : {1, 2, 8, 0x21}) {
      EXPECT_EQ(size.size(nullptr, 8, format, 0), 0u);
      EXPECT_EQ(size.size(nullptr, 8, format, 3), 3 * size.elementSize);
    }
    EXPECT_EQ(size.nullSize(0), 0u);
    EXPECT_EQ(size.nullSize(5), 5 * size.elementSize);
  }
}

// ---------------------------------------------------------------------------
// Clock

class FixedClockTest : public testing::Test {
 protected:
  void TearDown() override { KsSetFixedClock(nullptr); }

  static void Fix(long long utcSeconds, int nanoseconds, int zoneMinutes, bool zoneKnown) {
    const KsFixedClock clock{utcSeconds, nanoseconds, zoneMinutes, zoneKnown};
    KsSetFixedClock(&clock);
  }
};

constexpr long long kLeapDayEvening = 1709249415;  // 2024-02-29 23:30:15 UTC

// Date, then time of day.
using Stamp = std::array<int, 6>;
Stamp StampOf(const bdate& date, const btime& time) {
  return {date.year, date.month, date.day, time.hour, time.minute, time.second};
}

// The local date and time of day cross midnight with the zone; an unknown
// zone answers "no time zone" and local time is UTC.
TEST_F(FixedClockTest, LocalTimeFollowsTheZone) {
  struct Case {
    long long utcSeconds;
    int zoneMinutes;
    bool zoneKnown;
    Stamp local;
    int zoneSeconds, timeZone;
  };
  const Case cases[] = {
      {kLeapDayEvening, 120, true, {2024, 3, 1, 1, 30, 15}, 7200, 120},
      {1704074400, -300, true, {2023, 12, 31, 21, 0, 0}, -18000, -300},  // 2024-01-01 02:00:00 UTC
      {kLeapDayEvening, 120, false, {2024, 2, 29, 23, 30, 15}, 0, -2171},
  };
  for (const Case& c : cases) {
    Fix(c.utcSeconds, 0, c.zoneMinutes, c.zoneKnown);
    bdate date{};
    btime time{};
    time.zoneSeconds = 99;
    bksgetdate(&date);
    bksgettime(&time);
    EXPECT_EQ(StampOf(date, time), c.local) << c.zoneMinutes;
    EXPECT_EQ(time.zoneSeconds, c.zoneSeconds);
    EXPECT_EQ(bksgettimezone(), c.timeZone);
  }
  Fix(kLeapDayEvening, 123456789, 120, true);
  bdate utcDate{};
  btime utcTime{};
  bksgetsystemtime(&utcTime, &utcDate);
  EXPECT_EQ(StampOf(utcDate, utcTime), (Stamp{2024, 2, 29, 23, 30, 15}));
  EXPECT_EQ(utcTime.zoneSeconds, 0);
  EXPECT_EQ(bksGetUTCMilliseconds(), kLeapDayEvening * 1000 + 123);
}

TEST_F(FixedClockTest, HiresTimesCarryNanoseconds) {
  Fix(kLeapDayEvening, 123456789, 120, true);
  bdate date{};
  btime time{};
  int fraction = -1;
  bksGetHiresTime(date, time, fraction);
  EXPECT_EQ(StampOf(date, time), (Stamp{2024, 3, 1, 1, 30, 15}));
  EXPECT_EQ(fraction, 123456789);
  bksGetHiresTimeUTC(date, time, fraction);
  EXPECT_EQ(StampOf(date, time), (Stamp{2024, 2, 29, 23, 30, 15}));
  EXPECT_EQ(fraction, 123456789);
  // Only the time of day is written: the zone is reported by bksgettime alone.
  EXPECT_EQ(time.reserved0, 0);
  EXPECT_EQ(time.zoneSeconds, 0);
  EXPECT_EQ(std::count(std::begin(time.reserved), std::end(time.reserved), 0), 4);

  // Nanoseconds out of range carry into the seconds.
  Fix(kLeapDayEvening, 1'500'000'000, 0, true);
  bksGetHiresTimeUTC(date, time, fraction);
  EXPECT_EQ(StampOf(date, time), (Stamp{2024, 2, 29, 23, 30, 16}));
  EXPECT_EQ(fraction, 500'000'000);
  Fix(0, -1, 0, true);  // one nanosecond before the epoch
  bksGetHiresTimeUTC(date, time, fraction);
  EXPECT_EQ(StampOf(date, time), (Stamp{1969, 12, 31, 23, 59, 59}));
  EXPECT_EQ(fraction, 999'999'999);
  EXPECT_EQ(bksGetUTCMilliseconds(), -1000 + 999);
}

TEST_F(FixedClockTest, InstantsBeyondTheDateRangeGiveZeroRecords) {
  for (long long seconds : {LLONG_MAX, LLONG_MIN, 40000LL * 366 * 86400}) {
    Fix(seconds, 0, 60, true);
    bdate date{1, 1, 1};
    btime time{};
    time.hour = time.minute = time.second = 7;
    bksgetsystemtime(&time, &date);
    EXPECT_EQ(StampOf(date, time), Stamp{});
    bksgetdate(&date);
    EXPECT_EQ(StampOf(date, time), Stamp{});
  }
}

TEST_F(FixedClockTest, ClearingTheFixedClockReadsTheSystemClock) {
  Fix(0, 0, 0, true);
  EXPECT_EQ(bksGetUTCMilliseconds(), 0);
  KsSetFixedClock(nullptr);
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const long long expected = static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
  EXPECT_NEAR(static_cast<double>(bksGetUTCMilliseconds()), static_cast<double>(expected), 5000.0);
}

// The zone of the C library follows TZ.
class TimeZoneTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* saved = getenv("TZ");
    hadZone_ = saved != nullptr;
    if (hadZone_) savedZone_ = saved;
    KsSetFixedClock(nullptr);
  }
  void TearDown() override {
    if (hadZone_) {
      setenv("TZ", savedZone_.c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }
  static void UseZone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  bool hadZone_ = false;
  std::string savedZone_;
};

TEST_F(TimeZoneTest, OffsetFollowsTz) {
  for (auto [zone, minutes] : {std::pair{"UTC0", 0}, {"XYZ-3", 180}, {"ABC+5:30", -330}}) {
    UseZone(zone);
    EXPECT_EQ(bksgettimezone(), minutes) << zone;
  }
}

TEST_F(TimeZoneTest, LocalTimeFollowsTz) {
  UseZone("XYZ-3");
  // Read UTC on both sides of the local reading so that an hour boundary
  // between the calls cannot make the check flaky.
  for (int attempt = 0; attempt < 3; ++attempt) {
    btime before{}, local{}, after{};
    bdate date{};
    bksgetsystemtime(&before, &date);
    bksgettime(&local);
    bksgetsystemtime(&after, &date);
    if (before.hour != after.hour) continue;
    EXPECT_EQ(local.hour, (before.hour + 3) % 24);
    EXPECT_EQ(local.zoneSeconds, 10800);
    return;
  }
  FAIL() << "the hour kept changing";
}

// ---------------------------------------------------------------------------
// Assertion reports and the memory handler

struct RecordedReport {
  std::string text;
  std::string sourcePath;
  int line;
  bool operator==(const RecordedReport&) const = default;
};
std::vector<RecordedReport> recordedReports;

void RecordReport(const char* text, const char* sourcePath, int line) {
  recordedReports.push_back({text, sourcePath, line});
}

class AssertReportTest : public testing::Test {
 protected:
  void SetUp() override { recordedReports.clear(); }
  void TearDown() override { KsSetAssertHandler(nullptr); }
};

TEST_F(AssertReportTest, InstalledHandlerReceivesEveryReportAndNullRestoresTheDefault) {
  const KsAssertHandler defaultHandler = KsSetAssertHandler(RecordReport);
  ASSERT_NE(defaultHandler, nullptr);
  KESO_assert("String overflow", "ksstring.cpp", 412);
  KESO_assert("actualLen <= 254", "kstypes.cpp", 77);
  EXPECT_EQ(recordedReports, (std::vector<RecordedReport>{{"String overflow", "ksstring.cpp", 412},
                                                          {"actualLen <= 254", "kstypes.cpp", 77}}));
  recordedReports.clear();
  EXPECT_EQ(KsSetAssertHandler(nullptr), RecordReport);
  EXPECT_EQ(KsSetAssertHandler(nullptr), defaultHandler);

  // The default writes to standard error.
  testing::internal::CaptureStderr();
  KESO_assert("nr != unknown", "kstypevl.cpp", 9);
  KESO_assert(nullptr, nullptr, 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "KESO_assert: nr != unknown (kstypevl.cpp:9)\nKESO_assert:  (:0)\n");
  EXPECT_TRUE(recordedReports.empty());
}

int lastFailedSize = -1;
int RecordFailedAllocation(unsigned size) {
  lastFailedSize = static_cast<int>(size);
  return 7;
}

TEST(MemoryHandler, DefaultIgnoresAndInstalledHandlerIsCalled) {
  EXPECT_EQ(KsCallMemoryHandler(64), 0);
  const KsMemoryHandler defaultHandler = KsSetMemoryHandler(RecordFailedAllocation);
  EXPECT_EQ(KsCallMemoryHandler(4096), 7);
  EXPECT_EQ(lastFailedSize, 4096);
  EXPECT_EQ(KsSetMemoryHandler(nullptr), RecordFailedAllocation);
  EXPECT_EQ(KsCallMemoryHandler(1), 0);
  EXPECT_EQ(lastFailedSize, 4096);
  EXPECT_EQ(KsSetMemoryHandler(nullptr), defaultHandler);
}

// ---------------------------------------------------------------------------
// Configuration

TEST(Config, SetGetRemoveAndQualifiedFallback) {
  KsConfig config;
  EXPECT_EQ(config.Get("stringOverflow", nullptr), nullptr);
  config.Set("stringOverflow", nullptr, "1");
  config.Set("oldIndexUnicodeOrder", "debug", "yes");
  EXPECT_STREQ(config.Get("stringOverflow", nullptr), "1");
  // A qualified lookup falls back to the unqualified entry, not the reverse.
  EXPECT_STREQ(config.Get("stringOverflow", "debug"), "1");
  EXPECT_EQ(config.Get("oldIndexUnicodeOrder", nullptr), nullptr);
  EXPECT_STREQ(config.Get("oldIndexUnicodeOrder", "debug"), "yes");
  EXPECT_EQ(config.Get("oldIndexUnicodeOrder", "release"), nullptr);

  config.Set("stringOverflow", "debug", "0");
  EXPECT_STREQ(config.Get("stringOverflow", "debug"), "0");
  EXPECT_STREQ(config.Get("stringOverflow", nullptr), "1");
  config.Set("stringOverflow", nullptr, "2");
  EXPECT_STREQ(config.Get("stringOverflow", nullptr), "2");

  config.Set("stringOverflow", "debug", nullptr);
  EXPECT_STREQ(config.Get("stringOverflow", "debug"), "2");
  config.Set("stringOverflow", nullptr, nullptr);
  EXPECT_EQ(config.Get("stringOverflow", "debug"), nullptr);

  EXPECT_EQ(config.Get(nullptr, nullptr), nullptr);
  config.Set(nullptr, nullptr, "ignored");
  config.Clear();
  EXPECT_EQ(config.Get("oldIndexUnicodeOrder", "debug"), nullptr);
}

TEST(Config, BooleanReading) {
  struct BoolCase {
    const char* text;
    int expected;
  };
  const BoolCase cases[] = {{"1", 1},  {"true", 1},       {"TRUE", 1},  {"yes", 1},
                            {"On", 1}, {"0", 0},          {"false", 0}, {"", 0},
                            {"2", 0},  {"yes please", 0}, {" true", 0}, {"no", 0}};
  KsConfig config;
  for (const BoolCase& boolCase : cases) {
    SCOPED_TRACE(boolCase.text);
    config.Set("stringOverflow", nullptr, boolCase.text);
    int value = -1;
    EXPECT_EQ(config.GetBool("stringOverflow", "debug", value), 1);
    EXPECT_EQ(value, boolCase.expected);
  }
  int untouched = 5;
  EXPECT_EQ(config.GetBool("absent", nullptr, untouched), 0);
  EXPECT_EQ(untouched, 5);
}

TEST(Config, EnvironmentNamingRule) {
  struct Variable {
    const char* name;
    const char* value;
  };
  const Variable variables[] = {
      {"KSTYPES_stringOverflow", "1"}, {"KSTYPES_debug_oldIndexUnicodeOrder", "yes"},
      {"KSTYPES_a_b_c", "split"},      {"KSTYPES_", "no name"},
      {"KSTYPES_debug_", "no name"},   {"KSTYPESxyz", "no prefix"},
  };
  for (const Variable& variable : variables) setenv(variable.name, variable.value, 1);

  KsConfig config;
  config.SetFromEnvironment();
  EXPECT_STREQ(config.Get("stringOverflow", nullptr), "1");
  EXPECT_STREQ(config.Get("oldIndexUnicodeOrder", "debug"), "yes");
  EXPECT_EQ(config.Get("oldIndexUnicodeOrder", nullptr), nullptr);
  EXPECT_EQ(config.Get("debug_oldIndexUnicodeOrder", nullptr), nullptr);
  EXPECT_STREQ(config.Get("b_c", "a"), "split");
  EXPECT_EQ(config.Get("", nullptr), nullptr);
  EXPECT_EQ(config.Get("", "debug"), nullptr);
  EXPECT_EQ(config.Get("xyz", nullptr), nullptr);
  EXPECT_EQ(config.Get("KSTYPESxyz", nullptr), nullptr);

  for (const Variable& variable : variables) unsetenv(variable.name);
}

TEST(Config, DefaultConfigReplaceAndRestore) {
  KsConfig* const request = reinterpret_cast<KsConfig*>(~uintptr_t{0});
  KsConfig* const processConfig = DefaultConfig(request);
  ASSERT_NE(processConfig, nullptr);
  EXPECT_EQ(DefaultConfig(request), processConfig);

  KsConfig mine;
  mine.Set("stringOverflow", nullptr, "1");
  EXPECT_EQ(DefaultConfig(&mine), processConfig);
  EXPECT_EQ(DefaultConfig(request), &mine);
  EXPECT_EQ(DefaultConfig(nullptr), &mine);
  EXPECT_EQ(DefaultConfig(request), nullptr);
  EXPECT_EQ(DefaultConfig(processConfig), nullptr);
  EXPECT_EQ(DefaultConfig(request), processConfig);
}

// ---------------------------------------------------------------------------
// Version check

TEST(VersionCheck, MajorAlwaysMinorAndSubByFlag) {
  struct VersionCase {
    unsigned major, minor, sub, flags;
    int expected;
  };
  const VersionCase cases[] = {
      {12, 0, 2, 0, 0},     {12, 5, 9, 0, 0},     {11, 0, 2, 0, -2999}, {13, 0, 2, 3, -2999},
      {12, 1, 2, 1, -2999}, {12, 0, 3, 1, 0},     {12, 0, 3, 2, -2999}, {12, 1, 2, 2, 0},
      {12, 0, 2, 3, 0},     {12, 0, 9, 3, -2999},
  };
  for (const VersionCase& version : cases) {
    SCOPED_TRACE(testing::Message() << version.major << "." << version.minor << "." << version.sub
                                    << " flags " << version.flags);
    EXPECT_EQ(CheckKsVersionNumber(version.major, version.minor, version.sub, 1, 1, version.flags),
              version.expected);
  }
}

TEST(VersionCheck, ReportsMismatchOnlyWhenAsked) {
  recordedReports.clear();
  KsSetAssertHandler(RecordReport);
  EXPECT_EQ(CheckKsVersionNumber(11, 4, 3, 99, 7, 0), -2999);
  EXPECT_TRUE(recordedReports.empty());
  EXPECT_EQ(CheckKsVersionNumber(12, 0, 2, 248, 0, 7), 0);
  EXPECT_TRUE(recordedReports.empty());
  EXPECT_EQ(CheckKsVersionNumber(11, 4, 3, 99, 7, 4), -2999);
  KsSetAssertHandler(nullptr);
  ASSERT_EQ(recordedReports.size(), 1u);
  EXPECT_EQ(recordedReports[0].text, "version mismatch: module 11.4.3.99.7, services 12.0.2.248.0");
  EXPECT_EQ(recordedReports[0].sourcePath, "version.cpp");
  EXPECT_GT(recordedReports[0].line, 0);
}

// ---------------------------------------------------------------------------
// Memory files

TEST(MemFile, SeekMovesAndClampsTheCursor) {
  const Bytes data = PatternBytes(10);
  MemFile file(data.data(), 10);
  struct SeekStep {
    int offset;
    unsigned short whence;
    unsigned expectedPosition;
  };
  const SeekStep steps[] = {
      {0, 1, 0},  {4, 1, 4},   {4, 1, 8},        {5, 1, 10},      {-3, 2, 7},      {-100, 1, 0}, {3, 0, 3},
      {-1, 0, 0}, {20, 0, 10}, {INT_MAX, 1, 10}, {INT_MIN, 1, 0}, {INT_MIN, 2, 0}, {2, 2, 10},   {-10, 2, 0},
  };
  for (const SeekStep& step : steps) {
    SCOPED_TRACE(testing::Message() << "offset " << step.offset << " whence " << step.whence);
    unsigned length = 2;
    unsigned char* at = file.Seek(step.offset, step.whence, &length, 0);
    EXPECT_EQ(file.Position(), step.expectedPosition);
    if (step.expectedPosition == 10) {
      EXPECT_EQ(at, nullptr);
      EXPECT_EQ(length, 0u);
    } else {
      EXPECT_EQ(at, data.data() + step.expectedPosition);
      EXPECT_EQ(length, 10 - step.expectedPosition);
    }
  }
}

TEST(MemFile, UnknownOriginAndEmptyFiles) {
  const Bytes data = PatternBytes(4);
  MemFile file(data.data(), 4);
  unsigned length = 2;
  file.Seek(1, 0, &length, 0);
  EXPECT_EQ(file.Seek(1, 3, &length, 0), nullptr);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(file.Position(), 1u);
  EXPECT_EQ(file.Seek(0, 1, nullptr, 0), data.data() + 1);

  MemFile nothing(nullptr, 100);
  EXPECT_EQ(nothing.Size(), 0u);
  length = 2;
  EXPECT_EQ(nothing.Seek(5, 0, &length, 0), nullptr);
  EXPECT_EQ(length, 0u);
  EXPECT_EQ(nothing.Position(), 0u);
}

}  // namespace
