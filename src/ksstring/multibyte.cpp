// UTF-8 and KsString. The table of sequence lengths is the classic one of
// six rows; ASCII runs, the bulk of real text, are copied eight bytes at a
// time without consulting it.
#include <algorithm>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstdlib>
#include <cstring>
#include <string>

#include "basesvc.h"
#include "ksmultibyte.h"
#include "ksstring.h"
#include "ksstring/string_overflow.h"
#include "ksstring/units.h"

namespace {

struct Utf8Row {
  uint8_t leadMask;
  uint8_t leadValue;
  uint8_t shift;
  uint32_t largest;
  uint32_t smallest;
};

constexpr Utf8Row kUtf8Rows[] = {
    {0x80, 0x00, 0, 0x7F, 0x0},
    {0xE0, 0xC0, 6, 0x7FF, 0x80},
    {0xF0, 0xE0, 12, 0xFFFF, 0x800},
    {0xF8, 0xF0, 18, 0x1FFFFF, 0x10000},
    {0xFC, 0xF8, 24, 0x3FFFFFF, 0x200000},
    {0xFE, 0xFC, 30, 0x7FFFFFFF, 0x4000000},
};

constexpr int kInvalid = -1;
constexpr int kTooLong = -2;
// KsMBS2KsString stops once this many bytes are consumed.
constexpr size_t kMostBytesPerString = 32768;
constexpr unsigned char kLastAsciiCodeSet = 5;
constexpr unsigned char kLastDirectCodeSet = 26;

constexpr uint64_t kHighBits = 0x8080808080808080ull;

// Decodes one sequence of at most n bytes; returns its length or -1.
inline int DecodeOne(const unsigned char* p, size_t n, uint16_t& unit) {
  if (n == 0) return kInvalid;
  const unsigned char first = p[0];
  // Two- and three-byte sequences, nearly all real text, read directly
  // with the table's rules: continuation bytes 10xxxxxx, no overlong form.
  if ((first & 0xE0) == 0xC0 && n >= 2 && (p[1] & 0xC0) == 0x80) {
    const unsigned value = (first & 0x1Fu) << 6 | (p[1] & 0x3Fu);
    if (value < 0x80) return kInvalid;
    unit = static_cast<uint16_t>(value);
    return 2;
  }
  if ((first & 0xF0) == 0xE0 && n >= 3 && (p[1] & 0xC0) == 0x80 && (p[2] & 0xC0) == 0x80) {
    const unsigned value = (first & 0x0Fu) << 12 | (p[1] & 0x3Fu) << 6 | (p[2] & 0x3Fu);
    if (value < 0x800) return kInvalid;
    unit = static_cast<uint16_t>(value);
    return 3;
  }
  uint64_t c = first;
  size_t used = 1;
  for (const Utf8Row& row : kUtf8Rows) {
    if ((first & row.leadMask) == row.leadValue) {
      const uint64_t value = c & row.largest;
      if (value < row.smallest) return kInvalid;
      unit = static_cast<uint16_t>(value);
      return static_cast<int>(used);
    }
    if (used >= n) return kInvalid;
    const unsigned continuation = p[used++] ^ 0x80u;
    if (continuation > 63) return kInvalid;
    c = c * 64 + continuation;
  }
  return kInvalid;
}

// Bytes of the UTF-8 form of a unit: the first row whose largest value
// holds it (1 to 3 for 16-bit units).
int EncodedLength(uint16_t unit) {
  return unit <= kUtf8Rows[0].largest ? 1 : unit <= kUtf8Rows[1].largest ? 2 : 3;
}

int EncodeOne(char* out, uint16_t unit) {
  const int n = EncodedLength(unit);
  if (n == 2) {
    out[0] = static_cast<char>(0xC0 | unit >> 6);
    out[1] = static_cast<char>(0x80 | (unit & 0x3F));
    return 2;
  }
  const Utf8Row& row = kUtf8Rows[n - 1];
  out[0] = static_cast<char>((unit >> row.shift) | row.leadValue);
  for (int i = 1; i < n; ++i) out[i] = static_cast<char>(((unit >> (6 * (n - 1 - i))) & 0x3F) | 0x80);
  return n;
}

// Length of the run of non-zero ASCII bytes at p (at most n).
size_t AsciiRun(const unsigned char* p, size_t n) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  size_t i = 0;
  for (; i + 8 <= n; i += 8) {
    uint64_t word;
    std::memcpy(&word, p + i, sizeof word);
    // A high bit, or a zero byte (whose borrow sets its high bit).
    if (((word | (word - kOnes)) & kHighBits) != 0) break;
  }
  while (i < n && p[i] != 0 && p[i] < 0x80) ++i;
  return i;
}

// Widens sixteen bytes into units at out (all sixteen are written) and
// returns how many of them lead as non-zero ASCII bytes.
inline unsigned WidenBlock(const unsigned char* in, unsigned char* out) {
#if defined(__SSE2__)
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i zero = _mm_setzero_si128();
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes, zero));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16), _mm_unpackhi_epi8(bytes, zero));
  const unsigned stops =
      static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(bytes, _mm_cmpeq_epi8(bytes, zero))));
  return stops == 0 ? 16u : static_cast<unsigned>(__builtin_ctz(stops));
