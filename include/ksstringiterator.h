// KsStringIterator: walks a character buffer of a given code set and
// language, either character by character or as a sequence of 16-bit
// collation orders (GetNextOrder), which is what string comparison, the
// order-based hash and index bound evaluation compare.
//
// Collation order ranges: 0 end of text; 1..79 spaces; 80..0x3EFF symbols;
// 0x3F00..0x3FFF digits; 0x4000..0x7FFF Latin letters (bits 2..6 letter,
// 7..11 accent, 12..13 case); 0x8000 and above everything else.
#pragma once

#include <cstdint>

#include "kschar.h"
#include "ksexport.h"

class KsCodeSet;
class KsCharOperation;
class KsString;
class KsWCharList;
class KsLanguage;
struct KsCollationEntry;
namespace ksstring {
struct SimpleOrders;
struct OrderReader;
}  // namespace ksstring

class KS_API KsStringIterator {
 public:
  // Over s's characters (format 8, memory order); not owning.
  explicit KsStringIterator(KsString& s);
  // Over a zero-terminated buffer. Code set 255: the default 8-bit (16-bit)
  // code set; language 255: the default language; format 255: 1. A null
  // buffer reads as empty.
  KsStringIterator(const char* units, unsigned char codeSet, unsigned char language, unsigned char format);
  KsStringIterator(unsigned short* units, unsigned char codeSet, unsigned char language,
                   unsigned char format);
  // Over a private copy of one character, which the iterator owns.
  explicit KsStringIterator(KsChar& ch);
  // Copies share the buffer and never own it.
  KsStringIterator(const KsStringIterator& other);
  KsStringIterator& operator=(const KsStringIterator& other);
  ~KsStringIterator();

  // The current character: the next unit of a pending overflow list
  // (detached; reading it advances the list), else a reference to position.
  KsChar operator*();
  // Moves one unit on, unless an overflow list still has units to deliver.
  KsStringIterator& operator++();
  KsStringIterator operator++(int);
  KsStringIterator& operator--();
  KsStringIterator operator--(int);
  void Step(unsigned short forward);
  bool operator==(const KsStringIterator& other) const { return position == other.position; }
  // At a zero unit (or without buffer) with no overflow pending.
  bool IsEOS() const;
  // Installs units to deliver before moving on (codeSet 255: the iterator's).
  void SetOverflow(const KsWCharList* list, unsigned char listCodeSet);

  // The next collation order, 0 at the end. With setClass non-zero the class
  // byte of the order is recorded in OrderClass().
  unsigned short GetNextOrder(unsigned short setClass);
  // Writes `operation` applied to every character of this iterator through
  // `out`, terminator included; out ends just past the written terminator.
  // REQUIRES: out's buffer is large enough for the mapped text.
  void Transform(KsStringIterator& out, KsCharOperation& operation);

  unsigned char CodeSet() const { return codeSet; }
  unsigned char Language() const { return language; }
  unsigned char OrderClass() const { return orderClass; }
  unsigned char Format() const { return format; }
  const unsigned char* Position() const { return position; }
  // Whether an overflow list still has units to deliver.
  bool HasOverflowLeft() const;

 private:
  friend class KsString;
  friend class KsChar;
  friend struct ksstring::OrderReader;
  KsStringIterator();
  void Start(const unsigned char* units, unsigned char iteratorCodeSet, unsigned char iteratorLanguage,
             unsigned char iteratorFormat);
  void Destroy();
  unsigned Width() const { return codeSet > 224 ? 2u : 1u; }
  // Steps of every order; defined inline where orders are read.
  unsigned short UnitAt(const unsigned char* p) const;
  bool OverflowPending() const;
  void Advance();
  // GetNextOrder: the quick path for simple bytes, and the full walk.
  unsigned short NextOrder(unsigned short setClass);
  unsigned short NextOrderFromTables(unsigned short setClass);
  // Transform that writes no unit at or past outEnd (null: unbounded).
  void TransformWithin(KsStringIterator& out, KsCharOperation& operation, const unsigned char* outEnd);

  const KsCodeSet* codeSetObject;
  uint8_t codeSet;
  uint8_t language;
  uint8_t orderClass;
  uint8_t overflowCodeSet;
  int16_t overflowIndex;
  uint8_t format;
  uint16_t ownsBuffer;
  unsigned char* position;
  const KsWCharList* overflow;
  // Start of the buffer an iterator made from a KsChar owns.
  unsigned char* ownedBuffer;
  // The class codeSetObject reports for the language, asked once.
  uint8_t languageClass;
  // Cached entries of the first units of codeSetObject's table, or null.
  const KsCollationEntry* const* byteEntries;
  // Orders of the bytes that need no table walk, for 8-bit code sets.
  const ksstring::SimpleOrders* simpleOrders;
  // The language object, looked up on first need (variants).
  const KsLanguage* languageObject;
  bool languageLooked;
};
