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

WildcardOrders& CurrentWildcardOrders();

}  // namespace ksstring
