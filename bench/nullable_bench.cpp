// Comparison and hashing of 1M KsNull_int elements in memory form through
// KsTypeMgr, beside the same operations on 1M plain int values, the
// reference they are measured against in the same run.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "ksnullable.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kCount = 1 << 20;

// Random numbers; every sixteenth element of the nullable array is null,
// and the int array holds 0 there.
struct Arrays {
  std::vector<int> plain;
  std::vector<KsNull_int> nullable;
};

const Arrays& Values() {
  static const Arrays arrays = [] {
    Arrays a{std::vector<int>(kCount), std::vector<KsNull_int>(kCount)};
    std::mt19937 random(42);
    for (unsigned i = 0; i < kCount; ++i) {
      const bool isNull = i % 16 == 0;
      a.plain[i] = isNull ? 0 : static_cast<int>(random());
      a.nullable[i] = KsNull_int{a.plain[i], static_cast<unsigned char>(isNull ? 1 : 0)};
    }
    return a;
  }();
  return arrays;
}

// Equal arrays, so that the comparison walks every element.
template <class T>
void Compare(benchmark::State& state, char type, const std::vector<T>& values) {
  KsTypeMgr mgr;
  const auto count = static_cast<unsigned>(state.range(0));
  std::vector<T> a = values, b = values;
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Cmp(type, a.data(), b.data(), 0, count, 8));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * count);
}

template <class T>
void Hash(benchmark::State& state, char type, const std::vector<T>& values) {
  KsTypeMgr mgr;
  const auto count = static_cast<unsigned>(state.range(0));
  std::vector<T> a = values;
  for (auto _ : state) {
    int status = 0;
    benchmark::DoNotOptimize(mgr.Hash(type, 0, a.data(), count, 8, status));
  }
  state.SetItemsProcessed(state.iterations() * count);
}

void BM_Reference_Int_Cmp(benchmark::State& state) {
  Compare(state, KsINT_T, Values().plain);
}
void BM_KsNull_int_Cmp(benchmark::State& state) {
  Compare(state, KsNULL_INT_T, Values().nullable);
}
// The floor of the nullable comparison: memcmp over the same bytes, which
// a walk that finds the arrays equal has to read.
void BM_Floor_MemcmpOfNullableBytes(benchmark::State& state) {
  const auto count = static_cast<unsigned>(state.range(0));
  std::vector<KsNull_int> a = Values().nullable, b = Values().nullable;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::memcmp(a.data(), b.data(), count * sizeof(KsNull_int)));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * count);
}
void BM_Reference_Int_Hash(benchmark::State& state) {
  Hash(state, KsINT_T, Values().plain);
}
void BM_KsNull_int_Hash(benchmark::State& state) {
  Hash(state, KsNULL_INT_T, Values().nullable);
}

// 1M elements, the measure asked for, and 64K, which stay in the cache, to
// tell memory traffic (a nullable element is twice the bytes of an int)
// from work per element (a nullable hash multiplies every element, the int
// hash only the folded result).
BENCHMARK(BM_Reference_Int_Cmp)->Arg(kCount)->Arg(1 << 16);
BENCHMARK(BM_KsNull_int_Cmp)->Arg(kCount)->Arg(1 << 16);
BENCHMARK(BM_Floor_MemcmpOfNullableBytes)->Arg(kCount)->Arg(1 << 16);
BENCHMARK(BM_Reference_Int_Hash)->Arg(kCount)->Arg(1 << 16);
BENCHMARK(BM_KsNull_int_Hash)->Arg(kCount)->Arg(1 << 16);

}  // namespace
