// Where printed text goes: into a KsString as assigning the C text would
// place it, but into the string's own buffer when that already has the
// printed length, so that printing a column of values into one string does
// not touch the heap.
#pragma once

#include <cstring>
#include <string>

#include "i18nsvc.h"
#include "ksstring.h"

namespace ksstring {

// `out = text.c_str()`: the default 8-bit code set and language, the bytes
// up to the first zero byte, at most 0xFFFF of them.
inline void AssignPrintedText(KsString& out, const std::string& text) {
  const size_t length = std::strlen(text.c_str());
  out.AssignUnits(text.c_str(), static_cast<unsigned short>(length > 0xFFFF ? 0xFFFF : length),
                  KsLanguageContext::GetDefault8CodeSet(), KsLanguageContext::GetDefaultLanguage(), 1);
}

}  // namespace ksstring
