// Case properties of Unicode BMP characters, read from the generated tables
// in unicode_case_data.cpp (see gen/gen_unicode_case.py).
#pragma once

#include <cstdint>

#include "i18nsvc.h"

namespace ksi18n {

// Generated data; the lookup below is the only reader.
extern const KsUnicodeProps kCaseRecords[];
extern const unsigned kCaseRecordCount;
extern const uint8_t kCasePageOf[256];
extern const uint16_t kCasePages[][256];
extern const unsigned kCasePageCount;

// The case properties of a BMP unit, or null when it has neither an upper-
// nor a lower-case form. When fullUpper is non-empty, upper is its first unit.
const KsUnicodeProps* LookupUnicodeCase(uint16_t unit);

}  // namespace ksi18n
