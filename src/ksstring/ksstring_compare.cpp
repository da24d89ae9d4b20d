// KsString comparison and searching, all through KsStrCmp.
#include "i18nsvc.h"
#include "ksstrcmp.h"
#include "ksstring.h"
#include "ksstring/units.h"

namespace {

constexpr unsigned char kMemoryOrderFormat = 1;

int CompareWith(const KsString& a, const KsString& b, unsigned short cmpOp, short length) {
  return KsStrCmp(a.CodeSet(), a.Language(), a.StrGet(), b.CodeSet(), b.Language(), b.StrGet(), cmpOp, length,
                  kMemoryOrderFormat, nullptr);
}

int CompareDefault(const KsString& a, const KsString& b) {
  return CompareWith(a, b, KsLanguageContext::GetDefaultCmpOp(), -1);
}

}  // namespace

bool KsString::operator==(const KsString& other) const {
  return this == &other || CompareDefault(*this, other) == 0;
}
bool KsString::operator!=(const KsString& other) const {
  return !(*this == other);
}
bool KsString::operator<(const KsString& other) const {
  return CompareDefault(*this, other) < 0;
}
bool KsString::operator<=(const KsString& other) const {
  return CompareDefault(*this, other) <= 0;
}
bool KsString::operator>(const KsString& other) const {
  return CompareDefault(*this, other) > 0;
}
bool KsString::operator>=(const KsString& other) const {
  return CompareDefault(*this, other) >= 0;
}

int KsString::Compare(const KsString& other, short length, unsigned short cmpOp) const {
  if (cmpOp == kDefaultCmpOp) cmpOp = KsLanguageContext::GetDefaultCmpOp();
  return CompareWith(*this, other, cmpOp, length);
}

bool KsString::EqualsIgnoreLanguage(const KsString& other) const {
  const unsigned char shared = language == other.language ? language : 0;
  return KsStrCmp(codeSet, shared, StrGet(), other.codeSet, shared, other.StrGet(), KS_CMP_PLAIN_ORDER, -1,
                  kMemoryOrderFormat, nullptr) == 0;
}

int KsString::Find(const KsString& pattern, unsigned short start, unsigned short cmpOp) const {
  const unsigned short length = Len();
  const unsigned short patternLength = pattern.Len();
  if (patternLength == 0 || length == 0 || start > length) return -1;
  // With wildcards the pattern matches as a prefix when a star follows it;
  // otherwise exactly its length is compared. The choice is made on the
  // operator as passed: 65,535 (the default) always compares the length.
  const bool asPrefix = (cmpOp & (KS_CMP_PLAIN_ORDER | KS_CMP_NO_WILDCARDS)) == 0;
  const unsigned short op = cmpOp == kDefaultCmpOp ? KsLanguageContext::GetDefaultCmpOp() : cmpOp;
  KsString prefixPattern(pattern.codeSet, pattern.language);
  if (asPrefix) {
    prefixPattern = pattern;
    prefixPattern << "*";
  }
  const KsString& used = asPrefix ? prefixPattern : pattern;
  const short compareLength = asPrefix ? -1 : static_cast<short>(patternLength);
  const unsigned width = CharWidth();
  for (unsigned pos = start; pos + patternLength <= length; ++pos) {
    const char* here = StrGet() + pos * width;
    if (KsStrCmp(codeSet, language, here, used.codeSet, used.language, used.StrGet(), op, compareLength,
                 kMemoryOrderFormat, nullptr) == 0) {
      return static_cast<int>(pos);
    }
  }
  return -1;
}

int KsString::Find(char ch, unsigned short start, unsigned short cmpOp) const {
  // A one-byte pattern of code set 0, read as the native code set.
  KsString pattern(static_cast<unsigned char>(0), static_cast<unsigned char>(0));
  const char text[2] = {ch, 0};
  pattern.PlaceText(text, 0, 1);
  return Find(pattern, start, cmpOp);
}

int KsString::Find(unsigned short unit, unsigned short start, unsigned short cmpOp) const {
  return Find(KsString(unit), start, cmpOp);
}

int KsString::SubStringPos(const KsString& pattern, unsigned short cmpOp) const {
  return Find(pattern, 0, cmpOp);
}
