// The EvalAndBound slots of the type table: per type, the estimated share
// of an index that a comparison with a key selects, and the scan bounds it
// records (see numeric_frame.h, overlap.h and bound_recording.h).
//
// Every slot has the same arguments: the index's current bounds (may be
// null), the flags word (the comparison in, the inexact bit out), the key in
// the stored form named by format, the element count (which only sizes the
// recorded bounds) and the output bounds (may be null).
// REQUIRES: the key holds `count` values of its stored form, and at least
// one (the estimate reads the first).
#pragma once

#include "ksslots.h"

namespace ks {

#define KS_DECLARE_EVALUATOR(Name)                                                                        \
  float Name(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format, unsigned count, \
             KsIdxBounds* outBounds)

// The numeric frame over the primitive layouts.
KS_DECLARE_EVALUATOR(CharEvalAndBound);      // o_char: signed byte
KS_DECLARE_EVALUATOR(ByteEvalAndBound);      // o_u1b
KS_DECLARE_EVALUATOR(ShortEvalAndBound);     // o_2b
KS_DECLARE_EVALUATOR(WordEvalAndBound);      // o_u2b
KS_DECLARE_EVALUATOR(LongEvalAndBound);      // o_4b
KS_DECLARE_EVALUATOR(DwordEvalAndBound);     // o_u4b, BlockId
KS_DECLARE_EVALUATOR(IntEvalAndBound);       // int, enum
KS_DECLARE_EVALUATOR(UnsignedEvalAndBound);  // unsigned
KS_DECLARE_EVALUATOR(DoubleEvalAndBound);    // o_double: with the floating floor
KS_DECLARE_EVALUATOR(FloatEvalAndBound);     // o_float, d_Interval: with the floating floor
KS_DECLARE_EVALUATOR(O_8BEvalAndBound);      // o_8b: with the zero-count rule
KS_DECLARE_EVALUATOR(O_U8BEvalAndBound);     // o_u8b: with the zero-count rule

// The value classes.
KS_DECLARE_EVALUATOR(Int64EvalAndBound);    // KsInt64: numeric, zero-count rule
KS_DECLARE_EVALUATOR(SealEvalAndBound);     // KsSeal: numeric, zero-count rule
KS_DECLARE_EVALUATOR(BooleanEvalAndBound);  // KsBoolean: a third of the index when it has bounds
KS_DECLARE_EVALUATOR(BlobEvalAndBound);     // KsBlob: the whole index, nothing recorded

// The identities.
KS_DECLARE_EVALUATOR(ObjIdEvalAndBound);    // KsObjId: numeric, counts even without bounds
KS_DECLARE_EVALUATOR(ClassIdEvalAndBound);  // KsClassId: the whole index, nothing recorded
KS_DECLARE_EVALUATOR(RefEvalAndBound);      // KsRef: against the whole identity space

// Dates and times of day, with wildcard fields.
KS_DECLARE_EVALUATOR(DateEvalAndBound);          // KsDate
KS_DECLARE_EVALUATOR(TimeEvalAndBound);          // KsTime
KS_DECLARE_EVALUATOR(DateTimeEvalAndBound);      // KsDateTime
KS_DECLARE_EVALUATOR(DateTimeNanoEvalAndBound);  // KsDateTimeN, KsTimeSpan: the nanoseconds widen too

// The ODMG dates and times, counted without clipping to the index range.
KS_DECLARE_EVALUATOR(DDateEvalAndBound);       // d_Date: day index, wildcard fields
KS_DECLARE_EVALUATOR(DTimeEvalAndBound);       // d_Time: seconds, no wildcards
KS_DECLARE_EVALUATOR(DTimestampEvalAndBound);  // d_Timestamp: day index and seconds

#undef KS_DECLARE_EVALUATOR

}  // namespace ks
