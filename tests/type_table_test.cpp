// The type tables: every row against the published table, the legacy table,
// reserved ids, and the slots that still point at the illegal functions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "basesvc.h"
#include "kstypemgr.h"
#include "kstypes/illegal_slots.h"
#include "kstypes/typedesc.h"

namespace {

struct Row {
  int id;
  const char* name;
  const char* typeIdName;
  const char* format;
  uint32_t sizeWord;
  bool hasNull;
};

// The table as users see it; string and blob sizes are this platform's.
const Row kRows[] = {
    {0, "o_char", "Ks1B_T", "%c", 0x00010001, false},
    {1, "o_2b", "Ks2B_T", "%hd", 0x00010002, false},
    {2, "o_4b", "Ks4B_T", "%ld", 0x00010004, false},
    {3, "o_double", "KsDOUBLE_T", "%.17g", 0x00010008, false},
    {4, "o_float", "KsFLOAT_T", "%.17g", 0x00010004, false},
    {5, "o_u2b", "KsU2B_T", "%hu", 0x00010002, false},
    {6, "o_u4b", "KsU4B_T", "%lu", 0x00010004, false},
    {7, "int", "KsINT_T", "%d", 0x00010004, false},
    {8, "unsigned", "KsUNSIGNED_T", "%u", 0x00010004, false},
    {9, "enum", "KsENUM_T", "%d", 0x00010004, false},
    {10, "o_u1b", "KsU1B_T", "%c", 0x00010001, false},
    {11, "KsString", "KsSTRING_T", "%s", 0x00000010, true},
    {12, "KsDate", "KsDATE_T", "%a %e.%b %Y", 0x00010004, true},
    {13, "KsTime", "KsTIME_T", "%I:%M:%S %p", 0x00010003, true},
    {14, "BlockId", "KsBLOCKID_T", "#%lu", 0x00010004, false},
    {15, "KsObjId", "KsOBJID_T", "(%H-%L#%B)", 0x0001000C, true},
    {16, "KsClassId", "KsCLID_T", "(%Cv%V)", 0x00010004, true},
    {17, "KsRef", "KsREF_T", "(%D:%H-%L#%B, %C)", 0x00010010, true},
    {18, "KsBlob", "KsBLOB_T", "[BLOB,len=%L]", 0x00000008, true},
    {19, "KsDateTime", "KsDATIME_T", "%a %e.%b %Y %I:%M:%S %p", 0x00010008, true},
    {20, "KsIString", "KsISTRING_T", "%s", 0x00000010, false},
    {21, "KsCaseIString", "KsCASEISTRING_T", "%s", 0x00000010, false},
    {22, "d_Date", "D_DATE_T", "%a %b %e", 0x00010004, false},
    {23, "d_Time", "D_TIME_T", "%I:%M:%S %p", 0x00010006, false},
    {24, "d_Timestamp", "D_TIMESTAMP_T", "%a %b %e %I:%M:%S %p", 0x0001000A, false},
    {25, "d_Interval", "D_INTERVAL_T", "%e days, %I hours, %M minutes, %S seconds", 0x00010004, false},
    {26, "KsInt64", "KsINT64_T", "%S", 0x00010008, false},
    {27, "KsBoolean", "KsBOOLEAN_T", "noop", 0x00010001, true},
    {28, "KsNull_char", "KsNULL_1B_T", "%c", 0x00010002, true},
    {29, "KsNull_uchar", "KsNULL_U1B_T", "%c", 0x00010002, true},
    {30, "KsNull_short", "KsNULL_2B_T", "%hd", 0x00010004, true},
    {31, "KsNull_ushort", "KsNULL_U2B_T", "%hu", 0x00010004, true},
    {32, "KsNull_int", "KsNULL_INT_T", "%d", 0x00010008, true},
    {33, "KsNull_unsigned", "KsNULL_UNSIGNED_T", "%u", 0x00010008, true},
    {34, "KsNull_long", "KsNULL_4B_T", "%ld", 0x00010008, true},
    {35, "KsNull_ulong", "KsNULL_U4B_T", "%lu", 0x00010008, true},
    {36, "KsNull_float", "KsNULL_FLOAT_T", "%.17g", 0x00010008, true},
    {37, "KsNull_double", "KsNULL_DOUBLE_T", "%.17g", 0x00010010, true},
    {38, "KsNull_KsInt64", "KsNULL_KSINT64_T", "%S", 0x0001000C, true},
    {39, "KsSeal", "KsSEAL_T", "noop", 0x00010006, false},
    {40, "KsDateTimeN", "KsDATIME_N_T", "%X", 0x0001000C, true},
    {41, "KsTimeSpan", "KsTIMESPAN_T", "%V", 0x0001000C, true},
    {42, "o_8b", "Ks8B_T", "%I64d", 0x00010008, false},
    {43, "o_u8b", "KsU8B_T", "%I64u", 0x00010008, false},
    {44, "KsNull_8b", "KsNULL_8B_T", "%I64d", 0x00010010, true},
    {45, "KsNull_u8b", "KsNULL_U8B_T", "%I64u", 0x00010010, true},
    {46, "illegal", "KsRES_T", "illegal", 0x00010000, false},
};
static_assert(std::size(kRows) == KS_TYPE_COUNT);

TEST(TypeTable, EveryRowMatchesThePublishedTable) {
  KsTypeMgr mgr;
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.name);
    const char id = static_cast<char>(row.id);
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[row.id];
    EXPECT_STREQ(d.name, row.name);
    EXPECT_STREQ(d.typeIdName, row.typeIdName);
    EXPECT_STREQ(d.format, row.format);
    EXPECT_EQ(d.sizeWord, row.sizeWord);
    EXPECT_EQ(d.reserved, 0u);
    EXPECT_EQ(mgr.SupportsNullValue(id), row.hasNull ? 1 : 0);
    EXPECT_EQ(mgr.MemLenGet(id, 1), row.sizeWord & 0xFFFF);
    EXPECT_EQ(mgr.IsFixed(id), row.sizeWord >> 16);
    char found = -1;
    EXPECT_EQ(mgr.Name2KsTypeId(row.name, found), 0);
    EXPECT_EQ(found, row.id);
  }
}

