// Text slots of KsString: printing (with the order-key directives %1M to
// %4M), scanning, conversion records and the default value.
#include <cstring>
#include <string>

#include "format/windows_format.h"
#include "i18nsvc.h"
#include "ksobjid/identity_text.h"
#include "ksorder.h"
#include "ksstring/string_slots.h"
#include "ksstring/units.h"
#include "ksstringiterator.h"
#include "kstypemgr.h"
#include "kstypes/class_text_records.h"

namespace ksstring {
namespace {

constexpr char kDefaultFormat[] = "%s";
constexpr unsigned char kCutAtClass = 0x80;

std::string Format(const char* format, const char* text, size_t length) {
  return ksformat::FormatWindows(format, ksformat::FormatArg::Text(text, length));
}

// The 8-bit code set printed text is labelled with: the default code set
// when it is an 8-bit one, else the native one.
unsigned char PrintCodeSet(unsigned char preferred) {
  if (preferred != 0 && WidthOf(preferred) == 1) return preferred;
  const unsigned char byDefault = KsLanguageContext::GetDefaultCodeSet();
  return WidthOf(byDefault) == 1 ? byDefault : KsLanguageContext::GetNativeCodeSet();
}

// The formatted bytes are units of codeSet in memory order: a 16-bit code
// set takes two of them per unit, and an odd byte left over by a width is
// dropped.
void AssignText(KsString& out, const std::string& text, unsigned char codeSet, unsigned char language) {
  const size_t units = text.size() / WidthOf(codeSet);
  out.AssignUnits(text.data(), static_cast<unsigned short>(units > 0xFFFF ? 0xFFFF : units), codeSet,
                  language, kMemoryFormat);
}

enum class KeyDirective { None, Plain, Accented, Description, Name };

// Finds the first of "%1M".."%4M" (searched in that order) and replaces it
// by "%s" in format.
KeyDirective TakeKeyDirective(std::string& format) {
  static constexpr KeyDirective kDirectives[] = {KeyDirective::Plain, KeyDirective::Accented,
                                                 KeyDirective::Description, KeyDirective::Name};
  for (int i = 0; i < 4; ++i) {
    const char directive[] = {'%', static_cast<char>('1' + i), 'M', '\0'};
    const size_t at = format.find(directive);
    if (at != std::string::npos) {
      format.replace(at, 3, "%s");
      return kDirectives[i];
    }
  }
  return KeyDirective::None;
}

// An order key prints order by order.
void PrintOrderKey(KsString& out, const KsString& key, const char* format) {
  std::string working = format;
  const KeyDirective directive = TakeKeyDirective(working);
  const unsigned char keyClass = key.Language();
  KsStringIterator it(const_cast<KsString&>(key));
  std::string text;
  if (directive == KeyDirective::Description || directive == KeyDirective::Name) {
    // A key cut at a script change keeps its own class: the mark is printed
    // once at the end.
    const unsigned char orderClass = keyClass & static_cast<unsigned char>(~kCutAtClass);
    for (unsigned short order = it.GetNextOrder(1); order != 0; order = it.GetNextOrder(1)) {
      if (directive == KeyDirective::Description) {
        KsString description;
        KsConvertOrderToString(order, orderClass, description);
        text += Format(working.c_str(), description.StrGet(), description.Len());
      } else {
        unsigned char ch = 0;
        const char* name = nullptr;
        KsConvertOrderToChar(order, orderClass, ch, 1, &name);
        const std::string shown =
            name != nullptr && *name != '\0' ? std::string(name) : std::string(1, char(ch));
        text += Format(working.c_str(), shown.data(), shown.size());
      }
    }
    if (directive == KeyDirective::Description && (keyClass & kCutAtClass) != 0) {
      text += Format(working.c_str(), "[MIX]", 5);
    }
    AssignText(out, text, PrintCodeSet(0), KsLanguageContext::GetDefaultLanguage());
    return;
  }
  std::string characters;
  const int accented = directive == KeyDirective::Plain ? 0 : 1;
  for (unsigned short order = it.GetNextOrder(1); order != 0; order = it.GetNextOrder(1)) {
    unsigned char ch = 0;
    KsConvertOrderToChar(order, keyClass, ch, accented, nullptr);
    characters += static_cast<char>(ch);
  }
  text = Format(working.c_str(), characters.data(), characters.size());
  if (directive == KeyDirective::Plain) {
    out = text.c_str();
    return;
  }
  // Code set 1 text, converted into the code set the result is printed in.
  KsString converted(KS_CODESET_WINDOWS_1252, KsLanguageContext::GetDefaultLanguage());
  AssignText(converted, text, KS_CODESET_WINDOWS_1252, KsLanguageContext::GetDefaultLanguage());
  KsString result(PrintCodeSet(out.CodeSet()), KsLanguageContext::GetDefaultLanguage());
  result += converted;
  out = result;
}

void TextOf(const KsString& value, KsString& text) {
  text = value;
}

void ValueOf(KsString& value, const KsString* text) {
  if (text == nullptr) {
    value = KsString::EmptyString();
    return;
  }
  value = *text;
}

}  // namespace

KsString& StringPrintToString(KsString& out, void* values, const char* format, unsigned) {
  const KsString& value = *static_cast<const KsString*>(values);
  if (value.IsNullValue()) {
    out = KsTypeMgr::GetNullPrintString();
    return out;
  }
  // An empty string prints as itself, whatever the format.
  if (value.IsEmpty()) {
    out = value;
    return out;
  }
  if (format == nullptr) format = kDefaultFormat;
  if (value.CodeSet() == kRawCodeSet) {
    PrintOrderKey(out, value, format);
    return out;
  }
  if (value.CodeSet() == kUnicodeCodeSet) {
    KsString narrowed(PrintCodeSet(0), value.Language());
    narrowed += value;
    AssignText(out, Format(format, narrowed.StrGet(), narrowed.Len()), narrowed.CodeSet(), value.Language());
    return out;
  }
  // A 16-bit text is formatted as its bytes, all of them.
  AssignText(out,
             ksformat::FormatWindowsReused(
                 format, ksformat::FormatArg::Text(value.StrGet(), size_t{value.Len()} * value.CharWidth())),
             value.CodeSet(), value.Language());
  return out;
}

// The null print string is recognised byte by byte: a case-insensitive
// default operator must not turn "{null}" into a null value.
void* StringScanFromString(void* values, KsString& in, const char*, unsigned) {
  if (values == nullptr) return nullptr;
  KsString& value = *static_cast<KsString*>(values);
  if (ks::BeginsWithNullPrintString(in)) {
    value.SetNullValue();
  } else {
    value = in;
  }
  return values;
}

KsTypeConvertData* StringConvertToKsString(void* values, unsigned count) {
  return ks::ClassToTexts<KsString, TextOf>(values, count);
}

void* StringConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::ClassFromTexts<KsString, ValueOf>(record, count);
}

void* StringDefaultValue(unsigned count, int asNull) {
  return ks::ClassDefaultValue<KsString, StringConvertFromKsString, true>(count, asNull);
}

}  // namespace ksstring
