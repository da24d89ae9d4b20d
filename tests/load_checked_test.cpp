// KsTypeMgr::LoadChecked: stored records that would run past the bytes given
// are refused before anything is loaded; records that fit load as Load does.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "ksblob.h"
#include "kstypemgr.h"
#include "kstypes/illegal_slots.h"
#include "kstypes/stored_extent.h"
#include "kstypes/typedesc.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A fixed-length type's records are measured by the stored size of a null
// value; every fixed type whose Load is built must store exactly that much
// per value, or the check would pass records that Load reads beyond.
TEST(LoadChecked, FixedTypesStoreTheSizeTheCheckAssumes) {
  KsTypeMgr mgr;
  int checked = 0;
  for (int type = 0; type < KS_TYPE_COUNT; ++type) {
    const char id = static_cast<char>(type);
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[type];
    if (d.IsFixed() == 0 || d.load == ks::illegal::Load) continue;
    void* values = mgr.Create(id, 3);
    ASSERT_NE(values, nullptr) << d.name;
    for (unsigned char format : {1, 2}) {
      Bytes stored(3 * d.nullSizeGet(1) + 8, 0xEE);
      EXPECT_EQ(mgr.Store(id, stored.data(), values, format, 3), 3 * d.nullSizeGet(1)) << d.name;
    }
    mgr.Delete(id, values, 3);
    ++checked;
  }
  EXPECT_GE(checked, 15);
}

// Every fixed type with a Load: the exact size loads, one byte less loads
// nothing.
TEST(LoadChecked, FixedTypesNeedEveryByteOfEveryRecord) {
  KsTypeMgr mgr;
  for (int type = 0; type < KS_TYPE_COUNT; ++type) {
    const char id = static_cast<char>(type);
    const KsTypeDescriptor& d = *KsCurrentTypeTable()[type];
    if (d.IsFixed() == 0 || d.load == ks::illegal::Load) continue;
    const unsigned size = 2 * d.nullSizeGet(1);
    Bytes stored(size);
    for (unsigned i = 0; i < size; ++i) stored[i] = static_cast<unsigned char>(i * 37 + 1);
    void* loaded = mgr.Create(id, 2);
    void* expected = mgr.Create(id, 2);
    const unsigned memory = mgr.MemLenGet(id, 2);
    Bytes before(static_cast<const unsigned char*>(loaded),
                 static_cast<const unsigned char*>(loaded) + memory);
    EXPECT_EQ(mgr.LoadChecked(id, loaded, stored.data(), size - 1, 1, 2), 0u) << d.name;
    EXPECT_EQ(std::memcmp(loaded, before.data(), memory), 0) << d.name << " changed by a refused load";
    EXPECT_EQ(mgr.LoadChecked(id, loaded, stored.data(), size, 1, 2),
              mgr.Load(id, expected, stored.data(), 1, 2))
        << d.name;
    EXPECT_EQ(mgr.Cmp(id, loaded, expected, 0xFFFF, 2, 8), 0) << d.name;
    mgr.Delete(id, loaded, 2);
    mgr.Delete(id, expected, 2);
  }
}

// A count whose stored size does not fit 32 bits is refused, not wrapped.
TEST(LoadChecked, CountsBeyondTheBytesAreRefusedWithoutWrapping) {
  KsTypeMgr mgr;
  unsigned char stored[8] = {};
  int value[2] = {7, 7};
  // 0x40000001 four-byte values wrap to 4 bytes in 32-bit arithmetic.
  EXPECT_EQ(mgr.LoadChecked(KsINT_T, value, stored, 8, 1, 0x40000001u), 0u);
  EXPECT_EQ(value[0], 7);
  EXPECT_EQ(mgr.LoadChecked(KsINT_T, value, stored, 8, 1, 2), 8u);
  EXPECT_EQ(value[0], 0);
}

void PutWord(Bytes& bytes, int32_t value, bool bigEndian) {
  const auto u = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) {
    const int shift = bigEndian ? 8 * (3 - i) : 8 * i;
    bytes.push_back(static_cast<unsigned char>(u >> shift));
  }
}

