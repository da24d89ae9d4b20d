// Internationalisation services: code sets, collation entries, languages,
// case properties, defaults and the context switch.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "i18nsvc.h"
#include "ksstrcmp.h"

namespace {

const KsCollationEntry* EntryOf(unsigned char codeSet, unsigned short unit) {
  const KsCodeSet* set = KsLanguageContext::QueryCodeSet(codeSet);
  if (set == nullptr || set->CharTable() == nullptr) return nullptr;
  return set->CharTable()->GetEntry(unit);
}

std::vector<uint16_t> Units(const KsWCharList* list) {
  std::vector<uint16_t> units;
  unsigned short unit = 0;
  for (unsigned short i = 0; list != nullptr && list->Get(i, unit); ++i) units.push_back(unit);
  return units;
}

// The entry that applies for a language: the variant for it when the entry
// has one and the language's switch is on, else the entry itself.
const KsCollationEntry* ForLanguage(const KsCollationEntry* entry, unsigned char language) {
  const KsLanguage* lang = KsLanguageContext::QueryLanguage(language);
  if (!(entry->flags & KsCollationEntry::HasLanguageVariants) || lang == nullptr || !lang->VariantSwitch()) {
    return entry;
  }
  for (uint8_t i = 0; i < entry->variantCount; ++i) {
    if (entry->variantLanguages[i] == lang) return entry->variantEntries[i];
  }
  return entry;
}

// The order of a unit pair when the first one's entry (for the language)
// contracts with the second; 0 when it does not.
uint16_t ContractionOrder(unsigned short first, unsigned short second, unsigned char language) {
  const KsCollationEntry* entry = ForLanguage(EntryOf(253, first), language);
  if (!(entry->flags & KsCollationEntry::HasContractions)) return 0;
  const std::vector<uint16_t> followers = Units(entry->contractionChars);
  for (size_t i = 0; i < followers.size(); ++i) {
    if (followers[i] == second && entry->contractionTargets[i] != nullptr) {
      return entry->contractionTargets[i]->order;
    }
  }
  return 0;
}

// The part of a letter order that decides at the first level of a
// comparison: letter and extension; accent and case only break ties.
uint16_t Primary(uint16_t letterOrder) {
  return letterOrder & 0x407F;
}

struct OrderCase {
  const char* what;
  unsigned char codeSet;
  unsigned short unit;
  uint16_t order;
  unsigned char classByte;
};

TEST(I18nCollation, OrdersOfRepresentativeCharacters) {
  const OrderCase cases[] = {
      {"end of text", 253, 0x0000, 0x0000, 1},
      {"space", 253, 0x0020, 32, 1},
      {"tab", 253, 0x0009, 9, 1},
      {"no-break space", 1, 0xA0, 33, 1},
      {"control: undefined ordering", 253, 0x0001, 13, 1},
      {"asterisk", 1, '*', 80 + 79, 1},
      {"question mark", 1, '?', 80 + 42, 1},
      {"backslash", 1, '\\', 80 + 80, 1},
      {"inverted question mark", 1, 0xBF, 80 + 139, 1},
      {"micro sign is a symbol", 1, 0xB5, 80 + 110, 1},
      {"euro sign", 1, 0x80, 0x02AD, 1},
      {"digit 0", 253, '0', 0x3F00, 1},
      {"digit 7", 1, '7', 0x3F46, 1},
      {"arabic-indic digit 3", 253, 0x0663, 0x3F1E, 1},
      {"superscript two sorts as 2", 1, 0xB2, 0x3F14, 1},
      {"one half: 1 with expansion", 1, 0xBD, 0x3F0B, 1},
      {"A", 253, 'A', 0x400C, 1},
      {"a", 253, 'a', 0x500C, 1},
      {"Z", 1, 'Z', 0x4070, 1},
      {"A acute", 1, 0xC1, 0x410C, 1},
      {"a acute", 253, 0xE1, 0x510C, 1},
      {"a diaeresis", 1, 0xE4, 0x530C, 1},
      {"eth is d with stroke", 1, 0xF0, 0x5418, 1},
      {"latin-2 a ogonek", 2, 0xB1, 0x568C, 1},
      {"kelvin sign sorts as K", 253, 0x212A, 0x4034, 1},
      {"greek small alpha", 253, 0x03B1, 0x800C, 2},
      {"greek capital alpha", 253, 0x0391, 0x800D, 2},
      {"cyrillic small a", 253, 0x0430, 0x8000, 3},
      {"hiragana a", 253, 0x3042, 0x8003, 9},
      {"first hangul syllable", 253, 0xAC00, 0x8000, 10},
      {"first CJK extension A", 253, 0x3400, 0x8000, 11},
      {"CJK one", 253, 0x4E00, 0x99C0, 11},
      {"last CJK", 253, 0x9FFF, 0xEBBF, 11},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.what);
    const KsCollationEntry* entry = EntryOf(c.codeSet, c.unit);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->order, c.order);
    ASSERT_NE(entry->classByte, nullptr);
    EXPECT_EQ(*entry->classByte, c.classByte);
  }
}

