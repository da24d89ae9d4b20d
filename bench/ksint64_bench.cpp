// KsInt64 arithmetic beside native long long over the same random pairs, and
// the stored form of a 1 MiB blob beside memcpy.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "ksblob.h"
#include "ksint64.h"
#include "kstypemgr.h"

namespace {

constexpr size_t kPairs = 1 << 20;

struct Pairs {
  std::vector<long long> a, b;
  std::vector<KsInt64> x, y;
  Pairs() {
    std::mt19937_64 random(7);
    for (size_t i = 0; i < kPairs; ++i) {
      long long l = static_cast<long long>(random()) >> (random() % 62);
      long long r = static_cast<long long>(random()) >> (random() % 62);
      if (r == 0 || r == -1) r = 3;  // native division needs a usable divisor
      a.push_back(l);
      b.push_back(r);
      x.emplace_back(l);
      y.emplace_back(r);
    }
  }
};

const Pairs& Operands() {
  static const Pairs pairs;
  return pairs;
}

template <class Op>
void RunNative(benchmark::State& state, Op op) {
  const Pairs& p = Operands();
  std::vector<long long> out(kPairs);
  for (auto _ : state) {
    for (size_t i = 0; i < kPairs; ++i) out[i] = op(p.a[i], p.b[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPairs);
}

template <class Op>
void RunKsInt64(benchmark::State& state, Op op) {
  const Pairs& p = Operands();
  std::vector<KsInt64> out(kPairs);
  for (auto _ : state) {
    for (size_t i = 0; i < kPairs; ++i) out[i] = op(p.x[i], p.y[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kPairs);
}

void NativeAdd(benchmark::State& s) {
  RunNative(s, [](long long a, long long b) { return a + b; });
}
void KsInt64Add(benchmark::State& s) {
  RunKsInt64(s, [](const KsInt64& a, const KsInt64& b) { return a + b; });
}
void NativeMultiply(benchmark::State& s) {
  RunNative(s, [](long long a, long long b) { return a * b; });
}
void KsInt64Multiply(benchmark::State& s) {
  RunKsInt64(s, [](const KsInt64& a, const KsInt64& b) { return a * b; });
}
void NativeDivide(benchmark::State& s) {
  RunNative(s, [](long long a, long long b) { return a / b; });
}
void KsInt64Divide(benchmark::State& s) {
  RunKsInt64(s, [](const KsInt64& a, const KsInt64& b) { return a / b; });
}
void NativeRemainder(benchmark::State& s) {
  RunNative(s, [](long long a, long long b) { return a % b; });
}
void KsInt64Remainder(benchmark::State& s) {
  RunKsInt64(s, [](const KsInt64& a, const KsInt64& b) { return a % b; });
}

BENCHMARK(NativeAdd);
BENCHMARK(KsInt64Add);
BENCHMARK(NativeMultiply);
BENCHMARK(KsInt64Multiply);
BENCHMARK(NativeDivide);
BENCHMARK(KsInt64Divide);
BENCHMARK(NativeRemainder);
BENCHMARK(KsInt64Remainder);

// ---------------------------------------------------------------------------
// 1 MiB blob: Store and Load through the type manager beside memcpy.

constexpr int kBlobBytes = 1 << 20;

void MemcpyMiB(benchmark::State& state) {
  std::vector<unsigned char> from(kBlobBytes, 0x5A), to(kBlobBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kBlobBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlobBytes});
}

void BlobStoreMiB(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<unsigned char> content(kBlobBytes, 0x5A);
  KsBlob blob(content.data(), kBlobBytes);
  std::vector<unsigned char> stored(mgr.DiskLenGet(KsBLOB_T, &blob, 1, 1));
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Store(KsBLOB_T, stored.data(), &blob, 1, 1));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlobBytes});
}

void BlobLoadMiB(benchmark::State& state) {
  KsTypeMgr mgr;
  std::vector<unsigned char> content(kBlobBytes, 0x5A);
  KsBlob blob(content.data(), kBlobBytes);
  std::vector<unsigned char> stored(mgr.DiskLenGet(KsBLOB_T, &blob, 1, 1));
  mgr.Store(KsBLOB_T, stored.data(), &blob, 1, 1);
  KsBlob target(kBlobBytes);
  for (auto _ : state) {
    benchmark::DoNotOptimize(mgr.Load(KsBLOB_T, &target, stored.data(), 1, 1));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * int64_t{kBlobBytes});
}

BENCHMARK(MemcpyMiB);
BENCHMARK(BlobStoreMiB);
BENCHMARK(BlobLoadMiB);

}  // namespace
