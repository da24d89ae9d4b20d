#include "ksstring/equal_prefix.h"

#include <algorithm>
#include <cstring>

#include "base/byteorder.h"
#include "ksstring/prefix_block.h"
#include "ksstring/units.h"

namespace ksstring {

namespace {

// One unit at a time: returns false at the first unit that stops.
inline bool UnitPasses(const uint8_t* stop, const unsigned char* a, const unsigned char* b, unsigned width,
                       unsigned char format) {
  if (width == 1) return *a == *b && stop[*a] == 0;
  if (std::memcmp(a, b, 2) != 0) return false;
  const uint16_t unit = ReadUnit(a, 2, format);
  return unit < kByteUnits && stop[unit] == 0;
}

// A unit at a time, where the vector step cannot serve.
// Widths are 1 or 2, so that a shift divides by them.
size_t ScanByUnits(const uint8_t* stop, const unsigned char* a, const unsigned char* b, unsigned width,
                   unsigned char format) {
  size_t offset = 0;
  while (UnitPasses(stop, a + offset, b + offset, width, format)) offset += width;
  return offset >> (width - 1);
}

// A unit at a time, for processors without AVX2 and stop sets the nibble
// form cannot hold.
size_t ScanByUnitsOnly(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                       const unsigned char* b, unsigned char format) {
  return ScanByUnits(orders.prefixStop[stopSet], a, b, orders.width, format);
}

// Where `left` bytes, fewer than a block, are left before the nearer page
// end of a and b: the bytes of the whole units there (`size`) and how many
// of them at the start are equal and pass `set` (`passing`, see
// PassingBytes), through the block that ends at the page end, read from
// before a and b. `scanned` bytes before them belong to the texts; bytes
// before those are read where the pages hold them. Size 0 where none can
// be read, and where fewer than kFewestPageEndBytes are left, which a unit
// at a time passes sooner.
struct PageEndScan {
  size_t size;
  size_t passing;
};

constexpr size_t kFewestPageEndBytes = 8;

template <unsigned Width, bool Swap>
__attribute__((target("avx2"), no_sanitize("address", "thread"), always_inline)) inline PageEndScan
ScanToPageEnd(const NibbleSet& set, const unsigned char* a, const unsigned char* b, size_t left,
              size_t scanned) {
  const size_t size = left & ~size_t{Width - 1};
  const size_t back = kPrefixBlock - size;
  if (size < kFewestPageEndBytes || (scanned < back && !PagesHoldBytesBefore(a, b, back))) return {0, 0};
  // Bits from `size` up, past the page end, come in clear.
  const uint32_t passing = PassingBytes<Width, Swap>(set, a - back, b - back) >> back;
  return {size, static_cast<unsigned>(__builtin_ctz(~passing))};
}

// A block at a time while the blocks stay inside the pages of both
// texts, two blocks a step; up to the nearer page end, the block that ends
// there. The loads may read past the terminators and before the texts,
// never outside their pages: the sanitizers would report bytes no result
// depends on.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), no_sanitize("address", "thread"))) size_t ScanByBlocks(
    const SimpleOrders& orders, int stopSet, const unsigned char* a, const unsigned char* b,
    unsigned char format) {
  const NibbleSet& set = orders.prefixStopSet[stopSet];
  const uint8_t* stop = orders.prefixStop[stopSet];
  if (!set.exact) return ScanByUnits(stop, a, b, Width, format);
  const uint32_t all = 0xFFFFFFFFu;
  size_t offset = 0;  // in bytes
  for (;;) {
    const size_t room = RoomInPages(a + offset, b + offset);
    const size_t blocksEnd = offset + (room & ~(kPrefixBlock - 1));
    for (; offset + 2 * kPrefixBlock <= blocksEnd; offset += 2 * kPrefixBlock) {
      const uint32_t first = PassingBytes<Width, Swap>(set, a + offset, b + offset);
      const uint32_t second =
          PassingBytes<Width, Swap>(set, a + offset + kPrefixBlock, b + offset + kPrefixBlock);
      if ((first & second) != all) {
        // The first unit with a byte that does not pass.
        const size_t at = first != all
                              ? offset + static_cast<unsigned>(__builtin_ctz(~first))
                              : offset + kPrefixBlock + static_cast<unsigned>(__builtin_ctz(~second));
        return at / Width;
      }
    }
    if (offset + kPrefixBlock <= blocksEnd) {
      const uint32_t passing = PassingBytes<Width, Swap>(set, a + offset, b + offset);
      if (passing != all) return (offset + static_cast<unsigned>(__builtin_ctz(~passing))) / Width;
      offset += kPrefixBlock;
    }
    // Less than a block before one of the pages ends: the block that ends
    // there where it can be read, then a unit that straddles the end (or
    // every unit where it cannot) a unit at a time.
    const size_t left = room & (kPrefixBlock - 1);
    const size_t pageEnd = offset + left;
    const PageEndScan end = ScanToPageEnd<Width, Swap>(set, a + offset, b + offset, left, offset);
    if (end.passing < end.size) return (offset + end.passing) / Width;
    offset += end.size;
    for (; offset < pageEnd; offset += Width) {
      if (!UnitPasses(stop, a + offset, b + offset, Width, format)) return offset / Width;
    }
  }
}

size_t ScanByBlocksOfAnyWidth(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                              const unsigned char* b, unsigned char format) {
  return WithUnitLayout(orders.width, format, [&]<unsigned Width, bool Swap>() {
    return ScanByBlocks<Width, Swap>(orders, stopSet, a, b, format);
  });
}

}  // namespace

int PrefixStopSet(const SimpleOrders& orders, bool wildcards) {
  if (!wildcards) return 0;
  return WildcardsInForce(orders.quickGate) ? 1 : -1;
}

size_t EqualPrefixUnits(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                        const unsigned char* b, unsigned char format) {
  if (VectorScans()) return ScanByBlocksOfAnyWidth(orders, stopSet, a, b, format);
  return ScanByUnitsOnly(orders, stopSet, a, b, format);
}

}  // namespace ksstring
