// ClassPupilFile is one pupil's file in the class folder, opened by the
// pupil's tutor to copy the pupil's history into it.
//
// The class folder is a shared folder that every computer of a room mounts
// (often over the network); the teacher's editor reads it. Each pupil has one
// file directly in it, named after the pupil's class and name ("3B - Anna
// Rossi.sqlite"), with the schema of the local history, holding that one
// pupil and the pupil's summary row. The file is kept in rollback-journal
// mode, since the WAL journal needs shared memory that network file systems
// do not give, and it is never held open between copies.
//
// Another computer may have written anything there: a file that is damaged,
// foreign, huge, in WAL mode, or a symbolic link, a folder or a journal that
// is not a plain file where the pupil's file belongs, is set aside under a
// dated name ending in ".aside" (renamed, never followed, never deleted),
// and a new file started.
// A file of a newer schema is left untouched. A file that holds another
// pupil (two names that make the same file name) makes the copy use a second
// name, made unique by the pupil's exact name. Nothing is ever written
// outside the folder, and the folder itself is never made: an absent share
// must not be stood in for by a local folder of the same name.
//
// Locks held by other computers (the editor reading, the same pupil's tutor
// on another computer) are waited for, and every transaction is tried again
// a few times before the copy gives up for this time. Meant to run off the
// tutor's thread: any call may wait on a slow share.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

class HistoryDatabase;

// How a copy into the class folder went.
enum class ClassCopyStatus {
    Done,
    // The folder is not there or not a folder: the share is not mounted.
    FolderMissing,
    // The folder or the pupil's file may not be written.
    ReadOnly,
    DiskFull,
    // The pupil's file stayed locked by another computer through every retry.
    Busy,
    // The pupil's file was written by a newer Zentavo: left untouched.
    NewerSchema,
    // Both names the pupil's file may take hold other pupils' files.
    NameTaken,
    // An input/output error, or a damaged file that could not be set aside.
    Unavailable,
    // The copy has been waiting on the folder for too long (a hung share).
    NotResponding,
};

// "3B - Anna Rossi", or "Anna Rossi" for a pupil without a class, as a safe
// file name (Windows-1252).
std::string ClassFileStem(const PupilInfo& pupil);
// The names the pupil's file may take in the class folder, as the system's
// bytes: the stem with ".sqlite", then the stem made unique by a checksum of
// the pupil's exact name and class.
std::vector<std::string> ClassFileNames(const PupilInfo& pupil);

// A class file is a few hundred kilobytes a year: anything near this is not
// one, and is not read through.
inline constexpr std::int64_t kMaxClassFileBytes = 64 * 1024 * 1024;

class ClassPupilFile {
public:
    ClassPupilFile();
    ~ClassPupilFile();
    ClassPupilFile(const ClassPupilFile&) = delete;
    ClassPupilFile& operator=(const ClassPupilFile&) = delete;

    // Opens the pupil's file in the folder (a path as the system's bytes),
    // making it when missing; now dates a file set aside.
    ClassCopyStatus Open(const std::string& folder, const PupilInfo& pupil, std::int64_t now);
    // The identities of the sentences the file holds. Throws SqlError.
    std::unordered_set<std::string> Identities();
    // How many sentences the file holds, as its summary says. Throws SqlError.
    std::int64_t SentenceCount();
    // Adds the sentences the file lacks, `batch` sentences per transaction,
    // and keeps the summary current in each; a sentence already there (by
    // identity) is skipped. *copied counts what was added. When the file
    // turns out damaged, it is closed and set aside, and *damaged is set.
    ClassCopyStatus Add(const std::vector<StoredSentence>& sentences, std::size_t batch,
                        std::size_t* copied, bool* damaged);
    void Close();

    // The file opened last, and where a damaged file was set aside (empty
    // when none was).
    const std::string& Path() const { return m_path; }
    const std::string& KeptAside() const { return m_keptAside; }

private:
    enum class Found { Ours, OtherPupil, Damaged, Failed };
    Found OpenCandidate(const std::string& path, const PupilInfo& pupil, ClassCopyStatus* status);
    ClassCopyStatus SetAside(const std::string& path, std::int64_t now);

    std::unique_ptr<HistoryDatabase> m_db;
    PupilId m_pupil = 0;
    std::int64_t m_now = 0;
    std::string m_path;
    std::string m_keptAside;
};
