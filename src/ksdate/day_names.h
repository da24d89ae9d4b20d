// The English month and weekday names shared by KsDate and the format engine.
#pragma once

namespace ks::calendar {

// Twelve month names followed by seven weekday names (Monday first).
extern const char* const kMonthAndDayNames[19];

// The name of month 1..12, or null outside.
const char* MonthName(int month);
// The name of weekday 0 (Monday) .. 6 (Sunday), or "no day" outside.
const char* WeekdayName(int weekday);

}  // namespace ks::calendar
