// Object identities: stored bytes, orders with nulls, hashes, text forms,
// operators and the shared null ordering.
#include "ksobjid.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

#include "_ksnulty.h"
#include "basesvc.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"

namespace {

using Bytes = std::vector<unsigned char>;

template <class T>
Bytes Stored(char type, const T& value, unsigned char format) {
  KsTypeMgr mgr;
  Bytes bytes(mgr.DiskLenGet(type, nullptr, format, 1));
  EXPECT_EQ(mgr.Store(type, bytes.data(), const_cast<T*>(&value), format, 1), bytes.size());
  return bytes;
}

KsRef MakeRef(uint32_t b, uint32_t l, uint16_t h, uint16_t d, uint16_t c, uint16_t v) {
  KsRef ref;
  ref = KsObjId(b, l, h);
  ref = d;
  ref = KsClassId(c, v);
  return ref;
}

// Block, object low and high, database, class number and version.
std::array<unsigned, 6> Fields(const KsRef& r) {
  return {r.blockNumber, r.objectLow, r.objectHigh, r.databaseNumber, r.classNumber, r.classVersion};
}

template <class T>
std::string Printed(const T& value, const char* format = nullptr) {
  KsString out("old");
  value.PrintToKsString(out, format);
  return out.StrGet();
}

TEST(IdentityStorage, GoldenBytesInBothOrders) {
  const KsObjId id(0x01020304, 0x05060708, 0x090A);
  EXPECT_EQ(Stored(KsOBJID_T, id, 1), (Bytes{4, 3, 2, 1, 8, 7, 6, 5, 0x0A, 9}));
  EXPECT_EQ(Stored(KsOBJID_T, id, 2), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0x0A}));
  const KsClassId cls(0x0102, 0x0304);
  EXPECT_EQ(Stored(KsCLID_T, cls, 1), (Bytes{2, 1, 4, 3}));
  EXPECT_EQ(Stored(KsCLID_T, cls, 2), (Bytes{1, 2, 3, 4}));
  const KsRef ref = MakeRef(0x01020304, 0x05060708, 0x090A, 0x0B0C, 0x0D0E, 0x0F10);
  EXPECT_EQ(Stored(KsREF_T, ref, 1), (Bytes{4, 3, 2, 1, 8, 7, 6, 5, 0x0A, 9, 0x0C, 0x0B, 0x0E, 0x0D}));
  EXPECT_EQ(Stored(KsREF_T, ref, 2), (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E}));
}

TEST(IdentityStorage, LoadRestoresAllStoredFields) {
  KsTypeMgr mgr;
  const KsRef ref = MakeRef(7, 5, 1, 3, 9, 4);
  for (unsigned char format : {1, 2}) {
    Bytes bytes = Stored(KsREF_T, ref, format);
    KsRef loaded = MakeRef(1, 1, 1, 1, 1, 1);
    EXPECT_EQ(mgr.Load(KsREF_T, &loaded, bytes.data(), format, 1), 14u);
    EXPECT_EQ(Fields(loaded), (std::array<unsigned, 6>{7, 5, 1, 3, 9, 0})) << "the version is not stored";
  }
  EXPECT_EQ(mgr.DiskLenGet(KsOBJID_T, nullptr, 1, 3), 30u);
  EXPECT_EQ(mgr.DiskLenGet(KsCLID_T, nullptr, 1, 3), 12u);
  EXPECT_EQ(mgr.DiskLenGet(KsREF_T, nullptr, 1, 3), 42u);
}

