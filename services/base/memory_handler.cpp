// The memory handler: called after an allocation failed, so that a host can
// free caches, log or abort. By default nothing happens and the caller goes
// on with what it has.

#include "basesvc.h"

namespace {

int IgnoreFailedAllocation(unsigned) {
  return 0;
}

KsMemoryHandler currentMemoryHandler = IgnoreFailedAllocation;

}  // namespace

int KsCallMemoryHandler(unsigned size) {
  return currentMemoryHandler(size);
}

KsMemoryHandler KsSetMemoryHandler(KsMemoryHandler handler) {
  const KsMemoryHandler previous = currentMemoryHandler;
  currentMemoryHandler = handler != nullptr ? handler : IgnoreFailedAllocation;
  return previous;
}
