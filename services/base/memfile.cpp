// Memory files: a read cursor over bytes the caller owns. The cursor never
// leaves the data, whatever offset it is asked to move by.

#include <algorithm>

#include "basesvc.h"

MemFile::MemFile(const void* data, unsigned size)
    : data_(static_cast<const unsigned char*>(data)), size_(data != nullptr ? size : 0), position_(0) {}

unsigned char* MemFile::Seek(int offset, unsigned short whence, unsigned* length, unsigned short) {
  long long base = 0;
  switch (whence) {
    case 0:
      base = 0;
      break;
    case 1:
      base = position_;
      break;
    case 2:
      base = size_;
      break;
    default:
      // An unknown origin moves nothing and offers no data.
      if (length != nullptr) *length = 0;
      return nullptr;
  }
  // 64-bit arithmetic: an int offset added to a 32-bit position cannot wrap.
  position_ = static_cast<unsigned>(std::clamp<long long>(base + offset, 0, size_));
  const unsigned available = size_ - position_;
  if (length != nullptr) *length = available;
  if (available == 0) return nullptr;
  // The interface hands out a mutable pointer; callers only read through it.
  return const_cast<unsigned char*>(data_ + position_);
}