// Every slot that the dispatch calls is present in both tables.
TEST(TypeTable, NoCalledSlotIsEmpty) {
  for (auto* table : {KsCurrentTypeTable(), KsLegacyTypeTable()}) {
    const int size = table == KsLegacyTypeTable() ? KS_LEGACY_TYPE_COUNT : KS_TYPE_COUNT;
    for (int id = 0; id < size; ++id) {
      const KsTypeDescriptor& d = *table[id];
      SCOPED_TRACE(d.name);
      const void* slots[] = {
          reinterpret_cast<const void*>(d.create),
          reinterpret_cast<const void*>(d.destroy),
          reinterpret_cast<const void*>(d.store),
          reinterpret_cast<const void*>(d.load),
          reinterpret_cast<const void*>(d.nullSizeGet),
          reinterpret_cast<const void*>(d.sizeGet),
          reinterpret_cast<const void*>(d.sizeGetFromMemFile),
          reinterpret_cast<const void*>(d.compare),
          reinterpret_cast<const void*>(d.evalAndBound),
          reinterpret_cast<const void*>(d.hash),
          reinterpret_cast<const void*>(d.constructor),
          reinterpret_cast<const void*>(d.destructor),
          reinterpret_cast<const void*>(d.assignment),
          reinterpret_cast<const void*>(d.copy),
          reinterpret_cast<const void*>(d.translate),
          reinterpret_cast<const void*>(d.isNull),
          reinterpret_cast<const void*>(d.defaultValue),
          reinterpret_cast<const void*>(d.getValue),
      };
      for (const void* slot : slots) EXPECT_NE(slot, nullptr);
    }
  }
}

