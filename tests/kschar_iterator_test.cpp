// KsChar classification and mapping, and the collation paths of
// KsStringIterator, with the collation data of the i18n services.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstringiterator.h"

namespace {

std::vector<unsigned short> Orders(const char* text, unsigned char codeSet, unsigned char language) {
  KsStringIterator it(text, codeSet, language, 1);
  std::vector<unsigned short> orders;
  for (int guard = 0; guard < 64; ++guard) {
    const unsigned short order = it.GetNextOrder(1);
    if (order == 0) break;
    orders.push_back(order);
  }
  return orders;
}

unsigned Letter(unsigned short order) {
  return (order >> 2) & 0x1F;
}

TEST(KsCharClassify, ByCollationOrderRange) {
  struct Case {
    KsChar ch;
    bool space, symbol, digit, alpha, han;
  };
  const Case cases[] = {
      {KsChar(' ', 1, 0), true, false, false, false, false},
      {KsChar('-', 1, 0), false, true, false, false, false},
      {KsChar('7', 1, 0), false, false, true, false, false},
      {KsChar('a', 1, 0), false, false, false, true, false},
      {KsChar('\xC9', 1, 0), false, false, false, true, false},
      // Units from 0x200 without an entry are their own order.
      {KsChar(static_cast<unsigned short>(0xE000), 253, 0), false, false, false, false, true},
      {KsChar(static_cast<unsigned short>(0x0378), 253, 0), false, true, false, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.ch.IsSpace(), c.space) << c.ch.Unit();
    EXPECT_EQ(c.ch.IsSymbol(), c.symbol) << c.ch.Unit();
    EXPECT_EQ(c.ch.IsDigit(), c.digit) << c.ch.Unit();
    EXPECT_EQ(c.ch.IsAlpha(), c.alpha) << c.ch.Unit();
    EXPECT_EQ(c.ch.IsHan(), c.han) << c.ch.Unit();
  }
  EXPECT_EQ(KsChar(static_cast<unsigned short>(0xE000), 253, 0).Order(), 0xE000);
  EXPECT_EQ(KsChar('A', 1, 0).Order(), 0x400C);
  EXPECT_EQ(KsChar('a', 1, 0).Order(), 0x500C);
}

TEST(KsCharMapping, CodeSetsAndCase) {
  EXPECT_EQ(KsChar('\x80', 1, 0).MapTo(253).Unit(), 0x20AC);
  EXPECT_EQ(KsChar(static_cast<unsigned short>(0x20AC), 253, 0).MapTo(1).Unit(), 0x80);
  EXPECT_EQ(KsChar('x', 1, 0).MapTo(0).CodeSet(), 1);
  EXPECT_EQ(KsChar('\xE9', 1, 0).ToUpper(nullptr).Unit(), 0xC9);
  EXPECT_EQ(KsChar('\xC9', 1, 0).ToLower(nullptr).Unit(), 0xE9);
  EXPECT_EQ(KsChar('-', 1, 0).ToUpper(nullptr).Unit(), '-');
  const KsChar bytes = KsChar('q', 0, 255).ToUpper(nullptr);
  EXPECT_EQ(bytes.Unit(), 'Q');
  EXPECT_EQ(bytes.CodeSet(), 0);
  EXPECT_EQ(bytes.Language(), KsString::GetDefaultLanguage());
}

TEST(KsCharAssign, WritesMappedIntoTheString) {
  KsString s("abc");
  KsChar second = s[1];
  second = KsChar(static_cast<unsigned short>(0x20AC), 253, 0);
  EXPECT_EQ(std::string(s.StrGet()),
            "a\x80"
            "c");
  s[2] = 'z';
  EXPECT_EQ(std::string(s.StrGet()), "a\x80z");
  // Beyond the terminator the character is detached: writing changes nothing.
  KsChar outside = s[9];
  outside = 'q';
  EXPECT_EQ(std::string(s.StrGet()), "a\x80z");
  EXPECT_EQ(outside.Unit(), 'q');
}

TEST(KsStringCase, FullUpperCaseLengthensTheString) {
  KsString street(
      "stra\xDF"
      "e");
  street.ToUpper();
  EXPECT_EQ(std::string(street.StrGet()), "STRASSE");
  EXPECT_EQ(street.Len(), 7);
  const unsigned short wide[] = {0x3B1, 0xDF, 0};
  KsString greek(wide);
  greek.ToUpper();
  ASSERT_EQ(greek.Len(), 3);
  EXPECT_EQ(greek[0].Unit(), 0x391);
  EXPECT_EQ(greek[1].Unit(), 'S');
  EXPECT_EQ(greek[2].Unit(), 'S');
}

TEST(KsStringIteratorOrders, EmptyAndRaw) {
  KsStringIterator empty("", 1, 0, 1);
  EXPECT_TRUE(empty.IsEOS());
  EXPECT_EQ(empty.GetNextOrder(1), 0);
  KsStringIterator none(static_cast<const char*>(nullptr), 1, 0, 1);
  EXPECT_TRUE(none.IsEOS());
  EXPECT_EQ(none.GetNextOrder(1), 0);

  const char raw[] = {0x41, 0x00, 0x00, 0x01, 0x00, 0x00};
  KsStringIterator rawIt(raw, 254, 0, 2);
  const unsigned char before = rawIt.OrderClass();
  EXPECT_EQ(rawIt.GetNextOrder(1), 0x0041);
  EXPECT_EQ(rawIt.OrderClass(), before);
  EXPECT_EQ(rawIt.GetNextOrder(1), 0x0100);
  EXPECT_EQ(rawIt.GetNextOrder(1), 0);
  EXPECT_TRUE(rawIt.IsEOS());
}

TEST(KsStringIteratorOrders, UnknownUnitIsItsOwnOrderOfUndefinedClass) {
  unsigned short units[] = {0xE000, 'a', 0};
  KsStringIterator it(units, 253, 0, 1);
  EXPECT_EQ(it.GetNextOrder(1), 0xE000);
  EXPECT_EQ(it.OrderClass(), 20);
  EXPECT_EQ(it.GetNextOrder(1), 0x500C);
  EXPECT_EQ(it.OrderClass(), 1);
}

TEST(KsStringIteratorOrders, ExpansionDeliversItsOrdersBeforeMovingOn) {
  KsStringIterator it(
      "\xDF"
      "a",
      1, KS_LANGUAGE_GERMAN, 1);
  const unsigned char* start = it.Position();
  const unsigned short first = it.GetNextOrder(1);
  EXPECT_EQ(Letter(first), Letter(0x4000 | ('S' - 0x3E) << 2));
  EXPECT_EQ(it.Position(), start);
  EXPECT_FALSE(it.IsEOS());
  const unsigned short second = it.GetNextOrder(1);
  EXPECT_EQ(Letter(second), 'S' - 0x3E);
  EXPECT_EQ(it.Position(), start + 1);
  EXPECT_EQ(it.GetNextOrder(1), 0x500C);
  EXPECT_EQ(it.GetNextOrder(1), 0);
}

TEST(KsStringIteratorOrders, ContractionConsumesBothCharactersOnlyWhenComplete) {
  const std::vector<unsigned short> ch = Orders("cha", 1, KS_LANGUAGE_SPANISH_TRADITIONAL);
  ASSERT_EQ(ch.size(), 2u);
  EXPECT_EQ(ch[1], 0x500C);
  const std::vector<unsigned short> c = Orders("c", 1, KS_LANGUAGE_SPANISH_TRADITIONAL);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_GT(ch[0], c[0]);
  EXPECT_LT(ch[0], Orders("d", 1, KS_LANGUAGE_SPANISH_TRADITIONAL)[0]);
  // c followed by z forms no contraction: both are delivered.
  EXPECT_EQ(Orders("cz", 1, KS_LANGUAGE_SPANISH_TRADITIONAL).size(), 2u);
  // The modern order has no ch.
  EXPECT_EQ(Orders("cha", 1, KS_LANGUAGE_SPANISH).size(), 3u);
}

TEST(KsStringIteratorOrders, LanguageVariantsFollowTheSwitch) {
  const unsigned short z = Orders("z", 1, KS_LANGUAGE_SWEDISH)[0];
  EXPECT_GT(Letter(Orders("\xE4", 1, KS_LANGUAGE_SWEDISH)[0]), Letter(z));
  EXPECT_LT(Letter(Orders("\xE4", 1, KS_LANGUAGE_ENGLISH)[0]), Letter(z));
  KsLanguage* swedish = KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH);
  ASSERT_NE(swedish, nullptr);
  swedish->SetVariantSwitch(false);
  EXPECT_LT(Letter(Orders("\xE4", 1, KS_LANGUAGE_SWEDISH)[0]), Letter(z));
  swedish->SetVariantSwitch(true);
  // Through the comparison: a-umlaut sorts after z in Swedish only.
  EXPECT_GT(KsStrCmp(1, KS_LANGUAGE_SWEDISH, "\xE4", 1, KS_LANGUAGE_SWEDISH, "z", 0x10, -1, 1, nullptr), 0);
  EXPECT_LT(KsStrCmp(1, KS_LANGUAGE_ENGLISH, "\xE4", 1, KS_LANGUAGE_ENGLISH, "z", 0x10, -1, 1, nullptr), 0);
}

