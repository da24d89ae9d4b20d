// 64-bit integers as user code writes them: on this platform int64_t,
// uint64_t and size_t are long and unsigned long, and an integer literal
// beyond int is a long. Each of these must be taken where a 64-bit integer
// is, with the results of the long long forms.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "ksboolean.h"
#include "ksdatetimen.h"
#include "ksint64.h"
#include "ksstring.h"

namespace {

static_assert(std::is_same_v<int64_t, long> && std::is_same_v<decltype(3000000000), long>,
              "the cases below are about long being the 64-bit integer");

TEST(WideIntegerArguments, KsInt64TakesLongLiteralsAndFixedWidthIntegers) {
  const KsInt64 literal(3000000000);
  EXPECT_EQ(literal.Get8b(), 3000000000LL);

  int64_t v = -5;
  KsInt64 k = v;
  EXPECT_EQ(k.Get8b(), -5);
  EXPECT_EQ((k + v).Get8b(), -10);
  EXPECT_EQ(k == v, 1);
  EXPECT_EQ(k < v, 0);
  k = int64_t{1} << 40;
  EXPECT_EQ(k.HighWord(), 256);

  const uint64_t allOnes = UINT64_MAX;
  KsInt64 fromUnsigned = allOnes;
  EXPECT_EQ(fromUnsigned.Get8b(), -1);
  fromUnsigned = uint64_t{0x8000000000000000};
  EXPECT_EQ(fromUnsigned.HighWord(), INT32_MIN);
  const size_t size = 7;
  EXPECT_EQ(KsInt64(size).Get8b(), 7);
}

TEST(WideIntegerArguments, MinimumPlusOneMinusTwoWrapsToTheMaximum) {
  const KsInt64 wrapped = KsInt64(-9223372036854775807) - 2;
  EXPECT_EQ(wrapped.Get8b(), INT64_MAX);
}

TEST(WideIntegerArguments, SealConvertsToAndFromFixedWidthIntegers) {
  KsSeal seal;
  seal.ConvertFrom(int64_t{0x0001000200030004});
  EXPECT_EQ(seal.high, 0x0002);
  EXPECT_EQ(seal.low, 0x0004);
  int64_t back = 0;
  seal.ConvertTo(back);
  EXPECT_EQ(back, 0x000200030004);
  uint64_t unsignedBack = 0;
  seal.ConvertTo(unsignedBack);
  EXPECT_EQ(unsignedBack, 0x000200030004u);
  seal.ConvertFrom(uint64_t{0xFFFF000000000001});
  EXPECT_EQ(seal.high, 0);
  EXPECT_EQ(seal.low, 1);
  seal.ConvertFrom(5);  // an int still converts
  EXPECT_EQ(seal.low, 5);
}

// Every 64-bit member of the date-time classes gives with an int64_t what
// it gives with the same long long.
template <class T>
void ExpectSameAsLongLong(int64_t amount) {
  T byLong, byLongLong;
  auto same = [&](auto apply) {
    apply(byLong, amount);
    apply(byLongLong, static_cast<long long>(amount));
    EXPECT_EQ(byLong == byLongLong, 1);
  };
  same([](T& t, auto a) { t.SetTotalSeconds(a); });
  same([](T& t, auto a) { t.AddSeconds(a); });
  same([](T& t, auto a) { t.AddNanoSeconds(a); });
  same([](T& t, auto a) { t.SetTotalNanoSeconds(a); });
  EXPECT_EQ(byLong.GetTotalNanoSeconds(), static_cast<long long>(amount));
}

TEST(WideIntegerArguments, DateTimeMembersTakeFixedWidthIntegers) {
  ExpectSameAsLongLong<KsDateTimeN>(int64_t{90061000000123});
  ExpectSameAsLongLong<KsTimeSpan>(int64_t{-90061000000123});
  KsTimeSpan span;
  span.SetTotalSeconds(uint64_t{3600});
  EXPECT_EQ(span.GetTotalSeconds(), 3600);
  span.SetTotalSeconds(size_t{60});
  EXPECT_EQ(span.GetTotalSeconds(), 60);
  span.SetTotalNanoSeconds(-1);  // an int still sets nanoseconds
  EXPECT_EQ(span.GetTotalNanoSeconds(), -1);
}

TEST(WideIntegerArguments, StringsTakeAndGiveFixedWidthIntegers) {
  EXPECT_STREQ(KsString(int64_t{-9000000000}).StrGet(), "-9000000000");
  EXPECT_STREQ(KsString(UINT64_MAX).StrGet(), "18446744073709551615");
  EXPECT_STREQ(KsString(size_t{12}).StrGet(), "12");
  KsString text("n=");
  text << int64_t{5000000000} << uint64_t{1};
  EXPECT_STREQ(text.StrGet(), "n=50000000001");
  const int64_t read = KsString("-7000000000");
  EXPECT_EQ(read, -7000000000);
  int64_t parsed = 1;
  EXPECT_EQ(KsString("12345678901").Atoll(parsed), 0);
  EXPECT_EQ(parsed, 12345678901);
  EXPECT_EQ(KsString("x").Strtoll(parsed), -1);
  EXPECT_EQ(parsed, 0);
}

}  // namespace
