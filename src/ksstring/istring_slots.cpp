// Type slots of KsIString and KsCaseIString: one template for both.
#include "ksstring/istring_slots.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "format/windows_format.h"
#include "ksstring.h"
#include "ksstring/folded_compare.h"
#include "ksstring/printed_text.h"
#include "ksstring/stored_record.h"
#include "ksstring/units.h"
#include "kstypes/class_text_records.h"
#include "kstypes/class_translate.h"

namespace ksstring {
namespace {

constexpr size_t kBlockHeader = 3;  // flag byte and total
constexpr unsigned char kPlainFlags = 0x40;
constexpr unsigned char kOptionFlags = 0x01;
constexpr int kStatusCutCompare = 2101;
constexpr int kStatusFailed = -2999;
constexpr unsigned short kLiteralOperators = 0x110;

template <KsFolding F>
size_t TextTotal(const KsFoldedString<F>* values, unsigned count) {
  size_t total = 0;
  for (unsigned i = 0; i < count; ++i) total += values[i].Len() + 1u;
  return total;
}

// The values of one side, in memory or as the texts of a stored block read
// within the bytes available; cut texts are copied and terminated.
template <KsFolding F>
class IStringOperand {
 public:
  enum class Read { Ok, RanOut, Malformed };

  IStringOperand(const void* values, unsigned len, unsigned char format)
      : bytes_(static_cast<const unsigned char*>(values)), inMemory_(InMemory(format)) {
    if (inMemory_ || bytes_ == nullptr) return;
    const size_t available = len != 0 ? len : SIZE_MAX;
    if (available < kBlockHeader) {
      malformed_ = true;
      return;
    }
    flags_ = bytes_[0];
    const size_t block = kBlockHeader + ReadLength(bytes_ + 1, format);
    cut_ = block > available;
    // Keys are cut below 254 bytes: a longer cut is a caller's wrong length.
    if (cut_ && available >= kLongestCutKey) malformed_ = true;
    end_ = std::min(block, available);
    at_ = kBlockHeader;
  }

  Read Next() {
    textCut_ = false;
    if (bytes_ == nullptr) return Read::RanOut;
    if (inMemory_) {
      const auto& value = reinterpret_cast<const KsFoldedString<F>*>(bytes_)[index_++];
      text_ = value.StrGet();
      flags_ = value.Flags();
      return Read::Ok;
    }
    if (malformed_) return Read::Malformed;
    if (at_ >= end_) return Read::RanOut;
    const auto* start = bytes_ + at_;
    const size_t available = end_ - at_;
    const auto* zero = static_cast<const unsigned char*>(std::memchr(start, 0, available));
    if (zero != nullptr) {
      text_ = reinterpret_cast<const char*>(start);
      at_ += static_cast<size_t>(zero - start) + 1;
      return Read::Ok;
    }
    scratch_.assign(reinterpret_cast<const char*>(start), available);
    text_ = scratch_.c_str();
    textCut_ = true;
    at_ = end_;
    return Read::Ok;
  }

  const char* Text() const { return text_; }
  uint32_t Flags() const { return flags_; }
  bool Cut() const { return textCut_; }

