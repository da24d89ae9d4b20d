// The stored string record, the legacy block and the order-key form: golden
// bytes in both byte orders, well-formed and malformed records, sizes, cut
// keys, hash, translation, printing, scanning and the key generator.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "basesvc.h"
#include "i18nsvc.h"
#include "ksstoredstring.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/string_slots.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

KsString Text(const char* text, unsigned char codeSet = 1, unsigned char language = 0) {
  KsString s(codeSet, language);
  s.AssignUnits(text, static_cast<unsigned short>(std::strlen(text)), codeSet, language, 1);
  return s;
}

KsString Wide(std::initializer_list<unsigned short> units, unsigned char language = 0) {
  std::vector<unsigned short> v(units);
  KsString s(253, language);
  s.AssignUnits(v.data(), static_cast<unsigned short>(v.size()), 253, language, 8);
  return s;
}

Bytes Stored(const KsString& s, unsigned char format) {
  Bytes out(StringSizeGet(&s, 8, format, 1));
  EXPECT_EQ(StringStore(out.data(), &s, format, 1), out.size());
  return out;
}

Bytes Key(const KsString& s, unsigned char format = 0x81, unsigned room = 254) {
  Bytes out(room);
  out.resize(ksstring::StringTranslate(out.data(), format, room, const_cast<KsString*>(&s), 8, 0, 1));
  return out;
}

std::string Chars(const KsString& s) {
  return std::string(s.StrGet(), s.Len() * s.CharWidth());
}

// One stored record of format `from` translated into `room` bytes (0xEE
// beforehand) of format `to`, cut to the size the translation returns.
Bytes Translated(const Bytes& source, unsigned char from, unsigned length, unsigned char to,
                 unsigned room = 16) {
  Bytes out(room, 0xEE);
  out.resize(ksstring::StringTranslate(out.data(), to, room, const_cast<unsigned char*>(source.data()), from,
                                       length, 1));
  return out;
}

