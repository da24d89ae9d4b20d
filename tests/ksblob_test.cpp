// KsBlob: editing, the reuse rule, orders in memory and stored, the stored
// form with its totals and the loader's answer to malformed forms.
#include "ksblob.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "basesvc.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

KsBlob Of(const std::string& bytes) {
  return KsBlob(bytes.data(), static_cast<int>(bytes.size()));
}
std::string Content(const KsBlob& blob) {
  return std::string(reinterpret_cast<const char*>(blob.Data()), static_cast<size_t>(blob.Length()));
}
KsBlob Null() {
  KsBlob blob;
  blob.SetNullValue();
  return blob;
}

TEST(KsBlobValue, EmptyIsNotNull) {
  KsBlob blob;
  EXPECT_EQ(blob.IsNullValue(), 0);
  EXPECT_EQ(blob.Length(), 0);
  EXPECT_EQ(blob.SetNullValue(), 0);
  EXPECT_EQ(blob.IsNullValue(), 1);
  KsBlob copy(blob);
  EXPECT_EQ(copy.IsNullValue(), 1);
  EXPECT_EQ(KsBlob("ab").Length(), 3) << "the terminating zero is copied";
}

TEST(KsBlobValue, Editing) {
  KsBlob blob = Of("hello");
  blob.Cut(2, 100);
  EXPECT_EQ(Content(blob), "he");
  blob = Of("hello");
  blob.Cut(1, 2);
  EXPECT_EQ(Content(blob), "hlo");
  blob.Cut(0, blob.Length());
  EXPECT_EQ(blob.IsNullValue(), 0);
  EXPECT_EQ(blob.Length(), 0);
  blob.Append("ab", 2).Append(Of("cd"));
  EXPECT_EQ(Content(blob), "abcd");
  blob += blob;
  EXPECT_EQ(Content(blob), "abcdabcd");
  blob.Expand(3);
  EXPECT_EQ(Content(blob), "abc");
  blob.Resize(2);
  EXPECT_EQ(Content(blob), "ab");
  blob.Resize(0);
  EXPECT_EQ(blob.Length(), 0);
  KsBlob null = Null();
  null.Append("xy", 2);
  EXPECT_EQ(Content(null), "xy");

  KsBlob target = Of("000000");
  target.CopyTo(Of("abc"), 4, 10);
  EXPECT_EQ(Content(target), "0000ab") << "clipped to the target's end";
  EXPECT_EQ(Content(Of("abcdef").CopyFrom(2, 3)), "cde");
  EXPECT_EQ(Content(Of("abcdef").CopyFrom(4, 30)), "ef");
  EXPECT_EQ(Of("abc").CopyFrom(5, 1).Length(), 0);

  KsBlob from = Of("xyz"), to = Of("q");
  to.Destroy(from);
  EXPECT_EQ(Content(to), "xyz");
  EXPECT_EQ(from.IsNullValue(), 0);
  EXPECT_EQ(from.Length(), 0);
}

TEST(KsBlobValue, ReplacingKeepsABufferWithin128Bytes) {
  const std::string hundred(100, 'a'), sixty(60, 'b'), threeHundred(300, 'c');
  KsBlob blob = Of(hundred);
  const unsigned char* before = blob.Data();
  blob = Of(sixty);
  EXPECT_EQ(blob.Data(), before);
  EXPECT_EQ(Content(blob), sixty);
  blob = Of(threeHundred);
  EXPECT_EQ(Content(blob), threeHundred);
  const unsigned char* big = blob.Data();
  blob = Of("tiny");  // 296 bytes shorter: a new buffer
  EXPECT_NE(blob.Data(), big);
}

