// KsTypeMgr: construction, the default manager, slot access, the forwarding
// operations, descriptor data and the exchange of slots.
#include <cstring>

#include "kstypemgr.h"
#include "kstypemgr/default_mgr.h"
#include "kstypes/typedesc.h"

namespace {

constexpr int kIllegalIndex = KsRES_T;

KsTypeMgr* gDefaultTypeMgr = nullptr;

// Index of a type id in a table of `size` entries: ids 100 to 127 are
// reserved and map to the illegal entry, as does every id outside the table
// (negative ids, 47 to 99, and 28 to 46 in the legacy table).
int TableIndex(char type, int size) {
  const int id = static_cast<signed char>(type);
  if (id >= 0 && id < size) return id;
  return kIllegalIndex;
}

int TableSize(KsTypeDescriptor* const* table) {
  return table == KsLegacyTypeTable() ? KS_LEGACY_TYPE_COUNT : KS_TYPE_COUNT;
}

template <class Slot>
Slot Exchange(Slot& slot, Slot replacement) {
  Slot previous = slot;
  if (replacement != nullptr) slot = replacement;
  return previous;
}

}  // namespace

KsTypeMgr::KsTypeMgr(unsigned factory) { SetFactory(factory); }

void KsTypeMgr::SetFactory(unsigned factory) {
  if (factory >= 12) {
    table_ = KsCurrentTypeTable();
    factory_ = 4;
  } else if (factory == 11) {
    table_ = KsLegacyTypeTable();
    factory_ = 3;
  } else if (factory >= 4) {
    table_ = KsCurrentTypeTable();
    factory_ = static_cast<unsigned short>(factory);
  } else {
    table_ = KsLegacyTypeTable();
    factory_ = static_cast<unsigned short>(factory);
  }
}

KsTypeDescriptor& KsTypeMgr::Descriptor(char type) const {
  const int index = TableIndex(type, TableSize(table_));
  // The illegal descriptor is the current table's; a legacy table has no
  // entry 46 of its own.
  return index == kIllegalIndex ? KsIllegalDescriptor() : *table_[index];
}

KsTypeMgr* DefaultTypeMgr(KsTypeMgr* mgr) {
  KsTypeMgr* previous = gDefaultTypeMgr;
  if (mgr != nullptr) gDefaultTypeMgr = mgr;
  return previous;
}

KsTypeMgr* ks::SetDefaultTypeMgr(KsTypeMgr* mgr) {
  KsTypeMgr* previous = gDefaultTypeMgr;
  gDefaultTypeMgr = mgr;
  return previous;
}

// ---------------------------------------------------------------------------
// Slot access

KsTypeCmpFunc KsTypeMgr::CmpFuncPtrGet(char type) const { return Descriptor(type).compare; }
KsStoreFunc KsTypeMgr::StorePtrGet(char type) const { return Descriptor(type).store; }
KsLoadFunc KsTypeMgr::LoadPtrGet(char type) const { return Descriptor(type).load; }
KsConstructorFunc KsTypeMgr::ConstructorPtrGet(char type) const { return Descriptor(type).constructor; }
KsDestructorFunc KsTypeMgr::DestructorPtrGet(char type) const { return Descriptor(type).destructor; }
KsAssignmentFunc KsTypeMgr::AssignmentPtrGet(char type) const { return Descriptor(type).assignment; }
KsCopyFunc KsTypeMgr::CopyPtrGet(char type) const { return Descriptor(type).copy; }
KsIsNullFunc KsTypeMgr::IsNullPtrGet(char type) const { return Descriptor(type).isNull; }
KsSetNullFunc KsTypeMgr::SetNullPtrGet(char type) const { return Descriptor(type).setNull; }
void* KsTypeMgr::ComparePtrGet(char) const { return nullptr; }

// ---------------------------------------------------------------------------
// Forwarding

void* KsTypeMgr::Create(char type, unsigned count) const { return Descriptor(type).create(count); }

void* KsTypeMgr::Delete(char type, void* values, unsigned count) const {
  return Descriptor(type).destroy(values, count);
}

unsigned KsTypeMgr::Store(char type, void* dst, void* src, unsigned char format, unsigned count) const {
  return Descriptor(type).store(dst, src, format, count);
}

unsigned KsTypeMgr::Load(char type, void* dst, void* src, unsigned char format, unsigned count) const {
  return Descriptor(type).load(dst, src, format, count);
}

unsigned KsTypeMgr::DiskLenGet(char type, void* value, unsigned char format, unsigned count,
                               unsigned char srcFormat) const {
  return Descriptor(type).sizeGet(value, srcFormat, format, count);
}

unsigned KsTypeMgr::DiskLenGetFromMemFile(char type, MemFile* file, unsigned char format, unsigned count) const {
  return Descriptor(type).sizeGetFromMemFile(file, format, count);
}

int KsTypeMgr::Cmp(char type, unsigned len1, void* v1, unsigned len2, void* v2, unsigned short cmpOp,
                   unsigned count, unsigned char format, int& status) const {
  return Descriptor(type).compare(format, len1, v1, len2, v2, cmpOp, count, status);
}

