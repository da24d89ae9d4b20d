// Conversion records.
#include <cstdlib>

#include "basesvc.h"
#include "ksstring.h"
#include "kstypeconvert.h"
#include "kstypemgr.h"

void* KsTypeConvertData::operator new(size_t size) noexcept {
  void* record = std::malloc(size);
  if (record == nullptr) KsCallMemoryHandler(static_cast<unsigned>(size));
  return record;
}

void KsTypeConvertData::operator delete(void* record) noexcept { std::free(record); }

KsTypeConvertData* KsTypeConvertData::Make(char typeId, unsigned count, void* data, KsTypeMgr* mgr) {
  return new KsTypeConvertData(typeId, count, data, mgr);
}

KsString* KsTypeConvertData::GetString(int index) const {
  if (index < 0 || static_cast<unsigned>(index) >= count || typeId != KsSTRING_T || data == nullptr) {
    return nullptr;
  }
  return static_cast<KsString*>(data) + index;
}

KsTypeConvertData::~KsTypeConvertData() {
  if (mgr != nullptr && data != nullptr) {
    mgr->Delete(typeId, data, count);
    data = nullptr;
  }
  count = 0;
  typeId = 100;
}
