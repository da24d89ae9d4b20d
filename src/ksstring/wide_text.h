// Narrowing 16-bit text for the number readers.
#pragma once

#include <cstddef>

namespace ksstring {

// The first min(count, 32) units as bytes, terminated; units beyond one byte
// cannot be part of a number and become '?', which stops a reader.
// `units` are in memory order.
const char* NarrowForNumbers(const unsigned char* units, size_t count, char (&narrowed)[33]);

}  // namespace ksstring
