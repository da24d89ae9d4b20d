// Evaluator of KsString (current and legacy stored form): the key and the
// index's bounds are compared as collation keys. The prefix on which the
// key's low and high keys and both bounds agree is skipped; what follows
// becomes a position number (four characters in base 128, or the class and
// three primary weights of collation orders), and the selected share is
// interpolated between the bounds' positions.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "basesvc.h"
#include "ksstoredstring.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/collation_key.h"
#include "ksstring/stored_record.h"
#include "ksstring/string_operand.h"
#include "ksstring/string_slots.h"
#include "ksstringiterator.h"
#include "kstypevl/bound_recording.h"
#include "kstypevl/eval_flags.h"
#include "kstypevl/overlap.h"
#include "kstypevl/string_evaluators.h"

namespace ks {
namespace {

using namespace evaluate;  // the flag bits and the counting rule
using Record = std::vector<unsigned char>;

// Comparison options that the string comparison takes from the flags.
constexpr unsigned short kCaseInsensitive = 0x0020;
constexpr unsigned short kAccentInsensitive = 0x0040;
constexpr unsigned short kSkipSpaces = 0x0080;
constexpr unsigned short kSkipSymbols = 0x0200;
constexpr unsigned short kComparisonOptions = 0x12E0;

constexpr uint16_t kLetterBit = 0x4000, kOutsideAlphabet = 0x8000;
constexpr uint16_t kAccentBits = 0x0F80, kCaseBits = 0x3000;
constexpr unsigned char kClassAlphabetic = 1;
constexpr unsigned char kFirstUnadjustedClass = 20;
constexpr double kCharacterUnit = 128, kOrderUnit = 1048576;
constexpr unsigned kPositionCharacters = 4, kPositionWeights = 3;
constexpr unsigned kHighestCharacter = 127;

bool IsLetter(uint16_t order) {
  return (order & (kLetterBit | kOutsideAlphabet)) == kLetterBit;
}

// Built bounds: a collation-key record of the key's text up to its first
// wildcard. `Layout` is the stored form the index keys of a descriptor use.
struct CurrentLayout {
  static constexpr bool kLegacy = false;
  static Record Build(KsString& text, unsigned char format) {
    const unsigned char destination =
        static_cast<unsigned char>((format & ~ksstring::kFormatInMemory) | ksstring::kFormatOrderKey);
    const unsigned char source = ksstring::kFormatInMemory | (format & 0x0F);
    Record record(StringSizeGet(&text, source, destination, 1) + 8);
    record.resize(ksstring::StringTranslate(record.data(), destination, static_cast<unsigned>(record.size()),
                                            &text, source, 0, 1));
    return record;
  }
  // The marker goes after the text, before the closing 00 FF.
  static void AppendMarker(Record& record, unsigned char format) {
    if (record.size() < ksstring::kMinimumRecordSize) return;
    const bool bytes = record[ksstring::kLengthField] == 0;
    const unsigned char marker[2] = {0xFE, 0xFF};  // 0xFFFE, least significant byte first
    const bool swap = !bytes && ksbase::FormatIsBigEndian(format);
    // Written by hand rather than with insert(), whose inlined copy trips a
    // false array-bounds warning of g++ 12 in the ThreadSanitizer build.
    const size_t at = record.size() - 2;
    const size_t width = bytes ? 1 : 2;
    const unsigned char closing[2] = {record[at], record[at + 1]};
    record.resize(record.size() + width);
    record[at + width] = closing[0];
    record[at + width + 1] = closing[1];
    if (bytes) {
      record[at] = 0xFF;
    } else {
      record[at] = marker[swap ? 1 : 0];
      record[at + 1] = marker[swap ? 0 : 1];
    }
    ksstring::WriteLength(record.data(), static_cast<uint16_t>(record.size() - ksstring::kLengthField),
                          format);
  }
};

struct LegacyLayout {
  static constexpr bool kLegacy = true;
  static Record Build(KsString& text, unsigned char format) {
    Record record(size_t{text.ByteSize()} + 8);
    record.resize(ksstring::LegacyStringStore(record.data(), &text, format & 0x0F, 1));
    return record;
  }
  // The marker is the last text byte, before the terminator.
  static void AppendMarker(Record& record, unsigned char format) {
    if (record.size() < ksstring::kLengthField + 1) return;
    record.insert(record.end() - 1, 0xFF);
    ksstring::WriteLength(record.data(), static_cast<uint16_t>(record.size() - ksstring::kLengthField),
                          format);
  }
};

// Accent- and case-insensitive scans reach every accent and case form: the
// low bound takes the lowest accent and case bits of each letter order, the
// high bound the highest.
void AdjustLetters(Record& record, unsigned char format, unsigned short options, bool high) {
  const bool bigEndian = ksbase::FormatIsBigEndian(format);
  for (size_t at = ksstring::kRecordHeader; at + 1 < record.size() - 2; at += 2) {
    uint16_t unit = bigEndian ? static_cast<uint16_t>(record[at] << 8 | record[at + 1])
                              : static_cast<uint16_t>(record[at + 1] << 8 | record[at]);
    if (!IsLetter(unit)) continue;
    if (options & kAccentInsensitive) unit = high ? (unit | kAccentBits) : (unit & ~kAccentBits);
    if (options & kCaseInsensitive) unit = high ? (unit & ~kCaseBits) : (unit | kCaseBits);
    record[at] = static_cast<unsigned char>(bigEndian ? unit >> 8 : unit);
    record[at + 1] = static_cast<unsigned char>(bigEndian ? unit : unit >> 8);
  }
}

// Records a built bound, cut at the longest bound the length fields
// describe, in a buffer of at least the minimum length rounded up to even.
void RecordBuilt(void*& bound, uint8_t& boundLength, const Record& record, uint8_t minimumBuffer, int line) {
  if (record.size() > ksstring::kLongestCutKey) KESO_assert("actualLen <= 254", "src/kstypevl", line);
  const size_t length = std::min(record.size(), ksstring::kLongestCutKey);
  size_t bufferSize = std::max<size_t>(length, minimumBuffer);
  bufferSize += bufferSize & 1;
  auto* buffer = static_cast<unsigned char*>(AllocateBoundBuffer(bufferSize));
  if (buffer == nullptr) return;
  std::memset(buffer, 0, bufferSize);
  std::memcpy(buffer, record.data(), length);
  bound = buffer;
  boundLength = static_cast<uint8_t>(length);
}

// One of the four texts walked in step: characters of code set 0, or
// collation orders otherwise.
class Walker {
 public:
  Walker(const void* bytes, size_t length, unsigned char format, bool legacy)
      : operand_(bytes, static_cast<unsigned>(length), format & ~ksstring::kFormatInMemory, legacy),
        ok_(bytes != nullptr && length != 0 && operand_.Next() == ksstring::StringOperand::Read::Ok),
        characters_(!ok_ || operand_.CodeSet() == 0),
        iterator_(ok_ ? operand_.Chars() : "", ok_ ? operand_.CodeSet() : 1, ok_ ? operand_.Language() : 0,
                  format & 0x0F) {}

