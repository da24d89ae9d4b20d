// The type tables: every row against the published table, the legacy table,
// reserved ids, and the slots that still point at the illegal functions.
#include <gtest/gtest.h>

#include <cstdint>
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
  auto p = [](auto slot) { return reinterpret_cast<const void*>(slot); };
  for (auto* table : {KsCurrentTypeTable(), KsLegacyTypeTable()}) {
    const int size = table == KsLegacyTypeTable() ? KS_LEGACY_TYPE_COUNT : KS_TYPE_COUNT;
    for (int id = 0; id < size; ++id) {
      const KsTypeDescriptor& d = *table[id];
      SCOPED_TRACE(d.name);
      const void* slots[] = {p(d.create),
                             p(d.destroy),
                             p(d.store),
                             p(d.load),
                             p(d.nullSizeGet),
                             p(d.sizeGet),
                             p(d.sizeGetFromMemFile),
                             p(d.compare),
                             p(d.evalAndBound),
                             p(d.hash),
                             p(d.constructor),
                             p(d.destructor),
                             p(d.assignment),
                             p(d.copy),
                             p(d.translate),
                             p(d.isNull),
                             p(d.defaultValue),
                             p(d.getValue)};
      for (const void* slot : slots) EXPECT_NE(slot, nullptr);
    }
  }
}

TEST(TypeTable, PrimitiveStorageSlotsAreFilledAtStartUp) {
  struct Expected {
    std::vector<int> ids;
    KsStoreFunc store;
    KsLoadFunc load;
    KsNullSizeGetFunc nullSize;
    KsSizeGetFunc size;
  };
  const Expected expected[] = {
      {{0, 10}, CharStore, CharStore, CharNullSizeGet, CharSizeGet},
      {{1, 5}, ShortStore, ShortStore, ShortNullSizeGet, ShortSizeGet},
      {{2, 6, 14}, LongStore, LongStore, LongNullSizeGet, LongSizeGet},
      {{3}, DoubleStore, DoubleStore, DoubleNullSizeGet, DoubleSizeGet},
      {{4}, FloatStore, FloatStore, FloatNullSizeGet, FloatSizeGet},
      {{7, 9}, IntStore, IntLoad, IntNullSizeGet, IntSizeGet},
      {{8}, UnsignedStore, UnsignedLoad, IntNullSizeGet, IntSizeGet},
      {{42, 43}, O_8BStore, O_8BStore, O_8BNullSizeGet, O_8BSizeGet},
  };
  for (const Expected& e : expected) {
    for (int id : e.ids) {
      const KsTypeDescriptor& d = *KsCurrentTypeTable()[id];
      SCOPED_TRACE(d.name);
      EXPECT_EQ(d.store, e.store);
      EXPECT_EQ(d.load, e.load);
      EXPECT_EQ(d.nullSizeGet, e.nullSize);
      EXPECT_EQ(d.sizeGet, e.size);
    }
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

// The slots of a descriptor that still point at the illegal functions.
std::vector<std::string> Unbuilt(const KsTypeDescriptor& d) {
  const KsTypeDescriptor& ill = KsIllegalDescriptor();
  const std::pair<bool, const char*> slots[] = {
      {d.create == ill.create, "Create"},
      {d.destroy == ill.destroy, "Delete"},
      {d.store == ill.store, "Store"},
      {d.load == ill.load, "Load"},
      {d.nullSizeGet == ill.nullSizeGet, "NullSizeGet"},
      {d.sizeGet == ill.sizeGet, "SizeGet"},
      {d.sizeGetFromMemFile == ill.sizeGetFromMemFile, "SizeGetFromMemFile"},
      {d.compare == ill.compare, "Compare"},
      {d.evalAndBound == ill.evalAndBound, "EvalAndBound"},
      {d.hash == ill.hash, "Hash"},
      {d.convertToKsString == ill.convertToKsString, "ConvertToKsString"},
      {d.convertFromKsString == ill.convertFromKsString, "ConvertFromKsString"},
      {d.constructor == ill.constructor, "Constructor"},
      {d.destructor == ill.destructor, "Destructor"},
      {d.assignment == ill.assignment, "Assignment"},
      {d.copy == ill.copy, "Copy"},
      {d.translate == ill.translate, "Translate"},
      {d.isNull == ill.isNull, "IsNull"},
      {d.setNull == ks::illegal::SetNullNotBuilt, "SetNull"},
      {d.printToString == ill.printToString, "PrintToString"},
      {d.scanFromString == ill.scanFromString, "ScanFromString"},
      {d.defaultValue == ill.defaultValue, "DefaultValue"},
      {d.getValue == ill.getValue, "GetValue"}};
  std::vector<std::string> unbuilt;
  for (const auto& [isIllegal, slot] : slots) {
    if (isIllegal) unbuilt.push_back(slot);
  }
  return unbuilt;
}

// Every family is complete: no row of either table keeps an illegal slot.
TEST(TypeTable, EverySlotIsBuilt) {
  for (int id = 0; id < KS_TYPE_COUNT; ++id) {
    if (id == KsRES_T) continue;
    EXPECT_EQ(Unbuilt(*KsCurrentTypeTable()[id]), std::vector<std::string>{}) << id;
  }
  EXPECT_EQ(Unbuilt(*KsLegacyTypeTable()[KsSTRING_T]), std::vector<std::string>{});
  EXPECT_NE(KsLegacyTypeTable()[KsSTRING_T]->evalAndBound, KsCurrentTypeTable()[KsSTRING_T]->evalAndBound);
}

}  // namespace
