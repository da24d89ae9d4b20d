#include "ksstring/wildcard_match.h"

#include <atomic>
#include <unordered_map>

namespace ksstring {
namespace {

std::atomic<int> gStepwiseSteps{kStepwiseWildcardSteps};

constexpr size_t kNotFound = static_cast<size_t>(-1);

bool TokenMatches(const WildcardToken& token, uint32_t key) {
  return token.kind == WildcardToken::Any || token.key == key;
}

// The leftmost occurrence at or after `from` of a segment without '?':
// Knuth-Morris-Pratt, so that each text element is looked at a bounded
// number of times.
size_t FindLiteral(const std::vector<uint32_t>& text, size_t from, const WildcardToken* segment,
                   size_t length) {
  std::vector<size_t> border(length, 0);
  for (size_t i = 1, k = 0; i < length; ++i) {
    while (k > 0 && segment[i].key != segment[k].key) k = border[k - 1];
    if (segment[i].key == segment[k].key) ++k;
    border[i] = k;
  }
  for (size_t i = from, k = 0; i < text.size(); ++i) {
    while (k > 0 && text[i] != segment[k].key) k = border[k - 1];
    if (text[i] == segment[k].key) ++k;
    if (k == length) return i + 1 - length;
  }
  return kNotFound;
}

// The leftmost occurrence of a segment with '?': the set of segment
// prefixes that end at the current text element, one bit per segment
// position, advanced by a shift and masked by the positions that accept the
// element. A key that fills many positions keeps a full mask; the others
// keep their positions, fewer than a mask has words, so that every text
// element costs a number of word operations proportional to the segment's
// length / 64 and the masks take memory proportional to the segment.
class AnyMatcher {
 public:
  AnyMatcher(const WildcardToken* segment, size_t length) : length_(length), words_((length + 63) / 64) {
    any_.assign(words_, 0);
    std::unordered_map<uint32_t, std::vector<uint32_t>> positions;
    for (size_t i = 0; i < length; ++i) {
      if (segment[i].kind == WildcardToken::Any) {
        any_[i / 64] |= uint64_t{1} << (i % 64);
      } else {
        positions[segment[i].key].push_back(static_cast<uint32_t>(i));
      }
    }
    for (auto& [key, at] : positions) {
      Accepting& accepting = accepting_[key];
      if (at.size() >= words_) {
        accepting.mask.assign(words_, 0);
        for (uint32_t i : at) accepting.mask[i / 64] |= uint64_t{1} << (i % 64);
      } else {
        accepting.positions = std::move(at);
      }
    }
  }

  size_t Find(const std::vector<uint32_t>& text, size_t from) {
    std::vector<uint64_t> prefixes(words_, 0);
    std::vector<uint32_t> kept;
    const size_t last = length_ - 1;
    for (size_t t = from; t < text.size(); ++t) {
      uint64_t carry = 1;
      for (uint64_t& word : prefixes) {
        const uint64_t out = word >> 63;
        word = word << 1 | carry;
        carry = out;
      }
      const auto found = accepting_.find(text[t]);
      if (found != accepting_.end() && !found->second.mask.empty()) {
        const std::vector<uint64_t>& mask = found->second.mask;
        for (size_t w = 0; w < words_; ++w) prefixes[w] &= any_[w] | mask[w];
      } else {
        kept.clear();
        if (found != accepting_.end()) {
          for (uint32_t i : found->second.positions) {
            if ((prefixes[i / 64] >> (i % 64) & 1) != 0) kept.push_back(i);
          }
        }
        for (size_t w = 0; w < words_; ++w) prefixes[w] &= any_[w];
        for (uint32_t i : kept) prefixes[i / 64] |= uint64_t{1} << (i % 64);
      }
      if ((prefixes[last / 64] >> (last % 64) & 1) != 0) return t + 1 - length_;
    }
    return kNotFound;
  }

 private:
  struct Accepting {
    std::vector<uint64_t> mask;       // for keys at many positions
    std::vector<uint32_t> positions;  // for the others
  };
  size_t length_;
  size_t words_;
  std::vector<uint64_t> any_;
  std::unordered_map<uint32_t, Accepting> accepting_;
};

}  // namespace

int StepwiseWildcardSteps() {
  return gStepwiseSteps.load(std::memory_order_relaxed);
}

void SetStepwiseWildcardSteps(int steps) {
  gStepwiseSteps.store(steps, std::memory_order_relaxed);
}

WildcardOutcome MatchWildcardSegments(const std::vector<uint32_t>& text,
                                      const std::vector<WildcardToken>& pattern) {
  size_t from = 0;
  size_t first = 0;
  for (;;) {
    size_t end = first;
    bool hasAny = false;
    while (end < pattern.size() && pattern[end].kind != WildcardToken::Star) {
      hasAny = hasAny || pattern[end].kind == WildcardToken::Any;
      ++end;
    }
    const WildcardToken* segment = pattern.data() + first;
    const size_t length = end - first;
    if (end == pattern.size()) {
      // The last segment ends with the pattern, so it must end with the text.
      if (text.size() - from < length) return {false, first};
      const size_t start = text.size() - length;
      for (size_t i = 0; i < length; ++i) {
        if (!TokenMatches(segment[i], text[start + i])) return {false, first};
      }
      return {true, 0};
    }
    const size_t found =
        hasAny ? AnyMatcher(segment, length).Find(text, from) : FindLiteral(text, from, segment, length);
    if (found == kNotFound) return {false, first};
    from = found + length;
    while (end < pattern.size() && pattern[end].kind == WildcardToken::Star) ++end;
    if (end == pattern.size()) return {true, 0};
    first = end;
  }
}

}  // namespace ksstring