// An order key keeps its class byte where a record keeps its language, and
// code set 254 with language 0 is the null value: no script may have class 0.
TEST(I18nCollation, NoScriptHasClassZeroSoNoOrderKeyIsNull) {
  for (unsigned unit = 1; unit < 0x10000; ++unit) {
    const KsCollationEntry* entry = EntryOf(253, static_cast<unsigned short>(unit));
    if (entry == nullptr || entry->classByte == nullptr) continue;
    ASSERT_NE(*entry->classByte, 0) << std::hex << unit;
  }
  for (unsigned char codeSet : {1, 2, 253}) {
    EXPECT_NE(KsLanguageContext::QueryCodeSet(codeSet)->GetClass(KS_LANGUAGE_ENGLISH), 0) << int(codeSet);
  }
}

struct AccentCase {
  unsigned char byte;  // Windows-1252
  char letter;         // base letter, upper case
  unsigned accent;
  bool lower;
};

// The accent numbers are the ones order descriptions name, so that
// describing an order and finding its character agree.
TEST(I18nCollation, LatinLettersCarryNamedAccents) {
  const AccentCase cases[] = {
      {0xC7, 'C', 1, false}, {0xE9, 'E', 2, true},  {0xC8, 'E', 3, false}, {0xEA, 'E', 4, true},
      {0xD1, 'N', 5, false}, {0xFC, 'U', 6, true},  {0xC5, 'A', 7, false}, {0xF8, 'O', 8, true},
      {0xD0, 'D', 8, false}, {0x8A, 'S', 9, false}, {0x9E, 'Z', 9, true},  {0xFF, 'Y', 6, true},
      {0xD9, 'U', 3, false}, {0xFD, 'Y', 2, true},  {0xF5, 'O', 5, true},  {0xCE, 'I', 4, false},
  };
  for (const AccentCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "byte 0x" << std::hex << unsigned{c.byte});
    const uint16_t order = EntryOf(1, c.byte)->order;
    EXPECT_EQ(order & 0xC003, 0x4000);
    EXPECT_EQ((order >> 2) & 31, static_cast<unsigned>(c.letter - 0x3E));
    EXPECT_EQ((order >> 7) & 31, c.accent);
    EXPECT_EQ(((order >> 12) & 3) != 0, c.lower);
  }
  // Accents the other code sets reach: caron, macron, breve, dot above,
  // ogonek, double acute.
  const struct {
    unsigned short unit;
    unsigned accent;
  } unicode[] = {{0x010D, 9}, {0x0101, 10}, {0x0103, 11}, {0x017C, 12}, {0x0105, 13}, {0x0151, 14}};
  for (const auto& c : unicode) {
    EXPECT_EQ((EntryOf(253, c.unit)->order >> 7) & 31, c.accent) << std::hex << c.unit;
  }
}

struct ExpansionCase {
  const char* what;
  unsigned short unit;
  uint16_t order;
  std::vector<uint16_t> expansion;
};

