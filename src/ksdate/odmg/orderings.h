// The orderings of the ODMG date and time classes: each follows from the
// class's != , whose result is a difference (0 when equal).
#pragma once

#define KS_ODMG_ORDERINGS(T)               \
  int operator<(const T& a, const T& b) {  \
    return (a != b) < 0;                   \
  }                                        \
  int operator<=(const T& a, const T& b) { \
    return (a != b) <= 0;                  \
  }                                        \
  int operator>(const T& a, const T& b) {  \
    return (a != b) > 0;                   \
  }                                        \
  int operator>=(const T& a, const T& b) { \
    return (a != b) >= 0;                  \
  }
