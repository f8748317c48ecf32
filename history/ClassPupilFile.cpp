#include "history/ClassPupilFile.h"

#include "common/core/Cp1252.h"
#include "common/core/ProgramPaths.h"
#include "common/core/SafeFileName.h"
#include "history/DatabaseFile.h"
#include "history/HistoryDatabase.h"
#include "history/HistorySchema.h"
#include "history/PupilTable.h"
#include "history/SentenceWriter.h"
#include "history/SummaryRefresh.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

constexpr const char* kFileExtension = ".sqlite";
// A file set aside is not a pupil's file: the teacher's class window, which
// lists the ".sqlite" files, passes it by.
constexpr const char* kAsideExtension = ".aside";
constexpr const char* kClassSeparator = " - ";
// What the pupil's file may have beside it: SQLite's journals.
constexpr const char* kCompanions[] = {"-journal", "-wal", "-shm"};

// A lock of another computer is waited for this long by each statement, and
// each transaction is tried this many times, with a growing pause between.
constexpr int kBusyTimeoutMs = 1000;
constexpr int kTries = 4;
constexpr int kPauseMs = 300;

constexpr std::string_view kSqliteHeader{"SQLite format 3\0", 16};
constexpr std::size_t kHeaderBytes = 100;
// Bytes 18 and 19 of the header: 1 for a rollback journal, 2 for WAL.
constexpr std::size_t kWriteVersionByte = 18;
constexpr std::size_t kReadVersionByte = 19;
constexpr char kRollbackJournal = 1;

// FNV-1a: small, and the same on every computer.
std::uint32_t Checksum(std::string_view text) {
    constexpr std::uint32_t kOffset = 2166136261u;
    constexpr std::uint32_t kPrime = 16777619u;
    std::uint32_t hash = kOffset;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= kPrime;
    }
    return hash;
}

bool IsDamage(const SqlError& e) {
    return e.PrimaryCode() == SQLITE_CORRUPT || e.PrimaryCode() == SQLITE_NOTADB ||
           e.Code() == SQLITE_CANTOPEN_SYMLINK;
}

bool IsBusy(const SqlError& e) {
    return e.PrimaryCode() == SQLITE_BUSY || e.PrimaryCode() == SQLITE_LOCKED;
}

ClassCopyStatus StatusOf(const SqlError& e) {
    switch (e.PrimaryCode()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ClassCopyStatus::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return ClassCopyStatus::ReadOnly;
    case SQLITE_FULL:
        return ClassCopyStatus::DiskFull;
    default:
        return ClassCopyStatus::Unavailable;
    }
}

// Runs one transaction's work, trying again while another computer holds
// the lock. Throws what the last try threw.
template <typename F> void WithRetries(F&& work) {
    for (int attempt = 1;; ++attempt) {
        try {
            work();
            return;
        } catch (const SqlError& e) {
            if (!IsBusy(e) || attempt == kTries)
                throw;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPauseMs * attempt));
    }
}

// Whether what lies at the pupil's file name may be opened as a class file:
// nothing at all, or a plain file of a sane size that is an SQLite database in
// rollback-journal mode, with no companion but a plain rollback journal.
enum class Look { Missing, Usable, Damaged };

Look LookAt(const fs::path& file) {
    for (const char* suffix : kCompanions) {
        struct stat st {};
        if (::lstat((file.native() + suffix).c_str(), &st) != 0)
            continue;
        // A WAL journal or its index has no place beside a file on a share.
        if (!S_ISREG(st.st_mode) || std::string_view(suffix) != "-journal")
            return Look::Damaged;
    }
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0)
        return Look::Missing;
    if (!S_ISREG(st.st_mode) || st.st_size > kMaxClassFileBytes)
        return Look::Damaged;
    if (st.st_size == 0)
        return Look::Usable;
    std::ifstream in(file, std::ios::binary);
    std::string head(kHeaderBytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    if (!in || head.compare(0, kSqliteHeader.size(), kSqliteHeader) != 0 ||
        head[kWriteVersionByte] != kRollbackJournal || head[kReadVersionByte] != kRollbackJournal)
        return Look::Damaged;
    return Look::Usable;
}

