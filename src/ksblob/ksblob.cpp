// KsBlob: construction, editing and queries.
#include "ksblob.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

#include "basesvc.h"

namespace {

// A buffer kept when new content is at most this much shorter.
constexpr int kReuseSlack = 128;

void* Allocate(size_t size) {
  void* block = std::malloc(size);
  if (block == nullptr) KsCallMemoryHandler(static_cast<unsigned>(size));
  return block;
}

int ClipCount(int offset, int size, int length) {
  return size < length - offset ? size : length - offset;
}

}  // namespace

bool KsBlob::EnsureRecord() {
  if (record != nullptr) return true;
  record = static_cast<KsBlobData*>(Allocate(sizeof(KsBlobData)));
  if (record == nullptr) return false;
  record->data = nullptr;
  record->length = 0;
  return true;
}

void KsBlob::Free() {
  if (record == nullptr) return;
  std::free(record->data);
  std::free(record);
  record = nullptr;
}

void KsBlob::ReplaceContent(const void* bytes, int size) {
  if (size < 0) size = 0;
  if (record->data != nullptr && record->length >= size && record->length - size <= kReuseSlack) {
    if (size > 0) std::memmove(record->data, bytes, static_cast<size_t>(size));
    record->length = size;
    return;
  }
  // The new buffer is filled before the old one goes, so bytes may lie in it.
  unsigned char* buffer =
      size > 0 ? static_cast<unsigned char*>(Allocate(static_cast<size_t>(size))) : nullptr;
  if (buffer != nullptr) std::memcpy(buffer, bytes, static_cast<size_t>(size));
  std::free(record->data);
  record->data = buffer;
  record->length = buffer != nullptr ? size : 0;
}

void KsBlob::Reallocate(int size, int keep) {
  auto* buffer = static_cast<unsigned char*>(Allocate(static_cast<size_t>(size)));
  if (buffer == nullptr) return;
  if (keep > 0) std::memcpy(buffer, record->data, static_cast<size_t>(keep));
  std::free(record->data);
  record->data = buffer;
  record->length = size;
}

KsBlob::KsBlob() : record(nullptr) {
  EnsureRecord();
}

KsBlob::KsBlob(int size) : record(nullptr) {
  if (EnsureRecord()) Reallocate(size > 0 ? size : 0, 0);
}

KsBlob::KsBlob(const void* bytes, int size) : record(nullptr) {
  if (EnsureRecord() && size > 0) ReplaceContent(bytes, size);
}

KsBlob::KsBlob(const char* text) : record(nullptr) {
  if (EnsureRecord() && text != nullptr) ReplaceContent(text, static_cast<int>(std::strlen(text) + 1));
}

KsBlob::KsBlob(const KsBlob& other) : record(nullptr) {
  if (other.record != nullptr && EnsureRecord()) ReplaceContent(other.record->data, other.record->length);
}

KsBlob::~KsBlob() {
  Free();
}

KsBlob& KsBlob::operator=(const KsBlob& other) {
  if (this == &other || (record == nullptr && other.record == nullptr)) return *this;
  if (other.record == nullptr) {
    Free();
  } else if (EnsureRecord()) {
    ReplaceContent(other.record->data, other.record->length);
  }
  return *this;
}

KsBlob& KsBlob::operator=(const char* buffer) {
  Free();
  int32_t length;
  std::memcpy(&length, buffer, sizeof length);
  if (length >= 0 && EnsureRecord()) ReplaceContent(buffer + sizeof length, length);
  return *this;
}

KsBlob& KsBlob::Append(const KsBlob& other) {
  if (other.record != nullptr && other.record->length > 0) Append(other.record->data, other.record->length);
  return *this;
}

KsBlob& KsBlob::Append(const void* bytes, int size) {
  if (size < 1) return *this;
  if (record == nullptr) return SetTo(bytes, size);
  const int length = record->length;
  if (size > INT_MAX - length) {
    KsCallMemoryHandler(UINT_MAX);
    return *this;
  }
  auto* buffer = static_cast<unsigned char*>(Allocate(static_cast<size_t>(length) + size));
  if (buffer == nullptr) return *this;
  if (length > 0) std::memcpy(buffer, record->data, static_cast<size_t>(length));
  std::memcpy(buffer + length, bytes, static_cast<size_t>(size));
  std::free(record->data);
  record->data = buffer;
  record->length = length + size;
  return *this;
}

