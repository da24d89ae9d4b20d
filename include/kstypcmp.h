// Comparison functions of the primitive layouts, as they sit in the type
// table's Compare slot.
//
// All share one signature: format (only format & 15 counts: 8 and 1 read the
// values in place, anything else converts each element from that stored
// form), the byte lengths of both arrays (0: count elements), the arrays, the
// string comparison operator (ignored here), the element count and a status
// that is set to 0, or to 2101 when an array runs out before count elements
// were compared. The result is -1, 0 or 1 for the first unequal pair.
#pragma once

#include "ksexport.h"

#define KS_DECLARE_COMPARE(name)                                                                       \
  KS_API int name(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2, \
                  unsigned short cmpOp, unsigned count, int& status)

KS_DECLARE_COMPARE(CharCompare);      // o_char: signed byte
KS_DECLARE_COMPARE(ByteCompare);      // o_u1b: unsigned byte
KS_DECLARE_COMPARE(ShortCompare);     // o_2b
KS_DECLARE_COMPARE(WordCompare);      // o_u2b
KS_DECLARE_COMPARE(LongCompare);      // o_4b
KS_DECLARE_COMPARE(DwordCompare);     // o_u4b, BlockId
KS_DECLARE_COMPARE(IntCompare);       // int, enum
KS_DECLARE_COMPARE(UnsignedCompare);  // unsigned
KS_DECLARE_COMPARE(O_8BCompare);      // o_8b
KS_DECLARE_COMPARE(O_U8BCompare);     // o_u8b
KS_DECLARE_COMPARE(FloatCompare);     // o_float, d_Interval: NaN < -inf < finite < +inf
KS_DECLARE_COMPARE(DoubleCompare);    // o_double, same order
KS_DECLARE_COMPARE(Int64Compare);     // KsInt64
KS_DECLARE_COMPARE(BooleanCompare);   // KsBoolean: null first, then false < true

#undef KS_DECLARE_COMPARE
