// String comparison and hashing beside their references, on the same text
// in the same run: KsStrCmp (German, default operator and case- and
// accent-insensitive, code sets 1 and 253; under a limit, which walks unit
// by unit; code set 1 against 253, which walks through iterators) against
// ICU's German collator (tertiary strength) on UTF-8, strcmp on the
// Windows-1252 bytes and memcmp on the UTF-16 units; HashString against ICU
// sort keys; and wildcard matching of a 64 KiB text against patterns of 1,
// 10 and 100 stars.
//
// The data is what an index compares (tests/reference/word_list.h): a
// generated list of German, French and Spanish words sorted by KsStrCmp and
// compared with their neighbours; each word against a one-letter case or
// accent variant; and texts of 8 to 4,096 characters of ASCII, accented and
// sharp-s prose against the same text with its last character changed.
// Every encoding of a set lies in one block per side (TextBlock), so that
// no contender reads from scattered heap strings where another reads from
// inside its string objects. The "s/pair" counter is the time of one
// comparison (or one hash).
#include <benchmark/benchmark.h>
#include <string.h>
#include <unicode/ucol.h>

#include <algorithm>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "comparison_sets.h"
#include "i18nsvc.h"
#include "ksstrcmp.h"
#include "reference/word_list.h"

namespace {

// The texts of one side of a pair set in one encoding, one after another
// in one block, each zero-terminated: every contender reads its texts from
// the same kind of place, where strings of different lengths and widths
// would put some inside their string objects and the others on the heap.
template <class Char>
class TextBlock {
 public:
  void Add(const std::basic_string<Char>& text) {
    starts_.push_back(chars_.size());
    chars_.insert(chars_.end(), text.begin(), text.end());
    chars_.push_back(0);
  }
  size_t size() const { return starts_.size(); }
  // The text; its data() is zero-terminated.
  std::basic_string_view<Char> operator[](size_t i) const {
    const size_t end = i + 1 < starts_.size() ? starts_[i + 1] : chars_.size();
    return {chars_.data() + starts_[i], end - starts_[i] - 1};
  }

