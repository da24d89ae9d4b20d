// KsTypeMgr::LoadChecked: Load for bytes that come from outside the
// process, which must never make a Load read beyond them.
#include <cstdint>
#include <iterator>

#include "ksblob/blob_slots.h"
#include "kstypemgr.h"
#include "kstypes/stored_extent.h"
#include "kstypes/typedesc.h"

namespace {

constexpr unsigned char kMemoryFormatBit = 0x08;

struct ExtentOfLoad {
  KsLoadFunc load;
  KsStoredExtentFunc extent;
};

// Every Load slot of a variable-length type with its extent function.
constexpr ExtentOfLoad kExtents[] = {
    {ks::BlobLoad, ks::BlobStoredExtent},
};

// A fixed-length type's records all take the stored size of a null value.
bool FixedExtent(const KsTypeDescriptor& d, size_t srcLen, unsigned count, size_t& extent) {
  const uint64_t each = d.nullSizeGet(1);
  if (each != 0 && count > srcLen / each) return false;
  extent = static_cast<size_t>(each * count);
  return true;
}

}  // namespace

KsStoredExtentFunc KsStoredExtentOf(KsLoadFunc load) {
  for (const ExtentOfLoad& entry : kExtents) {
    if (entry.load == load) return entry.extent;
  }
  return nullptr;
}

unsigned KsTypeMgr::LoadChecked(char type, void* dst, const void* src, unsigned srcLen, unsigned char format,
                                unsigned count) const {
  if ((format & kMemoryFormatBit) != 0 || src == nullptr) return 0;
  const KsTypeDescriptor& d = Descriptor(type);
  size_t extent = 0;
  if (d.IsFixed() != 0) {
    if (!FixedExtent(d, srcLen, count, extent)) return 0;
  } else {
    const KsStoredExtentFunc measure = KsStoredExtentOf(d.load);
    if (measure == nullptr || !measure(src, srcLen, format, count, extent) || extent > srcLen) return 0;
  }
  return d.load(dst, const_cast<void*>(src), format, count);
}
