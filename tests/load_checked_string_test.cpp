// KsTypeMgr::LoadChecked of the string types: the current KsString records,
// the legacy block of the legacy table's KsString, and the I-string blocks.
// Records that fit load as Load loads them; every length field that runs
// past the bytes, disagrees with what follows or cannot hold the count is
// refused before anything is loaded.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ksistring.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Swaps every 16-bit field at the given offsets: the same form in the other
// byte order.
Bytes BigEndian(Bytes form, const std::vector<size_t>& fields) {
  for (size_t at : fields) std::swap(form[at], form[at + 1]);
  return form;
}

struct Case {
  const char* what;
  Bytes form;                  // least significant byte first
  std::vector<size_t> fields;  // offsets of its 16-bit fields
  unsigned count;
  unsigned expected;      // 0: refused
  const char* firstText;  // text of the first value when loaded, or null
};

// Loads each case through LoadChecked in both byte orders with the buffer
// exactly as long as the form. An accepted form must load exactly what Load
// loads and return what Load returns; a refused one must leave the values
// as they were.
void CheckCases(const KsTypeMgr& mgr, char type, const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    for (unsigned char format : {1, 2}) {
      Bytes form = format == 2 ? BigEndian(c.form, c.fields) : c.form;
      const std::string where = std::string(c.what) + ", format " + std::to_string(format);
      void* checked = mgr.Create(type, c.count);
      void* trusted = mgr.Create(type, c.count);
      KsString keep("keep");
      mgr.ScanFromKsString(type, checked, keep, nullptr, 1);
      const unsigned used =
          mgr.LoadChecked(type, checked, form.data(), static_cast<unsigned>(form.size()), format, c.count);
      EXPECT_EQ(used, c.expected) << where;
      KsString first;
      mgr.PrintToKsString(type, first, checked, nullptr, 1);
      if (c.expected == 0) {
        EXPECT_STREQ(first.StrGet(), "keep") << where << ": a refused load changed the first value";
      } else {
        EXPECT_EQ(mgr.Load(type, trusted, form.data(), format, c.count), used) << where;
        EXPECT_EQ(mgr.Cmp(type, checked, trusted, 0x100, c.count, 8), 0) << where;
        if (c.firstText != nullptr) {
          EXPECT_STREQ(first.StrGet(), c.firstText) << where;
        }
      }
      mgr.Delete(type, checked, c.count);
      mgr.Delete(type, trusted, c.count);
    }
  }
}

// Current records: a 16-bit length L, code set, language, L - 4 character
// bytes of which the last two are 00 FF.
TEST(LoadCheckedStrings, CurrentRecordsAreMeasuredRecordByRecord) {
  const std::vector<Case> cases = {
      {"abc", {7, 0, 1, 7, 'a', 'b', 'c', 0, 0xFF}, {0}, 1, 9, "abc"},
      {"empty", {4, 0, 1, 7, 0, 0xFF}, {0}, 1, 6, ""},
      {"two records", {5, 0, 1, 7, 'x', 0, 0xFF, 4, 0, 1, 7, 0, 0xFF}, {0, 7}, 2, 13, "x"},
      {"16-bit text of two units", {8, 0, 225, 7, 'a', 0, 'b', 0, 0, 0xFF}, {0, 4, 6}, 1, 10, nullptr},
      {"cut before the closing FF", {7, 0, 1, 7, 'a', 'b', 'c', 0}, {0}, 1, 0, nullptr},
      {"only the length", {7, 0}, {0}, 1, 0, nullptr},
      {"length beyond the bytes", {0xFF, 0xFF, 1, 7, 'a', 0, 0xFF}, {0}, 1, 0, nullptr},
      {"length below the header", {3, 0, 1, 7, 0, 0xFF}, {0}, 1, 0, nullptr},
      {"odd bytes of a 16-bit code set", {7, 0, 225, 7, 'a', 0, 'b', 0, 0xFF}, {0}, 1, 0, nullptr},
      {"closing bytes missing", {7, 0, 1, 7, 'a', 'b', 'c', 'd', 0xFF}, {0}, 1, 0, nullptr},
      {"a second record cut", {4, 0, 1, 7, 0, 0xFF, 4, 0, 1, 7, 0}, {0, 6}, 2, 0, nullptr},
      {"a count beyond the records", {4, 0, 1, 7, 0, 0xFF}, {0}, 2, 0, nullptr},
      // The legacy block is the legacy descriptor's layout: StringLoad
      // would read it, but the current descriptor's Compare and Hash do
      // not, so its LoadChecked refuses it.
      {"a legacy block", {4, 0, 'a', 'b', 'c', 0}, {0}, 1, 0, nullptr},
  };
  CheckCases(KsTypeMgr(), KsSTRING_T, cases);
}

