// Null ordering shared with the database engine: wherever a type has a null
// value, two nulls are equal and a null sorts before every other value.
//
// A comparison first classifies the pair by its null flags; only the class
// `unknown` (neither operand null) leaves the decision to the values. Asking
// KsNullOrder to order such a pair is a programming error of the caller: it
// is reported and answers 0.
#pragma once

#include "basesvc.h"

enum class KsNullTy : signed char {
  bothNull,
  firstNull,
  secondNull,
  unknown,  // neither is null: the values decide
};

inline KsNullTy KsNullRelation(bool firstIsNull, bool secondIsNull) {
  if (firstIsNull) return secondIsNull ? KsNullTy::bothNull : KsNullTy::firstNull;
  return secondIsNull ? KsNullTy::secondNull : KsNullTy::unknown;
}

// -1, 0 or 1 for a pair that its nulls decide.
inline int KsNullOrder(KsNullTy nr) {
  switch (nr) {
    case KsNullTy::bothNull:
      return 0;
    case KsNullTy::firstNull:
      return -1;
    case KsNullTy::secondNull:
      return 1;
    case KsNullTy::unknown:
      break;
  }
  KESO_assert("nr != unknown", "kscore/inc/_ksnulty", 168);
  return 0;
}
