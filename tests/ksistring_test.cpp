// KsIString and KsCaseIString: folding of every byte against the collation
// tables, the folded comparison with its flags and expansions, patterns,
// editing and case mapping, the stored block and the type slots.
#include "ksistring.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ksstring.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::vector<unsigned char> Hex(const char* text) {
  std::vector<unsigned char> bytes;
  for (const char* p = text; *p != 0;) {
    bytes.push_back(static_cast<unsigned char>(std::strtoul(p, const_cast<char**>(&p), 16)));
    while (*p == ' ') ++p;
  }
  return bytes;
}

struct Tables {
  std::vector<unsigned char> a, b, c;
  unsigned char oePrimary, oeSecond;
};

// The collation tables as published with the classes' sort order.
const Tables kCase = {
    Hex("40 54 5b 5e 61 69 6f 71 73 79 7f 81 83 85 87 90 97 99 9b 9d 9f a5 ab ad af b3 b7 42 43 44 45 46 "
        "41 54 5b 5e 61 69 6f 71 73 79 7f 81 83 85 87 90 97 99 9b 9d 9f a5 ab ad af b3 b7 47 48 49 4a 4b"),
    Hex("54 54 54 54 54 bd b9 5e 69 69 69 69 79 79 79 79 63 89 90 90 90 90 90 4c bb a5 a5 a5 a5 b3 bf 9d "
        "54 54 54 54 54 bd b9 5e 69 69 69 69 79 79 79 79 63 89 90 90 90 90 90 4d bb a5 a5 a5 a5 b3 bf b3"),
    Hex("03 02 04 05 01 00 00 01 03 02 04 01 03 02 04 01 00 00 03 02 04 05 01 00 00 03 02 04 01 02 00 9d "
        "03 02 04 05 01 00 00 01 03 02 04 01 03 02 04 01 00 00 03 02 04 05 01 00 00 03 02 04 01 02 00 01"),
    0x90, 0x69};
const Tables kAccent = {
    Hex("40 54 5b 5e 61 69 6f 71 73 79 7f 81 83 85 87 90 97 99 9b 9d 9f a5 ab ad af b3 b7 42 43 44 45 46 "
        "41 4e 5a 5c 60 64 6e 70 72 74 7e 80 82 84 86 8a 96 98 9a 9c 9e a0 aa ac ae b0 b6 47 48 49 4a 4b"),
    Hex("54 54 54 54 54 bd b9 5e 69 69 69 69 79 79 79 79 63 89 90 90 90 90 90 4c bb a5 a5 a5 a5 b3 bf 9c "
        "4e 4e 4e 4e 4e bc b8 5c 64 64 64 64 74 74 74 74 62 88 8a 8a 8a 8a 8a 4d ba a0 a0 a0 a0 b0 be b0"),
    Hex("03 02 04 05 01 00 00 01 03 02 04 01 03 02 04 01 00 00 03 02 04 05 01 00 00 03 02 04 01 02 00 9c "
        "03 02 04 05 01 00 00 01 03 02 04 01 03 02 04 01 00 00 03 02 04 05 01 00 00 03 02 04 01 02 00 01"),
    0x8a, 0x64};

// The collation bytes one byte folds into, accents dropped.
Bytes Folded(const Tables& t, unsigned char b) {
  unsigned char primary = b, second = 0;
  if (b >= 0x40 && b <= 0x7F) primary = t.a[b - 0x40];
  if (b >= 0x80 && b <= 0x9F) primary = static_cast<unsigned char>(b + 0x60);
  if (b == 0x8C) primary = 0x90, second = 0x69;
  if (b == 0x9C) primary = t.oePrimary, second = t.oeSecond;
  if (b == 0x9F) primary = 0xB3, second = 0x01;
  if (b >= 0xA0 && b <= 0xBF) primary = static_cast<unsigned char>(b + 0x10);
  if (b >= 0xC0) primary = t.b[b - 0xC0], second = t.c[b - 0xC0];
  Bytes out{primary};
  if (second > 8) out.push_back(second);
  return out;
}

