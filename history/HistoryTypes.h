// The plain figures that go into and come out of the practice history
// (HistoryStore). Texts are Windows-1252 like every text of the core; the
// store keeps them as UTF-8 and converts at its edge. Times are seconds since
// 1970-01-01 UTC; days are calendar days in the computer's local time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using PupilId = std::int64_t;

// A pupil's name is as long as the results window's name question allows.
inline constexpr std::size_t kPupilNameMaxLength = 30;
inline constexpr std::size_t kPupilClassMaxLength = 10;
// A key typed fewer times than this in a period has no error rate worth
// showing: the key map draws it grey.
inline constexpr std::int64_t kMinKeystrokesToJudge = 20;
inline constexpr std::size_t kTopConfusionCount = 10;
// The summary's speed is the average of this many most recent sentences.
inline constexpr int kRecentSentenceCount = 20;
inline constexpr std::size_t kWeakestKeyCount = 5;
// A keystroke whose interval is unknown (the first of a sentence, or one
// after a pause) counts towards rates but not towards the average interval.
inline constexpr std::int32_t kNoInterval = -1;

// How the store stands after opening it, and what a write achieved.
enum class StoreStatus {
    Ok,
    // The file was damaged: it was kept aside under a dated name and a new,
    // empty history was started in its place. Saving works again.
    StartedAfresh,
    // Another process (a second tutor of this account) holds the database.
    Locked,
    // The file or its folder may not be written.
    ReadOnly,
    DiskFull,
    // Written by a newer Zentavo: left untouched, neither read nor written.
    NewerSchema,
    // Not opened, or opening failed for another reason (missing folder that
    // cannot be made, input/output error, not a database and cannot be kept
    // aside).
    Unavailable,
};

// True when the store takes new sentences.
constexpr bool CanSave(StoreStatus status) {
    return status == StoreStatus::Ok || status == StoreStatus::StartedAfresh;
}

// What a change to the list of pupils achieved.
enum class PupilChange {
    Done,
    EmptyName,
    NameTooLong,  // more than kPupilNameMaxLength characters
    ClassTooLong, // more than kPupilClassMaxLength characters
    NameTaken,    // another pupil has the same name and class
    NoSuchPupil,
    NotSaved, // the store cannot save (see HistoryStore::Status)
};

struct PupilInfo {
    PupilId id = 0;
    std::string name;
    std::string className; // empty when none was given
    friend bool operator==(const PupilInfo&, const PupilInfo&) = default;
};

// One finished sentence with its figures, as the exercise run computed them.
struct SentenceRecord {
    std::int64_t finishedAt = 0;
    std::string exercise;        // the exercise file's name, empty for the built-in sentences
    std::int16_t level = 1;      // 1..3
    std::int16_t number = 1;     // the sentence's number in the exercise, 1..15
    std::int16_t difficulty = 0; // 0 Principiante, 1 Esperto
    float speed = 0;             // characters per second
    std::int16_t points = 0;
    std::int16_t correct = 0; // correct keystrokes
    std::int16_t wrong = 0;   // wrong keystrokes
    std::int32_t seconds = 0;
};

// One judged keystroke of a sentence: right when typed equals expected.
struct KeystrokeRecord {
    char expected = 0;
    char typed = 0;
    std::int32_t intervalMs = kNoInterval; // since the previous keystroke
};

enum class Period { LastWeek, LastMonth, LastYear, All };

struct LocalDate {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    friend bool operator==(const LocalDate&, const LocalDate&) = default;
};

// One day with practice.
struct DayFigures {
    LocalDate date;
    std::int64_t sentences = 0;
    double averageSpeed = 0; // characters per second, mean over the day's sentences
    double bestSpeed = 0;
    std::int64_t correct = 0;
    std::int64_t wrong = 0;
    double accuracy = 0; // correct / (correct + wrong), 0..1
    std::int64_t seconds = 0;
};

// One expected character over a period.
struct KeyFigures {
    char character = 0;
    std::int64_t keystrokes = 0; // right and wrong
    std::int64_t wrong = 0;
    double errorRate = 0;         // wrong / keystrokes, 0..1
    double averageIntervalMs = 0; // 0 when no interval was known
    bool judged = false;          // keystrokes >= kMinKeystrokesToJudge
};

struct ConfusionFigures {
    char expected = 0;
    char typed = 0; // typed instead of expected
    std::int64_t count = 0;
    friend bool operator==(const ConfusionFigures&, const ConfusionFigures&) = default;
};

// Everything the progress window and report show for one pupil and period.
struct ProgressFigures {
    Period period = Period::All;
    std::vector<DayFigures> days; // oldest first, only days with practice
    std::int64_t sentences = 0;
    std::int64_t exercisesFinished = 0; // sentences numbered 15
    double averageSpeed = 0;
    double bestSpeed = 0;
    std::int64_t correct = 0;
    std::int64_t wrong = 0;
    double accuracy = 0;
    std::int64_t seconds = 0;
    std::vector<KeyFigures> keys; // by character code
    // The kTopConfusionCount most frequent, most frequent first.
    std::vector<ConfusionFigures> topConfusions;
    // Up to kWeakestKeyCount judged keys with errors, highest error rate first.
    std::string weakestKeys;
};

// What a personal exercise is built from: every key and every confusion of
// one pupil, over all of the history.
struct PracticeProfile {
    std::vector<KeyFigures> keys;             // by character code
    std::vector<ConfusionFigures> confusions; // most frequent first
};

// The per-pupil line of a class overview, kept current with every sentence.
struct PupilSummary {
    PupilInfo pupil;
    std::int64_t exercisesFinished = 0;
    std::int64_t sentences = 0;
    std::int64_t lastPractice = 0; // 0 when never
    double recentSpeed = 0;        // mean of the last kRecentSentenceCount sentences
    double accuracy = 0;           // over all of the history
    std::string weakestKeys;       // as in ProgressFigures, over all of the history
};

// What one sentence added to the tallies of one expected character, as the
// database keeps it: characters as Unicode code points.
struct SentenceKeyRow {
    std::int64_t expected = 0;
    std::int64_t keystrokes = 0;
    std::int64_t wrong = 0;
    std::int64_t intervalSum = 0;
    std::int64_t intervalCount = 0;
    friend bool operator==(const SentenceKeyRow&, const SentenceKeyRow&) = default;
};

struct SentenceConfusionRow {
    std::int64_t expected = 0;
    std::int64_t typed = 0;
    std::int64_t count = 0;
    friend bool operator==(const SentenceConfusionRow&, const SentenceConfusionRow&) = default;
};

// One recorded sentence as a history holds it, with its identity and what
// it added to the tallies: what a copy of the history elsewhere takes over
// unchanged. Texts are UTF-8, as in the database.
struct StoredSentence {
    std::string uid; // empty: a new sentence, given a new identity when written
    std::int64_t finishedAt = 0;
    std::int64_t day = 0; // the local day where it was typed
    std::string exercise;
    std::int64_t level = 1;
    std::int64_t number = 1;
    std::int64_t difficulty = 0;
    double speed = 0;
    std::int64_t points = 0;
    std::int64_t correct = 0;
    std::int64_t wrong = 0;
    std::int64_t seconds = 0;
    std::vector<SentenceKeyRow> keys;
    std::vector<SentenceConfusionRow> confusions;
};
