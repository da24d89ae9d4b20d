#include "ksstring/byte_compare.h"

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
  for (;;) {
    if (limit >= 0 && t - start >= limit) return 0;
    if (*p == '*') {
      while (*p == '*') ++p;
      if (*p == 0) return 0;
      starPattern = p;
      starText = t;
      continue;
    }
    if (*p != 0 && *t != 0 && (*p == '?' || *p == *t)) {
      ++p;
      ++t;
      continue;
    }
    if (*p == 0 && *t == 0) return 0;
    // Mismatch: let the star take one more byte, unless the text is used up.
    if (starPattern != nullptr && *starText != 0) {
      t = ++starText;
      p = starPattern;
      continue;
    }
    if (*p == '?') return -1;
    return Diff(t, p);
  }
}

}  // namespace ksstring
