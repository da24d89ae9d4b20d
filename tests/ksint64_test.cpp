// KsInt64: arithmetic against 128-bit reference results, the conversion from
// double, the text form, the stored form and the type slots.
#include "ksint64.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

#include "basesvc.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr long long kMin = std::numeric_limits<long long>::min();
constexpr long long kMax = std::numeric_limits<long long>::max();

std::vector<std::string> gReports;
void Record(const char* text, const char* source, int line) {
  gReports.push_back(std::string(text) + "@" + source + ":" + std::to_string(line));
}

long long Wrap(__int128 value) {
  return static_cast<long long>(static_cast<unsigned long long>(value));
}

std::string Print(const KsInt64& value, const char* format) {
  KsString out;
  value.PrintToKsString(out, format);
  return out.StrGet();
}

long long Scan(const char* text, const char* format) {
  KsInt64 value(77);
  value.ScanFromKsString(KsString(text), format);
  return value.Get8b();
}

void ExpectArithmetic(long long a, long long b) {
  SCOPED_TRACE(std::to_string(a) + " op " + std::to_string(b));
  const KsInt64 x(a), y(b);
  const __int128 wa = a, wb = b;
  EXPECT_EQ((x + y).Get8b(), Wrap(wa + wb));
  EXPECT_EQ((x - y).Get8b(), Wrap(wa - wb));
  EXPECT_EQ((x * y).Get8b(), Wrap(wa * wb));
  EXPECT_EQ((x & y).Get8b(), a & b);
  EXPECT_EQ((x | y).Get8b(), a | b);
  EXPECT_EQ((x < y), a < b);
  EXPECT_EQ((x >= y), a >= b);
  if (b != 0) {
    EXPECT_EQ((x / y).Get8b(), Wrap(wa / wb));
    EXPECT_EQ((x % y).Get8b(), Wrap(wa % wb));
    EXPECT_EQ(x.Division(y, 0).Get8b(), Wrap(wa / wb)) << "the out-of-line worker agrees";
    EXPECT_EQ(x.Division(y, 1).Get8b(), Wrap(wa % wb));
  }
}

TEST(KsInt64Arithmetic, MatchesWideReferenceOnBoundaries) {
  const long long edges[] = {kMin, kMin + 1, -4294967296LL, -65536,       -7,       -2,  -1, 0, 1, 2,
                             3,    7,        4294967295LL,  4294967296LL, kMax - 1, kMax};
  for (long long a : edges) {
    for (long long b : edges) ExpectArithmetic(a, b);
  }
}

TEST(KsInt64Arithmetic, MatchesWideReferenceOnRandomOperands) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const long long a = static_cast<long long>(random()) >> (random() % 64);
    const long long b = static_cast<long long>(random()) >> (random() % 64);
    ExpectArithmetic(a, b);
  }
}

TEST(KsInt64Arithmetic, WrapAndMinimumValueCases) {
  EXPECT_EQ((KsInt64(-9223372036854775807LL) - 2).Get8b(), kMax);
  EXPECT_EQ((KsInt64(kMin) * 3).Get8b(), kMin);
  EXPECT_EQ((KsInt64(kMin) * 2).Get8b(), 0);
  EXPECT_EQ((KsInt64(3) * KsInt64(kMin)).Get8b(), kMin);
  EXPECT_EQ((KsInt64(kMin) / -1).Get8b(), kMin);
  EXPECT_EQ((KsInt64(kMin) % -1).Get8b(), 0);
  EXPECT_EQ((KsInt64(kMin) / KsInt64(kMin)).Get8b(), 1);
  EXPECT_EQ((KsInt64(5) % KsInt64(kMin)).Get8b(), 5);
  EXPECT_EQ((KsInt64(-7) / 2).Get8b(), -3);
  EXPECT_EQ((KsInt64(-7) % 2).Get8b(), -1);
  EXPECT_EQ((-KsInt64(kMin)).Get8b(), kMin);
  EXPECT_EQ(KsInt64(kMin).Abs().Get8b(), kMin);
  EXPECT_EQ(KsInt64(-5).Abs().Get8b(), 5);
  EXPECT_EQ((~KsInt64(0)).Get8b(), -1);
}