TEST(IdentityOrder, ObjectIdentitiesInMemoryAndStored) {
  KsTypeMgr mgr;
  struct Case {
    KsObjId a, b;
    int memory, stored;
  };
  const Case cases[] = {
      {KsObjId(1, 5, 0), KsObjId(9, 5, 0), 0, 0},              // the block does not count
      {KsObjId(0, 5, 3), KsObjId(0, 9, 1), 2, 2},              // H difference / byte difference
      {KsObjId(0, 0xFFFFFFFF, 0), KsObjId(0, 1, 0), 1, 0xFF},  // L unsigned
      {KsObjId(0, 0x100, 0), KsObjId(0, 0x2FF, 0), -1, -1},
      {KsObjId(0, 0x1000000, 0), KsObjId(0, 0x4000000, 0), -1, -3},
  };
  for (const Case& c : cases) {
    KsObjId a = c.a, b = c.b;
    EXPECT_EQ(mgr.Cmp(KsOBJID_T, &a, &b, 0, 1, 8), c.memory);
    Bytes sa = Stored(KsOBJID_T, a, 1), sb = Stored(KsOBJID_T, b, 1);
    EXPECT_EQ(mgr.Cmp(KsOBJID_T, sa.data(), sb.data(), 0, 1, 1), c.stored);
  }
}

TEST(IdentityOrder, ReferencesOrderByDatabaseLastInMemoryFirstStored) {
  KsTypeMgr mgr;
  KsRef a = MakeRef(0, 9, 0, 1, 0, 0), b = MakeRef(0, 5, 0, 2, 0, 0);
  EXPECT_EQ(mgr.Cmp(KsREF_T, &a, &b, 0, 1, 8), 1);
  Bytes sa = Stored(KsREF_T, a, 1), sb = Stored(KsREF_T, b, 1);
  EXPECT_EQ(mgr.Cmp(KsREF_T, sa.data(), sb.data(), 0, 1, 1), -1);
  KsRef c = MakeRef(0, 5, 0, 2, 7, 7);
  EXPECT_EQ(mgr.Cmp(KsREF_T, &b, &c, 0, 1, 8), 0) << "the class does not count";
  EXPECT_EQ(b == c, 1);
  KsRef d = MakeRef(0, 5, 0, 3, 0, 0);
  EXPECT_EQ(b != d, -1);
}

TEST(IdentityOrder, ClassIdentitiesPutNullFirst) {
  KsTypeMgr mgr;
  const KsClassId null(0xFFFF, 0xFFFF);
  struct Case {
    KsClassId a, b;
    int expected;
  };
  // (0xFFFF, 1) is not null and orders by its fields.
  const Case cases[] = {{null, KsClassId(0, 0), -1},
                        {KsClassId(0, 0), null, 1},
                        {null, null, 0},
                        {KsClassId(3, 1), KsClassId(3, 2), -1},
                        {KsClassId(4, 0), KsClassId(3, 9), 1},
                        {KsClassId(0xFFFF, 1), KsClassId(3, 0), 1}};
  for (const Case& c : cases) {
    KsClassId a = c.a, b = c.b;
    EXPECT_EQ(a != b, c.expected);
    EXPECT_EQ(mgr.Cmp(KsCLID_T, &a, &b, 0, 1, 8), c.expected);
    Bytes sa = Stored(KsCLID_T, a, 1), sb = Stored(KsCLID_T, b, 1);
    const int stored = mgr.Cmp(KsCLID_T, sa.data(), sb.data(), 0, 1, 1);
    EXPECT_EQ(stored > 0, c.expected > 0);
    EXPECT_EQ(stored < 0, c.expected < 0);
  }
  EXPECT_EQ(KsClassId(1, 0) > null, 1);
  EXPECT_EQ(null > KsClassId(1, 0), 0);
}

