// HistoryStore keeps a computer account's practice history in one SQLite
// database: the pupils, every finished sentence, and per pupil, day and
// expected character the keystrokes, wrong ones, intervals and confusions.
// From them it computes the figures of the progress window and report
// (ProgressFigures), the material of a personal exercise (PracticeProfile)
// and the per-pupil summary of a class overview (PupilSummary).
//
// Data flow: the tutor's PracticeRecorder gathers a sentence's keystrokes in
// memory and hands them here with the sentence's figures when it ends; one
// transaction writes the sentence, adds the keystrokes to the day's tallies
// and refreshes the pupil's summary, so a kill at any moment loses at most
// the sentence being typed.
//
// The file is outside input: it may be damaged, truncated, of another or a
// newer schema, locked by another tutor, read-only or on a full disk. None of
// these stops the tutor: Status() says what holds, writes return it, reads
// of an unusable store give empty figures. An existing file is never deleted
// or overwritten; a damaged one is renamed aside under a dated name before a
// new one is started. While open, the store holds the database exclusively,
// so two tutors of the same account never both write.
//
// Texts in and out are Windows-1252, as everywhere in the core; the database
// holds UTF-8. Paths are Windows-1252 like the other paths of the core.
// One thread at a time.
#pragma once

#include "history/HistoryTypes.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class HistoryDatabase;

class HistoryStore {
public:
    // The schema this build writes (PRAGMA user_version).
    static constexpr int kSchemaVersion = 3;

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    // The file the tutor uses: "<data home>/Zentavo/history.sqlite", where
    // the data home is XDG_DATA_HOME when it is an absolute path, otherwise
    // "<home>/.local/share". Empty when neither is usable.
    static std::string DefaultPath(const std::string& xdgDataHome, const std::string& home);

    // Opens the database at path, making its folder and the file when they
    // are missing, and brings an older schema up to date. When the account
    // has no pupil yet, a first one named accountUserName (cut to
    // kPupilNameMaxLength characters; "Alunno" when empty) is created and
    // made current. Opening again closes the previous file first.
    StoreStatus Open(const std::string& path, const std::string& accountUserName);
    void Close();
    StoreStatus Status() const { return m_status; }
    bool CanSave() const { return ::CanSave(m_status); }
    // Where a damaged file was kept aside (when Status() is StartedAfresh).
    const std::string& KeptAsidePath() const { return m_keptAside; }
    const std::string& Path() const { return m_path; }

    // Pupils ------------------------------------------------------------------
    // In name order.
    std::vector<PupilInfo> Pupils() const;
    std::optional<PupilInfo> Pupil(PupilId id) const;
    // The pupil chosen last, remembered across runs.
    std::optional<PupilId> CurrentPupil() const;
    PupilChange SetCurrentPupil(PupilId id);
    // Names and classes are trimmed of blanks at both ends. On Done, *newId
    // (when given) receives the new pupil's id.
    PupilChange AddPupil(const std::string& name, const std::string& className,
                         PupilId* newId = nullptr);
    PupilChange RenamePupil(PupilId id, const std::string& name, const std::string& className);
    // Removes the pupil with all of the pupil's history. Removing the current
    // pupil leaves no current pupil.
    PupilChange RemovePupil(PupilId id);

    // Recording -----------------------------------------------------------------
    // Writes one finished sentence and its keystrokes in one transaction.
    // Keystrokes fall on the local day of sentence.finishedAt. A store that
    // cannot save returns its status and writes nothing; a write that fails
    // returns what went wrong and leaves the history as it was (a full disk
    // or a lock taken meanwhile also changes Status()).
    StoreStatus RecordSentence(PupilId pupil, const SentenceRecord& sentence,
                               const std::vector<KeystrokeRecord>& keystrokes);

    // Told after each sentence the store has saved (on the store's thread).
    using RecordListener = std::function<void(PupilId pupil, const SentenceRecord& sentence)>;
    void SetRecordListener(RecordListener listener) { m_recordListener = std::move(listener); }

    // Copying ------------------------------------------------------------------
    // The pupil's sentences as stored, with what each added to the tallies,
    // leaving out those whose identity is in `present` and those recorded
    // up to the sentence numbered afterId; in recording order. *lastId (when
    // given) receives the number of the pupil's last sentence looked at.
    std::vector<StoredSentence> SentencesMissingFrom(PupilId pupil,
                                                     const std::unordered_set<std::string>& present,
                                                     std::int64_t afterId = 0,
                                                     std::int64_t* lastId = nullptr) const;

    // Figures ---------------------------------------------------------------------
    // The figures of the days of the period that ends with the local day of
    // now: the last 7, 30 or 365 days including that day, or all.
    ProgressFigures Figures(PupilId pupil, Period period, std::int64_t now) const;
    // Every key and confusion of the pupil, over all of the history.
    PracticeProfile PracticeProfileOf(PupilId pupil) const;
    std::optional<PupilSummary> Summary(PupilId pupil) const;
    // Every pupil's summary, in name order.
    std::vector<PupilSummary> Summaries() const;

private:
    // A read of an unreadable store, or one that fails, gives the fallback.
    template <typename T, typename F> T Read(F&& read, T fallback) const;
    // One transaction; its failure sets Status().
    template <typename F> StoreStatus Write(F&& write);

    std::unique_ptr<HistoryDatabase> m_db;
    StoreStatus m_status = StoreStatus::Unavailable;
    bool m_readable = false;
    bool m_writable = false;
    std::string m_path;
    std::string m_keptAside;
    RecordListener m_recordListener;
};