TEST(KsInt64Arithmetic, ShiftsMoveOneBitAtATime) {
  struct Case {
    long long value;
    unsigned count;
    long long left, right;
  };
  const Case cases[] = {
      {1, 64, 0, 0},          {-1, 100, 0, -1}, {1, 63, kMin, 0}, {kMax, 62, -4611686018427387904LL, 1},
      {kMin, 1, 0, kMin / 2}, {-8, 2, -32, -2}, {5, 0, 5, 5}};
  for (const Case& c : cases) {
    EXPECT_EQ((KsInt64(c.value) << c.count).Get8b(), c.left) << c.value << " << " << c.count;
    EXPECT_EQ((KsInt64(c.value) >> c.count).Get8b(), c.right) << c.value << " >> " << c.count;
  }
}

TEST(KsInt64Arithmetic, CompoundFormsReturnTheNewValue) {
  KsInt64 v(10);
  EXPECT_EQ((v += 5).Get8b(), 15);
  EXPECT_EQ((v -= 20).Get8b(), -5);
  EXPECT_EQ((v *= -3).Get8b(), 15);
  EXPECT_EQ((v /= 4).Get8b(), 3);
  EXPECT_EQ((v %= 2).Get8b(), 1);
  EXPECT_EQ((v <<= 4).Get8b(), 16);
  EXPECT_EQ((v >>= 3).Get8b(), 2);
  EXPECT_EQ((++v).Get8b(), 3);
  EXPECT_EQ((--v).Get8b(), 2);
  EXPECT_EQ(v.Get8b(), 2);
  KsInt64 top(kMax);
  EXPECT_EQ((++top).Get8b(), kMin);
}

TEST(KsInt64Arithmetic, DivisionByZeroReportsAndYieldsZero) {
  const KsAssertHandler previous = KsSetAssertHandler(Record);
  EXPECT_EQ((KsInt64(42) / 0).Get8b(), 0);
  EXPECT_EQ((KsInt64(42) % 0).Get8b(), 0);
  // The minimum's correction step still adds one to the zero remainder.
  EXPECT_EQ((KsInt64(kMin) / 0).Get8b(), 0);
  EXPECT_EQ((KsInt64(kMin) % 0).Get8b(), -1);
  KsSetAssertHandler(previous);
  ASSERT_EQ(gReports.size(), 4u);
  EXPECT_EQ(gReports[0], "KsInt64 divide by zero@src/ksint64:748");
}

TEST(KsInt64Construction, FromEveryIntegerKind) {
  EXPECT_EQ(KsInt64(-1).GetU8b(), ~0ULL);
  EXPECT_EQ(KsInt64(0xFFFFFFFFu).Get8b(), 4294967295LL);
  EXPECT_EQ(KsInt64(5u, -1).Get8b(), -4294967291LL);
  EXPECT_EQ(KsInt64(~0ULL).Get8b(), -1);
  KsInt64 v;
  EXPECT_EQ(v.Get8b(), 0);
  v = 0x80000000u;
  EXPECT_EQ(v.HighWord(), 0);
  EXPECT_EQ(v.LowWord(), 0x80000000u);
}

TEST(KsInt64Construction, FromDoubleKeepsSevenSignificantDigits) {
  struct Case {
    double value;
    long long expected;
  };
  const Case cases[] = {{2.5, 2},       {123456789.0, 123456800},
                        {-2.5, -2},     {2.9999999, 3},
                        {0.999, 0},     {9223372036854774784.0, 9223372000000000000LL},
                        {-0.5, 0},      {std::numeric_limits<double>::infinity(), kMax},
                        {1.0, 1},       {std::numeric_limits<double>::quiet_NaN(), 0},
                        {1e30, kMax},   {1234567.0, 1234567},
                        {-1e30, -kMax}, {12345678.0, 12345680}};
  for (const Case& c : cases) EXPECT_EQ(KsInt64(c.value).Get8b(), c.expected) << c.value;
}