#else
  unsigned leading = 16;
  for (unsigned i = 0; i < 16; ++i) {
    out[2 * i] = in[i];
    out[2 * i + 1] = 0;
    if (leading == 16 && (in[i] == 0 || in[i] >= 0x80)) leading = i;
  }
  return leading;
#endif
}

// Narrows sixteen units (memory order) into bytes at out (all sixteen are
// written) and returns how many of them lead as units below 0x80.
inline unsigned NarrowBlock(const unsigned char* in, char* out) {
#if defined(__SSE2__)
  const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
  const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 16));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(low, high));
  // Packing saturates signed lanes, so units from 0x8000 up would pack to 0:
  // the stops are tested on the units themselves.
  const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i zero = _mm_setzero_si128();
  const __m128i ascii = _mm_packs_epi16(_mm_cmpeq_epi16(_mm_and_si128(low, notAscii), zero),
                                        _mm_cmpeq_epi16(_mm_and_si128(high, notAscii), zero));
  const unsigned stops = ~static_cast<unsigned>(_mm_movemask_epi8(ascii)) & 0xFFFFu;
  return stops == 0 ? 16u : static_cast<unsigned>(__builtin_ctz(stops));
#else
  unsigned leading = 16;
  for (unsigned i = 0; i < 16; ++i) {
    const unsigned unit = in[2 * i] | in[2 * i + 1] << 8;
    out[i] = static_cast<char>(unit);
    if (leading == 16 && unit >= 0x80) leading = i;
  }
  return leading;
#endif
}

// The units of s in code set 253, in memory order (a converted copy when s
// has another code set).
const KsString& AsUnicode(const KsString& s, KsString& holder) {
  if (s.CodeSet() == ksstring::kUnicodeCodeSet) return s;
  holder.AssignUnits(nullptr, 0, ksstring::kUnicodeCodeSet, s.Language(), 1);
  holder += s;
  return holder;
}

uint16_t UnitAt(const KsString& s, size_t i) {
  return ksstring::ReadUnit(reinterpret_cast<const unsigned char*>(s.StrGet()) + 2 * i, 2,
                            ksstring::kMemoryFormat);
}

bool AllAscii(const KsString& s) {
  return AsciiRun(reinterpret_cast<const unsigned char*>(s.StrGet()), s.Len()) == s.Len();
}

}  // namespace

int KsMultiByte2WChar(unsigned short* out, char* mbs, unsigned n) {
  if (mbs == nullptr) return 0;
  uint16_t unit = 0;
  const int length = DecodeOne(reinterpret_cast<const unsigned char*>(mbs), n, unit);
  if (length > 0 && out != nullptr) *out = unit;
  return length;
}

int KsWChar2MultiByte(char* out, wchar_t unit) {
  if (out == nullptr) return 0;
  return EncodeOne(out, static_cast<uint16_t>(unit));
}

int KsMultiByteStr2WCharStr(unsigned short* out, int outCount, char* mbs, int n) {
  if (n <= 0 || mbs == nullptr) return 0;
  const auto* p = reinterpret_cast<const unsigned char*>(mbs);
  int units = 0;
  for (size_t at = 0; at < static_cast<size_t>(n);) {
    uint16_t unit = 0;
    const int length = DecodeOne(p + at, static_cast<size_t>(n) - at, unit);
    if (length < 0) return kInvalid;
    if (out != nullptr && units < outCount) out[units] = unit;
    ++units;
    at += static_cast<size_t>(length);
  }
  return units;
}

