#include "ksstring/stored_record.h"

#include <algorithm>

#include "i18nsvc.h"
#include "ksstring/units.h"

namespace ksstring {

unsigned char AdjustedCodeSet(unsigned char codeSet, unsigned char format) {
  if (codeSet == kOrderKeyCodeSet) return codeSet;
  if ((format & kFormatCodeSetZero) != 0 && codeSet != 0) codeSet = 0;
  if ((format & kFormatZeroIsNative) != 0 && codeSet == 0) codeSet = KsLanguageContext::GetNativeCodeSet();
  return codeSet;
}

RecordView ViewRecord(const unsigned char* p, size_t available, unsigned char format) {
  RecordView view;
  view.start = p;
  if (p == nullptr || available < kRecordHeader) {
    view.cut = true;
    return view;
  }
  view.headerPresent = true;
  view.length = ReadLength(p, format);
  view.codeSet = p[2];
  view.language = p[3];
  view.text = p + kRecordHeader;
  const size_t declared = view.length > kRecordHeader ? view.length - kRecordHeader : 0;
  const size_t present = available - kRecordHeader;
  view.textBytes = declared < present ? declared : present;
  view.cut = available < view.Size();
  return view;
}

bool IsLegacyBlock(const unsigned char* p, size_t available, unsigned char format) {
  const uint16_t length = ReadLength(p, format);
  const size_t last = kLengthField + length - 1;
  return last < available && p[last] == 0;
}

bool MeasureRecords(const unsigned char* p, size_t available, unsigned char format, unsigned count,
                    size_t& extent) {
  // Every record takes at least six bytes: a count beyond that cannot fit,
  // and is refused before walking it.
  if (count > available / kMinimumRecordSize) return false;
  size_t at = 0;
  for (unsigned i = 0; i < count; ++i) {
    const unsigned char* record = p + at;
    const size_t left = available - at;
    if (left < kMinimumRecordSize) return false;
    const uint16_t length = ReadLength(record, format);
    if (length < kRecordHeader || kLengthField + size_t{length} > left) return false;
    const size_t textBytes = length - kRecordHeader;
    if (textBytes % WidthOf(record[2]) != 0) return false;
    if (record[length] != 0 || record[length + 1] != kRecordEndMark) return false;
    at += kLengthField + length;
  }
  extent = at;
  return true;
}

bool MeasureTextBlock(const unsigned char* p, size_t available, size_t header, unsigned char format,
                      unsigned count, size_t& extent) {
  if (available < header) return false;
  const size_t total = ReadLength(p + header - kLengthField, format);
  if (total > available - header || count > total) return false;
  const unsigned char* texts = p + header;
  if (total > 0 && texts[total - 1] != 0) return false;
  if (static_cast<size_t>(std::count(texts, texts + total, 0)) != count) return false;
  extent = header + total;
  return true;
}

}  // namespace ksstring
