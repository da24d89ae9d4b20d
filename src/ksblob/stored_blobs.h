// Reading a stored blob form: the 32-bit fields in the form's byte order and
// a cursor that never moves beyond the bytes it was given.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/stored_total.h"
#include "basesvc.h"

namespace ks {

constexpr int32_t kNullBlobLength = -1;

using ksbase::FitsStoredTotal;

inline int32_t StoredWord(const unsigned char* p, unsigned char format) {
  int32_t value;
  LongStoreOne(&value, p, format & 15);
  return value;
}

inline void PutStoredWord(unsigned char* p, int32_t value, unsigned char format) {
  LongStoreOne(p, &value, format & 15);
}

// The stored total at p, with -1 (and any other negative total) as 0.
inline uint32_t StoredTotal(const unsigned char* p, unsigned char format) {
  const int32_t total = StoredWord(p, format);
  return total < 0 ? 0 : static_cast<uint32_t>(total);
}

// Walks the elements that follow the total.
class StoredBlobCursor {
 public:
  // bytes: the whole form (total included); size: the bytes that may be read.
  StoredBlobCursor(const void* bytes, size_t size, unsigned char format)
      : p_(static_cast<const unsigned char*>(bytes)), remaining_(size), format_(format) {
    Skip(4);
  }

  // Reads the next element's length and the address of its bytes; available
  // is the number of its bytes that lie within the form. False when no
  // length is left to read.
  bool Next(int32_t& length, const unsigned char*& data, size_t& available) {
    if (remaining_ < 4) return false;
    length = StoredWord(p_, format_);
    Skip(4);
    data = p_;
    available = length > 0
                    ? (static_cast<size_t>(length) < remaining_ ? static_cast<size_t>(length) : remaining_)
                    : 0;
    Skip(available);
    return true;
  }

 private:
  void Skip(size_t n) {
    if (n > remaining_) n = remaining_;
    p_ += n;
    remaining_ -= n;
  }

  const unsigned char* p_;
  size_t remaining_;
  unsigned char format_;
};

}  // namespace ks
