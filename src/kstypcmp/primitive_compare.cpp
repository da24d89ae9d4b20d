// Compare and hash slot functions of the fixed-size primitive layouts.
#include "primitive_hash.h"

#include "array_walk.h"
#include "kstypcmp.h"
#include "layouts.h"

#define KS_DEFINE_COMPARE(name, L)                                                                   \
  int name(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2, unsigned short, \
           unsigned count, int& status) {                                                                 \
    return ks::CompareArrays<ks::layout::L>(format, len1, values1, len2, values2, count, status);          \
  }

KS_DEFINE_COMPARE(CharCompare, Char)
KS_DEFINE_COMPARE(ByteCompare, Byte)
KS_DEFINE_COMPARE(ShortCompare, Short)
KS_DEFINE_COMPARE(WordCompare, Word)
KS_DEFINE_COMPARE(LongCompare, Long)
KS_DEFINE_COMPARE(DwordCompare, Dword)
KS_DEFINE_COMPARE(IntCompare, Int)
KS_DEFINE_COMPARE(UnsignedCompare, Unsigned)
KS_DEFINE_COMPARE(O_8BCompare, O_8B)
KS_DEFINE_COMPARE(O_U8BCompare, O_U8B)
KS_DEFINE_COMPARE(FloatCompare, Float)
KS_DEFINE_COMPARE(DoubleCompare, Double)
KS_DEFINE_COMPARE(Int64Compare, Int64)
KS_DEFINE_COMPARE(BooleanCompare, Boolean)

#define KS_DEFINE_HASH(name, L)                                                           \
  unsigned name(unsigned char format, unsigned len, void* values, unsigned count, int& status) { \
    return ks::HashArray<ks::layout::L>(format, len, values, count, status);              \
  }

namespace ks {
KS_DEFINE_HASH(CharHash, Char)
KS_DEFINE_HASH(ByteHash, Byte)
KS_DEFINE_HASH(ShortHash, Short)
KS_DEFINE_HASH(WordHash, Word)
KS_DEFINE_HASH(LongHash, Long)
KS_DEFINE_HASH(IntHash, Int)
KS_DEFINE_HASH(O_8BHash, O_8B)
KS_DEFINE_HASH(FloatHash, Float)
KS_DEFINE_HASH(DoubleHash, Double)
KS_DEFINE_HASH(Int64Hash, Int64)
KS_DEFINE_HASH(BooleanHash, Boolean)
}  // namespace ks
