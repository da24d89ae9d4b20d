// Object identity values: KsObjId (type id 15), KsClassId (16), KsRef (17)
// and KsLocalRef (no type id).
//
// An object number has 48 bits: a high part H (16 bits) and a low part L
// (32 bits). The block number B only says where an object lies; it takes no
// part in equality, ordering or hashing. An identity with object number 0 is
// null; a class identity is null when both its fields are 0xFFFF.
//
// Text forms use directive letters: B block, L and H the object number
// parts, D database, C class, V class version; "%h" and "%l" address the
// fields by position, as printf-style formats did.
#pragma once

#include <cstdint>

#include "ksexport.h"

class KsString;
class KsRef;
class KsLocalRef;

class KS_API KsObjId {
 public:
  KsObjId() : blockNumber(0), objectLow(0), objectHigh(0) {}
  KsObjId(uint32_t block, uint32_t low, uint16_t high)
      : blockNumber(block), objectLow(low), objectHigh(high) {}

  KsObjId(const KsObjId& other) = default;
  KsObjId& operator=(const KsObjId& other) = default;
  // Equal object numbers; the block number does not count.
  int operator==(const KsObjId& other) const {
    return objectLow == other.objectLow && objectHigh == other.objectHigh;
  }
  // Three-way: the difference of H (this minus other), else 1 or -1 by L.
  int operator!=(const KsObjId& other) const;

  // Steps through the 48-bit object number, wrapping at its ends.
  KsObjId& operator++();
  KsObjId& operator--();
  KsObjId& operator+=(short amount);
  void SetHighestValue();

  int IsNullValue() const { return objectLow == 0 && objectHigh == 0; }
  int SetNullValue();

  // Replaces out by the text of this identity (null format: "(%H-%L#%B)").
  KsString& PrintToKsString(KsString& out, const char* format = nullptr) const;
  void ScanFromKsString(const KsString& in, const char* format = nullptr);
  static KsString& PrintToString(KsString& out, const KsObjId& value, const char* format);
  // Returns value; null for a null value pointer.
  static KsObjId* ScanFromString(KsObjId* value, const KsString& in, const char* format);

  uint32_t blockNumber;  // B
  uint32_t objectLow;    // L
  uint16_t objectHigh;   // H
};

class KS_API KsClassId {
 public:
  KsClassId() : classNumber(0), classVersion(0) {}
  KsClassId(uint16_t number, uint16_t version) : classNumber(number), classVersion(version) {}

  KsClassId(const KsClassId& other) = default;
  KsClassId& operator=(const KsClassId& other) = default;
  int operator==(const KsClassId& other) const {
    return classNumber == other.classNumber && classVersion == other.classVersion;
  }
  // Three-way with nulls first, then by class number, then by version.
  int operator!=(const KsClassId& other) const;
  int operator>(const KsClassId& other) const { return (*this != other) > 0; }

  int IsNullValue() const { return classNumber == 0xFFFF && classVersion == 0xFFFF; }
  int SetNullValue();

  // Replaces out by the text of this class identity (null format: "(%Cv%V)").
  KsString& PrintToKsString(KsString& out, const char* format = nullptr) const;
  void ScanFromKsString(const KsString& in, const char* format = nullptr);
  static KsString& PrintToString(KsString& out, const KsClassId& value, const char* format);
  static KsClassId* ScanFromString(KsClassId* value, const KsString& in, const char* format);

  uint16_t classNumber;   // C
  uint16_t classVersion;  // V
};

class KS_API KsRef {
 public:
  KsRef() : blockNumber(0), objectLow(0), objectHigh(0), databaseNumber(0), classNumber(0), classVersion(0) {}

  KsRef(const KsRef& other) = default;
  KsRef& operator=(const KsRef& other) = default;
  KsRef& operator=(const KsObjId& id);         // B, L, H
  KsRef& operator=(const KsLocalRef& local);   // B, L, H, C, V; D becomes 0
  KsRef& operator=(const KsClassId& classId);  // C, V
  KsRef& operator=(unsigned short database);   // D

  // Equal object numbers and databases; the class does not count.
  int operator==(const KsRef& other) const;
  // Three-way: H difference, then L, then D (1 or -1).
  int operator!=(const KsRef& other) const;

  unsigned short IsValid() const;
  unsigned short IsInvalid() const { return IsValid() ? 0 : 1; }
  unsigned short IsValidOriginId() const;
  unsigned short IsInvalidOriginId() const;

  int IsNullValue() const { return objectLow == 0 && objectHigh == 0; }
  // Object identity 0 (block included); database and class stay.
  int SetNullValue();

  KsObjId ObjId() const { return KsObjId(blockNumber, objectLow, objectHigh); }
  KsClassId ClassId() const { return KsClassId(classNumber, classVersion); }

  // Replaces out by the text of this reference (null format:
  // "(%D:%H-%L#%B, %C)").
  KsString& PrintToKsString(KsString& out, const char* format = nullptr) const;
  void ScanFromKsString(const KsString& in, const char* format = nullptr);
  // With a null format: "(%D:%H-%L#%B,%Cv%V)".
  static KsString& PrintToString(KsString& out, const KsRef& value, const char* format);
  static KsRef* ScanFromString(KsRef* value, const KsString& in, const char* format);

  uint32_t blockNumber;     // B
  uint32_t objectLow;       // L
  uint16_t objectHigh;      // H
  uint16_t databaseNumber;  // D
  uint16_t classNumber;     // C
  uint16_t classVersion;    // V
};

// A reference within the local database: the layout of KsRef, whose
// database field it never reads or writes.
class KS_API KsLocalRef {
 public:
  KsLocalRef()
      : blockNumber(0), objectLow(0), objectHigh(0), unusedDatabase(0), classNumber(0), classVersion(0) {}
  KsLocalRef(const KsLocalRef& other) = default;

  KsLocalRef& operator=(const KsLocalRef& other);
  KsLocalRef& operator=(const KsObjId& id);         // B, L, H
  KsLocalRef& operator=(const KsClassId& classId);  // C, V
  KsLocalRef& operator=(const KsRef& ref);          // B, L, H, C, V

  int operator==(const KsLocalRef& other) const;
  // Also requires the reference to name the local database (D = 0).
  int operator==(const KsRef& ref) const;
  // Three-way on H, then L.
  int operator!=(const KsLocalRef& other) const;
  // As above; on equal object numbers -1 when the reference's D is not 0.
  int operator!=(const KsRef& ref) const;

  // The reference with database number 0.
  KsRef Ref() const;

  // Replaces out by the text of this reference (null format:
  // "(%H-%L#%B,%C)").
  KsString& PrintToKsString(KsString& out, const char* format = nullptr) const;
  void ScanFromKsString(const KsString& in, const char* format = nullptr);

  uint32_t blockNumber;
  uint32_t objectLow;
  uint16_t objectHigh;
  uint16_t unusedDatabase;  // never read or written
  uint16_t classNumber;
  uint16_t classVersion;
};

static_assert(sizeof(KsObjId) == 12);
static_assert(sizeof(KsClassId) == 4);
static_assert(sizeof(KsRef) == 16);
static_assert(sizeof(KsLocalRef) == 16);
