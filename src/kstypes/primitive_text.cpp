#include "kstypes/primitive_text.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "format/double_text.h"
#include "format/windows_format.h"
#include "ksstring.h"
#include "kstypconv.h"
#include "kstypeids.h"
#include "kstypeconvert.h"
#include "kstypes/class_slots.h"
#include "kstypes/raw_value.h"

namespace ks {
namespace {

using ksformat::FormatArg;
using ksformat::FormatWindows;
using ksformat::ScanTarget;
using ksformat::ScanWindows;

constexpr char kDefaultFloatFormat[] = "%.17g";


void Assign(KsString& out, const std::string& text) { out = text.c_str(); }

// A format of the mantissa-and-exponent family: not a conversion, and
// beginning "ldex" (as in "ldexp(%.17g, %d)").
bool IsMantissaExponent(const char* format) {
  return format != nullptr && format[0] != '%' && std::strncmp(format, "ldex", 4) == 0;
}

bool IsDefaultFloatFormat(const char* format) {
  return format != nullptr && std::strcmp(format, kDefaultFloatFormat) == 0;
}

// Printable in the classic character classification.
bool IsPrintable(unsigned char byte) { return byte >= 0x20 && byte < 0x7F; }

// The text of in as 8-bit characters; a 16-bit string is converted first.
// Returns a pointer into in or into holder.
const char* ScanText(KsString& in, KsString& holder) {
  if (in.CodeSet() <= 224) return in.StrGet();
  holder += in;
  return holder.StrGet();
}

template <class T>
void* ScanInteger(void* values, KsString& in, const char* format, ScanTarget::Kind kind) {
  if (values == nullptr) return nullptr;
  KsString holder;
  const auto result = ScanWindows(ScanText(in, holder), format, {kind, int{8 * sizeof(T)}});
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
    const auto result = ScanWindows(text, format, {ScanTarget::Kind::Floating, 64});
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
// Conversion records

using StringSlots = ClassSlots<KsString>;

// A record of count texts, text i made from value i.
template <class T, class Text>
KsTypeConvertData* ToTexts(void* values, unsigned count, Text text) {
  auto* strings = static_cast<KsString*>(StringSlots::Create(count));
  if (strings == nullptr) return nullptr;
  for (unsigned i = 0; i < count; ++i) {
    strings[i] += text(ReadRaw<T>(static_cast<const unsigned char*>(values) + size_t{i} * sizeof(T)));
  }
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, count, strings, nullptr);
  if (record == nullptr) StringSlots::Delete(strings, count);
  return record;
}

// A new array of count values, value i read from text i of the record; a
// missing or null text reads as an empty one.
template <class T, class Value>
void* FromTexts(KsTypeConvertData* record, unsigned count, Value value) {
  const size_t n = count ? count : 1;
  auto* values = static_cast<T*>(std::calloc(n, sizeof(T)));
  if (values == nullptr) {
    KsCallMemoryHandler(static_cast<unsigned>(n * sizeof(T)));
    return nullptr;
  }
  const KsString empty;
  for (unsigned i = 0; i < count; ++i) {
    const KsString* text = record != nullptr ? record->GetString(static_cast<int>(i)) : nullptr;
    if (text == nullptr || text->IsNullValue()) text = &empty;
    values[i] = value(*text);
  }
  return values;
}

// The double conversion, cut toward zero to a 64-bit integer whose low 32
// bits are kept. Values without a 64-bit integer give the integer
// indefinite (the minimum, whose low word is 0), as the conversion
// instruction does.
uint32_t LowWordOfDouble(double d) {
  if (!(d >= -9223372036854775808.0 && d < 9223372036854775808.0)) return 0;
  return static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(d)));
}

template <KsConvertFromKsStringFunc convert>
void* DefaultFromEmptyText(unsigned count, int) {
  auto* strings = static_cast<KsString*>(StringSlots::Create(count));
  if (strings == nullptr) return nullptr;
  KsTypeConvertData* record = KsTypeConvertData::Make(KsSTRING_T, count, strings, nullptr);
  void* values = record != nullptr ? convert(record, count) : nullptr;
  delete record;  // no manager: the strings stay ours
  StringSlots::Delete(strings, count);
  return values;
}

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
  Assign(out, FormatWindows(format, FormatArg::Signed(ReadRaw<int16_t>(values))));
  return out;
}

KsString& LongPrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, FormatWindows(format, FormatArg::Signed(ReadRaw<int32_t>(values))));
  return out;
}

KsString& O_8BPrintToString(KsString& out, void* values, const char* format, unsigned) {
  Assign(out, FormatWindows(format, FormatArg::Signed(ReadRaw<int64_t>(values))));
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
    auto hex = ScanWindows(text, "0x%x", {ScanTarget::Kind::Unsigned, 32});
    if (hex.assigned) {
      bytes[i] = static_cast<unsigned char>(hex.integer);
      continue;
    }
    auto one = ScanWindows(text, format, {ScanTarget::Kind::Unsigned, 8});
    if (one.assigned) bytes[i] = static_cast<unsigned char>(one.integer);
  }
  return values;
}

void* ShortScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int16_t>(values, in, format, ScanTarget::Kind::Signed);
}

void* LongScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int32_t>(values, in, format, ScanTarget::Kind::Signed);
}

void* O_8BScanFromString(void* values, KsString& in, const char* format, unsigned) {
  return ScanInteger<int64_t>(values, in, format, ScanTarget::Kind::Signed);
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
    const auto result = ScanWindows(text, format, {ScanTarget::Kind::Floating, 32});
    if (result.assigned) WriteRaw(values, static_cast<float>(result.floating));
  }
  return values;
}

// ---------------------------------------------------------------------------
// Conversion records

KsTypeConvertData* LongConvertToKsString(void* values, unsigned count) {
  return ToTexts<int32_t>(values, count, [](int32_t v) { return KsString(static_cast<int>(v)); });
}
void* LongConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<int32_t>(record, count, [](const KsString& s) { return static_cast<int32_t>(int(s)); });
}

KsTypeConvertData* DwordConvertToKsString(void* values, unsigned count) {
  return ToTexts<uint32_t>(values, count, [](uint32_t v) { return KsString(static_cast<double>(v)); });
}
void* DwordConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<uint32_t>(record, count, [](const KsString& s) { return LowWordOfDouble(double(s)); });
}

KsTypeConvertData* DoubleConvertToKsString(void* values, unsigned count) {
  return ToTexts<double>(values, count, [](double v) { return KsString(v); });
}
void* DoubleConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<double>(record, count, [](const KsString& s) { return double(s); });
}

KsTypeConvertData* FloatConvertToKsString(void* values, unsigned count) {
  return ToTexts<float>(values, count, [](float v) { return KsString(static_cast<double>(v)); });
}
void* FloatConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<float>(record, count, [](const KsString& s) { return static_cast<float>(double(s)); });
}

KsTypeConvertData* O_8BConvertToKsString(void* values, unsigned count) {
  return ToTexts<int64_t>(values, count, [](int64_t v) { return KsString(static_cast<long long>(v)); });
}
void* O_8BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<int64_t>(record, count, [](const KsString& s) { return static_cast<int64_t>((long long)s); });
}

KsTypeConvertData* O_U8BConvertToKsString(void* values, unsigned count) {
  return ToTexts<uint64_t>(values, count,
                           [](uint64_t v) { return KsString(static_cast<unsigned long long>(v)); });
}
void* O_U8BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return FromTexts<uint64_t>(record, count,
                             [](const KsString& s) { return static_cast<uint64_t>((long long)s); });
}

void* CharDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<CharConvertFromKsString>(count, asNull);
}
void* ShortDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<ShortConvertFromKsString>(count, asNull);
}
void* LongDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<LongConvertFromKsString>(count, asNull);
}
void* DwordDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<DwordConvertFromKsString>(count, asNull);
}
void* DoubleDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<DoubleConvertFromKsString>(count, asNull);
}
void* FloatDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<FloatConvertFromKsString>(count, asNull);
}
void* O_8BDefaultValue(unsigned count, int asNull) {
  return DefaultFromEmptyText<O_8BConvertFromKsString>(count, asNull);
}

}  // namespace ks

// ---------------------------------------------------------------------------
// The exported converters

KsTypeConvertData* CharConvertToKsString(void* values, unsigned count) {
  // The number, not the character: 65 gives "65".
  return ks::ToTexts<int8_t>(values, count, [](int8_t v) { return KsString(static_cast<short>(v)); });
}
void* CharConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::FromTexts<int8_t>(record, count, [](const KsString& s) { return static_cast<int8_t>(short(s)); });
}

KsTypeConvertData* O_U1BConvertToKsString(void* values, unsigned count) {
  return ks::ToTexts<uint8_t>(values, count, [](uint8_t v) { return KsString(static_cast<unsigned>(v)); });
}
void* O_U1BConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::FromTexts<uint8_t>(record, count, [](const KsString& s) { return static_cast<uint8_t>(int(s)); });
}

KsTypeConvertData* ShortConvertToKsString(void* values, unsigned count) {
  return ks::ToTexts<int16_t>(values, count, [](int16_t v) { return KsString(static_cast<short>(v)); });
}
void* ShortConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::FromTexts<int16_t>(record, count, [](const KsString& s) { return static_cast<int16_t>(short(s)); });
}

KsTypeConvertData* WordConvertToKsString(void* values, unsigned count) {
  return ks::ToTexts<uint16_t>(values, count, [](uint16_t v) { return KsString(static_cast<unsigned>(v)); });
}
void* WordConvertFromKsString(KsTypeConvertData* record, unsigned count) {
  return ks::FromTexts<uint16_t>(record, count, [](const KsString& s) { return static_cast<uint16_t>(int(s)); });
}