 private:
  const unsigned char* bytes_;
  bool inMemory_;
  bool malformed_ = false;
  bool cut_ = false;
  bool textCut_ = false;
  size_t at_ = 0;
  size_t end_ = 0;
  unsigned index_ = 0;
  uint32_t flags_ = 0;
  const char* text_ = "";
  std::string scratch_;
};

// Position of the first '?', '*' or backslash of a pattern, or -1.
int FirstSpecial(const char* pattern) {
  const size_t at = std::strcspn(pattern, "?*\\");
  return pattern[at] != 0 ? static_cast<int>(at) : -1;
}

template <KsFolding F>
int ComparePair(const char* text, uint32_t flags1, const char* pattern, uint32_t flags2, unsigned short cmpOp,
                unsigned limit) {
  using Value = KsFoldedString<F>;
  const int special = (cmpOp & kLiteralOperators) != 0 ? -1 : FirstSpecial(pattern);
  if (special < 0) return Value::Compare(text, pattern, limit, flags1, flags2);
  if (FoldedMatch<F>(text, pattern, flags1, flags2)) return 0;
  if (special == 0) return 1;
  const int prefix = Value::Compare(text, pattern, static_cast<unsigned>(special), flags1, flags2);
  return prefix != 0 ? prefix : 1;
}

template <KsFolding F>
int CompareValues(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                  unsigned short cmpOp, unsigned count, int& status) {
  status = 0;
  IStringOperand<F> first(values1, len1, format);
  IStringOperand<F> second(values2, len2, format);
  int result = 0;
  for (unsigned i = 0; i < count && result == 0 && status == 0; ++i) {
    const auto a = first.Next();
    const auto b = second.Next();
    using Read = typename IStringOperand<F>::Read;
    if (a == Read::Malformed || b == Read::Malformed) {
      status = kStatusFailed;
      return -1;
    }
    if (a == Read::RanOut || b == Read::RanOut) {
      status = kStatusCutCompare;
      return result;
    }
    // A cut text is compared only as far as it goes, as cut string keys are.
    unsigned limit = 0;
    if (first.Cut() || second.Cut()) {
      const size_t length1 = first.Cut() ? std::strlen(first.Text()) : SIZE_MAX;
      const size_t length2 = second.Cut() ? std::strlen(second.Text()) : SIZE_MAX;
      limit = static_cast<unsigned>(std::max<size_t>(1, std::min(length1, length2)));
      status = kStatusCutCompare;
    }
    result = ComparePair<F>(first.Text(), first.Flags(), second.Text(), second.Flags(), cmpOp, limit);
  }
  return result;
}

// Reads count texts of the block at in within `available` bytes; values
// without text left are empty. Every value takes the block's flag byte.
template <KsFolding F>
unsigned LoadBlock(KsFoldedString<F>* values, const unsigned char* in, size_t available, unsigned char format,
                   unsigned count) {
  if (available < kBlockHeader) return 0;
  const size_t end = kBlockHeader + ReadLength(in + 1, format);
  const size_t limit = std::min(end, available);
  size_t at = kBlockHeader;
  for (unsigned i = 0; i < count; ++i) {
    const size_t length = at < limit ? CountUnits(in + at, 1, limit - at) : 0;
    values[i] = KsFoldedString<F>(reinterpret_cast<const char*>(in + std::min(at, limit)),
                                  static_cast<unsigned short>(std::min<size_t>(length, 0xFFFF)));
    values[i].SetFlags(in[0]);
    at += length + 1;
  }
  return static_cast<unsigned>(end);
}

}  // namespace

bool IStringStoredExtent(const void* src, size_t srcLen, unsigned char format, unsigned count,
                         size_t& extent) {
  return MeasureTextBlock(static_cast<const unsigned char*>(src), srcLen, kBlockHeader, format, count,
                          extent);
}

namespace {

template <KsFolding F>
void TextOf(const KsFoldedString<F>& value, KsString& text) {
  text = value.StrGet();
}

template <KsFolding F>
void ValueOf(KsFoldedString<F>& value, const KsString* text) {
  KsString holder;
  value = text != nullptr ? ks::EightBitText(*text, holder).StrGet() : "";
}

}  // namespace

template <KsFolding F>
unsigned IStringSlots<F>::Store(void* dst, const void* src, unsigned char format, unsigned count) {
  auto* out = static_cast<unsigned char*>(dst);
  const auto* values = static_cast<const Value*>(src);
  if (TextTotal(values, count) > kLargestBlockTotal) return 0;
  out[0] = (format & 0xF0) != 0 ? kOptionFlags : kPlainFlags;
  size_t at = kBlockHeader;
  for (unsigned i = 0; i < count; ++i) {
    const size_t length = values[i].Len();
    std::memcpy(out + at, values[i].StrGet(), length + 1);
    at += length + 1;
  }
  WriteLength(out + 1, static_cast<uint16_t>(at - kBlockHeader), format);
  return static_cast<unsigned>(at);
}

template <KsFolding F>
unsigned IStringSlots<F>::Load(void* dst, const void* src, unsigned char format, unsigned count) {
  return LoadBlock<F>(static_cast<Value*>(dst), static_cast<const unsigned char*>(src), SIZE_MAX, format,
                      count);
}

template <KsFolding F>
unsigned IStringSlots<F>::NullSizeGet(unsigned count) {
  return count > kLargestBlockTotal ? 0u : count + static_cast<unsigned>(kBlockHeader);
}

template <KsFolding F>
unsigned IStringSlots<F>::SizeGet(const void* value, unsigned char srcFormat, unsigned char format,
                                  unsigned count) {
  if ((format & (kFormatOrderKey | kFormatInMemory)) == (kFormatOrderKey | kFormatInMemory)) return 0;
  if (value == nullptr) return NullSizeGet(count);
  if (InMemory(srcFormat)) {
    const size_t total = TextTotal(static_cast<const Value*>(value), count);
    return total > kLargestBlockTotal ? 0u : static_cast<unsigned>(kBlockHeader + total);
  }
  return static_cast<unsigned>(kBlockHeader +
                               ReadLength(static_cast<const unsigned char*>(value) + 1, format));
}

template <KsFolding F>
unsigned IStringSlots<F>::SizeGetFromMemFile(MemFile* file, unsigned char format, unsigned) {
  if (file == nullptr) return 0;
  unsigned available = 0;
  const unsigned char* at = file->Seek(0, 1, &available, 0);
  if (at == nullptr || available < kBlockHeader) return static_cast<unsigned>(kMaxRecordSize);
  return static_cast<unsigned>(kBlockHeader + ReadLength(at + 1, format));
}

template <KsFolding F>
int IStringSlots<F>::Compare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                             unsigned short cmpOp, unsigned count, int& status) {
  return CompareValues<F>(format, len1, values1, len2, values2, cmpOp, count, status);
}

