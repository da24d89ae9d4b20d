// UTF-8 conversion at every row boundary of the sequence table, malformed
// input, the KsString converters with their limits, and the 16-bit text
// functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ksmultibyte.h"
#include "ksstring.h"

namespace {

// value written as an n-byte sequence (overlong when a shorter one exists).
std::string Sequence(uint32_t value, int n) {
  if (n == 1) return std::string(1, static_cast<char>(value));
  static const unsigned char kLead[] = {0, 0, 0xC0, 0xE0, 0xF0, 0xF8, 0xFC};
  std::string bytes(static_cast<size_t>(n), '\0');
  for (int i = n - 1; i > 0; --i) {
    bytes[static_cast<size_t>(i)] = static_cast<char>(0x80 | (value & 0x3F));
    value >>= 6;
  }
  bytes[0] = static_cast<char>(kLead[n] | value);
  return bytes;
}

// The result and the unit (written over 1) of decoding at most n bytes.
std::pair<int, unsigned short> Decode(std::string bytes, unsigned n = 100) {
  unsigned short unit = 1;
  const int result =
      KsMultiByte2WChar(&unit, bytes.data(), std::min<unsigned>(n, static_cast<unsigned>(bytes.size())));
  return {result, unit};
}

TEST(Utf8Table, EveryRowAtItsBoundaries) {
  struct Row {
    int bytes;
    uint32_t smallest, largest;
  };
  const Row rows[] = {{1, 0x0, 0x7F},         {2, 0x80, 0x7FF},         {3, 0x800, 0xFFFF},
                      {4, 0x10000, 0x1FFFFF}, {5, 0x200000, 0x3FFFFFF}, {6, 0x4000000, 0x7FFFFFFF}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.bytes);
    for (uint32_t value : {row.smallest, row.largest}) {
      if (value == 0) continue;  // the one-byte zero is the terminator
      EXPECT_EQ(Decode(Sequence(value, row.bytes)), std::pair(row.bytes, static_cast<unsigned short>(value)))
          << "kept in 16 bits";
    }
    if (row.bytes == 1) continue;
    EXPECT_EQ(Decode(Sequence(row.smallest - 1, row.bytes)).first, -1) << "overlong";
    EXPECT_EQ(Decode(Sequence(row.largest, row.bytes), static_cast<unsigned>(row.bytes) - 1).first, -1)
        << "truncated";
  }
}

TEST(Utf8Table, EncodingBoundaries) {
  struct Case {
    unsigned short unit;
    std::string bytes;
  };
  const Case cases[] = {
      {0x41, "A"},         {0x7F, "\x7F"},          {0x80, "\xC2\x80"},       {0xE9, "\xC3\xA9"},
      {0x7FF, "\xDF\xBF"}, {0x800, "\xE0\xA0\x80"}, {0x20AC, "\xE2\x82\xAC"}, {0xFFFF, "\xEF\xBF\xBF"}};
  for (const Case& c : cases) {
    char out[4] = {};
    EXPECT_EQ(KsWChar2MultiByte(out, c.unit), static_cast<int>(c.bytes.size())) << c.unit;
    EXPECT_EQ(std::string(out, c.bytes.size()), c.bytes) << c.unit;
  }
  EXPECT_EQ(KsWChar2MultiByte(nullptr, 'a'), 0);
}

TEST(Utf8Decode, MalformedInput) {
  EXPECT_EQ(Decode("\xC3\xA9"), std::pair(2, static_cast<unsigned short>(0xE9)));
  EXPECT_EQ(Decode("\xF0\x9F\x98\x80"), std::pair(4, static_cast<unsigned short>(0xF600)))
      << "kept in 16 bits";
  // An overlong zero, a bad continuation, a continuation that leads, no row for 0xFE.
  for (const char* bad : {"\xC0\x80", "\xC3\x28", "\x80", "\xFE\x80\x80\x80\x80\x80\x80"})
    EXPECT_EQ(Decode(bad).first, -1) << static_cast<unsigned>(static_cast<unsigned char>(bad[0]));
  unsigned short unit = 0;
  EXPECT_EQ(KsMultiByte2WChar(&unit, nullptr, 3), 0);
  char a[] = "a";
  EXPECT_EQ(KsMultiByte2WChar(&unit, a, 0), -1);
}

TEST(Utf8Decode, StringOfUnits) {
  std::string text = "a\xC3\xA9\xE2\x82\xAC";
  unsigned short out[3] = {};
  EXPECT_EQ(KsMultiByteStr2WCharStr(out, 3, text.data(), static_cast<int>(text.size())), 3);
  EXPECT_EQ(out[1], 0xE9);
  EXPECT_EQ(out[2], 0x20AC);
  unsigned short one[1] = {};
  EXPECT_EQ(KsMultiByteStr2WCharStr(one, 1, text.data(), static_cast<int>(text.size())), 3)
      << "counted, not stored";
  EXPECT_EQ(KsMultiByteStr2WCharStr(out, 3, text.data(), 0), 0);
  EXPECT_EQ(KsMultiByteStr2WCharStr(out, 3, text.data(), 2), -1) << "cut inside a sequence";
}

