// Operators the ODMG date and time classes share: the orderings, each
// following from the class's != (a difference, 0 when equal), and the free
// moves by an interval.
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

// The free moves by an interval, on a copy, through the class's += and -=.
#define KS_ODMG_INTERVAL_MOVES(T)                           \
  T operator+(const T& value, const d_Interval& interval) { \
    T result = value;                                       \
    return result += interval;                              \
  }                                                         \
  T operator+(const d_Interval& interval, const T& value) { \
    return value + interval;                                \
  }                                                         \
  T operator-(const T& value, const d_Interval& interval) { \
    T result = value;                                       \
    return result -= interval;                              \
  }