template <KsFolding F>
unsigned IStringSlots<F>::Hash(unsigned char, unsigned, void*, unsigned, int& status) {
  status = 0;
  return 0;
}

template <KsFolding F>
unsigned IStringSlots<F>::Translate(void* dst, unsigned char dstFormat, unsigned dstLen, void* src,
                                    unsigned char srcFormat, unsigned srcLen, unsigned count) {
  // A stored source with a length given is read within it.
  if (InMemory(dstFormat) && !InMemory(srcFormat) && srcLen != 0) {
    return LoadBlock<F>(static_cast<Value*>(dst), static_cast<const unsigned char*>(src), srcLen, srcFormat,
                        count);
  }
  return ks::ClassTranslate<Value, Store, Load>(dst, dstFormat, dstLen, src, srcFormat, srcLen, count);
}

template <KsFolding F>
KsString& IStringSlots<F>::PrintToString(KsString& out, void* values, const char* format, unsigned) {
  const Value& value = *static_cast<const Value*>(values);
  AssignPrintedText(out,
                    ksformat::FormatWindowsReused(format != nullptr ? format : "%s",
                                                  ksformat::FormatArg::Text(value.StrGet(), value.Len())));
  return out;
}

template <KsFolding F>
void* IStringSlots<F>::ScanFromString(void* values, KsString& in, const char*, unsigned) {
  if (values == nullptr) return nullptr;
  ValueOf<F>(*static_cast<Value*>(values), &in);
  return values;
}

template <KsFolding F>
KsTypeConvertData* IStringSlots<F>::ConvertToKsString(void* values, unsigned count) {
  return ks::ClassToTexts<Value, TextOf<F>>(values, count);
}

template <KsFolding F>
void* IStringSlots<F>::ConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::ClassFromTexts<Value, ValueOf<F>>(record, count);
}

template <KsFolding F>
void* IStringSlots<F>::DefaultValue(unsigned count, int asNull) {
  return ks::ClassDefaultValue<Value, ConvertFromKsString, false>(count, asNull);
}

template struct IStringSlots<KsFolding::Accents>;
template struct IStringSlots<KsFolding::CaseAndAccents>;

}  // namespace ksstring

int KsIStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                     unsigned short cmpOp, unsigned count, int& status) {
  return ksstring::IStringSlots<KsFolding::Accents>::Compare(format, len1, values1, len2, values2, cmpOp,
                                                             count, status);
}

int KsCaseIStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                         unsigned short cmpOp, unsigned count, int& status) {
  return ksstring::IStringSlots<KsFolding::CaseAndAccents>::Compare(format, len1, values1, len2, values2,
                                                                    cmpOp, count, status);
}
