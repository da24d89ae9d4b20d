// The counting rule of the nullable types: Overlap where the key and both
// bounds are numbers, and fixed shares where a null takes part, since a
// null has no distance to a number.
#pragma once

#include "kstypevl/eval_flags.h"
#include "kstypevl/overlap.h"

namespace ks::evaluate {

// A value of a nullable type as the counting sees it; a null holds 0.
struct NullableNumber {
  double value = 0;
  bool isNull = false;
};

// What a comparison selects when a null key or a null low bound leaves no
// distance to measure: half of the range for less-than or greater-than.
constexpr double kShareAcrossNull = 0.5;
// Equality of a number with an index that starts at nulls.
constexpr double kShareEqualBesideNulls = 0.1;
// Equality of a null key with an index that starts at nulls.
constexpr double kShareEqualToNulls = 0.001;

// How much of [low, high] the comparison in `flags` selects with `key`,
// nulls sorting before every number, in steps of 1. With a null high bound
// the index holds nulls only, and only a null key can equal them; a null
// key is never less than anything.
//
// The rule where all three are numbers is Overlap's: the stated steps
// (greater-than adds high - (low - 1 if low > key, else key), and so on) are
// Overlap's steps for a plain key, and its treatment of NaN and infinite
// differences keeps a nullable double estimating as its base type does.
inline double NullAwareOverlap(unsigned short flags, NullableNumber key, NullableNumber low,
                               NullableNumber high) {
  if (!key.isNull && !low.isNull && !high.isNull)
    return Overlap(flags, key.value, key.value, low.value, high.value, 1);
  if (high.isNull) return (flags & kEqual) != 0 && key.isNull && low.isNull ? kShareEqualToNulls : 0;
  // The high bound is a number, and the key or the low bound is null.
  double selected = 0;
  if (flags & kGreaterThan) selected += kShareAcrossNull;
  if ((flags & kLessThan) && !key.isNull) selected += kShareAcrossNull;
  if (flags & kEqual) {
    if (!key.isNull) {
      selected += kShareEqualBesideNulls;
    } else if (low.isNull) {
      selected += kShareEqualToNulls;
    }
  }
  return selected;
}

}  // namespace ks::evaluate
