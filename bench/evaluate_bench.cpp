// One index range evaluation of a numeric or date and time key through
// KsTypeMgr, beside one comparison of the same stored key with a bound
// through the same dispatch, the reference it is reported against. Keys cycle through 1024 random
// values so that branches see realistic keys.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "ksidxbounds.h"
#include "ksnullable.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kKeys = 1024;
constexpr unsigned char kBigEndian = 2;

// Stored keys of one type and the stored bounds of an index over them.
struct StoredKeys {
  std::vector<unsigned char> keys, low, high;
  unsigned size = 0;
};

template <class T>
T ValueOf(long long number) {
  return static_cast<T>(number);
}
// One nullable key in sixteen is null.
template <>
KsNull_int ValueOf<KsNull_int>(long long number) {
  return {static_cast<int>(number), static_cast<unsigned char>(number % 16 == 0)};
}

template <class T>
StoredKeys NumericKeys(char type, long long lowest, long long highest) {
  KsTypeMgr mgr;
  const unsigned size = mgr.DiskLenGet(type, nullptr, kBigEndian, 1);
  StoredKeys stored{std::vector<unsigned char>(kKeys * size), std::vector<unsigned char>(size),
                    std::vector<unsigned char>(size), size};
  std::mt19937_64 random(3);
  std::vector<T> values(kKeys);
  for (T& v : values) v = ValueOf<T>(lowest + static_cast<long long>(random() % 1000000));
  T first = ValueOf<T>(lowest), last = ValueOf<T>(highest);
  mgr.Store(type, stored.keys.data(), values.data(), kBigEndian, kKeys);
  mgr.Store(type, stored.low.data(), &first, kBigEndian, 1);
  mgr.Store(type, stored.high.data(), &last, kBigEndian, 1);
  return stored;
}

// Stored dates with times of 2021 (big-endian year, month, day, then hour,
// minute and second at timeOffset), `size` bytes each, zero elsewhere: the
// KsDateTime form (7, 4), KsDateTimeN's (11, 4) and d_Timestamp's (10, 6,
// its stored hour after the zone bytes).
StoredKeys DateTimeKeys(unsigned size, unsigned timeOffset) {
  std::mt19937_64 random(3);
  auto make = [&](int month, int day, int hour, int minute, int second) {
    std::vector<unsigned char> value(size, 0);
    value[0] = 0x07, value[1] = 0xE5, value[2] = static_cast<unsigned char>(month),
    value[3] = static_cast<unsigned char>(day);
    value[timeOffset] = static_cast<unsigned char>(hour);
    value[timeOffset + 1] = static_cast<unsigned char>(minute);
    value[timeOffset + 2] = static_cast<unsigned char>(second);
    return value;
  };
  StoredKeys stored{{}, make(1, 1, 0, 0, 0), make(12, 31, 23, 59, 59), size};
  for (unsigned i = 0; i < kKeys; ++i) {
    const auto value = make(1 + static_cast<int>(random() % 12), 1 + static_cast<int>(random() % 28),
                            static_cast<int>(random() % 24), static_cast<int>(random() % 60),
                            static_cast<int>(random() % 60));
    stored.keys.insert(stored.keys.end(), value.begin(), value.end());
  }
  return stored;
}