TEST(IdentityOrder, ShortArraysReportExhaustion) {
  KsTypeMgr mgr;
  KsObjId a[2] = {KsObjId(0, 1, 0), KsObjId(0, 2, 0)};
  KsObjId b[2] = {KsObjId(0, 1, 0), KsObjId(0, 3, 0)};
  int status = -1;
  EXPECT_EQ(mgr.Cmp(KsOBJID_T, sizeof(KsObjId), a, 0, b, 0, 2, 8, status), 0);
  EXPECT_EQ(status, KS_ARRAY_EXHAUSTED);
  EXPECT_EQ(mgr.Cmp(KsOBJID_T, 0, a, 0, b, 0, 2, 8, status), -1);
  EXPECT_EQ(status, 0);
  // A stored length that cuts the second element short reads it zero-padded: its high part counts as 0.
  a[1] = KsObjId(0, 2, 9);
  b[1] = KsObjId(0, 2, 1);
  Bytes sa(20), sb(20);
  mgr.Store(KsOBJID_T, sa.data(), a, 1, 2);
  mgr.Store(KsOBJID_T, sb.data(), b, 1, 2);
  EXPECT_EQ(mgr.Cmp(KsOBJID_T, 20, sa.data(), 20, sb.data(), 0, 2, 1, status), 8);
  EXPECT_EQ(mgr.Cmp(KsOBJID_T, 18, sa.data(), 20, sb.data(), 0, 2, 1, status), -1);
  EXPECT_EQ(status, 0);
}

TEST(IdentityHash, FoldsFieldsAndIgnoresTheBlock) {
  KsTypeMgr mgr;
  int status = -1;
  KsObjId a(1, 0x10, 0x3), b(99, 0x10, 0x3);
  EXPECT_EQ(mgr.Hash(KsOBJID_T, 0, &a, 1, 8, status), (0x10u ^ 0x3u) * 1103515245u);
  EXPECT_EQ(mgr.Hash(KsOBJID_T, 0, &b, 1, 8, status), mgr.Hash(KsOBJID_T, 0, &a, 1, 8, status));
  KsClassId c(12, 2);
  EXPECT_EQ(mgr.Hash(KsCLID_T, 0, &c, 1, 8, status), (12u ^ 2u) * 1103515245u);
  KsRef r = MakeRef(5, 0x100, 0x2, 0x40, 8, 9);
  EXPECT_EQ(mgr.Hash(KsREF_T, 0, &r, 1, 8, status), (0x100u ^ 0x2u ^ 0x40u) * 1103515245u);
  // Stored little-endian, the same value hashes alike.
  Bytes stored = Stored(KsREF_T, r, 1);
  EXPECT_EQ(mgr.Hash(KsREF_T, 0, stored.data(), 1, 1, status), mgr.Hash(KsREF_T, 0, &r, 1, 8, status));
  KsObjId two[2] = {a, a};
  EXPECT_EQ(mgr.Hash(KsOBJID_T, 0, two, 2, 8, status), 0u);
}

TEST(IdentityOperators, StepsThroughTheObjectNumber) {
  KsObjId id(7, 0xFFFFFFFF, 0);
  ++id;
  EXPECT_EQ(id.objectLow, 0u);
  EXPECT_EQ(id.objectHigh, 1);
  id += -1;
  EXPECT_EQ(id.objectLow, 0xFFFFFFFFu);
  EXPECT_EQ(id.objectHigh, 0);
  --id;
  EXPECT_EQ(id.objectLow, 0xFFFFFFFEu);
  EXPECT_EQ(id.blockNumber, 7u);
  id.SetHighestValue();
  EXPECT_EQ(id.objectHigh, 0xFFFF);
  EXPECT_EQ(id.blockNumber, 0u);

  KsTypeMgr mgr;
  EXPECT_EQ(mgr.GetValue(KsOBJID_T, &id, 1, 8, 'M'), KS_NO_GREATER_VALUE);
  KsRef ref = MakeRef(0, 0xFFFFFFFF, 4, 1, 2, 3);
  EXPECT_EQ(mgr.GetValue(KsREF_T, &ref, 1, 8, 'N'), 0);
  EXPECT_EQ(ref.objectHigh, 5);
  EXPECT_EQ(ref.objectLow, 0u);
  EXPECT_EQ(ref.databaseNumber, 1);
}

