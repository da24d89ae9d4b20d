// String comparison and hashing beside their references, on the same words
// in the same run: KsStrCmp with the default operator against ICU's German
// collator (tertiary strength), strcmp and glibc strcoll_l with a German
// locale; HashString against ICU sort keys; and wildcard matching of a
// 64 KiB text against patterns of 1, 10 and 100 stars.
//
// The words are 10,000 random Latin words of 5 to 20 characters in code set
// 1 (Windows-1252); each word is compared with the next one. The "s/pair"
// counter is the time of one comparison (or one hash), "n" meaning ns.
#include <benchmark/benchmark.h>
#include <locale.h>
#include <string.h>
#include <unicode/ucnv.h>
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "i18nsvc.h"
#include "ksstrcmp.h"

namespace {

constexpr size_t kWords = 10000;

// Letters of German and French words in Windows-1252, lower case weighted
// as in running text; a third of the words start with a capital.
constexpr char kLower[] =
    "aaaabbccddeeeeeeffgghhiiiijkllmmnnnnooprrrsssstttuuvwxyz"
    "\xE4\xF6\xFC\xDF\xE9\xE8\xE0\xE7";
constexpr char kUpper[] = "ABCDEFGHIJKLMNOPRSTUVWZ\xC4\xD6\xDC\xC9";

struct Words {
  std::vector<std::string> latin1;    // code set 1
  std::vector<std::string> utf8;      // the same words for ICU and strcoll_l
  std::vector<std::u16string> utf16;  // for ICU sort keys
};

std::u16string ToUtf16(UConverter* windows1252, const std::string& word) {
  UErrorCode status = U_ZERO_ERROR;
  std::u16string out(word.size() * 2 + 1, u'\0');
  const int32_t length = ucnv_toUChars(windows1252, out.data(), static_cast<int32_t>(out.size()), word.data(),
                                       static_cast<int32_t>(word.size()), &status);
  out.resize(U_SUCCESS(status) ? length : 0);
  return out;
}

std::string ToUtf8(const std::u16string& word) {
  UErrorCode status = U_ZERO_ERROR;
  std::string out(word.size() * 3 + 1, '\0');
  int32_t length = 0;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, word.data(),
              static_cast<int32_t>(word.size()), &status);
  out.resize(U_SUCCESS(status) ? length : 0);
  return out;
}

Words MakeWords() {
  Words words;
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> length(5, 20);
  std::uniform_int_distribution<size_t> lower(0, sizeof kLower - 2);
  std::uniform_int_distribution<size_t> upper(0, sizeof kUpper - 2);
  UErrorCode status = U_ZERO_ERROR;
  UConverter* windows1252 = ucnv_open("windows-1252", &status);
  for (size_t i = 0; i < kWords; ++i) {
    std::string word;
    const int n = length(random);
    word += random() % 3 == 0 ? kUpper[upper(random)] : kLower[lower(random)];
    while (static_cast<int>(word.size()) < n) word += kLower[lower(random)];
    words.utf16.push_back(ToUtf16(windows1252, word));
    words.utf8.push_back(ToUtf8(words.utf16.back()));
    words.latin1.push_back(std::move(word));
  }
  ucnv_close(windows1252);
  return words;
}

const Words& TheWords() {
  static const Words words = MakeWords();
  return words;
}

