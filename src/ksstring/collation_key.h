// The 32-bit comparison key of a collation order and its class byte. Letters
// put letter and extension bits in the primary part (bits 8 and up), the
// accent in bits 0..4 and the case in bits 5..6, so that masking a key
// selects the comparison levels.
#pragma once

#include <cstdint>

namespace ksstring {

constexpr unsigned char kUndefinedClass = 20;
// Orders below this one are spaces, below kFirstDigitOrder symbols; both are
// ignorable in a levelled comparison.
constexpr uint16_t kFirstSymbolOrder = 80;
constexpr uint16_t kFirstDigitOrder = 0x3F00;

inline uint32_t CollationKey(uint16_t order, uint8_t orderClass) {
  if (order == 0) return 0;
  const uint32_t classBits = static_cast<uint32_t>(orderClass) << 24;
  if (orderClass != kUndefinedClass && (order & 0xC000) == 0x4000) {
    return classBits | (static_cast<uint32_t>(order & 0x407F) << 8) | ((order >> 7) & 0x7F);
  }
  return classBits | (static_cast<uint32_t>(order) << 8);
}

// Key masks of the comparison levels.
constexpr uint32_t kPrimaryMask = 0xFFFFFF80;     // without accent and case
constexpr uint32_t kWithCaseMask = 0xFFFFFFE0;    // without accent
constexpr uint32_t kWithAccentMask = 0xFFFFFF9F;  // without case

}  // namespace ksstring
