#include "ksobjid/identity_text.h"

#include <cstring>
#include <string_view>

#include "format/windows_format.h"
#include "ksstring.h"
#include "kstypemgr.h"
#include "kstypes/class_text_records.h"

namespace ks {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

int FieldIndex(const IdentityText& layout, char letter) {
  for (int i = 0; i < layout.fieldCount; ++i) {
    if (layout.fields[i].letter == letter) return i;
  }
  return -1;
}

bool IsPositionalKind(const IdentityText& layout, char c) {
  return (c == 'h' || c == 'l') && std::strchr(layout.positionalKinds, c) != nullptr;
}

// The field a positional directive of `kind` stands for at `position`, or
// -1 when that position holds no such directive.
int PositionalField(const IdentityText& layout, char kind, int position) {
  if (position < 0 || position >= static_cast<int>(std::strlen(layout.positionalKinds))) return -1;
  if (layout.positionalKinds[position] != kind) return -1;
  return FieldIndex(layout, layout.positionalLetters[position]);
}

}  // namespace

bool BeginsWithNullPrintString(const KsString& text) {
  const KsString& null = KsTypeMgr::GetNullPrintString();
  KsString holder;
  const KsString& eightBit = EightBitText(text, holder);
  const unsigned length = null.Len();
  return eightBit.Len() >= length && std::memcmp(eightBit.StrGet(), null.StrGet(), length) == 0;
}

std::string PrintIdentityFields(const IdentityText& layout, const uint32_t* values, const char* format) {
  std::string text;
  int position = 0;
  for (const char* f = format; *f != '\0'; ++f) {
    if (*f != '%') {
      text += *f;
      continue;
    }
    const char directive = *++f;
    if (directive == '\0') break;
    const int field = FieldIndex(layout, directive);
    if (field >= 0) {
      text += std::to_string(values[field]);
    } else if (IsPositionalKind(layout, directive)) {
      const int positional = PositionalField(layout, directive, position++);
      text += positional >= 0 ? std::to_string(values[positional]) : "0";
      if (f[1] != '\0') ++f;  // the conversion letter of "%hu", "%lu"
    } else {
      text += directive;  // "%%" and every other letter: the letter alone
    }
  }
  return text;
}

bool ScanIdentityFields(const IdentityText& layout, uint32_t* values, const KsString& in,
                        const char* format) {
  if (BeginsWithNullPrintString(in)) return false;
  for (int i = 0; i < layout.fieldCount; ++i) values[i] = 0;
  KsString holder;
  const KsString& eightBit = EightBitText(in, holder);
  // A terminated copy bounded by the string's length, for the reader.
  const std::string text(eightBit.StrGet(), eightBit.Len());
  const size_t textLength = text.size();
  const size_t formatLength = std::strlen(format);
  size_t t = 0, f = 0;
  int position = 0;

  // Reads a decimal field at t into values[field] (when field >= 0) and
  // moves past the digits that follow.
  auto readField = [&](int field) {
    if (field >= 0) {
      const bool wide = layout.fields[field].wide;
      const auto result =
          ksformat::ScanWindows(text.c_str() + t, wide ? "%u" : "%hu", ksformat::ScanInto::Integer);
      if (result.assigned) values[field] = static_cast<uint32_t>(result.integer);
    }
    while (t < textLength && IsDigit(text[t])) ++t;
  };

  while (f < formatLength && t < textLength) {
    if (layout.ordinary == OrdinaryMatch::SkipOpenings) {
      while (f < formatLength && (IsSpace(format[f]) || format[f] == '(')) ++f;
      while (t < textLength && (IsSpace(text[t]) || text[t] == '(')) ++t;
      if (f >= formatLength || t >= textLength) break;
    }
    const char c = format[f];
    if (c == '%') {
      const char directive = f + 1 < formatLength ? format[f + 1] : '\0';
      if (directive == '\0') break;
      const int field = FieldIndex(layout, directive);
      if (field >= 0) {
        readField(field);
        f += 2;
      } else if (IsPositionalKind(layout, directive)) {
        readField(PositionalField(layout, directive, position++));
        f += f + 2 < formatLength ? 3 : 2;
      } else {
        ++t;
        f += 2;
      }
      continue;
    }
    if (layout.ordinary != OrdinaryMatch::ObjectNumber || c == text[t] || !IsDigit(text[t])) {
      ++f;
      ++t;
      continue;
    }
    // A digit where the format expects something else: the text may lack
    // the high part and its '-', so the format goes on after its '-'.
    const size_t dash = std::string_view(format).find('-', f + 1);
    if (dash != std::string_view::npos && text.find('-', t) == std::string::npos) {
      f = dash + 1;
    } else {
      ++f;
    }
  }
  return true;
}

}  // namespace ks
