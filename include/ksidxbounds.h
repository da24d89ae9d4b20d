// Index scan bounds, read and filled by the index-range evaluators.
#pragma once

#include <cstdint>

// Owned by the caller. Bound buffers that an evaluator allocates (with
// malloc) belong to the record's owner from then on, who releases them with
// free().
struct KsIdxBounds {
  void* low;           // low bound in stored form, null when open below
  void* high;          // high bound in stored form, null when open above
  uint8_t lowLen;      // bytes of the low bound
  uint8_t highLen;     // bytes of the high bound
  uint8_t minBufLen;   // string evaluators allocate bound buffers at least this long
};

// Evaluation record of the engine; no evaluator reads it.
struct KsEvalData;
