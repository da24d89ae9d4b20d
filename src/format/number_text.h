// Integer readers with the semantics of the original runtime, where long is
// 32 bits: results that do not fit are clamped to the reader's range.
#pragma once

namespace ksformat {

// strtol: base 0 reads 0x hexadecimal and leading-0 octal; base 10 decimal.
int ReadInt32(const char* text, int base);
// _strtoi64 / _atoi64.
long long ReadInt64(const char* text, int base);

}  // namespace ksformat
