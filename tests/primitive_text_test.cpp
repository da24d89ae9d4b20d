// Primitive values as text through the type manager: default formats, the
// 32/64-bit format dialect, special floating values, round trips at the
// extremes, conversion records, null and default values, translation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "ksstring.h"
#include "kstypconv.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"

namespace {

KsTypeMgr& Mgr() {
  static KsTypeMgr mgr;
  return mgr;
}

template <class T>
std::string Print(char type, T value, const char* format = nullptr) {
  KsString out;
  Mgr().PrintToKsString(type, out, &value, format, 1);
  return out.StrGet();
}

template <class T>
T Scan(char type, const char* text, const char* format = nullptr, T initial = T{}) {
  KsString in(text);
  T value = initial;
  EXPECT_EQ(Mgr().ScanFromKsString(type, &value, in, format, 1), &value);
  return value;
}

TEST(PrimitivePrint, DefaultFormats) {
  EXPECT_EQ(Print<int16_t>(Ks2B_T, -32768), "-32768");
  EXPECT_EQ(Print<uint16_t>(KsU2B_T, 65535), "65535");
  EXPECT_EQ(Print<int32_t>(Ks4B_T, INT32_MIN), "-2147483648");
  EXPECT_EQ(Print<uint32_t>(KsU4B_T, 4294967295u), "4294967295");
  EXPECT_EQ(Print<int>(KsINT_T, -7), "-7");
  EXPECT_EQ(Print<unsigned>(KsUNSIGNED_T, 4000000000u), "4000000000");
  EXPECT_EQ(Print<int>(KsENUM_T, 3), "3");
  EXPECT_EQ(Print<uint32_t>(KsBLOCKID_T, 42), "#42");
  EXPECT_EQ(Print<int64_t>(Ks8B_T, -9), "-9");
  EXPECT_EQ(Print<int64_t>(Ks8B_T, INT64_MIN), "-9223372036854775808");
  EXPECT_EQ(Print<uint64_t>(KsU8B_T, UINT64_MAX), "18446744073709551615");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, 0.1), "0.10000000000000001");
  EXPECT_EQ(Print<float>(KsFLOAT_T, 0.1f), "0.10000000149011612");
  EXPECT_EQ(Print<char>(Ks1B_T, 'A'), "A");
}

TEST(PrimitivePrint, FormatDialectAddressesThirtyTwoAndSixtyFourBits) {
  EXPECT_EQ(Print<int32_t>(Ks4B_T, -1, "%lu"), "4294967295") << "%lu is 32-bit";
  EXPECT_EQ(Print<int32_t>(Ks4B_T, -1, "%lx"), "ffffffff");
  EXPECT_EQ(Print<int64_t>(Ks8B_T, -1, "%I64u"), "18446744073709551615");
  EXPECT_EQ(Print<int64_t>(Ks8B_T, 0x100000001, "%ld"), "1") << "%ld takes the low 32 bits";
  EXPECT_EQ(Print<int64_t>(Ks8B_T, 0x100000001, "%I64x"), "100000001");
  EXPECT_EQ(Print<int16_t>(Ks2B_T, -1, "%hu"), "65535");
  EXPECT_EQ(Print<int32_t>(Ks4B_T, 255, "[%5d|%%|%s]"), "[  255|%|%s]")
      << "conversions that would read memory stay as written";
  EXPECT_EQ(Print<int32_t>(Ks4B_T, 255, "%-4X|"), "FF  |");
  EXPECT_EQ(Print<int32_t>(Ks4B_T, 7, "%d and %d"), "7 and %d") << "one value, one conversion";
  EXPECT_EQ(Print<int32_t>(Ks4B_T, 7, "%"), "%");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, 2.5, "%.3f"), "2.500");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, 2.5, "%d"), "2");
}

TEST(PrimitivePrint, LongCallerFormatIsPrintedWhole) {
  const std::string format = std::string(10000, 'x') + "%ld" + std::string(100, 'y');
  const std::string text = Print<int32_t>(Ks4B_T, 12345, format.c_str());
  EXPECT_EQ(text, std::string(10000, 'x') + "12345" + std::string(100, 'y'));
}

