// Stored sizes of fixed-size arrays near the largest total a stored length
// can carry (INT32_MAX bytes): exact up to it, refused with 0 beyond, never
// reported modulo 2^32 (which made 2^29 + 1 eight-byte values 8 bytes).
// Only the arithmetic runs: no array of that size is made.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "basesvc.h"
#include "ksistring.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned char kBig = 2;

// One type of each family whose elements have one stored size: the
// primitives, the nullable numbers, the identities, the date and time
// classes, KsInt64, KsBoolean and KsSeal.
constexpr char kFixedSizeTypes[] = {Ks1B_T,       Ks2B_T,        KsINT_T,   KsDOUBLE_T,  Ks8B_T,
                                    KsNULL_INT_T, KsNULL_8B_T,   KsOBJID_T, KsREF_T,     KsDATE_T,
                                    KsDATIME_T,   D_TIMESTAMP_T, KsINT64_T, KsBOOLEAN_T, KsSEAL_T};

TEST(StoredSizeLimit, FixedSizeArraysRefuseTotalsBeyondInt32Max) {
  KsTypeMgr mgr;
  for (const char type : kFixedSizeTypes) {
    SCOPED_TRACE(static_cast<int>(type));
    const unsigned size = mgr.DiskLenGet(type, nullptr, kBig, 1);
    ASSERT_GT(size, 0u);
    const unsigned most = INT32_MAX / size;
    EXPECT_EQ(mgr.DiskLenGet(type, nullptr, kBig, most), most * size);
    EXPECT_EQ(mgr.DiskLenGet(type, nullptr, kBig, most + 1), 0u);
    EXPECT_EQ(mgr.DiskLenGet(type, nullptr, kBig, UINT32_MAX), 0u);
    EXPECT_EQ(mgr.DiskLenGetFromMemFile(type, nullptr, kBig, most), most * size);
    EXPECT_EQ(mgr.DiskLenGetFromMemFile(type, nullptr, kBig, most + 1), 0u);
    if (size > 1) {
      // The first count whose total passes 2^32, which used to come back
      // as a few bytes.
      const auto wraps = static_cast<unsigned>((uint64_t{1} << 32) / size + 1);
      EXPECT_EQ(mgr.DiskLenGet(type, nullptr, kBig, wraps), 0u);
    }
  }
}

TEST(StoredSizeLimit, BaseServicesSizesOfNullArraysToo) {
  EXPECT_EQ(CharNullSizeGet(INT32_MAX), static_cast<unsigned>(INT32_MAX));
  EXPECT_EQ(CharNullSizeGet(1u << 31), 0u);
  EXPECT_EQ(LongNullSizeGet(INT32_MAX / 4), INT32_MAX / 4 * 4u);
  EXPECT_EQ(LongNullSizeGet(1u << 30), 0u);
  EXPECT_EQ(O_8BNullSizeGet((1u << 29) + 1), 0u);
  EXPECT_EQ(O_8BSizeGet(nullptr, 8, kBig, (1u << 28) - 1), ((1u << 28) - 1) * 8u);
}

// Strings: the current records' total in 32 bits, the blocks of the legacy
// KsString and of the I-strings in 16 bits.
TEST(StoredSizeLimit, StringArraysRefuseTotalsTheirFieldsCannotCarry) {
  KsTypeMgr mgr;
  EXPECT_EQ(mgr.DiskLenGet(KsSTRING_T, nullptr, kBig, INT32_MAX / 6), INT32_MAX / 6 * 6u);
  EXPECT_EQ(mgr.DiskLenGet(KsSTRING_T, nullptr, kBig, INT32_MAX / 6 + 1), 0u);
  KsTypeMgr legacy(0);
  for (const unsigned char format : {1, 2}) {  // little- and big-endian
    SCOPED_TRACE(static_cast<int>(format));
    const bool bigEndian = format == 2;
    // Records missing from a file count the largest record each: 70,000
    // of them came back as 292,482,704 bytes.
    unsigned char twoBytes[] = {4, 0};
    if (bigEndian) std::swap(twoBytes[0], twoBytes[1]);
    MemFile file(twoBytes, sizeof twoBytes);
    EXPECT_EQ(mgr.DiskLenGetFromMemFile(KsSTRING_T, &file, format, 32767), 32767u * 65535u);
    EXPECT_EQ(mgr.DiskLenGetFromMemFile(KsSTRING_T, &file, format, 70000), 0u);

    auto blockOf = [&](size_t first, size_t second) {
      std::vector<KsString> strings{KsString(std::string(first, 'a').c_str()),
                                    KsString(std::string(second, 'b').c_str())};
      std::vector<unsigned char> block(70000, 0x55);
      const unsigned size = legacy.DiskLenGet(KsSTRING_T, strings.data(), format, 2, 8);
      const unsigned written = legacy.Store(KsSTRING_T, block.data(), strings.data(), format, 2);
      EXPECT_EQ(written, size);
      return std::pair{size, bigEndian ? block[0] << 8 | block[1] : block[0] | block[1] << 8};
    };
    // T counts both texts and their terminators: 65,535 at most.
    EXPECT_EQ(blockOf(100, 199), (std::pair{303u, 0x012D})) << "T in the format's byte order";
    EXPECT_EQ(blockOf(32767, 32766), (std::pair{65537u, 0xFFFF}));
    EXPECT_EQ(blockOf(32767, 32767), (std::pair{0u, 0x5555})) << "refused, nothing written";
    EXPECT_EQ(blockOf(40000, 40000), (std::pair{0u, 0x5555}));
  }

  // An I-string block: a flag byte, then T.
  std::vector<KsIString> folded{KsIString(std::string(40000, 'a').c_str()),
                                KsIString(std::string(40000, 'b').c_str())};
  std::vector<unsigned char> block(4, 0x55);
  EXPECT_EQ(mgr.DiskLenGet(KsISTRING_T, folded.data(), 1, 2, 8), 0u);
  EXPECT_EQ(mgr.Store(KsISTRING_T, block.data(), folded.data(), 1, 2), 0u);
  EXPECT_EQ(block, std::vector<unsigned char>(4, 0x55));
  EXPECT_EQ(mgr.DiskLenGet(KsISTRING_T, nullptr, 1, 65535), 65538u);
  EXPECT_EQ(mgr.DiskLenGet(KsISTRING_T, nullptr, 1, 65536), 0u);
}

}  // namespace
