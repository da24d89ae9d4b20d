#include "kstypes/primitive_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "format/double_text.h"
#include "format/windows_format.h"
#include "ksstring.h"
#include "ksstring/printed_text.h"
#include "kstypconv.h"
#include "kstypeconvert.h"
#include "kstypeids.h"
#include "kstypes/class_text_records.h"
#include "kstypes/primitive_storage.h"
#include "kstypes/raw_value.h"

namespace ks {
namespace {

using ksformat::FormatArg;
using ksformat::FormatWindows;
using ksformat::FormatWindowsReused;
using ksformat::ScanInto;
using ksformat::ScanWindows;

constexpr char kDefaultFloatFormat[] = "%.17g";

void Assign(KsString& out, const std::string& text) {
  ksstring::AssignPrintedText(out, text);
}

// A format of the mantissa-and-exponent family: not a conversion, and
// beginning "ldex" (as in "ldexp(%.17g, %d)").
bool IsMantissaExponent(const char* format) {
  return format != nullptr && format[0] != '%' && std::strncmp(format, "ldex", 4) == 0;
}

bool IsDefaultFloatFormat(const char* format) {
  return format != nullptr && std::strcmp(format, kDefaultFloatFormat) == 0;
}

// Printable in the classic character classification.
bool IsPrintable(unsigned char byte) {
  return byte >= 0x20 && byte < 0x7F;
}

// The text of in as 8-bit characters; a 16-bit string is converted first.
const char* ScanText(KsString& in, KsString& holder) {
  return EightBitText(in, holder).StrGet();
}

template <class T>
void* ScanInteger(void* values, KsString& in, const char* format) {
  if (values == nullptr) return nullptr;
  KsString holder;
  const auto result = ScanWindows(ScanText(in, holder), format, ScanInto::Integer);
  if (result.assigned) WriteRaw(values, static_cast<T>(result.integer));
  return values;
}

// The double scan: the mantissa-and-exponent family, any other format by the
// scanf rules, or the default form (strtod with the special texts).
bool ScanDouble(const char* text, const char* format, double& value) {
  if (IsMantissaExponent(format)) {
    double mantissa = 0;
    int exponent = 0;
    if (ksformat::ScanWindowsMantissaExponent(text, format, mantissa, exponent) < 1) return false;
    value = std::ldexp(mantissa, exponent);
    return true;
  }
  if (!IsDefaultFloatFormat(format)) {
    const auto result = ScanWindows(text, format, ScanInto::Floating);
    if (result.assigned) value = result.floating;
    return result.assigned;
  }
  value = ksformat::ScanDoubleText(text);
  return true;
}

std::string PrintDouble(double value, const char* format) {
  if (IsMantissaExponent(format)) {
    int exponent = 0;
    const double mantissa = std::frexp(value, &exponent);
    const FormatArg args[] = {FormatArg::Floating(mantissa), FormatArg::Signed(exponent)};
    return FormatWindows(format, args, 2);
  }
  if (IsDefaultFloatFormat(format)) {
    char text[ksformat::kDoubleTextSize];
    const size_t length = ksformat::PrintDoubleText(value, text);
    return std::string(text, length);
  }
  return FormatWindows(format, FormatArg::Floating(value));
}

// ---------------------------------------------------------------------------
// Conversion records: each primitive value travels as the text of the
// KsString made from it through `Via`, and comes back through the KsString
// conversion to `Via` (a missing or null text reads as an empty one).

template <class T, class Via>
void TextVia(const T& value, KsString& text) {
  text += KsString(static_cast<Via>(value));
}

template <class T, class Via>
void ValueVia(T& value, const KsString* text) {
  static const KsString empty;
  value = static_cast<T>(static_cast<Via>(text != nullptr ? *text : empty));
}

// The double conversion, cut toward zero to a 64-bit integer whose low 32
// bits are kept. Values without a 64-bit integer give the integer
// indefinite (the minimum, whose low word is 0), as the conversion
// instruction does.
void LowWordOfDouble(uint32_t& value, const KsString* text) {
  double d = 0;
  ValueVia<double, double>(d, text);
  value = d >= -9223372036854775808.0 && d < 9223372036854775808.0
              ? static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(d)))
              : 0;
}

