// Text slots of the primitive layouts: printing, scanning, conversion
// through text records, and the default value (the value of an empty text).
//
// Print and scan functions are shared by the layouts of one width: the
// format decides signedness. Conversions differ per type (see kstypconv.h
// for the exported ones).
#pragma once

#include "ksslots.h"

namespace ks {

// Prints a whole array of bytes, each printable one under format and every
// other one as "0x%02x", without separators. The type manager recognises it
// and lets it print arrays itself.
KsString& CharPrintToString(KsString& out, void* values, const char* format, unsigned count);
void* CharScanFromString(void* values, KsString& in, const char* format, unsigned count);

// One value each; count is not used.
KsString& ShortPrintToString(KsString& out, void* values, const char* format, unsigned count);
KsString& LongPrintToString(KsString& out, void* values, const char* format, unsigned count);
KsString& O_8BPrintToString(KsString& out, void* values, const char* format, unsigned count);
KsString& DoublePrintToString(KsString& out, void* values, const char* format, unsigned count);
KsString& FloatPrintToString(KsString& out, void* values, const char* format, unsigned count);
void* ShortScanFromString(void* values, KsString& in, const char* format, unsigned count);
void* LongScanFromString(void* values, KsString& in, const char* format, unsigned count);
void* O_8BScanFromString(void* values, KsString& in, const char* format, unsigned count);
void* DoubleScanFromString(void* values, KsString& in, const char* format, unsigned count);
void* FloatScanFromString(void* values, KsString& in, const char* format, unsigned count);

// Conversion records of the types whose converters are not exported.
KsTypeConvertData* LongConvertToKsString(void* values, unsigned count);   // o_4b, int, enum
void* LongConvertFromKsString(KsTypeConvertData* record, unsigned count);
KsTypeConvertData* DwordConvertToKsString(void* values, unsigned count);  // o_u4b, unsigned, BlockId
void* DwordConvertFromKsString(KsTypeConvertData* record, unsigned count);
KsTypeConvertData* DoubleConvertToKsString(void* values, unsigned count);
void* DoubleConvertFromKsString(KsTypeConvertData* record, unsigned count);
KsTypeConvertData* FloatConvertToKsString(void* values, unsigned count);
void* FloatConvertFromKsString(KsTypeConvertData* record, unsigned count);
KsTypeConvertData* O_8BConvertToKsString(void* values, unsigned count);
void* O_8BConvertFromKsString(KsTypeConvertData* record, unsigned count);
KsTypeConvertData* O_U8BConvertToKsString(void* values, unsigned count);
void* O_U8BConvertFromKsString(KsTypeConvertData* record, unsigned count);

// DefaultValue slots: count values converted from empty texts (asNull is
// ignored).
void* CharDefaultValue(unsigned count, int asNull);    // o_char, o_u1b
void* ShortDefaultValue(unsigned count, int asNull);   // o_2b, o_u2b
void* LongDefaultValue(unsigned count, int asNull);    // o_4b, int, unsigned, enum
void* DwordDefaultValue(unsigned count, int asNull);   // o_u4b, BlockId
void* DoubleDefaultValue(unsigned count, int asNull);
void* FloatDefaultValue(unsigned count, int asNull);
void* O_8BDefaultValue(unsigned count, int asNull);    // o_8b, o_u8b

}  // namespace ks
