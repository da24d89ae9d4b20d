// StringStore, StringLoad and the stored sizes of KsString (current layout).
#include <cstring>

#include "base/stored_total.h"
#include "basesvc.h"
#include "i18nsvc.h"
#include "ksstoredstring.h"
#include "ksstring.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"

namespace ksstring {
namespace {

// D: the bytes after the code set and language bytes of a string's record.
size_t DataSize(const KsString& s) {
  if (s.ByteSize() == 0) return 2;
  return s.CharWidth() == 1 ? s.ByteSize() + 1u : s.ByteSize();
}

// The room a record of length L with code set `codeSet` takes under
// dstFormat: the order-key form may hold two bytes per order for each byte
// of text, computed in 16 bits as keys always were.
size_t RecordRoom(uint16_t length, unsigned char codeSet, unsigned char dstFormat) {
  codeSet = AdjustedCodeSet(codeSet, dstFormat);
  if ((dstFormat & kFormatOrderKey) != 0 && codeSet != 0 && codeSet != kOrderKeyCodeSet) {
    length = static_cast<uint16_t>((2 / WidthOf(codeSet)) * length * 2);
  }
  return kLengthField + length;
}

void LoadEmpty(KsString& s) {
  s.AssignUnits(nullptr, 0, KsLanguageContext::GetDefaultCodeSet(), KsLanguageContext::GetDefaultLanguage(),
                1);
}

}  // namespace

unsigned LoadLegacyBlock(KsString* strings, const unsigned char* block, size_t available,
                         unsigned char format, unsigned count) {
  const size_t total = ReadLength(block, format);
  const size_t end = kLengthField + total < available ? kLengthField + total : available;
  size_t at = kLengthField;
  for (unsigned i = 0; i < count; ++i) {
    const size_t length = at < end ? CountUnits(block + at, 1, end - at) : 0;
    strings[i].AssignUnits(block + at, static_cast<unsigned short>(length > 0xFFFF ? 0xFFFF : length),
                           KsLanguageContext::GetDefault8CodeSet(), KsLanguageContext::GetDefaultLanguage(),
                           1);
    at += length + 1;
  }
  return static_cast<unsigned>(kLengthField + total);
}

unsigned LoadRecords(KsString* strings, const unsigned char* src, size_t available, unsigned char format,
                     unsigned count) {
  if (count == 0) return 0;
  if (available < kLengthField) {
    for (unsigned i = 0; i < count; ++i) LoadEmpty(strings[i]);
    return 0;
  }
  if (IsLegacyBlock(src, available, format)) return LoadLegacyBlock(strings, src, available, format, count);
  size_t at = 0;
  for (unsigned i = 0; i < count; ++i) {
    const RecordView record = ViewRecord(src + at, available - at, format);
    if (!record.headerPresent || record.length < kRecordHeader) {
      for (unsigned j = i; j < count; ++j) LoadEmpty(strings[j]);
      return 0;
    }
    const unsigned width = WidthOf(record.codeSet);
    strings[i].AssignUnits(record.text, static_cast<unsigned short>(record.textBytes / width), record.codeSet,
                           record.language, format & 15);
    at += record.PresentBytes(available - at);
  }
  return static_cast<unsigned>(at);
}

size_t StoredSizeOfStrings(const KsString* strings, unsigned char dstFormat, unsigned count) {
  size_t total = 0;
  for (unsigned i = 0; i < count; ++i) {
    const uint16_t length = static_cast<uint16_t>(kLengthField + DataSize(strings[i]));
    total += RecordRoom(length, strings[i].CodeSet(), dstFormat);
  }
  return total;
}

size_t StoredSizeOfRecords(const unsigned char* records, size_t available, unsigned char dstFormat,
                           unsigned count) {
  size_t total = 0;
  for (unsigned i = 0; i < count; ++i) {
    const size_t left = available - total;
    // A record that does not fit counts 65,535 bytes, the most any record
    // takes, and so does each one after it.
    if (left < kLengthField) {
      return (count - i) * size_t{kMaxRecordSize};
    }
    const unsigned char* record = records + total;
    const uint16_t length = ReadLength(record, dstFormat);
    if ((dstFormat & kFormatOrderKey) == 0 && IsLegacyBlock(record, left, dstFormat)) {
      return kLengthField + length;
    }
    if (left < kRecordHeader || left < kLengthField + size_t{length}) {
      return (count - i) * size_t{kMaxRecordSize};
    }
    total += kLengthField + length;
  }
  // Enlargement for the order-key form is computed per record afterwards,
  // so that the walk above stays over the stored lengths.
  if ((dstFormat & kFormatOrderKey) == 0) return total;
  size_t room = 0;
  for (size_t at = 0; at < total;) {
    const uint16_t length = ReadLength(records + at, dstFormat);
    room += RecordRoom(length, records[at + 2], dstFormat);
    at += kLengthField + length;
  }
  return room;
}

}  // namespace ksstring