TEST(PrimitivePrint, SpecialFloatingValues) {
  using D = std::numeric_limits<double>;
  EXPECT_EQ(Print<double>(KsDOUBLE_T, D::infinity()), "Infinity");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, -D::infinity()), "-Infinity");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, D::quiet_NaN()), "NaN");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, -D::quiet_NaN()), "NaN");
  EXPECT_EQ(Print<float>(KsFLOAT_T, -std::numeric_limits<float>::infinity()), "-Infinity");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, -0.0), "-0");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, 0.75, "ldexp(%.17g, %d)"), "ldexp(0.75, 0)");
  EXPECT_EQ(Print<double>(KsDOUBLE_T, 6.0, "ldexp(%.17g, %d)"), "ldexp(0.75, 3)");
}

TEST(PrimitivePrint, ArraysOfCharactersReplaceOtherArraysAreJoinedAndAppended) {
  char bytes[3] = {'A', 7, 'B'};
  KsString out("old");
  Mgr().PrintToKsString(Ks1B_T, out, bytes, nullptr, 3);
  EXPECT_STREQ(out.StrGet(), "A0x07B") << "replaces, no separators";
  unsigned char high[2] = {0xFF, ' '};
  KsString u;
  Mgr().PrintToKsString(KsU1B_T, u, high, nullptr, 2);
  EXPECT_STREQ(u.StrGet(), "0xff ");

  // Other arrays are joined by commas and appended.
  int16_t values[3] = {1, -2, 3};
  KsString joined("x=");
  Mgr().PrintToKsString(Ks2B_T, joined, values, nullptr, 3);
  EXPECT_STREQ(joined.StrGet(), "x=1,-2,3");
  KsString one("y=");
  Mgr().PrintToKsString(Ks2B_T, one, values, nullptr, 1);
  EXPECT_STREQ(one.StrGet(), "1") << "a single value replaces";
}

// The extremes of each layout are scanned by the round trips below.
TEST(PrimitiveScan, DefaultFormatsAndDialect) {
  EXPECT_EQ(Scan<int32_t>(Ks4B_T, "  -2147483648"), INT32_MIN);
  EXPECT_EQ(Scan<uint32_t>(KsBLOCKID_T, "#42"), 42u);
  EXPECT_EQ(Scan<int32_t>(Ks4B_T, "ff", "%lx"), 255);
  EXPECT_EQ(Scan<int32_t>(Ks4B_T, "abc", nullptr, 77), 77) << "no match leaves the value";
  EXPECT_EQ(Scan<int32_t>(Ks4B_T, "", nullptr, 77), 77);
  EXPECT_EQ(Scan<uint32_t>(KsBLOCKID_T, "42", nullptr, 5), 5u) << "the '#' must match";
  EXPECT_EQ(Scan<int32_t>(Ks4B_T, "12 34", "%d %n%s", 0), 12) << "%n and %s never write";

  KsString in("5");
  EXPECT_EQ(Mgr().ScanFromKsString(Ks4B_T, nullptr, in, nullptr, 1), nullptr);
}

// Formats a fuzzer found: unknown conversions, stray length modifiers,
// giant precisions. Each gives a defined result without reaching the C
// library with a conversion it does not define.
TEST(PrimitiveScan, HostileFormatsAreDefined) {
  struct Case {
    const char* format;
    const char* text;
    int32_t expected;
  };
  const Case cases[] = {
      {"%z%h%ld", "5", 77},                                  // scanning stops at the unknown conversion
      {"%\xcb%ld", "5", 77},      {"%ld%", "5", 5},          // a trailing '%' ends the format
      {"%*ld%ld", "5 6", 6},                                 // suppressed conversions are matched
      {"%5ld", "1234567", 12345}, {"%.188888888d", "9", 9},  // a precision means nothing to scanning
  };
  for (const Case& c : cases) EXPECT_EQ(Scan<int32_t>(Ks4B_T, c.text, c.format, 77), c.expected) << c.format;
  EXPECT_EQ(Print<int32_t>(Ks4B_T, 5, "%.188888888d|%99999d|%9999d").size(), 12u + 1 + 7 + 1 + 9999)
      << "giant fields are copied as written";
}

