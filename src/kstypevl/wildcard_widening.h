// Keys with wildcard fields select a range: each unspecified field is
// widened to its lowest value in a low key and its highest in a high key.
// Widened fields are also written into output bounds that exist, including
// bounds recorded by an earlier restriction; the other fields of recorded
// bounds stay as the first restriction left them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksidxbounds.h"

namespace ks::evaluate {

// A field of a fixed-size record: `width` bytes (1, 2 or 4) at `offset`,
// multi-byte fields in the byte order of the format. All bits set is the
// wildcard.
struct WildcardField {
  unsigned offset;
  unsigned width;
  int32_t lowest;   // what a widened field becomes in the low key
  int32_t highest;  // and in the high key
};

bool IsWildcard(const unsigned char* record, const WildcardField& field);
void PutField(unsigned char* record, const WildcardField& field, int32_t value, unsigned char format);

// Writes a widened field into each bound of `out` that exists and is long
// enough to hold it.
void WriteWidenedField(KsIdxBounds* out, const WildcardField& field, int32_t low, int32_t high,
                       unsigned char format);

// Widens `fields` (in order, most significant first) from the first wildcard
// on: that field and every later one, wildcard or not, since once a field is
// open the fields below it order nothing. lowKey and highKey start as copies
// of the key. Sets kInexact in `flags` when a field was widened.
void WidenFromFirstWildcard(const WildcardField* fields, size_t fieldCount, unsigned char format,
                            unsigned char* lowKey, unsigned char* highKey, KsIdxBounds* out,
                            unsigned short& flags);

}  // namespace ks::evaluate
