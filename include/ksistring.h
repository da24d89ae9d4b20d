// KsIString (type id 20) and KsCaseIString (type id 21): 8-bit strings of
// the Latin code page (0xC0..0xFF accented letters, 0x8C/0x9C the OE
// ligatures, 0x9F Y diaeresis, 0xDF sharp s) that sort and match without
// regard to accents (KsIString, where a lower-case letter sorts just before
// its upper-case form) or to case and accents (KsCaseIString, which counts
// accents when the first operand's flag 0x20 asks for it).
//
// Comparison folds every byte through the class's fixed collation table
// into a primary byte and a second value: 1..8 an accent, above 8 a
// following collation byte (the OE ligature gives O then E, sharp s S then S).
//
// Flags of a value: 0x80 the text already holds collation bytes (it is
// compared as it stands), 0x20 accents count (KsCaseIString), 0x40 carried
// by the stored form. Constructors and assignment from text clear them.
#pragma once

#include <cstddef>
#include <cstdint>

#include "ksexport.h"

enum class KsFolding : unsigned char { Accents, CaseAndAccents };

template <KsFolding kFolding>
class KS_API KsFoldedString {
 public:
  static constexpr uint32_t kFolded = 0x80;
  static constexpr uint32_t kAccentsCount = 0x20;
  static constexpr uint32_t kCarried = 0x40;

  KsFoldedString();
  KsFoldedString(const KsFoldedString& other);
  KsFoldedString(KsFoldedString&& other) noexcept;
  KsFoldedString(char ch);  // empty for 0
  KsFoldedString(short number);
  KsFoldedString(int number);
  KsFoldedString(unsigned number);
  KsFoldedString(double number);  // "%f"
  KsFoldedString(long long number);
  KsFoldedString(unsigned long long number);
  KsFoldedString(const char* text);  // null gives empty
  // The first count bytes. REQUIRES: text holds count bytes.
  KsFoldedString(const char* text, unsigned short count);
  ~KsFoldedString();

  KsFoldedString& operator=(const KsFoldedString& other);  // text and flags
  KsFoldedString& operator=(KsFoldedString&& other) noexcept;
  KsFoldedString& operator=(const char* text);  // clears the flags

  int operator!() const { return Len() == 0; }
  // Byte i. REQUIRES: i < Len().
  char& operator[](int index) { return text_[index]; }
  unsigned short Len() const;
  // The text; "" when empty, never null.
  const char* StrGet() const { return text_ != nullptr ? text_ : ""; }
  uint32_t Flags() const { return flags_; }
  void SetFlags(uint32_t flags) { flags_ = flags; }

  operator short() const;
  operator int() const;
  operator double() const;
  operator long long() const;

  KsFoldedString& operator+=(const KsFoldedString& other);

  // The folded comparison over whole texts with both values' flags.
  bool operator==(const KsFoldedString& other) const { return Compare(*this, other) == 0; }
  bool operator!=(const KsFoldedString& other) const { return Compare(*this, other) != 0; }
  bool operator<(const KsFoldedString& other) const { return Compare(*this, other) < 0; }
  bool operator<=(const KsFoldedString& other) const { return Compare(*this, other) <= 0; }
  bool operator>(const KsFoldedString& other) const { return Compare(*this, other) > 0; }
  bool operator>=(const KsFoldedString& other) const { return Compare(*this, other) >= 0; }

  // Byte-wise editing; counts of 65,535 mean "to the end".
  KsFoldedString Copy(unsigned short pos, unsigned short count = 65535) const;
  KsFoldedString& Cut(unsigned short pos, unsigned short count = 65535);
  KsFoldedString& Expand(unsigned short length, char ch);
  KsFoldedString& Fill(unsigned short count, char ch);
  KsFoldedString& Insert(const KsFoldedString& text, unsigned short pos);
  KsFoldedString& Replace(const KsFoldedString& text, unsigned short pos);  // never grows
  // First byte position where p's bytes occur exactly, or -1.
  int SubStringPos(const KsFoldedString& p) const;
  KsFoldedString& ToUpper();
  KsFoldedString& ToLower();
  KsFoldedString& SpaceToZero();
  KsFoldedString& ZeroToSpace();

  // The folded comparison: texts may be null (null sorts first); len 0
  // means 65,535 steps.
  static int Compare(const char* s1, const char* s2, unsigned len, uint32_t flags1, uint32_t flags2);
  static int Compare(const KsFoldedString& a, const KsFoldedString& b) {
    return Compare(a.text_, b.text_, 0, a.flags_, b.flags_);
  }
  // Writes the collation bytes of text (expansions included, accents
  // dropped) into out, at most limit bytes, and a terminator when there is
  // room; returns the bytes written without the terminator.
  static size_t FoldText(const char* text, unsigned char* out, size_t limit);

 private:
  void SetText(const char* text, size_t length);

  char* text_;
  uint32_t flags_;
};

template <KsFolding kFolding>
KsFoldedString<kFolding> operator+(const KsFoldedString<kFolding>& a, const KsFoldedString<kFolding>& b) {
  KsFoldedString<kFolding> sum(a);
  sum += b;
  return sum;
}

using KsIString = KsFoldedString<KsFolding::Accents>;
using KsCaseIString = KsFoldedString<KsFolding::CaseAndAccents>;

extern template class KsFoldedString<KsFolding::Accents>;
extern template class KsFoldedString<KsFolding::CaseAndAccents>;

// The Compare slots of the two types (signature of every Compare slot):
// count pairs in memory (format 8) or stored. With cmpOp 0x100 or 0x10 the
// folded comparison; otherwise the second value is a pattern ('*' any run,
// '?' any one collation byte, a backslash escapes the next byte).
KS_API int KsIStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2, void* values2,
                            unsigned short cmpOp, unsigned count, int& status);
KS_API int KsCaseIStringCompare(unsigned char format, unsigned len1, void* values1, unsigned len2,
                                void* values2, unsigned short cmpOp, unsigned count, int& status);
