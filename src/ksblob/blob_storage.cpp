// Stored form of KsBlob: sizes, store and load.
#include <cstddef>
#include <cstring>

#include "ksblob/blob_slots.h"
#include "ksblob/stored_blobs.h"

namespace ks {
namespace {

constexpr unsigned kWord = 4;

// Bytes that follow the total for count blobs in memory, summed wide: the
// stored total is a signed 32-bit field, so a sum beyond INT32_MAX cannot be
// written (it would be read back as negative) and must be refused by the
// callers rather than wrapped into a small, wrong size.
uint64_t StoredTotalOf(const KsBlob* blobs, unsigned count) {
  uint64_t total = 0;
  for (unsigned i = 0; i < count; ++i) total += kWord + static_cast<uint64_t>(blobs[i].Length());
  return total;
}

}  // namespace

unsigned BlobStore(void* dst, const void* src, unsigned char format, unsigned count) {
  const auto* blobs = static_cast<const KsBlob*>(src);
  auto* out = static_cast<unsigned char*>(dst);
  const uint64_t total = StoredTotalOf(blobs, count);
  if (!FitsStoredTotal(total)) return 0;
  PutStoredWord(out, static_cast<int32_t>(total), format);
  size_t at = kWord;
  for (unsigned i = 0; i < count; ++i) {
    const KsBlob& blob = blobs[i];
    PutStoredWord(out + at, blob.IsNullValue() ? kNullBlobLength : blob.Length(), format);
    at += kWord;
    if (blob.Length() > 0) std::memcpy(out + at, blob.Data(), static_cast<size_t>(blob.Length()));
    at += static_cast<size_t>(blob.Length());
  }
  return kWord + static_cast<unsigned>(total);
}

namespace {

// Walks the length fields of count stored blobs within the stored total,
// calling visit(index, length, data) for each (length -1: null); false on
// a malformed form (a negative total, a length below -1, a blob reaching
// beyond the total). REQUIRES: in holds 4 + the total bytes.
template <typename Visit>
bool WalkStoredBlobs(const unsigned char* in, unsigned char format, unsigned count, Visit visit) {
  const int32_t total = StoredWord(in, format);
  if (total < 0) return false;
  const size_t limit = static_cast<size_t>(total);
  size_t used = 0;
  for (unsigned i = 0; i < count; ++i) {
    if (used + kWord > limit) return false;
    const int32_t length = StoredWord(in + kWord + used, format);
    used += kWord;
    if (length != kNullBlobLength && (length < 0 || static_cast<size_t>(length) > limit - used)) return false;
    visit(i, length, in + kWord + used);
    if (length > 0) used += static_cast<size_t>(length);
  }
  return true;
}

}  // namespace

unsigned BlobLoad(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* blobs = static_cast<KsBlob*>(dst);
  const auto* in = static_cast<const unsigned char*>(src);
  const bool wellFormed =
      WalkStoredBlobs(in, format, count, [blobs](unsigned i, int32_t length, const void* data) {
        if (length == kNullBlobLength) {
          blobs[i].SetNullValue();
        } else {
          blobs[i].SetTo(data, length);
        }
      });
  return wellFormed ? kWord + static_cast<unsigned>(StoredWord(in, format)) : 0;
}

bool BlobStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count, size_t& extent) {
  const auto* in = static_cast<const unsigned char*>(src);
  if (srcLen < kWord) return false;
  const int32_t total = StoredWord(in, format);
  if (total < 0 || static_cast<size_t>(total) > srcLen - kWord) return false;
  if (!WalkStoredBlobs(in, format, count, [](unsigned, int32_t, const void*) {})) return false;
  extent = kWord + static_cast<size_t>(total);
  return true;
}

unsigned BlobNullSizeGet(unsigned count) {
  return count * kWord;
}

unsigned BlobSizeGet(const void* value, unsigned char srcFormat, unsigned char, unsigned count) {
  if (value == nullptr) return kWord + count * kWord;
  if ((srcFormat & 15) == 8) {
    const uint64_t total = StoredTotalOf(static_cast<const KsBlob*>(value), count);
    return FitsStoredTotal(total) ? kWord + static_cast<unsigned>(total) : 0;
  }
  return kWord + StoredTotal(static_cast<const unsigned char*>(value), srcFormat);
}

unsigned BlobSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned) {
  if (file == nullptr) return 0;
  unsigned available = 2;
  const unsigned char* at = file->Seek(0, 1, &available, 0);
  if (at == nullptr || available < kWord) return 0;
  return kWord + StoredTotal(at, format);
}

}  // namespace ks
