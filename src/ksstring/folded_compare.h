// The folded comparison of KsIString and KsCaseIString and the matcher of
// their patterns, shared by the relational operators and the compare slots.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksistring.h"

namespace ksstring {

// Whether text matches pattern: '*' any run, '?' any one collation byte, a
// backslash takes the next byte literally ("\n", "\r", "\t": line feed,
// carriage return, tab); other bytes match when their collation bytes are
// equal. Each side folds as the comparison folds it (a side with 0x80 is
// taken as it stands; KsCaseIString counts accents under the text's 0x20).
template <KsFolding kFolding>
bool FoldedMatch(const char* text, const char* pattern, uint32_t textFlags, uint32_t patternFlags);

}  // namespace ksstring
