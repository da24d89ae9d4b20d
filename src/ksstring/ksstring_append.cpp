// Appending to a KsString: every overload builds the text with the
// constructor of its argument type and appends it, converted into this
// string's code set.
#include "ksstring.h"
#include "ksstring/units.h"

KsString& KsString::Append(const KsString& text) {
  Splice(text.buffer, text.codeSet, Len(), 0, text.Len(), 1, SpliceMode::Place, ksstring::kMemoryFormat);
  return *this;
}

KsString& KsString::operator+=(const KsString& other) {
  return Append(other);
}
KsString& KsString::operator<<(const KsString& other) {
  return Append(other);
}
KsString& KsString::operator<<(char ch) {
  return Append(KsString(ch));
}
KsString& KsString::operator<<(short number) {
  return Append(KsString(number));
}
KsString& KsString::operator<<(int number) {
  return Append(KsString(number));
}
KsString& KsString::operator<<(unsigned number) {
  return Append(KsString(number));
}
KsString& KsString::operator<<(float number) {
  return Append(KsString(static_cast<double>(number)));
}
KsString& KsString::operator<<(double number) {
  return Append(KsString(number));
}
KsString& KsString::operator<<(const char* text) {
  return Append(KsString(text));
}
KsString& KsString::operator<<(const unsigned short* units) {
  return Append(KsString(units));
}
KsString& KsString::operator<<(long long number) {
  return Append(KsString(number));
}
KsString& KsString::operator<<(unsigned long long number) {
  return Append(KsString(number));
}

KsString& KsString::operator<<(unsigned short unit) {
  // An 8-bit string cannot hold most units, so it receives the number.
  if (CharWidth() == 1) return Append(KsString(static_cast<unsigned>(unit)));
  return Append(KsString(unit));
}

KsString operator+(const KsString& a, const KsString& b) {
  KsString sum(a.CodeSet(), a.Language());
  sum += a;
  sum += b;
  return sum;
}
