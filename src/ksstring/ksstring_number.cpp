// Reading numbers from a KsString. Integer texts follow the module option:
// bit 0 set reads decimal digits only, clear also 0x hexadecimal and leading-0
// octal.
#include "format/double_text.h"
#include "format/number_text.h"
#include "ksmodule.h"
#include "ksstring.h"
#include "ksstring/units.h"
#include "ksstring/wide_text.h"

namespace {

constexpr int kNotANumber = -1;

int IntegerBase() {
  return (___KsTypeMgrOptions() & 1) != 0 ? 10 : 0;
}

}  // namespace

const char* KsString::NumberText(char (&narrowed)[33]) const {
  if (CharWidth() == 1) return StrGet();
  return ksstring::NarrowForNumbers(reinterpret_cast<const unsigned char*>(StrGet()),
                                    buffer == nullptr ? 0 : Len(), narrowed);
}

KsString::operator short() const {
  return static_cast<short>(static_cast<int>(*this));
}

KsString::operator int() const {
  if (buffer == nullptr) return 0;
  char narrowed[33];
  return ksformat::ReadInt32(NumberText(narrowed), IntegerBase());
}

KsString::operator long long() const {
  if (buffer == nullptr) return 0;
  char narrowed[33];
  return ksformat::ReadInt64(NumberText(narrowed), IntegerBase());
}

KsString::operator double() const {
  if (buffer == nullptr) return 0.0;
  char narrowed[33];
  return ksformat::ScanDoubleText(NumberText(narrowed));
}

namespace {

// Whether the text starts like a number the Atol family reads.
bool StartsNumber(const KsString& s) {
  KsString& text = const_cast<KsString&>(s);
  const KsChar first = text[0];
  return first.Unit() == '-' || first.IsDigit();
}

}  // namespace

int KsString::Atol(int& value) const {
  value = 0;
  if (!StartsNumber(*this)) return kNotANumber;
  char narrowed[33];
  value = ksformat::ReadInt32(NumberText(narrowed), 10);
  return 0;
}

int KsString::Atoll(long long& value) const {
  value = 0;
  if (!StartsNumber(*this)) return kNotANumber;
  char narrowed[33];
  value = ksformat::ReadInt64(NumberText(narrowed), 10);
  return 0;
}

int KsString::Strtol(int& value) const {
  value = 0;
  if (!StartsNumber(*this)) return kNotANumber;
  char narrowed[33];
  value = ksformat::ReadInt32(NumberText(narrowed), 0);
  return 0;
}

int KsString::Strtoll(long long& value) const {
  value = 0;
  if (!StartsNumber(*this)) return kNotANumber;
  char narrowed[33];
  value = ksformat::ReadInt64(NumberText(narrowed), 0);
  return 0;
}
