#include "history/ClassRoster.h"

#include "common/core/Cp1252.h"
#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"
#include "history/KeyTallies.h"
#include "history/LocalDay.h"
#include "history/PupilTable.h"
#include "history/SqlStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int kFirstSchemaWithSummary = 2;
constexpr const char* kPupilFileExtension = ".sqlite";
constexpr std::int64_t kSecondsPerDay = 86400;

// SQLite's file header (the first 100 bytes of page 1).
constexpr std::size_t kHeaderSize = 100;
constexpr std::string_view kMagic{"SQLite format 3\0", 16};
constexpr std::size_t kPageSizeOffset = 16;
constexpr std::size_t kWriteVersionOffset = 18;
constexpr std::size_t kReadVersionOffset = 19;
constexpr std::size_t kChangeCounterOffset = 24;
constexpr std::size_t kPageCountOffset = 28;
constexpr std::size_t kValidForOffset = 92;
constexpr unsigned kRollbackJournalVersion = 1;
constexpr std::uint32_t kMinPageSize = 512;
constexpr std::uint32_t kMaxPageSize = 65536;
constexpr std::uint32_t kPageSizeCodedAsOne = 65536;

// What reading one file may cost: a file that needs more than this many
// virtual-machine steps (about a second) is crafted or far beyond a year.
constexpr int kProgressStride = 1000;
constexpr int kMaxProgressStrides = 40'000;
constexpr int kBusyTimeoutMs = 100;
constexpr int kMaxTextBytes = 1 << 20;
constexpr std::int64_t kMaxKeyRows = 1024;
// Speeds beyond this (characters per second) only come from a crafted file.
constexpr double kMaxSpeed = 1000.0;

// ---------------------------------------------------------------------------
// A VFS that passes reads to the system's and refuses every change: the
// database and its journals are opened read-only, nothing else is opened,
// and nothing is deleted (SQLite may otherwise delete a stale empty journal).

sqlite3_vfs* BaseVfs(sqlite3_vfs* self) {
    return static_cast<sqlite3_vfs*>(self->pAppData);
}

int GuardOpen(sqlite3_vfs* self, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    constexpr int kAllowed = SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL;
    if (name == nullptr || (flags & kAllowed) == 0) {
        file->pMethods = nullptr;
        return SQLITE_CANTOPEN;
    }
    flags &= ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_DELETEONCLOSE |
               SQLITE_OPEN_EXCLUSIVE);
    flags |= SQLITE_OPEN_READONLY;
    sqlite3_vfs* base = BaseVfs(self);
    return base->xOpen(base, name, file, flags, outFlags);
}

int GuardDelete(sqlite3_vfs*, const char*, int) {
    return SQLITE_IOERR_DELETE;
}

const char* GuardVfsName() {
    static sqlite3_vfs guard = [] {
        sqlite3_initialize();
        sqlite3_vfs* base = sqlite3_vfs_find(nullptr);
        sqlite3_vfs vfs = *base;
        vfs.zName = "zentavo-read-only";
        vfs.pAppData = base;
        vfs.pNext = nullptr;
        vfs.xOpen = GuardOpen;
        vfs.xDelete = GuardDelete;
        return vfs;
    }();
    static const bool registered = sqlite3_vfs_register(&guard, 0) == SQLITE_OK;
    return registered ? guard.zName : nullptr;
}

// ---------------------------------------------------------------------------

std::uint32_t BigEndian32(const unsigned char* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           std::uint32_t{p[3]};
}

// The file as found, held open from the first look to the end of the read:
// closing another descriptor of the file would drop SQLite's locks on it.
class FileHandle {
public:
    explicit FileHandle(const fs::path& file)
        : m_fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC)) {}
    ~FileHandle() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

RosterProblem ProblemOfErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return RosterProblem::Vanished;
    case EACCES:
    case EPERM:
        return RosterProblem::NoPermission;
    case ELOOP:
        return RosterProblem::SymbolicLink;
    default:
        return RosterProblem::ReadError;
    }
}

