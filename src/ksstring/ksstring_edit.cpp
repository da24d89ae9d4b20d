// KsString extraction and editing; each change goes through Splice.
#include <cstdlib>

#include "basesvc.h"
#include "i18nsvc.h"
#include "kschar.h"
#include "ksstring.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"

namespace {

constexpr unsigned short kAllAtMinusOne = 0xFFFF;

// The count of characters from pos to the end, when `count` asks for more.
unsigned short Clip(unsigned short pos, unsigned short count, unsigned short length) {
  if (pos >= length) return 0;
  const unsigned rest = length - pos;
  return count == kAllAtMinusOne || count > rest ? static_cast<unsigned short>(rest) : count;
}

}  // namespace

KsString KsString::Copy(unsigned short pos, unsigned short count) const {
  const unsigned short length = Len();
  if (pos >= length) return KsString(EmptyString());
  KsString part(codeSet, language);
  part.Splice(buffer, codeSet, 0, pos, Clip(pos, count, length), 1, SpliceMode::Place,
              ksstring::kMemoryFormat);
  return part;
}

KsString KsString::Left(unsigned short count) const {
  const unsigned short length = Len();
  return Copy(0, count < length ? count : length);
}

KsString KsString::Right(unsigned short count) const {
  const unsigned short length = Len();
  return count >= length ? Copy(0, length) : Copy(static_cast<unsigned short>(length - count), count);
}

KsString& KsString::Cut(unsigned short pos, unsigned short count) {
  const unsigned short length = Len();
  const unsigned short cut = Clip(pos, count, length);
  if (cut < 1) return *this;
  const unsigned short keptAfter = static_cast<unsigned short>(length - pos - cut);
  Splice(buffer, codeSet, pos, static_cast<unsigned short>(pos + cut), keptAfter, 1, SpliceMode::Place,
         ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Insert(const KsString& text, unsigned short pos) {
  if (pos > Len()) return *this;
  Splice(text.buffer, text.codeSet, pos, 0, text.Len(), 1, SpliceMode::Insert, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Replace(const KsString& text, unsigned short pos) {
  const unsigned short count = Clip(pos, text.Len(), Len());
  if (count < 1) return *this;
  Splice(text.buffer, text.codeSet, pos, 0, count, 1, SpliceMode::Overwrite, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::ReplaceAll(const KsString& from, const KsString& to, unsigned short start) {
  // The texts may be this string itself; work on copies.
  const KsString pattern(from);
  const KsString replacement(to);
  const unsigned short fromLength = pattern.Len();
  const unsigned short toLength = replacement.Len();
  int pos = Find(pattern, start, kDefaultCmpOp);
  while (pos >= 0) {
    const auto at = static_cast<unsigned short>(pos);
    Cut(at, fromLength);
    Insert(replacement, at);
    const unsigned next = static_cast<unsigned>(at) + toLength;
    if (next > Len()) break;
    pos = Find(pattern, static_cast<unsigned short>(next), kDefaultCmpOp);
  }
  return *this;
}

KsString& KsString::ReplaceAll(char from, char to, unsigned short start) {
  KsString pattern(static_cast<unsigned char>(0), static_cast<unsigned char>(0));
  const char text[2] = {from, 0};
  pattern.PlaceText(text, 0, 1);
  return ReplaceAll(pattern, KsString(to), start);
}

KsString& KsString::ReplaceAll(unsigned short from, unsigned short to, unsigned short start) {
  return ReplaceAll(KsString(from), KsString(to), start);
}

KsString& KsString::Expand(unsigned short length, char ch) {
  const unsigned short current = Len();
  if (current >= length) return *this;
  const char text[2] = {ch, 0};
  Splice(text, KsLanguageContext::GetDefault8CodeSet(), current, 0, 1,
         static_cast<unsigned short>(length - current), SpliceMode::Place, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Expand(unsigned short length, unsigned short unit) {
  const unsigned short current = Len();
  if (current >= length) return *this;
  const unsigned short units[2] = {unit, 0};
  Splice(reinterpret_cast<const char*>(units), KsLanguageContext::GetDefault16CodeSet(), current, 0, 1,
         static_cast<unsigned short>(length - current), SpliceMode::Place, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Fill(unsigned short count, char ch) {
  const char text[2] = {ch, 0};
  Splice(text, KsLanguageContext::GetDefault8CodeSet(), 0, 0, count > 0 ? 1 : 0, count, SpliceMode::Place,
         ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Fill(unsigned short count, unsigned short unit) {
  const unsigned short units[2] = {unit, 0};
  Splice(reinterpret_cast<const char*>(units), KsLanguageContext::GetDefault16CodeSet(), 0, 0,
         count > 0 ? 1 : 0, count, SpliceMode::Place, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::LeftTrim() {
  const unsigned short length = Len();
  unsigned short first = 0;
  while (first < length && (*this)[first].IsSpace()) ++first;
  if (first > 0)
    Splice(buffer, codeSet, 0, first, static_cast<unsigned short>(length - first), 1, SpliceMode::Place,
           ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::RightTrim() {
  const unsigned short length = Len();
  unsigned short end = length;
  while (end > 0 && (*this)[end - 1].IsSpace()) --end;
  if (end < length) Splice(buffer, codeSet, 0, 0, end, 1, SpliceMode::Place, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::Trim() {
  RightTrim();
  return LeftTrim();
}

KsString& KsString::ToLower() {
  KsCharToLower operation;
  return Transform(operation);
}

KsString& KsString::ToUpper() {
  KsCharToUpper operation;
  return Transform(operation);
}

KsString& KsString::Transform(KsCharOperation& operation) {
  if (byteSize == 0) return *this;
  // A character may become up to three (full case forms); the work buffer
  // has room for that, and the result is cut at the size limit like any
  // other edit.
  const size_t workSize = static_cast<size_t>(byteSize) * 3;
  auto* work = static_cast<unsigned char*>(std::calloc(workSize, 1));
  if (work == nullptr) {
    KsCallMemoryHandler(static_cast<unsigned>(workSize));
    return *this;
  }
  KsStringIterator reader(*this);
  KsStringIterator writer(reinterpret_cast<const char*>(work), codeSet, language, ksstring::kMemoryFormat);
  reader.TransformWithin(writer, operation, work + workSize);
  const unsigned width = CharWidth();
  const size_t written = static_cast<size_t>(writer.Position() - work) / width;
  const size_t characters = written > 0 ? written - 1 : 0;
  Splice(reinterpret_cast<const char*>(work), codeSet, 0, 0,
         static_cast<unsigned short>(characters > 0xFFFF ? 0xFFFF : characters), 1, SpliceMode::Place,
         ksstring::kMemoryFormat);
  std::free(work);
  return *this;
}
