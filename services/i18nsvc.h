// Internationalisation services: code sets, languages, collation entries,
// Unicode properties and the process-wide defaults that strings read on
// every construction and comparison.
//
// Code set ids: 0 plain bytes (read as the native code set), 1..224 8-bit
// code sets, 225..253 16-bit code sets (253 is Unicode BMP, the common
// target of character mapping), 254 raw 16-bit units whose collation order is
// the unit itself, 255 "the default" in parameters.
//
// Collation orders (16-bit): 0 end of text; 1..79 spaces; 80..0x3EFF symbols
// (80 + symbol index); 0x3F00..0x3FFF digits (0x3F00 + 10 * value, bit 0 marks
// an expansion); 0x4000..0x7FFF Latin letters (bits 2..6 letter, 3 = A;
// bits 7..11 accent; bits 12..13 case, 0 upper; bits 0..1 extension);
// 0x8000 and above everything else.
#pragma once

#include <cstdint>

#include "ksexport.h"

// Class byte of an order whose script is not ordered.
constexpr unsigned char KS_CLASS_UNDEFINED = 20;

// Code set ids of this library.
constexpr unsigned char KS_CODESET_BYTES = 0;         // plain bytes, read as the native code set
constexpr unsigned char KS_CODESET_WINDOWS_1252 = 1;  // the native and default 8-bit code set
constexpr unsigned char KS_CODESET_LATIN2 = 2;        // ISO 8859-2
constexpr unsigned char KS_CODESET_UNICODE = 253;     // Unicode BMP, the default 16-bit code set
constexpr unsigned char KS_CODESET_RAW = 254;         // 16-bit units ordered by value
constexpr unsigned char KS_CODESET_DEFAULT = 255;     // "the default" in parameters

// Language ids of this library. English has the neutral order that the
// others tailor, and is the default language. German keeps the neutral order
// (umlauts as accented letters, sharp s as "ss"). Swedish sorts å ä ö after z,
// Danish æ ø å (and "aa" as å); both Spanish orders make ñ a letter after n,
// and the traditional one also "ch" and "ll" letters after c and l. Their
// tailorings apply while a language's variant switch is on, which it is by
// default for all four.
constexpr unsigned char KS_LANGUAGE_ENGLISH = 0;
constexpr unsigned char KS_LANGUAGE_GERMAN = 1;
constexpr unsigned char KS_LANGUAGE_SWEDISH = 2;
constexpr unsigned char KS_LANGUAGE_SPANISH = 3;
constexpr unsigned char KS_LANGUAGE_SPANISH_TRADITIONAL = 4;
constexpr unsigned char KS_LANGUAGE_DANISH = 5;

// A read-only list of 16-bit units (expansions, contraction characters, full
// case mappings). The units are not owned.
class KS_API KsWCharList {
 public:
  constexpr KsWCharList() : units_(nullptr), count_(0) {}
  constexpr KsWCharList(const uint16_t* units, uint16_t count) : units_(units), count_(count) {}

  unsigned short Count() const { return count_; }
  // Sets unit and returns 1 when index is below Count(); else returns 0 and
  // leaves unit unchanged.
  int Get(unsigned short index, unsigned short& unit) const {
    if (index >= count_) return 0;
    unit = units_[index];
    return 1;
  }

 private:
  const uint16_t* units_;
  uint16_t count_;
};

class KsLanguage;

// What a code set's character table yields for one unit.
struct KsCollationEntry {
  enum Flags : uint8_t {
    HasContractions = 0x01,
    HasLanguageVariants = 0x02,
    HasExpansion = 0x04,
  };

  // Class byte of this entry; null means the class that the code set reports
  // for the language.
  const unsigned char* classByte;
  uint16_t order;
  uint8_t flags;

  // Contractions: units that may follow this one (compared in the code set
  // of the text, or in 253 when the text's code set has no table), each with
  // the entry the pair forms (contractionTargets[i]; a null target is
  // skipped).
  const KsWCharList* contractionChars;
  const KsCollationEntry* const* contractionTargets;