// The header of a rollback-journal database, checked before SQLite sees the
// file, so that it never makes the shared-memory files a WAL file would want.
RosterProblem CheckHeader(const unsigned char* header, std::size_t size) {
    const std::size_t magicPart = std::min(size, kMagic.size());
    if (std::memcmp(header, kMagic.data(), magicPart) != 0)
        return RosterProblem::NotADatabase;
    if (size < kHeaderSize)
        return RosterProblem::Truncated;
    std::uint32_t pageSize =
        (std::uint32_t{header[kPageSizeOffset]} << 8) | std::uint32_t{header[kPageSizeOffset + 1]};
    if (pageSize == 1)
        pageSize = kPageSizeCodedAsOne;
    if (pageSize < kMinPageSize || pageSize > kMaxPageSize || (pageSize & (pageSize - 1)) != 0)
        return RosterProblem::Damaged;
    if (header[kWriteVersionOffset] != kRollbackJournalVersion ||
        header[kReadVersionOffset] != kRollbackJournalVersion)
        return RosterProblem::JournalMode;
    return RosterProblem::None;
}

// Whether the file holds every page its header counts; read under SQLite's
// shared lock, while no tutor can be growing the file.
RosterProblem CheckLength(int fd) {
    std::array<unsigned char, kHeaderSize> header{};
    const ssize_t got = ::pread(fd, header.data(), header.size(), 0);
    struct stat st {};
    if (got < 0 || ::fstat(fd, &st) != 0)
        return RosterProblem::ReadError;
    if (static_cast<std::size_t>(got) < kHeaderSize)
        return RosterProblem::Truncated;
    if (const RosterProblem p = CheckHeader(header.data(), kHeaderSize); p != RosterProblem::None)
        return p;
    std::uint32_t pageSize =
        (std::uint32_t{header[kPageSizeOffset]} << 8) | std::uint32_t{header[kPageSizeOffset + 1]};
    if (pageSize == 1)
        pageSize = kPageSizeCodedAsOne;
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (size % pageSize != 0)
        return RosterProblem::Truncated;
    const std::uint32_t pages = BigEndian32(&header[kPageCountOffset]);
    const bool countValid =
        BigEndian32(&header[kChangeCounterOffset]) == BigEndian32(&header[kValidForOffset]);
    if (countValid && pages != 0 && size < std::uint64_t{pages} * pageSize)
        return RosterProblem::Truncated;
    return RosterProblem::None;
}

RosterProblem ProblemOf(const SqlError& e) {
    switch (e.PrimaryCode()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return RosterProblem::Busy;
    case SQLITE_READONLY:
        // A journal left by a tutor that stopped mid-write: rolling it back
        // would change the file.
        return e.Code() == SQLITE_READONLY_ROLLBACK ? RosterProblem::InterruptedWrite
                                                    : RosterProblem::ReadError;
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_RANGE:
        return RosterProblem::Damaged;
    case SQLITE_NOTADB:
        return RosterProblem::NotADatabase;
    case SQLITE_INTERRUPT:
    case SQLITE_TOOBIG:
    case SQLITE_NOMEM:
        return RosterProblem::TooLarge;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return RosterProblem::NoPermission;
    case SQLITE_CANTOPEN:
        return RosterProblem::Vanished;
    case SQLITE_IOERR:
        return e.Code() == SQLITE_IOERR_SHORT_READ ? RosterProblem::Truncated
                                                   : RosterProblem::ReadError;
    default:
        return RosterProblem::Damaged;
    }
}

// Thrown when the file is readable SQLite but not a pupil file.
struct NotReadable {
    RosterProblem problem;
};

