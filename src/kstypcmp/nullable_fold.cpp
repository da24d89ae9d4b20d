#include "kstypcmp/nullable_fold.h"

#include <cstring>

#include "base/cpu_clones.h"
#include "kstypcmp/nullable_layout.h"

// The helpers below return vectors wider than the baseline registers; they
// are inlined into each clone and never called across the ABI.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace ks::layout {

namespace {

// Sixteen 32-bit lanes: in the clone for a processor with 512-bit registers
// one register, otherwise the compiler splits the operations.
using Lanes = uint32_t __attribute__((vector_size(64)));
constexpr size_t kLaneCount = sizeof(Lanes) / sizeof(uint32_t);

[[gnu::always_inline]] inline Lanes LoadLanes(const unsigned char* p) {
  Lanes lanes;
  std::memcpy(&lanes, p, sizeof lanes);
  return lanes;
}

// The even and the odd lanes of a and b. The order of the lanes they give
// back is whatever a shuffle within each 128 bits makes it: the fold is an
// XOR, which does not care.
[[gnu::always_inline]] inline Lanes EvenLanes(const Lanes& a, const Lanes& b) {
  return __builtin_shufflevector(a, b, 0, 2, 16, 18, 4, 6, 20, 22, 8, 10, 24, 26, 12, 14, 28, 30);
}
[[gnu::always_inline]] inline Lanes OddLanes(const Lanes& a, const Lanes& b) {
  return __builtin_shufflevector(a, b, 1, 3, 17, 19, 5, 7, 21, 23, 9, 11, 25, 27, 13, 15, 29, 31);
}

// The images of values whose flag words start with the flag byte.
[[gnu::always_inline]] inline Lanes Images(const Lanes& values, const Lanes& flagWords) {
  const auto isNull = reinterpret_cast<Lanes>((flagWords & 0xFFu) == kNullFlag);
  return (values * 1103515245u & ~isNull) | (kNullHashImage & isNull);
}

// An element is its value (4 or 8 bytes, the low 32 bits first), then the
// flag byte, padded to twice the value size. One step takes kLaneCount
// elements: two loads of four-byte values give their values in the even
// lanes and their flag words in the odd ones; eight-byte values take one
// more round of halving.
template <size_t kValueSize>
[[gnu::always_inline]] inline uint32_t FoldLowWords(const unsigned char* p, size_t count) {
  constexpr size_t kStep = kLaneCount * 2 * kValueSize;
  static_assert(kNullableFoldGroup * 2 * kValueSize % kStep == 0);
  Lanes folded{};
  for (const unsigned char* const end = p + count * 2 * kValueSize; p != end; p += kStep) {
    Lanes pairs[2];
    if constexpr (kValueSize == 4) {
      pairs[0] = LoadLanes(p);
      pairs[1] = LoadLanes(p + sizeof(Lanes));
    } else {
      pairs[0] = EvenLanes(LoadLanes(p), LoadLanes(p + sizeof(Lanes)));
      pairs[1] = EvenLanes(LoadLanes(p + 2 * sizeof(Lanes)), LoadLanes(p + 3 * sizeof(Lanes)));
    }
    folded ^= Images(EvenLanes(pairs[0], pairs[1]), OddLanes(pairs[0], pairs[1]));
  }
  uint32_t result = 0;
  for (size_t lane = 0; lane < kLaneCount; ++lane) result ^= folded[lane];
  return result;
}

// Internal linkage and no template: g++ then keeps the clones' resolvers
// local to the library.
KS_CPU_CLONES("avx512f", "avx2", "default")
uint32_t FoldFourByteValues(const unsigned char* p, size_t count) {
  return FoldLowWords<4>(p, count);
}

KS_CPU_CLONES("avx512f", "avx2", "default")
uint32_t FoldEightByteValues(const unsigned char* p, size_t count) {
  return FoldLowWords<8>(p, count);
}

}  // namespace

uint32_t FoldNullableLowWords(const unsigned char* p, size_t count, size_t valueSize) {
  return valueSize == 4 ? FoldFourByteValues(p, count) : FoldEightByteValues(p, count);
}

}  // namespace ks::layout
