// Comparison and hash of blobs, in memory and in the stored form.
#include <cstring>

#include "ksblob/blob_slots.h"
#include "ksblob/stored_blobs.h"

namespace {

bool InMemory(unsigned char format) {
  return (format & 15) == 8;
}

// The bytes of a stored form that may be read: the given length, or the
// size its total announces.
size_t StoredExtent(const void* values, unsigned len, unsigned char format) {
  if (len != 0) return len;
  return 4 + size_t{ks::StoredTotal(static_cast<const unsigned char*>(values), format)};
}

int CompareStoredElements(int32_t length1, const unsigned char* data1, size_t available1, int32_t length2,
                          const unsigned char* data2, size_t available2) {
  const bool null1 = length1 == ks::kNullBlobLength, null2 = length2 == ks::kNullBlobLength;
  if (null1 || null2) return null1 == null2 ? 0 : (null1 ? -2 : 2);
  const size_t readable = available1 < available2 ? available1 : available2;
  if (readable > 0) {
    const int bytes = std::memcmp(data1, data2, readable);
    if (bytes != 0) return bytes < 0 ? -1 : 1;
  }
  return length1 == length2 ? 0 : (length1 < length2 ? -1 : 1);
}

}  // namespace

int BlobCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                unsigned short, unsigned count, int& status) {
  status = 0;
  if (count == 0) return 0;
  if (InMemory(format)) {
    const auto* first = static_cast<const KsBlob*>(values1);
    const auto* second = static_cast<const KsBlob*>(values2);
    for (unsigned i = 0; i < count; ++i) {
      const int result = first[i] != second[i];
      if (result != 0) return result;
    }
    return 0;
  }
  // A length of 0 stands for the size the total announces; a form too short
  // to hold its total holds no elements.
  const size_t extent1 = len1 != 0 || values1 == nullptr ? len1 : StoredExtent(values1, 0, format);
  const size_t extent2 = len2 != 0 || values2 == nullptr ? len2 : StoredExtent(values2, 0, format);
  ks::StoredBlobCursor first(values1, extent1, format), second(values2, extent2, format);
  for (unsigned i = 0; i < count; ++i) {
    int32_t length1, length2;
    const unsigned char *data1, *data2;
    size_t available1, available2;
    if (!first.Next(length1, data1, available1) || !second.Next(length2, data2, available2)) {
      status = KS_ARRAY_EXHAUSTED;
      return 0;
    }
    const int result = CompareStoredElements(length1, data1, available1, length2, data2, available2);
    if (result != 0) return result;
  }
  return 0;
}

namespace ks {

unsigned BlobHash(unsigned char format, unsigned len, void* values, unsigned count, int& status) {
  status = 0;
  unsigned h = 0;
  if (InMemory(format)) {
    const auto* blobs = static_cast<const KsBlob*>(values);
    for (unsigned i = 0; i < count; ++i) h ^= static_cast<unsigned>(blobs[i].Length());
    return h * 1103515245u;
  }
  // Steps from the start of the form (its total first): each reads a length
  // word and moves past the word and that many bytes.
  const auto* p = static_cast<const unsigned char*>(values);
  size_t remaining = StoredExtent(values, len, format);
  for (unsigned step = 0; step < count && remaining >= 4; ++step) {
    const int32_t length = StoredWord(p, format);
    const size_t stepSize = 4 + size_t{length < 0 ? 0u : static_cast<uint32_t>(length)};
    h ^= static_cast<unsigned>(stepSize < remaining - 4 ? stepSize : remaining - 4);
    if (4 + stepSize >= remaining) break;
    p += 4 + stepSize;
    remaining -= 4 + stepSize;
  }
  return h * 1103515245u;
}

}  // namespace ks
