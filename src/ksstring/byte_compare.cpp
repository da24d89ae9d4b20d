#include "ksstring/byte_compare.h"

#include <cstdint>
#include <new>
#include <vector>

#include "basesvc.h"
#include "ksstring/units.h"
#include "ksstring/wildcard_match.h"

namespace ksstring {
namespace {

int Diff(const unsigned char* a, const unsigned char* b) {
  return static_cast<int>(*a) - static_cast<int>(*b);
}

}  // namespace

int CompareBytes(const char* text, const char* other, int limit) {
  auto* a = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  auto* b = reinterpret_cast<const unsigned char*>(other != nullptr ? other : "");
  for (int i = 0; limit < 0 || i < limit; ++i, ++a, ++b) {
    if (*a != *b || *a == 0) return Diff(a, b);
  }
  return 0;
}

namespace {

// The byte walk below from a restart point on, by whole segments: 0 when it
// would match, else the end of the text against the first byte of the
// segment it could not find. False when there is no memory for the bytes.
bool FinishBySegments(const unsigned char* text, const unsigned char* pattern, int& result) {
  try {
    std::vector<uint32_t> textKeys;
    for (; *text != 0; ++text) textKeys.push_back(*text);
    std::vector<WildcardToken> tokens;
    for (; *pattern != 0; ++pattern) {
      const auto kind = *pattern == '*'   ? WildcardToken::Star
                        : *pattern == '?' ? WildcardToken::Any
                                          : WildcardToken::Literal;
      tokens.push_back(WildcardToken{*pattern, kind});
    }
    const WildcardOutcome outcome = MatchWildcardSegments(textKeys, tokens);
    const WildcardToken& first = tokens[outcome.failedToken];
    result = outcome.matched ? 0 : first.kind == WildcardToken::Any ? -1 : -static_cast<int>(first.key);
    return true;
  } catch (const std::bad_alloc&) {
    KsCallMemoryHandler(0);
    return false;
  }
}

}  // namespace

int MatchBytes(const char* text, const char* pattern, int limit) {
  if (pattern == nullptr) return text != nullptr && *text != 0 ? 1 : 0;
  if (text == nullptr) return *pattern != 0 ? -1 : 0;
  auto* const start = reinterpret_cast<const unsigned char*>(text);
  auto* t = start;
  auto* p = reinterpret_cast<const unsigned char*>(pattern);
  // One remembered star: the pattern after it and the text byte from which
  // the next attempt starts. A later star replaces it, which keeps the match
  // linear in the text for every star.
  const unsigned char* starPattern = nullptr;
  const unsigned char* starText = nullptr;
  long long steps = 0;
  bool outOfMemory = false;
  for (;;) {
    if (limit >= 0 && t - start >= limit) return 0;
    if (*p == '*') {
      while (*p == '*') ++p;
      if (*p == 0) return 0;
      starPattern = p;
      starText = t;
      continue;
    }
    ++steps;
    if (*p != 0 && *t != 0 && (*p == '?' || *p == *t)) {
      ++p;
      ++t;
      continue;
    }
    if (*p == 0 && *t == 0) return 0;
    // Mismatch: let the star take one more byte, unless the text is used up.
    if (starPattern != nullptr && *starText != 0) {
      // Every restart walks the segment after the star again; a long walk
      // is finished by whole segments. Under a limit, once the restarts are
      // under way the walk ends on the limit (0) if the text reaches it.
      if (!outOfMemory && WildcardWalkTooLong(steps, starText - start)) {
        if (limit >= 0 && CountUnits(starText, 1, static_cast<size_t>(limit)) + (starText - start) >=
                              static_cast<size_t>(limit)) {
          return 0;
        }
        int result = 0;
        if (FinishBySegments(starText, starPattern, result)) return result;
        outOfMemory = true;
      }
      t = ++starText;
      p = starPattern;
      continue;
    }
    if (*p == '?') return -1;
    return Diff(t, p);
  }
}

}  // namespace ksstring
