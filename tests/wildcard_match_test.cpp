// Wildcard matching by whole segments against the step-by-step walk it
// replaces for long matches: the same result and the same match position
// output for random texts and patterns over every code set, language and
// flag combination, with expansions, contractions, ignorables and limits.
// The hand-over point is lowered to 0 steps so that short walks take the
// segment path as well; adversarial long cases run at the normal point.
#include "ksstring/wildcard_match.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "ksstrcmp.h"
#include "reference/stepwise_strcmp.h"

namespace {

using ksstring::MatchWildcardSegments;
using ksstring::WildcardToken;

// Windows-1252 characters that exercise every kind of element: letters in
// both cases and with accents, the ß and æ expansions, the Spanish ch and ll
// contractions, Swedish å ä ö, digits, spaces, symbols and the wildcards.
constexpr char kAlphabet[] =
    "aaabAchlls*?*?  -.,1\xDF\xE6\xC6\xE5\xE4\xF6\xE1\xC1"
    "aA";

// Unicode units for the 16-bit code sets: the same kinds, and units beyond
// the Latin range.
const unsigned short kUnits[] = {'a', 'a', 'A',  'b',  'c',  'h',  'l',    's',    '*',    '?',    '*',   ' ',
                                 '-', '1', 0xDF, 0xE6, 0xE5, 0xE1, 0x0391, 0x3042, 0x4E00, 0xAC00, 0x2014};

struct Operand {
  std::string bytes;  // 8-bit text, or 16-bit units in memory order, zero-terminated
};

Operand RandomOperand(std::mt19937& random, unsigned char codeSet, size_t length) {
  Operand operand;
  if (codeSet > 224) {
    std::vector<unsigned short> units;
    for (size_t i = 0; i < length; ++i) units.push_back(kUnits[random() % std::size(kUnits)]);
    units.push_back(0);
    operand.bytes.assign(reinterpret_cast<const char*>(units.data()), units.size() * 2);
  } else {
    for (size_t i = 0; i < length; ++i) operand.bytes += kAlphabet[random() % (sizeof kAlphabet - 1)];
    operand.bytes += '\0';
  }
  return operand;
}

// A pattern made from the text, so that matches are common: pieces of the
// text with stars between them and some elements replaced by '?'.
Operand PatternFromText(std::mt19937& random, const Operand& text, unsigned char codeSet) {
  const size_t width = codeSet > 224 ? 2 : 1;
  const size_t units = text.bytes.size() / width - 1;
  std::string pattern;
  auto put = [&](unsigned short unit) {
    pattern += static_cast<char>(unit & 0xFF);
    if (width == 2) pattern += static_cast<char>(unit >> 8);
  };
  for (size_t i = 0; i < units; ++i) {
    const int roll = static_cast<int>(random() % 10);
    if (roll == 0) put('*');
    if (roll == 1) {
      put('?');
      continue;
    }
    if (roll == 2) continue;
    unsigned short unit = static_cast<unsigned char>(text.bytes[i * width]);
    if (width == 2)
      unit |= static_cast<unsigned short>(static_cast<unsigned char>(text.bytes[i * width + 1]) << 8);
    put(unit);
  }
  put(0);
  return Operand{pattern};
}

struct Outcome {
  int result;
  int match;
  bool operator==(const Outcome&) const = default;
};

Outcome Library(unsigned char cs1, unsigned char lang1, const Operand& a, unsigned char cs2,
                unsigned char lang2, const Operand& b, unsigned short cmpOp, short length) {
  Outcome o{0, 12345};
  o.result = KsStrCmp(cs1, lang1, a.bytes.data(), cs2, lang2, b.bytes.data(), cmpOp, length, 8, &o.match);
  return o;
}

Outcome Stepwise(unsigned char cs1, unsigned char lang1, const Operand& a, unsigned char cs2,
                 unsigned char lang2, const Operand& b, unsigned short cmpOp, short length) {
  Outcome o{0, 12345};
  o.result = reference::StepwiseStrCmp(cs1, lang1, a.bytes.data(), cs2, lang2, b.bytes.data(), cmpOp, length,
                                       8, &o.match);
  return o;
}

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
  int compared = 0;
  int matched = 0;
  for (int steps : {0, 3, ksstring::kStepwiseWildcardSteps}) {
    const HandOverAt handOver(steps);
    for (int round = 0; round < 12000; ++round) {
      const unsigned char cs1 = codeSets[random() % std::size(codeSets)];
      // Mostly one code set on both sides; sometimes the other width.
      const unsigned char cs2 = random() % 4 == 0 ? codeSets[random() % std::size(codeSets)] : cs1;
      const unsigned char lang1 = languages[random() % std::size(languages)];
      const unsigned char lang2 = random() % 4 == 0 ? languages[random() % std::size(languages)] : lang1;
      unsigned short cmpOp = 0;
      for (unsigned short flag : flags) {
        if (random() % 3 == 0) cmpOp |= flag;
      }
      // Wildcards must be on for most cases to matter.
      if (random() % 2 == 0) cmpOp &= static_cast<unsigned short>(~0x110);
      const short length = random() % 4 == 0 ? static_cast<short>(random() % 30) : -1;
      const Operand text = RandomOperand(random, cs1, random() % 40);
      const Operand pattern =
          random() % 3 == 0 ? RandomOperand(random, cs2, random() % 12) : PatternFromText(random, text, cs1);
      if (cs2 != cs1 && (cs1 > 224) != (cs2 > 224)) continue;  // the pattern's units must suit its code set
      const Outcome expected = Stepwise(cs1, lang1, text, cs2, lang2, pattern, cmpOp, length);
      const Outcome actual = Library(cs1, lang1, text, cs2, lang2, pattern, cmpOp, length);
      ASSERT_EQ(actual, expected) << "steps " << steps << " round " << round << " cs " << int(cs1) << "/"
                                  << int(cs2) << " lang " << int(lang1) << "/" << int(lang2) << " op "
                                  << cmpOp << " len " << length;
      ++compared;
      matched += expected.result == 0;
    }
  }
  // The generator must produce both outcomes in quantity.
  EXPECT_GT(compared, 30000);
  EXPECT_GT(matched, compared / 10);
  EXPECT_LT(matched, compared * 9 / 10);
}

