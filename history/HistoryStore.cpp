#include "history/HistoryStore.h"

#include "common/core/ProgramPaths.h"
#include "history/DatabaseFile.h"
#include "history/FiguresReader.h"
#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"
#include "history/PupilTable.h"
#include "history/SentenceExport.h"
#include "history/SentenceWriter.h"

#include <sqlite3.h>

#include <ctime>
#include <fstream>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultPupilName = "Alunno";
constexpr const char* kFolderName = "Zentavo";
constexpr const char* kFileName = "history.sqlite";

bool IsDamage(const SqlError& e) {
    return e.PrimaryCode() == SQLITE_CORRUPT || e.PrimaryCode() == SQLITE_NOTADB;
}

StoreStatus StatusOf(const SqlError& e) {
    switch (e.PrimaryCode()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return StoreStatus::Locked;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return StoreStatus::ReadOnly;
    case SQLITE_FULL:
        return StoreStatus::DiskFull;
    default:
        return StoreStatus::Unavailable;
    }
}

StoreStatus StatusOf(const std::error_code& ec) {
    if (ec == std::errc::no_space_on_device)
        return StoreStatus::DiskFull;
    if (ec == std::errc::read_only_file_system || ec == std::errc::permission_denied ||
        ec == std::errc::operation_not_permitted)
        return StoreStatus::ReadOnly;
    return StoreStatus::Unavailable;
}

// The file is not a history this store can use, whatever SQLite makes of it.
struct Damaged {};

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};

// What the file's first bytes and its journals say before SQLite reads it:
// SQLite would drop a journal found beside a file too short to be a
// database, and the journal must go aside with the file instead.
bool LooksDamaged(const fs::path& file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    if (ec)
        return false;
    const bool journals =
        fs::exists(file.native() + "-wal", ec) || fs::exists(file.native() + "-journal", ec);
    if (size == 0)
        return journals;
    std::ifstream in(file, std::ios::binary);
    std::string head(kSqliteHeader.size(), '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    return !in || head != kSqliteHeader;
}

// One try at opening a file as a history.
struct Attempt {
    StoreStatus status = StoreStatus::Unavailable;
    std::unique_ptr<HistoryDatabase> db;
    bool readable = false;
    bool damaged = false;
};

std::string FirstPupilName(const std::string& accountUserName) {
    std::string name = TrimmedText(accountUserName);
    if (name.size() > kPupilNameMaxLength)
        name = TrimmedText(name.substr(0, kPupilNameMaxLength));
    return name.empty() ? kDefaultPupilName : name;
}

void EnsureAPupil(HistoryDatabase& db, const std::string& accountUserName) {
    if (!ListPupils(db).empty())
        return;
    Transaction transaction(db);
    const PupilId id = InsertPupil(db, FirstPupilName(accountUserName), "");
    WriteCurrentPupil(db, id);
    transaction.Commit();
}

// Opens, checks and, when it may be written, brings the file up to date.
// Throws SqlError or Damaged.
Attempt TryOpen(const fs::path& file, bool readOnly, const std::string& accountUserName) {
    using namespace history_schema;
    Attempt a;
    a.db = std::make_unique<HistoryDatabase>(file, readOnly);
    HistoryDatabase& db = *a.db;
    // Held from the first read to the close: a second tutor of the account
    // finds the file locked and writes nothing.
    db.Execute("PRAGMA locking_mode = EXCLUSIVE");
    const std::int64_t tables = db.QueryInt("SELECT COUNT(*) FROM sqlite_master");
    const std::int64_t applicationId = db.QueryInt("PRAGMA application_id");
    const std::int64_t version = db.QueryInt("PRAGMA user_version");
    const bool empty = tables == 0;
    // Our schema is written in one transaction with its version: tables
    // without the version, or a version without tables, are not ours.
    if (empty ? version != 0 : (applicationId != kApplicationId || version < 1))
        throw Damaged{};
    if (version > kCurrentVersion) {
        a.status = StoreStatus::NewerSchema;
        a.db.reset();
        return a;
    }
    if (!empty && db.QueryText("PRAGMA quick_check") != "ok")
        throw Damaged{};
    // Checked before anything is written: a damaged file is kept aside as
    // it was found.
    if (!empty && !HasTablesOf(db, static_cast<int>(version)))
        throw Damaged{};
    if (readOnly) {
        a.status = StoreStatus::ReadOnly;
        a.readable = !empty && version == kCurrentVersion;
        return a;
    }
    const bool wal = IsOnLocalDisk(file.parent_path());
    db.Execute(wal ? "PRAGMA journal_mode = WAL" : "PRAGMA journal_mode = DELETE");
    // In WAL a commit reaches the journal before it returns, which a killed
    // process cannot undo; only a power cut could lose the last sentences.
    db.Execute(wal ? "PRAGMA synchronous = NORMAL" : "PRAGMA synchronous = FULL");
    {
        Transaction transaction(db, Transaction::Kind::Exclusive);
        if (version < kCurrentVersion)
            Migrate(db, empty ? 0 : static_cast<int>(version));
        transaction.Commit();
    }
    EnsureAPupil(db, accountUserName);
    a.status = StoreStatus::Ok;
    a.readable = true;
    return a;
}

Attempt Classify(const fs::path& file, bool readOnly, const std::string& accountUserName) {
    try {
        return TryOpen(file, readOnly, accountUserName);
    } catch (const Damaged&) {
    } catch (const SqlError& e) {
        if (!IsDamage(e)) {
            Attempt a;
            a.status = StatusOf(e);
            return a;
        }
    }
    Attempt a;
    a.damaged = true;
    return a;
}

} // namespace

