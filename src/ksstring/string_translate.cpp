// Translate slot of KsString: between memory and stored records, and from
// either into the order-key form that index keys use.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "basesvc.h"
#include "i18nsvc.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"
#include "kstypes/class_slots.h"

namespace ksstring {
namespace {

// Order keys never exceed 254 bytes, and a cut key source is read from a
// copy of at most this many bytes.
constexpr size_t kKeySourceCopy = 259;
constexpr unsigned char kUnicode = kUnicodeCodeSet;

// "oldIndexUnicodeOrder": when set, Unicode keys keep their 16-bit units
// instead of being narrowed to bytes. Read once.
bool KeepsUnicodeUnits() {
  static const bool keep = [] {
    KsConfig* config = DefaultConfig(reinterpret_cast<KsConfig*>(~uintptr_t{0}));
    int value = 0;
    return config != nullptr && config->GetBool("oldIndexUnicodeOrder", nullptr, value) != 0 && value != 0;
  }();
  return keep;
}

// A source string: code set, language and terminated units, with the format
// of its units.
struct SourceText {
  unsigned char codeSet;
  unsigned char language;
  const char* units;
  unsigned char format;
};

// Writes the order-key record of one text at out within room bytes (room
// >= 6). The key stops before the first order of another class than the
// first one (the class byte then gets 0x80) and always keeps room for the
// closing 00 FF. Returns the record's size.
size_t WriteOrderKey(const SourceText& text, unsigned char* out, size_t room, unsigned char dstFormat) {
  KsStringIterator reader(text.units, text.codeSet, text.language, text.format);
  unsigned char classByte = reader.OrderClass();
  size_t at = kRecordHeader;
  const size_t orderRoom = room - 2;
  for (bool first = true; at + 2 <= orderRoom; first = false) {
    const unsigned short order = reader.GetNextOrder(1);
    if (order == 0) break;
    if (first) {
      classByte = reader.OrderClass();
    } else if (reader.OrderClass() != classByte) {
      classByte |= kCutAtClassChange;
      break;
    }
    WriteUnit(out + at, 2, order, dstFormat);
    at += 2;
  }
  out[at++] = 0x00;
  out[at++] = kRecordEndMark;
  const size_t length = at - kLengthField;
  // A key never outgrows its 16-bit length: its room is bounded by dstLen.
  if (length > 0xFFFF) KESO_assert("(o_u4b)_nLen == nLen", "src/kstypes", 1569);
  WriteLength(out, static_cast<uint16_t>(length), dstFormat);
  out[2] = kOrderKeyCodeSet;
  out[3] = classByte;
  return at;
}

// The stored records of the source in the current layout, in a buffer the
// caller owns: memory strings are stored, a legacy block becomes records.
std::vector<unsigned char> CurrentRecordsOf(const void* src, unsigned char srcFormat, unsigned srcLen,
                                            unsigned count, unsigned char recordFormat) {
  std::vector<unsigned char> records;
  if (InMemory(srcFormat)) {
    const auto* strings = static_cast<const KsString*>(src);
    records.resize(StoredSizeOfStrings(strings, 1, count));
    StringStore(records.data(), strings, recordFormat & 15, count);
    return records;
  }
  const auto* bytes = static_cast<const unsigned char*>(src);
  const size_t available = srcLen != 0 ? srcLen : SIZE_MAX;
  if (available >= kLengthField && IsLegacyBlock(bytes, available, srcFormat)) {
    // Legacy texts become records of the default 8-bit code set and default
    // language, as loading them would make them.
    std::vector<KsString> strings(count);
    LoadLegacyBlock(strings.data(), bytes, available, srcFormat, count);
    records.resize(StoredSizeOfStrings(strings.data(), 1, count));
    StringStore(records.data(), strings.data(), srcFormat & 15, count);
    return records;
  }
  const size_t size = std::min(available, StoredSizeOfRecords(bytes, available, 0, count));
  records.assign(bytes, bytes + size);
  return records;
}

// Step 6: records copied into the destination's code set reading; Unicode
// records narrowed to one byte per character unless the old order is kept.
unsigned CopyRecords(unsigned char* out, unsigned char dstFormat, size_t dstLen, const void* src,
                     unsigned char srcFormat, unsigned srcLen, unsigned count) {
  // Memory strings are stored in the destination's byte order.
  const unsigned char recordFormat = InMemory(srcFormat) ? dstFormat : srcFormat;
  const std::vector<unsigned char> records = CurrentRecordsOf(src, srcFormat, srcLen, count, recordFormat);
  size_t written = 0;
  for (size_t at = 0; at + kRecordHeader <= records.size() && written < dstLen;) {
    const RecordView record = ViewRecord(records.data() + at, records.size() - at, recordFormat);
    // A length that does not even cover the code set and language bytes:
    // nothing after it can be read as records.
    if (record.PresentBytes(records.size() - at) < kRecordHeader) break;
    std::vector<unsigned char> copy(
        records.begin() + static_cast<long>(at),
        records.begin() + static_cast<long>(at + record.PresentBytes(records.size() - at)));
    at += record.PresentBytes(records.size() - at);
    copy[2] = AdjustedCodeSet(record.codeSet, dstFormat);
    if (record.codeSet == kUnicode && !KeepsUnicodeUnits()) {
      // One byte per character: the low byte of each unit, whatever the
      // byte order (the first stored byte of a most-significant-first unit
      // is zero for every Latin character). The record is relabelled with
      // the native code set, whose bytes the narrowed Latin-1 range reads as.
      const size_t units = record.textBytes / 2;
      for (size_t u = 0; u < units; ++u) {
        copy[kRecordHeader + u] = static_cast<unsigned char>(ReadUnit(record.text + 2 * u, 2, recordFormat));
      }
      const size_t narrowed = kRecordHeader + units;
      copy.resize(narrowed);
      copy.push_back(0x00);
      copy.push_back(kRecordEndMark);
      WriteLength(copy.data(), static_cast<uint16_t>(copy.size() - kLengthField), recordFormat);
      copy[2] = AdjustedCodeSet(KsLanguageContext::GetNativeCodeSet(), dstFormat);
    }
    const size_t take = std::min(copy.size(), dstLen - written);
    std::memcpy(out + written, copy.data(), take);
    written += take;
  }
  return static_cast<unsigned>(written);
}

unsigned TranslateToOrderKeys(unsigned char* out, unsigned char dstFormat, size_t dstLen, const void* src,
                              unsigned char srcFormat, unsigned srcLen, unsigned count) {
  std::vector<KsString> loaded;
  const KsString* strings = static_cast<const KsString*>(src);
  if (!InMemory(srcFormat)) {
    loaded.resize(count);
    LoadRecords(loaded.data(), static_cast<const unsigned char*>(src), srcLen != 0 ? srcLen : SIZE_MAX,
                srcFormat, count);
    strings = loaded.data();
  }
  size_t written = 0;
  for (unsigned i = 0; i < count && dstLen - written >= kMinimumRecordSize; ++i) {
    const KsString& s = strings[i];
    const SourceText text{AdjustedCodeSet(s.CodeSet(), dstFormat), s.Language(), s.StrGet(), kMemoryFormat};
    written += WriteOrderKey(text, out + written, dstLen - written, dstFormat);
  }
  return static_cast<unsigned>(written);
}

// The code set that decides whether the source becomes an order key: that
// of the first value, read as the destination format reads it.
unsigned char FirstCodeSet(const void* src, unsigned char srcFormat, unsigned srcLen,
                           unsigned char dstFormat) {
  if (InMemory(srcFormat)) return AdjustedCodeSet(static_cast<const KsString*>(src)->CodeSet(), dstFormat);
  const auto* bytes = static_cast<const unsigned char*>(src);
  const size_t available = srcLen != 0 ? srcLen : SIZE_MAX;
  if (available < kRecordHeader) return 0;
  if (IsLegacyBlock(bytes, available, srcFormat)) {
    return AdjustedCodeSet(KsLanguageContext::GetDefault8CodeSet(), dstFormat);
  }
  return AdjustedCodeSet(bytes[2], dstFormat);
}

}  // namespace

unsigned StringTranslate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                         unsigned char srcFormat, unsigned srcLen, unsigned count) {
  if (dst == nullptr || src == nullptr || count == 0) return 0;
  const bool toMemory = InMemory(dstFormat);
  const bool fromMemory = InMemory(srcFormat);
  if (toMemory && fromMemory) {
    ks::ClassSlots<KsString>::Assignment(dst, src, count, 0);
    return static_cast<unsigned>(count * sizeof(KsString));
  }
  if (toMemory) {
    const auto* bytes = static_cast<const unsigned char*>(src);
    if ((srcFormat & kFormatOrderKey) != 0 && srcLen != 0) {
      // A cut key: read from a copy, each record clipped to what is left;
      // values without bytes left are empty with the last code set and
      // language, and count as 6 bytes.
      unsigned char copy[kKeySourceCopy] = {};
      const size_t available = std::min<size_t>(srcLen, sizeof copy);
      std::memcpy(copy, bytes, available);
      auto* strings = static_cast<KsString*>(dst);
      size_t at = 0;
      unsigned char codeSet = KsLanguageContext::GetDefaultCodeSet();
      unsigned char language = KsLanguageContext::GetDefaultLanguage();
      for (unsigned i = 0; i < count; ++i) {
        if (available - at < kRecordHeader) {
          strings[i].AssignUnits(nullptr, 0, codeSet, language, 1);
          at += kMinimumRecordSize;
          continue;
        }
        const RecordView record = ViewRecord(copy + at, available - at, srcFormat);
        codeSet = record.codeSet;
        language = record.language;
        const unsigned width = WidthOf(codeSet);
        strings[i].AssignUnits(record.text, static_cast<unsigned short>(record.textBytes / width), codeSet,
                               language, srcFormat & 15);
        at += record.PresentBytes(available - at);
      }
      return static_cast<unsigned>(at);
    }
    return LoadRecords(static_cast<KsString*>(dst), bytes, srcLen != 0 ? srcLen : SIZE_MAX, srcFormat, count);
  }
  auto* out = static_cast<unsigned char*>(dst);
  const bool toKey = (dstFormat & kFormatOrderKey) != 0;
  if (!toKey && fromMemory) {
    std::memset(out, 0, dstLen);
    const size_t size = StoredSizeOfStrings(static_cast<const KsString*>(src), dstFormat, count);
    if (size <= dstLen) return StringStore(out, src, dstFormat & 15, count);
    // Too little room: the records are cut to it.
    std::vector<unsigned char> records(size);
    StringStore(records.data(), src, dstFormat & 15, count);
    std::memcpy(out, records.data(), dstLen);
    return dstLen;
  }
  if (!toKey && dstFormat != srcFormat) {
    KESO_assert("format combination not supported", "src/kstypes", 1745);
    return 0;
  }
  const unsigned char codeSet = FirstCodeSet(src, srcFormat, srcLen, dstFormat);
  if (toKey && codeSet != 0 && codeSet != kOrderKeyCodeSet) {
    return TranslateToOrderKeys(out, dstFormat, dstLen, src, srcFormat, srcLen, count);
  }
  return CopyRecords(out, dstFormat, dstLen, src, srcFormat, srcLen, count);
}

}  // namespace ksstring