int KsMBS2KsString(const char* mbs, KsString& out, int n) {
  const unsigned char language = out.Language();
  if (n <= 0 || mbs == nullptr) {
    out.AssignUnits(nullptr, 0, ksstring::kUnicodeCodeSet, language, 1);
    return 0;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(mbs);
  const size_t end = static_cast<size_t>(n);
  // Every unit takes at least one byte, and decoding stops at 32,768 bytes.
  const size_t room = std::min(end, kMostBytesPerString);
  char* buffer = out.OpenUnits(static_cast<unsigned>(room), ksstring::kUnicodeCodeSet, language);
  const size_t capacity = buffer != nullptr ? out.Len() : 0;
  auto* units = reinterpret_cast<unsigned char*>(buffer);
  size_t count = 0;
  size_t at = 0;
  int result = 0;
  auto put = [&](uint16_t unit) {
    if (count < capacity) std::memcpy(units + 2 * count, &unit, 2);
    ++count;
  };
  for (;;) {
    if (at >= kMostBytesPerString) {
      result = kTooLong;
      break;
    }
    if (at >= end) {
      result = static_cast<int>(at);
      break;
    }
    if (std::min(end, kMostBytesPerString) - at >= 16 && count + 16 <= capacity) {
      const unsigned ascii = WidenBlock(p + at, units + 2 * count);
      count += ascii;
      at += ascii;
      if (ascii == 16) continue;
    }
    if (at >= end) continue;
    if (p[at] < 0x80) {
      const size_t ascii = AsciiRun(p + at, std::min(end, kMostBytesPerString) - at);
      if (ascii == 0) {  // a zero byte: counted, not kept
        result = static_cast<int>(at + 1);
        break;
      }
      const size_t take = std::min(ascii, capacity > count ? capacity - count : 0);
      for (size_t i = 0; i < take; ++i) {
        const uint16_t unit = p[at + i];
        std::memcpy(units + 2 * (count + i), &unit, 2);
      }
      count += ascii;
      at += ascii;
      continue;
    }
    uint16_t unit = 0;
    const int length = DecodeOne(p + at, end - at, unit);
    if (length < 0) {
      result = kInvalid;
      break;
    }
    at += static_cast<size_t>(length);
    if (unit == 0) {
      result = static_cast<int>(at);
      break;
    }
    put(unit);
  }
  if (count > capacity) ksstring::ReportStringOverflow();
  out.CloseUnits(static_cast<unsigned>(std::min(count, capacity)));
  return result;
}

int KsMultiByteString2KsString(const char* mbs, KsString& out, int n) {
  return KsMBS2KsString(mbs, out, n);
}

int KsMultiByteString2KsString(const KsString& mbs, KsString& out) {
  return KsMBS2KsString(mbs.StrGet(), out, mbs.Len());
}

int KsMBSLength(const KsString& s, unsigned short n) {
  if (n == 0) return 0;
  if (s.CodeSet() <= kLastAsciiCodeSet && AllAscii(s)) return s.Len();
  KsString holder;
  const KsString& unicode = AsUnicode(s, holder);
  const unsigned count = n < unicode.Len() ? n : unicode.Len();
  int total = 0;
  for (unsigned i = 0; i < count; ++i) total += EncodedLength(UnitAt(unicode, i));
  return total;
}

int KsString2KsMBS(const KsString& s, char* buf, int size) {
  if (buf == nullptr || size < 0) return 0;
  const size_t room = static_cast<size_t>(size);
  if (s.CharWidth() == 1 && s.CodeSet() <= kLastDirectCodeSet) {
    const auto* text = reinterpret_cast<const unsigned char*>(s.StrGet());
    const size_t length = s.Len();
    const size_t ascii = AsciiRun(text, length);
    if (ascii == length) {
      if (length > room) {
        std::memcpy(buf, text, room);
        return -static_cast<int>(room);
      }
      std::memcpy(buf, text, length);
      std::memset(buf + length, 0, room - length);
      return static_cast<int>(length);
    }
  }
  KsString holder;
  const KsString& unicode = AsUnicode(s, holder);
  const auto* units = reinterpret_cast<const unsigned char*>(unicode.StrGet());
  const size_t count = unicode.Len();
  size_t written = 0;
  for (size_t i = 0; i < count;) {
    if (i + 16 <= count && written + 16 <= room) {
      const unsigned ascii = NarrowBlock(units + 2 * i, buf + written);
      written += ascii;
      i += ascii;
      if (ascii == 16) continue;
    }
    const uint16_t unit = UnitAt(unicode, i++);
    if (unit < 0x80 && written < room) {
      buf[written++] = static_cast<char>(unit);
      continue;
    }
    const size_t length = static_cast<size_t>(EncodedLength(unit));
    if (written + length > room) return -static_cast<int>(written);
    EncodeOne(buf + written, unit);
    written += length;
  }
  if (written < room) buf[written] = 0;
  return static_cast<int>(written);
}

int KsString2MultiByteString(const KsString& s, char*& buf, int& size) {
  const bool callerBuffer = buf != nullptr && size > 0;
  if (!callerBuffer) {
    buf = nullptr;
    size = 0;
    char work[2048] = {};
    const int result = KsString2KsMBS(s, work, sizeof work);
    if (result > 0) {
      buf = static_cast<char*>(std::malloc(static_cast<size_t>(result) + 1));
      if (buf == nullptr) {
        KsCallMemoryHandler(static_cast<unsigned>(result) + 1);
        return kInvalid;
      }
      std::memcpy(buf, work, static_cast<size_t>(result));
      buf[result] = 0;
      size = result + 1;
      return result;
    }
  } else {
    const int result = KsString2KsMBS(s, buf, size);
    if (result > 0) return result;
  }
  // Longer text: encoded whole, then handed over when it fits.
  KsString holder;
  const KsString& unicode = AsUnicode(s, holder);
  std::string text;
  text.reserve(static_cast<size_t>(unicode.Len()) * 3);
  char scratch[10];
  for (unsigned i = 0; i < unicode.Len(); ++i)
    text.append(scratch, static_cast<size_t>(EncodeOne(scratch, UnitAt(unicode, i))));
  const int total = static_cast<int>(text.size());
  if (!callerBuffer) {
    buf = static_cast<char*>(std::malloc(text.size() + 1));
    if (buf == nullptr) {
      KsCallMemoryHandler(static_cast<unsigned>(text.size() + 1));
      return kInvalid;
    }
    size = total + 1;
  } else if (total + 1 > size) {
    size = total + 1;
    return kInvalid;
  }
  std::memcpy(buf, text.data(), text.size());
  buf[text.size()] = 0;
  return total;
}