struct DamagedFile {};

} // namespace

std::string ClassFileStem(const PupilInfo& pupil) {
    return SafeFileStem(pupil.className.empty() ? pupil.name
                                                : pupil.className + kClassSeparator + pupil.name);
}

std::vector<std::string> ClassFileNames(const PupilInfo& pupil) {
    const std::string stem = ClassFileStem(pupil);
    char hex[16];
    std::snprintf(hex, sizeof hex, "-%08x",
                  static_cast<unsigned>(Checksum(pupil.name + '\n' + pupil.className)));
    return {Cp1252ToFileName(stem) + kFileExtension, Cp1252ToFileName(stem + hex) + kFileExtension};
}

ClassPupilFile::ClassPupilFile() = default;

ClassPupilFile::~ClassPupilFile() = default;

void ClassPupilFile::Close() {
    m_db.reset();
}

ClassCopyStatus ClassPupilFile::SetAside(const std::string& path, std::int64_t now) {
    Close();
    const std::optional<fs::path> kept = KeepAside(NativePath(path), now, kAsideExtension);
    if (!kept)
        return ClassCopyStatus::Unavailable;
    m_keptAside = FromNativePath(*kept);
    return ClassCopyStatus::Done;
}

ClassCopyStatus ClassPupilFile::Open(const std::string& folder, const PupilInfo& pupil,
                                     std::int64_t now) {
    Close();
    m_keptAside.clear();
    m_now = now;
    // A relative folder would depend on where the tutor was started from.
    if (folder.empty() || folder.front() != '/')
        return ClassCopyStatus::FolderMissing;
    const fs::path dir = NativePath(folder);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0)
        return errno == EACCES ? ClassCopyStatus::ReadOnly : ClassCopyStatus::FolderMissing;
    if (!S_ISDIR(st.st_mode))
        return ClassCopyStatus::FolderMissing;
    if (!MayWriteFolder(dir))
        return ClassCopyStatus::ReadOnly;
    for (const std::string& name : ClassFileNames(pupil)) {
        m_path = FromNativePath(dir / name);
        // A damaged file is set aside once; a new one that is damaged at once
        // is another computer's doing, left for the next copy.
        for (int round = 0; round < 2; ++round) {
            ClassCopyStatus status = ClassCopyStatus::Done;
            const Found found = OpenCandidate(m_path, pupil, &status);
            if (found == Found::Ours)
                return ClassCopyStatus::Done;
            if (found == Found::Failed)
                return status;
            if (found == Found::OtherPupil)
                break;
            if (round == 1)
                return ClassCopyStatus::Unavailable;
            if (const ClassCopyStatus aside = SetAside(m_path, now); aside != ClassCopyStatus::Done)
                return aside;
        }
    }
    Close();
    return ClassCopyStatus::NameTaken;
}

