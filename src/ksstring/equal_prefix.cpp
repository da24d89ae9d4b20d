#include "ksstring/equal_prefix.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>

#include "base/byteorder.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_orders.h"

namespace ksstring {

namespace {

constexpr size_t kBlock = 32;  // bytes per vector step
constexpr uintptr_t kPage = 4096;

// Bytes from p to the end of its page. Texts end at their terminator, and
// a load must not reach a page the text does not touch.
inline size_t RoomInPage(const unsigned char* p) {
  return kPage - (reinterpret_cast<uintptr_t>(p) & (kPage - 1));
}

// One unit at a time: returns false at the first unit that stops.
inline bool UnitPasses(const uint8_t* stop, const unsigned char* a, const unsigned char* b, unsigned width,
                       unsigned char format) {
  if (width == 1) return *a == *b && stop[*a] == 0;
  if (std::memcmp(a, b, 2) != 0) return false;
  const uint16_t unit = ReadUnit(a, 2, format);
  return unit < kCachedUnits && stop[unit] == 0;
}

// The tables and masks of a block scan, loaded once per scan.
struct BlockTables {
  __m256i low;  // SimpleOrders' nibble set, in both lanes
  __m256i high;
  __m256i lowBytes;  // 0xFF at the bytes that are units' low bytes
};

// Bit i set where byte i of the block is equal in both texts and, read as
// a unit's low byte, passes the nibble set; for 16-bit units also where
// byte i is a high byte of 0 (units from 256 up stop). A block passes
// whole when every bit is set.
__attribute__((target("avx2"), always_inline)) inline uint32_t PassingBytes(const BlockTables& tables,
                                                                            const unsigned char* a,
                                                                            const unsigned char* b) {
  const __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a));
  const __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b));
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i lows = _mm256_shuffle_epi8(tables.low, _mm256_and_si256(va, nibble));
  const __m256i highs = _mm256_shuffle_epi8(tables.high, _mm256_and_si256(_mm256_srli_epi16(va, 4), nibble));
  const __m256i passes = _mm256_cmpeq_epi8(_mm256_and_si256(lows, highs), zero);
  const __m256i zeros = _mm256_cmpeq_epi8(va, zero);
  const __m256i ok =
      _mm256_and_si256(_mm256_cmpeq_epi8(va, vb), _mm256_blendv_epi8(zeros, passes, tables.lowBytes));
  return static_cast<uint32_t>(_mm256_movemask_epi8(ok));
}

// A unit at a time, where the vector step cannot serve.
// Widths are 1 or 2, so that a shift divides by them.
size_t ScanByUnits(const uint8_t* stop, const unsigned char* a, const unsigned char* b, unsigned width,
                   unsigned char format) {
  size_t offset = 0;
  while (UnitPasses(stop, a + offset, b + offset, width, format)) offset += width;
  return offset >> (width - 1);
}

// Which bytes of a unit pair are units' low bytes (0xFF) in a 16-bit
// lane: all of them for 8-bit units, one of the two for 16-bit units in
// either byte order.
inline uint16_t LowBytesOf(unsigned width, unsigned char format) {
  if (width == 1) return 0xFFFF;
  return ksbase::FormatNeedsByteSwap(format) ? 0xFF00 : 0x00FF;
}

// A unit at a time, for processors without AVX2 and stop sets the nibble
// form cannot hold.
size_t ScanByUnitsOnly(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                       const unsigned char* b, unsigned char format) {
  return ScanByUnits(orders.prefixStop[stopSet], a, b, orders.width, format);
}

// A block at a time while the blocks stay inside the pages of both
// texts, two blocks a step; else a unit at a time up to the nearer page
// end. The loads may read past the terminators, never past the page: the
// sanitizers would report bytes no result depends on.
__attribute__((target("avx2"), no_sanitize("address", "thread"))) size_t ScanByBlocks(
    const SimpleOrders& orders, int stopSet, const unsigned char* a, const unsigned char* b,
    unsigned char format) {
  const NibbleSet& set = orders.prefixStopSet[stopSet];
  const uint8_t* stop = orders.prefixStop[stopSet];
  const unsigned width = orders.width;
  if (!set.exact) return ScanByUnits(stop, a, b, width, format);
  const BlockTables tables{
      _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(set.low))),
      _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(set.high))),
      _mm256_set1_epi16(static_cast<short>(LowBytesOf(width, format)))};
  const uint32_t all = 0xFFFFFFFFu;
  size_t offset = 0;  // in bytes
  for (;;) {
    const size_t room = std::min(RoomInPage(a + offset), RoomInPage(b + offset));
    const size_t blocksEnd = offset + (room & ~(kBlock - 1));
    for (; offset + 2 * kBlock <= blocksEnd; offset += 2 * kBlock) {
      const uint32_t first = PassingBytes(tables, a + offset, b + offset);
      const uint32_t second = PassingBytes(tables, a + offset + kBlock, b + offset + kBlock);
      if ((first & second) != all) {
        // The first unit with a byte that does not pass.
        const size_t at = first != all ? offset + static_cast<unsigned>(__builtin_ctz(~first))
                                       : offset + kBlock + static_cast<unsigned>(__builtin_ctz(~second));
        return at >> (width - 1);
      }
    }
    if (offset + kBlock <= blocksEnd) {
      const uint32_t passing = PassingBytes(tables, a + offset, b + offset);
      if (passing != all) return (offset + static_cast<unsigned>(__builtin_ctz(~passing))) >> (width - 1);
      offset += kBlock;
    }
    // Less than a block before one of the pages ends.
    const size_t unitsEnd = offset + (room & (kBlock - 1));
    do {
      if (!UnitPasses(stop, a + offset, b + offset, width, format)) return offset >> (width - 1);
      offset += width;
    } while (offset < unitsEnd);
  }
}

using Scan = size_t (*)(const SimpleOrders&, int, const unsigned char*, const unsigned char*, unsigned char);

// Chosen once: every comparison scans.
const Scan gScan = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0 ? &ScanByBlocks : &ScanByUnitsOnly;
}();

}  // namespace

int PrefixStopSet(const SimpleOrders& orders, bool wildcards) {
  if (!wildcards) return 0;
  return gWildcardPair.load(std::memory_order_relaxed) == orders.wildcardPair ? 1 : -1;
}

size_t EqualPrefixUnits(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                        const unsigned char* b, unsigned char format) {
  return gScan(orders, stopSet, a, b, format);
}

}  // namespace ksstring
