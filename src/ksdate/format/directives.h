// The directive letters of the date format engine, one table shared by the
// printer and the scanner, so that both read every letter the same way.
#pragma once

#include <array>
#include <cstdint>

namespace ks::datefmt {

// Positions of the seven fields in the engine's working array.
enum FieldIndex : uint8_t { kYear, kMonth, kDay, kHour, kMinute, kSecond, kNanos, kFieldCount };

enum class Action : uint8_t {
  Literal,        // any letter without a meaning: the letter itself
  Percent,        // %%
  Number,         // one field as a decimal (Y m d e H M S N)
  YearOfCentury,  // y
  Hour12,         // I (prints the 12-hour clock, scans as H)
  MonthName,      // B b
  WeekdayName,    // A a
  Fraction,       // f: seconds with their fraction
  DayCount,       // J: day + 30 * (month + 12 * year)
  Marker,         // p P
  Expansion,      // D T O X V
};

struct DirectiveInfo {
  Action action;
  uint8_t field;      // the field printed, tested and read (kFieldCount: none)
  uint8_t minDigits;  // least digits printed for numbers
  bool abbreviated;   // b a: the first three letters of the name
  const char* expansion;
};

// One row per 7-bit letter.
extern const std::array<DirectiveInfo, 128> kDirectiveTable;

// The meaning of the letter after '%' (and an optional "?" or "?("); letters
// above 127 are literals like every letter without a meaning.
inline const DirectiveInfo& LookupDirective(char letter) {
  const unsigned char index = static_cast<unsigned char>(letter);
  return kDirectiveTable[index < 128 ? index : static_cast<unsigned char>('!')];
}

// A directive as written: '%', an optional '?', after it an optional '(',
// and the letter.
struct DirectiveHead {
  bool optional;
  bool opensGroup;
  char letter;       // 0 when the format ends inside the directive
  const char* next;  // the format after the directive (at the terminator when letter is 0)
};

// REQUIRES: *percent == '%' within a terminated format.
inline DirectiveHead ParseDirectiveHead(const char* percent) {
  DirectiveHead head{false, false, 0, percent + 1};
  if (*head.next == '?') {
    head.optional = true;
    ++head.next;
    if (*head.next == '(') {
      head.opensGroup = true;
      ++head.next;
    }
  }
  head.letter = *head.next;
  if (head.letter != 0) ++head.next;
  return head;
}

}  // namespace ks::datefmt
