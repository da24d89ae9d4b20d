// The legacy descriptor of KsString: one block for all strings of an array,
// a 16-bit total T and each string's 8-bit text with its terminator.
#include <algorithm>
#include <cstring>
#include <vector>

#include "i18nsvc.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"

namespace ksstring {
namespace {

// The 8-bit text a string is written as: 16-bit strings are converted into
// the default 8-bit code set, so that the block stays one byte per character.
const KsString& EightBitForm(const KsString& s, KsString& holder) {
  if (s.CharWidth() == 1) return s;
  holder.AssignUnits(nullptr, 0, KsLanguageContext::GetDefault8CodeSet(), s.Language(), 1);
  holder += s;
  return holder;
}

size_t BlockTotal(const KsString* strings, unsigned count) {
  size_t total = 0;
  for (unsigned i = 0; i < count; ++i) total += strings[i].Len() + 1u;
  return total;
}

}  // namespace

unsigned LegacyStringStore(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* out = static_cast<unsigned char*>(dst);
  const auto* strings = static_cast<const KsString*>(src);
  if (BlockTotal(strings, count) > kLargestBlockTotal) return 0;
  size_t at = kLengthField;
  for (unsigned i = 0; i < count; ++i) {
    KsString holder;
    const KsString& text = EightBitForm(strings[i], holder);
    const size_t bytes = text.Len();
    std::memcpy(out + at, text.StrGet(), bytes);
    out[at + bytes] = 0;
    at += bytes + 1;
  }
  WriteLength(out, static_cast<uint16_t>(at - kLengthField), format);
  return static_cast<unsigned>(at);
}

unsigned LegacyStringSizeGet(const void* value, unsigned char srcFormat, unsigned char dstFormat,
                             unsigned count) {
  if (value == nullptr) return count > kLargestBlockTotal ? 0u : static_cast<unsigned>(kLengthField + count);
  if (InMemory(srcFormat)) {
    const size_t total = BlockTotal(static_cast<const KsString*>(value), count);
    return total > kLargestBlockTotal ? 0u : static_cast<unsigned>(kLengthField + total);
  }
  return static_cast<unsigned>(kLengthField +
                               ReadLength(static_cast<const unsigned char*>(value), dstFormat));
}

// The first record decides the layout, as it does for StringLoad: a block
// is one total for all strings, current records one length each.
bool LegacyStringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count,
                              size_t& extent) {
  const auto* bytes = static_cast<const unsigned char*>(src);
  if (srcLen >= kLengthField && IsLegacyBlock(bytes, srcLen, format)) {
    return MeasureTextBlock(bytes, srcLen, kLengthField, format, count, extent);
  }
  return MeasureRecords(bytes, srcLen, format, count, extent);
}

// The block holds every string of the array, so its total alone gives the
// size, whatever the count.
unsigned LegacyStringSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned) {
  if (file == nullptr) return 0;
  unsigned available = 0;
  const unsigned char* at = file->Seek(0, 1, &available, 0);
  if (at == nullptr || available < kLengthField) return static_cast<unsigned>(kMaxRecordSize);
  return static_cast<unsigned>(kLengthField + ReadLength(at, format));
}

unsigned LegacyStringTranslate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                               unsigned char srcFormat, unsigned srcLen, unsigned count) {
  if (dst == nullptr || src == nullptr) return 0;
  // Into memory both descriptors read alike: loading accepts either layout.
  if (InMemory(dstFormat)) return StringTranslate(dst, dstFormat, dstLen, src, srcFormat, srcLen, count);
  const bool fromMemory = InMemory(srcFormat);
  auto* out = static_cast<unsigned char*>(dst);
  std::memset(out, 0, dstLen);
  if (fromMemory) {
    const auto* strings = static_cast<const KsString*>(src);
    if (kLengthField + BlockTotal(strings, count) <= dstLen)
      return LegacyStringStore(out, src, dstFormat, count);
    std::vector<unsigned char> block(kLengthField + BlockTotal(strings, count) + count);
    LegacyStringStore(block.data(), src, dstFormat, count);
    std::memcpy(out, block.data(), dstLen);
    return dstLen;
  }
  // One stored record or block, in the destination's byte order. A current
  // record that is whole loses its code set and language bytes and the
  // closing FF; its text and terminator remain.
  const auto* bytes = static_cast<const unsigned char*>(src);
  const size_t available = srcLen != 0 ? srcLen : SIZE_MAX;
  if (available < kLengthField || dstLen < kLengthField) return 0;
  const uint16_t length = ReadLength(bytes, srcFormat);
  const size_t size = kLengthField + size_t{length};
  const unsigned char* data = bytes + kLengthField;
  size_t dataBytes = std::min<size_t>(length, available - kLengthField);
  if (size <= available && length >= kRecordHeader - kLengthField + 1 && bytes[size - 1] == kRecordEndMark) {
    data += 2;
    dataBytes = length - 3u;
  }
  WriteLength(out, static_cast<uint16_t>(dataBytes), dstFormat);
  const size_t take = std::min(dataBytes, size_t{dstLen} - kLengthField);
  std::memcpy(out + kLengthField, data, take);
  return static_cast<unsigned>(kLengthField + take);
}

}  // namespace ksstring
