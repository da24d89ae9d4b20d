// KsString: the string value of the type manager (type id 11).
//
// A string carries its characters together with a one-byte code set id and a
// one-byte language id, so that every comparison, hash and conversion knows
// how to read and collate them.
//
// Code set ids: 0 plain bytes (compared byte by byte); 1..224 8-bit code sets;
// 225..253 16-bit code sets (253 is Unicode, the common target of character
// mapping); 254 raw 16-bit units (with language 0 it marks the null value);
// 255 in parameters means "the default". Language ids: 0..253 languages, 254
// the null value, 255 in parameters "the default".
//
// Every length, position and count is in characters (8- or 16-bit units);
// only ByteSize() is in bytes. A string never holds more than 65,532 bytes,
// terminator included: longer contents are cut, and the cut is reported
// through KESO_assert("String overflow") when the configuration entry
// "stringOverflow" (qualifier "debug") is set.
//
// No operation throws. Buffers come from malloc; when an allocation fails,
// KsCallMemoryHandler is called and the string keeps its old content.
#pragma once

#include <cstdint>

#include "kschar.h"
#include "ksexport.h"

class KsCharOperation;
class KsStringIterator;

class KS_API KsString {
 public:
  // Largest buffer in bytes, terminator included.
  static constexpr unsigned short kMaxByteSize = 65532;
  // A count or length argument that means "up to the end".
  static constexpr unsigned short kToEnd = 65535;
  // A code set, language or operator argument that means "the default".
  static constexpr unsigned char kDefaultId = 255;
  static constexpr unsigned short kDefaultCmpOp = 65535;

  // Construction. Unless said otherwise the language is the default one;
  // text from char data takes the default 8-bit code set, from 16-bit data
  // the default 16-bit code set.
  KsString();                                               // default code set, empty
  KsString(unsigned char codeSet, unsigned char language);  // both taken unchanged, empty
  KsString(char ch);                                        // one character; empty for 0
  KsString(unsigned char ch);
  KsString(unsigned short unit);  // one 16-bit unit; empty for 0
  KsString(short number);         // decimal text
  KsString(int number);
  KsString(unsigned number);
  KsString(double number);  // "%.17g", with "Infinity", "-Infinity", "NaN"
  KsString(long long number);
  KsString(unsigned long long number);
  // int64_t, uint64_t and size_t (long and unsigned long here) as the
  // 64-bit forms.
  KsString(long number) : KsString(static_cast<long long>(number)) {}
  KsString(unsigned long number) : KsString(static_cast<unsigned long long>(number)) {}
  KsString(const char* text);  // null gives an empty string
  // The first `count` characters of text; 65,535 reads up to the terminator.
  // REQUIRES: text holds at least `count` characters (or is terminated).
  KsString(const char* text, unsigned short count);
  KsString(const unsigned short* units);
  KsString(const unsigned short* units, unsigned short count);
  KsString(const KsString& other);
  // Moves like Destruct: `other` is left empty with its code set and language.
  KsString(KsString&& other) noexcept;
  ~KsString();

  // Assignment takes the other's code set and language (or the defaults for
  // char and 16-bit texts).
  KsString& operator=(const KsString& other);
  KsString& operator=(KsString&& other) noexcept;
  KsString& operator=(const char* text);
  KsString& operator=(const unsigned short* units);

  // Takes over `from`'s buffer, code set and language; `from` keeps its code
  // set and language but loses its characters.
  void Destruct(KsString& from);
  // Frees the buffer and zeroes size, code set and language.
  void Destroy();
  void d_deactivate();
  // Empty string with the default code set and language; frees nothing.
  // REQUIRES: the buffer is not owned any more (raw memory or after Destruct).
  void Init();

  // Appending: the text is converted into this string's code set; code set
  // and language stay. operator<<(unsigned short) appends the unit's decimal
  // text to an 8-bit string and the character to a 16-bit one.
  KsString& operator+=(const KsString& other);
  KsString& operator<<(const KsString& other);
  KsString& operator<<(char ch);
  KsString& operator<<(unsigned short unit);
  KsString& operator<<(short number);
  KsString& operator<<(int number);
  KsString& operator<<(unsigned number);
  KsString& operator<<(float number);
  KsString& operator<<(double number);
  KsString& operator<<(const char* text);
  KsString& operator<<(const unsigned short* units);
  KsString& operator<<(long long number);
  KsString& operator<<(unsigned long long number);
  KsString& operator<<(long number) { return *this << static_cast<long long>(number); }
  KsString& operator<<(unsigned long number) { return *this << static_cast<unsigned long long>(number); }