TEST(KsBlobValue, QueriesAndOrder) {
  const KsBlob abc = Of("abcabc");
  EXPECT_EQ(abc.Search(Of("ca")), 2);
  EXPECT_EQ(abc.Search(Of("abcabcd")), 65535);
  EXPECT_EQ(abc.Search(KsBlob()), 0);
  EXPECT_EQ(Null().Search(Of("a")), 65535);
  EXPECT_EQ(abc.Seek(2, 4), abc.Data() + 2);
  EXPECT_EQ(abc.Seek(2, 5), nullptr);
  EXPECT_EQ(abc.Seek(1, 0), nullptr);
  EXPECT_EQ(int(Of(std::string("42", 3))), 42);
  EXPECT_EQ(double(Of("2.5")), 2.5);
  EXPECT_EQ(short(Null()), 0);

  struct Case {
    KsBlob a, b;
    int expected;
  };
  const std::string one("\x01", 1), oneTwo("\x01\x02", 2), oneTwoZero("\x01\x02\x00", 3);
  const Case cases[] = {
      {Null(), KsBlob(), -2},           {KsBlob(), Null(), 2},    {Null(), Null(), 0},
      {Of(oneTwo), Of(oneTwoZero), -1}, {Of(oneTwo), Of(one), 1}, {Of("\xff"), Of("\x01"), 1},
      {Of("ab"), Of("ab"), 0},
  };
  KsTypeMgr mgr;
  for (const Case& c : cases) {
    EXPECT_EQ(c.a != c.b, c.expected);
    EXPECT_EQ(c.a == c.b, c.expected == 0);
    KsBlob pair[2] = {c.a, c.b};
    EXPECT_EQ(mgr.Cmp(KsBLOB_T, &pair[0], &pair[1], 0, 1, 8), c.expected);
    for (unsigned char format : {1, 2}) {
      Bytes first(mgr.DiskLenGet(KsBLOB_T, &pair[0], format, 1)),
          second(mgr.DiskLenGet(KsBLOB_T, &pair[1], format, 1));
      mgr.Store(KsBLOB_T, first.data(), &pair[0], format, 1);
      mgr.Store(KsBLOB_T, second.data(), &pair[1], format, 1);
      EXPECT_EQ(mgr.Cmp(KsBLOB_T, first.data(), second.data(), 0, 1, format), c.expected);
    }
  }
}