// Prints through the KsString constructor of PrintAs, reads back through
// the conversion to ReadAs.
template <class T, class PrintAs, class ReadAs, KsCreateFunc create>
struct TextRecords {
  static KsTypeConvertData* To(void* values, unsigned count) {
    return ClassToTexts<T, TextVia<T, PrintAs>>(values, count);
  }
  static void* From(KsTypeConvertData* record, unsigned count) {
    return ClassFromTexts<T, ValueVia<T, ReadAs>, create>(record, count);
  }
};

using CharRecords = TextRecords<int8_t, short, short, CharSlots::Create>;
using O_U1BRecords = TextRecords<uint8_t, unsigned, int, CharSlots::Create>;
using ShortRecords = TextRecords<int16_t, short, short, ShortSlots::Create>;
using WordRecords = TextRecords<uint16_t, unsigned, int, ShortSlots::Create>;
using LongRecords = TextRecords<int32_t, int, int, LongSlots::Create>;
using DoubleRecords = TextRecords<double, double, double, DoubleSlots::Create>;
using FloatRecords = TextRecords<float, double, double, FloatSlots::Create>;
using O_8BRecords = TextRecords<int64_t, long long, long long, O_8BSlots::Create>;
using O_U8BRecords = TextRecords<uint64_t, unsigned long long, long long, O_8BSlots::Create>;

}  // namespace

// ---------------------------------------------------------------------------
// Printing

KsString& CharPrintToString(KsString& out, void* values, const char* format, unsigned count) {
  std::string text;
  const auto* bytes = static_cast<const unsigned char*>(values);
  for (unsigned i = 0; i < count; ++i) {
    const FormatArg byte = FormatArg::Unsigned(bytes[i]);
    text += IsPrintable(bytes[i]) ? FormatWindows(format, byte) : FormatWindows("0x%02x", byte);
  }
  Assign(out, text);
  return out;
}

KsString& ShortPrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, FormatWindowsReused(format, FormatArg::Signed(ReadRaw<int16_t>(values))));
  return out;
}

KsString& LongPrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, FormatWindowsReused(format, FormatArg::Signed(ReadRaw<int32_t>(values))));
  return out;
}

KsString& O_8BPrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, FormatWindowsReused(format, FormatArg::Signed(ReadRaw<int64_t>(values))));
  return out;
}

KsString& DoublePrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, PrintDouble(ReadRaw<double>(values), format));
  return out;
}

KsString& FloatPrintToString(KsString& out, void* values, const char* format, unsigned) {
  const double widened = ReadRaw<float>(values);
  if (IsMantissaExponent(format) || IsDefaultFloatFormat(format)) {
    Assign(out, PrintDouble(widened, format));
  } else {
    Assign(out, FormatWindows(format, FormatArg::Floating(widened)));
  }
  return out;
}

// ---------------------------------------------------------------------------
// Scanning

void* CharScanFromString(void* values, KsString& in, const char* format, unsigned count) {
  if (values == nullptr) return nullptr;
  KsString holder;
  const char* text = ScanText(in, holder);
  auto* bytes = static_cast<unsigned char*>(values);
  // Each element starts one character further on, so a hexadecimal input
  // fills one element and the next ones read from inside it.
  for (unsigned i = 0; i < count && *text != '\0'; ++i, ++text) {
    auto hex = ScanWindows(text, "0x%x", ScanInto::Integer);
    if (hex.assigned) {
      bytes[i] = static_cast<unsigned char>(hex.integer);
      continue;
    }
    auto one = ScanWindows(text, format, ScanInto::Integer);
    if (one.assigned) bytes[i] = static_cast<unsigned char>(one.integer);
  }
  return values;
}

void* ShortScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int16_t>(values, in, format);
}

void* LongScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int32_t>(values, in, format);
}

void* O_8BScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int64_t>(values, in, format);
}

void* DoubleScanFromString(void* values, KsString& in, const char* format, unsigned) {
  if (values == nullptr) return nullptr;
  KsString holder;
  double value = 0;
  if (ScanDouble(ScanText(in, holder), format, value)) WriteRaw(values, value);
  return values;
}

void* FloatScanFromString(void* values, KsString& in, const char* format, unsigned) {
  if (values == nullptr) return nullptr;
  KsString holder;
  const char* text = ScanText(in, holder);
  if (IsMantissaExponent(format) || IsDefaultFloatFormat(format)) {
    double value = 0;
    if (ScanDouble(text, format, value)) WriteRaw(values, static_cast<float>(value));
  } else {
    const auto result = ScanWindows(text, format, ScanInto::Floating);
    if (result.assigned) WriteRaw(values, static_cast<float>(result.floating));
  }
  return values;
}

// ---------------------------------------------------------------------------
// Conversion records

KsTypeConvertData* LongConvertToKsString(void* values, unsigned count) {
  return LongRecords::To(values, count);
}
void* LongConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return LongRecords::From(record, count);
}

KsTypeConvertData* DwordConvertToKsString(void* values, unsigned count) {
  return ClassToTexts<uint32_t, TextVia<uint32_t, double>>(values, count);
}
void* DwordConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ClassFromTexts<uint32_t, LowWordOfDouble, LongSlots::Create>(record, count);
}

KsTypeConvertData* DoubleConvertToKsString(void* values, unsigned count) {
  return DoubleRecords::To(values, count);
}
void* DoubleConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return DoubleRecords::From(record, count);
}

KsTypeConvertData* FloatConvertToKsString(void* values, unsigned count) {
  return FloatRecords::To(values, count);
}
void* FloatConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FloatRecords::From(record, count);
}

KsTypeConvertData* O_8BConvertToKsString(void* values, unsigned count) {
  return O_8BRecords::To(values, count);
}
void* O_8BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return O_8BRecords::From(record, count);
}

KsTypeConvertData* O_U8BConvertToKsString(void* values, unsigned count) {
  return O_U8BRecords::To(values, count);
}
void* O_U8BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return O_U8BRecords::From(record, count);
}

void* CharDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<CharConvertFromKsString>(count);
}
void* ShortDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<ShortConvertFromKsString>(count);
}
void* LongDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<LongConvertFromKsString>(count);
}
void* DwordDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<DwordConvertFromKsString>(count);
}
void* DoubleDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<DoubleConvertFromKsString>(count);
}
void* FloatDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<FloatConvertFromKsString>(count);
}
void* O_8BDefaultValue(unsigned count, int) {
  return ValuesOfEmptyTexts<O_8BConvertFromKsString>(count);
}

}  // namespace ks

// ---------------------------------------------------------------------------
// The exported converters

KsTypeConvertData* CharConvertToKsString(void* values, unsigned count) {
  // The number, not the character: 65 gives "65".
  return ks::CharRecords::To(values, count);
}
void* CharConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::CharRecords::From(record, count);
}
KsTypeConvertData* O_U1BConvertToKsString(void* values, unsigned count) {
  return ks::O_U1BRecords::To(values, count);
}
void* O_U1BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::O_U1BRecords::From(record, count);
}
KsTypeConvertData* ShortConvertToKsString(void* values, unsigned count) {
  return ks::ShortRecords::To(values, count);
}
void* ShortConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::ShortRecords::From(record, count);
}
KsTypeConvertData* WordConvertToKsString(void* values, unsigned count) {
  return ks::WordRecords::To(values, count);
}
void* WordConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::WordRecords::From(record, count);
}