HistoryStore::HistoryStore() = default;

HistoryStore::~HistoryStore() = default;

std::string HistoryStore::DefaultPath(const std::string& xdgDataHome, const std::string& home) {
    std::string dataHome;
    if (!xdgDataHome.empty() && xdgDataHome.front() == '/')
        dataHome = xdgDataHome;
    else if (!home.empty() && home.front() == '/')
        dataHome = home + (home.back() == '/' ? "" : "/") + ".local/share";
    else
        return {};
    if (dataHome.back() != '/')
        dataHome += '/';
    return dataHome + kFolderName + "/" + kFileName;
}

void HistoryStore::Close() {
    m_db.reset();
    m_status = StoreStatus::Unavailable;
    m_writable = false;
    m_readable = false;
    m_keptAside.clear();
}

StoreStatus HistoryStore::Open(const std::string& path, const std::string& accountUserName) {
    Close();
    m_path = path;
    if (path.empty())
        return m_status;
    const fs::path file = NativePath(path);
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) {
        m_status = StatusOf(ec);
        return m_status;
    }
    const bool exists = fs::exists(fs::symlink_status(file, ec));
    const bool readOnly = !MayWriteFolder(folder) || (exists && !MayWriteFile(file));
    if (readOnly && !exists) {
        m_status = StoreStatus::ReadOnly;
        return m_status;
    }

    Attempt a;
    if (exists && LooksDamaged(file))
        a.damaged = true;
    else
        a = Classify(file, readOnly, accountUserName);
    if (a.damaged && readOnly) {
        m_status = StoreStatus::ReadOnly;
        return m_status;
    }
    if (a.damaged) {
        const std::optional<fs::path> kept = KeepAside(file, std::time(nullptr));
        if (!kept) {
            m_status = StoreStatus::Unavailable;
            return m_status;
        }
        m_keptAside = FromNativePath(*kept);
        a = Classify(file, false, accountUserName);
        if (a.damaged)
            a.status = StoreStatus::Unavailable;
        else if (a.status == StoreStatus::Ok)
            a.status = StoreStatus::StartedAfresh;
    }
    m_status = a.status;
    m_readable = a.readable;
    m_writable = ::CanSave(a.status);
    m_db = std::move(a.db);
    if (!m_readable)
        m_db.reset();
    return m_status;
}

template <typename T, typename F> T HistoryStore::Read(F&& read, T fallback) const {
    if (!m_readable || !m_db)
        return fallback;
    try {
        return read(*m_db);
    } catch (const SqlError&) {
        return fallback;
    }
}

template <typename F> StoreStatus HistoryStore::Write(F&& write) {
    if (!m_writable || !m_db)
        return m_status == StoreStatus::Ok ? StoreStatus::Unavailable : m_status;
    try {
        Transaction transaction(*m_db);
        write(*m_db);
        transaction.Commit();
    } catch (const SqlError& e) {
        const StoreStatus failure = StatusOf(e);
        m_status = failure;
        // A file found damaged while in use is left as it is for the rest of
        // the run; the next start keeps it aside.
        if (IsDamage(e))
            m_writable = false;
        return failure;
    }
    if (!::CanSave(m_status))
        m_status = StoreStatus::Ok;
    return m_status;
}

std::vector<PupilInfo> HistoryStore::Pupils() const {
    return Read<std::vector<PupilInfo>>([](HistoryDatabase& db) { return ListPupils(db); }, {});
}

std::optional<PupilInfo> HistoryStore::Pupil(PupilId id) const {
    return Read<std::optional<PupilInfo>>([id](HistoryDatabase& db) { return FindPupil(db, id); },
                                          std::nullopt);
}

