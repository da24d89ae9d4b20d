// Recording scan bounds into the caller's output bounds.
//
// The first restriction that an index meets fixes each of its scan bounds:
// a bound already recorded is never replaced. Buffers allocated here belong
// to the bounds record from then on; its owner releases them with free().
#pragma once

#include <cstddef>

#include "ksidxbounds.h"

namespace ks::evaluate {

// The longest bound that the 8-bit length fields of a record can describe.
constexpr size_t kLongestRecordedBound = 255;

// A heap buffer of `size` bytes for a bound, or null after telling the base
// services' memory handler (KsCallMemoryHandler) that `size` bytes were not
// to be had; the evaluation then goes on without that bound.
void* AllocateBoundBuffer(size_t size);

// Copies `size` bytes of the key into each missing bound of `out` that the
// comparison in `flags` bounds: the low bound unless less-than is set, the
// high bound unless greater-than is set. Nothing happens without `out`, and
// nothing is recorded for an empty key or for one longer than the length
// fields describe (the scan then stays open on that side, which is wide but
// never wrong).
// REQUIRES: key holds `size` bytes.
void RecordBounds(KsIdxBounds* out, const void* key, unsigned short flags, size_t size);

// The current bounds of an index, as the numeric evaluators read them: both
// buffers present and each at least `elementSize` bytes long. A record that
// lacks one of them describes no range and counts as absent.
inline bool HasBothBounds(const KsIdxBounds* bounds, size_t elementSize) {
  return bounds != nullptr && bounds->low != nullptr && bounds->high != nullptr &&
         bounds->lowLen >= elementSize && bounds->highLen >= elementSize;
}

}  // namespace ks::evaluate
