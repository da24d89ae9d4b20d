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

// Whether the skip flags drop an ignorable order silently: a space under
// skipSpaces, a symbol under skipSymbols.
inline bool SkipsIgnorable(uint16_t order, bool skipSpaces, bool skipSymbols) {
  return order < kFirstSymbolOrder ? skipSpaces : skipSymbols;
}

// Key masks of the comparison levels.
constexpr uint32_t kPrimaryMask = 0xFFFFFF80;     // without accent and case
constexpr uint32_t kWithCaseMask = 0xFFFFFFE0;    // without accent
constexpr uint32_t kWithAccentMask = 0xFFFFFF9F;  // without case

// The level differences of a text's element key x against a pattern's y,
// wrapping as the comparison's results do. Lower case sorts first: the
// case difference runs the other way.
inline uint32_t PrimaryDifference(uint32_t x, uint32_t y) {
  return (x & kPrimaryMask) - (y & kPrimaryMask);
}
inline uint32_t AccentDifference(uint32_t x, uint32_t y) {
  return (x & kWithAccentMask) - (y & kWithAccentMask);
}
inline uint32_t CaseDifference(uint32_t x, uint32_t y) {
  return (y & kWithCaseMask) - (x & kWithCaseMask);
}

// The result of a comparison whose elements all had equal primary weights:
// the last accent difference, else the first case difference, unless the
// flags ignore them; else the last differing pair of ignorables.
inline int LowerLevelsResult(uint32_t accent, uint32_t caseDiff, int ignorable, bool accentInsensitive,
                             bool caseInsensitive) {
  if (accent != 0 && !accentInsensitive) return static_cast<int>(accent);
  if (caseDiff != 0 && !caseInsensitive) return static_cast<int>(caseDiff);
  return ignorable;
}

}  // namespace ksstring
