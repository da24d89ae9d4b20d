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

// star | question << 16: the pair the quick comparison checks with one load
// (see quick_gate.h).
constexpr uint32_t WildcardPair(uint16_t star, uint16_t question) {
  return star | static_cast<uint32_t>(question) << 16;
}

// The orders in force, read on first use. Thread-safe until a setter runs.
const WildcardOrders& CurrentWildcardOrders();
void SetWildcardOrder(uint16_t WildcardOrders::*which, uint16_t order);

}  // namespace ksstring
