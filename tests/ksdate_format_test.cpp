// The date format engine: every directive printed and scanned, optional directives and groups,
// wildcards, the 12-hour clock, the null print string, and hostile formats and input.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "ksdate.h"
#include "ksdate/format/date_format.h"
#include "ksdatetime.h"
#include "ksdatetimen.h"
#include "ksstring.h"

namespace {

using ks::datefmt::DateTimeFields;

struct Fields {
  int year, month, day, hour, minute, second, nanos;
};

DateTimeFields ToEngine(const Fields& f) {
  return {static_cast<int16_t>(f.year), static_cast<int8_t>(f.month),  static_cast<int8_t>(f.day),
          static_cast<int8_t>(f.hour),  static_cast<int8_t>(f.minute), static_cast<int8_t>(f.second),
          static_cast<int32_t>(f.nanos)};
}

std::string Print(const Fields& f, const char* format) {
  KsString out;
  ks::datefmt::PrintFields(out, ToEngine(f), format);
  return out.StrGet();
}

void ExpectFields(const DateTimeFields& v, const Fields& f, const std::string& context) {
  const std::array<int, 7> actual = {v.year, v.month, v.day, v.hour, v.minute, v.second, v.nanoseconds};
  EXPECT_EQ(actual, (std::array{f.year, f.month, f.day, f.hour, f.minute, f.second, f.nanos})) << context;
}

constexpr Fields kApril15{2021, 4, 15, 14, 5, 9, 0};

struct PrintCase {
  Fields value;
  const char* format;
  const char* expected;
};

void RunPrintCases(const PrintCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    EXPECT_EQ(Print(cases[i].value, cases[i].format), cases[i].expected) << "format " << cases[i].format;
  }
}

TEST(DateFormatPrint, EveryDirectiveAndSecondsWithFraction) {
  const PrintCase cases[] = {
      {kApril15, "%a %e.%b %Y", "Thu 15.Apr 2021"},
      {kApril15, "%A %d %B", "Thursday 15 April"},
      {{2021, 1, 5, 0, 0, 0, 0}, "%B %b %e", "Januar Jan 05"},
      {{2021, 2, 5, 0, 0, 0, 0}, "%B", "Februar"},
      {{2021, 13, 5, 0, 0, 0, 0}, "%B|%b", "013|013"},
      {{21, 4, 5, 0, 0, 0, 0}, "%Y", "0021"},
      {{-4713, 11, 24, 0, 0, 0, 0}, "%Y", "-4713"},
      {{-5, 1, 1, 0, 0, 0, 0}, "%Y %y", "-0005 -05"},
      {{2021, 4, 15, 0, 0, 0, 0}, "%y", "21"},
      {{2005, 4, 15, 0, 0, 0, 0}, "%y", "05"},
      {{-2021, 4, 15, 0, 0, 0, 0}, "%y", "-21"},
      {kApril15, "%H:%M:%S", "14:05:09"},
      {{2021, 4, 15, 3, 4, 5, 123}, "%N", "123"},
      {{2021, 4, 15, 3, 4, 5, 0}, "%T|%D", "03:04:05|2021-04-15"},
      {{2021, 4, 15, 10, 20, 30, 250000000}, "%O", "2021-04-15T10:20:30"},
      {{2021, 4, 15, 10, 20, 30, 250000000}, "%X", "2021-04-15T10:20:30.250"},
      {{0, 0, 1, 2, 3, 4, 500000000}, "%V", "1.02:03:04.500"},
      {{2021, 4, 15, 0, 0, 0, 0}, "%J", "727695"},
      {kApril15, "100%% %Q%", "100% Q"},
      {kApril15, "(%d)", "(15)"},
  };
  RunPrintCases(cases, std::size(cases));
  // %f: the seconds, then the nanoseconds cut to 3, 6 or 9 digits; none when 0.
  struct Fraction {
    int second, nanos;
    const char* expected;
  };
  const Fraction fractions[] = {{1, 1000, "01.000001"},      {9, 0, "09"},
                                {5, 500000000, "05.500"},    {0, 0, "00"},
                                {7, 123456, "07.000123456"}, {59, 999999999, "59.999999999"},
                                {12, 120000000, "12.120"}};
  for (const Fraction& c : fractions) {
    EXPECT_EQ(Print({0, 0, 0, 0, 0, c.second, c.nanos}, "%f"), c.expected) << c.second << "." << c.nanos;
  }
}

