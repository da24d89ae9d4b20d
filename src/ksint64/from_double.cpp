// KsInt64 from a double: the argument is first rounded to the seven
// significant digits of its "%E" text, and the digits of that text make the
// integer. Stored data were converted this way, so the rounding is kept.
#include <cmath>
#include <string>

#include "format/windows_format.h"
#include "ksint64.h"

namespace {

// The largest double below 2^63.
constexpr double kLargestBelowLimit = 9223372036854774784.0;

// The magnitude that the digits of a "%E" text name, cut to an integer:
// mantissa digits are taken while the decimal exponent lasts, and what is
// left of the exponent scales the result.
uint64_t IntegerOfExponentText(const std::string& text) {
  const size_t letter = text.find('E');
  if (letter == std::string::npos || letter + 1 >= text.size()) return 0;
  int exponent = 0;
  for (size_t i = letter + 2; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    exponent = exponent * 10 + (text[i] - '0');
  }
  if (text[letter + 1] == '-') return 0;  // below 1, handled before; kept safe

  uint64_t value = 0;
  bool afterPoint = false;
  for (size_t i = 0; i < letter; ++i) {
    const char c = text[i];
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    if (c < '0' || c > '9') continue;
    if (afterPoint) {
      if (exponent == 0) break;
      --exponent;
    }
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  for (; exponent > 0; --exponent) value *= 10;
  return value;
}

}  // namespace

KsInt64::KsInt64(double value) : low(0), high(0) {
  // A NaN has no exponent to read; it converts to 0.
  if (std::isnan(value)) return;
  const double magnitude = std::fabs(value);
  uint64_t bits = 0;
  if (magnitude > kLargestBelowLimit) {
    bits = (uint64_t{1} << 63) - 1;
  } else if (magnitude >= 1.0) {
    bits = IntegerOfExponentText(ksformat::FormatWindows("%E", ksformat::FormatArg::Floating(magnitude)));
  }
  SetBits(value < 0 ? 0 - bits : bits);
}
