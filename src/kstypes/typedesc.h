// The type descriptor: one record per type id, the rows of the type tables.
#pragma once

#include <cstdint>

#include "ksslots.h"
#include "kstypeids.h"

// Size word: memory size of one value in the low half, 1 (fixed length) or
// 0 (variable length) in the high half.
constexpr uint32_t KsSizeWord(uint16_t memorySize, bool fixed) {
  return (fixed ? 0x00010000u : 0u) | memorySize;
}

struct KsTypeDescriptor {
  const char* name;        // s0
  const char* typeIdName;  // s1
  KsCreateFunc create;     // s2
  KsDeleteFunc destroy;    // s3 (Delete)
  KsStoreFunc store;       // s4
  KsLoadFunc load;         // s5
  KsNullSizeGetFunc nullSizeGet;               // s6
  KsSizeGetFunc sizeGet;                       // s7
  KsSizeGetFromMemFileFunc sizeGetFromMemFile; // s8
  KsTypeCmpFunc compare;                       // s9
  KsEvalAndBoundFunc evalAndBound;             // s10
  KsHashFunc hash;                             // s11
  KsConvertToKsStringFunc convertToKsString;   // s12
  KsConvertFromKsStringFunc convertFromKsString; // s13
  KsConstructorFunc constructor;               // s14
  KsDestructorFunc destructor;                 // s15
  KsAssignmentFunc assignment;                 // s16
  KsCopyFunc copy;                             // s17
  KsTranslateFunc translate;                   // s18
  KsIsNullFunc isNull;                         // s19
  KsSetNullFunc setNull;                       // s20, null: no null value
  const char* format;                          // s21
  KsPrintToKsStringFunc printToString;         // s22
  KsScanFromKsStringFunc scanFromString;       // s23
  uint32_t sizeWord;                           // s24
  KsDefaultValueFunc defaultValue;             // s25
  KsGetValueFunc getValue;                     // s26
  uintptr_t reserved;                          // s27, always 0

  uint16_t MemLen() const { return static_cast<uint16_t>(sizeWord & 0xFFFF); }
  uint16_t IsFixed() const { return static_cast<uint16_t>(sizeWord >> 16); }
};
static_assert(sizeof(KsTypeDescriptor) == 28 * sizeof(void*), "a descriptor is 28 machine words");

// The tables. Entries are shared: the legacy table points at the current
// table's descriptors except for its own string descriptor (id 11). The
// descriptors are mutable because the exchange operations replace slots.
KsTypeDescriptor* const* KsCurrentTypeTable();
KsTypeDescriptor* const* KsLegacyTypeTable();
// The descriptor of reserved and out-of-table ids (id 46).
KsTypeDescriptor& KsIllegalDescriptor();
