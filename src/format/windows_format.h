// The one adapter between the printf/scanf dialect of the stored default
// formats and this platform's C library.
//
// The formats that the type table and callers use are written in the
// dialect where "long" is 32 bits: "%ld" and "%lu" address a 32-bit value,
// "%I64d" and "%I64u" a 64-bit one. Every conversion is rewritten here with
// an explicit width and given an argument of exactly that width, so the text
// is the same on every platform and no argument is ever read that was not
// passed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace ksformat {

// One value handed to a format.
struct FormatArg {
  enum class Kind { Signed, Unsigned, Floating, Text };
  Kind kind;
  long long integer;  // Signed and Unsigned (bit pattern)
  double floating;
  const char* text = nullptr;  // Text: bytes for "%s", not terminated
  size_t length = 0;

  static FormatArg Signed(long long v) { return {Kind::Signed, v, 0.0}; }
  static FormatArg Unsigned(unsigned long long v) { return {Kind::Unsigned, static_cast<long long>(v), 0.0}; }
  static FormatArg Floating(double v) { return {Kind::Floating, 0, v}; }
  static FormatArg Text(const char* bytes, size_t count) { return {Kind::Text, 0, 0.0, bytes, count}; }
};

// Formats the arguments under format and returns the text, of any length.
// Conversions take the arguments in order; "%s" takes a Text argument (its
// flags, width and precision apply to its bytes); integer conversions cut the value
// to the width their length modifier names (none, "l" and "I32": 32 bits;
// "h": 16; "hh": 8; "ll", "I64", "q", "j", "z", "t": 64) and floating
// conversions take it as a double. Conversions that would read memory ("%s",
// "%p", "%n"), star widths, widths or precisions of five digits or more,
// unknown conversions and conversions beyond the
// arguments are copied as they stand. A null format gives "".
std::string FormatWindows(const char* format, const FormatArg* args, int argCount);

inline std::string FormatWindows(const char* format, FormatArg arg) {
  return FormatWindows(format, &arg, 1);
}

// FormatWindows into `text`, which it replaces and whose capacity it keeps.
void FormatWindowsInto(std::string& text, const char* format, const FormatArg* args, int argCount);

// FormatWindows of one argument into a buffer the calling thread keeps, so
// that a print loop allocates only while that buffer grows. The text stays
// until the thread's next call.
const std::string& FormatWindowsReused(const char* format, FormatArg arg);

// What a scan reads into: an integer (the bit pattern, which the caller
// cuts to its own width) or a floating-point number.
enum class ScanInto { Integer, Floating };

// The result of a scan: the value read, as wide as it can be.
struct ScanResult {
  bool assigned;
  long long integer;  // ScanInto::Integer: the bit pattern, cut to the conversion's width
  double floating;    // ScanInto::Floating
};

// Reads one value from text under format by the scanf rules. The first
// numeric or character conversion assigns; every other conversion is matched
// but not assigned ("%n" is dropped). The value converted is cut to the
// width the conversion's length modifier names. Never reads
// past the terminator of text. A null text or format assigns nothing.
ScanResult ScanWindows(const char* text, const char* format, ScanInto target);

// Reads two values, a double and an int, in this order (the mantissa and
// exponent of the "ldex" formats). Returns the number of values assigned.
int ScanWindowsMantissaExponent(const char* text, const char* format, double& mantissa, int& exponent);

}  // namespace ksformat