TEST(PrimitiveScan, FloatingRules) {
  using D = std::numeric_limits<double>;
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "infinity"), D::infinity());
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "INFINITY"), D::infinity());
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "-Infinity"), -D::infinity());
  EXPECT_TRUE(std::isnan(Scan<double>(KsDOUBLE_T, "NaN")));
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "1e999"), D::infinity());
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "1e-999"), std::atof("1e-999"));
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "junk", nullptr, 5.0), 0.0) << "the default format gives 0.0";
  EXPECT_EQ(Scan<double>(KsDOUBLE_T, "junk", "%lf", 5.0), 5.0) << "other formats follow scanf";
  EXPECT_EQ(Scan<float>(KsFLOAT_T, "0.10000000149011612"), 0.1f);
  EXPECT_EQ(Scan<float>(KsFLOAT_T, "2.5", "%f"), 2.5f);
}

TEST(PrimitiveScan, CharactersReadHexAndStepOneCharacter) {
  char bytes[4] = {};
  KsString in("0x41B");
  Mgr().ScanFromKsString(Ks1B_T, bytes, in, nullptr, 4);
  // "0x41B" reads as hexadecimal 0x41B (low byte 0x1B), then the elements
  // read on from inside the same text: "x41B" -> 'x', "41B" -> '4', "1B" -> '1'.
  EXPECT_EQ(bytes[0], 0x1B);
  EXPECT_EQ(bytes[1], 'x');
  EXPECT_EQ(bytes[2], '4');
  EXPECT_EQ(bytes[3], '1');
}

template <class T>
void ExpectRoundTrip(char type, std::initializer_list<T> values) {
  for (T v : values) EXPECT_EQ(Scan<T>(type, Print<T>(type, v).c_str()), v) << int{type} << ": " << v;
}

// Print then scan gives the value back at every extreme.
TEST(PrimitiveRoundTrip, ExtremesOfEveryLayout) {
  using D = std::numeric_limits<double>;
  using F = std::numeric_limits<float>;
  ExpectRoundTrip<int16_t>(Ks2B_T, {INT16_MIN, -1, 0, INT16_MAX});
  ExpectRoundTrip<uint16_t>(KsU2B_T, {0, UINT16_MAX});
  for (char type : {Ks4B_T, KsINT_T}) ExpectRoundTrip<int32_t>(type, {INT32_MIN, -1, 0, INT32_MAX});
  for (char type : {KsU4B_T, KsUNSIGNED_T, KsBLOCKID_T}) ExpectRoundTrip<uint32_t>(type, {0, UINT32_MAX});
  ExpectRoundTrip<int64_t>(Ks8B_T, {INT64_MIN, -1, 0, INT64_MAX});
  ExpectRoundTrip<uint64_t>(KsU8B_T, {0, UINT64_MAX});
  for (double v : {D::lowest(), D::max(), D::min(), D::denorm_min(), -D::denorm_min(), 0.1, -0.0,
                   D::infinity(), -D::infinity()}) {
    const double back = Scan<double>(KsDOUBLE_T, Print<double>(KsDOUBLE_T, v).c_str());
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << v;
    const double exact = Scan<double>(KsDOUBLE_T, Print<double>(KsDOUBLE_T, v, "ldexp(%.17g, %d)").c_str(),
                                      "ldexp(%.17g, %d)");
    EXPECT_EQ(exact, v);
  }
  EXPECT_TRUE(std::isnan(Scan<double>(KsDOUBLE_T, Print<double>(KsDOUBLE_T, D::quiet_NaN()).c_str())));
  for (float v : {F::lowest(), F::max(), F::min(), F::denorm_min(), -0.0f, F::infinity()}) {
    const float back = Scan<float>(KsFLOAT_T, Print<float>(KsFLOAT_T, v).c_str());
    EXPECT_EQ(std::memcmp(&back, &v, sizeof v), 0) << v;
  }
  for (int c = 0; c < 256; ++c) ExpectRoundTrip<unsigned char>(KsU1B_T, {static_cast<unsigned char>(c)});
}

// ---------------------------------------------------------------------------
// Conversion records