 private:
  std::vector<Char> chars_;
  std::vector<size_t> starts_;
};

// One pair set in every encoding the contenders read.
struct Pairs {
  TextBlock<char> cp1252[2];
  TextBlock<char16_t> utf16[2];
  TextBlock<char> utf8[2];
  void Add(const std::u16string& a, const std::u16string& b) {
    const std::u16string* both[2] = {&a, &b};
    for (int side = 0; side < 2; ++side) {
      utf16[side].Add(*both[side]);
      cp1252[side].Add(reference::ToWindows1252(*both[side]));
      utf8[side].Add(reference::ToUtf8(*both[side]));
    }
  }
};

unsigned short DefaultOperator() {
  return KsLanguageContext::GetDefaultCmpOp();
}

const std::map<std::string, Pairs>& AllPairs() {
  static const std::map<std::string, Pairs> all = [] {
    const unsigned short cmpOp = DefaultOperator();
    const auto less = [cmpOp](const std::u16string& a, const std::u16string& b) {
      return KsStrCmp(253, KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(a.c_str()), 253,
                      KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(b.c_str()), cmpOp, -1, 1,
                      nullptr) < 0;
    };
    std::map<std::string, Pairs> sets;
    for (const bench::ComparisonSet& set : bench::ComparisonSets(less, {8, 64, 512, 4096})) {
      Pairs& pairs = sets[set.name];
      for (const bench::TextPair& pair : set.pairs) pairs.Add(pair.a, pair.b);
    }
    return sets;
  }();
  return all;
}

void CountPairs(benchmark::State& state, size_t pairs) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pairs));
  state.counters["s/pair"] =
      benchmark::Counter(static_cast<double>(pairs),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <class Char, class Compare>
void RunPairs(benchmark::State& state, const TextBlock<Char> (&sides)[2], Compare compare) {
  for (auto _ : state) {
    int sum = 0;
    for (size_t i = 0; i < sides[0].size(); ++i) sum += compare(sides[0][i], sides[1][i]) < 0;
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, sides[0].size());
}

UCollator* GermanCollator() {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open("de_DE", &status);
  if (U_FAILURE(status)) return nullptr;
  ucol_setStrength(collator, UCOL_TERTIARY);
  return collator;
}

UCollator* TheCollator() {
  static UCollator* const collator = GermanCollator();
  return collator;
}

constexpr unsigned short kInsensitive = KS_CMP_CASE_INSENSITIVE | KS_CMP_ACCENT_INSENSITIVE;

// A limit longer than any text makes the same comparison count every
// order it fetches: the walk goes unit by unit, without the vector scan.
constexpr short kWalkLimit = 30000;

void KsStrCmp8(benchmark::State& state, const Pairs& pairs, unsigned short extra, short length = -1) {
  const unsigned short cmpOp = DefaultOperator() | extra;
  RunPairs(state, pairs.cp1252, [cmpOp, length](std::string_view a, std::string_view b) {
    return KsStrCmp(1, KS_LANGUAGE_GERMAN, a.data(), 1, KS_LANGUAGE_GERMAN, b.data(), cmpOp, length, 1,
                    nullptr);
  });
}

void KsStrCmp16(benchmark::State& state, const Pairs& pairs, unsigned short extra) {
  const unsigned short cmpOp = DefaultOperator() | extra;
  RunPairs(state, pairs.utf16, [cmpOp](std::u16string_view a, std::u16string_view b) {
    return KsStrCmp(253, KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(a.data()), 253, KS_LANGUAGE_GERMAN,
                    reinterpret_cast<const char*>(b.data()), cmpOp, -1, 1, nullptr);
  });
}

// Code set 1 against code set 253: no table serves both, so every pair
// takes the collation walk through iterators.
void KsStrCmpAcrossCodeSets(benchmark::State& state, const Pairs& pairs) {
  const unsigned short cmpOp = DefaultOperator();
  const TextBlock<char>& text = pairs.cp1252[0];
  const TextBlock<char16_t>& pattern = pairs.utf16[1];
  for (auto _ : state) {
    int sum = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      sum += KsStrCmp(1, KS_LANGUAGE_GERMAN, text[i].data(), 253, KS_LANGUAGE_GERMAN,
                      reinterpret_cast<const char*>(pattern[i].data()), cmpOp, -1, 1, nullptr) < 0;
    }
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, text.size());
}

void Icu(benchmark::State& state, const Pairs& pairs) {
  UCollator* collator = TheCollator();
  if (collator == nullptr) {
    state.SkipWithError("no German collator");
    return;
  }
  RunPairs(state, pairs.utf8, [collator](std::string_view a, std::string_view b) {
    UErrorCode status = U_ZERO_ERROR;
    return static_cast<int>(ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                             static_cast<int32_t>(b.size()), &status));
  });
}

void Strcmp(benchmark::State& state, const Pairs& pairs) {
  RunPairs(state, pairs.cp1252,
           [](std::string_view a, std::string_view b) { return strcmp(a.data(), b.data()); });
}

// The 16-bit counterpart of strcmp: units compared as bytes up to the end
// of the shorter text.
void Memcmp16(benchmark::State& state, const Pairs& pairs) {
  RunPairs(state, pairs.utf16, [](std::u16string_view a, std::u16string_view b) {
    return memcmp(a.data(), b.data(), 2 * (std::min(a.size(), b.size()) + 1));
  });
}

void BM_HashString8(benchmark::State& state) {
  const TextBlock<char>& words = AllPairs().at("Variant").cp1252[0];
  for (auto _ : state) {
    unsigned sum = 0;
    for (size_t i = 0; i < words.size(); ++i)
      sum += HashString(1, KS_LANGUAGE_GERMAN, words[i].data(), -1, 1);
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, words.size());
}
BENCHMARK(BM_HashString8);

