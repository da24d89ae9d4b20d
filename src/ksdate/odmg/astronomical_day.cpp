#include "ksdate/odmg/astronomical_day.h"

#include "ksdate/saturating.h"

namespace ks::odmg {
namespace {

// The formula's floor: conversion to integer, truncating toward zero.
long long Whole(double value) {
  return ks::calendar::TruncateToInt64(value);
}

constexpr int kFirstGregorianDayNumber = 2299170;  // before the correction
constexpr long long kLastJulianJdn = 2299160;

}  // namespace

int AstronomicalDayNumber(int year, int month, int day) {
  const int y = month < 3 ? year - 1 : year;
  const int m = month < 3 ? month + 13 : month + 1;
  int n = static_cast<int>(Whole(365.25 * y)) + 1720994 + day + static_cast<int>(Whole(30.6001 * m));
  if (n >= kFirstGregorianDayNumber) {
    const int a = y / 100;
    n = n + 2 - a + a / 4;
  }
  return n;
}

AstronomicalDate AstronomicalDateOf(int dayNumber) {
  const long long n = dayNumber;
  long long j = n + 1;
  if (j > kLastJulianJdn) {
    const long long alpha = Whole((static_cast<double>(j) - 1867216.25) / 36524.25);
    j = n + 2 + alpha - alpha / 4;
  }
  const long long b = j + 1524;
  const long long k = Whole((static_cast<double>(b) - 122.1) / 365.25);
  const long long g = Whole(365.25 * static_cast<double>(k));
  const long long e = Whole(static_cast<double>(b - g) / 30.6001);
  const long long day = b - g - Whole(30.6001 * static_cast<double>(e));
  const long long month = e < 14 ? e - 1 : e - 13;
  const long long year = month >= 3 ? k - 4716 : k - 4715;
  // Every int day number keeps these far inside int.
  return {static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

bool IsOdmgLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0 || year < 1600);
}

}  // namespace ks::odmg