ClassPupilFile::Found ClassPupilFile::OpenCandidate(const std::string& path, const PupilInfo& pupil,
                                                    ClassCopyStatus* status) {
    using namespace history_schema;
    Close();
    const fs::path file = NativePath(path);
    const Look look = LookAt(file);
    if (look == Look::Damaged)
        return Found::Damaged;
    if (look == Look::Usable && !MayWriteFile(file)) {
        *status = ClassCopyStatus::ReadOnly;
        return Found::Failed;
    }
    const std::string name = Cp1252ToUtf8(pupil.name);
    const std::string className = Cp1252ToUtf8(pupil.className);
    Found found = Found::Ours;
    try {
        m_db = std::make_unique<HistoryDatabase>(file, SharedFileAccess::Write);
        HistoryDatabase& db = *m_db;
        db.SetBusyTimeout(kBusyTimeoutMs);
        WithRetries([&] {
            db.Execute("PRAGMA journal_mode = DELETE");
            db.Execute("PRAGMA synchronous = FULL");
        });
        WithRetries([&] {
            found = Found::Ours;
            // Read and, for a new file, written in one transaction: two
            // computers making the same file at once end with one schema.
            Transaction transaction(db);
            const std::int64_t tables = db.QueryInt("SELECT COUNT(*) FROM sqlite_master");
            const std::int64_t applicationId = db.QueryInt("PRAGMA application_id");
            const std::int64_t version = db.QueryInt("PRAGMA user_version");
            const bool empty = tables == 0;
            if (empty ? version != 0 : (applicationId != kApplicationId || version < 1))
                throw DamagedFile{};
            if (version > kCurrentVersion) {
                found = Found::Failed;
                *status = ClassCopyStatus::NewerSchema;
                return;
            }
            if (!empty && !HasTablesOf(db, static_cast<int>(version)))
                throw DamagedFile{};
            if (version < kCurrentVersion)
                Migrate(db, empty ? 0 : static_cast<int>(version));
            SqlStatement rows = db.Prepare("SELECT id, name, class_name FROM pupils LIMIT 2");
            std::vector<std::tuple<PupilId, std::string, std::string>> pupils;
            while (rows.Step())
                pupils.emplace_back(rows.Int(0), rows.Text(1), rows.Text(2));
            if (pupils.size() > 1)
                throw DamagedFile{};
            if (pupils.empty()) {
                m_pupil = InsertPupil(db, pupil.name, pupil.className);
                RebuildSummary(db, m_pupil);
            } else if (std::get<1>(pupils[0]) == name && std::get<2>(pupils[0]) == className) {
                m_pupil = std::get<0>(pupils[0]);
            } else {
                found = Found::OtherPupil;
                return;
            }
            transaction.Commit();
        });
    } catch (const DamagedFile&) {
        found = Found::Damaged;
    } catch (const SqlError& e) {
        if (IsDamage(e)) {
            found = Found::Damaged;
        } else {
            found = Found::Failed;
            *status = StatusOf(e);
        }
    }
    if (found != Found::Ours)
        Close();
    return found;
}

std::unordered_set<std::string> ClassPupilFile::Identities() {
    std::unordered_set<std::string> uids;
    if (!m_db)
        return uids;
    WithRetries([&] {
        uids.clear();
        SqlStatement rows = m_db->Prepare("SELECT uid FROM sentences WHERE uid IS NOT NULL");
        while (rows.Step())
            uids.insert(rows.Text(0));
    });
    return uids;
}

std::int64_t ClassPupilFile::SentenceCount() {
    std::int64_t count = 0;
    if (!m_db)
        return count;
    WithRetries([&] {
        SqlStatement row = m_db->Prepare("SELECT sentences FROM pupil_summary WHERE pupil_id = ?1");
        row.Bind(1, m_pupil);
        count = row.Step() ? std::max<std::int64_t>(row.Int(0), 0) : 0;
    });
    return count;
}

ClassCopyStatus ClassPupilFile::Add(const std::vector<StoredSentence>& sentences, std::size_t batch,
                                    std::size_t* copied, bool* damaged) {
    *copied = 0;
    *damaged = false;
    if (!m_db)
        return ClassCopyStatus::Unavailable;
    batch = std::max<std::size_t>(batch, 1);
    HistoryDatabase& db = *m_db;
    try {
        for (std::size_t first = 0; first < sentences.size(); first += batch) {
            const std::size_t last = std::min(sentences.size(), first + batch);
            std::size_t added = 0;
            WithRetries([&] {
                added = 0;
                Transaction transaction(db);
                SqlStatement& present = db.Cached("SELECT 1 FROM sentences WHERE uid = ?1");
                for (std::size_t i = first; i < last; ++i) {
                    const StoredSentence& s = sentences[i];
                    if (s.uid.empty())
                        continue;
                    present.Bind(1, std::string_view(s.uid));
                    const bool there = present.Step();
                    present.Reset();
                    if (there)
                        continue;
                    StoreSentence(db, m_pupil, s, KeepSentenceTallies::No);
                    ++added;
                }
                RebuildSummary(db, m_pupil);
                transaction.Commit();
            });
            *copied += added;
        }
    } catch (const SqlError& e) {
        if (!IsDamage(e))
            return StatusOf(e);
        *damaged = true;
        const ClassCopyStatus aside = SetAside(m_path, m_now);
        return aside == ClassCopyStatus::Done ? ClassCopyStatus::Unavailable : aside;
    }
    return ClassCopyStatus::Done;
}
