// KsStrCmp with arbitrary code sets, languages, flags, limits and patterns:
// no crash, no read beyond the terminators, bounded time; the same result
// and match position output as the step-by-step walk of the tests for
// inputs short enough for it; and, for plain bytes with wildcards, a match
// exactly when a simple dynamic-programming matcher says so.
//
// Input layout: byte 0 and 1 code set choices, 2 and 3 language choices,
// 4 and 5 the flags, 6 the limit, 7 the hand-over choice, then the text and
// the pattern separated by the first newline.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ksstrcmp.h"
#include "ksstring/wildcard_match.h"
#include "reference/stepwise_strcmp.h"

namespace {

constexpr unsigned char kCodeSets[] = {0, 1, 2, 253, 254, 255, 7};
constexpr unsigned char kLanguages[] = {0, 1, 2, 3, 4, 5, 254, 255};
// The walk is quadratic; beyond this many bytes only the library runs.
constexpr size_t kReferenceBytes = 600;

// The bytes as a zero-terminated unit buffer of the code set's width (255,
// the default, is the default 8-bit code set).
std::string Terminated(const uint8_t* data, size_t size, unsigned char codeSet) {
  std::string units(reinterpret_cast<const char*>(data), size);
  if (codeSet > 224 && codeSet != 255) {
    if (units.size() % 2 != 0) units += '\0';
    units.append(2, '\0');
  } else {
    units += '\0';
  }
  return units;
}

// Plain glob over bytes up to their terminators: '*' any run, '?' one byte.
bool GlobMatches(const char* text, const char* pattern) {
  const size_t n = std::char_traits<char>::length(text);
  const size_t m = std::char_traits<char>::length(pattern);
  // matches[j]: pattern[0..j) matches the text read so far.
  std::vector<char> matches(m + 1, 0);
  matches[0] = 1;
  for (size_t j = 1; j <= m && pattern[j - 1] == '*'; ++j) matches[j] = 1;
  for (size_t i = 0; i < n; ++i) {
    std::vector<char> next(m + 1, 0);
    for (size_t j = 1; j <= m; ++j) {
      const char p = pattern[j - 1];
      if (p == '*') {
        next[j] = next[j - 1] || matches[j];
      } else if (p == '?' || p == text[i]) {
        next[j] = matches[j - 1];
      }
    }
    matches.swap(next);
  }
  return matches[m] != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  const unsigned char cs1 = kCodeSets[data[0] % std::size(kCodeSets)];
  const unsigned char cs2 = kCodeSets[data[1] % std::size(kCodeSets)];
  const unsigned char lang1 = kLanguages[data[2] % std::size(kLanguages)];
  const unsigned char lang2 = kLanguages[data[3] % std::size(kLanguages)];
  const auto cmpOp = static_cast<unsigned short>(data[4] | data[5] << 8);
  const short length = data[6] < 200 ? static_cast<short>(-1) : static_cast<short>(data[6] - 200);
  ksstring::SetStepwiseWildcardSteps(data[7] % 2 == 0 ? 0 : ksstring::kStepwiseWildcardSteps);
  const uint8_t* body = data + 8;
  const size_t bodySize = size - 8;
  size_t split = 0;
  while (split < bodySize && body[split] != '\n') ++split;
  const size_t patternStart = split < bodySize ? split + 1 : bodySize;
  const std::string text = Terminated(body, split, cs1);
  const std::string pattern = Terminated(body + patternStart, bodySize - patternStart, cs2);

  for (unsigned char format : {1, 2}) {
    int match = 7;
    const int result =
        KsStrCmp(cs1, lang1, text.c_str(), cs2, lang2, pattern.c_str(), cmpOp, length, format, &match);
    if (size <= kReferenceBytes) {
      int expectedMatch = 7;
      const int expected = reference::StepwiseStrCmp(cs1, lang1, text.c_str(), cs2, lang2, pattern.c_str(),
                                                     cmpOp, length, format, &expectedMatch);
      if (result != expected || match != expectedMatch) std::abort();
    }
    if (cs1 == 0 && cs2 == 0 && lang1 != 254 && lang2 != 254 && (cmpOp & 0x110) == 0 && length < 0 &&
        (result == 0) != GlobMatches(text.c_str(), pattern.c_str())) {
      std::abort();
    }
  }
  ksstring::SetStepwiseWildcardSteps(ksstring::kStepwiseWildcardSteps);
  return 0;
}
