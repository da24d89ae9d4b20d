// The tool's text runs in UTF-8 (arguments, standard input and output); the
// library's text is KsString. Characters beyond the 16-bit range have no
// KsString form and are refused like invalid UTF-8.
#pragma once

#include <cstddef>
#include <string>

#include "ksstring.h"

namespace kstm {

// Fills out with the text. ASCII text, and other text that the default 8-bit
// code set holds without loss, becomes an 8-bit string of that code set (as
// char text does in the library); anything else a Unicode (253) string. The
// language is the default language. Returns false, with the byte offset of
// the first bad sequence in badOffset, for invalid UTF-8, a zero byte or a
// character beyond U+FFFF; out is then unspecified.
bool Utf8ToKsString(const char* text, size_t size, KsString& out, size_t& badOffset);

// The text of s in UTF-8; units that no character maps to print as U+FFFD.
std::string KsStringToUtf8(const KsString& s);

// text followed by blanks up to width characters (not bytes).
std::string PadToWidth(const std::string& text, size_t width);

}  // namespace kstm
