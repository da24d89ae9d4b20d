// One index range evaluation of a numeric key through KsTypeMgr, beside one
// comparison of the same stored key with a bound through the same dispatch,
// the reference it is reported against. Keys cycle through 1024 random
// values so that branches see realistic keys.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "ksidxbounds.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kKeys = 1024;
constexpr unsigned char kBigEndian = 2;

// Stored keys of one type and the stored bounds of an index over them.
template <class T>
struct StoredKeys {
  std::vector<unsigned char> keys, low, high;
  unsigned size = sizeof(T);

  StoredKeys(char type, T lowest, T highest) : keys(kKeys * sizeof(T)), low(sizeof(T)), high(sizeof(T)) {
    KsTypeMgr mgr;
    std::mt19937_64 random(3);
    std::vector<T> values(kKeys);
    for (T& v : values) v = static_cast<T>(lowest + static_cast<T>(random() % 1000000));
    mgr.Store(type, keys.data(), values.data(), kBigEndian, kKeys);
    mgr.Store(type, low.data(), &lowest, kBigEndian, 1);
    mgr.Store(type, high.data(), &highest, kBigEndian, 1);
  }
};

// The output bounds already hold a bound on each side, as after the first
// restriction of a query, so nothing is allocated.
template <class T>
void Evaluation(benchmark::State& state, char type, T lowest, T highest) {
  KsTypeMgr mgr;
  StoredKeys<T> stored(type, lowest, highest);
  KsIdxBounds bounds{stored.low.data(), stored.high.data(), static_cast<uint8_t>(stored.size),
                     static_cast<uint8_t>(stored.size), 0};
  KsIdxBounds out = bounds;
  unsigned i = 0;
  for (auto _ : state) {
    unsigned short flags = static_cast<unsigned short>(1 + i % 7);
    benchmark::DoNotOptimize(mgr.EvalAndBound(type, &bounds, flags, &stored.keys[(i % kKeys) * stored.size],
                                              kBigEndian, 1, &out, nullptr));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

template <class T>
void Comparison(benchmark::State& state, char type, T lowest, T highest) {
  KsTypeMgr mgr;
  StoredKeys<T> stored(type, lowest, highest);
  unsigned i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        mgr.Cmp(type, &stored.keys[(i % kKeys) * stored.size], stored.low.data(), 0, 1, kBigEndian));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Reference_Cmp_Int(benchmark::State& state) {
  Comparison<int32_t>(state, KsINT_T, 0, 1000000);
}
void BM_EvalAndBound_Int(benchmark::State& state) {
  Evaluation<int32_t>(state, KsINT_T, 0, 1000000);
}
void BM_Reference_Cmp_Double(benchmark::State& state) {
  Comparison<double>(state, KsDOUBLE_T, 0, 1e6);
}
void BM_EvalAndBound_Double(benchmark::State& state) {
  Evaluation<double>(state, KsDOUBLE_T, 0, 1e6);
}
void BM_Reference_Cmp_O8B(benchmark::State& state) {
  Comparison<int64_t>(state, Ks8B_T, int64_t{1} << 62, (int64_t{1} << 62) + 1000000);
}
void BM_EvalAndBound_O8B(benchmark::State& state) {
  Evaluation<int64_t>(state, Ks8B_T, int64_t{1} << 62, (int64_t{1} << 62) + 1000000);
}

BENCHMARK(BM_Reference_Cmp_Int);
BENCHMARK(BM_EvalAndBound_Int);
BENCHMARK(BM_Reference_Cmp_Double);
BENCHMARK(BM_EvalAndBound_Double);
BENCHMARK(BM_Reference_Cmp_O8B);
BENCHMARK(BM_EvalAndBound_O8B);

}  // namespace
