// Printing a KsString whose code set holds 16-bit units (other than the
// Unicode and order-key code sets, which print through their own paths): the
// text is formatted as its bytes and the result keeps the code set, so the
// result has as many units as the formatted bytes hold, never more.
#include <gtest/gtest.h>

#include <vector>

#include "ksstring.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

TEST(StringPrintWide, FormatsTheBytesAndKeepsTheCodeSet) {
  struct Case {
    const char* format;
    Bytes printed;  // the printed value's stored record, least significant byte first
  };
  const Case cases[] = {
      {nullptr, {10, 0, 230, 7, 'A', 0, 'B', 0, 0x42, 0x30, 0, 0xFF}},
      {"%s", {10, 0, 230, 7, 'A', 0, 'B', 0, 0x42, 0x30, 0, 0xFF}},
      // A precision counts bytes: two bytes are one unit.
      {"%.2s", {6, 0, 230, 7, 'A', 0, 0, 0xFF}},
      // Three bytes hold one unit; the odd byte is dropped.
      {"%.3s", {6, 0, 230, 7, 'A', 0, 0, 0xFF}},
  };
  // Code set 230, language 7: the units A, B and U+3042.
  Bytes record = {10, 0, 230, 7, 'A', 0, 'B', 0, 0x42, 0x30, 0, 0xFF};
  KsTypeMgr mgr;
  KsString value;
  ASSERT_EQ(mgr.Load(KsSTRING_T, &value, record.data(), 1, 1), record.size());
  for (const Case& c : cases) {
    KsString printed;
    mgr.PrintToKsString(KsSTRING_T, printed, &value, c.format);
    Bytes stored(mgr.DiskLenGet(KsSTRING_T, &printed, 1, 1, 8));
    ASSERT_EQ(mgr.Store(KsSTRING_T, stored.data(), &printed, 1, 1), c.printed.size())
        << (c.format ? c.format : "default");
    EXPECT_EQ(stored, c.printed) << (c.format ? c.format : "default");
  }
}

}  // namespace
