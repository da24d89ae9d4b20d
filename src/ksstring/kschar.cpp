// KsChar: construction, assignment, comparison and classification.
#include "kschar.h"

#include "i18nsvc.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

using ksstring::kDefaultId;

namespace {

constexpr unsigned char kMemoryOrderFormat = 1;

unsigned char LanguageOrDefault(unsigned char language) {
  return language >= kDefaultId ? KsLanguageContext::GetDefaultLanguage() : language;
}

}  // namespace

KsChar::KsChar(unsigned short unit, unsigned char codeSetId, unsigned char languageId,
               unsigned char unitFormat, int)
    : unitPointer(nullptr), value(unit), codeSet(codeSetId), language(languageId), format(unitFormat) {
  if (!IsWide()) value &= 0xFF;
}

KsChar::KsChar(KsString& s, int byteOffset)
    : unitPointer(nullptr), value(0), codeSet(s.codeSet), language(s.language), format(kMemoryOrderFormat) {
  // Without a buffer, or outside it, there is nothing to refer to: the
  // character stays a detached zero.
  const unsigned width = s.CharWidth();
  if (s.buffer != nullptr && byteOffset >= 0 && static_cast<unsigned>(byteOffset) + width <= s.byteSize) {
    unitPointer = reinterpret_cast<unsigned char*>(s.buffer) + byteOffset;
  }
}

KsChar::KsChar(const KsChar& other)
    : KsChar(other.Unit(), other.codeSet, LanguageOrDefault(other.language), kMemoryOrderFormat, 0) {}

KsChar::KsChar(char ch, unsigned char codeSetId, unsigned char languageId)
    : KsChar(static_cast<unsigned char>(ch),
             codeSetId == kDefaultId ? KsLanguageContext::GetDefault8CodeSet() : codeSetId,
             LanguageOrDefault(languageId), kMemoryOrderFormat, 0) {}

KsChar::KsChar(unsigned short unit, unsigned char codeSetId, unsigned char languageId)
    : KsChar(unit, codeSetId == kDefaultId ? KsLanguageContext::GetDefault16CodeSet() : codeSetId,
             LanguageOrDefault(languageId), kMemoryOrderFormat, 0) {}

KsChar::KsChar(const char* unit, unsigned char codeSetId, unsigned char languageId, unsigned char unitFormat)
    : unitPointer(reinterpret_cast<unsigned char*>(const_cast<char*>(unit))),
      value(0),
      codeSet(codeSetId == kDefaultId ? KsLanguageContext::GetDefault8CodeSet() : codeSetId),
      language(LanguageOrDefault(languageId)),
      format(unitFormat == kDefaultId ? kMemoryOrderFormat : unitFormat) {}

unsigned short KsChar::Unit() const {
  if (unitPointer == nullptr) return value;
  return ksstring::ReadUnit(unitPointer, ksstring::WidthOf(codeSet), format);
}

void KsChar::WriteUnit(unsigned short unit) {
  if (unitPointer == nullptr) {
    value = IsWide() ? unit : static_cast<unsigned char>(unit);
    return;
  }
  ksstring::WriteUnit(unitPointer, ksstring::WidthOf(codeSet), unit, format);
}

KsChar& KsChar::operator=(const KsChar& other) {
  if (this == &other) return *this;
  if (unitPointer == nullptr) {
    value = other.Unit();
    codeSet = other.codeSet;
    language = other.language;
    format = other.format;
    return *this;
  }
  WriteUnit(ksstring::ConvertUnit(other.Unit(), other.codeSet, codeSet));
  return *this;
}

KsChar& KsChar::operator=(char ch) {
  WriteUnit(static_cast<unsigned char>(ch));
  return *this;
}

KsChar& KsChar::operator=(unsigned short unit) {
  WriteUnit(unit);
  return *this;
}