KsBlob& KsBlob::Cut(int offset, int size) {
  if (record == nullptr || offset < 0 || offset > record->length || size < 1) return *this;
  const int length = record->length;
  const int count = ClipCount(offset, size, length);
  if (count == length) {
    std::free(record->data);
    record->data = nullptr;
    record->length = 0;
    return *this;
  }
  const int remaining = length - count;
  auto* buffer = static_cast<unsigned char*>(Allocate(static_cast<size_t>(remaining)));
  if (buffer == nullptr) return *this;
  std::memcpy(buffer, record->data, static_cast<size_t>(offset));
  std::memcpy(buffer + offset, record->data + offset + count, static_cast<size_t>(remaining - offset));
  std::free(record->data);
  record->data = buffer;
  record->length = remaining;
  return *this;
}

KsBlob& KsBlob::Expand(int size) {
  if (size < 0) size = 0;
  if (!EnsureRecord()) return *this;
  Reallocate(size, size < record->length ? size : record->length);
  return *this;
}

KsBlob& KsBlob::Resize(unsigned int size) {
  // A length is a signed 32-bit number: larger sizes cannot be held.
  if (size > static_cast<unsigned>(INT_MAX)) {
    KsCallMemoryHandler(size);
    return *this;
  }
  const int wanted = static_cast<int>(size);
  if (record == nullptr) {
    if (EnsureRecord()) Reallocate(wanted, 0);
    return *this;
  }
  if (wanted == 0) {
    if (record->length != 0) {
      std::free(record->data);
      record->data = nullptr;
    }
    record->length = 0;
  } else if (wanted > record->length) {
    Reallocate(wanted, record->length);
  } else {
    record->length = wanted;
  }
  return *this;
}

KsBlob& KsBlob::SetTo(const void* bytes, int size) {
  if (EnsureRecord()) ReplaceContent(bytes, size);
  return *this;
}

KsBlob& KsBlob::Destroy(KsBlob& other) {
  if (this == &other) return *this;
  Free();
  record = other.record;
  other.record = nullptr;
  if (record != nullptr) other.EnsureRecord();
  return *this;
}

KsBlob& KsBlob::CopyTo(const KsBlob& source, int offset, int size) {
  if (record == nullptr || offset < 0 || offset > record->length) return *this;
  int count = ClipCount(offset, size, record->length);
  if (count > source.Length()) count = source.Length();
  if (count < 1) return *this;
  std::memmove(record->data + offset, source.record->data, static_cast<size_t>(count));
  return *this;
}

KsBlob KsBlob::CopyFrom(int offset, int size) const {
  if (record == nullptr || offset < 0 || offset > record->length) return KsBlob();
  const int count = ClipCount(offset, size, record->length);
  if (count < 1) return KsBlob();
  if (offset == 0 && count == record->length) return *this;
  return KsBlob(record->data + offset, count);
}

int KsBlob::SetNullValue() {
  Free();
  return 0;
}

unsigned char* KsBlob::Seek(int offset, int size) const {
  if (record == nullptr || offset < 0 || offset > record->length || size == 0) return nullptr;
  if (static_cast<long long>(offset) + size > record->length) return nullptr;
  return record->data + offset;
}

int KsBlob::Search(const KsBlob& pattern) const {
  constexpr int kNotFound = 65535;
  if (record == nullptr) return kNotFound;
  const int patternLength = pattern.Length();
  if (patternLength == 0) return 0;
  if (patternLength > record->length) return kNotFound;
  const void* found = memmem(record->data, static_cast<size_t>(record->length), pattern.record->data,
                             static_cast<size_t>(patternLength));
  return found != nullptr ? static_cast<int>(static_cast<const unsigned char*>(found) - record->data)
                          : kNotFound;
}

namespace {

// The content as a terminated text, cut at its first zero byte.
std::string TextOf(const KsBlobData* record) {
  if (record == nullptr || record->length <= 0) return std::string();
  const auto* bytes = reinterpret_cast<const char*>(record->data);
  return std::string(bytes, strnlen(bytes, static_cast<size_t>(record->length)));
}

}  // namespace

KsBlob::operator short() const {
  return static_cast<short>(std::atoi(TextOf(record).c_str()));
}
KsBlob::operator int() const {
  return static_cast<int>(std::atol(TextOf(record).c_str()));
}
KsBlob::operator double() const {
  return std::atof(TextOf(record).c_str());
}

int KsBlob::operator==(const KsBlob& other) const {
  return (*this != other) == 0;
}

int KsBlob::operator!=(const KsBlob& other) const {
  if (record == nullptr || other.record == nullptr) {
    if (record == other.record) return 0;
    return record == nullptr ? -2 : 2;
  }
  const int length = record->length, otherLength = other.record->length;
  const int common = length < otherLength ? length : otherLength;
  if (common > 0) {
    const int bytes = std::memcmp(record->data, other.record->data, static_cast<size_t>(common));
    if (bytes != 0) return bytes < 0 ? -1 : 1;
  }
  return length == otherLength ? 0 : (length < otherLength ? -1 : 1);
}
