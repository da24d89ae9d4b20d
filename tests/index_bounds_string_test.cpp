// Index range evaluation of KsString: collation-key bounds built up to the
// key's first wildcard, positions interpolated between the index's bounds,
// and ties settled by the full comparison.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "basesvc.h"
#include "index_bounds_support.h"
#include "kstypemgr.h"
#include "kstypes/typedesc.h"

namespace {

using namespace ks::testing;  // stored keys, current and recorded bounds

constexpr unsigned short kInexact = kWidened;
constexpr unsigned char kLanguage = 7;

// A current-layout record, least significant byte first.
Bytes Record(unsigned char codeSet, const Bytes& text, unsigned char language = kLanguage) {
  const auto length = static_cast<unsigned short>(text.size() + 4);
  const Bytes header = {static_cast<unsigned char>(length), static_cast<unsigned char>(length >> 8), codeSet,
                        language};
  return Join(Join(header, text), {0x00, 0xFF});
}

Bytes Plain(const std::string& text) {
  return Record(0, Bytes(text.begin(), text.end()));
}

// Position of four characters of code set 0 in base 128, each at most 127,
// in whole units of 128 (the fourth character falls below the unit).
double Position(const std::string& text) {
  double position = 0;
  for (size_t i = 0; i < 3; ++i)
    position = position * 128 + (i < text.size() ? std::min(127, text[i] & 0xFF) : 0);
  return position * 128;
}

constexpr double kUnit = 128;

std::vector<std::string> asserted;

// Assertion reports while alive.
struct AssertReports {
  AssertReports() { asserted.clear(); }
  ~AssertReports() { KsSetAssertHandler(previous); }
  KsAssertHandler previous = KsSetAssertHandler([](const char* text, const char* source, int line) {
    asserted.push_back(std::string(text) + "|" + source + "|" + std::to_string(line));
  });
};

// Code set 0 keys: the estimate is range over the positions from low to high
// plus one unit. The full comparison settles ties of positions; a key less
// than one unit above the low bound counts one unit, as the low bound does.
TEST(StringEvaluator, InterpolatesCharacterPositionsBetweenTheBounds) {
  struct Case {
    std::string low, high, key;
    unsigned short flags;
    double range;
  };
  const Case cases[] = {
      {"aaaa", "zzzz", "mmmm", EQ, kUnit},
      {"aaaa", "zzzz", "mmmm", LT, Position("mmmm") - Position("aaaa")},
      {"aaaa", "zzzz", "mmmm", GT, Position("zzzz") - Position("mmmm")},
      {"aaaa", "zzzz", "m*", EQ, Position("m\x7F") - Position("m") + kUnit},
      {"aaaa", "zzzz", "mmmm", LT | EQ, Position("mmmm") - Position("aaaa") + kUnit},
      {"aaaa", "zzzz", "0", LT, 0},
      // Bounds and key agree on everything: the key's high text is not below the low bound.
      {"m", "m", "m", LT, kUnit},
      {"m", "m", "m", GT, kUnit},
      {"m", "m", "n", GT, 0},
      {"mmma", "zzzz", "mmma", LT, kUnit},
      {"mmma", "zzzz", "mmmb", LT, kUnit},
      {"mmma", "zzzz", "mmmz", LT, kUnit},
      {"mmma", "zzzz", "mmm", LT, 0},  // below the low bound
      {"a", "a", "ab", EQ, kUnit},     // the high bound a starts the key ab
      // Equal beyond the high bound counts one unit when both start above 0x7F.
      {"a", "\x90", "\xA0\x90", EQ, kUnit},
      {"a", "b", "c", EQ, 0},
  };
  for (const Case& c : cases) {
    CurrentBounds bounds(Plain(c.low), Plain(c.high));
    unsigned short flags = c.flags;
    const double total = Position(c.high) - Position(c.low) + kUnit;
    const float estimate = Evaluate(KsSTRING_T, &bounds, flags, Plain(c.key), 1);
    SCOPED_TRACE(c.low + ".." + c.high + " " + c.key + " flags " + std::to_string(c.flags));
    if (c.range == 0 || c.range == total)
      EXPECT_EQ(estimate, c.range / total);  // exactly none or all
    else
      EXPECT_FLOAT_EQ(estimate, static_cast<float>(c.range / total));
  }
}

TEST(StringEvaluator, BuildsBoundsUpToTheWildcardWithTheMarkerOnTheHighOne) {
  struct Case {
    std::string key;
    unsigned short flags;
    Bytes low, high;
    unsigned short flagsOut;
  };
  const Case cases[] = {
      {"ab*d", EQ, Plain("ab"), Record(0, {'a', 'b', 0xFF}), EQ | kInexact},
      {"a?", EQ, Plain("a"), Record(0, {'a', 0xFF}), EQ | kInexact},
      {"*", EQ, Plain(""), Record(0, {0xFF}), EQ | kInexact},
      {"abc", EQ, Plain("abc"), Plain("abc"), EQ},
      {"abc", LT, {}, Plain("abc"), LT},
      {"ab*", GT, Plain("ab"), {}, GT | kInexact},
      // Wildcards off: the star is a character, and 0x0010 is not returned.
      {"ab*", EQ | 0x0010, Plain("ab*"), Plain("ab*"), EQ},
      // Spaces or symbols skipped: the high bound reaches every key the key starts.
      {"ab", EQ | 0x0080, Plain("ab"), Record(0, {'a', 'b', 0xFF}), EQ},
  };
  for (const Case& c : cases) {
    RecordedBounds out;
    unsigned short flags = c.flags;
    Evaluate(KsSTRING_T, nullptr, flags, Plain(c.key), 1, &out);
    EXPECT_EQ(out.Low(), c.low) << c.key;
    EXPECT_EQ(out.High(), c.high) << c.key;
    EXPECT_EQ(flags, c.flagsOut) << c.key;
  }
}

TEST(StringEvaluator, BoundBuffersHaveTheMinimumLengthRoundedUpToEven) {
  RecordedBounds out;
  out.minBufLen = 11;
  unsigned short flags = EQ;
  Evaluate(KsSTRING_T, nullptr, flags, Plain("ab"), 1, &out);
  ASSERT_EQ(out.lowLen, 8);
  const auto* low = static_cast<const unsigned char*>(out.low);
  EXPECT_EQ(Bytes(low + 8, low + 12), Bytes(4, 0));
}

TEST(StringEvaluator, WithoutCurrentBoundsTheCountIsZero) {
  for (unsigned short comparison : {EQ, LT, GT}) {
    unsigned short flags = comparison;
    EXPECT_EQ(Evaluate(KsSTRING_T, nullptr, flags, Plain("abc"), 1), 0.0f);
  }
}

TEST(StringEvaluator, PatternStartingWithAStarThatMissesTheRangeIsReported) {
  AssertReports reports;
  CurrentBounds bounds(Plain("a"), Plain("z"));
  unsigned short flags = EQ;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("*x"), 1), 1.0f);
  EXPECT_TRUE(asserted.empty());
  flags = LT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("*x"), 1), 0.0f);
  EXPECT_EQ(asserted,
            std::vector<std::string>{"charWildPos != 0 || valueRange >= valueTotalArea|src/kstypevl|1128"});
}

