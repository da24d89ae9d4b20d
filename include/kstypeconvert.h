// KsTypeConvertData: a record of values (usually texts) that carries values
// of any type through text.
#pragma once

#include "ksexport.h"

class KsString;
class KsTypeMgr;

class KS_API KsTypeConvertData {
 public:
  // A new heap record, or null when the allocation fails. The record owns
  // data only when mgr is set: it then deletes data through the Delete slot
  // of typeId in mgr's table.
  static KsTypeConvertData* Make(char typeId, unsigned count, void* data, KsTypeMgr* mgr);

  // The index-th string of a text record (type id 11); null for any other
  // record, for a missing array and for an index outside [0, count).
  KsString* GetString(int index) const;

  // Deletes owned data, then leaves count 0 and type id 100 (reserved).
  ~KsTypeConvertData();

  KsTypeConvertData(const KsTypeConvertData&) = delete;
  KsTypeConvertData& operator=(const KsTypeConvertData&) = delete;

  // Records are made by Make and released with delete.
  static void* operator new(size_t size) noexcept;
  static void operator delete(void* record) noexcept;

  KsTypeMgr* mgr;
  void* data;
  unsigned count;
  char typeId;

 private:
  KsTypeConvertData(char type, unsigned n, void* values, KsTypeMgr* owner)
      : mgr(owner), data(values), count(n), typeId(type) {}
};
