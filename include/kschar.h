// KsChar: one character of a string, either detached or referring to a unit
// inside a string buffer, always with a code set, a language and a storage
// format, so that it can be compared, classified by its collation order,
// mapped to another code set and case-mapped.
//
// KsCharOperation is the character mapping that KsString::Transform and
// KsStringIterator::Transform apply; KsCharToUpper and KsCharToLower are its
// two implementations.
#pragma once

#include <cstdint>

#include "ksexport.h"

class KsString;
class KsStringIterator;

class KS_API KsChar {
 public:
  // Refers to the unit at `byteOffset` of s, with s's code set and language.
  // REQUIRES: byteOffset lies inside s's buffer (terminator included).
  KsChar(KsString& s, int byteOffset);
  // A detached copy of other's unit and code set; a language of 255 or above
  // becomes the default language.
  KsChar(const KsChar& other);
  // Detached. Code set 255: the default 8-bit (16-bit) code set; language
  // 255: the default language. An 8-bit code set keeps only the low byte.
  KsChar(char ch, unsigned char codeSet = 255, unsigned char language = 255);
  KsChar(unsigned short unit, unsigned char codeSet = 255, unsigned char language = 255);
  // Refers to `unit`; 255 selects the default 8-bit code set, the default
  // language and format 1 (memory order). REQUIRES: unit is not null.
  KsChar(const char* unit, unsigned char codeSet, unsigned char language, unsigned char format);

  // A detached character takes other's unit, code set, language and format;
  // one that refers into a buffer writes other's unit, mapped into its own
  // code set and format, into the buffer.
  KsChar& operator=(const KsChar& other);
  KsChar& operator=(char ch);
  KsChar& operator=(unsigned short unit);

  // Comparison of one element with the default operator.
  bool operator==(const KsChar& other) const;
  bool operator!=(const KsChar& other) const;
  bool operator<(const KsChar& other) const;
  bool operator<=(const KsChar& other) const;
  bool operator>(const KsChar& other) const;
  bool operator>=(const KsChar& other) const;
  bool operator==(char ch) const;
  bool operator!=(char ch) const;
  bool operator<(char ch) const;
  bool operator<=(char ch) const;
  bool operator>(char ch) const;
  bool operator>=(char ch) const;
  bool operator==(unsigned short unit) const;
  bool operator!=(unsigned short unit) const;
  bool operator<(unsigned short unit) const;
  bool operator<=(unsigned short unit) const;
  bool operator>(unsigned short unit) const;
  bool operator>=(unsigned short unit) const;
  // KsStrCmp over one element; cmpOp 65,535 is the default operator.
  int Compare(const KsChar& other, unsigned short cmpOp = 65535) const;

  // Classification by collation order: spaces below 80, symbols below
  // 0x3F00, digits below 0x4000, letters below 0x8000, the rest above.
  bool IsSpace() const;
  bool IsSymbol() const;
  bool IsDigit() const;
  bool IsAlpha() const;
  bool IsHan() const;
  // The collation order of the character (no language variants or
  // contractions: a single character has neither).
  unsigned short Order() const;

  // A detached character in `targetCodeSet` (0 or the own code set: a copy).
  KsChar MapTo(unsigned char targetCodeSet) const;
  // Case mapping. ToUpper installs the rest of a multi-character upper-case
  // form as `it`'s overflow when it is given.
  KsChar ToUpper(KsStringIterator* it) const;
  KsChar ToLower(KsStringIterator* it) const;

  // The unit: one byte for 8-bit code sets, else two bytes read in format.
  unsigned short Unit() const;
  unsigned char CodeSet() const { return codeSet; }
  unsigned char Language() const { return language; }
  unsigned char Format() const { return format; }
  bool IsDetached() const { return unitPointer == nullptr; }

 private:
  friend class KsStringIterator;
  KsChar(unsigned short unit, unsigned char codeSet, unsigned char language, unsigned char format, int);

  bool IsWide() const { return codeSet > 224; }
  void WriteUnit(unsigned short unit);
  int CompareWith(const KsChar& other) const;

  unsigned char* unitPointer;
  uint16_t value;
  uint8_t codeSet;
  uint8_t language;
  uint8_t format;
};

// A mapping of one character, given the iterator it was read from (so that
// a mapping can deliver several characters through the iterator's overflow).
class KS_API KsCharOperation {
 public:
  virtual KsChar Apply(const KsChar& ch, KsStringIterator* it) = 0;

 protected:
  ~KsCharOperation() = default;
};

class KS_API KsCharToUpper : public KsCharOperation {
 public:
  KsChar Apply(const KsChar& ch, KsStringIterator* it) override { return ch.ToUpper(it); }
};

class KS_API KsCharToLower : public KsCharOperation {
 public:
  KsChar Apply(const KsChar& ch, KsStringIterator* it) override { return ch.ToLower(it); }
};
