// The pair sets the string comparison benchmarks run: sorted neighbours
// from a generated word list, each word against a one-letter variant, and
// prose of 8 to 4,096 characters (ASCII, accented, with sharp s) against
// itself with the last character changed. As UTF-16 text; each program
// encodes them as its contenders read them.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "reference/word_list.h"

namespace bench {

struct TextPair {
  std::u16string a;
  std::u16string b;
};

struct ComparisonSet {
  std::string name;
  std::vector<TextPair> pairs;
};

// `less` orders two words as an index would; `lengths` are the prose
// lengths. The sets are "Sorted", "Variant" and kind plus length
// ("Ascii64"), in that order.
template <class Less>
std::vector<ComparisonSet> ComparisonSets(Less less, std::initializer_list<size_t> lengths) {
  constexpr size_t kWords = 10000;
  constexpr uint32_t kSeed = 20251205;
  std::vector<std::u16string> words = reference::RealisticWords(kWords, kSeed);
  std::sort(words.begin(), words.end(), less);
  std::vector<ComparisonSet> sets;
  ComparisonSet sorted{"Sorted", {}};
  for (size_t i = 0; i + 1 < words.size(); ++i) sorted.pairs.push_back({words[i], words[i + 1]});
  sets.push_back(std::move(sorted));
  ComparisonSet variant{"Variant", {}};
  for (size_t i = 0; i < words.size(); ++i)
    variant.pairs.push_back({words[i], reference::OneLetterVariant(words[i], i)});
  sets.push_back(std::move(variant));
  const std::pair<const char*, reference::ProseKind> kinds[] = {{"Ascii", reference::ProseKind::Ascii},
                                                                {"Accented", reference::ProseKind::Accented},
                                                                {"SharpS", reference::ProseKind::SharpS}};
  for (const auto& [kindName, kind] : kinds) {
    for (size_t length : lengths) {
      ComparisonSet set{std::string(kindName) + std::to_string(length), {}};
      // Enough pairs that those crossing a page end, which take a slower
      // path, are about their usual share in every run, wherever the heap
      // puts the texts (one pair of 64 8-bit characters in about 30, of
      // 16-bit ones in 16); longer texts cross often anyway, and more of
      // them would leave the first-level cache.
      const size_t count = length <= 64 ? 64 : 16;
      for (size_t offset = 0; offset < count; ++offset) {
        std::u16string a = reference::Prose(kind, length, offset * 7);
        std::u16string b = a;
        b.back() = b.back() == u'x' ? u'y' : u'x';
        set.pairs.push_back({std::move(a), std::move(b)});
      }
      sets.push_back(std::move(set));
    }
  }
  return sets;
}

}  // namespace bench
