// One exact KsString index range evaluation of a 32-character key of code
// set 1 against order-key bounds, beside one stored comparison of the same
// key with a bound through the same dispatch, the reference it is reported
// against. Keys cycle through 256 random texts.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "ksidxbounds.h"
#include "ksstring.h"
#include "kstypemgr.h"

namespace {

constexpr unsigned kKeys = 256;
constexpr unsigned kKeyLength = 32;
constexpr unsigned char kFormat = 1;

using Record = std::vector<unsigned char>;

Record Stored(const std::string& text) {
  KsTypeMgr mgr;
  KsString value(text.c_str());
  Record record(text.size() + 8);
  record.resize(mgr.Store(KsSTRING_T, record.data(), &value, kFormat, 1));
  return record;
}

// Stored keys and the order-key bounds that the evaluator itself built for
// the lowest and the highest text.
struct Index {
  std::vector<Record> keys;
  Record low, high;

  Index() {
    std::mt19937 random(5);
    for (unsigned i = 0; i < kKeys; ++i) {
      std::string text;
      for (unsigned c = 0; c < kKeyLength; ++c) text += static_cast<char>('a' + random() % 26);
      keys.push_back(Stored(text));
    }
    low = Bound(std::string(kKeyLength, 'a'), true);
    high = Bound(std::string(kKeyLength, 'z'), false);
  }

  static Record Bound(const std::string& text, bool lowSide) {
    KsTypeMgr mgr;
    KsIdxBounds out{nullptr, nullptr, 0, 0, 0};
    unsigned short flags = 1;
    Record key = Stored(text);
    mgr.EvalAndBound(KsSTRING_T, nullptr, flags, key.data(), kFormat, 1, &out, nullptr);
    const auto* bytes = static_cast<const unsigned char*>(lowSide ? out.low : out.high);
    Record bound(bytes, bytes + (lowSide ? out.lowLen : out.highLen));
    std::free(out.low);
    std::free(out.high);
    return bound;
  }
};

// The output bounds already hold both bounds, as after the first restriction
// of a query, so nothing is recorded.
void BM_EvalAndBound_KsString32(benchmark::State& state) {
  KsTypeMgr mgr;
  Index index;
  KsIdxBounds bounds{index.low.data(), index.high.data(), static_cast<uint8_t>(index.low.size()),
                     static_cast<uint8_t>(index.high.size()), 0};
  KsIdxBounds out = bounds;
  unsigned i = 0;
  for (auto _ : state) {
    unsigned short flags = static_cast<unsigned short>(1 + i % 7);
    benchmark::DoNotOptimize(mgr.EvalAndBound(KsSTRING_T, &bounds, flags, index.keys[i % kKeys].data(),
                                              kFormat, 1, &out, nullptr));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Reference_Cmp_KsString32(benchmark::State& state) {
  KsTypeMgr mgr;
  Index index;
  unsigned i = 0;
  for (auto _ : state) {
    Record& key = index.keys[i % kKeys];
    benchmark::DoNotOptimize(mgr.Cmp(KsSTRING_T, key.data(), index.low.data(), 0, 1, kFormat));
    ++i;
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_Reference_Cmp_KsString32);
BENCHMARK(BM_EvalAndBound_KsString32);

}  // namespace