  // The next element, 0 at the end.
  uint16_t Next() {
    if (characters_) {
      if (!ok_ || at_ >= static_cast<size_t>(operand_.Count())) return 0;
      return static_cast<unsigned char>(operand_.Chars()[at_++]);
    }
    return iterator_.GetNextOrder(1);
  }
  void Save() {
    savedAt_ = at_;
    saved_ = iterator_;
  }
  void Restore() {
    at_ = savedAt_;
    iterator_ = saved_;
  }
  bool CharacterMode() const { return characters_; }

  // Where what follows lies, in whole units: four characters in base 128,
  // each at most 127; or the class byte and the weights of the next three
  // primary orders. Below one unit positions coincide and the full
  // comparison orders them, so that a key just above the low bound never
  // estimates below a key equal to it.
  double Position(double unit) { return std::floor(ExactPosition() / unit) * unit; }

 private:
  double ExactPosition() {
    if (characters_) {
      double position = 0;
      for (unsigned i = 0; i < kPositionCharacters; ++i)
        position = position * 128 + std::min<unsigned>(Next(), kHighestCharacter);
      return position;
    }
    uint64_t weights = 0;
    unsigned found = 0;
    for (uint16_t order = Next(); order != 0 && found < kPositionWeights; order = Next()) {
      if (order < ksstring::kFirstDigitOrder) continue;
      weights = weights << 16 | (IsLetter(order) ? order & 0x407F : order);
      ++found;
    }
    weights <<= 16 * (kPositionWeights - found);
    const unsigned char orderClass =
        operand_.CodeSet() == ksstring::kOrderKeyCodeSet ? operand_.Language() : iterator_.OrderClass();
    return static_cast<double>((uint64_t{orderClass & 0x7Fu} << 48) + weights);
  }

