// The counting rule that every evaluator shares: how much of the index's
// key range a comparison selects.
#pragma once

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "kstypevl/eval_flags.h"

namespace ks::evaluate {

// A difference that overflowed or had no meaning (infinite bounds, NaN keys)
// still counts, as the largest finite amount.
inline double FiniteDifference(double difference) {
  return std::isfinite(difference) ? difference : DBL_MAX;
}

// How much of the closed range [low, high] satisfies the comparison in
// `flags` with a key that covers [keyLow, keyHigh] (both the same for a key
// without wildcards), in steps of `unit`. A key beyond the range counts as
// lying one unit outside it, so that less-than a key above the range selects
// all of it and nothing more.
inline double Overlap(unsigned short flags, double keyLow, double keyHigh, double low, double high,
                      double unit) {
  double selected = 0;
  if (flags & kGreaterThan) {
    const double above = FiniteDifference(high - (keyHigh >= low ? keyHigh : low - unit));
    if (above > 0) selected += above;
  }
  if (flags & kLessThan) {
    const double below = FiniteDifference((keyLow <= high ? keyLow : high + unit) - low);
    if (below > 0) selected += below;
  }
  if (flags & kEqual) {
    const double equal = FiniteDifference(std::min(keyHigh, high) - std::max(low, keyLow) + unit);
    if (equal > 0) selected += equal;
  }
  return selected;
}

}  // namespace ks::evaluate
