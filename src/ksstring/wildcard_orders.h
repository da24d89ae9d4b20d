// The process-wide collation orders of the wildcard characters '*' and '?'
// (and of the escape character, which comparisons do not consult). They are
// read from code set 1 on first use; KsString::SetAsterisk, SetQuestion and
// SetEscape replace them.
#pragma once

#include <cstdint>

namespace ksstring {

struct WildcardOrders {
  uint16_t star;
  uint16_t question;
  uint16_t escape;
};

// The first collation order of an ASCII character in code set 1.
uint16_t OrderInCodeSet1(char ch);

// Inline: every comparison with wildcards reads them.
inline WildcardOrders& CurrentWildcardOrders() {
  static WildcardOrders orders{OrderInCodeSet1('*'), OrderInCodeSet1('?'), OrderInCodeSet1('\\')};
  return orders;
}

}  // namespace ksstring