// A read-only connection through the guard, with the limits of a hostile file.
class ReadConnection {
public:
    explicit ReadConnection(const fs::path& file) {
        const char* vfs = GuardVfsName();
        if (vfs == nullptr)
            throw SqlError(SQLITE_ERROR, "no read-only file layer");
        const int flags =
            SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOFOLLOW | SQLITE_OPEN_NOMUTEX;
        // readonly_shm: even a WAL file that slipped past the header check
        // makes no shared-memory file beside it.
        const int rc =
            sqlite3_open_v2(SqliteFileUri(file, "readonly_shm=1").c_str(), &m_db, flags, vfs);
        if (rc != SQLITE_OK) {
            const int code = m_db != nullptr ? sqlite3_extended_errcode(m_db) : rc;
            sqlite3_close_v2(m_db);
            m_db = nullptr;
            throw SqlError(code, "cannot open");
        }
        sqlite3_extended_result_codes(m_db, 1);
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        GuardAgainstCraftedFile(m_db);
        sqlite3_limit(m_db, SQLITE_LIMIT_LENGTH, kMaxTextBytes);
        sqlite3_progress_handler(m_db, kProgressStride, &ReadConnection::Progress, this);
        Execute("PRAGMA temp_store = MEMORY");
    }
    ~ReadConnection() { sqlite3_close_v2(m_db); }
    ReadConnection(const ReadConnection&) = delete;
    ReadConnection& operator=(const ReadConnection&) = delete;

    sqlite3* Db() const { return m_db; }
    void Execute(const char* sql) { SqlStatement(m_db, sql).Run(); }
    std::int64_t QueryInt(const char* sql) {
        SqlStatement statement(m_db, sql);
        return statement.Step() ? statement.Int(0) : 0;
    }

private:
    static int Progress(void* self) {
        return ++static_cast<ReadConnection*>(self)->m_strides > kMaxProgressStrides ? 1 : 0;
    }

    sqlite3* m_db = nullptr;
    int m_strides = 0;
};

// Every column read below, so that a file of another schema is told apart
// from a damaged one.
constexpr const char* kColumnProbes[] = {
    "SELECT id, name, class_name FROM pupils LIMIT 0",
    "SELECT pupil_id, exercises_finished, sentences, last_practice, recent_speed, correct, wrong "
    "FROM pupil_summary LIMIT 0",
    "SELECT pupil_id, expected, keystrokes, wrong, interval_sum, interval_count "
    "FROM key_totals LIMIT 0",
    "SELECT id, pupil_id, day, finished_at, speed FROM sentences LIMIT 0",
};

double SaneSpeed(double speed) {
    return std::isfinite(speed) ? std::clamp(speed, 0.0, kMaxSpeed) : 0.0;
}

double Accuracy(std::int64_t correct, std::int64_t wrong) {
    const double all = static_cast<double>(correct) + static_cast<double>(wrong);
    return all > 0 ? static_cast<double>(correct) / all : 0.0;
}

// Control characters of a crafted name would break the table's lines.
std::string Printable(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    }
    return text;
}

void CheckSchema(ReadConnection& connection) {
    const std::int64_t applicationId = connection.QueryInt("PRAGMA application_id");
    const std::int64_t version = connection.QueryInt("PRAGMA user_version");
    if (applicationId != history_schema::kApplicationId || version < kFirstSchemaWithSummary)
        throw NotReadable{RosterProblem::NotAPupilFile};
    try {
        for (const char* probe : kColumnProbes)
            SqlStatement(connection.Db(), probe);
    } catch (const SqlError& e) {
        if (e.PrimaryCode() != SQLITE_ERROR)
            throw;
        throw NotReadable{version > history_schema::kCurrentVersion ? RosterProblem::NewerSchema
                                                                    : RosterProblem::NotAPupilFile};
    }
}

