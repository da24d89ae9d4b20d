// Memory and storage slots of the fixed-size primitive layouts: creation,
// element construction, copy and assignment, stored sizes read from a memory
// file, translation between forms, and the null test (primitives have no
// null value).
//
// One template serves every layout; the type table names the instantiations
// through the aliases below.
#pragma once

#include <cstdint>

#include "basesvc.h"
#include "ksslots.h"

namespace ks {

// How a primitive layout stores: its element size and the base-services
// functions that convert to and from its stored forms.
struct PrimitiveStorage {
  unsigned size;
  KsStoreFunc store;
  KsLoadFunc load;
  // Stored size of count elements for a format (the memory-file slot).
  unsigned (*storedSize)(unsigned char format, unsigned count);
};

template <const PrimitiveStorage& S>
struct PrimitiveSlots {
  static void* Create(unsigned count);
  static void* Delete(void* values, unsigned count);
  static void Constructor(void* memory, unsigned count, unsigned);
  static void Destructor(void*, unsigned, unsigned) {}
  // Assignment and copy construction are the same for plain numbers.
  static void Assign(void* dst, void* src, unsigned count, int broadcast);
  static unsigned SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count);
  static unsigned Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                            unsigned char srcFormat, unsigned srcLen, unsigned count);
};

extern const PrimitiveStorage kCharStorage;    // o_char, o_u1b
extern const PrimitiveStorage kShortStorage;   // o_2b, o_u2b
extern const PrimitiveStorage kLongStorage;    // o_4b, o_u4b, BlockId
extern const PrimitiveStorage kIntStorage;     // int, enum
extern const PrimitiveStorage kUnsignedStorage;// unsigned
extern const PrimitiveStorage kFloatStorage;   // o_float
extern const PrimitiveStorage kDoubleStorage;  // o_double
extern const PrimitiveStorage kO_8BStorage;    // o_8b, o_u8b

using CharSlots = PrimitiveSlots<kCharStorage>;
using ShortSlots = PrimitiveSlots<kShortStorage>;
using LongSlots = PrimitiveSlots<kLongStorage>;
using IntSlots = PrimitiveSlots<kIntStorage>;
using UnsignedSlots = PrimitiveSlots<kUnsignedStorage>;
using FloatSlots = PrimitiveSlots<kFloatStorage>;
using DoubleSlots = PrimitiveSlots<kDoubleStorage>;
using O_8BSlots = PrimitiveSlots<kO_8BStorage>;

// IsNull of every type without a null value.
int NeverNull(void* value);

}  // namespace ks