TEST(KsInt64Text, PrintsEveryConversionAndAppends) {
  struct Case {
    long long value;
    const char* format;
    const char* expected;
  };
  const Case cases[] = {{-31, "%x", "-0x1f"}, {kMin, "%d", "-9223372036854775808"},
                        {-31, "%X", "-0X1F"}, {kMin, "%S", "-9223372036854775808"},
                        {8, "%o", "010"},     {kMin, "%o", "01000000000000000000000"},
                        {0, "%d", "0"},       {kMin, "%x", "0x8000000000000000"},
                        {0, "%o", "00"},      {kMin, "%X", "0X8000000000000000"},
                        {0, "%x", "0x0"},     {kMax, "%i", "9223372036854775807"},
                        {5, "v=%d;", "v=5;"}, {5, "%q%d", "%q5"},
                        {5, "", ""},          {12, nullptr, "12"}};
  for (const Case& c : cases) EXPECT_EQ(Print(KsInt64(c.value), c.format), c.expected) << c.format;
  KsString out("n=");
  KsInt64(-3).PrintToKsString(out);
  EXPECT_STREQ(out.StrGet(), "n=-3") << "printing appends";
}

TEST(KsInt64Text, ScansWithBaseSelectionUpToTheStringLength) {
  struct Case {
    const char* text;
    const char* format;
    long long expected;
  };
  const Case cases[] = {{"0x1F", "%x", 31},  {"0X1f", "%X", 31}, {"9223372036854775807", "%S", kMax},
                        {"-017", "%S", -15}, {"0", "%d", -1},    {"-9223372036854775808", "%d", kMin},
                        {"0", "%S", 0},      {"12a", "%d", -1},  {"(5)", "(%d)", 5},
                        {"[5]", "(%d)", -1}, {"+42", "%i", 42},  {"42", "%x", -1},
                        {"0x10", "%o", -1},  {"017", "%o", 15},  {"7 rest", "%d ", 7},
                        {"", "%d", 77},      {"v=", "v=%d", 77}, {"12", nullptr, 12}};
  for (const Case& c : cases) {
    EXPECT_EQ(Scan(c.text, c.format), c.expected)
        << '"' << c.text << "\" with " << (c.format ? c.format : "null");
  }
  // A string cut inside its buffer: the digits after the cut are not read.
  KsString text("123456", 3);
  KsInt64 value;
  value.ScanFromKsString(text, "%d");
  EXPECT_EQ(value.Get8b(), 123);
}

TEST(KsInt64Slots, StoredFormIsTwoWordsInTheirOwnByteOrder) {
  KsTypeMgr mgr;
  KsInt64 values[2] = {KsInt64(0x0102030405060708LL), KsInt64(kMin)};
  struct Case {
    unsigned char format;
    Bytes bytes;
  };
  const Case cases[] = {{1, {0x08, 0x07, 0x06, 0x05, 0x04, 0x03, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0, 0x80}},
                        {2, {0x05, 0x06, 0x07, 0x08, 0x01, 0x02, 0x03, 0x04, 0, 0, 0, 0, 0x80, 0, 0, 0}}};
  for (const Case& c : cases) {
    unsigned char stored[16] = {};
    EXPECT_EQ(mgr.DiskLenGet(KsINT64_T, values, c.format, 2), 16u);
    EXPECT_EQ(mgr.Store(KsINT64_T, stored, values, c.format, 2), 16u);
    EXPECT_EQ(Bytes(stored, stored + 16), c.bytes) << int(c.format);
    KsInt64 loaded[2];
    EXPECT_EQ(mgr.Load(KsINT64_T, loaded, stored, c.format, 2), 16u);
    EXPECT_EQ(loaded[0].Get8b(), 0x0102030405060708LL);
    EXPECT_EQ(loaded[1].Get8b(), kMin);
    EXPECT_EQ(mgr.Cmp(KsINT64_T, stored, stored + 8, 0, 1, c.format), 1);
  }
}