std::optional<PupilId> HistoryStore::CurrentPupil() const {
    return Read<std::optional<PupilId>>([](HistoryDatabase& db) { return ReadCurrentPupil(db); },
                                        std::nullopt);
}

PupilChange HistoryStore::SetCurrentPupil(PupilId id) {
    if (!Pupil(id))
        return m_writable ? PupilChange::NoSuchPupil : PupilChange::NotSaved;
    return ::CanSave(Write([id](HistoryDatabase& db) { WriteCurrentPupil(db, id); }))
               ? PupilChange::Done
               : PupilChange::NotSaved;
}

PupilChange HistoryStore::AddPupil(const std::string& name, const std::string& className,
                                   PupilId* newId) {
    const std::string n = TrimmedText(name);
    const std::string c = TrimmedText(className);
    if (const PupilChange problem = CheckPupilText(n, c); problem != PupilChange::Done)
        return problem;
    if (!m_writable)
        return PupilChange::NotSaved;
    bool taken = false;
    PupilId id = 0;
    const StoreStatus status = Write([&](HistoryDatabase& db) {
        taken = PupilNameTaken(db, n, c, 0);
        if (!taken)
            id = InsertPupil(db, n, c);
    });
    if (!::CanSave(status))
        return PupilChange::NotSaved;
    if (taken)
        return PupilChange::NameTaken;
    if (newId != nullptr)
        *newId = id;
    return PupilChange::Done;
}

PupilChange HistoryStore::RenamePupil(PupilId id, const std::string& name,
                                      const std::string& className) {
    const std::string n = TrimmedText(name);
    const std::string c = TrimmedText(className);
    if (const PupilChange problem = CheckPupilText(n, c); problem != PupilChange::Done)
        return problem;
    if (!m_writable)
        return PupilChange::NotSaved;
    PupilChange outcome = PupilChange::Done;
    const StoreStatus status = Write([&](HistoryDatabase& db) {
        if (!FindPupil(db, id))
            outcome = PupilChange::NoSuchPupil;
        else if (PupilNameTaken(db, n, c, id))
            outcome = PupilChange::NameTaken;
        else
            UpdatePupil(db, id, n, c);
    });
    return ::CanSave(status) ? outcome : PupilChange::NotSaved;
}

PupilChange HistoryStore::RemovePupil(PupilId id) {
    if (!m_writable)
        return PupilChange::NotSaved;
    PupilChange outcome = PupilChange::Done;
    const StoreStatus status = Write([&](HistoryDatabase& db) {
        if (!FindPupil(db, id))
            outcome = PupilChange::NoSuchPupil;
        else
            DeletePupil(db, id);
    });
    return ::CanSave(status) ? outcome : PupilChange::NotSaved;
}

StoreStatus HistoryStore::RecordSentence(PupilId pupil, const SentenceRecord& sentence,
                                         const std::vector<KeystrokeRecord>& keystrokes) {
    bool known = true;
    const StoreStatus status = Write([&](HistoryDatabase& db) {
        known = FindPupil(db, pupil).has_value();
        if (known)
            WriteSentence(db, pupil, sentence, keystrokes);
    });
    if (::CanSave(status) && !known)
        return StoreStatus::Unavailable;
    if (::CanSave(status) && m_recordListener)
        m_recordListener(pupil, sentence);
    return status;
}

std::vector<StoredSentence>
HistoryStore::SentencesMissingFrom(PupilId pupil, const std::unordered_set<std::string>& present,
                                   std::int64_t afterId, std::int64_t* lastId) const {
    return Read<std::vector<StoredSentence>>(
        [&](HistoryDatabase& db) {
            return ReadSentencesMissingFrom(db, pupil, present, afterId, lastId);
        },
        {});
}

ProgressFigures HistoryStore::Figures(PupilId pupil, Period period, std::int64_t now) const {
    ProgressFigures empty;
    empty.period = period;
    return Read<ProgressFigures>(
        [&](HistoryDatabase& db) { return ReadFigures(db, pupil, period, now); }, empty);
}

PracticeProfile HistoryStore::PracticeProfileOf(PupilId pupil) const {
    return Read<PracticeProfile>(
        [pupil](HistoryDatabase& db) { return ReadPracticeProfile(db, pupil); }, {});
}

std::optional<PupilSummary> HistoryStore::Summary(PupilId pupil) const {
    for (PupilSummary& s : Summaries()) {
        if (s.pupil.id == pupil)
            return s;
    }
    return std::nullopt;
}

std::vector<PupilSummary> HistoryStore::Summaries() const {
    return Read<std::vector<PupilSummary>>([](HistoryDatabase& db) { return ReadSummaries(db); },
                                           {});
}
