// The languages of this library (ids in i18nsvc.h).
#pragma once

#include "i18nsvc.h"

namespace ksi18n {

// The language object of an id, or null for an unknown id. The objects live
// as long as the process, so collation entries can point at them.
KsLanguage* FindLanguage(unsigned char id);

// Puts every language's variant switch back to its initial setting.
void ResetLanguageSwitches();

}  // namespace ksi18n