TEST(IdentityOperators, ValidityTests) {
  struct Case {
    uint32_t low;
    uint16_t database, classNumber;
    unsigned short valid, validOrigin;
  };
  const Case cases[] = {
      {5, 1, 3, 1, 1}, {0, 1, 3, 0, 0}, {5, 1, 0, 0, 0}, {5, 0xFFFF, 3, 0, 1}, {5, 0xFFFF, 0, 0, 1}};
  for (const Case& c : cases) {
    const KsRef ref = MakeRef(0, c.low, 0, c.database, c.classNumber, 0);
    EXPECT_EQ(ref.IsValid(), c.valid);
    EXPECT_EQ(ref.IsInvalid(), !c.valid);
    EXPECT_EQ(ref.IsValidOriginId(), c.validOrigin);
    EXPECT_EQ(ref.IsInvalidOriginId(), !c.validOrigin);
  }
}

TEST(IdentityOperators, LocalReferencesIgnoreTheDatabase) {
  KsLocalRef local;
  local = MakeRef(7, 5, 1, 9, 3, 2);
  const KsRef asRef = local.Ref();
  EXPECT_EQ(asRef.databaseNumber, 0);
  EXPECT_EQ(asRef.classNumber, 3);
  EXPECT_EQ(local == MakeRef(0, 5, 1, 0, 0, 0), 1);
  EXPECT_EQ(local == MakeRef(0, 5, 1, 4, 0, 0), 0);
  EXPECT_EQ(local != MakeRef(0, 5, 1, 4, 0, 0), -1);
  EXPECT_EQ(local != MakeRef(0, 6, 1, 0, 0, 0), -1);
  KsRef ref = MakeRef(1, 1, 1, 8, 1, 1);
  ref = local;
  EXPECT_EQ(ref.databaseNumber, 0);
  EXPECT_EQ(ref.blockNumber, 7u);
  EXPECT_EQ(Printed(local), "(1-5#7,3)");
}

