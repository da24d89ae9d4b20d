// The code sets of this library. Every one converts through Unicode: a unit
// goes to its Unicode counterpart in the source code set and from there into
// the target, so that adding a code set needs no pairwise tables.
#pragma once

#include <array>
#include <cstdint>

#include "i18nsvc.h"

namespace ksi18n {

class I18nCodeSet : public KsCodeSet {
 public:
  unsigned short Convert(unsigned short unit, unsigned char sourceCodeSet) const final;

  // The Unicode counterpart of a unit; false when there is none.
  virtual bool ToUnicode(uint16_t unit, uint16_t& unicode) const = 0;
  // The unit of a Unicode character; false when the code set lacks it.
  virtual bool FromUnicode(uint16_t unicode, uint16_t& unit) const = 0;
  // What Convert yields for a character without a counterpart.
  virtual uint16_t Substitution() const = 0;

 protected:
  using KsCodeSet::KsCodeSet;
};

// Upper halves (0x80..0xFF) of an 8-bit code set whose lower half is ASCII.
struct EightBitMap {
  uint16_t toUnicode[128];
};
extern const EightBitMap kWindows1252Map;
extern const EightBitMap kLatin2Map;

// The character table of an 8-bit code set: a byte has the entry of its
// Unicode counterpart. Contraction followers are ASCII, so they read the same
// in the text's code set as in Unicode.
class EightBitCharTable : public KsCharTable {
 public:
  EightBitCharTable(const EightBitMap& map, const KsCharTable& unicodeTable)
      : map_(map), unicodeTable_(unicodeTable) {}
  const KsCollationEntry* GetEntry(unsigned short unit) const override;

 private:
  const EightBitMap& map_;
  const KsCharTable& unicodeTable_;
};

class EightBitCodeSet : public I18nCodeSet {
 public:
  EightBitCodeSet(unsigned char id, const EightBitMap& map, const KsCharTable* table);

  unsigned char GetClass(unsigned char language) const override;
  bool ToUnicode(uint16_t unit, uint16_t& unicode) const override;
  bool FromUnicode(uint16_t unicode, uint16_t& unit) const override;
  uint16_t Substitution() const override { return '?'; }

 private:
  struct ReverseEntry {
    uint16_t unicode;
    uint8_t byte;
  };
  const EightBitMap& map_;
  std::array<ReverseEntry, 128> reverse_;  // sorted by unicode
};

// Code sets of 16-bit units that are Unicode characters: 253 (with the
// collation table) and 254 (raw: ordered by value, no script).
class SixteenBitCodeSet : public I18nCodeSet {
 public:
  SixteenBitCodeSet(unsigned char id, const KsCharTable* table, unsigned char classByte)
      : I18nCodeSet(id, table), classByte_(classByte) {}

  unsigned char GetClass(unsigned char /*language*/) const override { return classByte_; }
  bool ToUnicode(uint16_t unit, uint16_t& unicode) const override {
    unicode = unit;
    return true;
  }
  bool FromUnicode(uint16_t unicode, uint16_t& unit) const override {
    unit = unicode;
    return true;
  }
  uint16_t Substitution() const override { return 0xFFFD; }

 private:
  unsigned char classByte_;
};

// Code set 254: raw 16-bit units, ordered by value. Its strings are the order
// keys of indexes, which keep the class byte of their orders in the language
// position, so that byte is the class the orders are compared and hashed
// under: an order key then compares with its source text as the text does,
// letter by letter on the levels, not by the raw bits of each order (where
// the case bits outrank the letter). Bit 0x80 marks a key cut at a change of
// class and is not part of the class.
class RawCodeSet : public SixteenBitCodeSet {
 public:
  explicit RawCodeSet(unsigned char id) : SixteenBitCodeSet(id, nullptr, KS_CLASS_UNDEFINED) {}

  unsigned char GetClass(unsigned char language) const override {
    const unsigned char classByte = language & 0x7F;
    return classByte < KS_CLASS_UNDEFINED ? classByte : KS_CLASS_UNDEFINED;
  }
};

// The registered code set of an id (0 reads as the native code set), or null.
const I18nCodeSet* FindCodeSet(unsigned char id);

// Builds the collation entries now, so that the first comparison does not.
void PrepareCodeSets();

}  // namespace ksi18n