int KsChar::Compare(const KsChar& other, unsigned short cmpOp) const {
  if (cmpOp == KsString::kDefaultCmpOp) cmpOp = KsLanguageContext::GetDefaultCmpOp();
  // Each side as a one-character text, so that the comparison never reads
  // the characters that follow inside a string.
  unsigned char mine[4] = {};
  unsigned char theirs[4] = {};
  ksstring::WriteUnit(mine, ksstring::WidthOf(codeSet), Unit(), kMemoryOrderFormat);
  ksstring::WriteUnit(theirs, ksstring::WidthOf(other.codeSet), other.Unit(), kMemoryOrderFormat);
  return KsStrCmp(codeSet, language, reinterpret_cast<const char*>(mine), other.codeSet, other.language,
                  reinterpret_cast<const char*>(theirs), cmpOp, 1, kMemoryOrderFormat, nullptr);
}

int KsChar::CompareWith(const KsChar& other) const {
  return Compare(other, KsString::kDefaultCmpOp);
}

bool KsChar::operator==(const KsChar& other) const {
  return CompareWith(other) == 0;
}
bool KsChar::operator!=(const KsChar& other) const {
  return CompareWith(other) != 0;
}
bool KsChar::operator<(const KsChar& other) const {
  return CompareWith(other) < 0;
}
bool KsChar::operator<=(const KsChar& other) const {
  return CompareWith(other) <= 0;
}
bool KsChar::operator>(const KsChar& other) const {
  return CompareWith(other) > 0;
}
bool KsChar::operator>=(const KsChar& other) const {
  return CompareWith(other) >= 0;
}
bool KsChar::operator==(char ch) const {
  return CompareWith(KsChar(ch)) == 0;
}
bool KsChar::operator!=(char ch) const {
  return CompareWith(KsChar(ch)) != 0;
}
bool KsChar::operator<(char ch) const {
  return CompareWith(KsChar(ch)) < 0;
}
bool KsChar::operator<=(char ch) const {
  return CompareWith(KsChar(ch)) <= 0;
}
bool KsChar::operator>(char ch) const {
  return CompareWith(KsChar(ch)) > 0;
}
bool KsChar::operator>=(char ch) const {
  return CompareWith(KsChar(ch)) >= 0;
}
bool KsChar::operator==(unsigned short unit) const {
  return CompareWith(KsChar(unit)) == 0;
}
bool KsChar::operator!=(unsigned short unit) const {
  return CompareWith(KsChar(unit)) != 0;
}
bool KsChar::operator<(unsigned short unit) const {
  return CompareWith(KsChar(unit)) < 0;
}
bool KsChar::operator<=(unsigned short unit) const {
  return CompareWith(KsChar(unit)) <= 0;
}
bool KsChar::operator>(unsigned short unit) const {
  return CompareWith(KsChar(unit)) > 0;
}
bool KsChar::operator>=(unsigned short unit) const {
  return CompareWith(KsChar(unit)) >= 0;
}

unsigned short KsChar::Order() const {
  if (codeSet == ksstring::kRawCodeSet) return Unit();
  // The character alone, so that no contraction with a neighbour applies.
  unsigned char text[4] = {};
  ksstring::WriteUnit(text, ksstring::WidthOf(codeSet), Unit(), kMemoryOrderFormat);
  KsStringIterator it(reinterpret_cast<const char*>(text), codeSet, language, kMemoryOrderFormat);
  return it.GetNextOrder(0);
}

bool KsChar::IsSpace() const {
  return Order() < 80;
}
bool KsChar::IsSymbol() const {
  const unsigned short order = Order();
  return order >= 80 && order < 0x3F00;
}
bool KsChar::IsDigit() const {
  const unsigned short order = Order();
  return order >= 0x3F00 && order < 0x4000;
}
bool KsChar::IsAlpha() const {
  const unsigned short order = Order();
  return order >= 0x4000 && order < 0x8000;
}
bool KsChar::IsHan() const {
  return Order() >= 0x8000;
}
