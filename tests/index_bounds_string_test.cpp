// Index range evaluation of KsString: collation-key bounds built from the
// key up to its first wildcard, the agreed prefix skipped, position numbers
// interpolated between the index's bounds, and ties settled by the full
// comparison.
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

constexpr unsigned short EQ = 1, LT = 2, GT = 4, kInexact = 8;
constexpr unsigned char kLanguage = 7;

// A current-layout record, least significant byte first.
Bytes Record(unsigned char codeSet, const Bytes& text, unsigned char language = kLanguage) {
  const size_t length = text.size() + 4;
  Bytes record(text.size() + 6, 0);
  record[0] = static_cast<unsigned char>(length);
  record[1] = static_cast<unsigned char>(length >> 8);
  record[2] = codeSet;
  record[3] = language;
  std::copy(text.begin(), text.end(), record.begin() + 4);
  record[record.size() - 1] = 0xFF;
  return record;
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

// Assertion reports while alive.
class AssertReports {
 public:
  AssertReports() {
    all().clear();
    previous_ = KsSetAssertHandler(&Record);
  }
  ~AssertReports() { KsSetAssertHandler(previous_); }
  static std::vector<std::string>& all() {
    static std::vector<std::string> reports;
    return reports;
  }

 private:
  static void Record(const char* text, const char* source, int line) {
    all().push_back(std::string(text) + "|" + source + "|" + std::to_string(line));
  }
  KsAssertHandler previous_;
};

// Code set 0 keys: four characters in base 128, a unit of 128.
TEST(StringEvaluator, InterpolatesCharacterPositionsBetweenTheBounds) {
  const double total = Position("zzzz") - Position("aaaa") + kUnit;
  struct Case {
    const char* key;
    unsigned short flags;
    double range;
  };
  const Case cases[] = {
      {"mmmm", EQ, kUnit},
      {"mmmm", LT, Position("mmmm") - Position("aaaa")},
      {"mmmm", GT, Position("zzzz") - Position("mmmm")},
      {"m*", EQ, Position("m\x7F") - Position("m") + kUnit},
      {"mmmm", LT | EQ, Position("mmmm") - Position("aaaa") + kUnit},
      {"0", LT, 0},
  };
  for (const Case& c : cases) {
    CurrentBounds bounds(Plain("aaaa"), Plain("zzzz"));
    unsigned short flags = c.flags;
    EXPECT_FLOAT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain(c.key), 1),
                    static_cast<float>(c.range / total))
        << c.key << " flags " << c.flags;
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

// Bounds and key that agree on everything leave positions that coincide;
// the full comparison finds the key's high text not below the low bound.
TEST(StringEvaluator, LessThanTieWithTheLowBoundIsSettledByTheFullComparison) {
  CurrentBounds bounds(Plain("m"), Plain("m"));
  unsigned short flags = LT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("m"), 1), 1.0f);
  flags = GT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("m"), 1), 1.0f);
  flags = GT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("n"), 1), 0.0f);
}

// A key less than one unit above the low bound shares its position; the full
// comparison puts it one unit up, as it puts the low bound itself.
TEST(StringEvaluator, KeyJustAboveTheLowBoundNeverEstimatesBelowTheLowBound) {
  CurrentBounds bounds(Plain("mmma"), Plain("zzzz"));
  const double total = Position("zzzz") - Position("mmma") + kUnit;
  for (const char* key : {"mmma", "mmmb", "mmmz"}) {
    unsigned short flags = LT;
    EXPECT_FLOAT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain(key), 1), static_cast<float>(kUnit / total))
        << key;
  }
  unsigned short flags = LT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("mmm"), 1), 0.0f) << "below the low bound";
}

// The high bound a starts the key ab: equal counts one unit for it.
TEST(StringEvaluator, EqualCountsAKeyThatTheHighBoundStarts) {
  CurrentBounds bounds(Plain("a"), Plain("a"));
  unsigned short flags = EQ;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("ab"), 1), 1.0f);
}

TEST(StringEvaluator, EqualBeyondTheHighBoundCountsOneUnitWhenBothStartAbove0x7F) {
  const double total = Position("\x7F") - Position("a") + kUnit;
  CurrentBounds bounds(Plain("a"), Record(0, {0x90}));
  unsigned short flags = EQ;
  EXPECT_FLOAT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Record(0, {0xA0, 0x90}), 1),
                  static_cast<float>(kUnit / total));
  CurrentBounds plainHigh(Plain("a"), Plain("b"));
  flags = EQ;
  EXPECT_EQ(Evaluate(KsSTRING_T, &plainHigh, flags, Plain("c"), 1), 0.0f);
}

