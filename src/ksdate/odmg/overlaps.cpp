// overlaps: whether two closed periods share a point in time.
#include "ksodmg.h"

namespace {

// Each period may be given in either order; a second period given in
// reverse that encloses the first from its far end counts as overlapping.
template <class T>
int Overlaps(const T& a1, const T& a2, const T& b1, const T& b2) {
  const bool reversed = a1 > a2;
  const T& lo = reversed ? a2 : a1;
  const T& hi = reversed ? a1 : a2;
  if ((lo <= b1 && b1 <= hi) || (lo <= b2 && b2 <= hi) || (b1 <= lo && b2 >= hi)) return 1;
  if (b2 > lo) return 0;
  return b1 >= hi ? 1 : 0;
}

}  // namespace

int overlaps(const d_Date& a1, const d_Date& a2, const d_Date& b1, const d_Date& b2) {
  return Overlaps(a1, a2, b1, b2);
}
int overlaps(const d_Time& a1, const d_Time& a2, const d_Time& b1, const d_Time& b2) {
  return Overlaps(a1, a2, b1, b2);
}
int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Timestamp& b1, const d_Timestamp& b2) {
  return Overlaps(a1, a2, b1, b2);
}
int overlaps(const d_Date& a1, const d_Date& a2, const d_Timestamp& b1, const d_Timestamp& b2) {
  return Overlaps(a1, a2, b1.date(), b2.date());
}
int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Date& b1, const d_Date& b2) {
  return Overlaps(a1.date(), a2.date(), b1, b2);
}
int overlaps(const d_Time& a1, const d_Time& a2, const d_Timestamp& b1, const d_Timestamp& b2) {
  return Overlaps(a1, a2, b1.time(), b2.time());
}
int overlaps(const d_Timestamp& a1, const d_Timestamp& a2, const d_Time& b1, const d_Time& b2) {
  return Overlaps(a1.time(), a2.time(), b1, b2);
}
