// The text form shared by the identity values: a walk over a format of
// directive letters and positional directives, printing fields or reading
// them back from text. Each type describes its fields once (IdentityText)
// and keeps them in a small array of numbers in the order of its letters.
#pragma once

#include <cstdint>
#include <string>

class KsString;

namespace ks {

struct IdentityField {
  char letter;
  bool wide;  // 32 bits ("%u"); otherwise 16 bits ("%hu")
};

// How ordinary format characters meet the text when scanning.
enum class OrdinaryMatch {
  ObjectNumber,  // equal or non-digit text consumes; a digit may skip to after a '-'
  AnyCharacter,  // every format character consumes one text character
  SkipOpenings,  // as AnyCharacter, after skipping white space and '(' on both sides
};

struct IdentityText {
  const IdentityField* fields;
  int fieldCount;
  // Positional directives: "%h" or "%l" at position p stands for the field
  // letter positional[p] when positionalKinds[p] is its kind.
  const char* positionalKinds;
  const char* positionalLetters;
  OrdinaryMatch ordinary;
};

constexpr int kMaxIdentityFields = 6;

// The text of the fields under format.
std::string PrintIdentityFields(const IdentityText& layout, const uint32_t* values, const char* format);

// Reads fields from text under format; fields that no directive reads are 0.
// Returns false, reading nothing, when the text begins with the null print
// string.
bool ScanIdentityFields(const IdentityText& layout, uint32_t* values, const KsString& text,
                        const char* format);

// Whether text begins with the type manager's null print string.
bool BeginsWithNullPrintString(const KsString& text);

}  // namespace ks