using namespace ksstring;

namespace {

// A size the stored form can carry, or 0 (see FitsStoredTotal).
unsigned ReportedTotal(size_t total) {
  return ksbase::FitsStoredTotal(total) ? static_cast<unsigned>(total) : 0u;
}

// Arrays this short cannot exceed the largest total, whatever their texts.
constexpr unsigned kCountsThatAlwaysFit = static_cast<unsigned>(INT32_MAX / (kLengthField + kMaxRecordSize));

}  // namespace

unsigned StringStore(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* out = static_cast<unsigned char*>(dst);
  const auto* strings = static_cast<const KsString*>(src);
  // Refused before anything is written, as the size functions refuse it.
  if (count > kCountsThatAlwaysFit && !ksbase::FitsStoredTotal(StoredSizeOfStrings(strings, format, count))) {
    return 0;
  }
  size_t at = 0;
  for (unsigned i = 0; i < count; ++i) {
    const KsString& s = strings[i];
    const size_t data = DataSize(s);
    WriteLength(out + at, static_cast<uint16_t>(data + kLengthField), format);
    out[at + 2] = s.CodeSet();
    out[at + 3] = s.Language();
    unsigned char* text = out + at + kRecordHeader;
    const size_t textBytes = data - 2;
    const unsigned width = s.CharWidth();
    const auto* units = reinterpret_cast<const unsigned char*>(s.StrGet());
    if (width == 1 || !ksbase::FormatNeedsByteSwap(format)) {
      std::memcpy(text, units, textBytes);
    } else {
      for (size_t u = 0; u < textBytes; u += 2) {
        WriteUnit(text + u, 2, ReadUnit(units + u, 2, kMemoryFormat), format);
      }
    }
    text[textBytes] = 0x00;
    text[textBytes + 1] = kRecordEndMark;
    at += kRecordHeader + data;
  }
  return static_cast<unsigned>(at);
}

unsigned StringLoad(void* dst, const void* src, unsigned char format, unsigned count) {
  return LoadRecords(static_cast<KsString*>(dst), static_cast<const unsigned char*>(src), SIZE_MAX, format,
                     count);
}

unsigned StringSizeGet(const void* value, unsigned char srcFormat, unsigned char dstFormat, unsigned count) {
  if (value == nullptr) return ksbase::FixedStoredTotal(count, static_cast<unsigned>(kMinimumRecordSize));
  if (InMemory(srcFormat)) {
    return ReportedTotal(StoredSizeOfStrings(static_cast<const KsString*>(value), dstFormat, count));
  }
  return ReportedTotal(
      StoredSizeOfRecords(static_cast<const unsigned char*>(value), SIZE_MAX, dstFormat, count));
}

namespace ksstring {

bool StringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count,
                        size_t& extent) {
  return MeasureRecords(static_cast<const unsigned char*>(src), srcLen, format, count, extent);
}

unsigned StringNullSizeGet(unsigned count) {
  return ksbase::FixedStoredTotal(count, static_cast<unsigned>(kMinimumRecordSize));
}

unsigned StringSizeGetFromMemFile(MemFile* file, unsigned char format, unsigned count) {
  if (file == nullptr) return 0;
  unsigned available = 0;
  const unsigned char* at = file->Seek(0, 1, &available, 0);
  if (at == nullptr) available = 0;
  return ReportedTotal(StoredSizeOfRecords(at, available, format, count));
}

}  // namespace ksstring
