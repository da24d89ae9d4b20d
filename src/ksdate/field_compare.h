// Field-by-field comparison of dates and times, shared by KsDate and KsTime.
#pragma once

namespace ks::calendar {

// Bit of the compare flags that turns the -1 wildcards off.
constexpr unsigned short kNoWildcards = 0x10;

// The difference (a - b) of the first differing of three fields, most
// significant first; with wildcards on, a field that is -1 on either side is
// skipped. 0 when no field decides.
inline int CompareThreeFields(const int (&a)[3], const int (&b)[3], bool wildcards) {
  for (int i = 0; i < 3; ++i) {
    if (wildcards && (a[i] == -1 || b[i] == -1)) continue;
    if (a[i] != b[i]) return a[i] - b[i];
  }
  return 0;
}

inline bool WildcardsOn(unsigned short flags) {
  return (flags & kNoWildcards) == 0;
}

}  // namespace ks::calendar
