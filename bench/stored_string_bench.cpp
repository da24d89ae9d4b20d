// Stored strings and UTF-8 beside their references, in the same run:
// - UTF-8 to KsString (code set 253) against ICU u_strFromUTF8, and back
//   against u_strToUTF8, over 1 MiB of text with 2% and 30% non-ASCII
//   characters, in 16 KiB pieces (a KsString holds at most 32,765 units);
// - StringStore plus StringLoad of 1M short strings against copying the same
//   characters with memcpy twice (into one buffer and back into 1M buffers);
// - StringCompare of stored records against KsStrCmp on the same strings in
//   memory, each word of a sorted word list against the next one (so that
//   most pairs share a prefix).
#include <benchmark/benchmark.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "ksmultibyte.h"
#include "ksstoredstring.h"
#include "ksstrcmp.h"
#include "ksstring.h"

namespace {

constexpr size_t kTextBytes = 1 << 20;
constexpr size_t kPieceBytes = 16 * 1024;

// 1 MiB of UTF-8 in pieces that end on character boundaries; `percent` of
// the characters are Latin letters of two bytes or signs of three.
std::vector<std::string> Utf8Pieces(int percent) {
  std::mt19937 random(20251205u + static_cast<unsigned>(percent));
  std::uniform_int_distribution<int> hundred(0, 99);
  const char* const wide[] = {"\xC3\xA9", "\xC3\xBC", "\xC3\x9F", "\xC3\xB1", "\xE2\x82\xAC", "\xC5\x93"};
  std::vector<std::string> pieces;
  std::string piece;
  size_t total = 0;
  while (total < kTextBytes) {
    if (hundred(random) < percent) {
      piece += wide[random() % 6];
    } else {
      piece += static_cast<char>(random() % 7 == 0 ? ' ' : 'a' + random() % 26);
    }
    if (piece.size() >= kPieceBytes - 4) {
      total += piece.size();
      pieces.push_back(std::move(piece));
      piece.clear();
    }
  }
  return pieces;
}

std::vector<std::u16string> Utf16Pieces(const std::vector<std::string>& utf8) {
  std::vector<std::u16string> pieces;
  for (const std::string& piece : utf8) {
    std::u16string out(piece.size(), u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, piece.data(),
                  static_cast<int32_t>(piece.size()), &status);
    out.resize(static_cast<size_t>(length));
    pieces.push_back(std::move(out));
  }
  return pieces;
}

size_t TotalBytes(const std::vector<std::string>& pieces) {
  size_t total = 0;
  for (const std::string& piece : pieces) total += piece.size();
  return total;
}

void BM_Utf8ToKsString(benchmark::State& state) {
  const auto pieces = Utf8Pieces(static_cast<int>(state.range(0)));
  KsString out;
  for (auto _ : state) {
    for (const std::string& piece : pieces) {
      benchmark::DoNotOptimize(KsMBS2KsString(piece.data(), out, static_cast<int>(piece.size())));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(pieces)));
}

void BM_IcuFromUtf8(benchmark::State& state) {
  const auto pieces = Utf8Pieces(static_cast<int>(state.range(0)));
  std::vector<UChar> out(kPieceBytes);
  for (auto _ : state) {
    for (const std::string& piece : pieces) {
      int32_t length = 0;
      UErrorCode status = U_ZERO_ERROR;
      u_strFromUTF8(out.data(), static_cast<int32_t>(out.size()), &length, piece.data(),
                    static_cast<int32_t>(piece.size()), &status);
      benchmark::DoNotOptimize(length);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(pieces)));
}

void BM_KsStringToUtf8(benchmark::State& state) {
  const auto utf8 = Utf8Pieces(static_cast<int>(state.range(0)));
  std::vector<KsString> strings(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i)
    KsMBS2KsString(utf8[i].data(), strings[i], static_cast<int>(utf8[i].size()));
  std::vector<char> out(kPieceBytes + 16);
  for (auto _ : state) {
    for (const KsString& s : strings) {
      benchmark::DoNotOptimize(KsString2KsMBS(s, out.data(), static_cast<int>(out.size())));
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(utf8)));
}

void BM_IcuToUtf8(benchmark::State& state) {
  const auto utf8 = Utf8Pieces(static_cast<int>(state.range(0)));
  const auto utf16 = Utf16Pieces(utf8);
  std::vector<char> out(kPieceBytes + 16);
  for (auto _ : state) {
    for (const std::u16string& piece : utf16) {
      int32_t length = 0;
      UErrorCode status = U_ZERO_ERROR;
      u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, piece.data(),
                  static_cast<int32_t>(piece.size()), &status);
      benchmark::DoNotOptimize(length);
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * TotalBytes(utf8)));
}

