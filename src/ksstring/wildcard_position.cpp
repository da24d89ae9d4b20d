// Where the first wildcard of a key lies: the string comparison limits a cut
// key to the part before it, and index bound evaluation ends a range there.
#include "i18nsvc.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_orders.h"
#include "ksstringiterator.h"

namespace ksstring {

namespace {
constexpr unsigned short kNoWildcard = 65535;
}

int WildcardPosition(unsigned char codeSet, unsigned char language, const char* text, bool excludeQuestion,
                     int limit, unsigned char format, unsigned short& byteOffset) {
  byteOffset = kNoWildcard;
  if (text == nullptr) return -1;
  if (format == kDefaultId) format = 1;
  if (codeSet == 0) {
    for (int i = 0; i < limit && text[i] != '\0'; ++i) {
      if (text[i] == '*' || (!excludeQuestion && text[i] == '?')) {
        byteOffset = static_cast<unsigned short>(i);
        return i;
      }
    }
    return -1;
  }
  const WildcardOrders& wildcards = CurrentWildcardOrders();
  KsStringIterator it(text, codeSet, language, format);
  const auto* start = reinterpret_cast<const unsigned char*>(text);
  for (int element = 0; element < limit; ++element) {
    const unsigned char* at = it.Position();
    const unsigned short order = it.GetNextOrder(1);
    if (order == 0) break;
    if (order == wildcards.star || (!excludeQuestion && order == wildcards.question)) {
      byteOffset = static_cast<unsigned short>(at != nullptr ? at - start : 0);
      return element;
    }
  }
  return -1;
}

}  // namespace ksstring