TEST(KsStringIteratorOrders, CodeSetWithoutTableCollatesAsUnicode) {
  // An unknown code set has no table: its units are mapped into Unicode,
  // and the walk ends at the terminator.
  KsStringIterator it("ab", 7, 0, 1);
  EXPECT_NE(it.GetNextOrder(1), 0);
  EXPECT_NE(it.GetNextOrder(1), 0);
  EXPECT_EQ(it.GetNextOrder(1), 0);
}

TEST(KsStringIteratorWalk, CharactersAndOverflow) {
  KsString s("ab");
  KsStringIterator it(s);
  EXPECT_EQ((*it).Unit(), 'a');
  ++it;
  EXPECT_EQ((*it).Unit(), 'b');
  --it;
  EXPECT_EQ((*it).Unit(), 'a');
  const uint16_t extra[] = {'x', 'y'};
  const KsWCharList list(extra, 2);
  it.SetOverflow(&list, 255);
  EXPECT_FALSE(it.IsEOS());
  EXPECT_EQ((*it).Unit(), 'x');
  ++it;
  EXPECT_EQ((*it).Unit(), 'y');
  ++it;
  EXPECT_EQ((*it).Unit(), 'b');
  KsChar ch('q', 1, 0);
  KsStringIterator own(ch);
  EXPECT_EQ(own.GetNextOrder(0), KsChar('q', 1, 0).Order());
  EXPECT_TRUE(own.IsEOS());
}

}  // namespace
