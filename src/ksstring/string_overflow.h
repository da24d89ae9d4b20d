// The report made when string content is cut at the 65,532-byte limit.
#pragma once

namespace ksstring {

// Calls KESO_assert("String overflow", "src/ksstring", 1110) when the
// configuration entry "stringOverflow" (qualifier "debug") is set; a cut is
// silent otherwise, since hosts rely on strings being cut quietly.
void ReportStringOverflow();

}  // namespace ksstring