// Orders of code set 1: a 0x500C, b 0x5010, c 0x5014, A 0x400C.
TEST(StringStoreGolden, RecordsAndOrderKeysInBothByteOrders) {
  struct Case {
    const char* what;
    KsString value;
    unsigned char format;
    Bytes bytes;
  };
  KsString null;
  null.SetNullValue();
  const Case cases[] = {
      {"abc, language 7", Text("abc", 1, 7), 1, {0x07, 0x00, 0x01, 0x07, 'a', 'b', 'c', 0x00, 0xFF}},
      {"abc, big-endian", Text("abc", 1, 7), 2, {0x00, 0x07, 0x01, 0x07, 'a', 'b', 'c', 0x00, 0xFF}},
      // Bits 0x20 and 0x40 say how stored code sets are read, not written.
      {"abc, 0x20", Text("abc"), 0x21, {0x07, 0x00, 0x01, 0x00, 'a', 'b', 'c', 0x00, 0xFF}},
      {"code set 0, 0x40", Text("abc", 0), 0x41, {0x07, 0x00, 0x00, 0x00, 'a', 'b', 'c', 0x00, 0xFF}},
      {"empty", KsString(1, 0), 1, {0x04, 0x00, 0x01, 0x00, 0x00, 0xFF}},
      {"null", null, 1, {0x04, 0x00, 0x00, 0xFE, 0x00, 0xFF}},
      {"16-bit ab", Wide({'a', 'b'}), 1, {0x08, 0x00, 0xFD, 0x00, 'a', 0x00, 'b', 0x00, 0x00, 0xFF}},
      {"16-bit, big", Wide({'a', 'b'}), 2, {0x00, 0x08, 0xFD, 0x00, 0x00, 'a', 0x00, 'b', 0x00, 0xFF}},
      // Order keys (format bit 0x80): the class where the language goes.
      {"key ab", Text("ab"), 0x81, {0x08, 0x00, 0xFE, 0x01, 0x0C, 0x50, 0x10, 0x50, 0x00, 0xFF}},
      {"key ab, big", Text("ab"), 0x82, {0x00, 0x08, 0xFE, 0x01, 0x50, 0x0C, 0x50, 0x10, 0x00, 0xFF}},
      {"empty key: the class its code set reports", Text(""), 0x81, {0x04, 0x00, 0xFE, 0x01, 0x00, 0xFF}},
      // ab then Greek alpha: the key holds a and b and says it was cut.
      {"cut key",
       Wide({'a', 'b', 0x03B1}),
       0x81,
       {0x08, 0x00, 0xFE, 0x81, 0x0C, 0x50, 0x10, 0x50, 0x00, 0xFF}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.format & 0x80 ? Key(c.value, c.format) : Stored(c.value, c.format), c.bytes) << c.what;
}

TEST(StringStoreGolden, LegacyBlockConvertsSixteenBitText) {
  KsString values[2] = {Wide({'a', 'b'}), Text("c")};
  Bytes out(ksstring::LegacyStringSizeGet(values, 8, 1, 2));
  EXPECT_EQ(out.size(), 7u);
  EXPECT_EQ(ksstring::LegacyStringStore(out.data(), values, 1, 2), 7u);
  EXPECT_EQ(out, (Bytes{0x05, 0x00, 'a', 'b', 0x00, 'c', 0x00}));
  EXPECT_EQ(ksstring::LegacyStringStore(out.data(), values, 2, 1), 5u);
  EXPECT_EQ((Bytes(out.begin(), out.begin() + 5)), (Bytes{0x00, 0x03, 'a', 'b', 0x00}));
}

TEST(StringLoad, CurrentAndNullRecordsInBothByteOrders) {
  const Bytes little = {0x07, 0x00, 0x01, 0x07, 'a',  'b',  'c',  0x00, 0xFF,
                        0x06, 0x00, 0xFD, 0x02, 0xE9, 0x00, 0x00, 0xFF};
  KsString s[2];
  EXPECT_EQ(StringLoad(s, little.data(), 1, 2), 17u);
  EXPECT_EQ(Chars(s[0]), "abc");
  EXPECT_EQ(s[0].CodeSet(), 1);
  EXPECT_EQ(s[0].Language(), 7);
  EXPECT_TRUE(s[1] == Wide({0xE9}, 2));
  EXPECT_EQ(s[1].Language(), 2);
  const Bytes big = {0x00, 0x06, 0xFD, 0x02, 0x00, 0xE9, 0x00, 0xFF};
  KsString wide;
  EXPECT_EQ(StringLoad(&wide, big.data(), 2, 1), 8u);
  EXPECT_TRUE(wide == Wide({0xE9}, 2));
  const Bytes null = {0x04, 0x00, 0x00, 0xFE, 0x00, 0xFF};
  EXPECT_EQ(StringLoad(&wide, null.data(), 1, 1), 6u);
  EXPECT_EQ(wide.IsNullValue(), 1);
}

TEST(StringLoad, LegacyBlockGivesDefaultCodeSetAndLanguage) {
  const Bytes block = {0x04, 0x00, 'a', 'b', 'c', 0x00};
  KsString s(200, 9);
  EXPECT_EQ(StringLoad(&s, block.data(), 1, 1), 6u);
  EXPECT_EQ(Chars(s), "abc");
  EXPECT_EQ(s.CodeSet(), KsLanguageContext::GetDefault8CodeSet());
  EXPECT_EQ(s.Language(), KsLanguageContext::GetDefaultLanguage());
}

TEST(StringLoad, RecordBelowSixBytesLoadsNothingAndReportsIt) {
  const Bytes shortRecord = {0x03, 0x00, 0x01, 0x00, 0xFF};
  KsString s = Text("keep");
  EXPECT_EQ(StringLoad(&s, shortRecord.data(), 1, 1), 0u);
  EXPECT_EQ(s.Len(), 0);
  EXPECT_EQ(s.IsNullValue(), 0);
}

TEST(StringSizes, MemoryStoredAndOrderKeyRoom) {
  KsString wide = Wide({'a', 'b'});
  EXPECT_EQ(StringSizeGet(&wide, 8, 1, 1), 10u);
  EXPECT_EQ(ksstring::StringNullSizeGet(3), 18u);
  KsString abc = Text("abc");
  // L = 7; the key form may take two bytes per order for each text byte.
  EXPECT_EQ(StringSizeGet(&abc, 8, 0x81, 1), 4u * 7 + 2);
  EXPECT_EQ(StringSizeGet(&wide, 8, 0x81, 1), 2u * 8 + 2);
  KsString pair[2] = {abc, wide};
  Bytes stored(19);
  StringStore(stored.data(), pair, 1, 2);
  EXPECT_EQ(StringSizeGet(stored.data(), 1, 1, 2), 19u);
  const Bytes legacy = {0x04, 0x00, 'a', 0x00, 'b', 0x00};
  EXPECT_EQ(StringSizeGet(legacy.data(), 1, 1, 2), 6u) << "a legacy block ends the walk";
}

TEST(StringSizes, MemoryFileOverrunCountsEachMissingRecordOnce) {
  MemFile empty(nullptr, 0);
  EXPECT_EQ(ksstring::StringSizeGetFromMemFile(&empty, 1, 1), 65535u);
  const Bytes oneAndAHalf = {0x04, 0x00, 0x01, 0x00, 0x00, 0xFF, 0x07, 0x00};
  MemFile file(oneAndAHalf.data(), static_cast<unsigned>(oneAndAHalf.size()));
  EXPECT_EQ(ksstring::StringSizeGetFromMemFile(&file, 1, 3), 2u * 65535);
  EXPECT_EQ(ksstring::StringSizeGetFromMemFile(&file, 1, 1), 6u);
  const Bytes block = {0x04, 0x00, 0x61, 0x00, 0x62, 0x00};
  MemFile legacy(block.data(), static_cast<unsigned>(block.size()));
  EXPECT_EQ(ksstring::LegacyStringSizeGetFromMemFile(&legacy, 1, 2), 6u) << "a legacy block is read once";
}

int Compare(const Bytes& a, unsigned len1, const Bytes& b, unsigned len2, unsigned short cmpOp, int& status,
            unsigned char format = 1) {
  return StringCompare(format, len1, const_cast<unsigned char*>(a.data()), len2,
                       const_cast<unsigned char*>(b.data()), cmpOp, 1, status);
}

TEST(StringCompareStored, WholeRecordsInMemoryAndStored) {
  struct Case {
    const char* a;
    const char* b;
    int sign;
  };
  const Case cases[] = {{"abc", "abd", -1}, {"abc", "abc", 0}, {"b", "abc", 1}, {"", "a", -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.a) + " / " + c.b);
    KsString a = Text(c.a), b = Text(c.b);
    int status = 7;
    const int inMemory = StringCompare(8, 0, &a, 0, &b, 0x10, 1, status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ((inMemory > 0) - (inMemory < 0), c.sign);
    for (unsigned char format : {1, 2}) {
      EXPECT_EQ(Compare(Stored(a, format), 0, Stored(b, format), 0, 0x10, status, format), inMemory);
      EXPECT_EQ(status, 0);
    }
  }
}

// Records cut by the given lengths (0: whole), and keys cut at a script
// change. A cut that leaves the sides equal as far as they go reports 2101
// (2114, 2115 for a key cut on the first, second side); a cut longer than a
// key is refused.
TEST(StringCompareStored, CutRecordsAndKeysCompareAsFarAsTheyGo) {
  struct Case {
    const char* what;
    Bytes a;
    unsigned len1;
    Bytes b;
    unsigned len2;
    unsigned short cmpOp;
    int result, status;
  };
  const Bytes abcd = Stored(Text("abcd"), 1), abcdef = Stored(Text("abcdef"), 1);
  const Bytes longText = Stored(Text(std::string(300, 'x').c_str()), 1);
  const Bytes mixed = Key(Wide({'a', 'b', 0x03B1})), abcKey = Key(Text("abc"));
  const Case cases[] = {
      {"a generous length is no cut", Stored(Text("abc"), 1), 300, Stored(Text("abc"), 1), 300, 0, 0, 0},
      {"a cut of more than a key", longText, 260, longText, 0, 0, -1, -2999},
      // Both cut after "ab"; the match output must not overwrite the status.
      {"both cut, equal up to the cut", abcd, 6, Stored(Text("abxy"), 1), 6, 0x90, 0, 2101},
      {"the first side cut, the second longer", abcd, 6, abcdef, 0, 0x10, 0, 2101},
      {"the second side cut", abcdef, 0, abcd, 6, 0x10, 0, 2101},
      {"a star in a cut second side", abcdef, 0, Stored(Text("ab*zzz"), 1), 8, 0, 0, 2101},
      // A whole first side that ends before the star sorts before the pattern's cut part.
      {"a first side ending before the star", Stored(Text("ab"), 1), 0, Stored(Text("abc*zz"), 1), 9, 0, -1,
       2101},
      {"a key cut first: a prefix of abc", mixed, 0, abcKey, 0, 0, 0, 2114},
      {"a key cut second", abcKey, 0, mixed, 0, 0, 0, 2115},
      {"both keys cut: the first side's status", mixed, 0, mixed, 0, 0, 0, 2114},
  };
  for (const Case& c : cases) {
    int status = 7;
    EXPECT_EQ(Compare(c.a, c.len1, c.b, c.len2, c.cmpOp, status), c.result) << c.what;
    EXPECT_EQ(status, c.status) << c.what;
  }
  // The plain operator takes the cut key as whole: ab sorts before abc.
  int status = 0;
  EXPECT_LT(Compare(mixed, 0, abcKey, 0, 0x100, status), 0);
  EXPECT_EQ(status, 2114);
}

TEST(StringCompareStored, OrderKeysOfLatinTextAreNotNull) {
  const Bytes a = Key(Text("a")), b = Key(Text("b"));
  int status = 0;
  EXPECT_NE(Compare(a, 0, b, 0, 0x100, status), 0);
  KsString loaded;
  StringLoad(&loaded, a.data(), 1, 1);
  EXPECT_EQ(loaded.IsNullValue(), 0);
  EXPECT_EQ(loaded.Language(), 1) << "the Latin class";
}

TEST(StringCompareStored, KeysCompareAlikeInBothByteOrders) {
  const char* texts[] = {"abc", "abd", "b", "ab"};
  for (const char* x : texts)
    for (const char* y : texts) {
      int status = 0;
      const int little = Compare(Key(Text(x), 0x81), 0, Key(Text(y), 0x81), 0, 0x100, status, 0x81);
      const int big = Compare(Key(Text(x), 0x82), 0, Key(Text(y), 0x82), 0, 0x100, status, 0x82);
      EXPECT_EQ((little > 0) - (little < 0), (big > 0) - (big < 0)) << x << " / " << y;
    }
}

TEST(StringCompareStored, ArrayRunningOutStops) {
  KsString two[2] = {Text("a"), Text("b")};
  Bytes stored(14);
  StringStore(stored.data(), two, 1, 2);
  int status = 0;
  EXPECT_EQ(StringCompare(1, 7, stored.data(), 0, stored.data(), 0, 2, status), 0);
  EXPECT_EQ(status, 2101);
}

TEST(StringCompareStored, LegacyDescriptorAcceptsBlocks) {
  const Bytes block = {0x04, 0x00, 'a', 0x00, 'b', 0x00};
  int status = 0;
  const Bytes current = Stored(Text("a"), 1);
  EXPECT_EQ(ksstring::LegacyStringCompare(1, 0, const_cast<unsigned char*>(block.data()), 0,
                                          const_cast<unsigned char*>(current.data()), 0, 1, status),
            0);
  EXPECT_EQ(status, 0);
}

// Records that no store makes, given with their exact lengths (the
// sanitizers check that nothing beyond them is read).
TEST(StringCompareStored, MalformedRecordsStayWithinTheirBytes) {
  const Bytes noText = {0x00, 0x00, 0x01, 0x00};                     // L below the header
  const Bytes noClosingZero = {0x04, 0x00, 0x00, 0x00, 0x80, 0xF1};  // 80 F1 where 00 FF belongs
  const Bytes abc = Stored(Text("abc"), 1);
  int status = 0;
  EXPECT_LT(Compare(noText, 4, abc, 9, 0x10, status), 0) << "no text sorts first";
  EXPECT_LT(Compare(noClosingZero, 6, abc, 9, 0x10, status), 0);
  EXPECT_EQ(ksstring::StringHash(1, 6, const_cast<unsigned char*>(noClosingZero.data()), 1, status), 0u);
  Translated(noText, 1, 4, 1);
  EXPECT_EQ(Translated({0x00, 0x00}, 1, 2, 1).size(), 6u) << "a legacy block of no text: one empty record";
}

unsigned Hash(const void* values, unsigned char format, unsigned len, unsigned count, int& status) {
  return ksstring::StringHash(format, len, const_cast<void*>(values), count, status);
}

TEST(StringHashSlot, MemoryAndStoredAgree) {
  int status = 7;
  KsString empty(1, 0);
  EXPECT_EQ(Hash(&empty, 8, 0, 1, status), 0u);
  EXPECT_EQ(status, 0);
  KsString abc = Text("abc");
  const unsigned expected = 0x1A7FC7E0;
  EXPECT_EQ(Hash(&abc, 8, 0, 1, status), expected);
  EXPECT_EQ(Hash(Stored(abc, 1).data(), 1, 0, 1, status), expected);
  KsString wide = Wide({'a', 'b', 'c'});
  EXPECT_EQ(Hash(Stored(wide, 2).data(), 2, 0, 1, status), expected) << "same orders in 16-bit text";
  KsString pair[2] = {abc, Text("x")};
  EXPECT_EQ(Hash(pair, 8, 0, 2, status), 0x4999B240u);
  KsString null;
  null.SetNullValue();
  EXPECT_EQ(Hash(&null, 8, 0, 1, status), 0xA79FA8D1u) << "the null constant 0xFEFE7575, multiplied";
}

TEST(StringHashSlot, CutKeysHashTheirCharactersAndDropTheCutMark) {
  int status = 0;
  const Bytes abcd = Stored(Text("abcd"), 1);
  EXPECT_EQ(Hash(abcd.data(), 1, 6, 1, status), 0x985ED440u) << "the hash of ab";
  EXPECT_EQ(status, 0);
  const Bytes mixed = Key(Wide({'a', 'b', 0x03B1}));
  const Bytes ab = Key(Text("ab"));
  EXPECT_EQ(Hash(mixed.data(), 1, 0, 1, status), Hash(ab.data(), 1, 0, 1, status));
  EXPECT_EQ(Hash(Key(Text("ab"), 0x82).data(), 2, 0, 1, status), Hash(ab.data(), 1, 0, 1, status))
      << "key units read in memory order";
  std::string longText(300, 'x');
  Hash(Stored(Text(longText.c_str()), 1).data(), 1, 280, 1, status);
  EXPECT_EQ(status, -2999);
}

TEST(StringTranslate, KeyIsCutToItsRoomAndKeepsItsEnd) {
  EXPECT_EQ(Key(Text("abcdef"), 0x81, 10),
            (Bytes{0x08, 0x00, 0xFE, 0x01, 0x0C, 0x50, 0x10, 0x50, 0x00, 0xFF}));
}

TEST(StringTranslate, MemoryAndStoredBothWays) {
  KsString values[2] = {Text("abc", 1, 7), Wide({'x'})};
  Bytes stored(64, 0xEE);
  EXPECT_EQ(ksstring::StringTranslate(stored.data(), 1, 64, values, 8, 0, 2), 9u + 8u);
  EXPECT_EQ(stored[17], 0x00) << "the destination is zeroed";
  KsString back[2];
  EXPECT_EQ(ksstring::StringTranslate(back, 8, 0, stored.data(), 1, 17, 2), 17u);
  EXPECT_TRUE(back[0] == values[0]);
  EXPECT_EQ(back[0].Language(), 7);
  EXPECT_EQ(back[1].CodeSet(), 253);
  KsString copies[2];
  EXPECT_EQ(ksstring::StringTranslate(copies, 8, 0, values, 8, 0, 2), 2u * sizeof(KsString));
  EXPECT_TRUE(copies[1] == values[1]);
}

TEST(StringTranslate, DifferentStoredFormatsAreNotSupported) {
  static std::vector<std::string> reports;
  KsAssertHandler previous = KsSetAssertHandler([](const char* text, const char* path, int line) {
    reports.push_back(std::string(text) + "|" + path + "|" + std::to_string(line));
  });
  EXPECT_EQ(Translated(Stored(Text("a"), 1), 1, 7, 2), Bytes{});
  KsSetAssertHandler(previous);
  EXPECT_EQ(reports, std::vector<std::string>{"format combination not supported|src/kstypes|1745"});
}

// A legacy block becomes a current record of the defaults, Unicode is
// narrowed to the low byte, and copies are cut to the room without their end.
TEST(StringTranslate, StoredToStored) {
  struct Case {
    const char* what;
    Bytes source;
    unsigned char from, to;
    unsigned room;
    Bytes expected;
  };
  const Bytes legacy = {0x04, 0x00, 'a', 'b', 'c', 0x00}, abc = Stored(Text("abc"), 0x21);
  const Bytes wide = Stored(Wide({'a', 0xE9}, 5), 1), wideBig = Stored(Wide({'a', 0xE9}, 5), 2);
  const unsigned char cs = KsLanguageContext::GetDefault8CodeSet(),
                      lang = KsLanguageContext::GetDefaultLanguage();
  const Case cases[] = {
      {"legacy", legacy, 1, 1, 16, {0x07, 0x00, cs, lang, 'a', 'b', 'c', 0x00, 0xFF}},
      {"narrowed", wide, 1, 1, 16, {0x06, 0x00, 0x01, 0x05, 'a', 0xE9, 0x00, 0xFF}},
      {"narrowed, big-endian", wideBig, 2, 2, 16, {0x00, 0x06, 0x01, 0x05, 'a', 0xE9, 0x00, 0xFF}},
      {"cut; code set read as 0 under 0x20", abc, 0x21, 0x21, 6, {0x07, 0x00, 0x00, 0x00, 'a', 'b'}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Translated(c.source, c.from, static_cast<unsigned>(c.source.size()), c.to, c.room), c.expected)
        << c.what;
  }
}

TEST(StringTranslate, LegacyStoredToStoredDropsCodeSetLanguageAndEnd) {
  const Bytes abc = Stored(Text("abc", 1, 7), 1);
  Bytes out(10, 0xEE);
  EXPECT_EQ(
      ksstring::LegacyStringTranslate(out.data(), 2, 10, const_cast<unsigned char*>(abc.data()), 1, 9, 1),
      6u);
  EXPECT_EQ(out, (Bytes{0x00, 0x04, 'a', 'b', 'c', 0x00, 0x00, 0x00, 0x00, 0x00}));
}

std::string Print(const KsString& value, const char* format) {
  KsString out;
  ksstring::StringPrintToString(out, const_cast<KsString*>(&value), format, 1);
  return Chars(out);
}

TEST(StringPrint, EmptyNullAndFormatted) {
  EXPECT_EQ(Print(KsString(1, 0), "[%s]"), "") << "an empty string prints as itself";
  KsString null;
  null.SetNullValue();
  EXPECT_EQ(Print(null, "[%s]"), "{NULL}");
  EXPECT_EQ(Print(Text("abc"), "[%5s]"), "[  abc]");
  EXPECT_EQ(Print(Text("abc"), nullptr), "abc");
  EXPECT_EQ(Print(Wide({'a', 0xE9}), "<%s>"), "<a\xE9>") << "Unicode prints in the default 8-bit code set";
}

KsString LoadedKey(const Bytes& key) {
  KsString s;
  StringLoad(&s, key.data(), 1, 1);
  return s;
}

TEST(StringPrint, OrderKeyDirectives) {
  const std::string text = std::string("a\xE9") + "B1";
  const KsString key = LoadedKey(Key(Text(text.c_str())));
  EXPECT_EQ(Print(key, "%1M"), "aeB1");
  EXPECT_EQ(Print(key, "%2M"), text);
  EXPECT_EQ(Print(key, "%s"), text) << "no directive reads accents like %2M";
  EXPECT_EQ(Print(key, "%4M|"), "a|\\'e|B|1|");
  EXPECT_EQ(Print(LoadedKey(Key(Text("\x9E"))), "%4M"), "\x9E") << "an empty name shows the character";
  EXPECT_EQ(Print(LoadedKey(Key(Text("a1"))), "%3M;"), "lower letter a;digit 1;");
  const KsString mixed = LoadedKey(Key(Wide({'a', 0x03B1})));
  EXPECT_EQ(Print(mixed, "%3M;"), "lower letter a;[MIX];") << "the cut mark is not a HAN class";
}

TEST(StringScan, NullTextIsMatchedByteByByte) {
  const unsigned short saved = KsString::GetDefaultCmpOp();
  KsString::SetDefaultCmpOp(0x20);
  KsString value = Text("x");
  KsString lower("{null}");
  ksstring::StringScanFromString(&value, lower, nullptr, 1);
  EXPECT_EQ(value.IsNullValue(), 0);
  EXPECT_EQ(Chars(value), "{null}");
  KsString upper("{NULL} and more");
  ksstring::StringScanFromString(&value, upper, nullptr, 1);
  EXPECT_EQ(value.IsNullValue(), 1);
  KsString::SetDefaultCmpOp(saved);
}

TEST(StringGetValue, SuccessorsOfOrderKeys) {
  // "ab" as a key in a 14-byte buffer: 'N' appends the order of 'a'.
  Bytes key = Key(Text("ab"));
  key.resize(14, 0);
  EXPECT_EQ(ksstring::StringGetValue(key.data(), 14, 0x81, 'N'), 0);
  EXPECT_EQ((Bytes(key.begin(), key.begin() + 12)),
            (Bytes{0x0A, 0x00, 0xFE, 0x01, 0x0C, 0x50, 0x10, 0x50, 0x0C, 0x50, 0x00, 0xFF}));
  // 'M' turns the first wildcard into the highest order.
  Bytes star = Key(Text("a*b"));
  EXPECT_EQ(ksstring::StringGetValue(star.data(), static_cast<unsigned>(star.size()), 0x81, 'M'), 0);
  EXPECT_EQ(Bytes(star.begin() + 6, star.begin() + 8), (Bytes{0xFE, 0xFF}));
  // No room: the last order becomes the highest one.
  Bytes full = Key(Text("ab"));
  EXPECT_EQ(ksstring::StringGetValue(full.data(), 8, 0x81, 'N'), 0);
  EXPECT_EQ(Bytes(full.begin() + 6, full.begin() + 8), (Bytes{0xFE, 0xFF}));
  EXPECT_EQ(ksstring::StringGetValue(full.data(), 8, 0x01, 'N'), -2999);
  EXPECT_EQ(ksstring::StringGetValue(full.data(), 8, 0x81, 2), -2999);
}

TEST(StringTypeManager, RoundTripOfEveryTable) {
  for (unsigned factory : {5u, 0u}) {
    SCOPED_TRACE(factory);
    KsTypeMgr mgr(factory);
    KsString values[3] = {Text("alpha", 1, 3), Text(""), Text("zeta")};
    const unsigned size = mgr.DiskLenGet(KsSTRING_T, values, 1, 3);
    Bytes stored(size);
    EXPECT_EQ(mgr.Store(KsSTRING_T, stored.data(), values, 1, 3), size);
    auto* loaded = static_cast<KsString*>(mgr.Create(KsSTRING_T, 3));
    EXPECT_EQ(mgr.Load(KsSTRING_T, loaded, stored.data(), 1, 3), size);
    KsString printed;
    mgr.PrintToKsString(KsSTRING_T, printed, loaded, nullptr, 3);
    EXPECT_EQ(Chars(printed), "alpha,,zeta");
    int status = 0;
    EXPECT_EQ(mgr.Cmp(KsSTRING_T, 0, values, 0, loaded, 0, 3, 8, status), 0);
    KsString scanned;
    KsString text("omega");
    mgr.ScanFromKsString(KsSTRING_T, &scanned, text, nullptr, 1);
    EXPECT_EQ(Chars(scanned), "omega");
    mgr.Delete(KsSTRING_T, loaded, 3);
  }
}

}  // namespace
