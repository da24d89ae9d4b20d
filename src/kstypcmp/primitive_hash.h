// Hash slot functions of the fixed-size layouts: the XOR of the elements'
// 32-bit images, multiplied by 1103515245 modulo 2^32.
//
// Signed and unsigned layouts of one width share a function where their
// images coincide (4-byte, int/unsigned, 8-byte); one- and two-byte values
// differ, since the signed ones are sign-extended.
#pragma once

namespace ks {

#define KS_DECLARE_HASH(name) \
  unsigned name(unsigned char format, unsigned len, void* values, unsigned count, int& status)

KS_DECLARE_HASH(CharHash);     // o_char: sign-extended byte
KS_DECLARE_HASH(ByteHash);     // o_u1b: zero-extended byte
KS_DECLARE_HASH(ShortHash);    // o_2b: sign-extended
KS_DECLARE_HASH(WordHash);     // o_u2b: zero-extended
KS_DECLARE_HASH(LongHash);     // o_4b, o_u4b, BlockId: the value
KS_DECLARE_HASH(IntHash);      // int, unsigned, enum: the value, stored form by IntLoad
KS_DECLARE_HASH(O_8BHash);     // o_8b, o_u8b: the low 32 bits
KS_DECLARE_HASH(FloatHash);    // o_float, d_Interval: the bit pattern
KS_DECLARE_HASH(DoubleHash);   // o_double: XOR of the two halves of the bit pattern
KS_DECLARE_HASH(Int64Hash);    // KsInt64: XOR of the two words
KS_DECLARE_HASH(BooleanHash);  // KsBoolean: sign-extended byte

#undef KS_DECLARE_HASH

}  // namespace ks
