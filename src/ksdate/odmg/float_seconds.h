// The float arithmetic of the ODMG times: whole seconds of a float, and the
// split of a second count into whole seconds and hundredths.
//
// The values are declared float and are calculated in float: a double
// calculation gives other hundredths for 48 of the 100 fractions .00-.99
// (0.29f gives 29 in float, 28 in double), and stored hundredths were made in
// float. Conversions to integers hold at the ends of their range instead of
// overflowing, and NaN counts as 0.
#pragma once

#include <cmath>
#include <cstdint>

#include "ksdate/saturating.h"

namespace ks::odmg {

inline long long WholeSeconds(float seconds) {
  return ks::calendar::TruncateToInt64(seconds);
}

inline int WholeInt(float value) {
  return ks::calendar::ClampToInt(ks::calendar::TruncateToInt64(value));
}

struct SecondParts {
  int8_t second;
  int8_t hundredths;
};

// second = trunc(s), hundredths = trunc((s - trunc(s)) * 100), in float.
inline SecondParts SplitSecond(float seconds) {
  const float whole = std::trunc(seconds);
  const float fraction = seconds - whole;
  const float hundredths = fraction * 100.0f;
  return {static_cast<int8_t>(WholeInt(whole)), static_cast<int8_t>(WholeInt(hundredths))};
}

// The seconds of the minute with their fraction: s - trunc(s) + trunc(s) mod 60.
inline float SecondOfMinute(float seconds) {
  const long long whole = WholeSeconds(seconds);
  return (seconds - std::trunc(seconds)) + static_cast<float>(whole % 60);
}

}  // namespace ks::odmg
