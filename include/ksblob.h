// KsBlob: the binary large object of the type manager (type id 18).
//
// A blob is one pointer to a record of bytes, or null (the null blob). An
// empty blob is not null. The blob owns its record and the record its
// buffer. When content is replaced, a buffer at most 128 bytes longer than
// the new content is reused; otherwise a buffer of the exact size is made.
// Every failed allocation calls KsCallMemoryHandler with the requested size
// and the operation goes on with what it has.
#pragma once

#include <cstdint>

#include "ksexport.h"

struct KsBlobData {
  unsigned char* data;  // owned; null for a record of length 0 unless sized on request
  int32_t length;
};

class KS_API KsBlob {
 public:
  KsBlob();                             // empty, not null
  explicit KsBlob(int size);            // size uninitialised bytes
  KsBlob(const void* bytes, int size);  // a copy of size bytes
  explicit KsBlob(const char* text);    // a copy of text with its terminating zero
  KsBlob(const KsBlob& other);          // null stays null
  ~KsBlob();

  KsBlob& operator=(const KsBlob& other);
  // Takes a length (signed 32 bits, memory order) and that many bytes behind
  // it; a negative length makes the blob null.
  // REQUIRES: buffer holds the length and that many bytes.
  KsBlob& operator=(const char* buffer);

  KsBlob& operator+=(const KsBlob& other) { return Append(other); }
  KsBlob& Append(const KsBlob& other);
  KsBlob& Append(const void* bytes, int size);
  // Removes size bytes from offset (clipped to the end).
  KsBlob& Cut(int offset, int size);
  // The first min(size, Length()) bytes in a buffer of exactly size bytes.
  KsBlob& Expand(int size);
  // Grows with a new buffer, or shrinks by the length alone.
  KsBlob& Resize(unsigned int size);
  KsBlob& SetTo(const void* bytes, int size);
  // Takes over other's record; other is left empty (or null if it was).
  KsBlob& Destroy(KsBlob& other);
  // Writes the first bytes of source at offset, at most to this blob's end
  // and at most source's length.
  KsBlob& CopyTo(const KsBlob& source, int offset, int size);
  // The bytes from offset (size clipped to the end); empty when the range is
  // empty or this blob is null.
  KsBlob CopyFrom(int offset, int size) const;

  int IsNullValue() const { return record == nullptr; }
  int SetNullValue();
  int Length() const { return record != nullptr ? record->length : 0; }
  // The address of byte offset when [offset, offset + size) lies within the
  // blob and size is not 0; otherwise null.
  unsigned char* Seek(int offset, int size) const;
  // The first offset of pattern's bytes; 65535 when absent or this blob is
  // null; 0 for an empty or null pattern.
  int Search(const KsBlob& pattern) const;

  // The content read as decimal text; 0 for a null blob.
  operator short() const;
  operator int() const;
  operator double() const;

  // Both null is equal; one null is unequal; else equal lengths and bytes.
  int operator==(const KsBlob& other) const;
  // Three-way: 2 when only other is null, -2 when only this one is; else the
  // first differing byte (unsigned) or, on a common prefix, the shorter
  // blob sorts first (-1, 0, 1).
  int operator!=(const KsBlob& other) const;

  const unsigned char* Data() const { return record != nullptr ? record->data : nullptr; }

 private:
  // Makes the record when there is none; false when that allocation fails.
  bool EnsureRecord();
  // Replaces the bytes of the record, reusing its buffer when it fits.
  void ReplaceContent(const void* bytes, int size);
  // A buffer of exactly size bytes whose first `keep` bytes are the old ones.
  void Reallocate(int size, int keep);
  void Free();

  KsBlobData* record;
};

static_assert(sizeof(KsBlob) == sizeof(void*));

// The blob comparison with the common compare signature: in memory (format
// & 15 is 8) by operator!=, otherwise over the stored forms, where a null
// element sorts first (-2 or 2) and otherwise bytes and then lengths decide.
KS_API int BlobCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                       unsigned short cmpOp, unsigned count, int& status);
