// Division that rounds toward minus infinity, for carries in which a negative
// remainder borrows one from the next larger unit.
#pragma once

namespace ks::calendar {

struct FloorSplit {
  long long quotient;
  long long remainder;  // 0 <= remainder < divisor
};

// REQUIRES: divisor > 0.
inline FloorSplit FloorDivide(long long value, long long divisor) {
  long long q = value / divisor;
  long long r = value % divisor;
  if (r < 0) {
    r += divisor;
    --q;
  }
  return {q, r};
}

}  // namespace ks::calendar