void CountPairs(benchmark::State& state, size_t pairs) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * pairs));
  state.counters["s/pair"] =
      benchmark::Counter(static_cast<double>(pairs),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Runs compare(word i, word i + 1) over all words.
template <class Text, class Compare>
void ComparePairs(benchmark::State& state, const std::vector<Text>& words, Compare compare) {
  for (auto _ : state) {
    int sum = 0;
    for (size_t i = 0; i + 1 < words.size(); ++i) sum += compare(words[i], words[i + 1]) < 0;
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, words.size() - 1);
}

void BM_KsStrCmp_DefaultOperator(benchmark::State& state) {
  const unsigned short cmpOp = KsLanguageContext::GetDefaultCmpOp();
  ComparePairs(state, TheWords().latin1, [cmpOp](const std::string& a, const std::string& b) {
    return KsStrCmp(1, KS_LANGUAGE_GERMAN, a.c_str(), 1, KS_LANGUAGE_GERMAN, b.c_str(), cmpOp, -1, 1,
                    nullptr);
  });
}
BENCHMARK(BM_KsStrCmp_DefaultOperator);

UCollator* GermanCollator() {
  UErrorCode status = U_ZERO_ERROR;
  UCollator* collator = ucol_open("de_DE", &status);
  if (U_FAILURE(status)) return nullptr;
  ucol_setStrength(collator, UCOL_TERTIARY);
  return collator;
}

void BM_Icu_ucol_strcollUTF8(benchmark::State& state) {
  UCollator* collator = GermanCollator();
  if (collator == nullptr) {
    state.SkipWithError("no German collator");
    return;
  }
  ComparePairs(state, TheWords().utf8, [collator](const std::string& a, const std::string& b) {
    UErrorCode status = U_ZERO_ERROR;
    return static_cast<int>(ucol_strcollUTF8(collator, a.data(), static_cast<int32_t>(a.size()), b.data(),
                                             static_cast<int32_t>(b.size()), &status));
  });
  ucol_close(collator);
}
BENCHMARK(BM_Icu_ucol_strcollUTF8);

void BM_strcmp(benchmark::State& state) {
  ComparePairs(state, TheWords().latin1,
               [](const std::string& a, const std::string& b) { return strcmp(a.c_str(), b.c_str()); });
}
BENCHMARK(BM_strcmp);

// A German UTF-8 locale generated into a temporary folder, since the
// machine need not have one installed; null when it cannot be made.
locale_t GermanLocale() {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ksstrcmp_bench_locales";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path locale = folder / "de_DE.UTF-8";
  if (!std::filesystem::exists(locale / "LC_COLLATE")) {
    const std::string command = "localedef -i de_DE -f UTF-8 '" + locale.string() + "' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0 && !std::filesystem::exists(locale / "LC_COLLATE")) return nullptr;
  }
  setenv("LOCPATH", folder.c_str(), 1);
  return newlocale(LC_COLLATE_MASK, "de_DE.UTF-8", nullptr);
}

void BM_glibc_strcoll_l(benchmark::State& state) {
  static const locale_t german = GermanLocale();
  if (german == nullptr) {
    state.SkipWithError("cannot generate a de_DE.UTF-8 locale with localedef");
    return;
  }
  ComparePairs(state, TheWords().utf8, [](const std::string& a, const std::string& b) {
    return strcoll_l(a.c_str(), b.c_str(), german);
  });
}
BENCHMARK(BM_glibc_strcoll_l);

void BM_HashString(benchmark::State& state) {
  const std::vector<std::string>& words = TheWords().latin1;
  for (auto _ : state) {
    unsigned sum = 0;
    for (const std::string& word : words) sum += HashString(1, KS_LANGUAGE_GERMAN, word.c_str(), -1, 1);
    benchmark::DoNotOptimize(sum);
  }
  CountPairs(state, words.size());
}
BENCHMARK(BM_HashString);

void BM_Icu_ucol_getSortKey(benchmark::State& state) {
  UCollator* collator = GermanCollator();
  if (collator == nullptr) {
    state.SkipWithError("no German collator");
    return;
  }
  const std::vector<std::u16string>& words = TheWords().utf16;
  uint8_t key[256];
  for (auto _ : state) {
    unsigned sum = 0;
    for (const std::u16string& word : words) {
      sum += ucol_getSortKey(collator, word.data(), static_cast<int32_t>(word.size()), key, sizeof key);
    }
    benchmark::DoNotOptimize(sum);
    benchmark::ClobberMemory();
  }
  CountPairs(state, words.size());
  ucol_close(collator);
}
BENCHMARK(BM_Icu_ucol_getSortKey);

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
