#include "ksdate/format/directives.h"

#include <array>

namespace ks::datefmt {
namespace {

constexpr DirectiveInfo Literal() {
  return {Action::Literal, kFieldCount, 0, false, nullptr};
}
constexpr DirectiveInfo Number(FieldIndex field, uint8_t digits) {
  return {Action::Number, field, digits, false, nullptr};
}
constexpr DirectiveInfo Expand(const char* text) {
  return {Action::Expansion, kFieldCount, 0, false, text};
}

// None of the expansion texts holds an expanding letter, so expansions never
// nest and one resume point is enough.
constexpr std::array<DirectiveInfo, 128> BuildTable() {
  std::array<DirectiveInfo, 128> table{};
  for (DirectiveInfo& info : table) info = Literal();
  table['%'] = {Action::Percent, kFieldCount, 0, false, nullptr};
  table['Y'] = Number(kYear, 4);
  table['y'] = {Action::YearOfCentury, kYear, 2, false, nullptr};
  table['m'] = Number(kMonth, 2);
  table['B'] = {Action::MonthName, kMonth, 3, false, nullptr};
  table['b'] = {Action::MonthName, kMonth, 3, true, nullptr};
  table['d'] = Number(kDay, 2);
  table['e'] = Number(kDay, 2);
  table['A'] = {Action::WeekdayName, kDay, 0, false, nullptr};
  table['a'] = {Action::WeekdayName, kDay, 0, true, nullptr};
  table['H'] = Number(kHour, 2);
  table['I'] = {Action::Hour12, kHour, 2, false, nullptr};
  table['M'] = Number(kMinute, 2);
  table['S'] = Number(kSecond, 2);
  table['N'] = Number(kNanos, 1);
  table['f'] = {Action::Fraction, kSecond, 0, false, nullptr};
  table['J'] = {Action::DayCount, kDay, 1, false, nullptr};
  // Both markers print in capitals. %P is "AM"/"PM"; %p, which strftime
  // habit would make the small-letter form, prints capitals as well because
  // the types' default formats ("%I:%M:%S %p") have always printed "PM" and
  // texts made with them are read back.
  table['p'] = {Action::Marker, kHour, 0, false, nullptr};
  table['P'] = {Action::Marker, kHour, 0, false, nullptr};
  table['D'] = Expand("%Y-%m-%d");
  table['T'] = Expand("%H:%M:%S");
  table['O'] = Expand("%Y-%m-%dT%H:%M:%S");
  table['X'] = Expand("%Y-%m-%dT%H:%M:%f");
  table['V'] = Expand("%J.%H:%M:%f");
  return table;
}

}  // namespace

constexpr std::array<DirectiveInfo, 128> kDirectiveTable = BuildTable();
static_assert(kDirectiveTable['!'].action == Action::Literal);

}  // namespace ks::datefmt
