// What a collation walk needs of a code set, looked up once per process:
// the code set object, the collation entries of its units below 256 and
// the class it reports for each language. Every comparison starts two
// iterators, so these answers are kept rather than asked each time. The
// objects and tables of the i18n services are immutable for the life of the
// process, which makes them safe to keep.
#pragma once

#include <atomic>
#include <cstdint>

#include "i18nsvc.h"

namespace ksstring {

constexpr unsigned kCachedUnits = 256;

// Orders of the bytes of an 8-bit code set for one language (with its
// variant switch as it was when the table was made): the bytes whose entry
// has neither a contraction nor an expansion, after language variants, are
// "simple" and take their order and class straight from here.
struct SimpleOrders {
  uint16_t order[kCachedUnits];
  uint8_t orderClass[kCachedUnits];
  bool simple[kCachedUnits];
};

class CodeSetView {
 public:
  const KsCodeSet* Object() const { return object_; }
  // Entries of units 0..255 of the code set's table; null without a table.
  const KsCollationEntry* const* ByteEntries() const { return hasTable_ ? entries_ : nullptr; }
  // The class the code set reports for `language`.
  unsigned char ClassFor(unsigned char language) const;
  // The simple orders of an 8-bit code set with a table for `language`, or
  // null (16-bit code sets, no table, or all tables in use).
  const SimpleOrders* SimpleOrdersFor(unsigned char language) const;

 private:
  friend const CodeSetView* ViewOfCodeSet(unsigned char codeSet);
  static constexpr unsigned char kClassUnknown = 0xFF;

  const KsCodeSet* object_ = nullptr;
  bool hasTable_ = false;
  const KsCollationEntry* entries_[kCachedUnits] = {};
  mutable std::atomic<unsigned char> classes_[256];
  // Per language and variant switch (off, on).
  mutable std::atomic<const SimpleOrders*> simple_[256][2];
};

// The view of a code set id (0: the native code set), or null when the
// services do not know the id.
const CodeSetView* ViewOfCodeSet(unsigned char codeSet);

}  // namespace ksstring
