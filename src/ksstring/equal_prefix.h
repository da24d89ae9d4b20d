// The equal-prefix scan of a comparison: how many units at the start of two
// texts of one code set and language are equal and may be passed over
// without reading their orders. Equal units that pass (see
// SimpleOrders::prefixStop) give equal orders on both sides, and the
// levelled comparison pairs equal orders with each other, so they change no
// level; the comparison can start after them with the class of the last one.
// The scan runs a vector register at a time and hands its position on, so
// that no later stage reads the prefix again.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksstring/code_set_cache.h"
#include "ksstring/quick_gate.h"

namespace ksstring {

// The stop set of `orders` for a comparison with or without wildcards: 0
// without, 1 with the wildcards the table was made for; -1 when other
// wildcard orders are in force, which the table does not know.
int PrefixStopSet(const SimpleOrders& orders, bool wildcards);

// The number of leading units of `a` and `b` (units of orders.width bytes,
// 16-bit ones in `format`) that are equal and pass stop set `stopSet`; the
// unit after them differs, ends the text or stops the scan.
// REQUIRES: both texts zero-terminated; stopSet 0 or 1.
size_t EqualPrefixUnits(const SimpleOrders& orders, int stopSet, const unsigned char* a,
                        const unsigned char* b, unsigned char format);

}  // namespace ksstring
