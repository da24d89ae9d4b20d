// The texts of the date and time conversion records: "a", "a:b" or
// "a:b.c" with decimal numbers; and the stepping of the value generators.
#pragma once

#include <cstdint>

#include "ksstring.h"

namespace ks::dateslots {

// The numbers of a text "leading[:afterColon[.afterDot]]". Numbers that do
// not parse read as 0; numbers beyond int hold at its ends.
struct ColonText {
  bool colonFirst;  // the text begins with ':'
  int leading;
  bool hasColon;
  int afterColon;
  bool hasDot;  // a '.' after the colon
  int afterDot;
};
ColonText ReadColonText(const KsString& text);

// Replaces value by advance(value) when `after(new, old)` holds; otherwise
// keeps the old value and answers false (the generator's "no greater value").
template <class T, class Advance, class After>
bool AdvanceIfGreater(T& value, Advance advance, After after) {
  const T old = value;
  advance(value);
  if (after(value, old)) return true;
  value = old;
  return false;
}

}  // namespace ks::dateslots