TEST(DateFormatPrint, TwelveHourClock) {
  struct Case {
    int hour;
    const char* withMarker;
    const char* withoutMarker;
  };
  // %p and %P both print the marker in capitals.
  const Case cases[] = {{0, "12 AM 12 AM", "00"},    {1, "01 AM 01 AM", "01"},  {11, "11 AM 11 AM", "11"},
                        {12, "12 PM 12 PM", "12"},   {13, "01 PM 01 PM", "01"}, {23, "11 PM 11 PM", "11"},
                        {-3, "-03 AM -03 AM", "-03"}};
  for (const Case& c : cases) {
    const Fields f{2021, 4, 15, c.hour, 30, 0, 0};
    EXPECT_EQ(Print(f, "%I %p %I %P"), c.withMarker) << c.hour;
    EXPECT_EQ(Print(f, "%I"), c.withoutMarker) << c.hour;
  }
  EXPECT_EQ(Print(kApril15, "%I:%M:%S %p"), "02:05:09 PM");
  EXPECT_EQ(Print({0, 0, 0, 0, 30, 0, 0}, "%I:%M:%S %p"), "12:30:00 AM");
}

TEST(DateFormatPrint, OptionalDirectivesAndGroups) {
  const PrintCase cases[] = {
      {{0, 0, 0, 2, 0, 0, 0}, "%?J.%H", ".02"},
      {{0, 0, 0, 2, 0, 0, 0}, "%?(J.)%H", "02"},
      {{0, 0, 3, 2, 0, 0, 0}, "%?(J.)%H", "3.02"},
      {{0, 0, 0, 0, 5, 0, 0}, "%?H:%M", ":05"},
      {{0, 0, 0, 0, 0, 0, 0}, "%?H:%?M", ":"},
      {{0, 0, 0, 0, 0, 0, 0}, "%H:%?M", "00:00"},  // once printed, ? has no effect
      {{0, 0, 0, 0, 0, 0, 0}, "%?(H:)%?(M:)%S", "00"},
      {{0, 0, 0, 0, 0, 1, 0}, "%?f|%?a|%?p", "01|Wed|AM"},
      {{0, 0, 0, 0, 0, 0, 0}, "%?f|%?a|%?p|%?N", "|||"},
      {{2021, 4, 15, 0, 0, 0, 0}, "a)b", "a)b"},
  };
  RunPrintCases(cases, std::size(cases));
}

TEST(DateFormatPrint, Wildcards) {
  const PrintCase cases[] = {
      {{-1, 4, 15, 0, 0, 0, 0}, "%Y-%m-%d", "*-04-15"},
      {{2021, -1, -1, 0, 0, 0, 0}, "%b %B %a %e", "* * * *"},
      {{-1, -1, -1, 0, 0, 0, 0}, "%J", "*"},
      {{-1, -1, 3, 0, 0, 0, 0}, "%J", "-387"},
      {{0, 0, 0, -1, 5, 0, 0}, "%I:%M %p", "*:05 AM"},
      {{0, 0, 0, 10, -1, 0, 0}, "%H:%M %p", "10:* *"},
      {{-1, 0, 0, 0, 0, 0, 0}, "%Y%%", "*%*"},
      {{0, 0, 0, 0, 0, -1, 5}, "%f %N", "* 5"},
      {{0, 0, 0, 0, 0, 5, -1}, "%N", "*"},
      {{0, 0, 0, 0, 0, -1, 0}, "%?S%?M", "*"},  // a wildcard does not count as printed
  };
  RunPrintCases(cases, std::size(cases));
}

