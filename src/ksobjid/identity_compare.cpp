// Compare and hash slots of the identity values.
//
// In memory the classes' three-way operators decide. Stored elements are
// compared byte by byte from the most significant byte of the little-endian
// form downward, whatever the format says; so a reference orders by its
// database number first when stored and last in memory.
#include "_ksnulty.h"
#include "ksobjid/element_walk.h"
#include "ksobjid/identity_fields.h"
#include "ksobjid/identity_slots.h"

namespace ks {
namespace {

constexpr unsigned char kLittleEndian = 1;

bool InMemory(unsigned char format) {
  return (format & 15) == 8;
}

// The first difference of the bytes at the given offsets, in that order.
template <size_t N>
int CompareBytes(const unsigned char* a, const unsigned char* b, const int (&offsets)[N]) {
  for (int offset : offsets) {
    if (a[offset] != b[offset]) return int{a[offset]} - int{b[offset]};
  }
  return 0;
}

template <class T>
int MemoryOrder(const unsigned char* a, const unsigned char* b) {
  T first, second;
  std::memcpy(&first, a, sizeof first);
  std::memcpy(&second, b, sizeof second);
  return first != second;
}

constexpr int kObjIdOrder[] = {9, 8, 7, 6, 5, 4};
constexpr int kRefOrder[] = {11, 10, 9, 8, 7, 6, 5, 4};
constexpr int kClassIdOrder[] = {1, 0, 3, 2};

int StoredClassIdOrder(const unsigned char* a, const unsigned char* b) {
  const int result = CompareBytes(a, b, kClassIdOrder);
  if (result == 0) return 0;
  auto isNull = [](const unsigned char* p) { return (p[0] & p[1] & p[2] & p[3]) == 0xFF; };
  const KsNullTy nr = KsNullRelation(isNull(a), isNull(b));
  return nr == KsNullTy::unknown ? result : KsNullOrder(nr);
}

template <class T, unsigned kStoredSize, class StoredOrder>
int CompareIdentities(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                      unsigned count, int& status, StoredOrder storedOrder) {
  if (InMemory(format)) {
    return CompareFixedElements(sizeof(T), len1, values1, len2, values2, count, status, MemoryOrder<T>);
  }
  return CompareFixedElements(kStoredSize, len1, values1, len2, values2, count, status, storedOrder);
}

// Hash words: stored elements are read little-endian whatever the format.
template <class T, unsigned kStoredSize, class MemoryWord, class StoredWord>
unsigned HashIdentities(unsigned char format, unsigned len, void* values, unsigned count, int& status,
                        MemoryWord memoryWord, StoredWord storedWord) {
  if (InMemory(format)) {
    return HashFixedElements(sizeof(T), len, values, count, status, [&](const unsigned char* p) {
      T value;
      std::memcpy(&value, p, sizeof value);
      return memoryWord(value);
    });
  }
  return HashFixedElements(kStoredSize, len, values, count, status, storedWord);
}

}  // namespace

int ObjIdCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                 unsigned short, unsigned count, int& status) {
  return CompareIdentities<KsObjId, kObjIdStoredSize>(
      format, len1, values1, len2, values2, count, status,
      [](const unsigned char* a, const unsigned char* b) { return CompareBytes(a, b, kObjIdOrder); });
}

int ClassIdCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                   unsigned short, unsigned count, int& status) {
  return CompareIdentities<KsClassId, kClassIdStoredSize>(format, len1, values1, len2, values2, count, status,
                                                          StoredClassIdOrder);
}

int RefCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
               unsigned short, unsigned count, int& status) {
  return CompareIdentities<KsRef, kRefStoredSize>(
      format, len1, values1, len2, values2, count, status,
      [](const unsigned char* a, const unsigned char* b) { return CompareBytes(a, b, kRefOrder); });
}

unsigned ObjIdHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  return HashIdentities<KsObjId, kObjIdStoredSize>(
      format, len, values, count, status, [](const KsObjId& v) { return v.objectLow ^ v.objectHigh; },
      [](const unsigned char* p) { return Field32(p + 4, kLittleEndian) ^ Field16(p + 8, kLittleEndian); });
}

unsigned ClassIdHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  return HashIdentities<KsClassId, kClassIdStoredSize>(
      format, len, values, count, status,
      [](const KsClassId& v) { return unsigned{v.classNumber} ^ unsigned { v.classVersion }; },
      [](const unsigned char* p) {
        return unsigned{Field16(p, kLittleEndian)} ^ unsigned { Field16(p + 2, kLittleEndian) };
      });
}

unsigned RefHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  return HashIdentities<KsRef, kRefStoredSize>(
      format, len, values, count, status,
      [](const KsRef& v) { return unsigned{v.databaseNumber} ^ v.objectLow ^ v.objectHigh; },
      [](const unsigned char* p) {
        return unsigned{Field16(p + 10, kLittleEndian)} ^ Field32(p + 4, kLittleEndian) ^
               Field16(p + 8, kLittleEndian);
      });
}

}  // namespace ks