TEST(ConversionRecords, TextsOfValuesAndBack) {
  char a = 65;
  KsTypeConvertData* record = Mgr().ConvertTo(Ks1B_T, &a, 1);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "65") << "the number, not the character";
  EXPECT_EQ(record->mgr, &Mgr());
  EXPECT_EQ(record->GetString(1), nullptr);
  EXPECT_EQ(record->GetString(-1), nullptr);
  delete record;

  uint32_t big = 4294967295u;
  record = Mgr().ConvertTo(KsU4B_T, &big, 1);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "4294967295");
  auto* back = static_cast<uint32_t*>(Mgr().ConvertFrom(KsU4B_T, record, 1));
  EXPECT_EQ(*back, 4294967295u);
  Mgr().Delete(KsU4B_T, back, 1);
  delete record;

  double d[2] = {0.5, -1e300};
  record = Mgr().ConvertTo(KsDOUBLE_T, d, 2);
  auto* dback = static_cast<double*>(Mgr().ConvertFrom(KsDOUBLE_T, record, 2));
  EXPECT_EQ(dback[0], 0.5);
  EXPECT_EQ(dback[1], -1e300);
  Mgr().Delete(KsDOUBLE_T, dback, 2);
  delete record;

  EXPECT_EQ(Mgr().ConvertTo(KsRES_T, d, 1), nullptr);
  EXPECT_EQ(Mgr().ConvertFrom(KsRES_T, nullptr, 1), nullptr);
}

TEST(ConversionRecords, NullAndMissingTextsGiveZero) {
  KsString* strings = static_cast<KsString*>(Mgr().Create(KsSTRING_T, 2));
  strings[0] = "12";
  strings[1].SetNullValue();
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, 2, strings, nullptr);
  const int types[] = {Ks1B_T,  Ks2B_T,       Ks4B_T,   KsDOUBLE_T, KsFLOAT_T,   KsU2B_T, KsU4B_T,
                       KsINT_T, KsUNSIGNED_T, KsENUM_T, KsU1B_T,    KsBLOCKID_T, Ks8B_T,  KsU8B_T};
  for (int type : types) {
    void* values = Mgr().ConvertFrom(static_cast<char>(type), record, 3);
    ASSERT_NE(values, nullptr);
    const unsigned size = Mgr().MemLenGet(static_cast<char>(type));
    const auto* bytes = static_cast<unsigned char*>(values);
    EXPECT_EQ(std::vector<unsigned char>(bytes + size, bytes + 3 * size),
              std::vector<unsigned char>(2 * size, 0))
        << "null text, then missing text, type " << type;
    Mgr().Delete(static_cast<char>(type), values, 3);
  }
  EXPECT_EQ(record->mgr, &Mgr()) << "ConvertFrom adopts the record";
  delete record;  // owns the strings now
}

TEST(ConversionRecords, DestructionAndOwnership) {
  KsString* strings = static_cast<KsString*>(Mgr().Create(KsSTRING_T, 1));
  strings[0] = "kept";
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, 1, strings, nullptr);
  delete record;
  EXPECT_STREQ(strings[0].StrGet(), "kept") << "a record without a manager owns nothing";
  Mgr().Delete(KsSTRING_T, strings, 1);

  KsTypeConvertData* other = KsTypeConvertData::Make(Ks4B_T, 1, nullptr, nullptr);
  EXPECT_EQ(other->GetString(0), nullptr) << "not a text record";
  delete other;
}

template <class T>
void ExpectExportedConverters(char type, KsTypeConvertData* (*to)(void*, unsigned),
                              void* (*from)(KsTypeConvertData*, unsigned), T value, const char* text) {
  KsTypeConvertData* record = to(&value, 1);
  EXPECT_STREQ(record->GetString(0)->StrGet(), text);
  auto* back = static_cast<T*>(from(record, 1));
  EXPECT_EQ(*back, value);
  Mgr().Delete(type, back, 1);
  record->mgr = &Mgr();
  delete record;
}

TEST(ConversionRecords, ExportedConverters) {
  ExpectExportedConverters<unsigned char>(KsU1B_T, O_U1BConvertToKsString, O_U1BConvertFromKsString, 200,
                                          "200");
  ExpectExportedConverters<uint16_t>(KsU2B_T, WordConvertToKsString, WordConvertFromKsString, 65535, "65535");
}

// The older packed conversions are protected; hosts reach them by deriving.
class PackingTypeMgr : public KsTypeMgr {
 public:
  using KsTypeMgr::ConvertFromKsStringOld;
  using KsTypeMgr::ConvertToKsStringOld;
};