TEST(DateFormatPrint, HostileFormatsEndCleanly) {
  using Case = std::pair<const char*, const char*>;
  const Case cases[] = {{"", ""},        {"%", ""},        {"%?(%?(Y)", "%?(Y"},
                        {"abc%", "abc"}, {"%?", ""},       {"\xff%\xfe", "\xff\xfe"},
                        {"x%?(", "x"},   {"%?(Y", "2021"}, {"))%?(", "))"}};
  for (const auto& [format, expected] : cases) EXPECT_EQ(Print(kApril15, format), expected) << format;
  KsString fromNull("old");
  ks::datefmt::PrintFields(fromNull, ToEngine(kApril15), nullptr);
  EXPECT_STREQ(fromNull.StrGet(), "");
  // Output grows with the format up to the largest string.
  std::string longFormat;
  for (int i = 0; i < 20000; ++i) longFormat += "%Y";
  KsString out;
  ks::datefmt::PrintFields(out, ToEngine(kApril15), longFormat.c_str());
  EXPECT_EQ(out.Len(), KsString::kMaxByteSize - 1);
  EXPECT_EQ(std::string(out.StrGet(), 8), "20212021");
}

// The printed text replaces whatever the string held as an assignment of char text does: default 8-bit
// code set and language, a buffer of the text's size, whatever size or unit width the old one had.
TEST(DateFormatPrint, PrintedTextTakesTheDefaultsWhateverTheStringHeld) {
  const unsigned short sevenUnits[] = {'a', 'b', 'c', 'd', 'e', 'f', 'g', 0};
  KsString sameSize("abcdefghijklmno"), longer("abcdefghijklmnopqrstuvwxyz"), wide(sevenUnits);
  KsString otherLanguage("abcdefghijklmno");
  otherLanguage.SetLanguage(static_cast<unsigned char>(KsString::GetDefaultLanguage() + 1));
  ASSERT_EQ(wide.ByteSize(), 16);
  for (KsString* out : {&sameSize, &longer, &wide, &otherLanguage}) {
    ks::datefmt::PrintFields(*out, ToEngine(kApril15), "%a %e.%b %Y");
    EXPECT_STREQ(out->StrGet(), "Thu 15.Apr 2021");
    EXPECT_EQ(out->ByteSize(), 16);
    EXPECT_EQ(out->CodeSet(), KsString::GetDefault8CodeSet());
    EXPECT_EQ(out->Language(), KsString::GetDefaultLanguage());
  }
}

struct ScanCase {
  const char* format;
  const char* input;
  bool succeeds;
  Fields result;
};

void RunScanCases(const ScanCase* cases, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const ScanCase& c = cases[i];
    KsString in(c.input);
    DateTimeFields fields{};
    EXPECT_EQ(ks::datefmt::ScanFields(fields, in, c.format), c.succeeds) << c.format << " / " << c.input;
    ExpectFields(fields, c.result, std::string(c.format) + " / " + c.input);
  }
}

