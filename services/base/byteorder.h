// Byte-order helpers of the base services: the one place that knows how a
// word is reversed and whether this machine must reverse words at all.
//
// Words are always read and written through memcpy, never through a pointer
// cast: stored records place numbers at any byte offset.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace ksbase {

inline uint16_t ByteSwap(uint16_t word) {
  return __builtin_bswap16(word);
}
inline uint32_t ByteSwap(uint32_t word) {
  return __builtin_bswap32(word);
}
inline uint64_t ByteSwap(uint64_t word) {
  return __builtin_bswap64(word);
}

// A 16-byte block, the unit of the shuffles below.
typedef unsigned char ByteBlock __attribute__((vector_size(16)));

template <size_t kWordSize, size_t... kIndex>
inline ByteBlock ReverseWordsInBlock(ByteBlock block, std::index_sequence<kIndex...>) {
  // Byte i of the result is byte (i's word start + word size - 1 - i's offset) of the input.
  return __builtin_shufflevector(block, block,
                                 (kIndex / kWordSize * kWordSize + kWordSize - 1 - kIndex % kWordSize)...);
}

// Reverses the bytes of each of `count` words from `src` into `dst`.
// REQUIRES: dst and src are equal or do not overlap.
//
// Whole 16-byte blocks go through one byte shuffle (a single instruction on
// processors with SSSE3, which is why callers compile this for several
// targets); the words after the last whole block are reversed one by one.
// Each block is read completely before it is written, so dst == src works.
template <typename Word>
inline __attribute__((always_inline)) void ByteSwapWords(unsigned char* dst, const unsigned char* src,
                                                         size_t count) {
  constexpr size_t kWordsPerBlock = sizeof(ByteBlock) / sizeof(Word);
  size_t index = 0;
  for (; index + kWordsPerBlock <= count; index += kWordsPerBlock) {
    ByteBlock block;
    std::memcpy(&block, src + index * sizeof(Word), sizeof block);
    block = ReverseWordsInBlock<sizeof(Word)>(block, std::make_index_sequence<sizeof(ByteBlock)>());
    std::memcpy(dst + index * sizeof(Word), &block, sizeof block);
  }
  for (; index < count; ++index) {
    Word word;
    std::memcpy(&word, src + index * sizeof(Word), sizeof word);
    word = ByteSwap(word);
    std::memcpy(dst + index * sizeof(Word), &word, sizeof word);
  }
}

// Format bytes: 8 in the low four bits is the in-memory form of this
// process, 2 big-endian, and every other value little-endian.
constexpr bool FormatIsBigEndian(unsigned char format) {
  return (format & 15) == 2;
}
constexpr bool FormatIsMemoryForm(unsigned char format) {
  return (format & 15) == 8;
}

// Whether values in `format` differ in byte order from this process's words.
constexpr bool FormatNeedsByteSwap(unsigned char format) {
  if (FormatIsMemoryForm(format)) return false;
  constexpr bool kHostIsBigEndian = std::endian::native == std::endian::big;
  return FormatIsBigEndian(format) != kHostIsBigEndian;
}

}  // namespace ksbase
