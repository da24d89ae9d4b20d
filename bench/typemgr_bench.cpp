// Comparison, hashing and storing of 1M o_4b values through KsTypeMgr,
// beside the plain loops they are measured against.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "ksstring.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kCount = 1 << 20;

std::vector<int32_t> RandomValues() {
  std::vector<int32_t> values(kCount);
  std::mt19937 random(42);
  for (auto& v : values) v = static_cast<int32_t>(random());
  return values;
}

const std::vector<int32_t>& Values() {
  static const std::vector<int32_t> values = RandomValues();
  return values;
}

void BM_Reference_LexicographicalCompare(benchmark::State& state) {
  std::vector<int32_t> a = Values(), b = Values();
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end()));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

// The bytes of the two arrays that BM_TypeMgr_Cmp_Memory compares.
void BM_Reference_memcmp(benchmark::State& state) {
  std::vector<int32_t> a = Values(), b = Values();
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memcmp(a.data(), b.data(), a.size() * sizeof(int32_t)));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_Cmp_Memory(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> a = Values(), b = Values();
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Cmp(Ks4B_T, a.data(), b.data(), 0, kCount, 8));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_Cmp_BigEndian(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> values = Values();
  std::vector<unsigned char> a(kCount * 4), b(kCount * 4);
  mgr.Store(Ks4B_T, a.data(), values.data(), 2, kCount);
  b = a;
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Cmp(Ks4B_T, a.data(), b.data(), 0, kCount, 2));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Reference_XorLoop(benchmark::State& state) {
  const std::vector<int32_t>& values = Values();
  for (auto _ : state) {
    uint32_t h = 0;
    for (int32_t v : values) h ^= static_cast<uint32_t>(v);
    benchmark::DoNotOptimize(h * 1103515245u);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_Hash_Memory(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> values = Values();
  for (auto _ : state) {
    int status = 0;
    benchmark::DoNotOptimize(mgr.Hash(Ks4B_T, 0, values.data(), kCount, 8, status));
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_Reference_Memcpy(benchmark::State& state) {
  std::vector<int32_t> values = Values();
  std::vector<unsigned char> out(kCount * 4);
  for (auto _ : state) {
    std::memcpy(out.data(), values.data(), out.size());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kCount * 4);
}

void BM_TypeMgr_Store_BigEndian(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> values = Values();
  std::vector<unsigned char> out(kCount * 4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Store(Ks4B_T, out.data(), values.data(), 2, kCount));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kCount * 4);
}

BENCHMARK(BM_Reference_LexicographicalCompare);
BENCHMARK(BM_Reference_memcmp);
BENCHMARK(BM_TypeMgr_Cmp_Memory);
BENCHMARK(BM_TypeMgr_Cmp_BigEndian);
BENCHMARK(BM_Reference_XorLoop);
BENCHMARK(BM_TypeMgr_Hash_Memory);
BENCHMARK(BM_Reference_Memcpy);
BENCHMARK(BM_TypeMgr_Store_BigEndian);

}  // namespace

// ---------------------------------------------------------------------------
// Text and translation of 1M o_4b values.

namespace {

void BM_Reference_SnprintfToString(benchmark::State& state) {
  const std::vector<int32_t>& values = Values();
  for (auto _ : state) {
    for (int32_t v : values) {
      char buffer[16];
      const int n = std::snprintf(buffer, sizeof buffer, "%d", v);
      std::string text(buffer, static_cast<size_t>(n));
      benchmark::DoNotOptimize(text.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_PrintToKsString(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> values = Values();
  for (auto _ : state) {
    for (int32_t& v : values) {
      KsString text;
      mgr.PrintToKsString(Ks4B_T, text, &v, nullptr, 1);
      benchmark::DoNotOptimize(text.StrGet());
    }
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

std::vector<std::string> Texts() {
  std::vector<std::string> texts;
  texts.reserve(kCount);
  for (int32_t v : Values()) texts.push_back(std::to_string(v));
  return texts;
}

void BM_Reference_Strtol(benchmark::State& state) {
  const std::vector<std::string> texts = Texts();
  for (auto _ : state) {
    long sum = 0;
    for (const std::string& t : texts) sum += std::strtol(t.c_str(), nullptr, 10);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_ScanFromKsString(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<KsString> texts;
  texts.reserve(kCount);
  for (const std::string& t : Texts()) texts.emplace_back(t.c_str());
  for (auto _ : state) {
    int32_t sum = 0;
    for (KsString& t : texts) {
      int32_t v = 0;
      mgr.ScanFromKsString(Ks4B_T, &v, t, nullptr, 1);
      sum += v;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kCount);
}

void BM_TypeMgr_Translate_MemoryToBigEndian(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<int32_t> values = Values();
  std::vector<unsigned char> out(kCount * 4);
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        mgr.Translate(Ks4B_T, out.data(), 2, out.size(), values.data(), 8, kCount * 4, kCount));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * kCount * 4);
}

BENCHMARK(BM_Reference_SnprintfToString);
BENCHMARK(BM_TypeMgr_PrintToKsString);
BENCHMARK(BM_Reference_Strtol);
BENCHMARK(BM_TypeMgr_ScanFromKsString);
BENCHMARK(BM_TypeMgr_Translate_MemoryToBigEndian);

}  // namespace