TEST(StringEvaluator, LongKeysAreCutAt254BytesAndReported) {
  AssertReports reports;
  RecordedBounds out;
  unsigned short flags = EQ;
  Evaluate(KsSTRING_T, nullptr, flags, Plain(std::string(300, 'q')), 1, &out);
  EXPECT_EQ(out.lowLen, 254);
  EXPECT_EQ(out.highLen, 254);
  EXPECT_EQ(asserted, (std::vector<std::string>{"actualLen <= 254|src/kstypevl|823",
                                                "actualLen <= 254|src/kstypevl|964"}));
  // A record of 254 bytes fits.
  AssertReports none;
  RecordedBounds fits;
  flags = EQ;
  Evaluate(KsSTRING_T, nullptr, flags, Plain(std::string(248, 'q')), 1, &fits);
  EXPECT_EQ(fits.lowLen, 254);
  EXPECT_TRUE(asserted.empty());
}

// An order key cut where its text changed class stands for the keys it
// starts, unless its class is the alphabetic class 1.
TEST(StringEvaluator, OrderKeyCutAtAClassChangeIsAPrefix) {
  const Bytes units = {0x10, 0x40, 0x20, 0x40};
  struct Case {
    unsigned char classByte;
    unsigned short flagsOut;
    size_t highLength;
    unsigned char at8;  // the marker 0xFFFE, or the record's closing zero
  };
  for (const Case& c : {Case{0x82, EQ | kInexact, 12, 0xFE}, Case{0x81, EQ, 10, 0}, Case{0x02, EQ, 10, 0}}) {
    RecordedBounds out;
    unsigned short flags = EQ;
    Evaluate(KsSTRING_T, nullptr, flags, Record(254, units, c.classByte), 1, &out);
    EXPECT_EQ(flags, c.flagsOut) << int{c.classByte};
    ASSERT_EQ(out.highLen, c.highLength);
    EXPECT_EQ(out.High()[8], c.at8);
  }
}