int KsTypeMgr::Cmp(char type, void* v1, void* v2, unsigned short cmpOp, unsigned count,
                   unsigned char format) const {
  int status = 0;
  return Descriptor(type).compare(format, 0, v1, 0, v2, cmpOp, count, status);
}

float KsTypeMgr::EvalAndBound(char type, KsIdxBounds* bounds, unsigned short& flags, void* value,
                              unsigned char format, unsigned count, KsIdxBounds* outBounds, KsEvalData*) const {
  return Descriptor(type).evalAndBound(bounds, flags, value, format, count, outBounds);
}

unsigned KsTypeMgr::Hash(char type, unsigned len, void* values, unsigned count, unsigned char format,
                         int& status) const {
  return Descriptor(type).hash(format, len, values, count, status);
}

unsigned KsTypeMgr::Translate(char type, void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                              unsigned char srcFormat, unsigned srcLen, unsigned count) const {
  return Descriptor(type).translate(dst, dstFormat, dstLen, src, srcFormat, srcLen, count);
}

int KsTypeMgr::IsNullValue(char type, void* value) const { return Descriptor(type).isNull(value); }

void* KsTypeMgr::DefaultValue(char type, unsigned count, int asNull) const {
  return Descriptor(type).defaultValue(count, asNull);
}

// ---------------------------------------------------------------------------
// Descriptor data

int KsTypeMgr::IsValidType(char type) const {
  const int id = static_cast<signed char>(type);
  return (id >= 0 && id < KS_TYPE_COUNT) || id >= 100 ? 1 : 0;
}

unsigned short KsTypeMgr::IsFixed(char type) const { return Descriptor(type).IsFixed(); }

unsigned short KsTypeMgr::MemLenGet(char type, unsigned count) const {
  return static_cast<unsigned short>(Descriptor(type).MemLen() * count);
}

void* KsTypeMgr::GetArrayElement(char type, void* base, unsigned index, unsigned count) const {
  if (count != 0 && index >= count) return nullptr;
  return static_cast<unsigned char*>(base) + size_t{index} * Descriptor(type).MemLen();
}

namespace {

char* CopyName(const char* name, char* buffer) {
  if (buffer == nullptr) return const_cast<char*>(name);
  std::strcpy(buffer, name);
  return buffer;
}

}  // namespace

char* KsTypeMgr::NameGet(char type, char* buffer) const { return CopyName(Descriptor(type).name, buffer); }

char* KsTypeMgr::TypeIdNameGet(char type, char* buffer) const {
  return CopyName(Descriptor(type).typeIdName, buffer);
}

int KsTypeMgr::Name2KsTypeId(const char* name, char& type) const {
  // Only the entries this manager's table has are candidates; the walk ends
  // with type one past the last valid id.
  const int size = TableSize(table_);
  for (int id = 0; id < size; ++id) {
    type = static_cast<char>(id);
    if (name != nullptr && std::strcmp(name, table_[id]->name) == 0) return 0;
  }
  type = static_cast<char>(size);
  return 1;
}

unsigned short KsTypeMgr::SupportsCapability(char type, unsigned short capability) const {
  const int id = static_cast<signed char>(type);
  switch (capability) {
    case 1:
      return Descriptor(type).setNull != nullptr ? 1 : 0;
    case 2:
      switch (id) {
        case Ks1B_T: case Ks2B_T: case Ks4B_T: case KsU2B_T: case KsU4B_T: case KsINT_T: case KsUNSIGNED_T:
        case KsENUM_T: case KsU1B_T: case KsOBJID_T: case KsINT64_T: case Ks8B_T: case KsU8B_T:
          return 1;
        default:
          return 0;
      }
    case 3:
      switch (id) {
        case KsDATE_T: case KsTIME_T: case KsDATIME_T: case D_DATE_T: case D_TIME_T: case D_TIMESTAMP_T:
        case KsDATIME_N_T:
          return 1;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

unsigned short KsTypeMgr::SupportsNullValue(char type) const { return SupportsCapability(type, 1); }

int KsTypeMgr::DiskIsNullValue(char, void*) const { return KS_NOT_SUPPORTED; }

// ---------------------------------------------------------------------------
// Exchanging slots

const char* KsTypeMgr::ExchangeFormat(char type, const char* format) {
  return Exchange(Descriptor(type).format, format);
}

KsPrintToKsStringFunc KsTypeMgr::ExchangePrintToKsStringFunc(char type, KsPrintToKsStringFunc func) {
  return Exchange(Descriptor(type).printToString, func);
}

KsTypeCmpFunc KsTypeMgr::ExchangeKsTypeCmpFunc(char type, KsTypeCmpFunc func) {
  return Exchange(Descriptor(type).compare, func);
}

KsScanFromKsStringFunc KsTypeMgr::ExchangeScanFromKsStringFunc(char type, KsScanFromKsStringFunc func) {
  return Exchange(Descriptor(type).scanFromString, func);
}
