#include "format/number_text.h"

#include <climits>
#include <cstdlib>

namespace ksformat {

int ReadInt32(const char* text, int base) {
  long long value = ReadInt64(text, base);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

long long ReadInt64(const char* text, int base) {
  if (text == nullptr) return 0;
  return std::strtoll(text, nullptr, base);
}

}  // namespace ksformat