TEST(KsInt64Slots, TranslateFollowsTheCommonPattern) {
  KsTypeMgr mgr;
  KsInt64 value(-2);
  unsigned char big[8];
  EXPECT_EQ(mgr.Translate(KsINT64_T, big, 2, 8, &value, 8, 8, 1), 8u);
  EXPECT_EQ(Bytes(big, big + 8), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}));
  KsInt64 back;
  EXPECT_EQ(mgr.Translate(KsINT64_T, &back, 8, 8, big, 2, 8, 1), 8u);
  EXPECT_EQ(back.Get8b(), -2);
  Bytes padded(10, 0xAA);
  EXPECT_EQ(mgr.Translate(KsINT64_T, padded.data(), 1, 10, big, 2, 8, 1), 8u);
  EXPECT_EQ(padded[8], 0);
  EXPECT_EQ(padded[9], 0);
}

TEST(KsInt64Slots, TextThroughTheTypeManager) {
  KsTypeMgr mgr;
  KsInt64 values[2] = {KsInt64(-15), KsInt64(255)};
  KsString out;
  mgr.PrintToKsString(KsINT64_T, out, values, nullptr, 2);
  EXPECT_STREQ(out.StrGet(), "-15,255");
  KsString hex("0xff");
  mgr.ScanFromKsString(KsINT64_T, values, hex, "%x");
  EXPECT_EQ(values[0].Get8b(), 255);

  KsTypeConvertData* record = mgr.ConvertTo(KsINT64_T, values, 2);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "255");
  auto* back = static_cast<KsInt64*>(mgr.ConvertFrom(KsINT64_T, record, 2));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back[1].Get8b(), 255);
  mgr.Delete(KsINT64_T, back, 2);
  delete record;

  auto* defaults = static_cast<KsInt64*>(mgr.DefaultValue(KsINT64_T, 2, 0));
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults[0].Get8b(), 0);
  EXPECT_EQ(defaults[1].Get8b(), 0);
  mgr.Delete(KsINT64_T, defaults, 2);
}

TEST(KsInt64Slots, GeneratesValues) {
  KsTypeMgr mgr;
  KsInt64 v(41);
  EXPECT_EQ(mgr.GetValue(KsINT64_T, &v, 1, 8, 'M'), 0);
  EXPECT_EQ(v.Get8b(), 42);
  EXPECT_EQ(mgr.GetValue(KsINT64_T, &v, 1, 8, 'O'), 0);
  EXPECT_EQ(v.Get8b(), 42);
  const KsGetValueFunc slot = KsCurrentTypeTable()[KsINT64_T]->getValue;
  EXPECT_EQ(slot(&v, 1, 8, 2), 0);
  EXPECT_EQ(v.Get8b(), 0);
  EXPECT_EQ(slot(&v, 1, 1, 'N'), KS_NOT_SUPPORTED);
  EXPECT_EQ(slot(&v, 1, 8, 'Z'), KS_NOT_SUPPORTED);
  v = kMax;
  EXPECT_EQ(mgr.GetValue(KsINT64_T, &v, 1, 8, 'N'), KS_NO_GREATER_VALUE);
  EXPECT_EQ(v.Get8b(), kMax);
  // A stored value goes through Load and Store.
  unsigned char stored[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(mgr.GetValue(KsINT64_T, stored, 1, 1, 'M'), 0);
  EXPECT_EQ(Bytes(stored, stored + 8), (Bytes{0, 0, 0, 0, 1, 0, 0, 0}))
      << "0xFFFFFFFF + 1 carries into the high word";
}

}  // namespace
