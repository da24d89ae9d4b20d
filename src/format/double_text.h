// The default text form of floating-point values, "%.17g", whose special
// values print as "Infinity", "-Infinity" and "NaN" and scan back from them.
#pragma once

#include <cstddef>

namespace ksformat {

// Enough for any "%.17g" text and for the special texts.
constexpr size_t kDoubleTextSize = 32;

// Writes the text of value into out and returns its length.
size_t PrintDoubleText(double value, char (&out)[kDoubleTextSize]);

// Reads text as the default double format does: the conversion rules of
// strtod; when nothing converts, the whole text "Infinity", "-Infinity" or
// "NaN" (any letter case) gives the special value and anything else 0.0; an
// underflow takes the atof reading of the text. A null text reads as 0.0.
double ScanDoubleText(const char* text);

}  // namespace ksformat