// The output bounds already hold a bound on each side, as after the first
// restriction of a query, so nothing is allocated.
void Evaluation(benchmark::State& state, char type, const StoredKeys& stored) {
  KsTypeMgr mgr;
  std::vector<unsigned char> low = stored.low, high = stored.high;
  KsIdxBounds bounds{low.data(), high.data(), static_cast<uint8_t>(stored.size),
                     static_cast<uint8_t>(stored.size), 0};
  KsIdxBounds out = bounds;
  unsigned i = 0;
  for (auto _ : state) {
    unsigned short flags = static_cast<unsigned short>(1 + i % 7);
    benchmark::DoNotOptimize(mgr.EvalAndBound(
        type, &bounds, flags, const_cast<unsigned char*>(&stored.keys[(i % kKeys) * stored.size]), kBigEndian,
        1, &out, nullptr));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void Comparison(benchmark::State& state, char type, const StoredKeys& stored) {
  KsTypeMgr mgr;
  std::vector<unsigned char> low = stored.low;
  unsigned i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Cmp(type,
                                     const_cast<unsigned char*>(&stored.keys[(i % kKeys) * stored.size]),
                                     low.data(), 0, 1, kBigEndian));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Reference_Cmp_Int(benchmark::State& state) {
  Comparison(state, KsINT_T, NumericKeys<int32_t>(KsINT_T, 0, 1000000));
}
void BM_EvalAndBound_Int(benchmark::State& state) {
  Evaluation(state, KsINT_T, NumericKeys<int32_t>(KsINT_T, 0, 1000000));
}
void BM_Reference_Cmp_Double(benchmark::State& state) {
  Comparison(state, KsDOUBLE_T, NumericKeys<double>(KsDOUBLE_T, 0, 1000000));
}
void BM_EvalAndBound_Double(benchmark::State& state) {
  Evaluation(state, KsDOUBLE_T, NumericKeys<double>(KsDOUBLE_T, 0, 1000000));
}
void BM_Reference_Cmp_O8B(benchmark::State& state) {
  Comparison(state, Ks8B_T, NumericKeys<int64_t>(Ks8B_T, int64_t{1} << 62, (int64_t{1} << 62) + 1000000));
}
void BM_EvalAndBound_O8B(benchmark::State& state) {
  Evaluation(state, Ks8B_T, NumericKeys<int64_t>(Ks8B_T, int64_t{1} << 62, (int64_t{1} << 62) + 1000000));
}
void BM_Reference_Cmp_DateTime(benchmark::State& state) {
  Comparison(state, KsDATIME_T, DateTimeKeys(7, 4));
}
void BM_EvalAndBound_DateTime(benchmark::State& state) {
  Evaluation(state, KsDATIME_T, DateTimeKeys(7, 4));
}
void BM_Reference_Cmp_DateTimeN(benchmark::State& state) {
  Comparison(state, KsDATIME_N_T, DateTimeKeys(11, 4));
}
void BM_EvalAndBound_DateTimeN(benchmark::State& state) {
  Evaluation(state, KsDATIME_N_T, DateTimeKeys(11, 4));
}
void BM_Reference_Cmp_DTimestamp(benchmark::State& state) {
  Comparison(state, D_TIMESTAMP_T, DateTimeKeys(10, 6));
}
void BM_EvalAndBound_DTimestamp(benchmark::State& state) {
  Evaluation(state, D_TIMESTAMP_T, DateTimeKeys(10, 6));
}
// Bounds 1 and 1000001 are numbers; among the keys, one in sixteen is null.
void BM_Reference_Cmp_NullInt(benchmark::State& state) {
  Comparison(state, KsNULL_INT_T, NumericKeys<KsNull_int>(KsNULL_INT_T, 1, 1000001));
}
void BM_EvalAndBound_NullInt(benchmark::State& state) {
  Evaluation(state, KsNULL_INT_T, NumericKeys<KsNull_int>(KsNULL_INT_T, 1, 1000001));
}

BENCHMARK(BM_Reference_Cmp_Int);
BENCHMARK(BM_EvalAndBound_Int);
BENCHMARK(BM_Reference_Cmp_Double);
BENCHMARK(BM_EvalAndBound_Double);
BENCHMARK(BM_Reference_Cmp_O8B);
BENCHMARK(BM_EvalAndBound_O8B);
BENCHMARK(BM_Reference_Cmp_DateTime);
BENCHMARK(BM_EvalAndBound_DateTime);
BENCHMARK(BM_Reference_Cmp_DateTimeN);
BENCHMARK(BM_EvalAndBound_DateTimeN);
BENCHMARK(BM_Reference_Cmp_DTimestamp);
BENCHMARK(BM_EvalAndBound_DTimestamp);
BENCHMARK(BM_Reference_Cmp_NullInt);
BENCHMARK(BM_EvalAndBound_NullInt);

}  // namespace