void BM_HashString16(benchmark::State& state) {
  const TextBlock<char16_t>& words = AllPairs().at("Variant").utf16[0];
  for (auto _ : state) {
    unsigned sum = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      sum += HashString(253, KS_LANGUAGE_GERMAN, reinterpret_cast<const char*>(words[i].data()), -1, 1);
    }
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, words.size());
}
BENCHMARK(BM_HashString16);

void BM_Icu_ucol_getSortKey(benchmark::State& state) {
  UCollator* collator = TheCollator();
  if (collator == nullptr) {
    state.SkipWithError("no German collator");
    return;
  }
  const TextBlock<char16_t>& words = AllPairs().at("Variant").utf16[0];
  uint8_t key[512];
  for (auto _ : state) {
    unsigned sum = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      const std::u16string_view word = words[i];
      sum += ucol_getSortKey(collator, word.data(), static_cast<int32_t>(word.size()), key, sizeof key);
    }
    benchmark::DoNotOptimize(sum);
    benchmark::ClobberMemory();
  }
  CountPairs(state, words.size());
}
BENCHMARK(BM_Icu_ucol_getSortKey);

// Every contender on every pair set, named "<set>/<contender>".
const bool kRegistered = [] {
  for (const auto& [name, pairs] : AllPairs()) {
    const Pairs* p = &pairs;
    benchmark::RegisterBenchmark((name + "/KsStrCmp1").c_str(),
                                 [p](benchmark::State& s) { KsStrCmp8(s, *p, 0); });
    benchmark::RegisterBenchmark((name + "/KsStrCmp1_ci_ai").c_str(),
                                 [p](benchmark::State& s) { KsStrCmp8(s, *p, kInsensitive); });
    benchmark::RegisterBenchmark((name + "/KsStrCmp253").c_str(),
                                 [p](benchmark::State& s) { KsStrCmp16(s, *p, 0); });
    benchmark::RegisterBenchmark((name + "/KsStrCmp253_ci_ai").c_str(),
                                 [p](benchmark::State& s) { KsStrCmp16(s, *p, kInsensitive); });
    benchmark::RegisterBenchmark((name + "/KsStrCmp1_walk").c_str(),
                                 [p](benchmark::State& s) { KsStrCmp8(s, *p, 0, kWalkLimit); });
    benchmark::RegisterBenchmark((name + "/KsStrCmp1_253_walk").c_str(),
                                 [p](benchmark::State& s) { KsStrCmpAcrossCodeSets(s, *p); });
    benchmark::RegisterBenchmark((name + "/ICU").c_str(), [p](benchmark::State& s) { Icu(s, *p); });
    benchmark::RegisterBenchmark((name + "/strcmp").c_str(), [p](benchmark::State& s) { Strcmp(s, *p); });
    benchmark::RegisterBenchmark((name + "/memcmp16").c_str(), [p](benchmark::State& s) { Memcmp16(s, *p); });
  }
  return true;
}();

// "aaaa…" (64 KiB) against "*a*a…*a*b" with `stars` stars: no match, and
// every star tries every remaining text position once.
void BM_KsStrCmp_Wildcards(benchmark::State& state) {
  const int stars = static_cast<int>(state.range(0));
  const std::string text(64 * 1024, 'a');
  std::string pattern;
  for (int i = 1; i < stars; ++i) pattern += "*a";
  pattern += "*b";
  int result = 0;
  for (auto _ : state) {
    result = KsStrCmp(1, KS_LANGUAGE_GERMAN, text.c_str(), 1, KS_LANGUAGE_GERMAN, pattern.c_str(), 0, -1, 1,
                      nullptr);
    benchmark::DoNotOptimize(result);
  }
  if (result == 0) state.SkipWithError("the pattern must not match");
  state.counters["s/(star*KiB)"] = benchmark::Counter(
      stars * 64.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_KsStrCmp_Wildcards)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMicrosecond);

}  // namespace