TEST(I18nCollation, ExpansionsDeliverFurtherOrders) {
  const ExpansionCase cases[] = {
      {"sharp s: s s", 0x00DF, 0x57D4, {0x5054}},
      {"capital sharp s: S S", 0x1E9E, 0x47D4, {0x4054}},
      {"ae", 0x00E6, 0x578C, {0x501C}},
      {"AE", 0x00C6, 0x478C, {0x401C}},
      {"oe", 0x0153, 0x57C4, {0x501C}},
      {"thorn: t h", 0x00FE, 0x57D8, {0x5028}},
      {"ff ligature", 0xFB00, 0x57A0, {0x5020}},
      {"ffi ligature", 0xFB03, 0x57A0, {0x5020, 0x502C}},
      {"one half: 1 / 2", 0x00BD, 0x3F0B, {0x00DC, 0x3F14}},
  };
  for (const ExpansionCase& c : cases) {
    SCOPED_TRACE(c.what);
    const KsCollationEntry* entry = EntryOf(253, c.unit);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->order, c.order);
    EXPECT_TRUE(entry->flags & KsCollationEntry::HasExpansion);
    EXPECT_EQ(Units(entry->expansion), c.expansion);
  }
  EXPECT_FALSE(EntryOf(253, 's')->flags & KsCollationEntry::HasExpansion);
  EXPECT_EQ(EntryOf(253, 's')->expansion, nullptr);
}

TEST(I18nCollation, EveryUnitBelow0x200HasAnOrderedEntry) {
  for (unsigned char codeSet : {1, 2, 253}) {
    for (unsigned unit = 0; unit < 0x200; ++unit) {
      const KsCollationEntry* entry = EntryOf(codeSet, static_cast<unsigned short>(unit));
      ASSERT_NE(entry, nullptr) << unsigned{codeSet} << ": " << unit;
      ASSERT_NE(entry->classByte, nullptr);
      EXPECT_LT(*entry->classByte, KS_CLASS_UNDEFINED);
      EXPECT_EQ(entry->order == 0, unit == 0) << unit;
    }
  }
}

TEST(I18nCollation, UnknownUnitsHaveNoEntry) {
  for (unsigned short unit : {0x0250, 0x0E80, 0xE000, 0xD800, 0xFFFF, 0x4DC0}) {
    EXPECT_EQ(EntryOf(253, unit), nullptr) << std::hex << unit;
  }
  // An 8-bit table reads a wide unit as the Unicode character of its value.
  EXPECT_EQ(EntryOf(1, 0xE000), nullptr);
  EXPECT_EQ(EntryOf(1, 0x03B1)->order, 0x800C);
}

TEST(I18nCollation, SwedishSortsAeAfterZOnlyWithItsSwitchOn) {
  KsLanguage* swedish = KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH);
  ASSERT_NE(swedish, nullptr);
  ASSERT_TRUE(swedish->VariantSwitch());
  const uint16_t z = Primary(EntryOf(253, 'z')->order);
  const struct {
    unsigned short unit;
    uint16_t swedish;
  } cases[] = {{0xE5, 0x5074}, {0xE4, 0x5078}, {0xF6, 0x507C},
               {0xC4, 0x4078}, {0xF8, 0x547C}, {0xFC, 0x536C}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.unit);
    EXPECT_EQ(ForLanguage(EntryOf(1, c.unit), KS_LANGUAGE_SWEDISH)->order, c.swedish);
  }
  EXPECT_GT(Primary(ForLanguage(EntryOf(1, 0xE4), KS_LANGUAGE_SWEDISH)->order), z);
  EXPECT_LT(Primary(ForLanguage(EntryOf(1, 0xE4), KS_LANGUAGE_ENGLISH)->order), z);
  EXPECT_LT(Primary(ForLanguage(EntryOf(1, 0xE4), KS_LANGUAGE_GERMAN)->order), z);

  swedish->SetVariantSwitch(false);
  EXPECT_EQ(ForLanguage(EntryOf(1, 0xE4), KS_LANGUAGE_SWEDISH)->order, 0x530C);
  swedish->SetVariantSwitch(true);
}

