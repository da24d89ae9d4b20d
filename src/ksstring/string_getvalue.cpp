// The value generator of KsString. It works on an order-key record in its
// stored form (format 0x81), where index scans need the smallest key above
// a prefix: op 'M' turns the first wildcard into the highest order, and 'N'
// (or 'M' without a wildcard) appends the order of 'a' or raises the last
// order when the buffer is full.
#include <algorithm>
#include <cstring>
#include <vector>

#include "kschar.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"

namespace ksstring {
namespace {

constexpr unsigned char kKeyFormat = 0x81;
constexpr int kNotSupported = -2999;
constexpr uint16_t kHighestOrder = 0xFFFE;

// Writes a 16-bit value least significant byte first at text + at, the
// bytes that lie within room.
void PutUnit(unsigned char* text, size_t at, size_t room, uint16_t value) {
  if (at < room) text[at] = static_cast<unsigned char>(value);
  if (at + 1 < room) text[at + 1] = static_cast<unsigned char>(value >> 8);
}

}  // namespace

int StringGetValue(void* value, unsigned count, unsigned char format, unsigned char op) {
  if (format != kKeyFormat || (op != 'M' && op != 'N')) return kNotSupported;
  if (value == nullptr || count < kRecordHeader) return 0;
  auto* record = static_cast<unsigned char*>(value);
  const uint16_t length = ReadLength(record, format);
  const unsigned char codeSet = record[2];
  const size_t width = WidthOf(codeSet);
  unsigned char* text = record + kRecordHeader;
  const size_t room = count - kRecordHeader;                                                        // A
  const size_t used = std::min<size_t>(length > kRecordHeader ? length - kRecordHeader : 0, room);  // n

  if (op == 'M') {
    std::vector<unsigned char> terminated(text, text + used);
    terminated.resize(used + 2, 0);
    unsigned short offset = 0;
    const int found = WildcardPosition(codeSet, record[3], reinterpret_cast<const char*>(terminated.data()),
                                       false, static_cast<int>(used / width), 1, offset);
    if (found >= 0) {
      if (codeSet == 0) {
        text[offset] = 0xFF;
      } else {
        PutUnit(text, offset, room, kHighestOrder);
      }
      return 0;
    }
  }
  const size_t next = used + width;  // q
  if (next < room) text[next] = text[used];
  if (next + 1 < room) text[next + 1] = text[used + 1];
  if (next <= room) {
    if (codeSet == 0) {
      text[used] = 'a';
    } else {
      PutUnit(text, used, room, KsChar('a', 255, 0).Order());
    }
    WriteLength(record, static_cast<uint16_t>(length + width), format);
  } else if (room < width) {
    return 0;
  } else if (codeSet == 0) {
    ++text[room - width];
  } else {
    PutUnit(text, room - width, room, kHighestOrder);
  }
  return 0;
}

}  // namespace ksstring
