// The character table of code set 253: the generated rows, the ideographic
// ranges and the language tailorings, built on first use.
#pragma once

#include "i18nsvc.h"

namespace ksi18n {

class UnicodeCharTable : public KsCharTable {
 public:
  const KsCollationEntry* GetEntry(unsigned short unit) const override;
  // Builds the row entries now rather than at the first lookup.
  void Prepare() const;
};

// The class byte storage that entries point at: element c holds c, for every
// class up to KS_CLASS_UNDEFINED.
const unsigned char* ClassBytePointer(unsigned char classByte);

}  // namespace ksi18n
