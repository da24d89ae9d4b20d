// The EvalAndBound slots of the string types (same arguments as those of
// evaluators.h). The estimates interpolate between the index's bounds over
// the first bytes, characters or collation orders where key and bounds
// differ; the recorded bounds are built from the key's collation bytes or
// collation keys rather than copied, so that a scan over them meets every
// entry the key can match.
#pragma once

#include "ksslots.h"

namespace ks {

#define KS_DECLARE_STRING_EVALUATOR(Name)                                                                 \
  float Name(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format, unsigned count, \
             KsIdxBounds* outBounds)

KS_DECLARE_STRING_EVALUATOR(IStringEvalAndBound);       // KsIString (id 20)
KS_DECLARE_STRING_EVALUATOR(CaseIStringEvalAndBound);   // KsCaseIString (id 21)
KS_DECLARE_STRING_EVALUATOR(StringEvalAndBound);        // KsString (id 11), current stored form
KS_DECLARE_STRING_EVALUATOR(LegacyStringEvalAndBound);  // KsString, legacy stored form

#undef KS_DECLARE_STRING_EVALUATOR

}  // namespace ks