TEST(DateFormatScan, EveryDirective) {
  const ScanCase cases[] = {
      {"%X", "2021-04-15T10:20:30.25", true, {2021, 4, 15, 10, 20, 30, 250000000}},
      {"%O", "2021-04-15T10:20:30", true, {2021, 4, 15, 10, 20, 30, 0}},
      {"%D %T", "2021-04-15 10:20:30", true, {2021, 4, 15, 10, 20, 30, 0}},
      {"%V", "1.02:03:04.5", true, {0, 0, 1, 2, 3, 4, 500000000}},
      {"%y", "5", true, {2005, 0, 0, 0, 0, 0, 0}},
      {"%y", "31", true, {1931, 0, 0, 0, 0, 0, 0}},
      {"%y", "30", true, {2030, 0, 0, 0, 0, 0, 0}},
      {"%e.%m.%Y", "5.6.-44", true, {-44, 6, 5, 0, 0, 0, 0}},
      {"%H:%M:%S", "10:20", false, {0, 0, 0, 10, 20, 0, 0}},
      {"%Y", "*", true, {-1, 0, 0, 0, 0, 0, 0}},
      {"%I:%M %p", "03:00 pm", true, {0, 0, 0, 15, 0, 0, 0}},
      {"%I:%M %p", "12:00 am", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%I:%M %P", "12:00 PM", true, {0, 0, 0, 12, 0, 0, 0}},
      {"%I:%M %p", "11:59 P", true, {0, 0, 0, 23, 59, 0, 0}},
      {"%N", "123456789", true, {0, 0, 0, 0, 0, 0, 123456789}},
      {"%N", "x", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%f", "-1.5", true, {0, 0, 0, 0, 0, -1, -500000000}},
      {"%f", "7", true, {0, 0, 0, 0, 0, 7, 0}},
      {"%f", "1e1", true, {0, 0, 0, 0, 0, 10, 0}},
      {"%J", "727695", true, {2021, 4, 15, 0, 0, 0, 0}},
      {"%%%Y", "%2021", true, {2021, 0, 0, 0, 0, 0, 0}},
      {"%Q%Y", "Z2021", true, {2021, 0, 0, 0, 0, 0, 0}},
      {"%Y - %m", "  2021   -   04", true, {2021, 4, 0, 0, 0, 0, 0}},
      {"%?(Y)-%m", "2021-04", true, {2021, 4, 0, 0, 0, 0, 0}},
      {"", "anything", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%Y", "", false, {0, 0, 0, 0, 0, 0, 0}},
      {"%Y", "abc", true, {0, 0, 0, 0, 0, 0, 0}},
  };
  RunScanCases(cases, std::size(cases));
}

TEST(DateFormatScan, NamesAndLiterals) {
  const ScanCase cases[] = {
      {"%B %d", "Februar 3", true, {0, 2, 3, 0, 0, 0, 0}},
      {"%b%d", "Feb3", true, {0, 2, 3, 0, 0, 0, 0}},
      // The final letter of "February" is left in the input for %d.
      {"%B%d", "February3", true, {0, 2, 0, 0, 0, 0, 0}},
      {"%B", "Dec", true, {0, 12, 0, 0, 0, 0, 0}},
      {"%B/%d", "12/7", true, {0, 12, 7, 0, 0, 0, 0}},
      {"%B%d", "jan15", true, {0, 0, 15, 0, 0, 0, 0}},
      {"%B", "Ja", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%A %d", "Thursday 15", true, {0, 0, 15, 0, 0, 0, 0}},
      {"%a,%d", "Thu,15", true, {0, 0, 15, 0, 0, 0, 0}},
      {"%a%d", "15", true, {0, 0, 15, 0, 0, 0, 0}},
      // Literal digits are taken only by the same digit; other characters always.
      {"T%H", "9", true, {0, 0, 0, 9, 0, 0, 0}},
      {"1%H", "19", true, {0, 0, 0, 9, 0, 0, 0}},
      {"%Y/%m", "2021-04", true, {2021, 4, 0, 0, 0, 0, 0}},
      {"ab%H", "a", false, {0, 0, 0, 0, 0, 0, 0}},
  };
  RunScanCases(cases, std::size(cases));
}

TEST(DateFormatScan, WildcardsAndExpansions) {
  const ScanCase cases[] = {
      {"%J", "*", true, {-1, -1, -1, 0, 0, 0, 0}},
      {"%f", "*", true, {0, 0, 0, 0, 0, -1, -1}},
      {"%Y-%m-%d", "*-*-15", true, {-1, -1, 15, 0, 0, 0, 0}},
      {"%a %B %p %d", "* * * 7", true, {0, -1, 7, 0, 0, 0, 0}},
      // A '*' read just before the format enters or leaves an expansion is read again by the next one.
      {"%D%H", "2021-04-*", true, {2021, 4, -1, -1, 0, 0, 0}},
      {"%Y%D", "*", false, {-1, 0, 0, 0, 0, 0, 0}},
      {"%X", "*", false, {-1, 0, 0, 0, 0, 0, 0}},
      {"%%", "*", true, {0, 0, 0, 0, 0, 0, 0}},
  };
  RunScanCases(cases, std::size(cases));
}

TEST(DateFormatScan, HostileInputAndFormatsEndCleanly) {
  const ScanCase cases[] = {
      {"%", "x", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%?", "x", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%?(", "", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%?(Y", "12", true, {12, 0, 0, 0, 0, 0, 0}},
      {")))%Y", "))7", true, {7, 0, 0, 0, 0, 0, 0}},
      {"%Y", "99999999999999999999", true, {-1, 0, 0, 0, 0, 0, 0}},  // held at INT_MAX, cut to 16 bits
      {"%Y", "-99999999999999999999", true, {0, 0, 0, 0, 0, 0, 0}},  // INT_MIN cut to 16 bits
      {"%f", "1e999", true, {0, 0, 0, 0, 0, -1, 854775807}},         // held at INT64_MAX
      {"%f", "nan", true, {0, 0, 0, 0, 0, 0, 0}},
      {"%I %p", "1 p", true, {0, 0, 0, 13, 0, 0, 0}},
      {"%B", "D", true, {0, 0, 0, 0, 0, 0, 0}},
  };
  RunScanCases(cases, std::size(cases));

  KsString some("2021");
  DateTimeFields read{};
  EXPECT_TRUE(ks::datefmt::ScanFields(read, some, nullptr));
  ExpectFields(read, {0, 0, 0, 0, 0, 0, 0}, "null format");

  // Long formats and long input end, and read nothing beyond the input.
  std::string format;
  for (int i = 0; i < 5000; ++i) format += "%f%N%B%J%p";
  std::string input(60000, '1');
  input += "e";
  for (int i = 0; i < 3000; ++i) input += "nan.";
  KsString in(input.c_str());
  DateTimeFields fields{};
  EXPECT_FALSE(ks::datefmt::ScanFields(fields, in, format.c_str()));
}

TEST(DateFormatScan, SixteenBitInputIsNarrowedFirst) {
  const unsigned short units[] = {'2', '0', '2', '1', '-', '0', '4', 0};
  KsString in(units);
  ASSERT_EQ(in.CharWidth(), 2);
  DateTimeFields fields{};
  EXPECT_TRUE(ks::datefmt::ScanFields(fields, in, "%Y-%m"));
  ExpectFields(fields, {2021, 4, 0, 0, 0, 0, 0}, "16-bit");
}

// Scans text into value with the class's default format and prints it back.
template <class T>
std::string RoundTrip(T value, const char* text) {
  KsString in(text), out;
  value.ScanFromKsString(in, nullptr);
  value.PrintToKsString(out, nullptr);
  return out.StrGet();
}

TEST(DateFormatClasses, DefaultFormatsBothWays) {
  const std::pair<const char*, std::string (*)(const char*)> cases[] = {
      {"2021-04-15", [](const char* t) { return RoundTrip(KsDate(0, 0, 0), t); }},
      {"10:20:30", [](const char* t) { return RoundTrip(KsTime(0, 0, 0), t); }},
      {"2021-04-15T10:20:30",
       [](const char* t) { return RoundTrip(KsDateTime(KsDate(0, 0, 0), KsTime(0, 0, 0)), t); }},
      {"2021-04-15T10:20:30.250", [](const char* t) { return RoundTrip(KsDateTimeN(), t); }},
      {"3.02:03:04.000001", [](const char* t) { return RoundTrip(KsTimeSpan(), t); }},
  };
  for (const auto& [text, roundTrip] : cases) {
    EXPECT_EQ(roundTrip(text), text);
    EXPECT_EQ(roundTrip("{NULL}"), "{NULL}") << text;
  }
}

TEST(DateFormatClasses, FailedScanStillStoresTheFields) {
  KsDateTime v(KsDate(1, 1, 1), KsTime(1, 1, 1));
  KsString in("2021-04-15T10");
  v.ScanFromKsString(in, nullptr);
  EXPECT_EQ(v.date == KsDate(2021, 4, 15), 1);
  EXPECT_EQ(v.time == KsTime(10, 0, 0), 1);

  KsDate d(2021, 4, 15);
  KsString other("{NULL} trailing");
  d.ScanFromKsString(other, "%Y");
  EXPECT_EQ(d.IsNullValue(), 1);
  KsString printed;
  d.PrintToKsString(printed, "%Y");
  EXPECT_STREQ(printed.StrGet(), "{NULL}");
  KsDate(2021, 4, 15).PrintToKsString(printed, "%a %e.%b %Y");
  EXPECT_STREQ(printed.StrGet(), "Thu 15.Apr 2021");
}

}  // namespace
