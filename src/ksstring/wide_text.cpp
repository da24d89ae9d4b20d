// The C library's text functions for zero-terminated 16-bit units.
#include "ksstring/wide_text.h"

#include <cstdint>
#include <cstring>

#include "format/number_text.h"
#include "ksmultibyte.h"
#include "ksstring/units.h"

namespace ksstring {

const char* NarrowForNumbers(const unsigned char* units, size_t count, char (&narrowed)[33]) {
  if (count > 32) count = 32;
  for (size_t i = 0; i < count; ++i) {
    const uint16_t unit = ReadUnit(units + 2 * i, 2, kMemoryFormat);
    narrowed[i] = unit <= 0xFF ? static_cast<char>(unit) : '?';
  }
  narrowed[count] = 0;
  return narrowed;
}

}  // namespace ksstring

namespace {

// The first 32 units of a terminated text, narrowed.
const char* NarrowedText(const unsigned short* text, char (&narrowed)[33]) {
  const size_t length = ksstring::CountUnits(reinterpret_cast<const unsigned char*>(text), 2, 32);
  return ksstring::NarrowForNumbers(reinterpret_cast<const unsigned char*>(text), length, narrowed);
}

}  // namespace

size_t KsWStrLen(const unsigned short* text) {
  if (text == nullptr) return 0;
  size_t n = 0;
  while (text[n] != 0) ++n;
  return n;
}

int KsWStrNCmp(const unsigned short* a, const unsigned short* b, size_t n) {
  if (a == nullptr) return b == nullptr ? 0 : -1;
  if (b == nullptr) return 1;
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    if (a[i] == 0) return 0;
  }
  return 0;
}

int KsWStrCmp(const unsigned short* a, const unsigned short* b) {
  return KsWStrNCmp(a, b, SIZE_MAX);
}

unsigned short* KsWStrCpy(unsigned short* dst, const unsigned short* src) {
  const size_t n = KsWStrLen(src);
  if (n > 0) std::memcpy(dst, src, n * sizeof *src);
  dst[n] = 0;
  return dst;
}

unsigned short* KsWStrNCpy(unsigned short* dst, const unsigned short* src, size_t n) {
  size_t i = 0;
  for (; i < n && src != nullptr && src[i] != 0; ++i) dst[i] = src[i];
  for (; i < n; ++i) dst[i] = 0;
  return dst;
}

const unsigned short* KsWStrInc(const unsigned short* text) {
  return text + 1;
}

unsigned short* KsWStrSet(unsigned short* dst, unsigned short unit, size_t n) {
  for (size_t i = 0; i < n; ++i) dst[i] = unit;
  return dst;
}

int KsWStrToL(const unsigned short* text) {
  char narrowed[33];
  return ksformat::ReadInt32(NarrowedText(text, narrowed), 0);
}

long long KsWStrToI64(const unsigned short* text) {
  char narrowed[33];
  return ksformat::ReadInt64(NarrowedText(text, narrowed), 0);
}
