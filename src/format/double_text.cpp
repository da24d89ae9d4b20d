#include "format/double_text.h"

#include <strings.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace ksformat {

size_t PrintDoubleText(double value, char (&out)[kDoubleTextSize]) {
  const char* special = nullptr;
  if (std::isnan(value)) {
    special = "NaN";
  } else if (std::isinf(value)) {
    special = value < 0 ? "-Infinity" : "Infinity";
  }
  int length = special != nullptr ? std::snprintf(out, sizeof out, "%s", special)
                                  : std::snprintf(out, sizeof out, "%.17g", value);
  return length < 0 ? 0 : static_cast<size_t>(length);
}

double ScanDoubleText(const char* text) {
  if (text == nullptr) return 0.0;
  // The special texts are recognised before strtod, which would read "nan"
  // itself but without the sign bit that stored NaNs of this library carry.
  if (strcasecmp(text, "-Infinity") == 0) return -std::numeric_limits<double>::infinity();
  if (strcasecmp(text, "Infinity") == 0) return std::numeric_limits<double>::infinity();
  if (strcasecmp(text, "NaN") == 0) return -std::numeric_limits<double>::quiet_NaN();
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(text, &end);
  if (end == text) return 0.0;
  if (errno == ERANGE && !std::isinf(value)) return std::atof(text);
  return value;
}

}  // namespace ksformat
