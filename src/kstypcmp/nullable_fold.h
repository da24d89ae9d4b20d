// The hash fold of long memory-form arrays of nullable numbers whose hash
// image is the low 32 bits of the value (the four-byte integers, float, the
// eight-byte integers): the loop that dominates hashing such arrays, kept
// out of the family's templates so that it can be compiled once per
// instruction set without exporting anything from the shared library.
#pragma once

#include <cstddef>
#include <cstdint>

namespace ks::layout {

// Elements fold in groups of this many; the count given must be a multiple.
inline constexpr size_t kNullableFoldGroup = 64;

// The XOR of the images of `count` memory elements at p, each a value of
// `valueSize` bytes (4 or 8) followed by its flag byte and padded to twice
// the value size: 0xFEFE7575 for a flag byte of 1, otherwise the value's
// low 32 bits times 1103515245.
uint32_t FoldNullableLowWords(const unsigned char* p, size_t count, size_t valueSize);

}  // namespace ks::layout
