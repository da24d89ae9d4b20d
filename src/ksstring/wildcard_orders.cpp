#include "ksstring/wildcard_orders.h"

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring.h"

namespace ksstring {

// Code set 1 has entries for the wildcard characters.
uint16_t OrderInCodeSet1(char ch) {
  return KsChar(ch, 1, 0).Order();
}

}  // namespace ksstring

int KsString::SetAsterisk(const KsChar& ch) {
  ksstring::CurrentWildcardOrders().star = ch.Order();
  return 0;
}

int KsString::SetQuestion(const KsChar& ch) {
  ksstring::CurrentWildcardOrders().question = ch.Order();
  return 0;
}

int KsString::SetEscape(const KsChar& ch) {
  ksstring::CurrentWildcardOrders().escape = ch.Order();
  return 0;
}
