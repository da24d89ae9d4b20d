#include "utf8_text.h"

#include <cstring>
#include <vector>

namespace kstm {
namespace {

constexpr unsigned char kUnicodeCodeSet = 253;
constexpr unsigned char kRawUnitsCodeSet = 254;  // units printed as they are
constexpr unsigned short kReplacement = 0xFFFD;

// Decodes one sequence at text[i]; returns its length, 0 when invalid
// (overlong, surrogate, truncated, beyond U+FFFF or a zero byte).
size_t DecodeOne(const unsigned char* text, size_t size, size_t i, unsigned short& unit) {
  const unsigned char lead = text[i];
  if (lead == 0) return 0;
  if (lead < 0x80) {
    unit = lead;
    return 1;
  }
  size_t length;
  unsigned value;
  unsigned smallest;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, value = lead & 0x1F, smallest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, value = lead & 0x0F, smallest = 0x800;
  } else {
    return 0;  // continuation byte, or a character beyond the 16-bit range
  }
  if (size - i < length) return 0;
  for (size_t k = 1; k < length; ++k) {
    const unsigned char next = text[i + k];
    if ((next & 0xC0) != 0x80) return 0;
    value = value << 6 | (next & 0x3F);
  }
  if (value < smallest || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  unit = static_cast<unsigned short>(value);
  return length;
}

void AppendUtf8(std::string& out, unsigned unit) {
  if (unit >= 0xD800 && unit <= 0xDFFF) unit = kReplacement;
  if (unit < 0x80) {
    out += static_cast<char>(unit);
  } else if (unit < 0x800) {
    out += static_cast<char>(0xC0 | unit >> 6);
    out += static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | unit >> 12);
    out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (unit & 0x3F));
  }
}

bool SameUnits(const KsString& a, const KsString& b) {
  return a.Len() == b.Len() && std::memcmp(a.StrGet(), b.StrGet(), size_t{a.Len()} * a.CharWidth()) == 0;
}

}  // namespace

bool Utf8ToKsString(const char* text, size_t size, KsString& out, size_t& badOffset) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t ascii = 0;
  while (ascii < size && bytes[ascii] != 0 && bytes[ascii] < 0x80) ++ascii;
  if (ascii == size) {
    // Longer texts are cut by the string itself at its maximum size.
    out = KsString(
        text, static_cast<unsigned short>(size < KsString::kMaxByteSize ? size : KsString::kMaxByteSize));
    return true;
  }
  std::vector<unsigned short> units(bytes, bytes + ascii);
  for (size_t i = ascii; i < size;) {
    unsigned short unit = 0;
    const size_t length = DecodeOne(bytes, size, i, unit);
    if (length == 0) {
      badOffset = i;
      return false;
    }
    units.push_back(unit);
    i += length;
  }
  const size_t maxUnits = KsString::kMaxByteSize / 2 - 1;
  if (units.size() > maxUnits) units.resize(maxUnits);
  KsString wide(kUnicodeCodeSet, KsString::GetDefaultLanguage());
  wide.AssignUnits(units.data(), static_cast<unsigned short>(units.size()), kUnicodeCodeSet,
                   KsString::GetDefaultLanguage(), 8);
  // Prefer the default 8-bit code set when it holds every character.
  KsString narrow(wide);
  narrow.MapToCodeSet(KsString::GetDefault8CodeSet());
  KsString back(narrow);
  back.MapToCodeSet(kUnicodeCodeSet);
  out = SameUnits(back, wide) ? narrow : wide;
  return true;
}

std::string KsStringToUtf8(const KsString& s) {
  const unsigned short count = s.Len();
  const auto* bytes = reinterpret_cast<const unsigned char*>(s.StrGet());
  std::string out;
  if (s.CharWidth() == 1) {
    size_t ascii = 0;
    while (ascii < count && bytes[ascii] < 0x80) ++ascii;
    if (ascii == count) return std::string(s.StrGet(), count);
    KsString wide(s);
    wide.MapToCodeSet(kUnicodeCodeSet);
    return KsStringToUtf8(wide);
  }
  if (s.CodeSet() != kUnicodeCodeSet && s.CodeSet() != kRawUnitsCodeSet) {
    KsString unicode(s);
    unicode.MapToCodeSet(kUnicodeCodeSet);
    return KsStringToUtf8(unicode);
  }
  out.reserve(count * 3u);
  for (unsigned short i = 0; i < count; ++i) {
    unsigned short unit;
    std::memcpy(&unit, bytes + 2 * i, 2);
    AppendUtf8(out, unit);
  }
  return out;
}

std::string PadToWidth(const std::string& text, size_t width) {
  size_t characters = 0;
  for (char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++characters;
  }
  return characters >= width ? text : text + std::string(width - characters, ' ');
}

}  // namespace kstm