using Units = std::vector<unsigned short>;

Units UnitsOf(const KsString& s) {
  Units units(s.Len());
  if (!units.empty()) std::memcpy(units.data(), s.StrGet(), units.size() * 2);
  return units;
}

TEST(Utf8ToKsString, ResultAndUnitsKept) {
  const std::string q(40000, 'q');
  struct Case {
    const char* what;
    const char* bytes;
    int length, result;
    std::optional<Units> units;
  };
  const Case cases[] = {
      {"ASCII", q.data(), 300, 300, Units(300, 'q')},
      {"mixed", "z\xC3\xA9\xE2\x82\xAC!", 7, 7, Units{'z', 0xE9, 0x20AC, '!'}},
      {"a decoded zero is counted, not kept", "ab\0cd", 5, 3, Units{'a', 'b'}},
      {"an overlong zero is invalid, not a zero", "\xC3\xA9\xC0\x80zz", 6, -1, Units{0xE9}},
      {"nothing to read empties the string", "abc", 0, 0, Units{}},
      {"an invalid sequence keeps what was decoded", "ab\xC3(", 4, -1, Units{'a', 'b'}},
      {"32 KB are too long: cut at the string's limit", q.data(), 32768, -2, Units(32765, 'q')},
      {"just below 32 KB", q.data(), 32767, 32767, std::nullopt}};
  using Convert = int (*)(const char*, KsString&, int);
  for (Convert convert : {Convert{KsMBS2KsString}, Convert{KsMultiByteString2KsString}}) {
    for (const Case& c : cases) {
      KsString out(1, 4);
      out << "keep";
      EXPECT_EQ(convert(c.bytes, out, c.length), c.result) << c.what;
      EXPECT_EQ(UnitsOf(out), c.units.value_or(UnitsOf(out))) << c.what;
      EXPECT_EQ(out.CodeSet(), 253) << c.what;
      EXPECT_EQ(out.Language(), 4) << "the language stays";
    }
  }
  KsString out;
  EXPECT_EQ(KsMultiByteString2KsString(KsString("z\xC3\xA9\xE2\x82\xAC!"), out), 7);
  EXPECT_EQ(out.Len(), 4);
}

// Long texts go through the block paths: every position of a non-ASCII
// character, a zero byte and an invalid byte relative to a 16-byte block.
TEST(Utf8ToKsString, BlockPathsAgreeWithTheSequenceDecoder) {
  for (size_t position = 0; position < 40; ++position) {
    for (const char* inserted : {"\xC3\xA9", "\xE2\x82\xAC", "\x00", "\xFF"}) {
      std::string text(50, 'k');
      text.insert(position, inserted, std::max<size_t>(1, std::strlen(inserted)));
      SCOPED_TRACE(std::to_string(position) + " " + std::to_string(static_cast<unsigned char>(inserted[0])));
      KsString out;
      const int result = KsMBS2KsString(text.data(), out, static_cast<int>(text.size()));
      if (inserted[0] == '\0') {
        EXPECT_EQ(result, static_cast<int>(position) + 1);
        EXPECT_EQ(out.Len(), position);
        continue;
      }
      Units expected(text.size());
      const int units = KsMultiByteStr2WCharStr(expected.data(), static_cast<int>(expected.size()),
                                                text.data(), static_cast<int>(text.size()));
      if (units < 0) {
        EXPECT_EQ(result, -1);
        EXPECT_EQ(out.Len(), position) << "what came before the invalid byte";
        continue;
      }
      expected.resize(static_cast<size_t>(units));
      EXPECT_EQ(result, static_cast<int>(text.size()));
      EXPECT_EQ(UnitsOf(out), expected);

      char back[128];
      const int written = KsString2KsMBS(out, back, sizeof back);
      EXPECT_EQ(std::string(back, static_cast<size_t>(std::max(written, 0))), text) << "and back";
    }
  }
}

// The block path reads 16 units at once; units at and above 0x8000 are
// negative as signed 16-bit lanes and must still stop it.
TEST(KsStringToUtf8, BlockPathsAgreeWithTheUnitEncoder) {
  for (size_t position = 0; position < 40; ++position) {
    for (unsigned short unit : {0x00E9, 0x20AC, 0x7FFF, 0x8000, 0xD52D, 0xFFFF}) {
      Units units(50, 'k');
      units[position] = unit;
      units.push_back(0);
      std::string expected;
      for (size_t i = 0; i + 1 < units.size(); ++i) {
        char one[4];
        expected.append(one, static_cast<size_t>(KsWChar2MultiByte(one, units[i])));
      }
      const KsString wide(units.data());
      char back[160];
      const int written = KsString2KsMBS(wide, back, sizeof back);
      EXPECT_EQ(std::string(back, static_cast<size_t>(std::max(written, 0))), expected)
          << position << " " << unit;
      EXPECT_EQ(KsMBSLength(wide, wide.Len()), static_cast<int>(expected.size())) << position << " " << unit;
    }
  }
}