template <class T>
void CheckEveryByte(const Tables& tables) {
  for (unsigned b = 1; b < 256; ++b) {
    SCOPED_TRACE(b);
    const char text[2] = {static_cast<char>(b), 0};
    unsigned char out[4] = {0xEE, 0xEE, 0xEE, 0xEE};
    const Bytes expected = Folded(tables, static_cast<unsigned char>(b));
    ASSERT_EQ(T::FoldText(text, out, sizeof out), expected.size());
    EXPECT_EQ(Bytes(out, out + expected.size()), expected);
    // The comparison sees the same bytes: the byte equals its folded form
    // held as collation bytes (flag 0x80).
    T folded(reinterpret_cast<const char*>(expected.data()), static_cast<unsigned short>(expected.size()));
    folded.SetFlags(T::kFolded);
    EXPECT_EQ(T::Compare(T(text), folded), 0);
  }
}

TEST(IStringFolding, EveryByteOfBothTypes) {
  CheckEveryByte<KsCaseIString>(kCase);
  CheckEveryByte<KsIString>(kAccent);
}

TEST(IStringCompare, OperatorsUseTheFoldedComparisonWithExpansions) {
  EXPECT_TRUE(KsIString("\xE9") == "e");
  EXPECT_TRUE(KsIString("a") < "A");
  EXPECT_TRUE(KsIString("A") < "b");
  EXPECT_TRUE(KsIString("\xDF") == "ss");
  EXPECT_TRUE(KsIString("\x8C") == "OE");
  EXPECT_TRUE(KsCaseIString("abc") == "ABC");
  EXPECT_TRUE(KsCaseIString("\xE9") == "e");
  // A pending expansion is still text.
  EXPECT_EQ(KsIString::Compare(KsIString("\xDF"), KsIString("ss")), 0);
  EXPECT_GT(KsIString::Compare(KsIString("\xDF"), KsIString("s")), 0);
  EXPECT_LT(KsIString::Compare(KsIString("\xDF"), KsIString("ssa")), 0);
}

TEST(IStringCompare, AccentsCountUnderTheFirstOperandsFlag) {
  KsCaseIString acute("\xE9");
  acute.SetFlags(KsCaseIString::kAccentsCount);
  EXPECT_GT(KsCaseIString::Compare(acute, KsCaseIString("e")), 0);
  EXPECT_LT(KsCaseIString::Compare(acute, KsCaseIString("f")), 0);
  EXPECT_EQ(KsCaseIString::Compare(KsCaseIString("e"), acute), 0) << "only the first operand's flag counts";
}

TEST(IStringCompare, NullAndEmptyTexts) {
  EXPECT_EQ(KsIString::Compare(nullptr, "a", 0, 0, 0), -1);
  EXPECT_EQ(KsIString::Compare(nullptr, nullptr, 0, 0, 0), 0);
  EXPECT_EQ(KsIString::Compare("a", nullptr, 0, 0, 0), 1);
  EXPECT_EQ(KsIString::Compare("", "a", 0, 0, 0), -'a') << "raw bytes when one side is empty";
  EXPECT_EQ(KsIString::Compare("abc", "abd", 2, 0, 0), 0) << "two steps";
}

int SlotCompare(const Bytes& a, const Bytes& b, unsigned short cmpOp, int& status, unsigned len1 = 0) {
  return KsCaseIStringCompare(1, len1, const_cast<unsigned char*>(a.data()), 0,
                              const_cast<unsigned char*>(b.data()), cmpOp, 1, status);
}