TEST(I18nCollation, ContractionsFormLettersOfTheirOwn) {
  const struct {
    const char* what;
    unsigned char language;
    unsigned short first, second;
    uint16_t order;
  } cases[] = {
      {"ch", KS_LANGUAGE_SPANISH_TRADITIONAL, 'c', 'h', 0x5015},
      {"cH", KS_LANGUAGE_SPANISH_TRADITIONAL, 'c', 'H', 0x5015},
      {"Ch", KS_LANGUAGE_SPANISH_TRADITIONAL, 'C', 'h', 0x4015},
      {"ll", KS_LANGUAGE_SPANISH_TRADITIONAL, 'l', 'l', 0x5039},
      {"LL", KS_LANGUAGE_SPANISH_TRADITIONAL, 'L', 'L', 0x4039},
      {"aa in Danish", KS_LANGUAGE_DANISH, 'a', 'a', 0x57FC},
      {"Aa in Danish", KS_LANGUAGE_DANISH, 'A', 'a', 0x47FC},
      {"cx", KS_LANGUAGE_SPANISH_TRADITIONAL, 'c', 'x', 0},
      {"ch in modern Spanish", KS_LANGUAGE_SPANISH, 'c', 'h', 0},
      {"ch in English", KS_LANGUAGE_ENGLISH, 'c', 'h', 0},
      {"aa in Swedish", KS_LANGUAGE_SWEDISH, 'a', 'a', 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ContractionOrder(c.first, c.second, c.language), c.order);
  }
  // ch sorts after every c and before d; n tilde after every n in Spanish.
  EXPECT_GT(Primary(0x5015), Primary(EntryOf(253, 0x010D)->order));
  EXPECT_LT(Primary(0x5015), Primary(EntryOf(253, 'd')->order));
  EXPECT_GT(Primary(0x5041), Primary(EntryOf(253, 0xF1)->order));
  EXPECT_LT(Primary(0x5041), Primary(EntryOf(253, 'o')->order));
  EXPECT_EQ(ForLanguage(EntryOf(1, 0xF1), KS_LANGUAGE_SPANISH)->order, 0x5041);
  EXPECT_EQ(ForLanguage(EntryOf(1, 0xF1), KS_LANGUAGE_ENGLISH)->order, 0x52C0);
}

TEST(I18nCodeSets, QueriesAndClasses) {
  const KsCodeSet* bytes = KsLanguageContext::QueryCodeSet(0);
  ASSERT_NE(bytes, nullptr);
  EXPECT_EQ(bytes->Id(), 1);
  EXPECT_EQ(bytes->Width(), 1);
  ASSERT_NE(bytes->CharTable(), nullptr);
  EXPECT_EQ(bytes->CharTable()->GetEntry('*')->order, 80 + 79);

  const KsCodeSet* raw = KsLanguageContext::QueryCodeSet(254);
  ASSERT_NE(raw, nullptr);
  EXPECT_EQ(raw->Id(), 254);
  EXPECT_EQ(raw->Width(), 2);
  EXPECT_EQ(raw->CharTable(), nullptr);
  // Order keys keep their class byte where a language goes; 0x80 marks a cut.
  for (auto [language, classByte] : {std::pair{1, 1}, {0x81, 1}, {19, 19}, {20, 20}, {0x94, 20}, {200, 20}}) {
    EXPECT_EQ(raw->GetClass(static_cast<unsigned char>(language)), classByte) << language;
  }

  const KsCodeSet* unicode = KsLanguageContext::QueryCodeSet(253);
  ASSERT_NE(unicode, nullptr);
  EXPECT_EQ(unicode->Width(), 2);
  EXPECT_NE(unicode->CharTable(), nullptr);
  EXPECT_EQ(unicode->GetClass(KS_LANGUAGE_SWEDISH), 1);
  EXPECT_EQ(KsLanguageContext::QueryCodeSet(2)->GetClass(KS_LANGUAGE_GERMAN), 1);

  for (unsigned char id : {3, 100, 224, 225, 252, 255}) {
    EXPECT_EQ(KsLanguageContext::QueryCodeSet(id), nullptr) << unsigned{id};
  }
}

