// Comparison, hashing and storing of 1M o_4b values through KsTypeMgr,
// beside the plain loops they are measured against.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

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
BENCHMARK(BM_TypeMgr_Cmp_Memory);
BENCHMARK(BM_TypeMgr_Cmp_BigEndian);
BENCHMARK(BM_Reference_XorLoop);
BENCHMARK(BM_TypeMgr_Hash_Memory);
BENCHMARK(BM_Reference_Memcpy);
BENCHMARK(BM_TypeMgr_Store_BigEndian);

}  // namespace
