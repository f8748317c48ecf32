// Helpers of the history tests: a fixed local time zone (Rome's rules,
// written out so that no zone database is needed), local moments, and
// sentences and keystrokes made short to write.
#pragma once

#include "../common/core/TempFolder.h"

#include "history/HistoryStore.h"

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

inline void UseRomeTime() {
    ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    ::tzset();
}

// A moment given in local time.
inline std::int64_t At(int year, int month, int day, int hour, int minute = 0) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&local));
}

inline SentenceRecord Sentence(std::int64_t at, float speed, std::int16_t correct,
                               std::int16_t wrong, std::int32_t seconds, std::int16_t number = 1) {
    SentenceRecord s;
    s.finishedAt = at;
    s.exercise = "prova.ftd";
    s.level = static_cast<std::int16_t>((number - 1) / 5 + 1);
    s.number = number;
    s.speed = speed;
    s.points = static_cast<std::int16_t>(speed * 40);
    s.correct = correct;
    s.wrong = wrong;
    s.seconds = seconds;
    return s;
}

// `count` keystrokes of `expected`, typed as `typed`, each after intervalMs.
inline void AddKeystrokes(std::vector<KeystrokeRecord>& keys, char expected, char typed, int count,
                          std::int32_t intervalMs) {
    for (int i = 0; i < count; ++i)
        keys.push_back({expected, typed, intervalMs});
}

inline std::string HistoryFile(const TempFolder& folder) {
    return folder.File("Zentavo/history.sqlite");
}
