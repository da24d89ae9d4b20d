#include "ksstring/stored_record.h"

#include "i18nsvc.h"

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

}  // namespace ksstring
