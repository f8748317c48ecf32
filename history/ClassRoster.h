// ClassRoster reads the class folder for the teacher: one row per pupil
// file found directly in it ("*.sqlite", one pupil's history each, written by
// the tutors of the room), and the keys most often wrong across the class.
//
// Every file there is written by a pupil's computer and is read as hostile:
// a symbolic link, a folder, a special file, a file that is empty, too large,
// truncated, damaged, of another program or another schema, locked by the
// tutor writing it, left with a journal by a tutor that stopped mid-write, or
// gone while it is read. Each gives a row that says why it could not be read;
// nothing is ever written, deleted or created in the folder (the file is
// opened read-only through a guard that refuses every write, and a journal
// left behind is never rolled back: that is its tutor's job).
//
// Data flow: ReadClassRoster -> rows (names and keys as Windows-1252) ->
// SortRoster / RowsOfClass -> the class window, the CSV and the PDF report;
// SummariseClass adds the rows' key tallies for the class's key map.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Why a pupil file gave no figures.
enum class RosterProblem {
    None,
    SymbolicLink,
    NotAFile, // a folder, a device, a pipe, a socket
    Vanished, // gone between the listing and the read
    NoPermission,
    TooLarge, // larger than kMaxPupilFileBytes, or too costly to read
    Empty,
    NotADatabase,
    Truncated,
    Damaged,
    NotAPupilFile, // a database of another program or another schema
    NewerSchema,   // a later Zentavo's file without the columns read here
    JournalMode,   // not in the rollback-journal mode a shared folder needs
    InterruptedWrite,
    NoPupil,
    SeveralPupils,
    Busy, // its tutor kept it locked through every retry
    ReadError,
};

// Files larger than this are not read: a year of daily practice is a few
// megabytes.
inline constexpr std::uintmax_t kMaxPupilFileBytes = 256u * 1024 * 1024;
// At most this many pupil files are listed from one folder.
inline constexpr std::size_t kMaxRosterFiles = 5000;
// The weakest keys a row shows.
inline constexpr std::size_t kRosterWeakestKeys = 3;
// "Four weeks earlier": the sentences before this many days ago.
inline constexpr std::int64_t kEarlierSpeedDays = 28;

struct RosterRow {
    std::filesystem::path file;
    std::string fileName; // the name in the folder, as the system's bytes
    RosterProblem problem = RosterProblem::None;
    PupilInfo pupil; // Windows-1252
    std::int64_t exercisesFinished = 0;
    std::int64_t sentences = 0;
    std::int64_t lastPractice = 0; // seconds since 1970; 0 when never
    double speedNow = 0;           // characters per second, last kRecentSentenceCount sentences
    // The kRecentSentenceCount sentences before kEarlierSpeedDays ago;
    // nothing when the pupil had not practised by then.
    std::optional<double> speedEarlier;
    double accuracy = 0;          // 0..1 over all of the history
    std::string weakestKeys;      // up to kRosterWeakestKeys characters, weakest first
    std::vector<KeyFigures> keys; // every key of the history, for the class's map

    bool Readable() const { return problem == RosterProblem::None; }
};

// How a read waits for a file its tutor is writing.
struct RosterReadOptions {
    int busyRetries = 5;
    int retryPauseMs = 60;
    // Sleeps between retries; tests count the calls instead.
    std::function<void(int ms)> pause;
};

enum class FolderProblem { None, NotSet, Missing, NotAFolder, NoPermission };

struct ClassRoster {
    FolderProblem problem = FolderProblem::None;
    std::vector<RosterRow> rows; // in file name order
    bool cutShort = false;       // more than kMaxRosterFiles files were found
};

// One pupil file; `now` (seconds since 1970) places "four weeks earlier".
RosterRow ReadRosterFile(const std::filesystem::path& file, std::int64_t now,
                         const RosterReadOptions& options = {});

// Every "*.sqlite" entry directly in the folder, read as above.
ClassRoster ReadClassRoster(const std::filesystem::path& folder, std::int64_t now,
                            const RosterReadOptions& options = {});

// Copies a pupil file, as consistent as its tutor last committed it, to a
// new file `target` (outside the class folder) for the progress window to
// open: the window may then do as it likes with its copy. False when the file
// cannot be read (`problem`, when given, says why) or the copy not written.
bool CopyPupilFile(const std::filesystem::path& file, const std::filesystem::path& target,
                   RosterProblem* problem = nullptr, const RosterReadOptions& options = {});

// The columns of the class window, CSV and report, in their order.
enum class RosterColumn {
    Name,
    Class,
    ExercisesFinished,
    LastPractice,
    SpeedNow,
    SpeedEarlier,
    Accuracy,
    WeakestKeys,
    Sentences,
    File,
};
inline constexpr int kRosterColumnCount = 10;

// Readable rows by the column (names and classes without regard to case;
// ties by name, then file), then the unreadable rows by file name. A row
// without an earlier speed comes before every speed.
void SortRoster(std::vector<RosterRow>& rows, RosterColumn column, bool descending);

// The classes of the readable rows, sorted, each once; "" is left out.
std::vector<std::string> ClassesOf(const std::vector<RosterRow>& rows);
// The rows of one class, and every unreadable row, whose class is unknown;
// all rows for "".
std::vector<RosterRow> RowsOfClass(const std::vector<RosterRow>& rows,
                                   const std::string& className);

struct ClassSummary {
    std::int64_t pupils = 0; // readable rows
    std::int64_t unreadable = 0;
    std::vector<KeyFigures> keys; // every pupil's tallies added, by character code
    // Keys with wrong keystrokes, most wrong keystrokes first (then the
    // higher error rate, then the character code), at most `mostWrongCount`.
    std::vector<KeyFigures> mostWrong;
};
inline constexpr std::size_t kClassMostWrongKeys = 8;
ClassSummary SummariseClass(const std::vector<RosterRow>& rows,
                            std::size_t mostWrongCount = kClassMostWrongKeys);
