// The small steps of KsStringIterator that every collation order takes,
// inline for the translation units that walk texts.
#pragma once

#include "i18nsvc.h"
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
