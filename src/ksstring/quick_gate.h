// The process-wide settings the quick comparison depends on, in one word:
// the wildcard orders in force and whether scans go a vector block at a
// time. A table of simple orders carries the word it was made for (see
// QuickGateFor), so that the comparison's entry tells with one load and one
// compare that the table serves as it stands.
#pragma once

#include <atomic>
#include <cstdint>

namespace ksstring {

// Bit 32 of the gate: scans go a vector block at a time.
constexpr uint64_t kVectorScansGate = uint64_t{1} << 32;

// Low 32 bits: the WildcardPair of the orders in force, 0 until they are
// read ('*' always has an order); bit 32 as above. Hidden: read straight on
// every comparison.
extern std::atomic<uint64_t> gQuickGate __attribute__((visibility("hidden")));

inline uint64_t QuickGate() {
  return gQuickGate.load(std::memory_order_relaxed);
}

// The gate of a table made for the wildcards of `wildcardPair`: equal to the
// process's while those wildcards are in force and scans go by blocks.
constexpr uint64_t QuickGateFor(uint32_t wildcardPair) {
  return wildcardPair | kVectorScansGate;
}

// Whether a table's gate names the wildcards in force.
inline bool WildcardsInForce(uint64_t tableGate) {
  return static_cast<uint32_t>(QuickGate()) == static_cast<uint32_t>(tableGate);
}

// Whether scans go a vector block at a time: on processors with AVX2,
// unless a test turned them off.
inline bool VectorScans() {
  return (QuickGate() & kVectorScansGate) != 0;
}

void SetWildcardPairInForce(uint32_t wildcardPair);

// For tests: while off, every scan goes a unit at a time, as on processors
// without AVX2; on has effect only where the processor has it.
void SetVectorScans(bool on);

}  // namespace ksstring