  // Queries.
  unsigned short Len() const;
  int IsEmpty() const;
  int operator!() const { return IsEmpty(); }
  // The characters; a static "" when there are none, never null.
  const char* StrGet() const;
  // Character i; the terminator at Len(); a detached zero character beyond.
  KsChar operator[](int index);
  unsigned short ByteSize() const { return byteSize; }
  unsigned char CodeSet() const { return codeSet; }
  unsigned char Language() const { return language; }
  // Relabels the language; the characters stay.
  void SetLanguage(unsigned char newLanguage) { language = newLanguage; }
  // 2 for 16-bit code sets (ids above 224), else 1.
  unsigned char CharWidth() const { return codeSet > 224 ? 2 : 1; }

  int IsNullValue() const;
  int SetNullValue();
  static const KsString& EmptyString();

  // Process-wide defaults of the internationalisation services.
  static unsigned char GetDefaultCodeSet();
  static unsigned char GetDefault8CodeSet();
  static unsigned char GetDefault16CodeSet();
  static unsigned char GetDefaultLanguage();
  static unsigned short GetDefaultCmpOp();
  static void SetDefaultCodeSet(unsigned char codeSet);
  static void SetDefaultLanguage(unsigned char language);
  static void SetDefaultCmpOp(unsigned short cmpOp);

  // Wildcard and escape characters of the comparison, process-wide. Each
  // takes the first collation order of `ch` and returns 0.
  static int SetAsterisk(const KsChar& ch);
  static int SetQuestion(const KsChar& ch);
  static int SetEscape(const KsChar& ch);

  // Comparison with the default operator over whole strings.
  bool operator==(const KsString& other) const;
  bool operator!=(const KsString& other) const;
  bool operator<(const KsString& other) const;
  bool operator<=(const KsString& other) const;
  bool operator>(const KsString& other) const;
  bool operator>=(const KsString& other) const;
  // KsStrCmp over `length` elements (-1: all); cmpOp 65,535 is the default.
  int Compare(const KsString& other, short length = -1, unsigned short cmpOp = kDefaultCmpOp) const;
  // Plain order comparison; the language counts only when both share it.
  bool EqualsIgnoreLanguage(const KsString& other) const;

  // Searching: the first position >= start where the pattern matches, or -1.
  int Find(const KsString& pattern, unsigned short start = 0, unsigned short cmpOp = kDefaultCmpOp) const;
  int Find(char ch, unsigned short start = 0, unsigned short cmpOp = kDefaultCmpOp) const;
  int Find(unsigned short unit, unsigned short start = 0, unsigned short cmpOp = kDefaultCmpOp) const;
  int SubStringPos(const KsString& pattern, unsigned short cmpOp = kDefaultCmpOp) const;

  // Extraction and editing; a count of 65,535 means "to the end".
  KsString Copy(unsigned short pos, unsigned short count = kToEnd) const;
  KsString Left(unsigned short count) const;
  KsString Right(unsigned short count) const;
  KsString& Cut(unsigned short pos, unsigned short count = kToEnd);
  KsString& Insert(const KsString& text, unsigned short pos);
  // Overwrites from pos without ever growing the string.
  KsString& Replace(const KsString& text, unsigned short pos);
  KsString& ReplaceAll(const KsString& from, const KsString& to, unsigned short start = 0);
  KsString& ReplaceAll(char from, char to, unsigned short start = 0);
  KsString& ReplaceAll(unsigned short from, unsigned short to, unsigned short start = 0);
  KsString& Expand(unsigned short length, char ch);
  KsString& Expand(unsigned short length, unsigned short unit);
  KsString& Fill(unsigned short count, char ch);
  KsString& Fill(unsigned short count, unsigned short unit);
  KsString& LeftTrim();
  KsString& RightTrim();
  KsString& Trim();
  KsString& ToLower();
  KsString& ToUpper();
  KsString& Transform(KsCharOperation& operation);

