// Stored bytes as text: two hexadecimal digits per byte, upper case,
// separated by blanks, the way `kstm store` prints a record.
#pragma once

#include <string>
#include <vector>

namespace kstm {

std::string FormatHex(const unsigned char* bytes, size_t size);

// Reads hexadecimal bytes with or without white space between them (white
// space inside a byte is an error). Throws a bad-input CliError that names
// the character offset of the first bad character or the lone digit.
std::vector<unsigned char> ParseHex(const std::string& text);

}  // namespace kstm
