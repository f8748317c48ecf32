// Calendar days in the computer's local time, numbered from 1970-01-01, so
// that a day's practice is one bucket whatever the hour and a period is a
// range of numbers.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>

// Days further than this from 1970 come only from a damaged file; they are
// clamped so that no date arithmetic can overflow.
inline constexpr std::int64_t kFarthestDay = 3'000'000;

// The local day of a moment (seconds since 1970-01-01 UTC).
std::int64_t LocalDayOf(std::int64_t unixTime);
// The date of a day number.
LocalDate DateOfDay(std::int64_t day);
// The day number of a date (proleptic Gregorian calendar).
std::int64_t DayOfDate(const LocalDate& date);