// Code set 1 keys become order keys; accent- and case-insensitive scans
// widen the letters of the low bound to no accent and the case bits set,
// and of the high bound to every accent bit and no case bit.
TEST(StringEvaluator, AccentAndCaseOptionsAdjustTheLettersOfBuiltBounds) {
  RecordedBounds out;
  unsigned short flags = EQ | 0x0060;
  Evaluate(KsSTRING_T, nullptr, flags, Record(1, {'e', 0xE9}), 1, &out);
  const Bytes low = out.Low(), high = out.High();
  ASSERT_GE(low.size(), 10u);
  EXPECT_EQ(low[2], 254) << "an order key";
  int letters = 0;
  for (size_t at = 4; at + 3 < low.size(); at += 2) {
    const unsigned lowUnit = low[at] | low[at + 1] << 8, highUnit = high[at] | high[at + 1] << 8;
    if ((lowUnit & 0xC000) != 0x4000) continue;
    ++letters;
    EXPECT_EQ(lowUnit & 0x3F80, 0x3000u) << at;
    EXPECT_EQ(highUnit & 0x3F80, 0x0F80u) << at;
  }
  EXPECT_EQ(letters, 2);
  EXPECT_EQ(flags, EQ);
}

// Code set 1 keys against the order-key bounds that the evaluator built for
// aaaa and zzzz: the letters' primary weights are evenly spaced, so m lies
// 12 of 25 steps up.
TEST(StringEvaluator, CodeSet1KeysInterpolateBetweenOrderKeyBounds) {
  auto bound = [](const char* text, bool lowSide) {
    RecordedBounds out;
    unsigned short flags = EQ;
    Evaluate(KsSTRING_T, nullptr, flags, Record(1, Bytes(text, text + 4)), 1, &out);
    return lowSide ? out.Low() : out.High();
  };
  CurrentBounds bounds(bound("aaaa", true), bound("zzzz", false));
  unsigned short flags = LT;
  EXPECT_NEAR(Evaluate(KsSTRING_T, &bounds, flags, Record(1, {'m', 'm', 'm', 'm'}), 1), 12.0 / 25, 0.01);
  // zzzzz reads as zzz, the high bound's position: less-than leaves out
  // the high bound's last unit.
  flags = LT;
  const float belowHigh = Evaluate(KsSTRING_T, &bounds, flags, Record(1, {'z', 'z', 'z', 'z', 'z'}), 1);
  EXPECT_LT(belowHigh, 1.0f);
  EXPECT_GT(belowHigh, 0.9999f);
  flags = GT;
  EXPECT_NEAR(Evaluate(KsSTRING_T, &bounds, flags, Record(1, {'m', 'm', 'm', 'm'}), 1), 13.0 / 25, 0.01);
}