void ReadPupil(ReadConnection& connection, std::int64_t now, RosterRow& row) {
    sqlite3* db = connection.Db();
    {
        SqlStatement pupils(db, "SELECT id, name, class_name FROM pupils ORDER BY id LIMIT 2");
        if (!pupils.Step())
            throw NotReadable{RosterProblem::NoPupil};
        row.pupil = PupilFromRow(pupils.Int(0), pupils.Text(1), pupils.Text(2));
        row.pupil.name = Printable(row.pupil.name);
        row.pupil.className = Printable(row.pupil.className);
        if (pupils.Step())
            throw NotReadable{RosterProblem::SeveralPupils};
    }
    {
        SqlStatement summary(db, "SELECT exercises_finished, sentences, last_practice, "
                                 "recent_speed, correct, wrong FROM pupil_summary "
                                 "WHERE pupil_id = ?1");
        summary.Bind(1, row.pupil.id);
        if (summary.Step()) {
            row.exercisesFinished = SaneCount(summary.Int(0));
            row.sentences = SaneCount(summary.Int(1));
            row.lastPractice = SaneCount(summary.Int(2));
            row.speedNow = SaneSpeed(summary.Real(3));
            row.accuracy = Accuracy(SaneCount(summary.Int(4)), SaneCount(summary.Int(5)));
        }
    }
    {
        SqlStatement keys(db, "SELECT expected, keystrokes, wrong, interval_sum, interval_count "
                              "FROM key_totals WHERE pupil_id = ?1 ORDER BY expected LIMIT ?2");
        keys.Bind(1, row.pupil.id).Bind(2, kMaxKeyRows);
        row.keys = ReadKeyFigures(keys);
        row.weakestKeys = WeakestKeysOf(row.keys).substr(0, kRosterWeakestKeys);
    }
    {
        // The index on (pupil_id, day, finished_at) serves this from its
        // end: twenty entries, whatever the length of the history.
        const std::int64_t cutoff = now - kEarlierSpeedDays * kSecondsPerDay;
        SqlStatement earlier(db, "SELECT COUNT(*), AVG(speed) FROM (SELECT speed FROM sentences "
                                 "WHERE pupil_id = ?1 AND day <= ?2 AND finished_at < ?3 "
                                 "ORDER BY day DESC, finished_at DESC, id DESC LIMIT ?4)");
        earlier.Bind(1, row.pupil.id)
            .Bind(2, LocalDayOf(cutoff))
            .Bind(3, cutoff)
            .Bind(4, std::int64_t{kRecentSentenceCount});
        if (earlier.Step() && earlier.Int(0) > 0)
            row.speedEarlier = SaneSpeed(earlier.Real(1));
    }
}

// Runs `read` inside one read transaction (one consistent state of the
// file), retrying while the file's tutor holds it; the problem it ends with.
template <typename Read>
RosterProblem WithFile(const fs::path& file, const RosterReadOptions& options, Read&& read) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0)
        return ProblemOfErrno(errno);
    if (S_ISLNK(st.st_mode))
        return RosterProblem::SymbolicLink;
    if (!S_ISREG(st.st_mode))
        return RosterProblem::NotAFile;
    if (static_cast<std::uintmax_t>(st.st_size) > kMaxPupilFileBytes)
        return RosterProblem::TooLarge;
    if (st.st_size == 0)
        return RosterProblem::Empty;

    const FileHandle handle(file);
    if (handle.Fd() < 0)
        return ProblemOfErrno(errno);
    struct stat opened {};
    if (::fstat(handle.Fd(), &opened) != 0)
        return RosterProblem::ReadError;
    if (!S_ISREG(opened.st_mode))
        return RosterProblem::NotAFile;
    std::array<unsigned char, kHeaderSize> header{};
    const ssize_t got = ::pread(handle.Fd(), header.data(), header.size(), 0);
    if (got < 0)
        return RosterProblem::ReadError;
    if (got == 0)
        return RosterProblem::Empty;
    if (const RosterProblem p = CheckHeader(header.data(), static_cast<std::size_t>(got));
        p != RosterProblem::None)
        return p;

    RosterProblem problem = RosterProblem::ReadError;
    for (int attempt = 0; attempt <= options.busyRetries; ++attempt) {
        if (attempt > 0) {
            if (options.pause)
                options.pause(options.retryPauseMs);
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(options.retryPauseMs));
        }
        try {
            ReadConnection connection(file);
            connection.Execute("BEGIN");
            CheckSchema(connection);
            if (const RosterProblem p = CheckLength(handle.Fd()); p != RosterProblem::None)
                return p;
            read(connection);
            connection.Execute("COMMIT");
            return RosterProblem::None;
        } catch (const NotReadable& e) {
            return e.problem;
        } catch (const SqlError& e) {
            problem = ProblemOf(e);
            // SQLite finds a file shorter than its header says damaged.
            if (problem == RosterProblem::Damaged &&
                CheckLength(handle.Fd()) == RosterProblem::Truncated)
                return RosterProblem::Truncated;
            if (problem == RosterProblem::Vanished && ::lstat(file.c_str(), &st) == 0)
                problem = RosterProblem::ReadError;
            if (problem != RosterProblem::Busy)
                return problem;
        }
    }
    return problem;
}

