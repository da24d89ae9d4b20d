// KsBoolean comparisons: null below false below true.
#include "ksboolean.h"

int KsBoolean::operator==(const KsBoolean& other) const {
  if (IsNullValue() || other.IsNullValue()) return IsNullValue() && other.IsNullValue();
  return (value != 0) == (other.value != 0);
}

int KsBoolean::operator==(int truth) const {
  return !IsNullValue() && (value != 0) == (truth != 0);
}

int KsBoolean::operator<(const KsBoolean& other) const {
  if (other.IsNullValue()) return 0;
  if (IsNullValue()) return 1;
  return value == 0 && other.value != 0;
}

int KsBoolean::operator<(int truth) const {
  if (IsNullValue()) return 1;
  return value == 0 && truth != 0;
}

int KsBoolean::operator>(const KsBoolean& other) const {
  if (IsNullValue()) return 0;
  if (other.IsNullValue()) return 1;
  return value != 0 && other.value == 0;
}

int KsBoolean::operator>(int truth) const {
  return !IsNullValue() && value != 0 && truth == 0;
}