TEST(I18nCodeSets, Windows1252RoundTripsEveryByteThroughUnicode) {
  const KsCodeSet* cp1252 = KsLanguageContext::QueryCodeSet(1);
  const KsCodeSet* unicode = KsLanguageContext::QueryCodeSet(253);
  for (unsigned byte = 0; byte < 256; ++byte) {
    const unsigned short u = unicode->Convert(static_cast<unsigned short>(byte), 1);
    EXPECT_EQ(cp1252->Convert(u, 253), byte) << byte;
  }
  const struct {
    unsigned short byte, unicode;
  } known[] = {{0x41, 0x0041}, {0x80, 0x20AC}, {0x81, 0x0081}, {0x8D, 0x008D}, {0x8F, 0x008F},
               {0x90, 0x0090}, {0x9D, 0x009D}, {0x9F, 0x0178}, {0x99, 0x2122}, {0xE4, 0x00E4}};
  for (const auto& k : known) {
    EXPECT_EQ(unicode->Convert(k.byte, 1), k.unicode) << std::hex << k.byte;
    EXPECT_EQ(unicode->Convert(k.byte, 0), k.unicode) << "code set 0 reads as native";
  }
  // Characters without a counterpart become the substitution character.
  EXPECT_EQ(cp1252->Convert(0x0080, 253), '?');
  EXPECT_EQ(cp1252->Convert(0x0100, 253), '?');
  EXPECT_EQ(cp1252->Convert(0x4E00, 254), '?');
  EXPECT_EQ(unicode->Convert(0x100, 1), 0xFFFD) << "not a byte";
  EXPECT_EQ(unicode->Convert('A', 77), 0xFFFD) << "unknown source";
}

TEST(I18nCodeSets, Latin2ConvertsThroughUnicode) {
  const KsCodeSet* latin2 = KsLanguageContext::QueryCodeSet(2);
  const KsCodeSet* cp1252 = KsLanguageContext::QueryCodeSet(1);
  const KsCodeSet* unicode = KsLanguageContext::QueryCodeSet(253);
  ASSERT_NE(latin2, nullptr);
  EXPECT_EQ(unicode->Convert(0xB1, 2), 0x0105);
  EXPECT_EQ(latin2->Convert(0x0105, 253), 0xB1);
  EXPECT_EQ(latin2->Convert(0xE4, 1), 0xE4) << "a diaeresis sits at the same byte";
  EXPECT_EQ(latin2->Convert(0x9A, 1), 0xB9) << "s caron moves";
  EXPECT_EQ(cp1252->Convert(0xB9, 2), 0x9A);
  EXPECT_EQ(latin2->Convert(0x80, 1), '?') << "no euro sign";
  for (unsigned byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(latin2->Convert(unicode->Convert(static_cast<unsigned short>(byte), 2), 253), byte);
  }
}

struct CaseCase {
  const char* what;
  unsigned char codeSet;
  unsigned short unit;
  bool hasProps;
  uint16_t upper, lower;
  std::vector<uint16_t> fullUpper;
};

