// The largest total a stored array may have. Stored lengths are read back as
// signed 32-bit fields, which refuse negative totals, so INT32_MAX bytes is
// the most any size function may answer; a larger total is refused with 0
// rather than reported modulo 2^32, which would pass for a small array.
#pragma once

#include <cstdint>

namespace ksbase {

constexpr bool FitsStoredTotal(uint64_t total) {
  return total <= static_cast<uint64_t>(INT32_MAX);
}

// The stored size of count elements of `size` bytes each; 0 when it does
// not fit.
constexpr unsigned FixedStoredTotal(unsigned count, unsigned size) {
  const uint64_t total = uint64_t{count} * size;
  return FitsStoredTotal(total) ? static_cast<unsigned>(total) : 0u;
}

}  // namespace ksbase