  // Code sets: MapToCodeSet converts (-2002 for code set 0); SetCodeSet
  // converts only when the width changes; SetCodeSetCode relabels (-2002 when
  // the width would change); CopyMapped fills this string with `length`
  // characters of src (-1: all) converted into codeSet (-2002 when src is
  // this string).
  int MapToCodeSet(unsigned char newCodeSet);
  int SetCodeSet(unsigned char newCodeSet);
  int SetCodeSetCode(unsigned char newCodeSet);
  int CopyMapped(const KsString& src, unsigned char newCodeSet, short length = -1);

  // Replaces the content by `count` units taken as they are (no code set
  // conversion) from `units`, stored in `format` (1 or 2, 8 or 255 memory
  // order); code set and language are set to the given ones. For loaders of
  // stored records. REQUIRES: units holds count units of the code set's width.
  void AssignUnits(const void* units, unsigned short count, unsigned char newCodeSet,
                   unsigned char newLanguage, unsigned char format);
  // For converters that write units in place: the content becomes room for
  // up to `capacity` units of newCodeSet (memory order), returned for
  // writing, and must be closed with CloseUnits(count <= capacity). Returns
  // null when there is no room (capacity 0, or allocation failed), leaving
  // the string empty. A capacity beyond the size limit is cut to it (the
  // caller reports the overflow when its content does not fit).
  char* OpenUnits(unsigned capacity, unsigned char newCodeSet, unsigned char newLanguage);
  void CloseUnits(unsigned count);

  // Numeric readings. Integers: with bit 0 of the module options decimal
  // only, else also 0x hexadecimal and 0 octal. Atol-style methods set the
  // output to 0 and return -1 unless the text starts with a digit or '-'.
  operator short() const;
  operator int() const;
  operator long long() const;
  operator long() const { return static_cast<long>(operator long long()); }
  operator double() const;
  int Atol(int& value) const;
  int Atoll(long long& value) const;
  int Strtol(int& value) const;
  int Strtoll(long long& value) const;
  int Atoll(long& value) const { return ReadWide(value, &KsString::Atoll); }
  int Strtoll(long& value) const { return ReadWide(value, &KsString::Strtoll); }

 private:
  int ReadWide(long& value, int (KsString::*reader)(long long&) const) const {
    long long wide = 0;
    const int result = (this->*reader)(wide);
    value = static_cast<long>(wide);
    return result;
  }

  friend class KsChar;
  friend class KsStringIterator;

  // How the splice routine places the source (values are persistent
  // numbers of the routine's modes).
  enum class SpliceMode : unsigned char { Overwrite = 1, Insert = 2, Place = 3 };

  // The one routine that changes content: places `repeat` copies of source
  // units [start, start + count) at character position `dest`. A `repeat`
  // above 1 repeats the first source unit. Owns the size limit and the
  // code-set conversion of the source. `format` is the storage format of
  // 16-bit source units (255 memory order).
  void Splice(const char* source, unsigned char sourceCodeSet, unsigned short dest, unsigned short start,
              unsigned short count, unsigned short repeat, SpliceMode mode, unsigned char format);
  // Appends the characters of `text` (converted into this code set).
  KsString& Append(const KsString& text);
  // Replaces the content by units of `source` in code set sourceCodeSet.
  void PlaceText(const char* source, unsigned char sourceCodeSet, unsigned short count);
  void FreeBuffer();
  // The text for the number readers: the characters of an 8-bit string, or
  // the first 32 units of a 16-bit string narrowed to bytes.
  const char* NumberText(char (&narrowed)[33]) const;

  char* buffer;
  uint16_t byteSize;
  uint8_t codeSet;
  uint8_t language;
};

// A new string with a's code set and language holding a followed by b.
KS_API KsString operator+(const KsString& a, const KsString& b);

// The next element of a separated list, from character position pos: 0 with
// the trimmed element, or -2005 at the end of the list.
KS_API int KsSplitList(KsString& list, KsString& element, const KsString& separator, unsigned short& pos);
