// The fixed collation tables of KsIString and KsCaseIString: every byte of
// the Latin code page folds into a primary collation byte and a second value
// (1..8 an accent, above 8 a following collation byte).
#pragma once

#include <cstdint>

#include "ksistring.h"

namespace ksstring {

struct FoldedByte {
  uint8_t primary;
  uint8_t second;
};

template <KsFolding kFolding>
FoldedByte FoldByte(unsigned char byte);

// The second values above this are following collation bytes.
constexpr uint8_t kLastAccent = 8;

}  // namespace ksstring
