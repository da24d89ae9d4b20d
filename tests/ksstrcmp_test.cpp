// KsStrCmp levels, flags and wildcards, and the string hashes, with the
// collation data of the internationalisation services.
#include "ksstrcmp.h"

#include <gtest/gtest.h>

#include <chrono>
#include <iterator>
#include <random>
#include <string>

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring.h"

namespace {

// Keys of the code set 1 letters used below (class 0, Latin):
// A = 0x400C << 8, B = 0x4010 << 8; lower case adds 0x20.
constexpr int kKeyA = 0x01400C00;  // Latin class 1 in the top byte
constexpr int kKeyLowerA = 0x01400C20;

int Cmp(const char* a, const char* b, unsigned short cmpOp, short length = -1) {
  return KsStrCmp(1, 0, a, 1, 0, b, cmpOp, length, 1, nullptr);
}

unsigned short OrderOf(char ch) {
  return KsChar(ch, 1, 0).Order();
}

TEST(KsStrCmpNull, NullOperandsUnderEachFlag) {
  struct Case {
    unsigned short cmpOp;
    int nullFirst;
  };
  // Without 0x100 and 0x10 a null first operand compares as empty text.
  const Case cases[] = {{0x100, -1}, {0x10, -1}, {0x110, -1}, {0, -kKeyA}, {0x20, -kKeyA}, {0x80, -kKeyA}};
  for (const Case& c : cases) {
    EXPECT_EQ(KsStrCmp(0, 254, nullptr, 1, 0, "a", c.cmpOp, -1, 1, nullptr), c.nullFirst) << c.cmpOp;
    EXPECT_EQ(KsStrCmp(1, 0, "a", 254, 0, nullptr, c.cmpOp, -1, 1, nullptr), 1) << c.cmpOp;
    EXPECT_EQ(KsStrCmp(254, 0, "x", 0, 254, "y", c.cmpOp, -1, 1, nullptr), 0) << c.cmpOp;
  }
  // A null first operand matches a lone star.
  EXPECT_EQ(KsStrCmp(0, 254, nullptr, 1, 0, "*", 0, -1, 1, nullptr), 0);
  EXPECT_EQ(Cmp("abc", "xyz", 0, 0), 0);
}

TEST(KsStrCmpCodeSet0, BytesCompareUnsignedAndMatchPatterns) {
  struct Case {
    const char* text;
    const char* other;
    unsigned short cmpOp;
    short length;
    int expected;
  };
  const Case cases[] = {{"\xE9", "a", 0x100, -1, 0xE9 - 'a'},
                        {"abc", "abd", 0x10, -1, 'c' - 'd'},
                        {"abc", "abd", 0x10, 2, 0},
                        {"ab", "abc", 0x100, -1, -'c'},
                        {"abc", "a*", 0, -1, 0},
                        {"abc", "a?c", 0, -1, 0},
                        {"abc", "a?d", 0, -1, 'c' - 'd'},
                        {"abcabd", "*abd", 0, -1, 0},
                        {"aba", "*a", 0, -1, 0},
                        {"ab", "a??", 0, -1, -1},
                        {"abc", "ab", 0, -1, 'c'},
                        {"abx", "abc", 0, 2, 0},
                        {"a", nullptr, 0, -1, 1},
                        {nullptr, "a", 0, -1, -1},
                        {nullptr, "", 0, -1, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(KsStrCmp(0, 0, c.text, 0, 0, c.other, c.cmpOp, c.length, 1, nullptr), c.expected)
        << c.text << " / " << c.other;
  }
}

// Levels in order: primary, accent (the last difference wins), case (the
// first wins, lower before upper), then ignorables (the last pair wins).
TEST(KsStrCmpLevels, EachLevelDecidesOnlyWhereTheHigherOnesTie) {
  const int space = OrderOf(' ');
  const int dash = OrderOf('-');
  ASSERT_LT(space, 80);
  ASSERT_GE(dash, 80);
  ASSERT_LT(dash, 0x3F00);
  struct Case {
    const char* text;
    const char* other;
    unsigned short cmpOp;
    int expected;
  };
  const Case cases[] = {{"ab", "Ab", 0x10, -0x20},
                        {"Ab", "aB", 0x10, 0x20},
                        {"ab", "Ab", 0x30, 0},
                        {"ab", "AB", 0x110, kKeyLowerA - kKeyA},
                        {"ab", "ac", 0x30, -(0x14 - 0x10) << 8},
                        {"abc", "ab", 0x10, 0x01401400},
                        {"", "a", 0x10, -kKeyA},
                        {"\xE9\x61", "e\xE1", 0x50, 0},
                        {"a b", "ab", 0x10, space},
                        {"ab", "a b", 0x10, -space},
                        {"a-b", "a b", 0x10, dash - space},
                        {"a b", "ab", 0x90, 0},
                        {"a-b", "ab", 0x210, 0},
                        {"a-b", "ab", 0x90, dash},
                        {"a-b c", "a b-c", 0x10, space - dash},
                        {"a b", "ac", 0x10, -(0x14 - 0x10) << 8}};
  for (const Case& c : cases)
    EXPECT_EQ(Cmp(c.text, c.other, c.cmpOp), c.expected) << c.text << " / " << c.other;
  // e-acute against e, then a against a-acute: the second difference decides.
  const int first = Cmp("\xE9\x61", "e\xE1", 0x10);
  EXPECT_LT(first, 0);
  EXPECT_EQ(Cmp("e\xE1", "\xE9\x61", 0x10), -first);
  EXPECT_GT(Cmp("\xC9", "e", 0x10), 0) << "an accent difference outranks a case difference";
}

TEST(KsStrCmpWildcards, StarsQuestionMarksAndBacktracking) {
  struct Case {
    const char* text;
    const char* pattern;
    unsigned short cmpOp;
    bool matches;
  };
  const Case cases[] = {{"anything", "*", 0, true},
                        {"", "*", 0, true},
                        {"abc", "a*c", 0, true},
                        {"abc", "a?c", 0, true},
                        {"abc", "a?", 0, false},
                        {"ab", "a??", 0, false},
                        {"abcabd", "*abd", 0, true},
                        {"aab", "*ab", 0, true},
                        {"mississippi", "m*iss*ppi", 0, true},
                        {"mississippi", "m*iss*ppx", 0, false},
                        {"abc", "*b", 0, false},
                        {"ABC", "a*", 0, false},
                        {"ABC", "a*", 0x20, true},
                        {"xAbC", "?a*c", 0x20, true},
                        {"a*c", "a*c", 0x10, true},
                        {"abc", "a*c", 0x10, false},
                        {"abc", "a*c", 0x100, false},
                        {"a", "?", 0, true}};
  for (const Case& c : cases)
    EXPECT_EQ(Cmp(c.text, c.pattern, c.cmpOp) == 0, c.matches) << c.text << " / " << c.pattern;
  // A pattern that ends while the text goes on sorts before it.
  EXPECT_GT(Cmp("abc", "ab", 0), 0);
  EXPECT_EQ(Cmp("", "?", 0), -1);
}

TEST(KsStrCmpWildcards, ManyStarsTakeLinearTime) {
  const std::string text(65536, 'a');
  for (int stars : {1, 10, 100}) {
    std::string pattern;
    for (int i = 0; i < stars; ++i) pattern += "*a";
    pattern += "*b";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_NE(KsStrCmp(1, 0, text.c_str(), 1, 0, pattern.c_str(), 0, -1, 1, nullptr), 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << stars;
  }
}

TEST(KsStrCmpMatchOutput, WrittenWithSkipSpacesWithinTheLength) {
  int match = 12345;
  EXPECT_EQ(KsStrCmp(1, 0, "abd", 1, 0, "abc", 0x90, 3, 1, &match), (0x14 - 0x10) << 8);
  EXPECT_EQ(match, (0x14 - 0x10) << 8);
  match = 12345;
  KsStrCmp(1, 0, "abd", 1, 0, "abc", 0x10, 3, 1, &match);
  EXPECT_EQ(match, 12345);
}

TEST(KsStringOperators, UseTheDefaultOperator) {
  const unsigned short saved = KsString::GetDefaultCmpOp();
  KsString::SetDefaultCmpOp(0x30);
  EXPECT_TRUE(KsString("ABC") == KsString("abc"));
  EXPECT_TRUE(KsChar('a', 255, 255) == 'A');
  KsString::SetDefaultCmpOp(0x10);
  EXPECT_FALSE(KsString("ABC") == KsString("abc"));
  EXPECT_FALSE(KsChar('a', 255, 255) == 'A');
  EXPECT_TRUE(KsString("abc") < KsString("abd"));
  EXPECT_TRUE(KsString("b") > KsString("a"));
  KsString::SetDefaultCmpOp(saved);
}

TEST(StringHash, RawUnitHashes) {
  struct Case {
    KsString value;
    unsigned hash;
    unsigned hash7;
  };
  const unsigned short euro[] = {0x20AC, 0x41, 0};
  KsString unicode(euro);
  unicode.SetCodeSetCode(253);
  const Case cases[] = {{KsString(""), 0, 0},
                        {KsString("A"), 65, 65},
                        {KsString("AB"), 651, 651},
                        {KsString("\xE9"), 0xFFFFFFE9u, 0x69},
                        {unicode, 0x20AC * 9 + 0x41, 0x2C * 9 + 0x41}};
  for (const Case& c : cases) {
    EXPECT_EQ(HashKsString(c.value), c.hash) << c.hash;
    EXPECT_EQ(HashKsString7(c.value), c.hash7) << c.hash;
  }
}

TEST(StringHash, CollationHashFollowsKeys) {
  EXPECT_EQ(HashString(0, 254, "abc", 3, 1), 0xFEFE7575u);
  EXPECT_EQ(HashString(254, 0, "abc", -1, 1), 0xFEFE7575u);
  EXPECT_EQ(HashString(1, 0, "abc", 0, 1), 0u);
  EXPECT_EQ(HashString(1, 0, "A", -1, 1), 0x01400C00u);
  EXPECT_EQ(HashString(1, 0, "A", 3, 1), 0x01400C00u * 81);
  EXPECT_EQ(HashString(1, 0, "AB", -1, 1), 0x01400C00u * 9 + 0x01401000u);
  EXPECT_EQ(HashString(1, 0, "a", -1, 1), 0x01400C20u);
  EXPECT_EQ(HashString(0, 0, "AB", -1, 1), 65u * 9 + 66);
  EXPECT_EQ(HashString(0, 0, "A", 2, 1), 65u * 9);
  // Equal under the plain order comparison: equal hashes across code sets.
  const unsigned short wide[] = {'A', 'B', 0};
  EXPECT_EQ(HashString(253, 0, reinterpret_cast<const char*>(wide), -1, 1), HashString(1, 0, "AB", -1, 1));
  // Latin Extended units (ligature oe, a-macron) hash as always, in either byte order.
  const unsigned char little[] = {'B', 0, 0x53, 0x01, 'u', 0, 'f', 0, '-', 0, 0x01, 0x01, 0, 0};
  const unsigned char big[] = {0, 'B', 0x01, 0x53, 0, 'u', 0, 'f', 0, '-', 0x01, 0x01, 0, 0};
  EXPECT_EQ(HashString(253, KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(little), -1, 1), 0x0B93BE91u);
  EXPECT_EQ(HashString(253, KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(big), -1, 2), 0x0B93BE91u);
}

// Short texts of every collation path: length -1 and a length no text
// reaches must agree.
TEST(KsStrCmpConsistency, UnlimitedAndLongLengthAgree) {
  const char* texts[] = {"",        "a",     "A",  "ab", "a b", "a-b", "\xE4z",     "z\xE4", "stra\xDF\x65",
                         "strasse", "chico", "cz", "ll", "a*",  "a?c", "\xC9t\xE9", "Ete",   "e t e",
                         "abc",     "abd",   "  ", "*",  "?"};
  const unsigned char languages[] = {0, 1, 2, 4, 255};
  const unsigned short operators[] = {0, 0x10, 0x20, 0x40, 0x60, 0x90, 0x210, 0x30};
  for (const char* a : texts)
    for (const char* b : texts)
      for (unsigned char language : languages)
        for (unsigned short cmpOp : operators)
          EXPECT_EQ(KsStrCmp(1, language, a, 1, language, b, cmpOp, -1, 1, nullptr),
                    KsStrCmp(1, language, a, 1, language, b, cmpOp, 1000, 1, nullptr))
              << a << " / " << b << " language " << int(language) << " operator " << cmpOp;
}

// Random pairs that share a prefix and differ at a few places, over letters,
// accents, Swedish variants, sharp s, Spanish contractions, spaces, symbols,
// digits and wildcards: length -1 takes the quick byte path where it can, a
// length no text reaches always walks the collation orders.
TEST(KsStrCmpConsistency, QuickPathAgreesWithTheWalkOnRandomTexts) {
  static const char kAlphabet[] =
      "aabcdeehllnorsstzABCEHLZ"
      "\xE4\xE5\xF6\xE9\xC9\xC4\xDF\xE6"
      " -.,0719*?";
  std::mt19937 random(1234);
  auto pick = [&] { return kAlphabet[random() % (sizeof kAlphabet - 1)]; };
  auto randomText = [&] {
    std::string text(random() % 12, ' ');
    for (char& ch : text) ch = pick();
    return text;
  };
  const unsigned char languages[] = {0, 1, 2, 3, 4, 255};
  const unsigned short operators[] = {0, 0x10, 0x20, 0x40, 0x60, 0x90, 0x210, 0x230, 0x2F0};
  for (int i = 0; i < 3000; ++i) {
    const std::string a = randomText();
    std::string b = a;
    for (unsigned changes = random() % 3; changes > 0 && !b.empty(); --changes)
      b[random() % b.size()] = pick();
    if (random() % 4 == 0) b += pick();
    const unsigned char language = languages[random() % std::size(languages)];
    for (unsigned short cmpOp : operators) {
      ASSERT_EQ(KsStrCmp(1, language, a.c_str(), 1, language, b.c_str(), cmpOp, -1, 1, nullptr),
                KsStrCmp(1, language, a.c_str(), 1, language, b.c_str(), cmpOp, 1000, 1, nullptr))
          << '"' << a << "\" / \"" << b << "\" language " << int(language) << " operator " << cmpOp;
    }
  }
}

// The quick path keeps one byte-order table per language and variant switch:
// Swedish a-umlaut is 0x5078 (after z, 0x5070) with the switch on and 0x530C
// (a, accent 6) with it off.
TEST(KsStrCmpConsistency, VariantSwitchChoosesTheQuickTable) {
  KsLanguage* swedish = KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH);
  ASSERT_NE(swedish, nullptr);
  const struct {
    bool switchOn;
    int expected;
  } cases[] = {{true, 0x407800 - 0x407000}, {false, 0x400C00 - 0x407000}, {true, 0x407800 - 0x407000}};
  for (const auto& c : cases) {
    swedish->SetVariantSwitch(c.switchOn);
    for (short length : {-1, 1000}) {
      EXPECT_EQ(
          KsStrCmp(1, KS_LANGUAGE_SWEDISH, "b\xE4", 1, KS_LANGUAGE_SWEDISH, "bz", 0x10, length, 1, nullptr),
          c.expected)
          << c.switchOn << " length " << length;
    }
  }
  swedish->SetVariantSwitch(true);
}

// The quick path knows which bytes are wildcards only for the wildcard
// orders it was made for; after SetAsterisk it must leave '%' to the walk.
TEST(KsStrCmpWildcards, ReplacedStarIsHonouredOnEveryPath) {
  const struct {
    char star;
    const char* text;
    const char* pattern;
    bool matches;
  } cases[] = {{'%', "a%bc", "a%c", true},
               {'%', "abc", "a%", true},
               {'%', "a*bc", "a*c", false},
               {'*', "a%bc", "a%c", false},
               {'*', "a*bc", "a*c", true}};
  for (const auto& c : cases) {
    KsString::SetAsterisk(KsChar(c.star, 1, 0));
    EXPECT_EQ(Cmp(c.text, c.pattern, 0) == 0, c.matches) << c.star << " " << c.text << " / " << c.pattern;
  }
}

}  // namespace
