// Text converters of the primitive types that hosts call directly: each
// turns count values into a record of texts, or a record of texts into a new
// array of count values (an empty or null text gives 0).
#pragma once

#include "ksexport.h"

class KsTypeConvertData;

KS_API KsTypeConvertData* CharConvertToKsString(void* values, unsigned count);   // o_char: decimal text
KS_API void* CharConvertFromKsString(KsTypeConvertData* record, unsigned count);
KS_API KsTypeConvertData* O_U1BConvertToKsString(void* values, unsigned count);  // o_u1b
KS_API void* O_U1BConvertFromKsString(KsTypeConvertData* record, unsigned count);
KS_API KsTypeConvertData* ShortConvertToKsString(void* values, unsigned count);  // o_2b
KS_API void* ShortConvertFromKsString(KsTypeConvertData* record, unsigned count);
KS_API KsTypeConvertData* WordConvertToKsString(void* values, unsigned count);   // o_u2b
KS_API void* WordConvertFromKsString(KsTypeConvertData* record, unsigned count);
