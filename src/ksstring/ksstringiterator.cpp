// KsStringIterator: construction and character-by-character walking.
#include "ksstringiterator.h"

#include <cstdlib>

#include "basesvc.h"
#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring.h"
#include "ksstring/code_set_cache.h"
#include "ksstring/iterator_steps.h"
#include "ksstring/units.h"

using ksstring::kDefaultId;

namespace {

unsigned char LanguageOrDefault(unsigned char language) {
  return language >= kDefaultId ? KsLanguageContext::GetDefaultLanguage() : language;
}

}  // namespace

KsStringIterator::KsStringIterator() {
  Start(nullptr, 0, 0, 1);
}

void KsStringIterator::Start(const unsigned char* units, unsigned char iteratorCodeSet,
                             unsigned char iteratorLanguage, unsigned char iteratorFormat) {
  languageClass =
      ksstring::SetupWalkInline(iteratorCodeSet, iteratorLanguage, codeSetObject, byteEntries, simpleOrders);
  codeSet = iteratorCodeSet;
  language = iteratorLanguage;
  orderClass = languageClass;
  languageObject = nullptr;
  languageLooked = false;
  overflowCodeSet = 0;
  overflowIndex = 0;
  format = iteratorFormat;
  ownsBuffer = 0;
  position = const_cast<unsigned char*>(units);
  overflow = nullptr;
  ownedBuffer = nullptr;
}

KsStringIterator::KsStringIterator(KsString& s) {
  Start(reinterpret_cast<const unsigned char*>(s.StrGet()), s.CodeSet(), LanguageOrDefault(s.Language()),
        ksstring::kMemoryFormat);
}

KsStringIterator::KsStringIterator(const char* units, unsigned char codeSetId, unsigned char languageId,
                                   unsigned char unitFormat) {
  Start(reinterpret_cast<const unsigned char*>(units),
        codeSetId == kDefaultId ? KsLanguageContext::GetDefault8CodeSet() : codeSetId,
        LanguageOrDefault(languageId), unitFormat == kDefaultId ? 1 : unitFormat);
}

KsStringIterator::KsStringIterator(unsigned short* units, unsigned char codeSetId, unsigned char languageId,
                                   unsigned char unitFormat) {
  Start(reinterpret_cast<const unsigned char*>(units),
        codeSetId == kDefaultId ? KsLanguageContext::GetDefault16CodeSet() : codeSetId,
        LanguageOrDefault(languageId), unitFormat == kDefaultId ? 1 : unitFormat);
}

KsStringIterator::KsStringIterator(KsChar& ch) {
  const unsigned width = ksstring::WidthOf(ch.CodeSet());
  auto* units = static_cast<unsigned char*>(std::calloc(2, width));
  if (units == nullptr) KsCallMemoryHandler(2 * width);
  if (units != nullptr) ksstring::WriteUnit(units, width, ch.Unit(), 1);
  Start(units, ch.CodeSet(), LanguageOrDefault(ch.Language()), 1);
  ownsBuffer = units != nullptr ? 1 : 0;
  ownedBuffer = units;
}

KsStringIterator::KsStringIterator(const KsStringIterator& other)
    : codeSetObject(other.codeSetObject),
      codeSet(other.codeSet),
      language(other.language),
      orderClass(other.orderClass),
      overflowCodeSet(other.overflowCodeSet),
      overflowIndex(other.overflowIndex),
      format(other.format),
      ownsBuffer(0),
      position(other.position),
      overflow(other.overflow),
      ownedBuffer(nullptr),
      languageClass(other.languageClass),
      byteEntries(other.byteEntries),
      simpleOrders(other.simpleOrders),
      languageObject(other.languageObject),
      languageLooked(other.languageLooked) {}

KsStringIterator& KsStringIterator::operator=(const KsStringIterator& other) {
  if (this == &other) return *this;
  Destroy();
  codeSetObject = other.codeSetObject;
  codeSet = other.codeSet;
  language = other.language;
  orderClass = other.orderClass;
  overflowCodeSet = other.overflowCodeSet;
  overflowIndex = other.overflowIndex;
  format = other.format;
  ownsBuffer = 0;
  position = other.position;
  overflow = other.overflow;
  languageClass = other.languageClass;
  byteEntries = other.byteEntries;
  simpleOrders = other.simpleOrders;
  languageObject = other.languageObject;
  languageLooked = other.languageLooked;
  return *this;
}

KsStringIterator::~KsStringIterator() {
  if (ownsBuffer != 0) Destroy();
}

void KsStringIterator::Destroy() {
  if (ownsBuffer != 0) std::free(ownedBuffer);
  ownedBuffer = nullptr;
  ownsBuffer = 0;
}

bool KsStringIterator::IsEOS() const {
  return UnitAt(position) == 0 && !OverflowPending();
}

bool KsStringIterator::HasOverflowLeft() const {
  return OverflowPending();
}

void KsStringIterator::SetOverflow(const KsWCharList* list, unsigned char listCodeSet) {
  overflow = list;
  overflowIndex = 0;
  overflowCodeSet = listCodeSet == kDefaultId ? codeSet : listCodeSet;
}

KsChar KsStringIterator::operator*() {
  if (OverflowPending()) {
    unsigned short unit = 0;
    overflow->Get(static_cast<unsigned short>(overflowIndex++), unit);
    return KsChar(unit, overflowCodeSet, language, 1, 0);
  }
  if (position == nullptr) return KsChar(static_cast<unsigned short>(0), codeSet, language, 1, 0);
  return KsChar(reinterpret_cast<const char*>(position), codeSet, language, format);
}

KsStringIterator& KsStringIterator::operator++() {
  Advance();
  return *this;
}

KsStringIterator KsStringIterator::operator++(int) {
  KsStringIterator before(*this);
  Advance();
  return before;
}

KsStringIterator& KsStringIterator::operator--() {
  if (position != nullptr) position -= Width();
  return *this;
}

KsStringIterator KsStringIterator::operator--(int) {
  KsStringIterator before(*this);
  --*this;
  return before;
}

void KsStringIterator::Step(unsigned short forward) {
  if (forward != 0) {
    Advance();
  } else {
    --*this;
  }
}
