#include "format/windows_format.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace ksformat {
namespace {

enum class Family { Integer, Character, Floating, Memory, Literal };

// One "%..." conversion of a format, as parsed.
struct Conversion {
  size_t begin = 0;         // at '%'
  size_t end = 0;           // one past the conversion character (or set)
  bool suppressed = false;  // scanf's '*'
  bool starWidth = false;   // printf's '*' width or precision
  std::string flags, width, precision;
  int bits = 32;  // integer width named by the length modifier
  bool longDouble = false;
  char conversion = 0;
  std::string set;  // scanf's [...] including brackets

  Family family() const {
    switch (conversion) {
      case 'd':
      case 'i':
      case 'o':
      case 'u':
      case 'x':
      case 'X':
        return Family::Integer;
      case 'c':
        return Family::Character;
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        return Family::Floating;
      case 's':
      case 'S':
      case 'p':
      case 'n':
      case '[':
        return Family::Memory;
      default:
        return Family::Literal;
    }
  }
  bool isSigned() const { return conversion == 'd' || conversion == 'i'; }

  // Field widths and precisions beyond this are hostile rather than
  // useful: they would make one value print megabytes of padding.
  static constexpr size_t kMaxFieldDigits = 4;  // up to 9999
  bool bounded() const { return width.size() <= kMaxFieldDigits && precision.size() <= kMaxFieldDigits + 1; }
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Parses the conversion that starts at format[i] == '%' (not "%%").
Conversion Parse(const char* format, size_t i) {
  Conversion c;
  c.begin = i++;
  if (format[i] == '*') {
    c.suppressed = true;
    ++i;
  }
  while (std::strchr("-+ #0'", format[i]) != nullptr && format[i] != '\0') c.flags += format[i++];
  if (format[i] == '*') {
    c.starWidth = true;
    ++i;
  }
  while (IsDigit(format[i])) c.width += format[i++];
  if (format[i] == '.') {
    c.precision += format[i++];
    if (format[i] == '*') {
      c.starWidth = true;
      ++i;
    }
    while (IsDigit(format[i])) c.precision += format[i++];
  }
  // Length modifiers, in both dialects.
  if (std::strncmp(format + i, "I64", 3) == 0) {
    c.bits = 64;
    i += 3;
  } else if (std::strncmp(format + i, "I32", 3) == 0) {
    c.bits = 32;
    i += 3;
  } else if (std::strncmp(format + i, "hh", 2) == 0) {
    c.bits = 8;
    i += 2;
  } else if (std::strncmp(format + i, "ll", 2) == 0) {
    c.bits = 64;
    i += 2;
  } else if (format[i] == 'h') {
    c.bits = 16;
    ++i;
  } else if (format[i] == 'l') {
    c.bits = 32;  // long is 32 bits in this dialect
    ++i;
  } else if (format[i] == 'q' || format[i] == 'j' || format[i] == 'z' || format[i] == 't') {
    c.bits = 64;
    ++i;
  } else if (format[i] == 'L') {
    c.longDouble = true;
    ++i;
  }
  c.conversion = format[i];
  if (c.conversion == '\0') {
    c.end = i;
    return c;
  }
  ++i;
  if (c.conversion == '[') {
    // A scan set runs to the next ']' that is not its first member.
    size_t j = i;
    if (format[j] == '^') ++j;
    if (format[j] == ']') ++j;
    while (format[j] != '\0' && format[j] != ']') ++j;
    if (format[j] == ']') ++j;
    c.set.assign(format + c.begin, format + j);
    i = j;
  }
  c.end = i;
  return c;
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  char small[128];
  const int needed = std::vsnprintf(small, sizeof small, format, args);
  va_end(args);
  std::string text;
  if (needed < 0) {
    va_end(copy);
    return text;
  }
  if (static_cast<size_t>(needed) < sizeof small) {
    text.assign(small, static_cast<size_t>(needed));
  } else {
    text.resize(static_cast<size_t>(needed) + 1);
    std::vsnprintf(text.data(), text.size(), format, copy);
    text.resize(static_cast<size_t>(needed));
  }
  va_end(copy);
  return text;
}

long long CutSigned(long long v, int bits) {
  switch (bits) {
    case 8:
      return static_cast<int8_t>(v);
    case 16:
      return static_cast<int16_t>(v);
    case 32:
      return static_cast<int32_t>(v);
    default:
      return v;
  }
}

unsigned long long CutUnsigned(unsigned long long v, int bits) {
  return bits >= 64 ? v : v & ((1ull << bits) - 1);
}

long long IntegerOf(const FormatArg& arg) {
  if (arg.kind != FormatArg::Kind::Floating) return arg.integer;
  // Out-of-range doubles have no integer; keep the conversion defined.
  if (!(arg.floating > -9.2e18 && arg.floating < 9.2e18)) return 0;
  return static_cast<long long>(arg.floating);
}

double FloatingOf(const FormatArg& arg) {
  switch (arg.kind) {
    case FormatArg::Kind::Floating:
      return arg.floating;
    case FormatArg::Kind::Signed:
      return static_cast<double>(arg.integer);
    default:
      return static_cast<double>(static_cast<unsigned long long>(arg.integer));
  }
}

// Plain integer conversions (no flags, width or precision) are the common
// case of every default format; they are written without the C library.
bool FormatPlainInteger(const Conversion& c, const FormatArg& arg, std::string& text) {
  if (!c.flags.empty() || !c.width.empty() || !c.precision.empty()) return false;
  int base = 10;
  switch (c.conversion) {
    case 'd':
    case 'i':
    case 'u':
      break;
    case 'x':
    case 'X':
      base = 16;
      break;
    case 'o':
      base = 8;
      break;
    default:
      return false;
  }
  char buffer[24];
  const long long v = IntegerOf(arg);
  const auto [end, ec] = c.isSigned()
                             ? std::to_chars(buffer, buffer + sizeof buffer, CutSigned(v, c.bits), base)
                             : std::to_chars(buffer, buffer + sizeof buffer,
                                             CutUnsigned(static_cast<unsigned long long>(v), c.bits), base);
  if (ec != std::errc()) return false;
  if (c.conversion == 'X') {
    for (char* p = buffer; p != end; ++p)
      *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
  }
  text.append(buffer, end);
  return true;
}

std::string FormatOne(const Conversion& c, const FormatArg& arg) {
  std::string rewritten = "%" + c.flags + c.width + c.precision;
  switch (c.family()) {
    case Family::Integer: {
      rewritten += "ll";
      rewritten += c.conversion;
      const long long v = IntegerOf(arg);
      if (c.isSigned()) return Printf(rewritten.c_str(), CutSigned(v, c.bits));
      return Printf(rewritten.c_str(), CutUnsigned(static_cast<unsigned long long>(v), c.bits));
    }
    case Family::Character:
      rewritten += 'c';
      return Printf(rewritten.c_str(), static_cast<int>(static_cast<unsigned char>(IntegerOf(arg))));
    case Family::Floating:
      rewritten += c.conversion;
      return Printf(rewritten.c_str(), FloatingOf(arg));
    default:
      return {};
  }
}

// "%s" of a text argument: the precision cuts it, the width pads it (on the
// right with the '-' flag).
void FormatText(const Conversion& c, const FormatArg& arg, std::string& text) {
  size_t length = arg.length;
  if (c.precision.size() > 1)
    length = std::min<size_t>(length, std::strtoul(c.precision.c_str() + 1, nullptr, 10));
  if (c.precision == ".") length = 0;
  const size_t width = c.width.empty() ? 0 : std::strtoul(c.width.c_str(), nullptr, 10);
  const size_t padding = width > length ? width - length : 0;
  const bool left = c.flags.find('-') != std::string::npos;
  if (!left) text.append(padding, ' ');
  text.append(arg.text != nullptr ? arg.text : "", arg.text != nullptr ? length : 0);
  if (left) text.append(padding, ' ');
}

}  // namespace

std::string FormatWindows(const char* format, const FormatArg* args, int argCount) {
  std::string text;
  FormatWindowsInto(text, format, args, argCount);
  return text;
}

const std::string& FormatWindowsReused(const char* format, FormatArg arg) {
  thread_local std::string text;
  FormatWindowsInto(text, format, &arg, 1);
  return text;
}

void FormatWindowsInto(std::string& text, const char* format, const FormatArg* args, int argCount) {
  text.clear();
  if (format == nullptr) return;
  int next = 0;
  size_t i = 0;
  while (format[i] != '\0') {
    if (format[i] != '%') {
      const char* percent = std::strchr(format + i, '%');
      const size_t stop = percent != nullptr ? static_cast<size_t>(percent - format) : std::strlen(format);
      text.append(format + i, stop - i);
      i = stop;
      continue;
    }
    if (format[i + 1] == '%') {
      text += '%';
      i += 2;
      continue;
    }
    const Conversion c = Parse(format, i);
    const Family family = c.family();
    const bool formats =
        !c.starWidth && !c.suppressed && c.bounded() && next < argCount &&
        (family == Family::Integer || family == Family::Character || family == Family::Floating);
    const bool formatsText = !c.starWidth && !c.suppressed && c.bounded() && next < argCount &&
                             c.conversion == 's' && args[next].kind == FormatArg::Kind::Text;
    if (formatsText) {
      FormatText(c, args[next++], text);
    } else if (formats) {
      const FormatArg& arg = args[next++];
      if (!FormatPlainInteger(c, arg, text)) text += FormatOne(c, arg);
    } else {
      text.append(format + c.begin, c.end - c.begin);
    }
    i = c.end;
  }
}

namespace {

// Rewrites a scanf format for the C library: every conversion that
// `assign` accepts (it returns true) keeps its width and gets the length
// modifier of its family's widest type (long long, double) or, for %c, reads
// one character; every other conversion is matched but suppressed ('*'),
// "%n" is dropped, and a trailing '%' or an unknown conversion ends the
// format.
template <class Assign>
std::string RewriteScan(const char* format, Assign assign) {
  std::string out;
  size_t i = 0;
  while (format[i] != '\0') {
    if (format[i] != '%') {
      out += format[i++];
      continue;
    }
    if (format[i + 1] == '%') {
      out += "%%";
      i += 2;
      continue;
    }
    const Conversion c = Parse(format, i);
    i = c.end;
    // A conversion the C library does not define would be undefined
    // behaviour there; scanning stops at it as at a mismatch.
    if (c.conversion == '\0' || c.family() == Family::Literal) break;
    if (c.conversion == 'n') continue;
    if (!c.suppressed && assign(c)) {
      switch (c.family()) {
        case Family::Integer:
          out += "%" + c.width + "ll" + c.conversion;
          break;
        case Family::Floating:
          out += "%" + c.width + "l" + c.conversion;
          break;
        default:
          out += "%c";
          break;  // a wide %c would write several bytes
      }
    } else {
      out += "%*" + c.width;
      out += c.set.empty() ? std::string(1, c.conversion) : c.set.substr(c.set.find('['));
    }
  }
  return out;
}

}  // namespace

namespace {

bool IsSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The common formats, literal text followed by one plain integer conversion
// ("%ld", "#%lu", "%I64d"), read without the C library's scanf: the same
// matching rules, the same strtoll/strtoull conversion. Returns false when
// the format is not of that shape, so that the general path decides.
bool ScanPlainInteger(const char* text, const char* format, ScanInto target, ScanResult& result) {
  size_t i = 0;
  const char* in = text;
  while (format[i] != '\0' && format[i] != '%') {
    if (IsSpace(format[i])) {
      while (IsSpace(*in)) ++in;
    } else if (*in++ != format[i]) {
      return true;  // a literal does not match: nothing is assigned
    }
    ++i;
  }
  if (format[i] != '%') return false;
  const Conversion c = Parse(format, i);
  if (c.suppressed || !c.width.empty() || c.family() != Family::Integer || format[c.end] != '\0')
    return false;
  const int base = c.conversion == 'x' || c.conversion == 'X' ? 16
                   : c.conversion == 'o'                      ? 8
                   : c.conversion == 'i'                      ? 0
                                                              : 10;
  while (IsSpace(*in)) ++in;
  char* end = nullptr;
  errno = 0;
  unsigned long long raw = c.isSigned() ? static_cast<unsigned long long>(std::strtoll(in, &end, base))
                                        : std::strtoull(in, &end, base);
  if (end == in) return true;
  const unsigned long long cut =
      c.isSigned() ? static_cast<unsigned long long>(CutSigned(static_cast<long long>(raw), c.bits))
                   : CutUnsigned(raw, c.bits);
  result.assigned = true;
  if (target == ScanInto::Floating) {
    result.floating =
        c.isSigned() ? static_cast<double>(static_cast<long long>(cut)) : static_cast<double>(cut);
  } else {
    result.integer = static_cast<long long>(cut);
  }
  return true;
}

}  // namespace

ScanResult ScanWindows(const char* text, const char* format, ScanInto target) {
  ScanResult result{false, 0, 0.0};
  if (text == nullptr || format == nullptr) return result;
  if (ScanPlainInteger(text, format, target, result)) return result;
  // The first numeric or character conversion assigns.
  Conversion c;
  const std::string rewritten = RewriteScan(format, [&c](const Conversion& candidate) {
    const Family family = candidate.family();
    if (c.conversion != 0 ||
        (family != Family::Integer && family != Family::Floating && family != Family::Character)) {
      return false;
    }
    c = candidate;
    return true;
  });
  if (c.conversion == 0) return result;
  switch (c.family()) {
    case Family::Integer: {
      unsigned long long raw = 0;
      if (std::sscanf(text, rewritten.c_str(), &raw) != 1) return result;
      result.assigned = true;
      // The conversion's own width applies first, then the target's.
      const unsigned long long cut =
          c.isSigned() ? static_cast<unsigned long long>(CutSigned(static_cast<long long>(raw), c.bits))
                       : CutUnsigned(raw, c.bits);
      if (target == ScanInto::Floating) {
        result.floating =
            c.isSigned() ? static_cast<double>(static_cast<long long>(cut)) : static_cast<double>(cut);
      } else {
        result.integer = static_cast<long long>(cut);
      }
      return result;
    }
    case Family::Character: {
      char ch = 0;
      if (std::sscanf(text, rewritten.c_str(), &ch) != 1) return result;
      result.assigned = true;
      result.integer = static_cast<unsigned char>(ch);
      result.floating = static_cast<unsigned char>(ch);
      return result;
    }
    case Family::Floating: {
      double value = 0;
      if (std::sscanf(text, rewritten.c_str(), &value) != 1) return result;
      result.assigned = true;
      result.floating = value;
      if (target != ScanInto::Floating) {
        result.integer = IntegerOf(FormatArg::Floating(value));
      }
      return result;
    }
    default:
      return result;
  }
}

int ScanWindowsMantissaExponent(const char* text, const char* format, double& mantissa, int& exponent) {
  if (text == nullptr || format == nullptr) return 0;
  // The first floating conversion reads the mantissa, the next integer
  // conversion the exponent.
  int stage = 0;
  const std::string out = RewriteScan(format, [&stage](const Conversion& c) {
    const Family wanted = stage == 0 ? Family::Floating : Family::Integer;
    if (stage == 2 || c.family() != wanted) return false;
    ++stage;
    return true;
  });
  double m = 0;
  unsigned long long e = 0;
  int assigned = 0;
  if (stage == 2) {
    assigned = std::sscanf(text, out.c_str(), &m, &e);
  } else if (stage == 1) {
    assigned = std::sscanf(text, out.c_str(), &m);
  }
  if (assigned >= 1) mantissa = m;
  if (assigned >= 2) exponent = static_cast<int>(CutSigned(static_cast<long long>(e), 32));
  return assigned < 0 ? 0 : assigned;
}

}  // namespace ksformat
