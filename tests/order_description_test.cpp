// Readable forms of collation orders: every symbol and accent text, the
// character an order stands for, Latin-1 letter names, and the digit and
// symbol extractors.
#include <gtest/gtest.h>

#include <string>

#include "kschar.h"
#include "ksorder.h"
#include "ksstring.h"

namespace {

std::string Describe(unsigned short order, unsigned char orderClass = 1) {
  KsString out;
  EXPECT_EQ(KsConvertOrderToString(order, orderClass, out), 0);
  return std::string(out.StrGet(), out.Len());
}

unsigned char CharOf(unsigned short order, unsigned char orderClass = 1, int accented = 0,
                     const char** name = nullptr) {
  unsigned char ch = 0;
  EXPECT_EQ(KsConvertOrderToChar(order, orderClass, ch, accented, name), 0);
  return ch;
}

constexpr unsigned short Letter(char upper, unsigned accent = 0, unsigned letterCase = 0, unsigned ext = 0) {
  return static_cast<unsigned short>(0x4000 | letterCase << 12 | accent << 7 | (upper - 0x3E) << 2 | ext);
}

struct SymbolCase {
  unsigned short index;
  const char* name;
  char character;
};

// A sample of the list: its ends, names with and without an ASCII form, and
// the two names whose "o_double" stands as written.
const SymbolCase kSymbols[] = {
    {32, "_", '_'},
    {34, "macron sign", '.'},
    {44, "solidus", '/'},
    {52, "apostrophe", '\''},
    {58, "left pointing o_double angle quotation mark", '.'},
    {59, "right pointing o_double angle quotation mark", '.'},
    {79, "*", '*'},
    {80, "reverse solidus", '.'},
    {88, "'", '\''},
    {110, "micron sign", '.'},
    {139, "inverted question mark", '.'},
};

TEST(OrderDescriptionSymbols, NamesAndCharactersOfTheList) {
  for (const SymbolCase& c : kSymbols) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(Describe(static_cast<unsigned short>(80 + c.index)), std::string("symbol ") + c.name);
    EXPECT_EQ(CharOf(static_cast<unsigned short>(80 + c.index)), static_cast<unsigned char>(c.character));
  }
  int named = 0;
  for (unsigned short index = 0; index < 200; ++index) {
    named += Describe(static_cast<unsigned short>(80 + index)) != "symbol ";
  }
  EXPECT_EQ(named, 57) << "the list has 57 entries";
}

TEST(OrderDescriptionSymbols, UnnamedSymbolsSayOnlySymbol) {
  for (unsigned short index : {0, 31, 33, 43, 111, 138, 140, 5000}) {
    EXPECT_EQ(Describe(static_cast<unsigned short>(80 + index)), "symbol ") << index;
    EXPECT_EQ(CharOf(static_cast<unsigned short>(80 + index)), 7) << index;
  }
}

TEST(OrderDescriptionLetters, AccentNamesAsTheyStand) {
  const char* const names[] = {
      "cedilla",      "accent acute", "accent grave", "accent circumflex",    "tilde",
      "diaeresis",    "ring above",   "stroke",       "accent caron",         "accent macron",
      "accent breve", "dot above",    "ogonek",       "accent o_double acute"};
  for (unsigned accent = 1; accent <= 14; ++accent) {
    EXPECT_EQ(Describe(Letter('E', accent)), std::string("upper letter E with ") + names[accent - 1])
        << accent;
  }
  EXPECT_EQ(Describe(Letter('E', 15)), "upper letter E with ") << "no name above 14";
}

TEST(OrderDescriptionLetters, CaseAndExtension) {
  EXPECT_EQ(Describe(Letter('A')), "upper letter A");
  EXPECT_EQ(Describe(Letter('A', 0, 1)), "lower letter a");
  EXPECT_EQ(Describe(Letter('A', 0, 2)), "lower letter a") << "every non-zero case is lower";
  EXPECT_EQ(Describe(Letter('S', 0, 1, 2)), "lower letter s with extension");
  EXPECT_EQ(Describe(Letter('O', 6, 1, 1)), "lower letter o with diaeresis with extension");
  EXPECT_EQ(CharOf(Letter('A')), 'A');
  EXPECT_EQ(CharOf(Letter('Z', 0, 1)), 'z');
}

TEST(OrderDescriptionOthers, SpacesDigitsAndOutsideTheAlphabet) {
  EXPECT_EQ(Describe(13), "undefined ordering indicator");
  EXPECT_EQ(Describe(32), "space");
  EXPECT_EQ(Describe(1), "space");
  EXPECT_EQ(Describe(0x3F00), "digit 0");
  EXPECT_EQ(Describe(0x3F15), "digit 2 with expand");
  EXPECT_EQ(Describe(0x8123), "HAN character 0x8123\n");
  EXPECT_EQ(Describe(0x400C, 20), "HAN character 0x400c\n");
  EXPECT_EQ(CharOf(32), ' ');
  EXPECT_EQ(CharOf(0x3F15), '2');
  EXPECT_EQ(CharOf(0x8123), 127);
}

