// Building blocks of the 16-bit Latin letter orders:
// 0x4000 | case << 12 | accent << 7 | letter << 2 | extension.
// The generated rows (gen/gen_collation.py) use the same layout.
#pragma once

#include <cstdint>

namespace ksi18n {

// Letter numbers: A is 3 so that number + 0x3E is the ASCII capital. The
// three numbers after Z hold letters that some languages sort after z.
constexpr unsigned LetterNumber(char upperAscii) {
  return static_cast<unsigned>(upperAscii) - 0x3E;
}
constexpr unsigned kLetterAfterZ1 = 29;
constexpr unsigned kLetterAfterZ2 = 30;
constexpr unsigned kLetterAfterZ3 = 31;

// Accent numbers; 1..14 are the ones order descriptions name.
constexpr unsigned kAccentNone = 0;
constexpr unsigned kAccentDiaeresis = 6;
constexpr unsigned kAccentStroke = 8;
constexpr unsigned kAccentLigature = 15;  // first letter of a ligature or letter pair

enum class LetterCase : unsigned { kUpper = 0, kLower = 1 };

constexpr uint16_t LatinOrder(unsigned letter, unsigned accent, LetterCase letterCase,
                              unsigned extension = 0) {
  return static_cast<uint16_t>(0x4000 | (static_cast<unsigned>(letterCase) << 12) | (accent << 7) |
                               (letter << 2) | extension);
}

}  // namespace ksi18n