TEST(I18nUnicodeProps, CaseMappings) {
  const CaseCase cases[] = {
      {"a", 253, 'a', true, 'A', 0, {}},
      {"A", 253, 'A', true, 0, 'a', {}},
      {"sharp s", 253, 0xDF, true, 'S', 0, {'S', 'S'}},
      {"sharp s in 1252", 1, 0xDF, true, 'S', 0, {'S', 'S'}},
      {"y diaeresis in 1252", 1, 0xFF, true, 0x0178, 0, {}},
      {"Y diaeresis in 1252", 1, 0x9F, true, 0, 0x00FF, {}},
      {"micro sign has no 1252 upper case", 1, 0xB5, false, 0, 0, {}},
      {"micro sign in Unicode", 253, 0xB5, true, 0x039C, 0, {}},
      {"greek sigma", 253, 0x03C3, true, 0x03A3, 0, {}},
      {"greek final sigma", 253, 0x03C2, true, 0x03A3, 0, {}},
      {"greek capital sigma", 253, 0x03A3, true, 0, 0x03C3, {}},
      {"iota with dialytika and tonos", 253, 0x0390, true, 0x0399, 0, {0x0399, 0x0308, 0x0301}},
      {"cyrillic ya", 253, 0x044F, true, 0x042F, 0, {}},
      {"cyrillic capital ya", 253, 0x042F, true, 0, 0x044F, {}},
      {"title-case dz with caron", 253, 0x01C5, true, 0x01C4, 0x01C6, {}},
      {"n preceded by apostrophe", 253, 0x0149, true, 0x02BC, 0, {0x02BC, 'N'}},
      {"capital I with dot above", 253, 0x0130, true, 0, 'i', {}},
      {"ff ligature", 253, 0xFB00, true, 'F', 0, {'F', 'F'}},
      {"fullwidth a", 253, 0xFF41, true, 0xFF21, 0, {}},
      {"latin-2 a ogonek", 2, 0xB1, true, 0x0104, 0, {}},
      {"raw units read as Unicode", 254, 0x0431, true, 0x0411, 0, {}},
      {"digit", 253, '1', false, 0, 0, {}},
      {"CJK", 253, 0x4E00, false, 0, 0, {}},
      {"surrogate", 253, 0xD800, false, 0, 0, {}},
  };
  for (const CaseCase& c : cases) {
    SCOPED_TRACE(c.what);
    const KsUnicodeProps* props =
        KsLanguageContext::QueryCodeSet(c.codeSet)->GetUnicodeProps(c.unit, KS_LANGUAGE_ENGLISH);
    ASSERT_EQ(props != nullptr, c.hasProps);
    if (props == nullptr) continue;
    EXPECT_EQ(props->upper, c.upper);
    EXPECT_EQ(props->lower, c.lower);
    EXPECT_EQ(Units(&props->fullUpper), c.fullUpper);
  }
}

TEST(I18nLanguages, IdsNamesAndSwitches) {
  const struct {
    unsigned char id;
    const char* name;
    bool variantSwitch;
  } cases[] = {{0, "English", false},
               {1, "German", false},
               {2, "Swedish", true},
               {3, "Spanish", true},
               {4, "Traditional Spanish", true},
               {5, "Danish", true}};
  for (const auto& c : cases) {
    const KsLanguage* language = KsLanguageContext::QueryLanguage(c.id);
    ASSERT_NE(language, nullptr);
    EXPECT_EQ(language->Id(), c.id);
    EXPECT_STREQ(language->Name(), c.name);
    EXPECT_EQ(language->VariantSwitch(), c.variantSwitch) << c.name;
  }
  EXPECT_EQ(KsLanguageContext::QueryLanguage(6), nullptr);
  EXPECT_EQ(KsLanguageContext::QueryLanguage(254), nullptr);
  EXPECT_EQ(KsLanguageContext::QueryLanguage(255), nullptr);
}

// Default code set, its 8- and 16-bit members, native code set, language
// and comparison operation.
std::array<int, 6> Defaults() {
  return {KsLanguageContext::GetDefaultCodeSet(),   KsLanguageContext::GetDefault8CodeSet(),
          KsLanguageContext::GetDefault16CodeSet(), KsLanguageContext::GetNativeCodeSet(),
          KsLanguageContext::GetDefaultLanguage(),  KsLanguageContext::GetDefaultCmpOp()};
}
const std::array<int, 6> kInitialDefaults = {1, 1, 253, 1, KS_LANGUAGE_ENGLISH, 0};

// The defaults are process-wide: every test here leaves them as it found
// them, whatever it asserts.
class I18nDefaults : public testing::Test {
 protected:
  void TearDown() override {
    KsLanguageContext::SetDefaultCodeSet(1);
    KsLanguageContext::SetDefaultCodeSet(253);
    KsLanguageContext::SetDefaultCodeSet(1);
    KsLanguageContext::SetDefaultLanguage(0);
    KsLanguageContext::SetDefaultCmpOp(0);
    KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH)->SetVariantSwitch(true);
  }
};

