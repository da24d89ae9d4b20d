// KsString construction, assignment, lifetime and queries.
#include "ksstring.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "basesvc.h"
#include "format/double_text.h"
#include "i18nsvc.h"
#include "ksstring/units.h"

static_assert(sizeof(KsString) == 16, "KsString is a pointer and four bytes of header");

namespace {

// What StrGet returns for a string without buffer.
const char kNoCharacters[2] = {0, 0};

size_t TextLength(const char* text, unsigned short count, unsigned width) {
  const size_t limit = count == KsString::kToEnd ? SIZE_MAX : count;
  if (count != KsString::kToEnd) return limit;
  return ksstring::CountUnits(reinterpret_cast<const unsigned char*>(text), width, limit);
}

// Counts beyond 65,535 characters are cut to that, which still exceeds the
// byte limit and so is cut and reported by the splice routine.
unsigned short ClampCount(size_t count) {
  return count > 0xFFFF ? 0xFFFF : static_cast<unsigned short>(count);
}

}  // namespace

KsString::KsString()
    : buffer(nullptr),
      byteSize(0),
      codeSet(KsLanguageContext::GetDefaultCodeSet()),
      language(KsLanguageContext::GetDefaultLanguage()) {}

KsString::KsString(unsigned char codeSetId, unsigned char languageId)
    : buffer(nullptr), byteSize(0), codeSet(codeSetId), language(languageId) {}

KsString::KsString(char ch) : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  const char text[2] = {ch, 0};
  PlaceText(text, codeSet, ch != 0 ? 1 : 0);
}

KsString::KsString(unsigned char ch) : KsString(static_cast<char>(ch)) {}

KsString::KsString(unsigned short unit)
    : KsString(KsLanguageContext::GetDefault16CodeSet(), GetDefaultLanguage()) {
  const unsigned short units[2] = {unit, 0};
  PlaceText(reinterpret_cast<const char*>(units), codeSet, unit != 0 ? 1 : 0);
}

KsString::KsString(short number) : KsString(static_cast<int>(number)) {}

KsString::KsString(int number) : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", number);
  PlaceText(text, codeSet, kToEnd);
}

KsString::KsString(unsigned number)
    : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  char text[16];
  std::snprintf(text, sizeof text, "%u", number);
  PlaceText(text, codeSet, kToEnd);
}

KsString::KsString(double number) : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  char text[ksformat::kDoubleTextSize];
  ksformat::PrintDoubleText(number, text);
  PlaceText(text, codeSet, kToEnd);
}

KsString::KsString(long long number)
    : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  char text[24];
  std::snprintf(text, sizeof text, "%lld", number);
  PlaceText(text, codeSet, kToEnd);
}

KsString::KsString(unsigned long long number)
    : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  char text[24];
  std::snprintf(text, sizeof text, "%llu", number);
  PlaceText(text, codeSet, kToEnd);
}

KsString::KsString(const char* text) : KsString(text, kToEnd) {}

KsString::KsString(const char* text, unsigned short count)
    : KsString(KsLanguageContext::GetDefault8CodeSet(), GetDefaultLanguage()) {
  PlaceText(text, codeSet, count);
}

KsString::KsString(const unsigned short* units) : KsString(units, kToEnd) {}

KsString::KsString(const unsigned short* units, unsigned short count)
    : KsString(KsLanguageContext::GetDefault16CodeSet(), GetDefaultLanguage()) {
  PlaceText(reinterpret_cast<const char*>(units), codeSet, count);
}

KsString::KsString(const KsString& other) : KsString(other.codeSet, other.language) {
  Splice(other.buffer, other.codeSet, 0, 0, other.Len(), 1, SpliceMode::Place, ksstring::kMemoryFormat);
}

KsString::KsString(KsString&& other) noexcept
    : buffer(other.buffer), byteSize(other.byteSize), codeSet(other.codeSet), language(other.language) {
  other.buffer = nullptr;
  other.byteSize = 0;
}

KsString::~KsString() {
  std::free(buffer);
}

KsString& KsString::operator=(const KsString& other) {
  if (this == &other) return *this;
  FreeBuffer();
  codeSet = other.codeSet;
  Splice(other.buffer, other.codeSet, 0, 0, other.Len(), 1, SpliceMode::Place, ksstring::kMemoryFormat);
  language = other.language;
  return *this;
}

KsString& KsString::operator=(KsString&& other) noexcept {
  Destruct(other);
  return *this;
}

KsString& KsString::operator=(const char* text) {
  FreeBuffer();
  codeSet = KsLanguageContext::GetDefault8CodeSet();
  language = KsLanguageContext::GetDefaultLanguage();
  PlaceText(text, codeSet, kToEnd);
  return *this;
}

KsString& KsString::operator=(const unsigned short* units) {
  FreeBuffer();
  codeSet = KsLanguageContext::GetDefault16CodeSet();
  language = KsLanguageContext::GetDefaultLanguage();
  PlaceText(reinterpret_cast<const char*>(units), codeSet, kToEnd);
  return *this;
}

void KsString::Destruct(KsString& from) {
  if (this == &from) return;
  std::free(buffer);
  buffer = from.buffer;
  byteSize = from.byteSize;
  codeSet = from.codeSet;
  language = from.language;
  from.buffer = nullptr;
  from.byteSize = 0;
}

void KsString::Destroy() {
  FreeBuffer();
  codeSet = 0;
  language = 0;
}

void KsString::d_deactivate() {
  Destroy();
}