TEST(StringEvaluator, PatternStartingWithAStarThatMissesTheRangeIsReported) {
  AssertReports reports;
  CurrentBounds bounds(Plain("a"), Plain("z"));
  unsigned short flags = EQ;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("*x"), 1), 1.0f);
  EXPECT_TRUE(AssertReports::all().empty());
  flags = LT;
  EXPECT_EQ(Evaluate(KsSTRING_T, &bounds, flags, Plain("*x"), 1), 0.0f);
  EXPECT_EQ(AssertReports::all(),
            std::vector<std::string>{"charWildPos != 0 || valueRange >= valueTotalArea|src/kstypevl|1128"});
}

TEST(StringEvaluator, LongKeysAreCutAt254BytesAndReported) {
  AssertReports reports;
  RecordedBounds out;
  unsigned short flags = EQ;
  Evaluate(KsSTRING_T, nullptr, flags, Plain(std::string(300, 'q')), 1, &out);
  EXPECT_EQ(out.lowLen, 254);
  EXPECT_EQ(out.highLen, 254);
  EXPECT_EQ(AssertReports::all(), (std::vector<std::string>{"actualLen <= 254|src/kstypevl|823",
                                                            "actualLen <= 254|src/kstypevl|964"}));
  // A record of 254 bytes fits.
  AssertReports none;
  RecordedBounds fits;
  flags = EQ;
  Evaluate(KsSTRING_T, nullptr, flags, Plain(std::string(248, 'q')), 1, &fits);
  EXPECT_EQ(fits.lowLen, 254);
  EXPECT_TRUE(AssertReports::all().empty());
}

// An order key cut where its text changed class stands for the keys it
// starts, unless its class is the alphabetic class 1.
TEST(StringEvaluator, OrderKeyCutAtAClassChangeIsAPrefix) {
  const Bytes units = {0x10, 0x40, 0x20, 0x40};
  struct Case {
    unsigned char classByte;
    unsigned short flagsOut;
    size_t highLength;
  };
  for (const Case& c : {Case{0x82, EQ | kInexact, 12}, Case{0x81, EQ, 10}, Case{0x02, EQ, 10}}) {
    RecordedBounds out;
    unsigned short flags = EQ;
    Evaluate(KsSTRING_T, nullptr, flags, Record(254, units, c.classByte), 1, &out);
    EXPECT_EQ(flags, c.flagsOut) << int{c.classByte};
    ASSERT_EQ(out.highLen, c.highLength);
    if (c.highLength == 12) {
      EXPECT_EQ(out.High()[8], 0xFE) << "the marker 0xFFFE";
    }
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
  static int Sign(Bytes a, Bytes b) {
    KsTypeMgr mgr;
    int status = 0;
    const int result = mgr.Cmp(KsSTRING_T, static_cast<unsigned>(a.size()), a.data(),
                               static_cast<unsigned>(b.size()), b.data(), 0x10, 1, 1, status);
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
                             "Mueller", "Mull", "Eclair",
                             "\xE9"
                             "clair",
                             "zebra", "Zebra", "m", "M"}) {
      records.push_back(Record(1, Bytes(text, text + std::strlen(text))));
    }
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
  for (const Bytes& record : records_) {
    EXPECT_EQ(Sign(KeyOf(record), atLeastM.Low()) >= 0, Sign(record, m) >= 0) << &record - records_.data();
  }
  // m*ller: the bounds hold every key the pattern can match.
  RecordedBounds pattern;
  flags = EQ;
  const Bytes mStarLler = Record(1, {'m', '*', 'l', 'l', 'e', 'r'});
  Evaluate(KsSTRING_T, nullptr, flags, mStarLler, 1, &pattern);
  int hits = 0;
  for (const Bytes& record : records_) {
    int status = 0;
    KsTypeMgr mgr;
    Bytes text = record, key = mStarLler;
    if (mgr.Cmp(KsSTRING_T, static_cast<unsigned>(text.size()), text.data(),
                static_cast<unsigned>(key.size()), key.data(), 0, 1, 1, status) != 0) {
      continue;
    }
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