// Long texts of few distinct elements with patterns that nearly match
// everywhere: the walks that are handed over at the normal point.
TEST(WildcardMatch, LongNearMissesMatchTheStepwiseWalk) {
  std::mt19937 random(77);
  for (unsigned char codeSet : {0, 1, 253}) {
    for (int round = 0; round < 40; ++round) {
      const size_t n = 200 + random() % 600;
      std::string text8(n, 'a');
      for (size_t i = 0; i < n; ++i) {
        if (random() % 50 == 0) text8[i] = random() % 2 ? 'b' : 'A';
      }
      std::string pattern8 = "*";
      const int segments = 1 + static_cast<int>(random() % 4);
      for (int s = 0; s < segments; ++s) {
        std::string segment(20 + random() % 150, 'a');
        if (random() % 2) segment[random() % segment.size()] = '?';
        if (random() % 2) segment.back() = random() % 2 ? 'b' : 'A';
        pattern8 += segment;
        if (s + 1 < segments || random() % 2) pattern8 += '*';
      }
      for (unsigned short cmpOp : {0, 0x20, 0x40, 0x60, 0x80}) {
        Operand text;
        Operand pattern;
        if (codeSet == 253) {
          for (char c : text8) text.bytes += std::string{c, '\0'};
          for (char c : pattern8) pattern.bytes += std::string{c, '\0'};
          text.bytes += std::string(2, '\0');
          pattern.bytes += std::string(2, '\0');
        } else {
          text.bytes = text8 + '\0';
          pattern.bytes = pattern8 + '\0';
        }
        for (short length : {static_cast<short>(-1), static_cast<short>(n / 2)}) {
          ASSERT_EQ(Library(codeSet, 0, text, codeSet, 0, pattern, cmpOp, length),
                    Stepwise(codeSet, 0, text, codeSet, 0, pattern, cmpOp, length))
              << int(codeSet) << " " << pattern8 << " / " << text8 << " op " << cmpOp << " len " << length;
        }
      }
    }
  }
}

std::vector<uint32_t> Keys(const char* text) {
  std::vector<uint32_t> keys;
  for (; *text != 0; ++text) keys.push_back(static_cast<unsigned char>(*text));
  return keys;
}

std::vector<WildcardToken> Tokens(const char* pattern) {
  std::vector<WildcardToken> tokens;
  for (; *pattern != 0; ++pattern) {
    const auto kind = *pattern == '*'   ? WildcardToken::Star
                      : *pattern == '?' ? WildcardToken::Any
                                        : WildcardToken::Literal;
    tokens.push_back(WildcardToken{static_cast<unsigned char>(*pattern), kind});
  }
  return tokens;
}

// The segment matcher alone: which segment a failure names decides the
// value of a non-match, so each case pins it.
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
    const auto outcome = MatchWildcardSegments(Keys(c.text), Tokens(c.pattern));
    EXPECT_EQ(outcome.matched, c.matched) << c.text << " " << c.pattern;
    if (!c.matched) {
      EXPECT_EQ(outcome.failedToken, c.failedToken) << c.text << " " << c.pattern;
    }
  }
}

// Segments with '?' longer than one machine word, with a key that fills
// many positions (a full mask) and keys at few positions.
TEST(WildcardMatch, LongSegmentsWithAnyFindTheLeftmostOccurrence) {
  std::string text(300, 'a');
  text[150] = 'b';
  text[290] = 'c';
  std::string segment(140, 'a');
  segment[0] = 'b';
  segment[70] = '?';
  segment[139] = 'c';
  // b at 150 and c at 150 + 139 = 289: one short of the c at 290.
  EXPECT_FALSE(MatchWildcardSegments(Keys(text.c_str()), Tokens((segment + "*").c_str())).matched);
  segment.insert(1, "a");
  EXPECT_TRUE(MatchWildcardSegments(Keys(text.c_str()), Tokens((segment + "*").c_str())).matched);
  // Where the first occurrence ends decides where the next segment may start.
  EXPECT_FALSE(MatchWildcardSegments(Keys(text.c_str()), Tokens((segment + "*b*").c_str())).matched);
  EXPECT_TRUE(MatchWildcardSegments(Keys(text.c_str()), Tokens((segment + "*a").c_str())).matched);
}

}  // namespace