void KsString::Init() {
  buffer = nullptr;
  byteSize = 0;
  codeSet = KsLanguageContext::GetDefaultCodeSet();
  language = KsLanguageContext::GetDefaultLanguage();
}

void KsString::FreeBuffer() {
  std::free(buffer);
  buffer = nullptr;
  byteSize = 0;
}

void KsString::PlaceText(const char* source, unsigned char sourceCodeSet, unsigned short count) {
  const size_t length = source == nullptr ? 0 : TextLength(source, count, ksstring::WidthOf(sourceCodeSet));
  Splice(source, sourceCodeSet, 0, 0, ClampCount(length), 1, SpliceMode::Place, ksstring::kMemoryFormat);
}

void KsString::AssignUnits(const void* units, unsigned short count, unsigned char newCodeSet,
                           unsigned char newLanguage, unsigned char format) {
  // Loading values into the same strings again is the common case of a
  // database read loop: a buffer of the right size is reused.
  const unsigned width = ksstring::WidthOf(newCodeSet);
  const size_t size = (static_cast<size_t>(count) + 1) * width;
  if (count > 0 && buffer != nullptr && size == byteSize && width == CharWidth() &&
      (width == 1 || !ksbase::FormatNeedsByteSwap(format))) {
    std::memcpy(buffer, units, size - width);
    std::memset(buffer + size - width, 0, width);
    codeSet = newCodeSet;
    language = newLanguage;
    return;
  }
  // Units that need no conversion and fit take one allocation of their
  // size; the rest (byte swaps, texts beyond the limit) go through Splice.
  const bool plainCopy = width == 1 || !ksbase::FormatNeedsByteSwap(format);
  if (count > 0 && plainCopy && size <= kMaxByteSize) {
    char* room = OpenUnits(count, newCodeSet, newLanguage);
    if (room != nullptr) std::memcpy(room, units, size - width);
    return;
  }
  FreeBuffer();
  codeSet = newCodeSet;
  language = newLanguage;
  Splice(static_cast<const char*>(units), newCodeSet, 0, 0, count, 1, SpliceMode::Place, format);
}

char* KsString::OpenUnits(unsigned capacity, unsigned char newCodeSet, unsigned char newLanguage) {
  FreeBuffer();
  codeSet = newCodeSet;
  language = newLanguage;
  const unsigned width = CharWidth();
  const unsigned most = kMaxByteSize / width - 1;
  if (capacity > most) capacity = most;
  if (capacity == 0) return nullptr;
  const size_t size = (static_cast<size_t>(capacity) + 1) * width;
  buffer = static_cast<char*>(std::malloc(size));
  if (buffer == nullptr) {
    KsCallMemoryHandler(static_cast<unsigned>(size));
    return nullptr;
  }
  byteSize = static_cast<uint16_t>(size);
  std::memset(buffer + size - width, 0, width);
  return buffer;
}

void KsString::CloseUnits(unsigned count) {
  if (buffer == nullptr) return;
  const unsigned width = CharWidth();
  const unsigned capacity = byteSize / width - 1;
  if (count > capacity) count = capacity;
  if (count == 0) {
    FreeBuffer();
    return;
  }
  // The buffer keeps its allocation; the size is what the content takes.
  byteSize = static_cast<uint16_t>((count + 1) * width);
  std::memset(buffer + count * width, 0, width);
}

unsigned short KsString::Len() const {
  return byteSize == 0 ? 0 : byteSize / CharWidth() - 1;
}

int KsString::IsEmpty() const {
  if (buffer == nullptr) return 1;
  return ksstring::ReadUnit(reinterpret_cast<const unsigned char*>(buffer), CharWidth(),
                            ksstring::kMemoryFormat) == 0;
}

const char* KsString::StrGet() const {
  return buffer != nullptr ? buffer : kNoCharacters;
}

KsChar KsString::operator[](int index) {
  // The terminator is addressable; beyond it (and without a buffer, where
  // there is nothing to write to) the character is detached.
  if (buffer == nullptr || index < 0 || index > Len())
    return KsChar(static_cast<unsigned short>(0), GetDefaultCodeSet(), kDefaultId);
  return KsChar(*this, index * CharWidth());
}

int KsString::IsNullValue() const {
  return ksstring::IsNullPair(codeSet, language);
}

int KsString::SetNullValue() {
  FreeBuffer();
  codeSet = 0;
  language = ksstring::kNullLanguage;
  return 0;
}

const KsString& KsString::EmptyString() {
  static const KsString empty;
  return empty;
}

unsigned char KsString::GetDefaultCodeSet() {
  return KsLanguageContext::GetDefaultCodeSet();
}
unsigned char KsString::GetDefault8CodeSet() {
  return KsLanguageContext::GetDefault8CodeSet();
}
unsigned char KsString::GetDefault16CodeSet() {
  return KsLanguageContext::GetDefault16CodeSet();
}
unsigned char KsString::GetDefaultLanguage() {
  return KsLanguageContext::GetDefaultLanguage();
}
unsigned short KsString::GetDefaultCmpOp() {
  return KsLanguageContext::GetDefaultCmpOp();
}
void KsString::SetDefaultCodeSet(unsigned char id) {
  KsLanguageContext::SetDefaultCodeSet(id);
}
void KsString::SetDefaultLanguage(unsigned char id) {
  KsLanguageContext::SetDefaultLanguage(id);
}
void KsString::SetDefaultCmpOp(unsigned short cmpOp) {
  KsLanguageContext::SetDefaultCmpOp(cmpOp);
}
