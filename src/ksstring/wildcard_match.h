// Matching a text against a pattern of '*' and '?' in time linear in the
// text for each pattern segment: what the comparison falls back on when its
// step-by-step walk, which retries the pattern after a star at every text
// element, has taken too long.
//
// Texts and patterns are sequences of keys (collation keys masked to the
// levels that count, or bytes). The result is the one of that walk: the
// leftmost occurrence of each segment between stars after the previous one,
// and the last segment at the end of the text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ksstring {

// A wildcard walk goes one element at a time while its steps stay within
// StepwiseWildcardSteps() plus kStepsPerTextElement for every text element
// its restart point has passed, and hands the rest to
// MatchWildcardSegments beyond: short and linear walks stay free of
// allocation, long retries become linear. Tests lower the first number so
// that short walks take the segment path too.
constexpr int kStepwiseWildcardSteps = 4096;
constexpr int kStepsPerTextElement = 8;
int StepwiseWildcardSteps();
void SetStepwiseWildcardSteps(int steps);

inline bool WildcardWalkTooLong(long long steps, long long textPassed) {
  return steps > StepwiseWildcardSteps() + kStepsPerTextElement * textPassed;
}

struct WildcardToken {
  enum Kind : uint8_t { Literal, Any, Star };
  uint32_t key;
  Kind kind;
};

struct WildcardOutcome {
  bool matched;
  // When not matched: the first token of the segment that was not found.
  size_t failedToken;
};

// REQUIRES: pattern does not start with a star (the caller has passed it)
// and is not empty.
WildcardOutcome MatchWildcardSegments(const std::vector<uint32_t>& text,
                                      const std::vector<WildcardToken>& pattern);

}  // namespace ksstring
