// KsTypeMgr: handles any attribute value knowing only its type id.
//
// Every operation maps the id to a descriptor of the manager's table (the
// current table of 47 types, or the legacy table of 28 for old stored forms)
// and calls one slot of it. Ids 100 to 127 are reserved and, like every id
// outside the manager's table, behave as the illegal type (46).
#pragma once

#include "ksexport.h"
#include "ksidxbounds.h"
#include "ksslots.h"
#include "kstypeids.h"

struct KsTypeDescriptor;

class KS_API KsTypeMgr {
 public:
  // Factory numbers: 12 and above select the current table (factory number
  // 4); 11 the legacy table (number 3); 4 to 10 the current table; 0 to 3 the
  // legacy table.
  explicit KsTypeMgr(unsigned factory = 5);
  void SetFactory(unsigned factory);
  unsigned short GetFactory() const { return factory_; }

  // Slot access: the slot entry, null when the slot is empty.
  KsTypeCmpFunc CmpFuncPtrGet(char type) const;
  KsStoreFunc StorePtrGet(char type) const;
  KsLoadFunc LoadPtrGet(char type) const;
  KsConstructorFunc ConstructorPtrGet(char type) const;
  KsDestructorFunc DestructorPtrGet(char type) const;
  KsAssignmentFunc AssignmentPtrGet(char type) const;
  KsCopyFunc CopyPtrGet(char type) const;
  KsIsNullFunc IsNullPtrGet(char type) const;
  KsSetNullFunc SetNullPtrGet(char type) const;
  // There is no two-argument compare function: always null.
  void* ComparePtrGet(char type) const;

  // Forwarding operations.
  void* Create(char type, unsigned count) const;
  void* Delete(char type, void* values, unsigned count) const;
  unsigned Store(char type, void* dst, void* src, unsigned char format, unsigned count) const;
  unsigned Load(char type, void* dst, void* src, unsigned char format, unsigned count) const;
  // Load for bytes read from disk or received from elsewhere: returns 0 and
  // loads nothing when the `count` stored records at src would run past
  // srcLen bytes or hold inconsistent length fields, checked before
  // anything is loaded; otherwise what Load returns. Memory forms (format
  // bit 0x08) are refused, and so are variable-length types that cannot
  // measure their stored records.
  unsigned LoadChecked(char type, void* dst, const void* src, unsigned srcLen, unsigned char format,
                       unsigned count) const;
  unsigned DiskLenGet(char type, void* value, unsigned char format, unsigned count,
                      unsigned char srcFormat = 8) const;
  unsigned DiskLenGetFromMemFile(char type, MemFile* file, unsigned char format, unsigned count) const;
  int Cmp(char type, unsigned len1, void* v1, unsigned len2, void* v2, unsigned short cmpOp, unsigned count,
          unsigned char format, int& status) const;
  int Cmp(char type, void* v1, void* v2, unsigned short cmpOp, unsigned count, unsigned char format) const;
  float EvalAndBound(char type, KsIdxBounds* bounds, unsigned short& flags, void* value, unsigned char format,
                     unsigned count, KsIdxBounds* outBounds, KsEvalData* data) const;
  unsigned Hash(char type, unsigned len, void* values, unsigned count, unsigned char format, int& status) const;
  unsigned Translate(char type, void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                     unsigned char srcFormat, unsigned srcLen, unsigned count) const;
  int IsNullValue(char type, void* value) const;
  void* DefaultValue(char type, unsigned count, int asNull) const;

  // Descriptor data.
  int IsValidType(char type) const;
  unsigned short IsFixed(char type) const;
  // Memory size of count values, cut to 16 bits.
  unsigned short MemLenGet(char type, unsigned count = 1) const;
  // base + index * memory size; null when count is non-zero and index >= count.
  void* GetArrayElement(char type, void* base, unsigned index, unsigned count) const;
  // With a null buffer the name itself; otherwise copied into buffer.
  // REQUIRES: buffer holds at least 16 bytes (the longest name and its end).
  char* NameGet(char type, char* buffer = nullptr) const;
  char* TypeIdNameGet(char type, char* buffer = nullptr) const;
  // 0 and type set on a match; 1 when no type has that name (or name is null).
  int Name2KsTypeId(const char* name, char& type) const;
  // Capability 1: null values; 2: value increments; 3: time stamps.
  unsigned short SupportsCapability(char type, unsigned short capability) const;
  unsigned short SupportsNullValue(char type) const;
  int DiskIsNullValue(char type, void* stored) const;

  // Exchanging slots: each returns the previous entry; a null entry only
  // queries. The descriptors are shared by every manager of the process.
  const char* ExchangeFormat(char type, const char* format);
  KsPrintToKsStringFunc ExchangePrintToKsStringFunc(char type, KsPrintToKsStringFunc func);
  KsTypeCmpFunc ExchangeKsTypeCmpFunc(char type, KsTypeCmpFunc func);
  KsScanFromKsStringFunc ExchangeScanFromKsStringFunc(char type, KsScanFromKsStringFunc func);

  // Text. Printing appends to out; arrays are joined by ",".
  KsString& PrintToKsString(char type, KsString& out, void* values, const char* format = nullptr,
                            unsigned count = 1) const;
  void* ScanFromKsString(char type, void* values, KsString& in, const char* format = nullptr,
                         unsigned count = 1) const;
  static const KsString& GetNullPrintString();
  static void SetNullPrintString(const KsString& text);

  // Conversion through text records. The caller owns the returned record or
  // array.
  KsTypeConvertData* ConvertTo(char type, void* values, unsigned count) const;
  void* ConvertFrom(char type, KsTypeConvertData* record, unsigned count) const;

  // Null values, generated values and time stamps.
  int SetNullValue(char type, void* value) const;
  int GetValue(char type, void* value, unsigned count, unsigned char format, unsigned char op) const;
  int StoreTimeStamp(char type, void* dst, unsigned char format, void* timeRecord) const;

 protected:
  // Older conversions that pack all texts into one string, each text
  // followed by a separator character.
  KsString* ConvertToKsStringOld(void* values, char type, unsigned count) const;
  void* ConvertFromKsStringOld(KsString* text, char type, unsigned count) const;

 private:
  // The descriptor for a type id; ids outside the table give the illegal one.
  KsTypeDescriptor& Descriptor(char type) const;

  KsTypeDescriptor* const* table_;
  unsigned short factory_;
};

// Returns the default manager as it was; a non-null mgr becomes the new
// default (the old one is neither copied nor destroyed).
KS_API KsTypeMgr* DefaultTypeMgr(KsTypeMgr* mgr = nullptr);
