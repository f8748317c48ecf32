#include "history/LocalDay.h"

#include <algorithm>
#include <ctime>

namespace {

// The civil-calendar conversions of H. Hinnant's date algorithms: eras of
// 400 years, March-based years so that the leap day ends a year.
constexpr std::int64_t kDaysPerEra = 146097;
constexpr std::int64_t kDaysFrom0000To1970 = 719468;

} // namespace

std::int64_t DayOfDate(const LocalDate& date) {
    const std::int64_t y = static_cast<std::int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t m = date.month;
    const std::int64_t dayOfYear = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + date.day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * kDaysPerEra + dayOfEra - kDaysFrom0000To1970;
}

LocalDate DateOfDay(std::int64_t day) {
    const std::int64_t z = std::clamp(day, -kFarthestDay, kFarthestDay) + kDaysFrom0000To1970;
    const std::int64_t era = (z >= 0 ? z : z - (kDaysPerEra - 1)) / kDaysPerEra;
    const std::int64_t dayOfEra = z - era * kDaysPerEra;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t mp = (5 * dayOfYear + 2) / 153;
    LocalDate date;
    date.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    date.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    date.year = static_cast<int>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

std::int64_t LocalDayOf(std::int64_t unixTime) {
    const std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr)
        return std::clamp<std::int64_t>(unixTime / 86400, -kFarthestDay, kFarthestDay);
    return std::clamp(DayOfDate({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday}),
                      -kFarthestDay, kFarthestDay);
}
