// The stored string record and the legacy string block, read within the
// bytes a caller says are there.
//
// Current record: a 16-bit length L (the bytes that follow it), the code set
// byte, the language byte, L - 4 bytes of characters (16-bit units in the
// format's byte order) and the closing bytes 00 FF. Legacy block: a 16-bit
// total T, then zero-terminated 8-bit texts. A record whose byte before its
// end (offset 2 + L - 1) is 0 instead of FF is a legacy block.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/byteorder.h"

namespace ksstring {

constexpr size_t kLengthField = 2;
constexpr size_t kRecordHeader = 4;       // length, code set, language
constexpr size_t kMinimumRecordSize = 6;  // header and the closing 00 FF
constexpr unsigned char kRecordEndMark = 0xFF;
constexpr size_t kMaxRecordSize = 65535;
// Blocks of zero-terminated texts (the legacy KsString form, the
// I-strings) carry the total of their texts in 16 bits: an array whose
// texts exceed it has no block and is refused (size 0, nothing written)
// rather than stored with a wrapped total.
constexpr size_t kLargestBlockTotal = 0xFFFF;
// No record of an index key is longer than this; a key cut at this length or
// beyond cannot have been made by the key builder.
constexpr size_t kLongestCutKey = 254;
constexpr unsigned char kOrderKeyCodeSet = 254;
// Class byte bit of an order key cut where the text changed script.
constexpr unsigned char kCutAtClassChange = 0x80;

// Format byte bits of the string types.
constexpr unsigned char kFormatInMemory = 0x08;
constexpr unsigned char kFormatCodeSetZero = 0x20;
constexpr unsigned char kFormatZeroIsNative = 0x40;
constexpr unsigned char kFormatOrderKey = 0x80;

inline bool InMemory(unsigned char format) {
  return (format & kFormatInMemory) != 0;
}

inline uint16_t ReadLength(const unsigned char* p, unsigned char format) {
  return ksbase::FormatIsBigEndian(format) ? static_cast<uint16_t>(p[0] << 8 | p[1])
                                           : static_cast<uint16_t>(p[1] << 8 | p[0]);
}

inline void WriteLength(unsigned char* p, uint16_t length, unsigned char format) {
  const unsigned char high = static_cast<unsigned char>(length >> 8);
  const unsigned char low = static_cast<unsigned char>(length);
  p[0] = ksbase::FormatIsBigEndian(format) ? high : low;
  p[1] = ksbase::FormatIsBigEndian(format) ? low : high;
}

// The code set a stored record is read with under a destination format:
// bit 0x20 drops a code set, bit 0x40 reads code set 0 as the native one.
// Order keys keep theirs.
unsigned char AdjustedCodeSet(unsigned char codeSet, unsigned char format);

// One current-layout record as far as it lies within `available` bytes.
struct RecordView {
  const unsigned char* start = nullptr;
  uint16_t length = 0;  // L as stored
  unsigned char codeSet = 0;
  unsigned char language = 0;
  const unsigned char* text = nullptr;
  size_t textBytes = 0;  // character bytes present (at most L - 4)
  bool headerPresent = false;
  bool cut = false;  // fewer than 2 + L bytes available

  size_t Size() const { return kLengthField + length; }
  // Bytes that the record occupies within what was available.
  size_t PresentBytes(size_t available) const { return Size() < available ? Size() : available; }
};

// Reads the record at p. An `available` of SIZE_MAX trusts the record.
RecordView ViewRecord(const unsigned char* p, size_t available, unsigned char format);

// Whether the block at p (at least kLengthField bytes) is a legacy block: its
// byte before the end lies within `available` and is 0.
bool IsLegacyBlock(const unsigned char* p, size_t available, unsigned char format);

// Measuring stored strings before they are loaded from unchecked bytes. Each
// sets extent to the bytes the records take and returns true only when every
// length field lies within `available` bytes and agrees with what follows;
// nothing beyond `available` is read.
//
// `count` current-layout records back to back: each with L >= 4, whole
// within the bytes, ending in 00 FF, and with an even number of character
// bytes when its code set holds 16-bit units.
bool MeasureRecords(const unsigned char* p, size_t available, unsigned char format, unsigned count,
                    size_t& extent);
// A block of zero-terminated texts: `header` bytes whose last two are the
// 16-bit total T, then T bytes that are exactly `count` texts, each with its
// terminator (the legacy string block has a header of 2, the I-string block
// of 3).
bool MeasureTextBlock(const unsigned char* p, size_t available, size_t header, unsigned char format,
                      unsigned count, size_t& extent);

}  // namespace ksstring