 public:
  // The string comparison with another text.
  int Compare(const Walker& other, unsigned short options, short length, unsigned char format) const {
    return KsStrCmp(Code(), Lang(), Text(), other.Code(), other.Lang(), other.Text(), options, length,
                    format & 0x0F, nullptr);
  }
  int Count() const { return ok_ ? operand_.Count() : 0; }
  unsigned char Code() const { return ok_ ? operand_.CodeSet() : 0; }
  unsigned char FirstCharacter() const { return ok_ ? static_cast<unsigned char>(operand_.Chars()[0]) : 0; }

 private:
  unsigned char Lang() const { return ok_ ? operand_.Language() : 0; }
  const char* Text() const { return ok_ ? operand_.Chars() : ""; }

  ksstring::StringOperand operand_;
  bool ok_;
  bool characters_;
  size_t at_ = 0, savedAt_ = 0;
  KsStringIterator iterator_, saved_{iterator_};
};

uint16_t WithoutOptionLevels(uint16_t order, unsigned short options) {
  if (!IsLetter(order)) return order;
  if (options & kAccentInsensitive) order &= static_cast<uint16_t>(~kAccentBits);
  if (options & kCaseInsensitive) order &= static_cast<uint16_t>(~kCaseBits);
  return order;
}

// Skips the elements on which all four texts agree.
void SkipAgreedPrefix(Walker* walkers[4], unsigned short options, bool characters) {
  for (;;) {
    uint16_t first = 0;
    bool agree = true;
    for (int i = 0; i < 4; ++i) {
      walkers[i]->Save();
      const uint16_t element = walkers[i]->Next();
      const uint16_t compared = characters ? element : WithoutOptionLevels(element, options);
      if (i == 0) first = compared;
      agree = agree && element != 0 && compared == first;
    }
    if (!agree) {
      for (int i = 0; i < 4; ++i) walkers[i]->Restore();
      return;
    }
  }
}

template <class Layout>
float EvaluateString(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                     KsIdxBounds* out) {
  const unsigned short options = flags & kComparisonOptions;
  const bool wildcardsOn = (flags & kWildcardsOff) == 0;
  flags &= kKeepComparisonAndInexact;

  KsString text;
  if (ksstring::InMemory(format))
    text = *static_cast<const KsString*>(key);
  else
    StringLoad(&text, key, format, 1);
  const unsigned width = text.CharWidth();
  int charWildPos = -1;
  if (wildcardsOn) {
    unsigned short byteOffset = 0;
    if (ksstring::WildcardPosition(text.CodeSet(), text.Language(), text.StrGet(), false, text.Len(), 1,
                                   byteOffset) >= 0)
      charWildPos = byteOffset / width;
  }
  // An order key cut where its text changed class stands for every key it
  // starts.
  const unsigned char classByte = text.Language();
  if (charWildPos < 0 && text.CodeSet() == ksstring::kOrderKeyCodeSet &&
      (classByte & ksstring::kCutAtClassChange) != 0 && (classByte & 0x7F) != kClassAlphabetic)
    charWildPos = text.Len();
  if (charWildPos >= 0) {
    flags |= kInexact;
    text.Cut(static_cast<unsigned short>(charWildPos));
  }
  const unsigned char keyCodeSet = text.CodeSet();

  Record keyLow = Layout::Build(text, format);
  Record keyHigh = keyLow;
  if (charWildPos >= 0 || (options & (kSkipSpaces | kSkipSymbols))) Layout::AppendMarker(keyHigh, format);
  if (!Layout::kLegacy && keyCodeSet != 0 && (options & (kCaseInsensitive | kAccentInsensitive)) &&
      keyLow.size() > ksstring::kRecordHeader && (keyLow[3] & 0x7F) < kFirstUnadjustedClass) {
    AdjustLetters(keyLow, format, options, false);
    AdjustLetters(keyHigh, format, options, true);
  }
  if (out != nullptr) {
    if (out->low == nullptr && (flags & kLessThan) == 0)
      RecordBuilt(out->low, out->lowLen, keyLow, out->minBufLen, 823);
    if (out->high == nullptr && (flags & kGreaterThan) == 0)
      RecordBuilt(out->high, out->highLen, keyHigh, out->minBufLen, 964);
  }

  const double unit = keyCodeSet == 0 ? kCharacterUnit : kOrderUnit;
  if (bounds == nullptr || bounds->low == nullptr || bounds->high == nullptr) return 0.0f;

  Walker keyLowText(keyLow.data(), keyLow.size(), format, Layout::kLegacy);
  Walker keyHighText(keyHigh.data(), keyHigh.size(), format, Layout::kLegacy);
  Walker low(bounds->low, bounds->lowLen, format, Layout::kLegacy);
  Walker high(bounds->high, bounds->highLen, format, Layout::kLegacy);
  Walker* walkers[4] = {&keyLowText, &keyHighText, &low, &high};
  SkipAgreedPrefix(walkers, options, keyLowText.CharacterMode());
  const double keyLowPosition = keyLowText.Position(unit), keyHighPosition = keyHighText.Position(unit);
  const double lowPosition = low.Position(unit), highPosition = high.Position(unit);

  const double valueTotalArea = FiniteDifference(highPosition - lowPosition) + unit;
  double valueRange = Overlap(flags, keyLowPosition, keyHighPosition, lowPosition, highPosition, unit);
  // Positions that coincide say nothing about the order of the texts behind
  // them; the full comparison settles it (wildcards off: these are keys, not
  // patterns).
  const unsigned short compareOp = options | kWildcardsOff;
  if (valueRange == 0) {
    if ((flags & kLessThan) && lowPosition == keyHighPosition &&
        keyHighText.Compare(low, compareOp, -1, format) >= 0)
      valueRange += unit;
    if ((flags & kGreaterThan) && highPosition == keyLowPosition &&
        keyLowText.Compare(high, compareOp, -1, format) <= 0)
      valueRange += unit;
  }
  if (valueRange == 0 && (flags & kEqual)) {
    if (highPosition < keyHighPosition && high.Count() < keyHighText.Count() &&
        keyHighText.Compare(high, compareOp, static_cast<short>(high.Count()), format) == 0)
      valueRange += unit;
    else if (keyCodeSet == 0 && high.Code() == 0 && keyHighText.FirstCharacter() > 0x7F &&
             high.FirstCharacter() > 0x7F)
      valueRange += unit;
  }
  if (!(charWildPos != 0 || valueRange >= valueTotalArea))
    KESO_assert("charWildPos != 0 || valueRange >= valueTotalArea", "src/kstypevl", 1128);
  return static_cast<float>(valueRange / valueTotalArea);
}

}  // namespace

float StringEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                         unsigned /*count*/, KsIdxBounds* outBounds) {
  return EvaluateString<CurrentLayout>(bounds, flags, key, format, outBounds);
}

float LegacyStringEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                               unsigned /*count*/, KsIdxBounds* outBounds) {
  return EvaluateString<LegacyLayout>(bounds, flags, key, format, outBounds);
}

}  // namespace ks
