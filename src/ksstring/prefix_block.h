// One 32-byte block of the equal-prefix scan (see equal_prefix.h), for
// code compiled for AVX2: which bytes of two texts are equal and pass the
// scan. The block scan and the comparison's entry both use it, so that a
// short text is decided by one block without a call.
#pragma once

#include <immintrin.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "ksstring/code_set_cache.h"

namespace ksstring {

constexpr size_t kPrefixBlock = 32;  // bytes per vector step
constexpr uintptr_t kPrefixPage = 4096;

inline uintptr_t OffsetInPage(const unsigned char* p) {
  return reinterpret_cast<uintptr_t>(p) & (kPrefixPage - 1);
}

// The farther of a and b from the start of its page. Texts end at their
// terminator, and a load must not reach a page the text does not touch:
// loads at a + offset and b + offset stay inside the pages of a and b while
// they end within RoomInPages(a, b) bytes.
inline uintptr_t DeeperInPage(const unsigned char* a, const unsigned char* b) {
  return std::max(OffsetInPage(a), OffsetInPage(b));
}

inline size_t RoomInPages(const unsigned char* a, const unsigned char* b) {
  return kPrefixPage - DeeperInPage(a, b);
}

// Whether a and b both lie at most `offset` bytes into their pages. Both
// tests are taken, so that no branch asks which of the two lies deeper: on
// real data that is a coin toss (the compiler made one of a std::max).
inline bool BothWithinPage(const unsigned char* a, const unsigned char* b, uintptr_t offset) {
  return (static_cast<unsigned>(OffsetInPage(a) <= offset) &
          static_cast<unsigned>(OffsetInPage(b) <= offset)) != 0;
}

// Whether a whole block at a and one at b stay inside their pages.
inline bool BlocksFitInPages(const unsigned char* a, const unsigned char* b) {
  return BothWithinPage(a, b, kPrefixPage - kPrefixBlock);
}

// Whether the `back` bytes before a and before b lie in their pages, so
// that a block may be read from there.
inline bool PagesHoldBytesBefore(const unsigned char* a, const unsigned char* b, size_t back) {
  return std::min(OffsetInPage(a), OffsetInPage(b)) >= back;
}

__attribute__((target("avx2"), always_inline)) inline __m256i BlockAt(const unsigned char* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}

// 0xFF at the bytes of block v that, read as a unit's low byte, pass the
// nibble set `set`, and for 16-bit units (`Width` 2, bytes swapped when
// `Swap`) at the high bytes of 0: units from 256 up stop.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), always_inline)) inline __m256i PassingSet(const NibbleSet& set, __m256i v) {
  const __m256i low = _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(set.low)));
  const __m256i high =
      _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(set.high)));
  const __m256i nibble = _mm256_set1_epi8(0x0F);
  const __m256i zero = _mm256_setzero_si256();
  const __m256i lows = _mm256_shuffle_epi8(low, _mm256_and_si256(v, nibble));
  const __m256i highs = _mm256_shuffle_epi8(high, _mm256_and_si256(_mm256_srli_epi16(v, 4), nibble));
  const __m256i passes = _mm256_cmpeq_epi8(_mm256_and_si256(lows, highs), zero);
  if constexpr (Width == 1) return passes;
  const __m256i lowBytes = _mm256_set1_epi16(static_cast<short>(Swap ? 0xFF00 : 0x00FF));
  return _mm256_blendv_epi8(_mm256_cmpeq_epi8(v, zero), passes, lowBytes);
}

// Bit i set where byte i of the block is equal in both texts and passes
// the nibble set `set` (see PassingSet). A block passes whole when every
// bit is set. The end stops: the nibble sets hold byte 0.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), always_inline)) inline uint32_t PassingBytes(const NibbleSet& set,
                                                                            const unsigned char* a,
                                                                            const unsigned char* b) {
  const __m256i va = BlockAt(a);
  const __m256i equal = _mm256_cmpeq_epi8(va, BlockAt(b));
  return static_cast<uint32_t>(
      _mm256_movemask_epi8(_mm256_and_si256(equal, PassingSet<Width, Swap>(set, va))));
}

// Bits clear at the bytes of the units where the first text has an ASCII
// letter (a unit that passes `letters`, the set of ASCII letters, see
// SimpleOrders::foldsAsciiCase) and the second the same letter in either
// case; set at every byte of every other unit. The letter's case bit is
// 0x20, so a unit that folds to the same lower case as a letter is that
// letter. Both bytes of a 16-bit unit get one answer: its low byte alone
// may look like a letter.
template <unsigned Width, bool Swap>
__attribute__((target("avx2"), always_inline)) inline uint32_t FoldedDifferences(const NibbleSet& letters,
                                                                                 const unsigned char* a,
                                                                                 const unsigned char* b) {
  const __m256i va = BlockAt(a);
  const __m256i vb = BlockAt(b);
  const __m256i lowerCase = Width == 1 ? _mm256_set1_epi8(0x20) : _mm256_set1_epi16(Swap ? 0x2000 : 0x0020);
  const __m256i same = _mm256_cmpeq_epi8(_mm256_or_si256(va, lowerCase), _mm256_or_si256(vb, lowerCase));
  __m256i folds = _mm256_and_si256(same, PassingSet<Width, Swap>(letters, va));
  if constexpr (Width == 2) folds = _mm256_cmpeq_epi16(folds, _mm256_set1_epi8(-1));
  return ~static_cast<uint32_t>(_mm256_movemask_epi8(folds));
}

}  // namespace ksstring