TEST(IStringStored, FlagsComeFromTheBlock) {
  const Bytes folded = {0xC0, 0x02, 0x00, 0x54, 0x00};
  KsCaseIString loaded;
  KsTypeMgr mgr;
  EXPECT_EQ(mgr.Load(KsCASEISTRING_T, &loaded, const_cast<unsigned char*>(folded.data()), 1, 1), 5u);
  EXPECT_EQ(loaded.Flags(), 0xC0u);
  EXPECT_TRUE(loaded == KsCaseIString("a"));
  // Each side folds unless it holds collation bytes itself.
  const Bytes plain = {0x40, 0x02, 0x00, 'a', 0x00};
  int status = 7;
  EXPECT_EQ(SlotCompare(folded, plain, 0x100, status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(SlotCompare(plain, folded, 0x100, status), 0);
}

TEST(IStringStored, GoldenBlocks) {
  KsTypeMgr mgr;
  KsIString values[2] = {KsIString("ab"), KsIString("c")};
  Bytes out(mgr.DiskLenGet(KsISTRING_T, values, 1, 2));
  EXPECT_EQ(out.size(), 8u);
  EXPECT_EQ(mgr.Store(KsISTRING_T, out.data(), values, 1, 2), 8u);
  EXPECT_EQ(out, (Bytes{0x40, 0x05, 0x00, 'a', 'b', 0x00, 'c', 0x00}));
  EXPECT_EQ(mgr.Store(KsISTRING_T, out.data(), values, 2, 2), 8u);
  EXPECT_EQ(out, (Bytes{0x40, 0x00, 0x05, 'a', 'b', 0x00, 'c', 0x00}));
  EXPECT_EQ(mgr.Store(KsISTRING_T, out.data(), values, 0x21, 2), 8u);
  EXPECT_EQ(out[0], 0x01);
  KsIString empty;
  Bytes none(4);
  EXPECT_EQ(mgr.Store(KsISTRING_T, none.data(), &empty, 1, 1), 4u);
  EXPECT_EQ(none, (Bytes{0x40, 0x01, 0x00, 0x00})) << "an empty text is its terminator";
  EXPECT_EQ(mgr.DiskLenGet(KsISTRING_T, nullptr, 1, 4), 7u) << "count + 3 for null values";
  EXPECT_EQ(mgr.DiskLenGet(KsISTRING_T, values, 0x88, 2), 0u);
}

TEST(IStringStored, CutBlocks) {
  const Bytes abc = {0x40, 0x04, 0x00, 'a', 'b', 'c', 0x00};
  const Bytes abd = {0x40, 0x04, 0x00, 'a', 'b', 'd', 0x00};
  int status = 0;
  EXPECT_EQ(SlotCompare(abc, abd, 0x10, status, 5), 0) << "the first side has ab";
  EXPECT_EQ(status, 2101);
  std::vector<unsigned char> longBlock = {0x40, 0x2D, 0x01};
  longBlock.resize(3 + 301, 'x');
  longBlock.back() = 0;
  EXPECT_EQ(SlotCompare(longBlock, abc, 0x10, status, 260), -1);
  EXPECT_EQ(status, -2999);
}

TEST(IStringStored, TranslateReadsWithinTheSourceLength) {
  const Bytes block = {0x40, 0x06, 0x00, 'a', 'b', 0x00, 'c', 'd', 0x00};
  KsTypeMgr mgr;
  KsIString values[2] = {KsIString("x"), KsIString("y")};
  EXPECT_EQ(mgr.Translate(KsISTRING_T, values, 8, 0, const_cast<unsigned char*>(block.data()), 1, 7, 2), 9u);
  EXPECT_STREQ(values[0].StrGet(), "ab");
  EXPECT_STREQ(values[1].StrGet(), "c") << "cut where the given bytes end";
}

int Match(const char* text, const char* pattern, uint32_t flags = 0) {
  KsCaseIString a(text), b(pattern);
  a.SetFlags(flags);
  int status = 0;
  return KsCaseIStringCompare(8, 0, &a, 0, &b, 0, 1, status);
}

TEST(IStringPatterns, StarsQuestionsAndEscapes) {
  EXPECT_EQ(Match("Hello", "h*O"), 0);
  EXPECT_EQ(Match("Hello", "?ELLO"), 0);
  EXPECT_EQ(Match("a*", "a\\*"), 0);
  EXPECT_NE(Match("ab", "a\\*"), 0);
  EXPECT_EQ(Match("a\tb", "a\\tb"), 0);
  EXPECT_EQ(Match("abc", "*"), 0);
  EXPECT_EQ(Match("abc", "*x"), 1) << "no match with the special at 0";
  EXPECT_LT(Match("abc", "abd*"), 0) << "the part before the star decides";
  EXPECT_EQ(Match("abc", "ab*x"), 1) << "equal before the star: after";
  std::string many(2000, 'a');
  EXPECT_EQ(Match(many.c_str(), "*a*a*a*a*a*b"), 1) << "no match, in bounded time";
}

TEST(IStringPatterns, ExpansionsAndAccentsMatchAsCollationBytes) {
  KsIString text("ssx"), pattern("\xDF*");
  int status = 0;
  EXPECT_EQ(KsIStringCompare(8, 0, &text, 0, &pattern, 0, 1, status), 0);
  EXPECT_EQ(Match("ex", "\xE9?"), 0);
  EXPECT_NE(Match("ex", "\xE9?", KsCaseIString::kAccentsCount), 0);
}

TEST(IStringValue, ConstructionEditingAndCaseMapping) {
  EXPECT_STREQ(KsCaseIString(4294967295u).StrGet(), "4294967295");
  EXPECT_STREQ(KsIString(-12).StrGet(), "-12");
  EXPECT_STREQ(KsIString(1.5).StrGet(), "1.500000");
  EXPECT_EQ(KsIString('\0').Len(), 0);
  EXPECT_STREQ(KsIString("abcdef", 3).StrGet(), "abc");
  KsIString s("abcd");
  EXPECT_STREQ(s.Copy(1, 2).StrGet(), "bc");
  EXPECT_STREQ(s.Copy(9).StrGet(), "");
  EXPECT_STREQ(KsIString(s).Cut(1, 2).StrGet(), "ad");
  EXPECT_STREQ(KsIString(s).Replace("xyz", 2).StrGet(), "abxy");
  EXPECT_STREQ(KsIString(s).Insert("--", 2).StrGet(), "ab--cd");
  EXPECT_STREQ(KsIString("ab").Expand(4, '.').StrGet(), "ab..");
  EXPECT_STREQ(KsIString("ab").Fill(3, 'x').StrGet(), "xxx");
  EXPECT_EQ(s.SubStringPos("cd"), 2);
  EXPECT_EQ(s.SubStringPos("CD"), -1) << "exact bytes";
  EXPECT_STREQ((KsIString("ab") + KsIString("cd")).StrGet(), "abcd");
  EXPECT_EQ(static_cast<int>(KsIString("42")), 42);
  EXPECT_STREQ(KsCaseIString("a\xE9\x9C\xFF\xF7z").ToUpper().StrGet(), "A\xC9\x8C\x9F\xF7Z");
  EXPECT_STREQ(KsCaseIString("A\xC9\x8C\x9F\xD7Z").ToLower().StrGet(), "a\xE9\x9C\xFF\xD7z");
  EXPECT_STREQ(KsIString("1 2 0").SpaceToZero().StrGet(), "10200");
  EXPECT_STREQ(KsIString("10200").ZeroToSpace().StrGet(), "1 2  ");
  KsIString flagged("x");
  flagged.SetFlags(0x80);
  flagged = "y";
  EXPECT_EQ(flagged.Flags(), 0u) << "text assignment clears the flags";
}

TEST(IStringTypeManager, RoundTripAndSizes) {
  KsTypeMgr mgr;
  for (char type : {static_cast<char>(KsISTRING_T), static_cast<char>(KsCASEISTRING_T)}) {
    SCOPED_TRACE(int(type));
    void* values = mgr.Create(type, 3);
    KsString texts[3] = {KsString("one"), KsString(""), KsString("Thr\xE9\xE9")};
    for (unsigned i = 0; i < 3; ++i)
      mgr.ScanFromKsString(type, mgr.GetArrayElement(type, values, i, 3), texts[i]);
    Bytes stored(mgr.DiskLenGet(type, values, 1, 3));
    EXPECT_EQ(mgr.Store(type, stored.data(), values, 1, 3), stored.size());
    void* loaded = mgr.Create(type, 3);
    EXPECT_EQ(mgr.Load(type, loaded, stored.data(), 1, 3), stored.size());
    KsString printed;
    mgr.PrintToKsString(type, printed, loaded, nullptr, 3);
    EXPECT_STREQ(printed.StrGet(), "one,,Thr\xE9\xE9");
    int status = 7;
    EXPECT_EQ(mgr.Cmp(type, 0, values, 0, loaded, 0x10, 3, 8, status), 0);
    EXPECT_EQ(mgr.Hash(type, 0, values, 3, 8, status), 0u);
    EXPECT_EQ(status, 0);
    void* copies = mgr.Create(type, 3);
    EXPECT_EQ(mgr.Translate(type, copies, 8, 0, values, 8, 0, 3), 48u);
    EXPECT_EQ(mgr.Cmp(type, 0, values, 0, copies, 0x10, 3, 8, status), 0);
    mgr.Delete(type, values, 3);
    mgr.Delete(type, loaded, 3);
    mgr.Delete(type, copies, 3);
  }
}

}  // namespace
