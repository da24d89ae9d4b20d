#include "hex.h"

#include "cli_error.h"

namespace kstm {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::string FormatHex(const unsigned char* bytes, size_t size) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(size * 3);
  for (size_t i = 0; i < size; ++i) {
    if (i != 0) text += ' ';
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

std::vector<unsigned char> ParseHex(const std::string& text) {
  std::vector<unsigned char> bytes;
  int high = -1;  // the first digit of a byte under way
  size_t highAt = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsBlank(c)) {
      if (high >= 0) break;
      continue;
    }
    const int value = DigitValue(c);
    if (value < 0) {
      throw BadInput("malformed hexadecimal at character " + std::to_string(i) + ": '" + std::string(1, c) +
                     "' is not a hexadecimal digit");
    }
    if (high < 0) {
      high = value;
      highAt = i;
    } else {
      bytes.push_back(static_cast<unsigned char>(high << 4 | value));
      high = -1;
    }
  }
  if (high >= 0) {
    throw BadInput("malformed hexadecimal at character " + std::to_string(highAt) +
                   ": a byte needs two adjacent digits");
  }
  return bytes;
}

}  // namespace kstm