TEST(Utf8Length, ZeroCharactersFirst) {
  KsString ascii("abc");
  EXPECT_EQ(KsMBSLength(ascii, 0), 0);
  EXPECT_EQ(KsMBSLength(ascii, 1), 3) << "ASCII text answers its whole length";
  KsString latin("a\xE9z");
  EXPECT_EQ(KsMBSLength(latin, 1), 1);
  EXPECT_EQ(KsMBSLength(latin, 2), 3);
  EXPECT_EQ(KsMBSLength(latin, 100), 4);
  const unsigned short euro[] = {0x20AC, 'a', 0};
  EXPECT_EQ(KsMBSLength(KsString(euro), 2), 4);
}

// What fits is written and terminated; nothing beyond the buffer's size.
TEST(KsStringToUtf8, FitsAndNeverOverrunsTheBuffer) {
  struct Case {
    KsString text;
    int size, result;
    std::string bytes;
  };
  const unsigned short wide[] = {'x', 0x20AC, 0};
  const Case cases[] = {{KsString("a\xE9"), 8, 3, std::string("a\xC3\xA9\0", 4)},
                        {KsString(wide), 8, 4, std::string("x\xE2\x82\xAC\0", 5)},
                        {KsString("abcdef"), 4, -4, ""},
                        {KsString("abcd"), 4, 4, ""},
                        {KsString("a\xE9"), 2, -1, ""},
                        {KsString(wide), 3, -1, ""}};
  for (const Case& c : cases) {
    char buf[16];
    std::memset(buf, 0x55, sizeof buf);
    EXPECT_EQ(KsString2KsMBS(c.text, buf, c.size), c.result) << c.text.StrGet();
    EXPECT_EQ(std::string(buf, c.bytes.size()), c.bytes);
    for (size_t i = static_cast<size_t>(c.size); i < sizeof buf; ++i) ASSERT_EQ(buf[i], 0x55) << i;
  }
}

TEST(KsStringToUtf8, AllocatingConverter) {
  char* buf = nullptr;
  int size = 0;
  EXPECT_EQ(KsString2MultiByteString(KsString("a\xE9"), buf, size), 3);
  EXPECT_EQ(size, 4);
  EXPECT_STREQ(buf, "a\xC3\xA9");
  std::free(buf);
  buf = nullptr;
  size = 0;
  EXPECT_EQ(KsString2MultiByteString(KsString(std::string(3000, '\xE9').c_str()), buf, size), 6000);
  EXPECT_EQ(size, 6001);
  EXPECT_EQ(std::strlen(buf), 6000u);
  std::free(buf);

  char small[4];
  buf = small;
  size = 4;
  EXPECT_EQ(KsString2MultiByteString(KsString("\xE9\xE9\xE9"), buf, size), -1);
  EXPECT_EQ(size, 7) << "the bytes needed";
  EXPECT_EQ(buf, small);
}

TEST(WideText, CLibraryCounterparts) {
  const unsigned short abc[] = {'a', 'b', 'c', 0};
  const unsigned short abd[] = {'a', 'b', 'd', 0};
  EXPECT_EQ(KsWStrLen(abc), 3u);
  EXPECT_EQ(KsWStrLen(nullptr), 0u);
  EXPECT_LT(KsWStrCmp(abc, abd), 0);
  EXPECT_EQ(KsWStrNCmp(abc, abd, 2), 0);
  EXPECT_EQ(KsWStrCmp(nullptr, nullptr), 0);
  EXPECT_EQ(KsWStrCmp(nullptr, abc), -1);
  EXPECT_EQ(KsWStrCmp(abc, nullptr), 1);
  unsigned short copy[6];
  KsWStrSet(copy, 9, 6);
  KsWStrCpy(copy, abc);
  EXPECT_EQ(KsWStrCmp(copy, abc), 0);
  EXPECT_EQ(copy[4], 9);
  KsWStrNCpy(copy, abd, 5);
  EXPECT_EQ(copy[2], 'd');
  EXPECT_EQ(copy[4], 0) << "padded like strncpy";
  EXPECT_EQ(KsWStrInc(abc), abc + 1);
  const unsigned short hex[] = {'0', 'x', '1', '0', 0};
  EXPECT_EQ(KsWStrToL(hex), 16);
  const unsigned short big[] = {'-', '9', '0', '0', '0', '0', '0', '0', '0', '0', '0', '0', 0};
  EXPECT_EQ(KsWStrToI64(big), -90000000000LL);
}

}  // namespace