TEST(KsBlobStorage, GoldenBytesAndTotals) {
  KsTypeMgr mgr;
  KsBlob blobs[3] = {Of("abc"), KsBlob(), Null()};
  struct Case {
    unsigned char format;
    Bytes bytes;
  };
  const Case cases[] = {
      {1, {15, 0, 0, 0, 3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
      {2, {0, 0, 0, 15, 0, 0, 0, 3, 'a', 'b', 'c', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(mgr.DiskLenGet(KsBLOB_T, blobs, c.format, 3), 19u);
    Bytes stored(19);
    EXPECT_EQ(mgr.Store(KsBLOB_T, stored.data(), blobs, c.format, 3), 19u);
    EXPECT_EQ(stored, c.bytes);
    EXPECT_EQ(mgr.DiskLenGet(KsBLOB_T, stored.data(), c.format, 3, c.format), 19u);
    MemFile file(stored.data(), 19);
    EXPECT_EQ(mgr.DiskLenGetFromMemFile(KsBLOB_T, &file, c.format, 3), 19u);
    KsBlob loaded[3] = {Null(), Of("old"), Of("x")};
    EXPECT_EQ(mgr.Load(KsBLOB_T, loaded, stored.data(), c.format, 3), 19u);
    EXPECT_EQ(Content(loaded[0]), "abc");
    EXPECT_EQ(loaded[1].IsNullValue(), 0);
    EXPECT_EQ(loaded[1].Length(), 0);
    EXPECT_EQ(loaded[2].IsNullValue(), 1);
  }
  KsBlob two[2] = {Of("abc"), KsBlob()};
  EXPECT_EQ(mgr.DiskLenGet(KsBLOB_T, two, 1, 2), 15u) << "total 11: 4 + 3 + 4 + 0";
  KsBlob null = Null();
  Bytes stored(8);
  mgr.Store(KsBLOB_T, stored.data(), &null, 1, 1);
  EXPECT_EQ(stored, (Bytes{4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
}

// The stored total is a signed 32-bit field. Sizes beyond it used to wrap,
// so a caller sized its buffer by a small number and Store wrote gigabytes
// past it. The blobs below own buffers that are never touched, so the pages
// are only reserved, not used.
TEST(KsBlobStorage, TotalsBeyondTheStoredFieldAreRefusedNotWrapped) {
  KsTypeMgr mgr;
  struct Case {
    const char* what;
    std::vector<int> lengths;
    unsigned diskLen;  // 0: refused
  };
  const Case cases[] = {
      {"largest storable total", {INT32_MAX - 4}, 4u + INT32_MAX},
      {"one byte more", {INT32_MAX - 3}, 0},
      {"two blobs of INT_MAX bytes", {INT32_MAX, INT32_MAX}, 0},
      {"two blobs of 1,200 MiB", {1200 << 20, 1200 << 20}, 0},
  };
  for (const Case& c : cases) {
    std::vector<KsBlob> blobs;
    blobs.reserve(c.lengths.size());  // a copy would touch every byte
    for (int length : c.lengths) blobs.emplace_back(length);
    for (const KsBlob& blob : blobs) ASSERT_EQ(blob.Length(), c.lengths[&blob - blobs.data()]) << c.what;
    const auto count = static_cast<unsigned>(blobs.size());
    for (unsigned char format : {1, 2}) {
      EXPECT_EQ(mgr.DiskLenGet(KsBLOB_T, blobs.data(), format, count), c.diskLen) << c.what;
      if (c.diskLen != 0) continue;
      Bytes guard(16, 0xAB);
      EXPECT_EQ(mgr.Store(KsBLOB_T, guard.data(), blobs.data(), format, count), 0u) << c.what;
      EXPECT_EQ(guard, Bytes(16, 0xAB)) << c.what << ": nothing is written";
    }
  }
}

TEST(KsBlobStorage, MalformedFormsLoadNothingFurther) {
  KsTypeMgr mgr;
  struct Case {
    const char* what;
    Bytes bytes;
  };
  const Case cases[] = {
      {"negative total", {0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
      {"length below -1", {8, 0, 0, 0, 1, 0, 0, 0, 'z', 0xFE, 0xFF, 0xFF}},
      {"length beyond the total", {9, 0, 0, 0, 1, 0, 0, 0, 'z', 9, 0, 0, 0}},
      {"no room for a length", {6, 0, 0, 0, 1, 0, 0, 0, 'z', 0}},
  };
  for (const Case& c : cases) {
    KsBlob loaded[2] = {Of("keep0"), Of("keep1")};
    EXPECT_EQ(mgr.Load(KsBLOB_T, loaded, const_cast<unsigned char*>(c.bytes.data()), 1, 2), 0u) << c.what;
    if (c.bytes[0] != 0xFE) {
      EXPECT_EQ(Content(loaded[0]), "z") << c.what << ": blobs before the fault keep what they loaded";
    }
    EXPECT_EQ(Content(loaded[1]), "keep1") << c.what;
  }
}

TEST(KsBlobSlots, HashPrintScan) {
  KsTypeMgr mgr;
  int status = -1;
  KsBlob blobs[2] = {Of("abcde"), Null()};
  EXPECT_EQ(mgr.Hash(KsBLOB_T, 0, blobs, 2, 8, status), 5u * 1103515245u);
  EXPECT_EQ(status, 0);
  KsString out("x");
  mgr.PrintToKsString(KsBLOB_T, out, &blobs[0]);
  EXPECT_STREQ(out.StrGet(), "x[BLOB,len=5]");
  mgr.PrintToKsString(KsBLOB_T, out, &blobs[0], "%L%%%q");
  EXPECT_STREQ(out.StrGet(), "x[BLOB,len=5]5%q");
  mgr.PrintToKsString(KsBLOB_T, out, &blobs[1]);
  EXPECT_STREQ(out.StrGet(), "{NULL}");
  KsString text("{NULL}...");
  mgr.ScanFromKsString(KsBLOB_T, &blobs[0], text);
  EXPECT_EQ(blobs[0].IsNullValue(), 1);
  KsBlob kept = Of("ab");
  KsString other("[BLOB,len=9]");
  mgr.ScanFromKsString(KsBLOB_T, &kept, other);
  EXPECT_EQ(Content(kept), "ab");
  auto* nulls = static_cast<KsBlob*>(mgr.DefaultValue(KsBLOB_T, 2, 1));
  EXPECT_EQ(nulls[0].IsNullValue(), 1);
  mgr.Delete(KsBLOB_T, nulls, 2);
}

}  // namespace
