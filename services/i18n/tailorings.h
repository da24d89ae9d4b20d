// Language tailorings of the Unicode collation rows.
#pragma once

#include "i18nsvc.h"

namespace ksi18n {

// Gives the row entries of tailored units their language variants (and the
// variants their contractions). `directEntries` are the entries of units
// 0 .. kDirectRowCount - 1; every tailored unit is among them. Called once.
void AttachTailorings(KsCollationEntry* directEntries);

}  // namespace ksi18n
