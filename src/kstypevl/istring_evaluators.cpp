// Evaluators of KsIString and KsCaseIString: the key and the index's bounds
// are read as big-endian 32-bit numbers over four collation bytes, and the
// selected share is interpolated linearly between the bounds.
//
// Stored form of one value: a flag byte, a 16-bit length T (text bytes and
// terminator, the format's byte order), the text and its terminator.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "ksistring.h"
#include "ksstring/stored_record.h"
#include "kstypevl/bound_recording.h"
#include "kstypevl/eval_flags.h"
#include "kstypevl/string_evaluators.h"

namespace ks {
namespace {

using evaluate::kEqual;
using evaluate::kGreaterThan;
using evaluate::kInexact;
using evaluate::kLessThan;

constexpr size_t kHeader = 3;          // flag byte and length
constexpr size_t kRecordOverhead = 4;  // header and terminator
// Built bounds hold collation bytes (0x80) of a stored value (0x40).
constexpr unsigned char kBuiltBoundFlags = 0xC0;
constexpr unsigned char kAboveEveryByte = 0xFF;
constexpr size_t kInterpolatedBytes = 4;

struct Text {
  const unsigned char* bytes = nullptr;
  size_t length = 0;
};

// The text of the key and its flag byte, stored or in memory (format 0x08).
template <KsFolding F>
Text ReadKey(const void* key, unsigned char format, uint32_t& keyFlags) {
  if (ksstring::InMemory(format)) {
    const auto* value = static_cast<const KsFoldedString<F>*>(key);
    keyFlags = value->Flags();
    return {reinterpret_cast<const unsigned char*>(value->StrGet()), value->Len()};
  }
  const auto* bytes = static_cast<const unsigned char*>(key);
  keyFlags = bytes[0];
  const uint16_t stored = ksstring::ReadLength(bytes + 1, format);
  const size_t declared = stored > 0 ? stored - 1u : 0;
  const unsigned char* text = bytes + kHeader;
  const void* zero = std::memchr(text, 0, declared);
  return {text,
          zero != nullptr ? static_cast<size_t>(static_cast<const unsigned char*>(zero) - text) : declared};
}

// The text of a current bound: what its recorded length leaves after the
// header and the terminator.
Text BoundText(const void* bound, uint8_t length) {
  if (length < kRecordOverhead) return {};
  return {static_cast<const unsigned char*>(bound) + kHeader, size_t{length} - kRecordOverhead};
}

// Up to four bytes of text from `from`, big-endian, zeros appended.
int64_t Word(const Text& text, size_t from) {
  uint32_t word = 0;
  for (size_t i = 0; i < kInterpolatedBytes; ++i) {
    const size_t at = from + i;
    word = word << 8 | (at < text.length ? text.bytes[at] : 0u);
  }
  return word;
}

int64_t WildcardIndex(const Text& text) {
  for (size_t i = 0; i < text.length; ++i) {
    const unsigned char c = text.bytes[i];
    if (c == '?' || c == '*' || c == '\\') return static_cast<int64_t>(i);
  }
  return -1;
}

// The collation bytes the key is compared by: its text up to the wildcard,
// folded unless it already holds collation bytes.
template <KsFolding F>
std::string ComparisonText(const Text& key, size_t length, uint32_t keyFlags) {
  const std::string prefix(reinterpret_cast<const char*>(key.bytes), length);
  if (keyFlags & KsFoldedString<F>::kFolded) return prefix;
  std::string folded(2 * length + 1, '\0');  // an expansion doubles a byte
  folded.resize(KsFoldedString<F>::FoldText(prefix.c_str(), reinterpret_cast<unsigned char*>(folded.data()),
                                            folded.size()));
  return folded;
}

// Builds one bound: the flag byte 0xC0, the length, the comparison text (and
// 0xFF above every byte a wildcard can stand for) and the terminator, cut
// at the longest bound the length fields describe. KsIString bounds are cut
// there too: a longer record could not state its own length in the 8-bit
// length field of the bounds record.
void BuildBound(void*& bound, uint8_t& boundLength, const std::string& text, bool aboveWildcard,
                unsigned char format, size_t minimumBuffer) {
  const size_t textLength = text.size() + (aboveWildcard ? 1 : 0);
  const size_t length = std::min(textLength + kRecordOverhead, ksstring::kLongestCutKey);
  const size_t bufferSize = std::max(length, minimumBuffer);
  auto* buffer = static_cast<unsigned char*>(evaluate::AllocateBoundBuffer(bufferSize));
  if (buffer == nullptr) return;
  std::memset(buffer, 0, bufferSize);
  buffer[0] = kBuiltBoundFlags;
  ksstring::WriteLength(buffer + 1, static_cast<uint16_t>(std::min<size_t>(textLength + 1, 0xFFFF)), format);
  const size_t room = length - kHeader;
  std::memcpy(buffer + kHeader, text.data(), std::min(text.size(), room));
  if (aboveWildcard && text.size() < room) buffer[kHeader + text.size()] = kAboveEveryByte;
  bound = buffer;
  boundLength = static_cast<uint8_t>(length);
}

// KsCaseIString skips the prefix that the key shares with both bounds and
// builds bounds in buffers of at least the record's minimum length;
// KsIString interpolates over the first bytes and sizes bounds to the text.
template <KsFolding F>
constexpr bool kSkipsCommonPrefix = F == KsFolding::CaseAndAccents;

template <KsFolding F>
float EvaluateFoldedString(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                           KsIdxBounds* out) {
  flags &= evaluate::kKeepComparisonAndInexact;
  uint32_t keyFlags = 0;
  const Text keyText = ReadKey<F>(key, format, keyFlags);
  const int64_t wildcard = WildcardIndex(keyText);
  // A key that starts with a wildcard matches anything: the whole index, and
  // no bound narrows the scan.
  if (wildcard == 0) {
    flags |= kInexact;
    return 1.0f;
  }
  const std::string comparison =
      ComparisonText<F>(keyText, wildcard > 0 ? static_cast<size_t>(wildcard) : keyText.length, keyFlags);
  const size_t k = std::min(comparison.size(), kInterpolatedBytes);
  // A key shorter than four bytes also stands for the keys it starts: its
  // high end reaches 0xFF in the first byte it lacks.
  const int64_t fill = k == kInterpolatedBytes ? 0 : int64_t{0xFF} << (8 * (kInterpolatedBytes - 1 - k));
  if (wildcard > 0) flags |= kInexact;

  const bool present = bounds != nullptr && bounds->low != nullptr && bounds->high != nullptr;
  const Text low = present ? BoundText(bounds->low, bounds->lowLen) : Text{};
  const Text high = present ? BoundText(bounds->high, bounds->highLen) : Text{};
  size_t p = 0;
  if (kSkipsCommonPrefix<F> && present && fill == 0) {
    const size_t most = std::min({low.length, high.length, k});
    while (p < most && low.bytes[p] == high.bytes[p] &&
           high.bytes[p] == static_cast<unsigned char>(comparison[p]))
      ++p;
  }
  const int64_t lo = Word(low, p), hi = Word(high, p);
  const Text comparisonText{reinterpret_cast<const unsigned char*>(comparison.data()), comparison.size()};
  const int64_t keyWord = Word(comparisonText, p);
  const auto fromLow = [&](int64_t word) { return std::clamp(word, lo - 1, hi + 1) - lo; };
  const int64_t keyLow = fromLow(keyWord), keyHigh = fromLow(keyWord + fill);
  const int64_t total = hi - lo + 1;

  int64_t count = 0;
  if (present) {
    if (flags & kLessThan) count += keyLow + 1;
    if (flags & kGreaterThan) count += total - (keyHigh + 1);
    if (flags & kEqual) count += keyHigh - keyLow + 1;
    count = std::max<int64_t>(count, 0);
  }

  if (out != nullptr) {
    const size_t minimum = kSkipsCommonPrefix<F> ? out->minBufLen : 0;
    if (out->low == nullptr && (flags & kLessThan) == 0)
      BuildBound(out->low, out->lowLen, comparison, false, format, minimum);
    if (out->high == nullptr && (flags & kGreaterThan) == 0)
      BuildBound(out->high, out->highLen, comparison, wildcard > 0, format, minimum);
  }
  // Bounds out of order select nothing. The width is taken in 64 bits, so
  // that bounds 0x00000000 and 0xFFFFFFFF span 2^32 rather than wrapping.
  if (total <= 0) return 0.0f;
  return static_cast<float>(static_cast<double>(count) / static_cast<double>(total));
}

}  // namespace

float IStringEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                          unsigned /*count*/, KsIdxBounds* outBounds) {
  return EvaluateFoldedString<KsFolding::Accents>(bounds, flags, key, format, outBounds);
}

float CaseIStringEvalAndBound(KsIdxBounds* bounds, unsigned short& flags, void* key, unsigned char format,
                              unsigned /*count*/, KsIdxBounds* outBounds) {
  return EvaluateFoldedString<KsFolding::CaseAndAccents>(bounds, flags, key, format, outBounds);
}

}  // namespace ks