// A key cut at a script change has class byte 0x81: describing its orders
// by that byte makes them HAN, converting masks the mark off.
TEST(OrderDescriptionOthers, ToCharMasksTheCutMarkToStringDoesNot) {
  EXPECT_EQ(CharOf(0x400C, 0x81), 'A');
  EXPECT_EQ(Describe(0x400C, 0x81), "HAN character 0x400c\n");
  EXPECT_EQ(CharOf(0x400C, 0x94), 127) << "class 20 with the mark";
}

TEST(OrderDescriptionNames, AccentedLettersFindTheirLatin1Byte) {
  struct Case {
    unsigned char byte;
    unsigned short order;
    const char* name;
  };
  const Case cases[] = {
      {0xE9, Letter('E', 2, 1), "\\'e"}, {0xC0, Letter('A', 3), "\\`A"},
      {0xF1, Letter('N', 5, 1), "\\~n"}, {0xE7, Letter('C', 1, 1), "\\,c"},
      {0xD8, Letter('O', 8), "\\-O"},    {0xFF, Letter('Y', 6, 1), "\\\"y"},
      {0xDC, Letter('U', 6), "\\\"U"},   {0xEA, Letter('E', 4, 1), "\\^e"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const char* name = "untouched";
    EXPECT_EQ(CharOf(c.order, 1, 1, &name), c.byte);
    EXPECT_STREQ(name, c.name);
    EXPECT_EQ(CharOf(c.order, 1, 0, nullptr), static_cast<unsigned char>(c.name[2])) << "unaccented";
  }
}

TEST(OrderDescriptionNames, LetterPairsKeepTheirBackslash) {
  const char* name = nullptr;
  const unsigned short aeOrder = KsChar(static_cast<char>(0xE6), 1, 0).Order();
  ASSERT_NE((aeOrder >> 7) & 31, 0) << "a ligature has an accent number";
  EXPECT_EQ(CharOf(aeOrder, 1, 1, &name), 0xE6);
  EXPECT_STREQ(name, "\\ae");
}

// Bytes are looked up in the root order, whatever the default language.
TEST(OrderDescriptionNames, LookupIgnoresTheDefaultLanguage) {
  const unsigned char saved = KsString::GetDefaultLanguage();
  const unsigned short aRing = KsChar(static_cast<char>(0xE5), 1, 0).Order();
  KsString::SetDefaultLanguage(2);  // Swedish: a ring after z
  const char* name = nullptr;
  EXPECT_EQ(CharOf(aRing, 1, 1, &name), 0xE5);
  EXPECT_STREQ(name, "\\aa");
  KsString::SetDefaultLanguage(saved);
}

TEST(OrderDescriptionNames, NoMatchingByteGivesNoName) {
  const char* name = "untouched";
  // A with ogonek is not a byte of the Latin code page.
  EXPECT_EQ(CharOf(Letter('A', 13, 1), 1, 1, &name), 'a');
  EXPECT_EQ(name, nullptr);
  name = "untouched";
  EXPECT_EQ(CharOf(Letter('A'), 1, 1, &name), 'A');
  EXPECT_STREQ(name, "untouched") << "letters without an accent are not looked up";
}

TEST(OrderDescriptionNames, BytesBelowC0HaveTheEmptyName) {
  const char* name = nullptr;
  // z with caron is 0x9E of the Latin code page.
  EXPECT_EQ(CharOf(Letter('Z', 9, 1), 1, 1, &name), 0x9E);
  EXPECT_STREQ(name, "");
}

TEST(OrderDescriptionExtractors, DigitsAndSymbols) {
  unsigned short digit = 9, expansion = 9, symbol = 9;
  EXPECT_EQ(KsExtractDigitFromOrder(0x3F15, digit, expansion), 0);
  EXPECT_EQ(digit, 2);
  EXPECT_EQ(expansion, 1);
  EXPECT_EQ(KsExtractDigitFromOrder(0x3EFF, digit, expansion), -2002);
  EXPECT_EQ(KsExtractDigitFromOrder(0x4000, digit, expansion), -2002);
  EXPECT_EQ(KsExtractDigitFromOrder(0x3FFF, digit, expansion), 0);
  EXPECT_EQ(KsExtractSymbolFromOrder(79, symbol), -2002);
  EXPECT_EQ(KsExtractSymbolFromOrder(80, symbol), 0);
  EXPECT_EQ(symbol, 0);
  EXPECT_EQ(KsExtractSymbolFromOrder(0x3EFF, symbol), 0);
  EXPECT_EQ(symbol, 16047);
  EXPECT_EQ(KsExtractSymbolFromOrder(0x3F00, symbol), -2002);
}

}  // namespace
