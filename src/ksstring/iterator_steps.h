// The small steps of KsStringIterator that every collation order takes,
// inline for the translation units that walk texts.
#pragma once

#include "i18nsvc.h"
#include "ksstring/code_set_cache.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

inline unsigned short KsStringIterator::UnitAt(const unsigned char* p) const {
  return p == nullptr ? 0 : ksstring::ReadUnit(p, Width(), format);
}

inline bool KsStringIterator::OverflowPending() const {
  return overflow != nullptr && overflowIndex >= 0 && overflowIndex < overflow->Count();
}

inline void KsStringIterator::Advance() {
  if (OverflowPending()) return;
  overflow = nullptr;
  if (position != nullptr) position += Width();
}

// Most units of Latin text have a plain entry: their order comes from the
// table of simple orders; everything else walks the collation tables.
inline unsigned short KsStringIterator::NextOrder(unsigned short setClass) {
  if (simpleOrders != nullptr && overflow == nullptr && position != nullptr) {
    const unsigned width = simpleOrders->width;
    const unsigned unit = width == 1 ? *position : ksstring::ReadUnit(position, 2, format);
    if (unit == 0) return 0;
    if (unit < ksstring::kCachedUnits && simpleOrders->simple[unit]) {
      if (setClass != 0) orderClass = simpleOrders->orderClass[unit];
      position += width;
      return simpleOrders->order[unit];
    }
  }
  return NextOrderFromTables(setClass);
}

namespace ksstring {

// The inline order step for the comparison and the hash, which read every
// order of both texts.
struct OrderReader {
  static unsigned short Next(KsStringIterator& it, unsigned short setClass) { return it.NextOrder(setClass); }

  // The simple orders of an iterator over 8-bit text, or null.
  static const SimpleOrders* Simple(const KsStringIterator& it) {
    return it.overflow == nullptr && it.position != nullptr ? it.simpleOrders : nullptr;
  }
  static const unsigned char* Position(const KsStringIterator& it) { return it.position; }
  // Moves over units whose orders the caller has accounted for; the last
  // of them left `orderClass` as the current class.
  static void SkipUnits(KsStringIterator& it, size_t count, unsigned char orderClass) {
    it.position += count * it.Width();
    it.orderClass = orderClass;
  }
  // For a walk that reads the units below kCachedUnits from the simple
  // orders itself (expansions included): moves `bytes` on, recording the
  // class of the last unit passed when class updates are on.
  static void PassUnits(KsStringIterator& it, size_t bytes, unsigned short setClass,
                        unsigned char orderClass) {
    it.position += bytes;
    if (setClass != 0) it.orderClass = orderClass;
  }
  // Moves `to`, an iterator over the same text, code set, language and
  // format as `from`, to where `from` stands: the same as assigning it,
  // without the call.
  static void CopyPlace(KsStringIterator& to, const KsStringIterator& from) {
    // Position and overflow lie side by side; copied as one 16-byte value
    // they would be read right after the two 8-byte writes of a step, which
    // the processor cannot forward: a stall on every wildcard restart.
    unsigned char* position = from.position;
    asm("" : "+r"(position));
    to.position = position;
    to.orderClass = from.orderClass;
    to.overflow = from.overflow;
    to.overflowIndex = from.overflowIndex;
    to.overflowCodeSet = from.overflowCodeSet;
    to.languageObject = from.languageObject;
    to.languageLooked = from.languageLooked;
  }
  // The full step through the collation tables.
  static unsigned short FromTables(KsStringIterator& it, unsigned short setClass) {
    return it.NextOrderFromTables(setClass);
  }
};

}  // namespace ksstring
