// KsBoolean and KsSeal: three-state order and text; the stamp's conversions,
// big-endian stored form, orders and hash.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ksboolean.h"
#include "ksobjid.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

KsBoolean Null() {
  KsBoolean b;
  b.SetNullValue();
  return b;
}

unsigned char ByteOf(const KsBoolean& b) {
  unsigned char byte;
  std::memcpy(&byte, &b, 1);
  return byte;
}

TEST(KsBooleanValue, OrderPutsNullBelowFalseBelowTrue) {
  const KsBoolean f(0), t(7), n = Null();
  EXPECT_EQ(ByteOf(t), 1);
  struct Case {
    KsBoolean a, b;
    int less, greater, equal;
  };
  const Case cases[] = {
      {n, f, 1, 0, 0}, {f, t, 1, 0, 0}, {n, t, 1, 0, 0}, {t, f, 0, 1, 0},
      {n, n, 0, 0, 1}, {f, n, 0, 1, 0}, {t, t, 0, 0, 1},
  };
  KsTypeMgr mgr;
  for (const Case& c : cases) {
    EXPECT_EQ(c.a < c.b, c.less);
    EXPECT_EQ(c.a > c.b, c.greater);
    EXPECT_EQ(c.a == c.b, c.equal);
    KsBoolean a = c.a, b = c.b;
    EXPECT_EQ(mgr.Cmp(KsBOOLEAN_T, &a, &b, 0, 1, 8), c.less ? -1 : c.greater);
  }
  EXPECT_EQ(n < 0, 1);
  EXPECT_EQ(n > 0, 0);
  EXPECT_EQ(n == 0, 0);
  EXPECT_EQ(f < 5, 1);
  EXPECT_EQ(t < 5, 0);
  EXPECT_EQ(t > 0, 1);
  EXPECT_EQ(t > 1, 0);
  EXPECT_EQ(t == 9, 1);
}

TEST(KsBooleanText, PrintsAndScans) {
  KsTypeMgr mgr;
  struct Print {
    KsBoolean value;
    const char* text;
  };
  for (const Print& p :
       {Print{KsBoolean(7), "TRUE"}, Print{KsBoolean(0), "FALSE"}, Print{Null(), "{NULL}"}}) {
    KsString out("old");
    KsBoolean value = p.value;
    mgr.PrintToKsString(KsBOOLEAN_T, out, &value);
    EXPECT_STREQ(out.StrGet(), p.text);
  }
  struct Scan {
    const char* text;
    int truth;  // 1 true, 0 false, -1 null
  };
  const Scan scans[] = {{"true", 1}, {"T", 1}, {"t", 1},  {"TRUE", 1},    {"1", 1},       {"true ", 0},
                        {"True", 0}, {"", 0},  {"no", 0}, {"{NULL}", -1}, {"{NULL}x", -1}};
  for (const Scan& s : scans) {
    KsBoolean value = Null();
    KsString text(s.text);
    mgr.ScanFromKsString(KsBOOLEAN_T, &value, text);
    EXPECT_EQ(value.IsNullValue(), s.truth < 0) << '"' << s.text << '"';
    if (s.truth >= 0) {
      EXPECT_EQ(ByteOf(value), s.truth) << '"' << s.text << '"';
    }
  }
}

TEST(KsBooleanSlots, StorageAndGenerator) {
  KsTypeMgr mgr;
  KsBoolean values[3] = {KsBoolean(1), KsBoolean(0), Null()};
  unsigned char stored[3];
  EXPECT_EQ(mgr.Store(KsBOOLEAN_T, stored, values, 2, 3), 3u);
  EXPECT_EQ(Bytes(stored, stored + 3), (Bytes{1, 0, 0xFF}));
  int status = -1;
  EXPECT_EQ(mgr.Hash(KsBOOLEAN_T, 0, values, 3, 8, status), (1u ^ 0u ^ 0xFFFFFFFFu) * 1103515245u);
  EXPECT_EQ(mgr.SetNullValue(KsBOOLEAN_T, &values[0]), 0);
  EXPECT_EQ(mgr.IsNullValue(KsBOOLEAN_T, &values[0]), 1);
  KsBoolean b(0);
  EXPECT_EQ(mgr.GetValue(KsBOOLEAN_T, &b, 1, 8, 'M'), 0);
  EXPECT_EQ(ByteOf(b), 1);
  EXPECT_EQ(mgr.GetValue(KsBOOLEAN_T, &b, 1, 8, 'N'), KS_NO_GREATER_VALUE);
  auto* created = static_cast<KsBoolean*>(mgr.Create(KsBOOLEAN_T, 2));
  EXPECT_EQ(ByteOf(created[1]), 0);
  mgr.Delete(KsBOOLEAN_T, created, 2);
}

