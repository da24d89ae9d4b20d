// Readable forms of collation orders, for printing index keys and for
// callers that analyse them. The texts are part of what users see in key
// dumps and are kept exactly, including the odd "o_double" in two of them.
#include <cstdio>

#include "kschar.h"
#include "ksorder.h"
#include "ksstring.h"

namespace {

constexpr unsigned short kFirstSymbol = 80;
constexpr unsigned short kFirstDigit = 0x3F00;
constexpr unsigned short kFirstLetter = 0x4000;
constexpr unsigned short kOutsideAlphabet = 0x8000;
constexpr unsigned char kUndefinedClass = 20;
constexpr unsigned short kUndefinedOrdering = 13;
constexpr int kInvalidArgument = -2002;

const char* const kAccentNames[15] = {
    nullptr,         "cedilla",      "accent acute", "accent grave", "accent circumflex",
    "tilde",         "diaeresis",    "ring above",   "stroke",       "accent caron",
    "accent macron", "accent breve", "dot above",    "ogonek",       "accent o_double acute",
};

struct Symbol {
  unsigned short index;
  const char* name;
  char character;  // '.' for symbols without an ASCII form
};

// Sorted by index.
constexpr Symbol kSymbols[] = {
    {32, "_", '_'},
    {34, "macron sign", '.'},
    {35, "soft hyphen", '.'},
    {36, "-", '-'},
    {37, ",", ','},
    {38, ";", ';'},
    {39, ":", ':'},
    {40, "!", '!'},
    {41, "inverted exclamation mark", '.'},
    {42, "?", '?'},
    {44, "solidus", '/'},
    {46, "full stop", '.'},
    {49, "middle dot", '.'},
    {50, "cedilla", '.'},
    {52, "apostrophe", '\''},
    {55, "\"", '"'},
    {58, "left pointing o_double angle quotation mark", '.'},
    {59, "right pointing o_double angle quotation mark", '.'},
    {60, "(", '('},
    {62, ")", ')'},
    {64, "[", '['},
    {65, "]", ']'},
    {66, "{", '{'},
    {67, "}", '}'},
    {68, "section sign", '.'},
    {69, "pilcrow sign", '.'},
    {70, "copyright sign", '.'},
    {71, "registered sign", '.'},
    {73, "@", '@'},
    {74, "currency sign", '.'},
    {75, "cent sign", '.'},
    {76, "$", '$'},
    {77, "pound sign", '.'},
    {78, "yen sign", '.'},
    {79, "*", '*'},
    {80, "reverse solidus", '.'},
    {81, "&", '&'},
    {82, "#", '#'},
    {83, "%", '%'},
    {85, "+", '+'},
    {87, "plus minus sign", '.'},
    {88, "'", '\''},
    {89, "`", '`'},
    {91, "^", '^'},
    {94, "diaeresis", '.'},
    {96, "~", '~'},
    {98, "division sign", '.'},
    {99, "multiplication sign", '.'},
    {101, "<", '<'},
    {103, "=", '='},
    {105, ">", '>'},
    {106, "not sign", '.'},
    {107, "|", '|'},
    {108, "broken bar", '.'},
    {109, "degree sign", '.'},
    {110, "micron sign", '.'},
    {139, "inverted question mark", '.'},
};

const Symbol* FindSymbol(unsigned short index) {
  for (const Symbol& symbol : kSymbols) {
    if (symbol.index == index) return &symbol;
  }
  return nullptr;
}

// Names of the Latin-1 letters 0xC0..0xFF: a backslash, the mark and the
// base letter, or a backslash and a letter pair; "" for the two signs.
const char* const kLetterNames[64] = {
    "\\`A", "\\'A", "\\^A", "\\~A",  "\\\"A", "\\AA", "\\AE",  "\\,C",   // C0
    "\\`E", "\\'E", "\\^E", "\\\"E", "\\`I",  "\\'I", "\\^I",  "\\\"I",  // C8
    "\\-D", "\\~N", "\\`O", "\\'O",  "\\^O",  "\\~O", "\\\"O", "",       // D0
    "\\-O", "\\`U", "\\'U", "\\^U",  "\\\"U", "\\'Y", "\\TH",  "\\ss",   // D8
    "\\`a", "\\'a", "\\^a", "\\~a",  "\\\"a", "\\aa", "\\ae",  "\\,c",   // E0
    "\\`e", "\\'e", "\\^e", "\\\"e", "\\`i",  "\\'i", "\\^i",  "\\\"i",  // E8
    "\\-d", "\\~n", "\\`o", "\\'o",  "\\^o",  "\\~o", "\\\"o", "",       // F0
    "\\-o", "\\`u", "\\'u", "\\^u",  "\\\"u", "\\'y", "\\th",  "\\\"y",  // F8
};

// The name of a byte of code set 1 ("" for bytes without one).
const char* ByteName(unsigned char byte) {
  return byte >= 0xC0 ? kLetterNames[byte - 0xC0] : "";
}

struct LetterFields {
  unsigned letterCase, accent, letter, extension;
};

LetterFields FieldsOf(unsigned short order) {
  return {static_cast<unsigned>(order >> 12) & 3u, static_cast<unsigned>(order >> 7) & 31u,
          static_cast<unsigned>(order >> 2) & 31u, order & 3u};
}

char AsciiLetter(const LetterFields& fields) {
  return static_cast<char>(fields.letter + 0x3E + (fields.letterCase != 0 ? 0x20 : 0));
}

unsigned DigitValue(unsigned short order) {
  return ((order & 0xFFFEu) - kFirstDigit) / 10u;
}

}  // namespace

