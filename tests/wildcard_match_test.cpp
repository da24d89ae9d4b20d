// Wildcard matching by whole segments against the stepwise walk it replaces:
// the same result and match position for random and long near-miss cases over
// all code sets, languages and flags; short walks take the segment path too.
#include "ksstring/wildcard_match.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <utility>
#include <vector>

#include "ksstrcmp.h"
#include "reference/stepwise_strcmp.h"

namespace {

// Windows-1252 elements of every kind: letters in both cases and accented, ß and
// æ expansions, Spanish ch and ll, Swedish å ä ö, digits, spaces, symbols, wildcards.
constexpr char kAlphabet[] = "aaabAchlls*?*?  -.,1\xDF\xE6\xC6\xE5\xE4\xF6\xE1\xC1\x61\x41";

// Units for the 16-bit code sets: the same kinds, and beyond the Latin range.
const unsigned short kUnits[] = {'a', 'a', 'A',  'b',  'c',  'h',  'l',    's',    '*',    '?',    '*',   ' ',
                                 '-', '1', 0xDF, 0xE6, 0xE5, 0xE1, 0x0391, 0x3042, 0x4E00, 0xAC00, 0x2014};

using Units = std::vector<unsigned short>;

const auto Wide = [](unsigned char codeSet) { return codeSet > 224; };

// 8-bit text, or 16-bit units in memory order; zero-terminated either way.
std::string Operand(const Units& units, bool wide) {
  std::string bytes;
  for (unsigned short unit : units) {
    bytes += static_cast<char>(unit & 0xFF);
    if (wide) bytes += static_cast<char>(unit >> 8);
  }
  return bytes.append(wide ? 2 : 1, '\0');
}

Units RandomUnits(std::mt19937& random, bool wide, size_t length) {
  Units units;
  for (size_t i = 0; i < length; ++i)
    units.push_back(wide ? kUnits[random() % std::size(kUnits)]
                         : static_cast<unsigned char>(kAlphabet[random() % (sizeof kAlphabet - 1)]));
  return units;
}

// A pattern from the text, so that matches are common: pieces, stars, some '?'.
Units PatternFromText(std::mt19937& random, const Units& text) {
  Units pattern;
  for (unsigned short unit : text) {
    const int roll = static_cast<int>(random() % 10);
    if (roll == 0) pattern.push_back('*');
    if (roll == 1) pattern.push_back('?');
    if (roll != 1 && roll != 2) pattern.push_back(unit);
  }
  return pattern;
}

// The result and the match position output (from 12345, which neither writes).
template <auto Compare>
std::pair<int, int> Run(unsigned char cs1, unsigned char lang1, const std::string& a, unsigned char cs2,
                        unsigned char lang2, const std::string& b, unsigned short cmpOp, short length) {
  int match = 12345;
  const int result = Compare(cs1, lang1, a.data(), cs2, lang2, b.data(), cmpOp, length, 8, &match);
  return {result, match};
}
constexpr auto Library = Run<KsStrCmp>;
constexpr auto Stepwise = Run<reference::StepwiseStrCmp>;

// Restores the normal hand-over point when a test ends.
struct HandOverAt {
  explicit HandOverAt(int steps) { ksstring::SetStepwiseWildcardSteps(steps); }
  ~HandOverAt() { ksstring::SetStepwiseWildcardSteps(ksstring::kStepwiseWildcardSteps); }
};

TEST(WildcardMatch, RandomCasesMatchTheStepwiseWalk) {
  const unsigned char codeSets[] = {0, 1, 2, 253, 254};
  const unsigned char languages[] = {0, 1, 2, 3, 4, 5, 255};
  const unsigned short flags[] = {0x10, 0x20, 0x40, 0x80, 0x100, 0x200};
  std::mt19937 random(1405);
  int compared = 0, matched = 0;
  for (int steps : {0, 3, ksstring::kStepwiseWildcardSteps}) {
    const HandOverAt handOver(steps);
    for (int round = 0; round < 12000; ++round) {
      const unsigned char cs1 = codeSets[random() % std::size(codeSets)];
      // Mostly one code set and language on both sides; sometimes another.
      const unsigned char cs2 = random() % 4 == 0 ? codeSets[random() % std::size(codeSets)] : cs1;
      const unsigned char lang1 = languages[random() % std::size(languages)];
      const unsigned char lang2 = random() % 4 == 0 ? languages[random() % std::size(languages)] : lang1;
      unsigned short cmpOp = 0;
      for (unsigned short flag : flags) cmpOp |= random() % 3 == 0 ? flag : 0;
      // Wildcards must be on for most cases to matter.
      if (random() % 2 == 0) cmpOp &= static_cast<unsigned short>(~0x110);
      const short length = random() % 4 == 0 ? static_cast<short>(random() % 30) : -1;
      const Units units = RandomUnits(random, Wide(cs1), random() % 40);
      const std::string text = Operand(units, Wide(cs1));
      const std::string pattern = Operand(
          random() % 3 == 0 ? RandomUnits(random, Wide(cs2), random() % 12) : PatternFromText(random, units),
          Wide(cs1));
      if (Wide(cs1) != Wide(cs2)) continue;  // the pattern's units must suit its code set
      const auto expected = Stepwise(cs1, lang1, text, cs2, lang2, pattern, cmpOp, length);
      ASSERT_EQ(Library(cs1, lang1, text, cs2, lang2, pattern, cmpOp, length), expected)
          << "steps " << steps << " round " << round << " cs " << int(cs1) << "/" << int(cs2) << " lang "
          << int(lang1) << "/" << int(lang2) << " op " << cmpOp << " len " << length;
      ++compared;
      matched += expected.first == 0;
    }
  }
  // The generator must produce both outcomes in quantity.
  EXPECT_GT(compared, 30000);
  EXPECT_GT(matched, compared / 10);
  EXPECT_LT(matched, compared * 9 / 10);
}

// Long texts of few elements and nearly matching patterns: handed over at the normal point.
TEST(WildcardMatch, LongNearMissesMatchTheStepwiseWalk) {
  std::mt19937 random(77);
  for (unsigned char codeSet : {0, 1, 253}) {
    for (int round = 0; round < 40; ++round) {
      const size_t n = 200 + random() % 600;
      std::string text8(n, 'a');
      for (char& c : text8) c = random() % 50 != 0 ? c : random() % 2 ? 'b' : 'A';
      std::string pattern8 = "*";
      const int segments = 1 + static_cast<int>(random() % 4);
      for (int s = 0; s < segments; ++s) {
        std::string segment(20 + random() % 150, 'a');
        if (random() % 2) segment[random() % segment.size()] = '?';
        if (random() % 2) segment.back() = random() % 2 ? 'b' : 'A';
        pattern8 += segment;
        if (s + 1 < segments || random() % 2) pattern8 += '*';
      }
      const std::string text = Operand(Units(text8.begin(), text8.end()), Wide(codeSet));
      const std::string pattern = Operand(Units(pattern8.begin(), pattern8.end()), Wide(codeSet));
      for (unsigned short cmpOp : {0, 0x20, 0x40, 0x60, 0x80}) {
        for (short length : {static_cast<short>(-1), static_cast<short>(n / 2)}) {
          ASSERT_EQ(Library(codeSet, 0, text, codeSet, 0, pattern, cmpOp, length),
                    Stepwise(codeSet, 0, text, codeSet, 0, pattern, cmpOp, length))
              << int(codeSet) << " " << pattern8 << " / " << text8 << " op " << cmpOp << " len " << length;
        }
      }
    }
  }
}

// The segment matcher alone on bytes as keys; '*' and '?' are its wildcards.
ksstring::WildcardOutcome Segments(const std::string& text, const std::string& pattern) {
  std::vector<uint32_t> keys(text.begin(), text.end());
  std::vector<ksstring::WildcardToken> tokens;
  for (char c : pattern) {
    using T = ksstring::WildcardToken;
    tokens.push_back(T{static_cast<unsigned char>(c), c == '*' ? T::Star : c == '?' ? T::Any : T::Literal});
  }
  return ksstring::MatchWildcardSegments(keys, tokens);
}

// Which segment a failure names decides a non-match's value: each case pins it.
TEST(WildcardMatch, SegmentsAreFoundLeftmostAndTheLastAtTheEnd) {
  struct Case {
    const char* text;
    const char* pattern;  // after the star
    bool matched;
    size_t failedToken;
  };
  const Case cases[] = {
      {"xxabyyab", "ab", true, 0},      // the last segment ends with the text
      {"xxabyy", "ab", false, 0},       // found, but not at the end
      {"abcabd", "ab*abd", true, 0},    // leftmost ab, then abd at the end
      {"abd", "ab*abd", false, 3},      // abd would overlap the first ab
      {"aaaaaaab", "a?a*", true, 0},    // trailing star
      {"aaaa", "aab*", false, 0},       // first segment missing
      {"aabxaa", "aab*c*", false, 4},   // second segment missing
      {"ab", "abc", false, 0},          // text shorter than the last segment
      {"a?c", "?\?c", true, 0},         // '?' also takes a literal '?'
      {"abababab", "abab*b", true, 0},  // periodic segment (border function)
      {"aabaabaaab", "aaab", true, 0}, {"aabaabaab", "aaab*", false, 0},
  };
  for (const Case& c : cases) {
    const auto outcome = Segments(c.text, c.pattern);
    EXPECT_EQ(outcome.matched, c.matched) << c.text << " " << c.pattern;
    // The failed token counts for non-matches only.
    EXPECT_EQ(c.matched ? c.failedToken : outcome.failedToken, c.failedToken) << c.text << " " << c.pattern;
  }
}

// '?' segments longer than a machine word; keys at many (a full mask) and few positions.
TEST(WildcardMatch, LongSegmentsWithAnyFindTheLeftmostOccurrence) {
  std::string text(300, 'a');
  text[150] = 'b';
  text[290] = 'c';
  std::string segment(140, 'a');
  segment[0] = 'b';
  segment[70] = '?';
  segment[139] = 'c';
  // b at 150 and c at 150 + 139 = 289: one short of the c at 290.
  EXPECT_FALSE(Segments(text, segment + "*").matched);
  segment.insert(1, "a");
  EXPECT_TRUE(Segments(text, segment + "*").matched);
  // Where the first occurrence ends decides where the next segment may start.
  EXPECT_FALSE(Segments(text, segment + "*b*").matched);
  EXPECT_TRUE(Segments(text, segment + "*a").matched);
}

}  // namespace