// Stored blobs: total, then (length, bytes) per blob; -1 is a null blob.
Bytes BlobForm(int32_t total, const std::vector<int32_t>& lengths, bool bigEndian) {
  Bytes form;
  PutWord(form, total, bigEndian);
  for (int32_t length : lengths) {
    PutWord(form, length, bigEndian);
    // A huge length gets no bytes behind it.
    for (int32_t i = 0; i < length && i < 64; ++i) form.push_back(static_cast<unsigned char>('a' + i));
  }
  return form;
}

TEST(LoadChecked, BlobLengthFieldsAreCheckedBeforeLoading) {
  struct Case {
    const char* what;
    int32_t total;
    std::vector<int32_t> lengths;
    int cut;  // bytes taken off the end of the form
    unsigned expected;
  };
  const Case cases[] = {
      {"two blobs", 13, {3, 2}, 0, 17},
      {"a null and an empty blob", 8, {-1, 0}, 0, 12},
      {"total beyond the bytes", 13, {3, 2}, 1, 0},
      {"total larger than the records", 40, {3, 2}, 0, 0},
      {"negative total", -5, {3, 2}, 0, 0},
      {"second length beyond the total", 9, {3, 2}, 4, 0},
      {"length below -1", 11, {3, -2}, 0, 0},
      {"huge length", 11, {3, 0x7FFFFFFF}, 0, 0},
  };
  KsTypeMgr mgr;
  for (bool bigEndian : {false, true}) {
    const unsigned char format = bigEndian ? 2 : 1;
    for (const Case& c : cases) {
      Bytes form = BlobForm(c.total, c.lengths, bigEndian);
      form.resize(form.size() - static_cast<size_t>(c.cut));
      KsBlob blobs[2];
      blobs[0].SetTo("keep", 4);
      EXPECT_EQ(mgr.LoadChecked(KsBLOB_T, blobs, form.data(), static_cast<unsigned>(form.size()), format, 2),
                c.expected)
          << c.what << " format " << int(format);
      if (c.expected == 0) {
        EXPECT_EQ(blobs[0].Length(), 4) << c.what << ": a refused load changed the first blob";
      } else {
        EXPECT_EQ(blobs[0].Length() + blobs[1].Length(), c.total - 8 > 0 ? c.total - 8 : 0) << c.what;
      }
    }
  }
}

TEST(LoadChecked, MemoryFormsAndBytesBelowOneRecordAreRefused) {
  KsTypeMgr mgr;
  int value = 3;
  const int source = 9;
  EXPECT_EQ(mgr.LoadChecked(KsINT_T, &value, &source, sizeof source, 8, 1), 0u);
  EXPECT_EQ(mgr.LoadChecked(KsINT_T, &value, nullptr, 4, 1, 1), 0u);
  KsBlob blob;
  const unsigned char three[3] = {0, 0, 0};
  EXPECT_EQ(mgr.LoadChecked(KsBLOB_T, &blob, three, 3, 1, 1), 0u);
  EXPECT_EQ(value, 3);
}

// Every variable-length type with a stored form must be measurable, or
// LoadChecked refuses all of its records. The two KsString descriptors share
// their Load but not their layout, so each has its own extent.
TEST(LoadChecked, EveryVariableLengthDescriptorHasItsOwnExtent) {
  int measured = 0;
  for (KsTypeDescriptor* const* table : {KsCurrentTypeTable(), KsLegacyTypeTable()}) {
    const int entries = table == KsCurrentTypeTable() ? KS_TYPE_COUNT : 28;
    for (int i = 0; i < entries; ++i) {
      const KsTypeDescriptor& d = *table[i];
      if (d.IsFixed() != 0 || d.load == ks::illegal::Load) continue;
      EXPECT_NE(KsStoredExtentOf(d), nullptr) << d.name << " has no stored extent";
      ++measured;
    }
  }
  // KsBlob and the three string types, in each table.
  EXPECT_EQ(measured, 8);
  const KsTypeDescriptor& current = *KsCurrentTypeTable()[KsSTRING_T];
  const KsTypeDescriptor& legacy = *KsLegacyTypeTable()[KsSTRING_T];
  ASSERT_EQ(current.load, legacy.load);
  EXPECT_NE(KsStoredExtentOf(current), KsStoredExtentOf(legacy));
}

}  // namespace
