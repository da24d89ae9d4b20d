// The EvalAndBound slot of the nullable type over Base (a base of
// nullable_bases.h): the numeric frame of the base type over elements read
// with their flag byte, counted by the null-aware rule
// (null_aware_overlap.h). Recorded bounds are whole stored elements.
#pragma once

#include "ksidxbounds.h"

namespace ks {

template <class Base>
float NullableEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                           unsigned count, KsIdxBounds* outBounds);

}  // namespace ks