// A language without a tailoring of its own is still a language: it can be
// the default, and its strings collate in the root order.
TEST_F(I18nDefaults, EveryLanguageIdCanBeTheDefaultAndUntailoredOnesUseTheRootOrder) {
  KsLanguageContext::SetDefaultLanguage(7);
  EXPECT_EQ(KsLanguageContext::GetDefaultLanguage(), 7);
  KsLanguageContext::SetDefaultLanguage(253);
  EXPECT_EQ(KsLanguageContext::GetDefaultLanguage(), 253);
  const KsCollationEntry* aRing = EntryOf(1, 0xE5);
  ASSERT_NE(aRing, nullptr);
  EXPECT_EQ(ForLanguage(aRing, 7)->order, aRing->order) << "no variants for an untailored language";
  // a ring sorts before z in the root order, after it in Swedish.
  EXPECT_LT(KsStrCmp(1, 7, "\xE5", 1, 7, "z", 0x100, -1, 1, nullptr), 0);
  EXPECT_GT(KsStrCmp(1, KS_LANGUAGE_SWEDISH, "\xE5", 1, KS_LANGUAGE_SWEDISH, "z", 0x100, -1, 1, nullptr), 0);
}

TEST_F(I18nDefaults, SettersChangeTheDefaultsOfTheirWidth) {
  EXPECT_EQ(Defaults(), kInitialDefaults);
  // 0 names the native code set; unknown ids, the null marker 254 as a
  // language and 0xFFFF as an operation are ignored.
  const struct {
    int codeSet, language, cmpOp;
    std::array<int, 6> defaults;
  } steps[] = {
      {254, -1, -1, {254, 1, 254, 1, 0, 0}},
      {2, -1, -1, {2, 2, 254, 1, 0, 0}},
      {0, -1, -1, {1, 1, 254, 1, 0, 0}},
      {77, -1, -1, {1, 1, 254, 1, 0, 0}},
      {255, KS_LANGUAGE_DANISH, 0x60, {1, 1, 254, 1, KS_LANGUAGE_DANISH, 0x60}},
      {-1, 254, 0xFFFF, {1, 1, 254, 1, KS_LANGUAGE_DANISH, 0x60}},
      {-1, 255, -1, {1, 1, 254, 1, KS_LANGUAGE_DANISH, 0x60}},
  };
  for (const auto& step : steps) {
    if (step.codeSet >= 0) KsLanguageContext::SetDefaultCodeSet(static_cast<unsigned char>(step.codeSet));
    if (step.language >= 0) KsLanguageContext::SetDefaultLanguage(static_cast<unsigned char>(step.language));
    if (step.cmpOp >= 0) KsLanguageContext::SetDefaultCmpOp(static_cast<unsigned short>(step.cmpOp));
    EXPECT_EQ(Defaults(), step.defaults) << step.codeSet << " " << step.language << " " << step.cmpOp;
  }
}

TEST_F(I18nDefaults, ClosingTheLastContextRestoresTheInitialState) {
  ___KsI18NContext(1);
  ___KsI18NContext(1);
  KsLanguageContext::SetDefaultLanguage(KS_LANGUAGE_SWEDISH);
  KsLanguageContext::SetDefaultCodeSet(253);
  KsLanguageContext::SetDefaultCmpOp(0x20);
  KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH)->SetVariantSwitch(false);

  ___KsI18NContext(0);
  EXPECT_EQ(KsLanguageContext::GetDefaultLanguage(), KS_LANGUAGE_SWEDISH) << "still open once";

  ___KsI18NContext(0);
  EXPECT_EQ(Defaults(), kInitialDefaults);
  EXPECT_TRUE(KsLanguageContext::QueryLanguage(KS_LANGUAGE_SWEDISH)->VariantSwitch());

  // A close without an open changes nothing.
  KsLanguageContext::SetDefaultLanguage(KS_LANGUAGE_GERMAN);
  ___KsI18NContext(0);
  EXPECT_EQ(KsLanguageContext::GetDefaultLanguage(), KS_LANGUAGE_GERMAN);
}

}  // namespace