bool HasPupilFileName(const std::string& name) {
    const std::string_view extension = kPupilFileExtension;
    return name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

std::string Lowered(const std::string& text) {
    std::string lower;
    lower.reserve(text.size());
    for (const char c : text)
        lower += static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(c)));
    return lower;
}

// -1, 0 or 1: the order of the two readable rows by the column alone.
int CompareBy(const RosterRow& a, const RosterRow& b, RosterColumn column) {
    const auto order = [](const auto& x, const auto& y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (column) {
    case RosterColumn::Name:
        return order(Lowered(a.pupil.name), Lowered(b.pupil.name));
    case RosterColumn::Class:
        return order(Lowered(a.pupil.className), Lowered(b.pupil.className));
    case RosterColumn::ExercisesFinished:
        return order(a.exercisesFinished, b.exercisesFinished);
    case RosterColumn::LastPractice:
        return order(a.lastPractice, b.lastPractice);
    case RosterColumn::SpeedNow:
        return order(a.speedNow, b.speedNow);
    case RosterColumn::SpeedEarlier:
        return order(a.speedEarlier.value_or(-1.0), b.speedEarlier.value_or(-1.0));
    case RosterColumn::Accuracy:
        return order(a.accuracy, b.accuracy);
    case RosterColumn::WeakestKeys:
        return order(a.weakestKeys, b.weakestKeys);
    case RosterColumn::Sentences:
        return order(a.sentences, b.sentences);
    case RosterColumn::File:
        return order(a.fileName, b.fileName);
    }
    return 0;
}

} // namespace

RosterRow ReadRosterFile(const fs::path& file, std::int64_t now, const RosterReadOptions& options) {
    RosterRow row;
    row.file = file;
    row.fileName = file.filename().native();
    RosterRow read = row;
    row.problem = WithFile(file, options, [&](ReadConnection& connection) {
        read = row;
        ReadPupil(connection, now, read);
    });
    if (row.problem == RosterProblem::None)
        return read;
    return row;
}