TEST(TypeTable, PrimitiveStorageSlotsAreFilledAtStartUp) {
  struct Expected {
    int id;
    KsStoreFunc store;
    KsLoadFunc load;
    KsNullSizeGetFunc nullSize;
    KsSizeGetFunc size;
  };
  const Expected expected[] = {
      {0, CharStore, CharStore, CharNullSizeGet, CharSizeGet},
      {10, CharStore, CharStore, CharNullSizeGet, CharSizeGet},
      {1, ShortStore, ShortStore, ShortNullSizeGet, ShortSizeGet},
      {5, ShortStore, ShortStore, ShortNullSizeGet, ShortSizeGet},
      {2, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
      {6, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
      {14, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
      {3, DoubleStore, DoubleStore, DoubleNullSizeGet, DoubleSizeGet},
      {4, FloatStore, FloatStore, FloatNullSizeGet, FloatSizeGet},
      {7, IntStore, IntLoad, IntNullSizeGet, IntSizeGet},
      {9, IntStore, IntLoad, IntNullSizeGet, IntSizeGet},
      {8, UnsignedStore, UnsignedLoad, IntNullSizeGet, IntSizeGet},
      {42, O_8BStore, O_8BStore, O_8BNullSizeGet, O_8BSizeGet},
      {43, O_8BStore, O_8BStore, O_8BNullSizeGet, O_8BSizeGet},
  };
  for (const Expected& e : expected) {
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[e.id];
    SCOPED_TRACE(d.name);
    EXPECT_EQ(d.store, e.store);
    EXPECT_EQ(d.load, e.load);
    EXPECT_EQ(d.nullSizeGet, e.nullSize);
    EXPECT_EQ(d.sizeGet, e.size);
  }
  const KsTypeDescriptor& interval = *KsCurrentTypeTable()[D_INTERVAL_T];
  EXPECT_EQ(interval.nullSizeGet, FloatNullSizeGet);
  EXPECT_EQ(interval.sizeGet, FloatSizeGet);
}

TEST(TypeTable, LegacyTableSharesAllButTheStringDescriptor) {
  for (int id = 0; id < KS_LEGACY_TYPE_COUNT; ++id) {
    if (id == KsSTRING_T) continue;
    EXPECT_EQ(KsLegacyTypeTable()[id], KsCurrentTypeTable()[id]) << id;
  }
  const KsTypeDescriptor& legacy = *KsLegacyTypeTable()[KsSTRING_T];
  const KsTypeDescriptor& current = *KsCurrentTypeTable()[KsSTRING_T];
  EXPECT_NE(&legacy, &current);
  EXPECT_STREQ(legacy.name, "KsString");
  EXPECT_STREQ(legacy.typeIdName, "KsSTRING_T");
  EXPECT_EQ(legacy.sizeWord, current.sizeWord);
  EXPECT_EQ(legacy.setNull, nullptr);
  int dummy = 0;
  EXPECT_EQ(legacy.isNull(&dummy), 0);
  EXPECT_EQ(legacy.getValue(&dummy, 1, 8, 'M'), KS_NOT_SUPPORTED);
}

TEST(TypeTable, IllegalDescriptorIsHarmless) {
  const KsTypeDescriptor& d = KsIllegalDescriptor();
  EXPECT_EQ(&d, KsCurrentTypeTable()[KsRES_T]);
  int status = 77;
  unsigned char bytes[8] = {};
  EXPECT_EQ(d.create(4), nullptr);
  EXPECT_EQ(d.destroy(bytes, 1), nullptr);
  EXPECT_EQ(d.store(bytes, bytes, 8, 1), 0u);
  EXPECT_EQ(d.compare(8, 0, bytes, 0, bytes, 0, 1, status), 0);
  EXPECT_EQ(d.hash(8, 0, bytes, 1, status), 0u);
  EXPECT_EQ(status, 77) << "compare and hash leave the status unwritten";
  unsigned short flags = 1;
  EXPECT_EQ(d.evalAndBound(nullptr, flags, bytes, 8, 1, nullptr), 0.0f);
  EXPECT_EQ(d.getValue(bytes, 1, 8, 'M'), KS_NOT_SUPPORTED);
  EXPECT_EQ(d.setNull, nullptr);
}

// The slots of each type that are not written yet still point at the
// illegal functions. This test prints them; the list shrinks as the type
// families are completed.
TEST(TypeTable, ListsSlotsNotYetBuilt) {
  const KsTypeDescriptor& ill = KsIllegalDescriptor();
  std::vector<std::string> pending;
  auto check = [&](const KsTypeDescriptor& d, const char* table) {
    auto note = [&](bool isIllegal, const char* slot) {
      if (isIllegal) pending.push_back(std::string(table) + " " + d.name + "." + slot);
    };
    note(d.create == ill.create, "Create");
    note(d.destroy == ill.destroy, "Delete");
    note(d.store == ill.store, "Store");
    note(d.load == ill.load, "Load");
    note(d.nullSizeGet == ill.nullSizeGet, "NullSizeGet");
    note(d.sizeGet == ill.sizeGet, "SizeGet");
    note(d.sizeGetFromMemFile == ill.sizeGetFromMemFile, "SizeGetFromMemFile");
    note(d.compare == ill.compare, "Compare");
    note(d.evalAndBound == ill.evalAndBound, "EvalAndBound");
    note(d.hash == ill.hash, "Hash");
    note(d.convertToKsString == ill.convertToKsString, "ConvertToKsString");
    note(d.convertFromKsString == ill.convertFromKsString, "ConvertFromKsString");
    note(d.constructor == ill.constructor, "Constructor");
    note(d.destructor == ill.destructor, "Destructor");
    note(d.assignment == ill.assignment, "Assignment");
    note(d.copy == ill.copy, "Copy");
    note(d.translate == ill.translate, "Translate");
    note(d.isNull == ill.isNull, "IsNull");
    note(d.setNull == ks::illegal::SetNullNotBuilt, "SetNull");
    note(d.printToString == ill.printToString, "PrintToString");
    note(d.scanFromString == ill.scanFromString, "ScanFromString");
    note(d.defaultValue == ill.defaultValue, "DefaultValue");
    note(d.getValue == ill.getValue, "GetValue");
  };
  for (int id = 0; id < KS_TYPE_COUNT; ++id) {
    if (id != KsRES_T) check(*KsCurrentTypeTable()[id], "current");
  }
  check(*KsLegacyTypeTable()[KsSTRING_T], "legacy");

  std::printf("%zu slots not yet built:\n", pending.size());
  for (const std::string& slot : pending) std::printf("  %s\n", slot.c_str());

  // The string rows are built, index evaluation included.
  std::vector<std::string> stringRows;
  for (const std::string& slot : pending) {
    if (slot.find("String.") != std::string::npos) stringRows.push_back(slot);
  }
  EXPECT_EQ(stringRows, std::vector<std::string>{});
  EXPECT_NE(KsLegacyTypeTable()[KsSTRING_T]->evalAndBound, KsCurrentTypeTable()[KsSTRING_T]->evalAndBound);

  // The nullable rows are built whole, their index evaluation included.
  for (int id : {28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 44, 45}) {
    const std::string row = std::string("current ") + KsCurrentTypeTable()[id]->name + ".";
    const auto unbuilt = std::count_if(pending.begin(), pending.end(),
                                       [&](const std::string& slot) { return slot.rfind(row, 0) == 0; });
    EXPECT_EQ(unbuilt, 0) << row;
  }

  // What is built stays built: the comparison, hash and generator slots of
  // the primitive layouts.
  for (int id : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 14, 42, 43}) {
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[id];
    EXPECT_NE(d.compare, ill.compare) << d.name;
    EXPECT_NE(d.hash, ill.hash) << d.name;
    EXPECT_NE(d.store, ill.store) << d.name;
    EXPECT_NE(d.create, ill.create) << d.name;
  }
  // Index range evaluators of the numeric, identity, boolean, blob, seal,
  // date and time rows.
  for (int id : {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16,
                 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 39, 40, 41, 42, 43}) {
    EXPECT_NE(KsCurrentTypeTable()[id]->evalAndBound, ill.evalAndBound) << KsCurrentTypeTable()[id]->name;
  }
}

// Every slot of the nine rows is built.
TEST(TypeTable, DateAndTimeRowsAreBuilt) {
  const KsTypeDescriptor& ill = KsIllegalDescriptor();
  for (int id : {12, 13, 19, 22, 23, 24, 25, 40, 41}) {
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[id];
    SCOPED_TRACE(d.name);
    EXPECT_NE(d.create, ill.create);
    EXPECT_NE(d.store, ill.store);
    EXPECT_NE(d.load, ill.load);
    EXPECT_NE(d.sizeGetFromMemFile, ill.sizeGetFromMemFile);
    EXPECT_NE(d.compare, ill.compare);
    EXPECT_NE(d.hash, ill.hash);
    EXPECT_NE(d.translate, ill.translate);
    EXPECT_NE(d.convertToKsString, ill.convertToKsString);
    EXPECT_NE(d.convertFromKsString, ill.convertFromKsString);
    EXPECT_NE(d.printToString, ill.printToString);
    EXPECT_NE(d.scanFromString, ill.scanFromString);
    EXPECT_NE(d.defaultValue, ill.defaultValue);
    EXPECT_NE(d.getValue, ill.getValue);
    EXPECT_NE(d.setNull, ks::illegal::SetNullNotBuilt);
    EXPECT_NE(d.evalAndBound, ill.evalAndBound);
  }
}

}  // namespace