BENCHMARK(BM_Utf8ToKsString)->Arg(2)->Arg(30);
BENCHMARK(BM_IcuFromUtf8)->Arg(2)->Arg(30);
BENCHMARK(BM_KsStringToUtf8)->Arg(2)->Arg(30);
BENCHMARK(BM_IcuToUtf8)->Arg(2)->Arg(30);

constexpr size_t kShortStrings = 1000000;

std::vector<std::string> ShortWords(size_t count) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> length(5, 20);
  std::vector<std::string> words(count);
  for (std::string& word : words) {
    const int n = length(random);
    for (int i = 0; i < n; ++i) word += static_cast<char>('a' + random() % 26);
  }
  return words;
}

void BM_StoreAndLoad(benchmark::State& state) {
  const auto words = ShortWords(kShortStrings);
  std::vector<KsString> strings(words.size()), loaded(words.size());
  for (size_t i = 0; i < words.size(); ++i) strings[i] = words[i].c_str();
  std::vector<unsigned char> stored(
      StringSizeGet(strings.data(), 8, 1, static_cast<unsigned>(strings.size())));
  for (auto _ : state) {
    StringStore(stored.data(), strings.data(), 1, static_cast<unsigned>(strings.size()));
    benchmark::DoNotOptimize(
        StringLoad(loaded.data(), stored.data(), 1, static_cast<unsigned>(loaded.size())));
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * words.size()));
}

void BM_MemcpyTwice(benchmark::State& state) {
  const auto words = ShortWords(kShortStrings);
  std::vector<std::vector<char>> back(words.size());
  size_t total = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    back[i].resize(words[i].size() + 1);
    total += words[i].size();
  }
  std::vector<char> packed(total);
  for (auto _ : state) {
    size_t at = 0;
    for (const std::string& word : words) {
      std::memcpy(packed.data() + at, word.data(), word.size());
      at += word.size();
    }
    at = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      std::memcpy(back[i].data(), packed.data() + at, words[i].size());
      at += words[i].size();
    }
    benchmark::DoNotOptimize(back.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * words.size()));
}

BENCHMARK(BM_StoreAndLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyTwice)->Unit(benchmark::kMillisecond);

constexpr size_t kKeys = 20000;

// Sorted words, so neighbours share prefixes as index keys do.
std::vector<std::string> SortedKeys() {
  auto words = ShortWords(kKeys);
  for (size_t i = 0; i < words.size(); i += 3) words[i][0] = 'k';
  std::sort(words.begin(), words.end());
  return words;
}

// The records packed one after the other, as on an index page.
void BM_StringCompareStored(benchmark::State& state) {
  const auto words = SortedKeys();
  std::vector<KsString> strings(words.size());
  for (size_t i = 0; i < words.size(); ++i) strings[i] = words[i].c_str();
  std::vector<unsigned char> page(StringSizeGet(strings.data(), 8, 1, static_cast<unsigned>(strings.size())));
  StringStore(page.data(), strings.data(), 1, static_cast<unsigned>(strings.size()));
  std::vector<size_t> offsets;
  for (size_t at = 0; at < page.size(); at += 2 + (page[at] | page[at + 1] << 8)) offsets.push_back(at);
  for (auto _ : state) {
    for (size_t i = 0; i + 1 < offsets.size(); ++i) {
      int status = 0;
      benchmark::DoNotOptimize(
          StringCompare(1, 0, page.data() + offsets[i], 0, page.data() + offsets[i + 1], 0, 1, status));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (offsets.size() - 1)));
}

void BM_KsStrCmpInMemory(benchmark::State& state) {
  const auto words = SortedKeys();
  std::vector<KsString> strings(words.size());
  for (size_t i = 0; i < words.size(); ++i) strings[i] = words[i].c_str();
  for (auto _ : state) {
    for (size_t i = 0; i + 1 < strings.size(); ++i) {
      const KsString& a = strings[i];
      const KsString& b = strings[i + 1];
      benchmark::DoNotOptimize(KsStrCmp(a.CodeSet(), a.Language(), a.StrGet(), b.CodeSet(), b.Language(),
                                        b.StrGet(), 0, -1, 1, nullptr));
    }
  }
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * (strings.size() - 1)));
}

BENCHMARK(BM_StringCompareStored);
BENCHMARK(BM_KsStrCmpInMemory);

}  // namespace