ClassRoster ReadClassRoster(const fs::path& folder, std::int64_t now,
                            const RosterReadOptions& options) {
    ClassRoster roster;
    if (folder.empty()) {
        roster.problem = FolderProblem::NotSet;
        return roster;
    }
    // The folder's own path may run through links (a mounted share); only
    // the files in it may not be links.
    std::error_code ec;
    const fs::path real = fs::canonical(folder, ec);
    if (ec) {
        roster.problem = ec == std::errc::permission_denied ? FolderProblem::NoPermission
                                                            : FolderProblem::Missing;
        return roster;
    }
    if (!fs::is_directory(real, ec)) {
        roster.problem = FolderProblem::NotAFolder;
        return roster;
    }
    DIR* dir = ::opendir(real.c_str());
    if (dir == nullptr) {
        roster.problem = errno == EACCES ? FolderProblem::NoPermission : FolderProblem::Missing;
        return roster;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (!HasPupilFileName(name))
            continue;
        if (names.size() == kMaxRosterFiles) {
            roster.cutShort = true;
            break;
        }
        names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    roster.rows.reserve(names.size());
    for (const std::string& name : names)
        roster.rows.push_back(ReadRosterFile(real / name, now, options));
    return roster;
}

bool CopyPupilFile(const fs::path& file, const fs::path& target, RosterProblem* problem,
                   const RosterReadOptions& options) {
    bool copied = false;
    const RosterProblem found = WithFile(file, options, [&](ReadConnection& connection) {
        // Only a pupil file is handed on.
        RosterRow checked;
        ReadPupil(connection, 0, checked);
        struct stat st {};
        if (::lstat(target.c_str(), &st) == 0)
            return;
        sqlite3* copy = nullptr;
        const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        int rc = sqlite3_open_v2(target.c_str(), &copy, flags, nullptr);
        if (rc == SQLITE_OK) {
            sqlite3_backup* backup = sqlite3_backup_init(copy, "main", connection.Db(), "main");
            rc = backup != nullptr ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(copy);
            sqlite3_backup_finish(backup);
        }
        sqlite3_close_v2(copy);
        copied = rc == SQLITE_DONE;
        if (copied)
            return;
        std::error_code ec;
        fs::remove(target, ec);
        // The copy reads every page, where the roster read a few: damage
        // found there is the file's, not the copy's.
        const int primary = rc & 0xFF;
        if (primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_BUSY ||
            primary == SQLITE_LOCKED || rc == SQLITE_IOERR_SHORT_READ)
            throw SqlError(rc, "cannot copy");
    });
    if (problem != nullptr)
        *problem = found;
    return found == RosterProblem::None && copied;
}

void SortRoster(std::vector<RosterRow>& rows, RosterColumn column, bool descending) {
    std::stable_sort(rows.begin(), rows.end(), [&](const RosterRow& a, const RosterRow& b) {
        if (a.Readable() != b.Readable())
            return a.Readable();
        if (!a.Readable())
            return a.fileName < b.fileName;
        int c = CompareBy(a, b, column);
        if (descending)
            c = -c;
        if (c == 0)
            c = CompareBy(a, b, RosterColumn::Name);
        if (c == 0)
            c = CompareBy(a, b, RosterColumn::File);
        return c < 0;
    });
}

std::vector<std::string> ClassesOf(const std::vector<RosterRow>& rows) {
    std::vector<std::string> classes;
    for (const RosterRow& row : rows) {
        if (row.Readable() && !row.pupil.className.empty())
            classes.push_back(row.pupil.className);
    }
    std::sort(classes.begin(), classes.end());
    classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
    return classes;
}

std::vector<RosterRow> RowsOfClass(const std::vector<RosterRow>& rows,
                                   const std::string& className) {
    std::vector<RosterRow> chosen;
    for (const RosterRow& row : rows) {
        if (className.empty() || !row.Readable() || row.pupil.className == className)
            chosen.push_back(row);
    }
    return chosen;
}

ClassSummary SummariseClass(const std::vector<RosterRow>& rows, std::size_t mostWrongCount) {
    ClassSummary summary;
    std::map<unsigned char, std::pair<std::int64_t, std::int64_t>> tallies;
    for (const RosterRow& row : rows) {
        if (!row.Readable()) {
            ++summary.unreadable;
            continue;
        }
        ++summary.pupils;
        for (const KeyFigures& key : row.keys) {
            auto& [keystrokes, wrong] = tallies[static_cast<unsigned char>(key.character)];
            keystrokes = SaturatingAdd(keystrokes, key.keystrokes);
            wrong = SaturatingAdd(wrong, key.wrong);
        }
    }
    for (const auto& [character, tally] : tallies)
        summary.keys.push_back(
            MakeKeyFigures(static_cast<char>(character), tally.first, tally.second, 0, 0));
    for (const KeyFigures& key : summary.keys) {
        if (key.wrong > 0)
            summary.mostWrong.push_back(key);
    }
    std::stable_sort(summary.mostWrong.begin(), summary.mostWrong.end(),
                     [](const KeyFigures& a, const KeyFigures& b) {
                         if (a.wrong != b.wrong)
                             return a.wrong > b.wrong;
                         return a.errorRate > b.errorRate;
                     });
    if (summary.mostWrong.size() > mostWrongCount)
        summary.mostWrong.resize(mostWrongCount);
    return summary;
}