TEST(ConversionRecords, PackedTextsWithAChosenSeparator) {
  PackingTypeMgr mgr;
  int16_t values[2] = {1, 2};
  KsString* packed = mgr.ConvertToKsStringOld(values, Ks2B_T, 2);
  ASSERT_NE(packed, nullptr);
  EXPECT_STREQ(packed->StrGet(),
               "1\x01"
               "2\x01");
  auto* back = static_cast<int16_t*>(mgr.ConvertFromKsStringOld(packed, Ks2B_T, 2));
  EXPECT_EQ(back[0], 1);
  EXPECT_EQ(back[1], 2);
  EXPECT_EQ(packed->Len(), 0) << "the text is consumed";
  mgr.Delete(Ks2B_T, back, 2);
  mgr.Delete(KsSTRING_T, packed, 1);

  KsString empty;
  auto* one = static_cast<int16_t*>(mgr.ConvertFromKsStringOld(&empty, Ks2B_T, 1));
  ASSERT_NE(one, nullptr);
  EXPECT_EQ(one[0], 0);
  mgr.Delete(Ks2B_T, one, 1);
}

// ---------------------------------------------------------------------------
// Null, default values and translation

TEST(PrimitiveValues, SetNullGivesTheValueOfAnEmptyText) {
  int32_t l = 99;
  EXPECT_EQ(Mgr().SetNullValue(Ks4B_T, &l), 0);
  EXPECT_EQ(l, 0);
  EXPECT_EQ(Mgr().IsNullValue(Ks4B_T, &l), 0) << "primitives have no null value";
  double d = 3.5;
  EXPECT_EQ(Mgr().SetNullValue(KsDOUBLE_T, &d), 0);
  EXPECT_EQ(d, 0.0);

  auto* defaults = static_cast<double*>(Mgr().DefaultValue(KsDOUBLE_T, 2, 1));
  ASSERT_NE(defaults, nullptr);
  EXPECT_EQ(defaults[0], 0.0);
  EXPECT_EQ(defaults[1], 0.0);
  Mgr().Delete(KsDOUBLE_T, defaults, 2);

  auto* chars = static_cast<char*>(Mgr().Create(Ks1B_T, 3));
  EXPECT_EQ(chars[0] | chars[1] | chars[2], 0);
  Mgr().Delete(Ks1B_T, chars, 3);
}

TEST(PrimitiveValues, ElementSlots) {
  int32_t dst[5] = {};
  int32_t src[5] = {7, 8, 9, 10, 11};
  Mgr().AssignmentPtrGet(Ks4B_T)(dst, src, 5, 1);
  for (int32_t v : dst) EXPECT_EQ(v, 7);
  Mgr().CopyPtrGet(Ks4B_T)(dst, src, 5, 0);
  EXPECT_EQ(dst[4], 11);
  Mgr().ConstructorPtrGet(Ks4B_T)(dst, 5, 0);
  for (int32_t v : dst) EXPECT_EQ(v, 0);
  EXPECT_EQ(Mgr().DiskLenGetFromMemFile(KsINT_T, nullptr, 2, 3), 12u);
  EXPECT_EQ(Mgr().DiskLenGetFromMemFile(KsU2B_T, nullptr, 2, 3), 6u);
}

TEST(PrimitiveValues, TranslateInAllFourDirections) {
  using Bytes = std::vector<unsigned char>;
  const int32_t values[2] = {1, 0x01020304};
  Bytes big(8);
  EXPECT_EQ(Mgr().Translate(Ks4B_T, big.data(), 2, 8, const_cast<int32_t*>(values), 8, 8, 2), 8u);
  EXPECT_EQ(big, (Bytes{0, 0, 0, 1, 1, 2, 3, 4}));

  int32_t back[2] = {};
  EXPECT_EQ(Mgr().Translate(Ks4B_T, back, 8, 8, big.data(), 2, 8, 2), 8u);
  EXPECT_EQ(back[1], 0x01020304);
  int32_t copy[2] = {};
  EXPECT_EQ(Mgr().Translate(Ks4B_T, copy, 8, 8, back, 8, 8, 2), 8u);
  EXPECT_EQ(copy[0], 1);

  Bytes wide(8, 0xEE), narrow(8, 0xEE);
  EXPECT_EQ(Mgr().Translate(Ks4B_T, wide.data(), 2, 8, big.data() + 4, 2, 3, 2), 3u);
  EXPECT_EQ(wide, (Bytes{1, 2, 3, 0, 0, 0, 0, 0})) << "stored to stored: zero-padded";
  EXPECT_EQ(Mgr().Translate(Ks4B_T, narrow.data(), 1, 3, big.data() + 4, 2, 8, 2), 3u);
  EXPECT_EQ(narrow, (Bytes{1, 2, 3, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE})) << "stored to stored: cut";
}

}  // namespace
