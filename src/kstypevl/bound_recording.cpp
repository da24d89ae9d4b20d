#include "kstypevl/bound_recording.h"

#include <cstdlib>
#include <cstring>

#include "basesvc.h"
#include "kstypevl/eval_flags.h"

namespace ks::evaluate {
namespace {

// Records a copy of the key as one bound; a failed allocation leaves the
// bound open.
void RecordCopy(void*& bound, uint8_t& length, const void* key, size_t size) {
  void* copy = AllocateBoundBuffer(size);
  if (copy == nullptr) return;
  std::memcpy(copy, key, size);
  bound = copy;
  length = static_cast<uint8_t>(size);
}

}  // namespace

void* AllocateBoundBuffer(size_t size) {
  void* buffer = std::malloc(size);
  if (buffer == nullptr) KsCallMemoryHandler(static_cast<unsigned>(size));
  return buffer;
}

void RecordBounds(KsIdxBounds* out, const void* key, unsigned short flags, size_t size) {
  if (out == nullptr || size == 0 || size > kLongestRecordedBound) return;
  if (out->low == nullptr && (flags & kLessThan) == 0) RecordCopy(out->low, out->lowLen, key, size);
  if (out->high == nullptr && (flags & kGreaterThan) == 0) RecordCopy(out->high, out->highLen, key, size);
}

}  // namespace ks::evaluate