int KsConvertOrderToChar(unsigned short order, unsigned char orderClass, unsigned char& ch, int wantAccented,
                         const char** name) {
  ch = 7;
  if ((order & kOutsideAlphabet) != 0 || (orderClass & 0x7F) >= kUndefinedClass) {
    ch = 127;
  } else if (order < kFirstSymbol) {
    ch = ' ';
  } else if (order < kFirstDigit) {
    if (const Symbol* symbol = FindSymbol(static_cast<unsigned short>(order - kFirstSymbol))) {
      ch = static_cast<unsigned char>(symbol->character);
    }
  } else if (order < kFirstLetter) {
    ch = static_cast<unsigned char>('0' + DigitValue(order));
  } else {
    const LetterFields fields = FieldsOf(order);
    ch = static_cast<unsigned char>(AsciiLetter(fields));
    if (fields.accent != 0 && wantAccented != 0) {
      // The neutral order (language 0) decides, so that a key describes
      // the same whatever the default language is.
      if (name != nullptr) *name = nullptr;
      for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
        if (KsChar(static_cast<char>(byte), 1, 0).Order() != order) continue;
        ch = static_cast<unsigned char>(byte);
        if (name != nullptr) *name = ByteName(static_cast<unsigned char>(byte));
        break;
      }
    }
  }
  return 0;
}

int KsConvertOrderToString(unsigned short order, unsigned char orderClass, KsString& out) {
  out = "unknown";
  char text[96];
  if ((order & kOutsideAlphabet) != 0 || orderClass >= kUndefinedClass) {
    std::snprintf(text, sizeof text, "HAN character 0x%04x\n", order);
    out = text;
  } else if (order < kFirstSymbol) {
    out = order == kUndefinedOrdering ? "undefined ordering indicator" : "space";
  } else if (order < kFirstDigit) {
    out = "symbol ";
    if (const Symbol* symbol = FindSymbol(static_cast<unsigned short>(order - kFirstSymbol)))
      out << symbol->name;
  } else if (order < kFirstLetter) {
    std::snprintf(text, sizeof text, "digit %u%s", DigitValue(order), (order & 1) != 0 ? " with expand" : "");
    out = text;
  } else {
    const LetterFields fields = FieldsOf(order);
    out = fields.letterCase != 0 ? "lower " : "upper ";
    out << "letter " << AsciiLetter(fields);
    if (fields.accent != 0) {
      out << " with ";
      if (fields.accent < 15) out << kAccentNames[fields.accent];
    }
    if (fields.extension != 0) out << " with extension";
  }
  return 0;
}

int KsExtractDigitFromOrder(unsigned short order, unsigned short& digit, unsigned short& hasExpansion) {
  if (order < kFirstDigit || order - kFirstDigit > 255) return kInvalidArgument;
  digit = static_cast<unsigned short>(DigitValue(order));
  hasExpansion = order & 1;
  return 0;
}

int KsExtractSymbolFromOrder(unsigned short order, unsigned short& symbol) {
  if (order < kFirstSymbol || order - kFirstSymbol > 16047) return kInvalidArgument;
  symbol = static_cast<unsigned short>(order - kFirstSymbol);
  return 0;
}
