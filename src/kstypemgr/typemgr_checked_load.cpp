// KsTypeMgr::LoadChecked: Load for bytes that come from outside the
// process, which must never make a Load read beyond them.
#include <cstdint>
#include <iterator>

#include "ksblob/blob_slots.h"
#include "ksstoredstring.h"
#include "ksstring/istring_slots.h"
#include "ksstring/string_slots.h"
#include "kstypemgr.h"
#include "kstypes/stored_extent.h"
#include "kstypes/typedesc.h"

namespace {

constexpr unsigned char kMemoryFormatBit = 0x08;

struct StoredLayout {
  KsStoreFunc store;
  KsLoadFunc load;
  KsStoredExtentFunc extent;
};

using IStrings = ksstring::IStringSlots<KsFolding::Accents>;
using CaseIStrings = ksstring::IStringSlots<KsFolding::CaseAndAccents>;

// Every stored layout of a variable-length type, by the slots that write and
// read it, with its extent function.
constexpr StoredLayout kLayouts[] = {
    {ks::BlobStore, ks::BlobLoad, ks::BlobStoredExtent},
    {StringStore, StringLoad, ksstring::StringStoredExtent},
    {ksstring::LegacyStringStore, StringLoad, ksstring::LegacyStringStoredExtent},
    {IStrings::Store, IStrings::Load, ksstring::IStringStoredExtent},
    {CaseIStrings::Store, CaseIStrings::Load, ksstring::IStringStoredExtent},
};

// A fixed-length type's records all take the stored size of a null value.
bool FixedExtent(const KsTypeDescriptor& d, size_t srcLen, unsigned count, size_t& extent) {
  const uint64_t each = d.nullSizeGet(1);
  if (each != 0 && count > srcLen / each) return false;
  extent = static_cast<size_t>(each * count);
  return true;
}

}  // namespace

KsStoredExtentFunc KsStoredExtentOf(const KsTypeDescriptor& descriptor) {
  for (const StoredLayout& layout : kLayouts) {
    if (layout.store == descriptor.store && layout.load == descriptor.load) return layout.extent;
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
    const KsStoredExtentFunc measure = KsStoredExtentOf(d);
    if (measure == nullptr || !measure(src, srcLen, format, count, extent) || extent > srcLen) return 0;
  }
  return d.load(dst, const_cast<void*>(src), format, count);
}