// The legacy descriptor: its block (a 16-bit total T, then exactly count
// zero-terminated texts), or current records, as its Compare reads both.
TEST(LoadCheckedStrings, LegacyDescriptorMeasuresItsBlockOrCurrentRecords) {
  const std::vector<Case> cases = {
      {"block of one text", {4, 0, 'a', 'b', 'c', 0}, {0}, 1, 6, "abc"},
      {"block of two texts", {6, 0, 'a', 'b', 0, 'c', 'd', 0}, {0}, 2, 8, "ab"},
      {"block of two empty texts", {2, 0, 0, 0}, {0}, 2, 4, ""},
      {"block with a text too many", {6, 0, 'a', 'b', 0, 'c', 'd', 0}, {0}, 1, 0, nullptr},
      {"block with a text too few", {6, 0, 'a', 'b', 0, 'c', 'd', 0}, {0}, 3, 0, nullptr},
      {"block with no text", {0, 0}, {0}, 1, 0, nullptr},
      {"total beyond the bytes", {7, 0, 'a', 'b', 'c', 0}, {0}, 1, 0, nullptr},
      {"current record", {7, 0, 1, 7, 'a', 'b', 'c', 0, 0xFF}, {0}, 1, 9, "abc"},
      {"current record cut", {7, 0, 1, 7, 'a', 'b', 'c', 0}, {0}, 1, 0, nullptr},
      {"last byte neither 0 nor FF", {4, 0, 'a', 'b', 'c', 'd'}, {0}, 1, 0, nullptr},
  };
  CheckCases(KsTypeMgr(0), KsSTRING_T, cases);
}

// I-strings: a flag byte, a 16-bit total T, then exactly count
// zero-terminated texts.
TEST(LoadCheckedStrings, IStringBlocksHoldExactlyTheirTexts) {
  const std::vector<Case> cases = {
      {"one text", {0x40, 4, 0, 'a', 'b', 'c', 0}, {1}, 1, 7, "abc"},
      {"two texts with option flags", {0x01, 6, 0, 'a', 'b', 0, 'c', 'd', 0}, {1}, 2, 9, "ab"},
      {"two empty texts", {0x40, 2, 0, 0, 0}, {1}, 2, 5, ""},
      {"total beyond the bytes", {0x40, 5, 0, 'a', 'b', 'c', 0}, {1}, 1, 0, nullptr},
      {"last text unterminated", {0x40, 3, 0, 'a', 'b', 'c'}, {1}, 1, 0, nullptr},
      {"a text too many", {0x40, 4, 0, 'a', 0, 'c', 0}, {1}, 1, 0, nullptr},
      {"a text too few", {0x40, 4, 0, 'a', 0, 'c', 0}, {1}, 3, 0, nullptr},
      {"header cut", {0x40, 0}, {}, 1, 0, nullptr},
  };
  KsTypeMgr mgr;
  CheckCases(mgr, KsISTRING_T, cases);
  CheckCases(mgr, KsCASEISTRING_T, cases);
}