TEST(IdentityText, PrintsDirectivesAndPositions) {
  struct Case {
    std::string printed, expected;
  };
  const KsObjId id(7, 5, 0);
  const Case cases[] = {
      {Printed(id), "(0-5#7)"},
      {Printed(id, "%hu-%lu#%lu"), "0-5#7"},
      {Printed(id, "%lu %hu"), "0 0"},  // positions of the wrong kind print 0
      {Printed(id, "100%% %D%"), "100% D"},
      {Printed(MakeRef(7, 5, 0, 1, 3, 2)), "(1:0-5#7, 3)"},
      {Printed(MakeRef(7, 5, 0, 1, 3, 2), "%hu,%hu,%lu,%lu,%hu,%hu"), "1,0,5,7,3,0"},
      {Printed(KsClassId(12, 2)), "(12v2)"},
      {Printed(KsClassId(12, 2), "%hu.%hu %lu"), "12.2 lu"},
      {Printed(KsObjId(3, 0, 0)), "{NULL}"},
      {Printed(KsClassId(0xFFFF, 0xFFFF)), "{NULL}"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.printed, c.expected);
  KsString out;
  KsRef::PrintToString(out, MakeRef(7, 5, 0, 1, 3, 2), nullptr);
  EXPECT_STREQ(out.StrGet(), "(1:0-5#7,3v2)");
}

TEST(IdentityText, ScansObjectIdentities) {
  struct Case {
    const char* text;
    const char* format;
    uint32_t block, low;
    uint16_t high;
  };
  const Case cases[] = {
      {"(0-5#7)", nullptr, 7, 5, 0}, {"(2-5#7)", nullptr, 7, 5, 2},
      {"5#7", nullptr, 7, 5, 0},  // no high part: the format goes on after its '-'
      {"(1-2", nullptr, 0, 2, 1},    {"0-5#7", "%hu-%lu#%lu", 7, 5, 0},
      {"xx", nullptr, 0, 0, 0},      {"{NULL}", nullptr, 0, 0, 0},
  };
  for (const Case& c : cases) {
    KsObjId id(1, 1, 1);
    id.ScanFromKsString(KsString(c.text), c.format);
    EXPECT_EQ(std::tuple(id.blockNumber, id.objectLow, id.objectHigh), std::tuple(c.block, c.low, c.high))
        << c.text;
  }
}

TEST(IdentityText, ScansReferencesAndClassIdentities) {
  KsRef ref = MakeRef(1, 1, 1, 1, 1, 9);
  ref.ScanFromKsString(KsString("(1:0-5#7, 3)"));
  EXPECT_EQ(Fields(ref), (std::array<unsigned, 6>{7, 5, 0, 1, 3, 0}));
  ref.ScanFromKsString(KsString("  ((2:0-6#8,4"));
  EXPECT_EQ(ref.databaseNumber, 2);
  EXPECT_EQ(ref.classNumber, 4);

  KsRef null = MakeRef(1, 1, 1, 6, 5, 4);
  null.ScanFromKsString(KsString("{NULL} and more"));
  EXPECT_EQ(null.objectLow, 0u);
  EXPECT_EQ(null.blockNumber, 0u);
  EXPECT_EQ(null.databaseNumber, 6) << "other fields keep their content";

  KsClassId cls;
  cls.ScanFromKsString(KsString("(12v2)"));
  EXPECT_EQ(cls.classNumber, 12);
  EXPECT_EQ(cls.classVersion, 2);
  cls.ScanFromKsString(KsString("[12x2]"));  // every format character consumes one
  EXPECT_EQ(cls.classVersion, 2);
  cls.ScanFromKsString(KsString("{NULL}"));
  EXPECT_EQ(cls.IsNullValue(), 1);
  EXPECT_EQ(KsClassId::ScanFromString(nullptr, KsString("(1v1)"), nullptr), nullptr);

  KsLocalRef local;
  local.ScanFromKsString(KsString("(0-5#7,3)"));
  EXPECT_EQ(local.objectLow, 5u);
  EXPECT_EQ(local.classNumber, 3);
}

TEST(IdentitySlots, ConversionRecordsCarryNulls) {
  KsTypeMgr mgr;
  KsClassId values[2] = {KsClassId(12, 2), KsClassId(0xFFFF, 0xFFFF)};
  KsTypeConvertData* record = mgr.ConvertTo(KsCLID_T, values, 2);
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->GetString(0)->StrGet(), "(12v2)");
  EXPECT_EQ(record->GetString(1)->IsNullValue(), 1);
  auto* back = static_cast<KsClassId*>(mgr.ConvertFrom(KsCLID_T, record, 3));
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back[0] == values[0], 1);
  EXPECT_EQ(back[1].IsNullValue(), 1);
  EXPECT_EQ(back[2].IsNullValue(), 1) << "a missing text gives the null value";
  mgr.Delete(KsCLID_T, back, 3);
  delete record;

  auto* created = static_cast<KsClassId*>(mgr.Create(KsCLID_T, 1));
  EXPECT_EQ(created->classNumber, 0);
  EXPECT_EQ(created->IsNullValue(), 0);
  mgr.Delete(KsCLID_T, created, 1);
  auto* nulls = static_cast<KsObjId*>(mgr.DefaultValue(KsOBJID_T, 2, 1));
  EXPECT_EQ(nulls[1].IsNullValue(), 1);
  mgr.Delete(KsOBJID_T, nulls, 2);
}

std::vector<std::string> gNullReports;
void RecordNullReport(const char* text, const char* source, int line) {
  gNullReports.push_back(std::string(text) + "@" + source + ":" + std::to_string(line));
}

TEST(NullOrdering, OrdersNullsAndReportsAnUnknownPair) {
  EXPECT_EQ(KsNullOrder(KsNullRelation(true, true)), 0);
  EXPECT_EQ(KsNullOrder(KsNullRelation(true, false)), -1);
  EXPECT_EQ(KsNullOrder(KsNullRelation(false, true)), 1);
  EXPECT_EQ(KsNullRelation(false, false), KsNullTy::unknown);
  const KsAssertHandler previous = KsSetAssertHandler(RecordNullReport);
  gNullReports.clear();
  EXPECT_EQ(KsNullOrder(KsNullTy::unknown), 0);
  KsSetAssertHandler(previous);
  EXPECT_EQ(gNullReports, std::vector<std::string>{"nr != unknown@kscore/inc/_ksnulty:168"});
}

}  // namespace