// ---------------------------------------------------------------------------
// KsSeal

TEST(KsSealValue, ConvertsToAndFromIntegers) {
  KsSeal seal;
  seal.ConvertFrom(0x0001000200030004LL);
  EXPECT_EQ(seal.high, 0x0002);
  EXPECT_EQ(seal.middle, 0x0003);
  EXPECT_EQ(seal.low, 0x0004);
  long long number = 0;
  seal.ConvertTo(number);
  EXPECT_EQ(number, 0x000200030004LL);
  seal.ConvertFrom(KsInt64(-1));
  KsInt64 wide;
  seal.ConvertTo(wide);
  EXPECT_EQ(wide.Get8b(), 0xFFFFFFFFFFFFLL);
  seal.ConvertFrom(KsObjId(99, 2, 1));
  seal.ConvertTo(number);
  EXPECT_EQ(number, (1LL << 32) + 2);
  EXPECT_EQ(KsSeal(1, 0, 0) != KsSeal(0, 5, 0), 1);
  EXPECT_EQ(KsSeal(0, 0, 3) != KsSeal(0, 0, 9), -6);
  EXPECT_EQ(KsSeal(0, 0, 3) == KsSeal(0, 0, 3), 1);
}

TEST(KsSealValue, Text) {
  KsString out("n=");
  KsSeal(0, 1, 0).PrintToKsString(out);
  EXPECT_STREQ(out.StrGet(), "n=65536");
  struct Case {
    const char* text;
    long long stamp;
  };
  const Case cases[] = {{"abc", 0xFFFFFFFFFFFFLL}, {"", 0},
                        {"65536", 65536},          {"0x10", 16},
                        {"-1", 0xFFFFFFFFFFFFLL},  {"281474976710657", 1}};
  for (const Case& c : cases) {
    KsSeal seal(9, 9, 9);
    seal.ScanFromKsString(KsString(c.text));
    long long stamp;
    seal.ConvertTo(stamp);
    EXPECT_EQ(stamp, c.stamp) << '"' << c.text << '"';
  }
}

TEST(KsSealSlots, StoredFormIsBigEndianInEveryFormat) {
  KsTypeMgr mgr;
  KsSeal seal;
  seal.ConvertFrom(0x000102030405LL);
  for (unsigned char format : {1, 2}) {
    unsigned char stored[6];
    EXPECT_EQ(mgr.DiskLenGet(KsSEAL_T, &seal, format, 1), 6u);
    EXPECT_EQ(mgr.Store(KsSEAL_T, stored, &seal, format, 1), 6u);
    EXPECT_EQ(Bytes(stored, stored + 6), (Bytes{0, 1, 2, 3, 4, 5}));
    KsSeal back;
    EXPECT_EQ(mgr.Load(KsSEAL_T, &back, stored, format, 1), 6u);
    EXPECT_EQ(back == seal, 1);
  }
}

TEST(KsSealSlots, OrdersAndHashes) {
  KsTypeMgr mgr;
  KsSeal a(1, 0, 0), b(0, 0xFFFF, 0xFFFF);
  EXPECT_EQ(mgr.Cmp(KsSEAL_T, &a, &b, 0, 1, 8), 1);
  unsigned char sa[6], sb[6];
  mgr.Store(KsSEAL_T, sa, &a, 2, 1);
  mgr.Store(KsSEAL_T, sb, &b, 2, 1);
  EXPECT_EQ(mgr.Cmp(KsSEAL_T, sa, sb, 0, 1, 2), 1);
  EXPECT_EQ(mgr.Cmp(KsSEAL_T, sb, sa, 0, 1, 2), -1);
  int status = -1;
  const KsSeal c(0x0102, 0x0304, 0x0506);
  const unsigned word = 0x0102u ^ 0x0304u ^ 0x0506u;
  EXPECT_EQ(mgr.Hash(KsSEAL_T, 0, const_cast<KsSeal*>(&c), 1, 8, status), word * 1103515245u);
  unsigned char stored[6];
  mgr.Store(KsSEAL_T, stored, const_cast<KsSeal*>(&c), 2, 1);
  EXPECT_EQ(mgr.Hash(KsSEAL_T, 0, stored, 1, 2, status), word * 1103515245u);
  KsSeal two[2] = {c, c};
  EXPECT_EQ(mgr.Hash(KsSEAL_T, 6, two, 2, 8, status), word * 1103515245u);
  EXPECT_EQ(status, KS_ARRAY_EXHAUSTED);
  KsString out;
  mgr.PrintToKsString(KsSEAL_T, out, &a);
  EXPECT_STREQ(out.StrGet(), "4294967296");
}

}  // namespace
