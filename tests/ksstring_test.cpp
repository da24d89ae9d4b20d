// KsString: construction, editing, the size limit, numbers and list splitting.
#include "ksstring.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "basesvc.h"
#include "ksmodule.h"

namespace {

std::string Text(const KsString& s) {
  return std::string(s.StrGet(), s.Len() * s.CharWidth());
}

std::vector<std::string> reports;

// Records assertion reports while alive, with "stringOverflow" set as asked.
struct OverflowReports {
  explicit OverflowReports(bool enabled) {
    reports.clear();
    config->Set("stringOverflow", "debug", enabled ? "1" : nullptr);
  }
  ~OverflowReports() {
    config->Set("stringOverflow", "debug", nullptr);
    KsSetAssertHandler(previous);
  }
  KsAssertHandler previous = KsSetAssertHandler([](const char* text, const char* source, int line) {
    reports.push_back(std::string(text) + "|" + source + "|" + std::to_string(line));
  });
  KsConfig* config = DefaultConfig(reinterpret_cast<KsConfig*>(~uintptr_t{0}));
};

TEST(KsStringConstruction, NumbersAndCharactersGiveTheirText) {
  struct Case {
    KsString value;
    const char* text;
  };
  const Case cases[] = {
      {KsString('x'), "x"},
      {KsString(static_cast<char>(0)), ""},
      {KsString(static_cast<short>(-12)), "-12"},
      {KsString(2147483647), "2147483647"},
      {KsString(4294967295u), "4294967295"},
      {KsString(-9223372036854775807LL - 1), "-9223372036854775808"},
      {KsString(18446744073709551615ULL), "18446744073709551615"},
      {KsString(0.1), "0.10000000000000001"},
      {KsString(-2.5), "-2.5"},
      {KsString(INFINITY), "Infinity"},
      {KsString(-INFINITY), "-Infinity"},
      {KsString(NAN), "NaN"},
      {KsString("abcdef", 3), "abc"},
      {KsString("abc", KsString::kToEnd), "abc"},
      {KsString(static_cast<const char*>(nullptr)), ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Text(c.value), c.text);
    EXPECT_EQ(c.value.CodeSet(), KsString::GetDefault8CodeSet()) << c.text;
    EXPECT_EQ(c.value.Language(), KsString::GetDefaultLanguage()) << c.text;
  }
}

TEST(KsStringConstruction, SixteenBitTextTakesTheDefault16BitCodeSet) {
  const unsigned short units[] = {0x41, 0x20AC, 0x42, 0};
  const KsString s(units);
  EXPECT_EQ(s.CodeSet(), KsString::GetDefault16CodeSet());
  EXPECT_EQ(s.Len(), 3);
  EXPECT_EQ(s.ByteSize(), 8);
  const KsString zero(static_cast<unsigned short>(0));
  EXPECT_EQ(zero.Len(), 0);
  EXPECT_EQ(zero.CodeSet(), KsString::GetDefault16CodeSet());
}

TEST(KsStringNull, NullStateFollowsCodeSetAndLanguage) {
  KsString s("abc");
  EXPECT_EQ(s.SetNullValue(), 0);
  EXPECT_EQ(s.IsNullValue(), 1);
  EXPECT_EQ(s.Len(), 0);
  EXPECT_STREQ(s.StrGet(), "");
  EXPECT_EQ(s.CodeSet(), 0);
  EXPECT_EQ(s.Language(), 254);
  EXPECT_EQ(KsString(254, 0).IsNullValue(), 1);
  EXPECT_EQ(KsString(254, 1).IsNullValue(), 0);
  // Appending keeps the null state; assignment leaves it.
  s << "x";
  EXPECT_EQ(s.IsNullValue(), 1);
  s = "y";
  EXPECT_EQ(s.IsNullValue(), 0);
}

TEST(KsStringAssignment, MoveAndCopyKeepLabels) {
  KsString source(1, 7);
  source << "text";
  KsString copy(source);
  EXPECT_EQ(Text(copy), "text");
  EXPECT_EQ(copy.Language(), 7);
  KsString moved;
  moved.Destruct(source);
  EXPECT_EQ(Text(moved), "text");
  EXPECT_EQ(source.Len(), 0);
  EXPECT_EQ(source.Language(), 7);
  moved = moved;
  EXPECT_EQ(Text(moved), "text");
  moved.Destroy();
  EXPECT_EQ(moved.CodeSet(), 0);
  EXPECT_EQ(moved.Language(), 0);
}

TEST(KsStringAppend, UnsignedShortIsNumberOrCharacterByWidth) {
  KsString narrow("x");
  narrow << static_cast<unsigned short>(65);
  EXPECT_EQ(Text(narrow), "x65");
  KsString wide(static_cast<unsigned short>('x'));
  wide << static_cast<unsigned short>(65);
  EXPECT_EQ(wide.Len(), 2);
  EXPECT_EQ(wide[1].Unit(), 65);
  KsString mixed("n=");
  mixed << 7 << ' ' << 1.5f << KsString("!");
  EXPECT_EQ(Text(mixed), "n=7 1.5!");
  KsString self("ab");
  self += self;
  EXPECT_EQ(Text(self), "abab");
  EXPECT_EQ(Text(KsString("ab") + KsString("cd")), "abcd");
}

TEST(KsStringEdit, ExtractionAndEditingTable) {
  struct Case {
    KsString result;
    const char* expected;
  };
  const Case cases[] = {{KsString("abc").Copy(5, 3), ""},
                        {KsString("abc").Copy(1, 65535), "bc"},
                        {KsString("abcdef").Copy(4, 10), "ef"},
                        {KsString("abcdef").Left(2), "ab"},
                        {KsString("ab").Left(9), "ab"},
                        {KsString("abcdef").Right(2), "ef"},
                        {KsString("ab").Right(9), "ab"},
                        {KsString("abcdef").Cut(1, 2), "adef"},
                        {KsString("abcdef").Cut(3), "abc"},
                        {KsString("abc").Cut(3, 2), "abc"},
                        {KsString("abef").Insert("cd", 2), "abcdef"},
                        {KsString("ab").Insert("cd", 2), "abcd"},
                        {KsString("ab").Insert("cd", 3), "ab"},
                        {KsString("").Insert("cd", 0), "cd"},
                        {KsString("abcd").Replace("xyz", 2), "abxy"},
                        {KsString("abcd").Replace("x", 1), "axcd"},
                        {KsString("abcd").Replace("x", 4), "abcd"},
                        {KsString("a-b-c").ReplaceAll("-", "+-+"), "a+-+b+-+c"},
                        {KsString("a.b.c").ReplaceAll('.', '/', 2), "a.b/c"},
                        {KsString("aXbXc").ReplaceAll("X", ""), "abc"},
                        {KsString("ab").Expand(5, '.'), "ab..."},
                        {KsString("abcdef").Expand(5, '.'), "abcdef"},
                        {KsString("abcdef").Fill(3, 'x'), "xxx"},
                        {KsString("abc").Fill(0, 'x'), ""},
                        {KsString(" \t ab c ").LeftTrim(), "ab c "},
                        {KsString(" ab c \t").RightTrim(), " ab c"},
                        {KsString("  ab  ").Trim(), "ab"},
                        {KsString("   ").Trim(), ""},
                        {KsString("abc-xyz").ToUpper(), "ABC-XYZ"},
                        {KsString("ABC-Xyz").ToLower(), "abc-xyz"}};
  for (const Case& c : cases) EXPECT_EQ(Text(c.result), c.expected) << &c - cases;
}

TEST(KsStringEdit, FindPositions) {
  const KsString text("abcabc");
  EXPECT_EQ(text.Find(KsString("bc")), 1);
  EXPECT_EQ(text.Find(KsString("bc"), 2), 4);
  EXPECT_EQ(text.Find(KsString("bc"), 5), -1);
  EXPECT_EQ(text.Find(KsString("")), -1);
  EXPECT_EQ(KsString("").Find(KsString("a")), -1);
  EXPECT_EQ(text.Find(KsString("a"), 7), -1);
  EXPECT_EQ(text.Find('c'), 2);
  EXPECT_EQ(text.SubStringPos(KsString("ca")), 2);
  // Without 0x100 and 0x10 the pattern matches as a prefix, with wildcards.
  EXPECT_EQ(text.Find(KsString("c?b"), 0, 0), 2);
}

TEST(KsStringSizeLimit, AppendAtTheLimitIsCutAndReportedWhenEnabled) {
  for (bool enabled : {false, true}) {
    OverflowReports overflow(enabled);
    KsString full;
    full.Fill(65531, 'a');
    ASSERT_EQ(full.Len(), 65531);
    ASSERT_EQ(full.ByteSize(), 65532);
    full << "bc";
    EXPECT_EQ(full.Len(), 65531);
    EXPECT_EQ(full.ByteSize(), 65532);
    EXPECT_EQ(full.StrGet()[65530], 'a');
    EXPECT_EQ(full.StrGet()[65531], 0);
    const std::vector<std::string> expected =
        enabled ? std::vector<std::string>{"String overflow|src/ksstring|1110"} : std::vector<std::string>{};
    EXPECT_EQ(reports, expected);
  }
}

TEST(KsStringSizeLimit, EveryEditStaysWithinTheLimit) {
  OverflowReports overflow(true);
  KsString text;
  text.Fill(40000, 'x');
  KsString copy(text);
  copy.Insert(text, 10);
  EXPECT_EQ(copy.ByteSize(), 65532);
  EXPECT_EQ(copy.StrGet()[65531], 0);
  KsString wide(253, 0);
  wide.Fill(40000, static_cast<unsigned short>(0x41));
  EXPECT_EQ(wide.Len(), 32765);
  KsString upper(text);
  upper.Expand(65535, 'y');
  EXPECT_EQ(upper.Len(), 65531);
  upper.ToUpper();
  EXPECT_EQ(upper.Len(), 65531);
  EXPECT_EQ(upper.StrGet()[0], 'X');
  EXPECT_EQ(reports.size(), 3u);
}

TEST(KsStringCodeSet, RelabelAndConvert) {
  KsString s("AB");
  EXPECT_EQ(s.MapToCodeSet(0), -2002);
  EXPECT_EQ(s.SetCodeSetCode(253), -2002);
  EXPECT_EQ(s.MapToCodeSet(253), 0);
  EXPECT_EQ(s.CodeSet(), 253);
  EXPECT_EQ(s.Len(), 2);
  EXPECT_EQ(s.ByteSize(), 6);
  EXPECT_EQ(s[1].Unit(), 'B');
  EXPECT_EQ(s.SetCodeSet(1), 0);
  EXPECT_EQ(Text(s), "AB");
  KsString mapped;
  EXPECT_EQ(mapped.CopyMapped(KsString("hello"), 253, 3), 0);
  EXPECT_EQ(mapped.Len(), 3);
  EXPECT_EQ(mapped[2].Unit(), 'l');
  EXPECT_EQ(mapped.CopyMapped(mapped, 1), -2002);
}

TEST(KsStringNumbers, IntegerTextFollowsTheOptionBit) {
  struct Case {
    const char* text;
    int decimalOnly;
    int anyBase;
  };
  const Case cases[] = {
      {"0x10", 0, 16}, {"010", 10, 8},   {"-42abc", -42, -42},
      {"abc", 0, 0},   {"  17", 17, 17}, {"99999999999", 2147483647, 2147483647},
  };
  int& options = ___KsTypeMgrOptions();
  const int saved = options;
  for (const Case& c : cases) {
    options = saved | 1;
    EXPECT_EQ(static_cast<int>(KsString(c.text)), c.decimalOnly) << c.text;
    EXPECT_EQ(static_cast<long long>(KsString(c.text)),
              c.decimalOnly == 2147483647 ? 99999999999LL : c.decimalOnly)
        << c.text;
    options = saved & ~1;
    EXPECT_EQ(static_cast<int>(KsString(c.text)), c.anyBase) << c.text;
  }
  options = saved;
  EXPECT_EQ(static_cast<short>(KsString("70000")), static_cast<short>(70000));
  EXPECT_EQ(static_cast<int>(KsString()), 0);
}

TEST(KsStringNumbers, AtolFamilyNeedsADigitOrMinusFirst) {
  int value = 5;
  long long wide = 5;
  EXPECT_EQ(KsString("x1").Atol(value), -1);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(KsString(" 1").Strtoll(wide), -1);
  EXPECT_EQ(wide, 0);
  EXPECT_EQ(KsString("0x1f").Strtol(value), 0);
  EXPECT_EQ(value, 31);
  EXPECT_EQ(KsString("0x1f").Atol(value), 0);
  EXPECT_EQ(value, 0);
  EXPECT_EQ(KsString("-12345678901").Atoll(wide), 0);
  EXPECT_EQ(wide, -12345678901LL);
  const unsigned short units[] = {'0', 'x', '2', '0', 0};
  EXPECT_EQ(KsString(units).Strtol(value), 0);
  EXPECT_EQ(value, 32);
}

TEST(KsStringNumbers, DoubleTextWithSpecialValues) {
  EXPECT_EQ(static_cast<double>(KsString("0.10000000000000001")), 0.1);
  EXPECT_EQ(static_cast<double>(KsString("infinity")), INFINITY);
  EXPECT_EQ(static_cast<double>(KsString("-Infinity")), -INFINITY);
  const double nan = static_cast<double>(KsString("NaN"));
  EXPECT_TRUE(std::isnan(nan));
  EXPECT_TRUE(std::signbit(nan));
  EXPECT_EQ(static_cast<double>(KsString("1e999")), INFINITY);
  EXPECT_EQ(static_cast<double>(KsString("words")), 0.0);
  EXPECT_EQ(static_cast<double>(KsString()), 0.0);
}

TEST(KsSplitList, YieldsTrimmedElementsThenEnd) {
  KsString list(" a , b");
  KsString element;
  unsigned short pos = 0;
  ASSERT_EQ(KsSplitList(list, element, KsString(","), pos), 0);
  EXPECT_EQ(Text(element), "a");
  EXPECT_EQ(pos, 4);
  ASSERT_EQ(KsSplitList(list, element, KsString(","), pos), 0);
  EXPECT_EQ(Text(element), "b");
  EXPECT_EQ(pos, 7);
  EXPECT_EQ(KsSplitList(list, element, KsString(","), pos), -2005);
  EXPECT_EQ(Text(element), "b");
}

}  // namespace
