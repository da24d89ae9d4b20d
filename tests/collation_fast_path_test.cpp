// The quick paths of the comparison and the hash (byte tables, the
// vector equal-prefix scan, equal expansions passed over, 16-bit simple
// orders, the key-table hash) against the full collation walk: the
// step-by-step comparison over iterators that read every order from the
// collation tables. Texts share long prefixes so that the scan runs far,
// and some end right before an unreadable page so that it must not read
// past their terminators.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/code_set_cache.h"
#include "ksstring/equal_prefix.h"
#include "ksstring/prefix_block.h"
#include "ksstring/quick_gate.h"
#include "reference/stepwise_strcmp.h"
#include "reference/word_list.h"

namespace {

// Windows-1252 characters of every kind: letters in both cases and with
// accents, the sharp s, æ and œ expansions, the Spanish ch and ll
// contractions, Swedish å ä ö, digits, spaces, symbols and the wildcards.
constexpr char kAlphabet[] =
    "aaabbeeinorstAEchlls*?  -.,19\xDF\xE6\xC6\x9C\x8C\xE5\xE4\xF6\xE1\xC1\xE9\xFC\xDC"
    "aA";
// The same kinds as Unicode units, and units beyond the Latin range.
const unsigned short kUnits[] = {'a',  'a',  'b',  'e',   'n',   'A',    'c',    'h',    'l',    's',
                                 '*',  '?',  ' ',  '-',   '1',   0xDF,   0xE6,   0xC6,   0x153,  0xE5,
                                 0xE4, 0xE9, 0xFC, 0x100, 0x1FF, 0x0391, 0x3042, 0x4E00, 0x2014, 0xFFF5};

struct Text {
  std::string bytes;  // 8-bit text, or 16-bit units in the text's format; zero-terminated
};

unsigned Width(unsigned char codeSet) {
  return codeSet > 224 ? 2 : 1;
}

void PutUnit(std::string& bytes, unsigned char codeSet, unsigned char format, unsigned short unit) {
  if (Width(codeSet) == 1) {
    bytes += static_cast<char>(unit);
    return;
  }
  const char low = static_cast<char>(unit & 0xFF);
  const char high = static_cast<char>(unit >> 8);
  if (format == 2) {
    bytes += high;
    bytes += low;
  } else {
    bytes += low;
    bytes += high;
  }
}

unsigned short RandomUnit(std::mt19937& random, unsigned char codeSet) {
  if (Width(codeSet) == 2) return kUnits[random() % std::size(kUnits)];
  return static_cast<unsigned char>(kAlphabet[random() % (sizeof kAlphabet - 1)]);
}

// Two texts with a common prefix of up to 300 units and short tails, or a
// text and a copy with a few units inserted, removed or replaced, so that
// equal runs follow differences.
std::pair<Text, Text> RandomPair(std::mt19937& random, unsigned char codeSet, unsigned char format) {
  std::vector<unsigned short> units;
  const size_t prefixLength = random() % 4 == 0 ? random() % 300 : random() % 40;
  for (size_t i = 0; i < prefixLength; ++i) units.push_back(RandomUnit(random, codeSet));
  std::vector<unsigned short> sides[2] = {units, units};
  if (random() % 2 == 0) {
    std::vector<unsigned short>& copy = sides[1];
    for (unsigned edits = 1 + random() % 3; edits > 0; --edits) {
      const size_t at = copy.empty() ? 0 : random() % copy.size();
      const unsigned roll = random() % 3;
      if (roll == 0 || copy.empty()) {
        copy.insert(copy.begin() + static_cast<std::ptrdiff_t>(at), RandomUnit(random, codeSet));
      } else if (roll == 1) {
        copy.erase(copy.begin() + static_cast<std::ptrdiff_t>(at));
      } else {
        copy[at] = RandomUnit(random, codeSet);
      }
    }
  } else {
    for (auto& side : sides) {
      for (size_t tail = random() % 4; tail > 0; --tail) side.push_back(RandomUnit(random, codeSet));
    }
  }
  Text texts[2];
  for (int i = 0; i < 2; ++i) {
    for (unsigned short unit : sides[i]) PutUnit(texts[i].bytes, codeSet, format, unit);
    PutUnit(texts[i].bytes, codeSet, format, 0);
  }
  return {texts[0], texts[1]};
}

struct Outcome {
  int result;
  int match;
  bool operator==(const Outcome&) const = default;
};

// A readable page between two that cannot be read: a text may end right
// before the one after it, or start shortly after the one before it.
class GuardedPage {
 public:
  GuardedPage() : size_(static_cast<size_t>(sysconf(_SC_PAGESIZE))) {
    void* pages = mmap(nullptr, 3 * size_, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    base_ = static_cast<char*>(pages) + size_;
    mprotect(base_, size_, PROT_READ | PROT_WRITE);
  }
  ~GuardedPage() { munmap(base_ - size_, 3 * size_); }
  const char* AtEnd(const std::string& bytes) { return Put(base_ + size_ - bytes.size(), bytes); }
  const char* AtStart(const std::string& bytes, size_t offset) { return Put(base_ + offset, bytes); }

 private:
  static const char* Put(char* at, const std::string& bytes) {
    std::memcpy(at, bytes.data(), bytes.size());
    return at;
  }
  size_t size_;
  char* base_;
};

struct TablesOnly {
  TablesOnly() { ksstring::SetTablesOnlyWalks(true); }
  ~TablesOnly() { ksstring::SetTablesOnlyWalks(false); }
};

Outcome FullWalk(unsigned char codeSet, unsigned char language, const char* a, const char* b,
                 unsigned short cmpOp, short length, unsigned char format) {
  const TablesOnly tablesOnly;
  Outcome o{0, 12345};
  o.result =
      reference::StepwiseStrCmp(codeSet, language, a, codeSet, language, b, cmpOp, length, format, &o.match);
  return o;
}

Outcome Library(unsigned char codeSet, unsigned char language, const char* a, const char* b,
                unsigned short cmpOp, short length, unsigned char format, bool withMatch) {
  Outcome o{0, 12345};
  o.result = KsStrCmp(codeSet, language, a, codeSet, language, b, cmpOp, length, format,
                      withMatch ? &o.match : nullptr);
  return o;
}

unsigned FullWalkHash(unsigned char codeSet, unsigned char language, const char* text, short length,
                      unsigned char format) {
  const TablesOnly tablesOnly;
  return HashString(codeSet, language, text, length, format);
}

// Random pairs of every code set, language, format and flag combination
// against the full walk; counts those decided past a long prefix.
void CheckRandomPairs(uint32_t seed, int rounds, int& decidedAfterLongPrefix) {
  const unsigned char codeSets[] = {1, 2, 253};
  const unsigned char languages[] = {0, 1, 2, 3, 4, 5, 255};
  const unsigned char formats[] = {1, 2, 8, 255};
  const unsigned short flags[] = {0x10, 0x20, 0x40, 0x80, 0x200};
  std::mt19937 random(seed);
  GuardedPage page;
  for (int round = 0; round < rounds; ++round) {
    const unsigned char codeSet = codeSets[random() % std::size(codeSets)];
    const unsigned char language = languages[random() % std::size(languages)];
    const unsigned char format = Width(codeSet) == 2 ? formats[random() % std::size(formats)] : 1;
    unsigned short cmpOp = 0;
    for (unsigned short flag : flags) cmpOp = static_cast<unsigned short>(cmpOp | (random() % 2 ? flag : 0));
    if (random() % 16 == 0) cmpOp |= 0x100;
    const short length = random() % 3 == 0 ? static_cast<short>(random() % 40) : -1;
    const bool withMatch = random() % 2 == 0;
    auto [a, b] = RandomPair(random, codeSet, format);
    // Sometimes the second text ends at the edge of the readable memory,
    // and the first starts near the other edge.
    const char* second = random() % 4 == 0 ? page.AtEnd(b.bytes) : b.bytes.data();
    const char* first = random() % 4 == 0 ? page.AtStart(a.bytes, random() % 40) : a.bytes.data();
    const Outcome expected = FullWalk(codeSet, language, first, second, cmpOp, length, format);
    ASSERT_EQ(Library(codeSet, language, first, second, cmpOp, length, format, withMatch).result,
              expected.result)
        << "round " << round << " code set " << int(codeSet) << " language " << int(language) << " operator "
        << cmpOp << " length " << length << " format " << int(format);
    if (withMatch) {
      ASSERT_EQ(Library(codeSet, language, first, second, cmpOp, length, format, true), expected)
          << "round " << round;
    }
    const unsigned expectedHash = FullWalkHash(codeSet, language, second, length == 0 ? -1 : length, format);
    ASSERT_EQ(HashString(codeSet, language, second, length == 0 ? -1 : length, format), expectedHash)
        << "round " << round;
    if (a.bytes.size() > 100 && expected.result != 0) ++decidedAfterLongPrefix;
  }
}

TEST(CollationFastPaths, RandomPairsMatchTheFullWalk) {
  int decided = 0;
  CheckRandomPairs(1512, 15000, decided);
  // The set must reach past the scan's vector blocks.
  EXPECT_GT(decided, 500);
}

// As on processors without AVX2: every scan a unit at a time.
TEST(CollationFastPaths, RandomPairsMatchTheFullWalkWithoutVectorScans) {
  ksstring::SetVectorScans(false);
  int decided = 0;
  CheckRandomPairs(2718, 5000, decided);
  ksstring::SetVectorScans(true);
  EXPECT_GT(decided, 150);
}

// The entry's one compare: a table made for the wildcards in force opens
// it (else every comparison would take the longer way), and setting the
// wildcards and the vector scans leaves the other half of the gate alone.
TEST(CollationFastPaths, GateOpensForTheTablesOfTheWildcardsInForce) {
  EXPECT_LT(KsStrCmp(1, KS_LANGUAGE_GERMAN, "a", 1, KS_LANGUAGE_GERMAN, "b", 0, -1, 1, nullptr), 0);
  const ksstring::SimpleOrders* german = ksstring::SwitchFreeSimpleOrders(1, KS_LANGUAGE_GERMAN);
  ASSERT_NE(german, nullptr);
  const bool vector = ksstring::VectorScans();
  EXPECT_EQ(german->quickGate == ksstring::QuickGate(), vector);
  EXPECT_TRUE(ksstring::WildcardsInForce(german->quickGate));

  KsString::SetAsterisk(KsChar('%', 1, 0));
  EXPECT_FALSE(ksstring::WildcardsInForce(german->quickGate));
  EXPECT_EQ(ksstring::VectorScans(), vector);
  KsString::SetAsterisk(KsChar('*', 1, 0));
  EXPECT_TRUE(ksstring::WildcardsInForce(german->quickGate));

  ksstring::SetVectorScans(false);
  EXPECT_FALSE(ksstring::VectorScans());
  EXPECT_NE(german->quickGate, ksstring::QuickGate());
  EXPECT_TRUE(ksstring::WildcardsInForce(german->quickGate));
  ksstring::SetVectorScans(true);
  EXPECT_EQ(ksstring::VectorScans(), vector);
}

// The common case needs both texts: a null one reads as the empty text,
// in 8-bit and 16-bit code sets, with levels or plain orders.
TEST(CollationFastPaths, NullTextsReadAsEmpty) {
  const std::u16string wide = u"ab";
  const struct {
    unsigned char codeSet;
    const char* text;
    const char* empty;
  } sets[] = {{1, "ab", ""}, {253, reinterpret_cast<const char*>(wide.c_str()), "\0"}};
  for (const auto& set : sets) {
    for (const unsigned short cmpOp :
         {0, KS_CMP_CASE_INSENSITIVE | KS_CMP_ACCENT_INSENSITIVE, +KS_CMP_PLAIN_ORDER}) {
      const auto compare = [&](const char* a, const char* b) {
        return KsStrCmp(set.codeSet, KS_LANGUAGE_GERMAN, a, set.codeSet, KS_LANGUAGE_GERMAN, b, cmpOp, -1, 1,
                        nullptr);
      };
      EXPECT_EQ(compare(set.text, nullptr), compare(set.text, set.empty)) << cmpOp;
      EXPECT_EQ(compare(nullptr, set.text), compare(set.empty, set.text)) << cmpOp;
      EXPECT_GT(compare(set.text, nullptr), 0) << cmpOp;
      EXPECT_EQ(compare(nullptr, nullptr), 0) << cmpOp;
    }
  }
}

// Equal expansions and equal texts, wherever they stand: the full walk
// and the quick paths agree, and the prefix is passed with the class of
// its last unit (the sharp s before the difference). The first difference
// at an expansion or an ignorable against a letter, a wildcard or the end
// is decided by the first orders past it, or left to the walk; accent and
// case differences in turn, where the last accent and the first case
// difference count, with and without the flags.
TEST(CollationFastPaths, ExpansionsAndIgnorablesAroundTheFirstDifferenceAgreeWithTheFullWalk) {
  const char* const pairs[][2] = {
      {"Stra\xDF"
       "e",
       "Stra\xDF"
       "E"},
      {"Stra\xDF", "Stra\xDF"},
      {"\xDF\xDF\xDF"
       "a",
       "\xDF\xDF\xDF"
       "b"},
      {"\xE6"
       "a",
       "\xE6"
       "A"},
      {"c\x9C"
       "ur",
       "c\x9C"
       "ur "},
      {"\xDF*",
       "\xDF"
       "a"},
      {"chico", "chica"},
      {"llama", "lla*"},
      {"xx\xDF"
       "\xE9",
       "xx\xDF"
       "e"},
      {"Stra\xDF"
       "e",
       "Straxe"},
      {"Stras", "Stra\xDF"},
      {"ab c", "abxc"},
      {"ab -c", "abc"},
      {"ab ", "abx"},
      {"a\xE6", "a-b"},
      {"a-\xE6", "a"},
      {"a b", "a*b"},
      {"a ", "a?"},
      {"\xE9"
       "tA",
       "eta"},
      {"\xC9"
       "ta b",
       "eTa b"},
      {"Abc", "abC"},
      {"\xC1x\xE9", "\xE1x\xC9"},
      {"\xE1x\xC9y", "\xC1x\xE8y"},
  };
  for (const auto& pair : pairs) {
    for (unsigned char language : {0, 1, 3, 4}) {
      for (unsigned short cmpOp : {0, 0x10, 0x20, 0x40, 0x60, 0x80, 0x100, 0x200}) {
        EXPECT_EQ(Library(1, language, pair[0], pair[1], cmpOp, -1, 1, false),
                  FullWalk(1, language, pair[0], pair[1], cmpOp, -1, 1))
            << pair[0] << " / " << pair[1] << " language " << int(language) << " operator " << cmpOp;
      }
    }
  }
}

// A case or accent difference first, then an equal run long enough that
// the unit-wise walk hands it to the vector scan (under limits that end
// before, inside and after it), with texts shifted
// against each other by a skipped space or symbol, and a run that ends at
// a primary difference, an expansion, a wildcard or the end.
TEST(CollationFastPaths, LongEqualRunsAfterALowerLevelDifferenceAgreeWithTheFullWalk) {
  // Sharp s gives two orders, which a limit counts.
  std::string run;
  for (int i = 0; i < 18; ++i) run += "ab\xDFx";
  const std::string starts[][2] = {{"a", "A"}, {"e", "\xE9"}, {"a ", "A"}, {"a-", "A"}, {"Ab", "a-b"}};
  const std::string ends[][2] = {{"", ""},
                                 {"y", "z"},
                                 {"\xDF", "ss"},
                                 {"\xDF"
                                  "a",
                                  "\xDF"
                                  "b"},
                                 {"*", "b"},
                                 {"y", ""},
                                 {"\xE6", "ae"}};
  for (const auto& start : starts) {
    for (const auto& end : ends) {
      const std::string a = start[0] + run + end[0];
      const std::string b = start[1] + run + end[1];
      for (unsigned short cmpOp : {0, 0x10, 0x20, 0x40, 0x80, 0x200, 0x290}) {
        for (short length : {-1, 20, 41, 77, 93, 30000}) {
          for (int swap = 0; swap < 2; ++swap) {
            const char* x = swap ? b.c_str() : a.c_str();
            const char* y = swap ? a.c_str() : b.c_str();
            EXPECT_EQ(Library(1, KS_LANGUAGE_GERMAN, x, y, cmpOp, length, 1, false).result,
                      FullWalk(1, KS_LANGUAGE_GERMAN, x, y, cmpOp, length, 1).result)
                << x << " / " << y << " operator " << cmpOp << " length " << length;
          }
        }
      }
    }
  }
}

// Units from 256 on in 16-bit text, which the unit-wise walk reads from
// the code set's tables (Latin Extended-A and -B) or its collation table
// (beyond): equal ones in a case-different word, before and after a hyphen
// that puts the texts out of step, different ones, symbols among them that
// the flags skip or keep, units without an entry, and a difference after
// them, in both byte orders.
TEST(CollationFastPaths, UnitsBeyondTheByteRangeAgreeWithTheFullWalk) {
  const std::u16string words[] = {u"c\u0153ur",
                                  u"C\u0152UR",
                                  u"C\u0153ur-x",
                                  u"\u0391\u03B2\u03B3a",
                                  u"\u0391\u03B2\u03B3A",
                                  u"a\u2014b",
                                  u"ab",
                                  u"a\u2014\u2014B",
                                  u"\u3042\u3044",
                                  u"\u3042\u3044a",
                                  u"\uFFF5x",
                                  u"\u0101\u01FFz",
                                  u"B\u0153uf-\u0101x",
                                  u"b\u0153uf\u0101x",
                                  u"\u01C6a\u0200",
                                  u"\u01C4A\u0200"};
  for (unsigned char format : {1, 2}) {
    for (const std::u16string& x : words) {
      for (const std::u16string& y : words) {
        std::string a;
        std::string b;
        for (char16_t unit : x) PutUnit(a, 253, format, unit);
        for (char16_t unit : y) PutUnit(b, 253, format, unit);
        PutUnit(a, 253, format, 0);
        PutUnit(b, 253, format, 0);
        for (unsigned short cmpOp : {0, 0x10, 0x20, 0x40, 0x80, 0x200, 0x290}) {
          EXPECT_EQ(Library(253, KS_LANGUAGE_GERMAN, a.data(), b.data(), cmpOp, -1, format, false).result,
                    FullWalk(253, KS_LANGUAGE_GERMAN, a.data(), b.data(), cmpOp, -1, format).result)
              << "format " << int(format) << " operator " << cmpOp;
        }
      }
    }
  }
}

// The nibble form holds stop sets of up to eight distinct high-nibble rows
// exactly; any other stops at every byte, so that a vector scan that takes
// it as it is never passes a unit that stops.
TEST(CollationFastPaths, NibbleFormHoldsEightRowPatternsAndStopsEverywhereBeyond) {
  struct Case {
    const char* name;
    std::vector<unsigned> stops;
    bool exact;
  };
  std::vector<unsigned> eightRows;  // rows 0-7, row r stopping at low nibble r
  std::vector<unsigned> nineRows;
  for (unsigned row = 0; row < 9; ++row) (row < 8 ? eightRows : nineRows).push_back(row * 16 + row);
  nineRows.insert(nineRows.begin(), eightRows.begin(), eightRows.end());
  const Case cases[] = {{"end and wildcards", {0, '*', '?'}, true},
                        {"one row, every low nibble", {0x40, 0x41, 0x4F, 0x45}, true},
                        {"equal rows share a pattern", {0x01, 0x11, 0x21, 0xF1, 0xFF, 0x0F}, true},
                        {"eight patterns", eightRows, true},
                        {"nine patterns", nineRows, false}};
  for (const Case& c : cases) {
    uint8_t table[ksstring::kByteUnits] = {};
    for (unsigned unit : c.stops) table[unit] = 1;
    const ksstring::NibbleSet set = ksstring::NibblesOf(table);
    EXPECT_EQ(set.exact, c.exact) << c.name;
    for (unsigned byte = 0; byte < ksstring::kByteUnits; ++byte) {
      const bool stops = (set.low[byte & 15] & set.high[byte >> 4]) != 0;
      EXPECT_EQ(stops, c.exact ? table[byte] != 0 : true) << c.name << " byte " << byte;
    }
  }
}

// A table whose stop set the nibble form cannot hold: its blocks stop at
// once and hand the first unit on, and every comparison still agrees with
// the full walk.
TEST(CollationFastPaths, StopSetsBeyondTheNibbleFormAgreeWithTheFullWalk) {
  for (unsigned char codeSet : {1, 253}) {
    ksstring::LanguageSlot& slot = ksstring::gLanguageSlots[codeSet][KS_LANGUAGE_GERMAN];
    ASSERT_NE(ksstring::SimpleOrdersOf(codeSet, KS_LANGUAGE_GERMAN), nullptr);
    const ksstring::SimpleOrders* shipped = slot.switchFree.load();
    ASSERT_NE(shipped, nullptr);
    auto inexact = std::make_unique<ksstring::SimpleOrders>(*shipped);
    uint8_t nineRows[ksstring::kByteUnits] = {};
    for (unsigned row = 0; row < 9; ++row) nineRows[row * 16 + row] = 1;
    inexact->prefixStopSet[0] = inexact->prefixStopSet[1] = ksstring::NibblesOf(nineRows);
    ASSERT_FALSE(inexact->prefixStopSet[0].exact);
    slot.switchFree.store(inexact.get());
    std::mt19937 random(codeSet);
    for (int round = 0; round < 2000; ++round) {
      const unsigned char format = Width(codeSet) == 2 ? static_cast<unsigned char>(1 + random() % 2) : 1;
      const unsigned short cmpOp = static_cast<unsigned short>(
          (random() % 2 ? 0x10 : 0) | (random() % 2 ? 0x20 : 0) | (random() % 2 ? 0x80 : 0));
      auto [a, b] = RandomPair(random, codeSet, format);
      EXPECT_EQ(
          Library(codeSet, KS_LANGUAGE_GERMAN, a.bytes.data(), b.bytes.data(), cmpOp, -1, format, false)
              .result,
          FullWalk(codeSet, KS_LANGUAGE_GERMAN, a.bytes.data(), b.bytes.data(), cmpOp, -1, format).result)
          << "code set " << int(codeSet) << " round " << round << " operator " << cmpOp;
    }
    slot.switchFree.store(shipped);
  }
}

// The vector step past case differences folds a unit pair only where the
// first text has an ASCII letter and the second the same letter in either
// case; everything else stops it, also where the low bytes alone of 16-bit
// units would fold (the step would read the tables at a unit beyond them).
__attribute__((target("avx2"))) uint32_t FoldedUnits(const ksstring::NibbleSet& letters,
                                                     unsigned char codeSet, unsigned char format,
                                                     const std::string& a, const std::string& b) {
  const auto* x = reinterpret_cast<const unsigned char*>(a.data());
  const auto* y = reinterpret_cast<const unsigned char*>(b.data());
  if (Width(codeSet) == 1) return ksstring::FoldedDifferences<1, false>(letters, x, y);
  if (format == 2) return ksstring::FoldedDifferences<2, true>(letters, x, y);
  return ksstring::FoldedDifferences<2, false>(letters, x, y);
}

TEST(CollationFastPaths, OnlyLettersEqualOnceFoldedPassTheCaseStep) {
  if (!__builtin_cpu_supports("avx2")) GTEST_SKIP() << "no AVX2";
  struct Case {
    unsigned short a, b;
    bool folds;
  };
  const Case cases[] = {{'a', 'A', true},     {'Z', 'z', true},       {'q', 'q', true},
                        {'a', 'b', false},    {'5', '5', false},      {'@', '`', false},
                        {'[', '{', false},    {' ', 0, false},        {0, 0, false},
                        {'a', 0x3041, false}, {0x3061, 'A', false},   {'A', 0x161, false},
                        {0x141, 'a', false},  {0x4141, 0x4161, false}};
  for (unsigned char codeSet : {1, 253}) {
    const ksstring::SimpleOrders* orders = ksstring::SimpleOrdersOf(codeSet, KS_LANGUAGE_GERMAN);
    ASSERT_NE(orders, nullptr);
    ASSERT_TRUE(orders->foldsAsciiCase);
    for (unsigned char format : {1, 2}) {
      std::string a;
      std::string b;
      std::vector<bool> expected;
      // A block's worth of units, each case in turn.
      for (size_t i = 0; a.size() < 32; ++i) {
        const Case& c = cases[i % std::size(cases)];
        if (Width(codeSet) == 1 && (c.a > 0xFF || c.b > 0xFF)) continue;
        PutUnit(a, codeSet, format, c.a);
        PutUnit(b, codeSet, format, c.b);
        expected.push_back(c.folds);
      }
      const uint32_t folded = FoldedUnits(orders->notAsciiLetters, codeSet, format, a, b);
      const unsigned width = Width(codeSet);
      for (size_t unit = 0; unit < expected.size(); ++unit) {
        for (unsigned byte = 0; byte < width; ++byte) {
          EXPECT_EQ((folded >> (unit * width + byte)) & 1u, expected[unit] ? 0u : 1u)
              << "code set " << int(codeSet) << " format " << int(format) << " unit " << unit << " byte "
              << byte;
        }
      }
      if (Width(codeSet) == 1) break;
    }
  }
}

// Units of texts that go to two code sets: below 256 the same letter,
// expansion, contraction, space, symbol or wildcard in code sets 1, 2 and
// 253; from 256 on, 16-bit units only (an 8-bit text takes 0x9C instead).
const unsigned short kAcrossUnits[] = {'a',  'a',  'b',  'e',   's',   's',    'A',    'c',    'h',
                                       'l',  '*',  '?',  ' ',   ' ',   '-',    ',',    '1',    0xDF,
                                       0xDF, 0xE6, 0xC6, 0xE5,  0xE4,  0xF6,   0xE9,   0xFC,   0xDC,
                                       0x9C, 0x80, 0xFF, 0x153, 0x100, 0x3042, 0x2014, 0xFFF5, 'x'};

std::string EncodedUnits(const std::vector<unsigned short>& units, unsigned char codeSet,
                         unsigned char format) {
  std::string bytes;
  for (unsigned short unit : units) {
    PutUnit(bytes, codeSet, format, Width(codeSet) == 1 && unit > 0xFF ? 0x9C : unit);
  }
  PutUnit(bytes, codeSet, format, 0);
  return bytes;
}

// The walk through iterators reads simple units, short expansions and runs
// of equal units from the byte tables of each text's code set. Across code
// sets (no table serves both), between languages, under limits, with the
// match position output and beside raw units (whose classes stop after the
// first step), it gives what the iterators' walk through the collation
// tables gives; also while the wildcard orders are not those the tables
// were made for.
TEST(CollationFastPaths, WalksAcrossCodeSetsAgreeWithTheFullWalk) {
  const unsigned char codeSetPairs[][2] = {{1, 253}, {253, 1}, {2, 253},   {1, 2},  {253, 253},
                                           {1, 1},   {254, 1}, {253, 254}, {1, 254}};
  const unsigned char languages[] = {0, 1, 2, 3, 4, 5};
  const unsigned char formats[] = {1, 2, 8};
  const unsigned short flags[] = {0x10, 0x20, 0x40, 0x80, 0x200};
  std::mt19937 random(2026);
  int walkedFar = 0;
  for (int round = 0; round < 24000; ++round) {
    const bool otherStar = round >= 20000;
    if (round == 20000) KsString::SetAsterisk(KsChar('%', 1, 0));
    const auto& codeSets = codeSetPairs[random() % std::size(codeSetPairs)];
    unsigned char language1 = languages[random() % std::size(languages)];
    unsigned char language2 = random() % 4 == 0 ? languages[random() % std::size(languages)] : language1;
    // Raw text of language 0 is a null value.
    if (codeSets[0] == 254 && language1 == 0) language1 = 1;
    if (codeSets[1] == 254 && language2 == 0) language2 = 1;
    const unsigned char format = formats[random() % std::size(formats)];
    unsigned short cmpOp = 0;
    for (unsigned short flag : flags) cmpOp = static_cast<unsigned short>(cmpOp | (random() % 2 ? flag : 0));
    if (random() % 16 == 0) cmpOp |= 0x100;
    const short length = random() % 3 == 0 ? static_cast<short>(random() % 60) : -1;
    std::vector<unsigned short> units;
    const size_t common = random() % 4 == 0 ? random() % 300 : random() % 40;
    for (size_t i = 0; i < common; ++i) units.push_back(kAcrossUnits[random() % std::size(kAcrossUnits)]);
    std::vector<unsigned short> other = units;
    for (unsigned edits = random() % 4; edits > 0; --edits) {
      const size_t at = other.empty() ? 0 : random() % other.size();
      const unsigned short unit = kAcrossUnits[random() % std::size(kAcrossUnits)];
      if (other.empty() || random() % 2 == 0) {
        other.insert(other.begin() + static_cast<std::ptrdiff_t>(at), unit);
      } else {
        other[at] = unit;
      }
    }
    const std::string a = EncodedUnits(units, codeSets[0], format);
    const std::string b = EncodedUnits(other, codeSets[1], format);
    Outcome expected{0, 12345};
    {
      // The reference knows only '*' as the star; with '%' the library's
      // own walk through the tables stands in.
      const TablesOnly tablesOnly;
      expected.result =
          otherStar ? KsStrCmp(codeSets[0], language1, a.data(), codeSets[1], language2, b.data(), cmpOp,
                               length, format, &expected.match)
                    : reference::StepwiseStrCmp(codeSets[0], language1, a.data(), codeSets[1], language2,
                                                b.data(), cmpOp, length, format, &expected.match);
    }
    Outcome actual{0, 12345};
    actual.result = KsStrCmp(codeSets[0], language1, a.data(), codeSets[1], language2, b.data(), cmpOp,
                             length, format, &actual.match);
    ASSERT_EQ(actual, expected) << "round " << round << " code sets " << int(codeSets[0]) << "/"
                                << int(codeSets[1]) << " languages " << int(language1) << "/"
                                << int(language2) << " operator " << cmpOp << " length " << length
                                << " format " << int(format) << (otherStar ? " star %" : "");
    if (common > 100 && expected.result != 0) ++walkedFar;
  }
  KsString::SetAsterisk(KsChar('*', 1, 0));
  EXPECT_GT(walkedFar, 1000);
}

std::vector<std::string> Encoded(const std::vector<std::u16string>& words, unsigned char codeSet) {
  std::vector<std::string> out;
  for (const std::u16string& word : words) {
    if (codeSet == 1) {
      out.push_back(reference::ToWindows1252(word) + '\0');
    } else {
      std::string bytes;
      for (char16_t unit : word) PutUnit(bytes, codeSet, 1, unit);
      PutUnit(bytes, codeSet, 1, 0);
      out.push_back(bytes);
    }
  }
  return out;
}

// The benchmark's word list, sorted by the library both ways: every pair
// of neighbours (the pairs an index compares) agrees with the full walk,
// and so does the hash of every word.
TEST(CollationFastPaths, SortedWordListMatchesTheFullWalk) {
  const std::vector<std::u16string> words = reference::RealisticWords(2000, 20251205);
  for (unsigned char codeSet : {1, 253}) {
    for (unsigned short cmpOp : {0, 0x10, 0x60, 0x90}) {
      std::vector<std::string> texts = Encoded(words, codeSet);
      auto less = [&](const std::string& a, const std::string& b) {
        return KsStrCmp(codeSet, KS_LANGUAGE_GERMAN, a.data(), codeSet, KS_LANGUAGE_GERMAN, b.data(), cmpOp,
                        -1, 1, nullptr) < 0;
      };
      std::sort(texts.begin(), texts.end(), less);
      for (int direction = 0; direction < 2; ++direction) {
        for (size_t i = 0; i + 1 < texts.size(); ++i) {
          const char* a = texts[i].data();
          const char* b = texts[i + 1].data();
          ASSERT_EQ(Library(codeSet, KS_LANGUAGE_GERMAN, a, b, cmpOp, -1, 1, false).result,
                    FullWalk(codeSet, KS_LANGUAGE_GERMAN, a, b, cmpOp, -1, 1).result)
              << "code set " << int(codeSet) << " operator " << cmpOp << " pair " << i;
        }
        std::reverse(texts.begin(), texts.end());
      }
      for (const std::string& text : texts) {
        ASSERT_EQ(HashString(codeSet, KS_LANGUAGE_GERMAN, text.data(), -1, 1),
                  FullWalkHash(codeSet, KS_LANGUAGE_GERMAN, text.data(), -1, 1));
      }
    }
  }
}

}  // namespace
