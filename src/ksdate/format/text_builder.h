// A growing text for the printer: short texts, which are nearly all of them,
// stay in the object; longer ones move to the heap and grow without limit.
#pragma once

#include <cstdlib>
#include <cstring>

#include "basesvc.h"

namespace ks::datefmt {

class TextBuilder {
 public:
  // User-provided, so that the inline buffer is never zeroed first.
  TextBuilder() {}
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;
  ~TextBuilder() {
    if (data_ != inline_) std::free(data_);
  }

  void Append(const char* text, size_t length) {
    if (!Reserve(length)) return;
    std::memcpy(data_ + size_, text, length);
    size_ += length;
  }
  void Append(const char* text) { Append(text, std::strlen(text)); }
  void Append(char c) {
    if (Reserve(1)) data_[size_++] = c;
  }
  // Room for `length` more characters, to be written by the caller; null
  // when there is none.
  char* Extend(size_t length) {
    if (!Reserve(length)) return nullptr;
    size_ += length;
    return data_ + size_ - length;
  }

  size_t Size() const { return size_; }
  // REQUIRES: size <= Size().
  void Truncate(size_t size) { size_ = size; }

  // The text with a terminator; valid until the next change.
  const char* CStr() {
    data_[size_] = 0;
    return data_;
  }

 private:
  // Room for `more` characters and the terminator. When the heap refuses,
  // the memory handler is told and the text stays as it is.
  bool Reserve(size_t more) {
    if (size_ + more < capacity_) return true;
    size_t capacity = capacity_ * 2;
    while (capacity <= size_ + more) capacity *= 2;
    char* grown = static_cast<char*>(std::malloc(capacity));
    if (grown == nullptr) {
      KsCallMemoryHandler(static_cast<unsigned>(capacity));
      return false;
    }
    std::memcpy(grown, data_, size_);
    if (data_ != inline_) std::free(data_);
    data_ = grown;
    capacity_ = capacity;
    return true;
  }

  char inline_[120];
  char* data_ = inline_;
  size_t size_ = 0;
  size_t capacity_ = sizeof inline_;
};

}  // namespace ks::datefmt