// An index holds order keys (code set 254, the class byte where a language
// goes) and the evaluator builds its bounds as order keys, so keys must
// order, match and hash as their texts do, also against text records.
class OrderKeys : public ::testing::Test {
 protected:
  static Bytes KeyOf(const Bytes& record) {
    KsTypeMgr mgr;
    Bytes key(4 * record.size() + 16);
    key.resize(mgr.Translate(KsSTRING_T, key.data(), 0x81, static_cast<unsigned>(key.size()),
                             const_cast<unsigned char*>(record.data()), 1,
                             static_cast<unsigned>(record.size()), 1));
    return key;
  }
  static int Sign(Bytes a, Bytes b, unsigned short cmpOp = 0x10) {
    KsTypeMgr mgr;
    int status = 0;
    const int result = mgr.Cmp(KsSTRING_T, static_cast<unsigned>(a.size()), a.data(),
                               static_cast<unsigned>(b.size()), b.data(), cmpOp, 1, 1, status);
    return (result > 0) - (result < 0);
  }
  static unsigned HashOf(Bytes stored) {
    KsTypeMgr mgr;
    int status = 0;
    return mgr.Hash(KsSTRING_T, static_cast<unsigned>(stored.size()), stored.data(), 1, 1, status);
  }
  // Windows-1252 texts with case, accents and shared prefixes.
  std::vector<Bytes> records_ = [] {
    std::vector<Bytes> records;
    for (const char* text : {"Zo\xEB", "\xE9mile", "\xC9mile", "andr\xE9", "Andr\xE9", "M\xFCller", "muller",
                             "Mueller", "Mull", "Eclair", "\xE9\x63lair", "zebra", "Zebra", "m", "M"})
      records.push_back(Record(1, Bytes(text, text + std::strlen(text))));
    return records;
  }();
};

TEST_F(OrderKeys, CompareAndHashAsTheirTextsWhateverTheOtherSide) {
  for (const Bytes& a : records_) {
    const Bytes keyA = KeyOf(a);
    EXPECT_EQ(Sign(a, keyA), 0);
    EXPECT_EQ(HashOf(keyA), HashOf(a));
    for (const Bytes& b : records_) {
      const int expected = Sign(a, b);
      EXPECT_EQ(Sign(keyA, KeyOf(b)), expected) << &a - records_.data() << " " << &b - records_.data();
      EXPECT_EQ(Sign(a, KeyOf(b)), expected) << &a - records_.data() << " " << &b - records_.data();
    }
  }
}

TEST_F(OrderKeys, BuiltBoundsSplitTheKeysAsTheComparisonSplitsTheTexts) {
  const Bytes m = Record(1, {'M'});
  RecordedBounds atLeastM;
  unsigned short flags = EQ | GT;
  Evaluate(KsSTRING_T, nullptr, flags, m, 1, &atLeastM);
  ASSERT_TRUE(atLeastM.High().empty());
  for (const Bytes& record : records_)
    EXPECT_EQ(Sign(KeyOf(record), atLeastM.Low()) >= 0, Sign(record, m) >= 0) << &record - records_.data();
  // m*ller: the bounds hold every key the pattern can match.
  RecordedBounds pattern;
  flags = EQ;
  const Bytes mStarLler = Record(1, {'m', '*', 'l', 'l', 'e', 'r'});
  Evaluate(KsSTRING_T, nullptr, flags, mStarLler, 1, &pattern);
  int hits = 0;
  for (const Bytes& record : records_) {
    if (Sign(record, mStarLler, 0) != 0) continue;  // wildcards on
    ++hits;
    EXPECT_GE(Sign(KeyOf(record), pattern.Low()), 0);
    EXPECT_LE(Sign(KeyOf(record), pattern.High()), 0);
  }
  EXPECT_EQ(hits, 1);  // muller: M and ü differ in case and accent
}

TEST(StringEvaluator, LegacyDescriptorBuildsLegacyBounds) {
  RecordedBounds out;
  unsigned short flags = EQ;
  Bytes key = {3, 0, 'a', '*', 0};
  KsLegacyTypeTable()[KsSTRING_T]->evalAndBound(nullptr, flags, key.data(), 1, 1, &out);
  EXPECT_EQ(out.Low(), (Bytes{2, 0, 'a', 0}));
  EXPECT_EQ(out.High(), (Bytes{3, 0, 'a', 0xFF, 0}));
  EXPECT_EQ(flags, EQ | kInexact);
}

}  // namespace