  // Language variants: for variantLanguages[i], variantEntries[i] applies
  // instead of this entry (only when the language's variant switch is on).
  uint8_t variantCount;
  const KsLanguage* const* variantLanguages;
  const KsCollationEntry* const* variantEntries;

  // Expansion: further orders delivered after this entry's own order.
  const KsWCharList* expansion;
};

// The character table of a code set.
class KS_API KsCharTable {
 public:
  virtual ~KsCharTable();
  // The collation entry of a unit: never null below 0x200; null for an
  // unknown unit from 0x200 on.
  virtual const KsCollationEntry* GetEntry(unsigned short unit) const = 0;
};

// Case properties of one Unicode (code set 253) character.
// When fullUpper is non-empty, upper is its first unit (S for sharp s), so
// that a caller that cannot lengthen the text still gets a sensible letter.
struct KsUnicodeProps {
  uint16_t upper;        // simple upper-case unit, 0 when none
  uint16_t lower;        // simple lower-case unit, 0 when none
  KsWCharList fullUpper; // full upper-case form when it has more than one
                         // unit (for example SS for sharp s), else empty
};

class KS_API KsCodeSet {
 public:
  virtual ~KsCodeSet();

  // Class byte of this code set's characters for a language: 1..19 for
  // ordered scripts (Latin is 1; no class is 0, so an order key whose
  // class byte stands where a record keeps its language is never null), 20
  // when undefined.
  virtual unsigned char GetClass(unsigned char language) const = 0;
  // A unit of code set `sourceCodeSet` converted into this code set. Units
  // without a counterpart become this code set's substitution character.
  virtual unsigned short Convert(unsigned short unit, unsigned char sourceCodeSet) const = 0;

  unsigned char Id() const { return id_; }
  // 1 for 8-bit code sets (ids up to 224), 2 above.
  unsigned char Width() const { return id_ > 224 ? 2 : 1; }
  // The collation table, or null when the code set has none (callers then
  // map characters into 253 and use its table).
  const KsCharTable* CharTable() const { return table_; }
  // Case properties of a unit of this code set, in terms of code set 253
  // units, or null when the unit has none.
  const KsUnicodeProps* GetUnicodeProps(unsigned short unit, unsigned char language) const;

 protected:
  KsCodeSet(unsigned char id, const KsCharTable* table) : id_(id), table_(table) {}

 private:
  unsigned char id_;
  const KsCharTable* table_;
};

class KS_API KsLanguage {
 public:
  KsLanguage(unsigned char id, const char* name, bool variantSwitch)
      : id_(id), name_(name), variantSwitch_(variantSwitch) {}

  unsigned char Id() const { return id_; }
  const char* Name() const { return name_; }
  // When on, language-specific collation entries (variants) apply.
  bool VariantSwitch() const { return variantSwitch_; }
  void SetVariantSwitch(bool on) { variantSwitch_ = on; }

 private:
  unsigned char id_;
  const char* name_;
  bool variantSwitch_;
};

// The process-wide defaults and the registry of code sets and languages.
class KS_API KsLanguageContext {
 public:
  static unsigned char GetDefaultCodeSet();
  static unsigned char GetDefault8CodeSet();  // 224 or less
  static unsigned char GetDefault16CodeSet(); // above 224
  static unsigned char GetDefaultLanguage();  // below 254
  static unsigned short GetDefaultCmpOp();
  static unsigned char GetNativeCodeSet(); // replaces code set 0

  static void SetDefaultCodeSet(unsigned char codeSet);
  static void SetDefaultLanguage(unsigned char language);
  static void SetDefaultCmpOp(unsigned short cmpOp);

  // Not null for 0, 1, 253, 254; null for unknown ids.
  static const KsCodeSet* QueryCodeSet(unsigned char id);
  // Null for unknown ids.
  static KsLanguage* QueryLanguage(unsigned char id);
};

// Opens (start non-zero) or closes (0) the services' context.
KS_API void ___KsI18NContext(int start);
