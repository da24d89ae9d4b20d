#include "ksstring/quick_gate.h"

namespace ksstring {

// Constant-initialized, so that the wildcard orders may be set before this
// file's initializers run; vector scans join when the processor has them.
std::atomic<uint64_t> gQuickGate{0};

namespace {

bool ProcessorHasAvx2() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}

const bool gVectorScansChosen = [] {
  SetVectorScans(true);
  return true;
}();

}  // namespace

void SetWildcardPairInForce(uint32_t wildcardPair) {
  uint64_t gate = QuickGate();
  while (!gQuickGate.compare_exchange_weak(gate, (gate & ~uint64_t{0xFFFFFFFF}) | wildcardPair,
                                           std::memory_order_relaxed)) {
  }
}

void SetVectorScans(bool on) {
  if (on && ProcessorHasAvx2()) {
    gQuickGate.fetch_or(kVectorScansGate, std::memory_order_relaxed);
  } else {
    gQuickGate.fetch_and(~kVectorScansGate, std::memory_order_relaxed);
  }
}

}  // namespace ksstring
