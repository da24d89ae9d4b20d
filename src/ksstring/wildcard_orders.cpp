#include "ksstring/wildcard_orders.h"

#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring.h"
#include "ksstring/quick_gate.h"

namespace ksstring {
namespace {

// Code set 1 has entries for the wildcard characters.
uint16_t OrderInCodeSet1(char ch) {
  return KsChar(ch, 1, 0).Order();
}

WildcardOrders& Orders() {
  static WildcardOrders orders = [] {
    const WildcardOrders read{OrderInCodeSet1('*'), OrderInCodeSet1('?'), OrderInCodeSet1('\\')};
    SetWildcardPairInForce(WildcardPair(read.star, read.question));
    return read;
  }();
  return orders;
}

}  // namespace

const WildcardOrders& CurrentWildcardOrders() {
  return Orders();
}

void SetWildcardOrder(uint16_t WildcardOrders::*which, uint16_t order) {
  WildcardOrders& orders = Orders();
  orders.*which = order;
  SetWildcardPairInForce(WildcardPair(orders.star, orders.question));
}

}  // namespace ksstring

int KsString::SetAsterisk(const KsChar& ch) {
  ksstring::SetWildcardOrder(&ksstring::WildcardOrders::star, ch.Order());
  return 0;
}

int KsString::SetQuestion(const KsChar& ch) {
  ksstring::SetWildcardOrder(&ksstring::WildcardOrders::question, ch.Order());
  return 0;
}

int KsString::SetEscape(const KsChar& ch) {
  ksstring::SetWildcardOrder(&ksstring::WildcardOrders::escape, ch.Order());
  return 0;
}
