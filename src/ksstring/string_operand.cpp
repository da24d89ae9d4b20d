#include "ksstring/string_operand.h"

#include <cstdlib>
#include <cstring>

#include "basesvc.h"
#include "i18nsvc.h"
#include "ksstring.h"
#include "ksstring/stored_record.h"
#include "ksstring/units.h"

namespace ksstring {

StringOperand::StringOperand(const void* values, unsigned len, unsigned char format, bool acceptLegacy)
    : bytes_(static_cast<const unsigned char*>(values)),
      limit_(len != 0 ? len : SIZE_MAX),
      format_(format),
      inMemory_(InMemory(format)) {
  if (!inMemory_ && acceptLegacy && bytes_ != nullptr && limit_ >= kLengthField) {
    legacy_ = IsLegacyBlock(bytes_, limit_, format_);
    if (legacy_) {
      const size_t block = kLengthField + ReadLength(bytes_, format_);
      cut_ = block > limit_;
      if (!cut_) limit_ = block;
      at_ = kLengthField;
    }
  }
}

StringOperand::~StringOperand() {
  std::free(heap_);
}

StringOperand::Read StringOperand::Next() {
  cut_ = false;
  cutAtClassChange_ = false;
  if (bytes_ == nullptr) return Read::RanOut;
  if (inMemory_) return NextInMemory();
  return legacy_ ? NextLegacyText() : NextRecord();
}

StringOperand::Read StringOperand::NextInMemory() {
  const auto* strings = reinterpret_cast<const KsString*>(bytes_);
  const KsString& s = strings[index_++];
  codeSet_ = s.CodeSet();
  language_ = s.Language();
  chars_ = s.StrGet();
  count_ = s.Len();
  return Read::Ok;
}

StringOperand::Read StringOperand::NextRecord() {
  if (at_ >= limit_) return Read::RanOut;
  const size_t available = limit_ - at_;
  const RecordView record = ViewRecord(bytes_ + at_, available, format_);
  if (!record.headerPresent) return Read::Malformed;
  // Keys are cut below 254 bytes: a longer cut is a caller's wrong length.
  if (record.cut && available >= kLongestCutKey) return Read::Malformed;
  at_ += record.PresentBytes(available);
  codeSet_ = record.codeSet;
  language_ = record.language;
  cut_ = record.cut;
  if (codeSet_ == kOrderKeyCodeSet && (language_ & kCutAtClassChange) != 0) {
    language_ &= static_cast<unsigned char>(~kCutAtClassChange);
    cutAtClassChange_ = true;
  }
  const unsigned width = WidthOf(codeSet_);
  count_ = static_cast<int>(record.textBytes / width);
  const bool swapKeyUnits = codeSet_ == kOrderKeyCodeSet && ksbase::FormatIsBigEndian(format_);
  // Whole 8-bit text is read in place when the 00 of its closing 00 FF
  // follows it (a malformed record may lack it).
  if (width == 1 && !record.cut && record.length >= kRecordHeader && record.text[record.textBytes] == 0) {
    chars_ = reinterpret_cast<const char*>(record.text);
  } else {
    UseScratch(record.text, static_cast<size_t>(count_) * width, width, swapKeyUnits);
  }
  return Read::Ok;
}

StringOperand::Read StringOperand::NextLegacyText() {
  if (at_ >= limit_) return Read::RanOut;
  const size_t available = limit_ - at_;
  const size_t length = CountUnits(bytes_ + at_, 1, available);
  codeSet_ = KsLanguageContext::GetDefault8CodeSet();
  language_ = KsLanguageContext::GetDefaultLanguage();
  count_ = static_cast<int>(length);
  if (length < available) {
    chars_ = reinterpret_cast<const char*>(bytes_ + at_);
  } else {
    cut_ = true;
    UseScratch(bytes_ + at_, length, 1, false);
  }
  at_ += length + 1;
  return Read::Ok;
}

void StringOperand::UseScratch(const unsigned char* units, size_t bytes, unsigned width, bool swapUnits) {
  const size_t size = bytes + width;
  unsigned char* scratch = local_;
  if (size > sizeof local_) {
    if (size > heapSize_) {
      std::free(heap_);
      heapSize_ = 0;
      heap_ = static_cast<unsigned char*>(std::malloc(size));
      if (heap_ == nullptr) {
        KsCallMemoryHandler(static_cast<unsigned>(size));
        chars_ = "\0";
        count_ = 0;
        return;
      }
      heapSize_ = size;
    }
    scratch = heap_;
  }
  if (bytes > 0) std::memcpy(scratch, units, bytes);
  if (swapUnits) {
    for (size_t i = 0; i + 1 < bytes; i += 2) {
      const unsigned char high = scratch[i];
      scratch[i] = scratch[i + 1];
      scratch[i + 1] = high;
    }
  }
  std::memset(scratch + bytes, 0, width);
  chars_ = reinterpret_cast<const char*>(scratch);
}

}  // namespace ksstring
