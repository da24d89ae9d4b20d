// What a collation walk needs of a code set, looked up once per process:
// the code set object, the collation entries of its units below 256, and per
// language the class the code set reports and the orders of its simple
// bytes. Every comparison starts two iterators, so these answers are kept
// rather than asked each time. The objects and tables of the i18n services
// are immutable for the life of the process, which makes them safe to keep;
// only a language's variant switch changes, and it selects the table.
#pragma once

#include <cstdint>

#include "i18nsvc.h"

namespace ksstring {

constexpr unsigned kCachedUnits = 256;

// Orders of the bytes of an 8-bit code set for one language (with its
// variant switch in one position): the bytes whose entry has neither a
// contraction nor an expansion, after language variants, are "simple" and
// take their order and class straight from here.
struct SimpleOrders {
  enum Kind : uint8_t { Significant, Space, Symbol };
  uint16_t order[kCachedUnits];
  uint8_t orderClass[kCachedUnits];
  bool simple[kCachedUnits];
  // What the comparison sees of a simple byte: its key and its kind.
  uint32_t key[kCachedUnits];
  Kind kind[kCachedUnits];
};

// Everything an iterator over one code set and language starts with: the
// code set object (null for an unknown code set), the entries of its units
// below 256 (null without a table), the simple orders (null for 16-bit code
// sets); returns the class the code set reports for the language
// (KS_CLASS_UNDEFINED without object). The outputs are written one by one,
// straight into the iterator. Code set 0 reads as the native code set.
// Thread-safe; allocation-free.
// The simple orders of an 8-bit code set with a table for `language`, or null.
const SimpleOrders* SimpleOrdersOf(unsigned char codeSet, unsigned char language);

unsigned char SetupWalk(unsigned char codeSet, unsigned char language, const KsCodeSet*& object,
                        const KsCollationEntry* const*& byteEntries, const SimpleOrders*& simpleOrders);

}  // namespace ksstring
