// KsInt64 text form: a small format language of its own ("%S", "%d", "%i",
// "%o", "%x", "%X") that prints and scans decimal, octal and hexadecimal
// with their prefixes, independent of the C library's 64-bit dialects.
#include <cstring>
#include <string>

#include "ksint64.h"
#include "ksint64/ksint64_slots.h"
#include "ksstring.h"
#include "kstypes/class_text_records.h"

namespace {

constexpr char kDefaultFormat[] = "%S";
constexpr uint64_t kMinimumBits = uint64_t{1} << 63;

bool IsConversion(char c) {
  return c == 'S' || c == 'd' || c == 'i' || c == 'o' || c == 'x' || c == 'X';
}

int BaseOf(char conversion) {
  switch (conversion) {
    case 'o':
      return 8;
    case 'x':
    case 'X':
      return 16;
    default:
      return 10;
  }
}

// One conversion of the value. The minimum value has no magnitude of its
// own, so its digits are fixed texts.
void AppendConversion(std::string& text, const KsInt64& value, char conversion) {
  const int base = BaseOf(conversion);
  const uint64_t bits = value.GetU8b();
  const bool negative = value.HighWord() < 0;
  if (negative && bits != kMinimumBits) text += '-';
  if (base == 8) text += '0';
  if (base == 16) {
    text += '0';
    text += conversion;
  }
  if (bits == kMinimumBits) {
    text += base == 10 ? "-9223372036854775808" : base == 8 ? "1000000000000000000000" : "8000000000000000";
    return;
  }
  const char* digits = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
  uint64_t magnitude = negative ? 0 - bits : bits;
  char reversed[24];
  int count = 0;
  do {
    reversed[count++] = digits[magnitude % static_cast<uint64_t>(base)];
    magnitude /= static_cast<uint64_t>(base);
  } while (magnitude != 0);
  while (count > 0) text += reversed[--count];
}

// The value of one digit character, or -1 for a character that is neither
// a digit nor a letter.
int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return -1;
}

bool BaseFits(char conversion, int base) {
  switch (conversion) {
    case 'x':
    case 'X':
      return base == 16;
    case 'd':
    case 'i':
      return base == 10;
    case 'o':
      return base == 8;
    default:
      return true;
  }
}

// Walks format and text together. Returns false when the text does not fit;
// value holds the last conversion read.
bool ScanText(const char* text, size_t length, const char* format, uint64_t& value) {
  size_t t = 0;
  const char* f = format;
  while (*f != '\0' && t < length) {
    if (*f != '%' || !IsConversion(f[1])) {
      // An ordinary character, or a '%' whose letter is no conversion:
      // both are matched literally.
      if (*f != text[t]) return false;
      ++f;
      ++t;
      continue;
    }
    const char conversion = f[1];
    const char stop = f[2];
    f += 2;
    bool negative = false;
    if (text[t] == '-' || text[t] == '+') negative = text[t++] == '-';
    int base = 10;
    if (t < length && text[t] == '0') {
      if (t + 1 < length && (text[t + 1] == 'x' || text[t + 1] == 'X')) {
        base = 16;
        t += 2;
      } else {
        base = 8;
      }
    }
    if (!BaseFits(conversion, base)) return false;
    uint64_t number = 0;
    while (t < length && !(stop != '\0' && text[t] == stop)) {
      const int digit = DigitValue(text[t]);
      if (digit < 0 || digit >= base) return false;
      number = number * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
      ++t;
    }
    value = negative ? 0 - number : number;
    if (stop != '\0' && t < length) {
      // The digits stopped at the character that follows the conversion.
      ++f;
      ++t;
    }
  }
  return true;
}

}  // namespace

namespace ks {

KsString& Int64PrintToString(KsString& out, void* values, const char* format, unsigned) {
  if (format == nullptr) format = kDefaultFormat;
  KsInt64 value;
  std::memcpy(&value, values, sizeof value);
  std::string text;
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') {
      text += *f;
    } else if (IsConversion(f[1])) {
      AppendConversion(text, value, *++f);
    } else {
      // Not a conversion: the '%' stays and the next character is read as
      // an ordinary one.
      text += '%';
    }
  }
  out << text.c_str();
  return out;
}

void* Int64ScanFromString(void* values, KsString& in, const char* format, unsigned) {
  if (values == nullptr) return nullptr;
  if (format == nullptr) format = kDefaultFormat;
  KsString holder;
  const KsString& text = EightBitText(in, holder);
  KsInt64 current;
  std::memcpy(&current, values, sizeof current);
  uint64_t value = current.GetU8b();
  if (!ScanText(text.StrGet(), text.Len(), format, value)) value = ~uint64_t{0};
  const KsInt64 result(static_cast<unsigned long long>(value));
  std::memcpy(values, &result, sizeof result);
  return values;
}

}  // namespace ks

KsString& KsInt64::PrintToKsString(KsString& out, const char* format) const {
  return ks::Int64PrintToString(out, const_cast<KsInt64*>(this), format, 1);
}

void KsInt64::ScanFromKsString(const KsString& in, const char* format) {
  ks::Int64ScanFromString(this, const_cast<KsString&>(in), format, 1);
}