// A count far beyond what the bytes could hold is refused at once, without
// a walk over it and without wrapping the size.
TEST(LoadCheckedStrings, CountsThatCannotFitAreRefused) {
  KsTypeMgr mgr;
  KsTypeMgr legacy(0);
  const unsigned char record[] = {4, 0, 1, 7, 0, 0xFF};
  const unsigned char block[] = {0x40, 1, 0, 0};
  KsString strings[1];
  KsIString istrings[1];
  for (unsigned count : {2u, 0x40000001u, 0xFFFFFFFFu}) {
    EXPECT_EQ(mgr.LoadChecked(KsSTRING_T, strings, record, sizeof record, 1, count), 0u) << count;
    EXPECT_EQ(legacy.LoadChecked(KsSTRING_T, strings, record, sizeof record, 1, count), 0u) << count;
    EXPECT_EQ(mgr.LoadChecked(KsISTRING_T, istrings, block, sizeof block, 1, count), 0u) << count;
  }
}

// What each string descriptor stores, LoadChecked loads back from exactly
// those bytes, and refuses from every shorter prefix of them.
TEST(LoadCheckedStrings, StoredValuesLoadBackAndEveryPrefixIsRefused) {
  const unsigned short wide[] = {0x3042, 0x41, 0};
  const std::vector<KsString> texts = {KsString("first"), KsString(""), KsString(wide), KsString("x")};
  KsTypeMgr current;
  KsTypeMgr legacy(0);
  struct Target {
    const KsTypeMgr& mgr;
    char type;
  };
  for (const Target& t : {Target{current, KsSTRING_T}, Target{legacy, KsSTRING_T},
                          Target{current, KsISTRING_T}, Target{current, KsCASEISTRING_T}}) {
    const unsigned count = static_cast<unsigned>(texts.size());
    void* values = t.mgr.Create(t.type, count);
    for (unsigned i = 0; i < count; ++i) {
      KsString text = texts[i];
      t.mgr.ScanFromKsString(t.type, static_cast<char*>(values) + i * t.mgr.MemLenGet(t.type, 1), text,
                             nullptr, 1);
    }
    for (unsigned char format : {1, 2}) {
      const std::string where = std::string(t.mgr.NameGet(t.type)) + (&t.mgr == &legacy ? " (legacy)" : "") +
                                ", format " + std::to_string(format);
      Bytes stored(t.mgr.DiskLenGet(t.type, values, format, count, 8));
      ASSERT_EQ(t.mgr.Store(t.type, stored.data(), values, format, count), stored.size()) << where;
      void* loaded = t.mgr.Create(t.type, count);
      EXPECT_EQ(t.mgr.LoadChecked(t.type, loaded, stored.data(), static_cast<unsigned>(stored.size()), format,
                                  count),
                stored.size())
          << where;
      void* trusted = t.mgr.Create(t.type, count);
      EXPECT_EQ(t.mgr.Load(t.type, trusted, stored.data(), format, count), stored.size()) << where;
      EXPECT_EQ(t.mgr.Cmp(t.type, loaded, trusted, 0x100, count, 8), 0) << where;
      t.mgr.Delete(t.type, trusted, count);
      // The legacy block narrows 16-bit text into the 8-bit code set; the
      // other layouts keep every value.
      if (&t.mgr != &legacy) {
        EXPECT_EQ(t.mgr.Cmp(t.type, loaded, values, 0x100, count, 8), 0) << where;
      }
      for (size_t prefix = 0; prefix < stored.size(); ++prefix) {
        const Bytes cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(prefix));
        EXPECT_EQ(t.mgr.LoadChecked(t.type, loaded, cut.data(), static_cast<unsigned>(prefix), format, count),
                  0u)
            << where << ", " << prefix << " bytes";
      }
      t.mgr.Delete(t.type, loaded, count);
    }
    t.mgr.Delete(t.type, values, count);
  }
}

}  // namespace
