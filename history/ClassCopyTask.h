// ClassCopyTask copies what one pupil's file in the class folder lacks from
// the local history: every sentence of the pupil whose identity the file does
// not hold, with what it added to the key and confusion tallies, in
// transactions of a batch of sentences each, each one keeping the file's
// summary current. An interrupted copy leaves whole batches behind; the next
// copy adds the rest. Sentences in the file that came from another computer
// (the same pupil practising elsewhere) stay.
//
// The work falls in steps on two sides: the class folder's (opening the
// file, reading which sentences it holds, writing), which may wait long on a
// slow or hung share and so runs off the tutor's thread, and the local
// history's (finding what the file lacks), which runs on the thread that
// owns the history. Next() says which side the next step is on; whoever
// drives the task runs the steps in turn, one at a time, until it is
// finished. CopyToClassFolder drives one on the calling thread.
//
// A first copy compares every sentence of the pupil by identity. What it
// learns (ClassCopyProgress) lets the next copy in the same run look only at
// the sentences recorded since, reading the class file's summary instead of
// all its identities; when the file holds fewer sentences than it did (set
// aside, replaced, restored from an older backup), the copy compares all
// again. Either way a sentence already in the file is never added twice.
#pragma once

#include "history/ClassPupilFile.h"
#include "history/HistoryTypes.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

class HistoryStore;

// Sentences per transaction: a first copy of a year of practice takes a few
// dozen transactions, and no transaction holds the file for long.
inline constexpr std::size_t kClassCopyBatch = 200;

// What a finished copy knows of the pupil's file: every local sentence up to
// lastLocalId is in it, and it held `sentences` sentences.
struct ClassCopyProgress {
    std::int64_t lastLocalId = 0;
    std::int64_t sentences = 0;
};

class ClassCopyTask {
public:
    enum class Side { ClassFolder, LocalHistory, Finished };

    ClassCopyTask(std::string folder, PupilInfo pupil, std::int64_t now,
                  std::optional<ClassCopyProgress> since = std::nullopt,
                  std::size_t batch = kClassCopyBatch);

    Side Next() const { return m_next; }
    void RunClassFolderStep();
    void RunLocalStep(const HistoryStore& local);

    const PupilInfo& Pupil() const { return m_pupil; }
    // Done once finished without trouble.
    ClassCopyStatus Status() const { return m_status; }
    // The sentences this task added to the file.
    std::size_t Copied() const { return m_copied; }
    const std::string& FilePath() const { return m_file.Path(); }
    // Where a damaged file was set aside, empty when none was.
    const std::string& KeptAside() const { return m_keptAside; }
    // What the next copy may start from, once finished with Done.
    const ClassCopyProgress& Progress() const { return m_progress; }
    // Whether the copy compared every sentence of the pupil.
    bool ComparedAll() const { return m_comparedAll; }

private:
    enum class Step { OpenAndRead, FindMissing, Write };
    void Finish(ClassCopyStatus status);

    std::string m_folder;
    PupilInfo m_pupil;
    std::int64_t m_now;
    std::size_t m_batch;
    ClassPupilFile m_file;
    Step m_step = Step::OpenAndRead;
    Side m_next = Side::ClassFolder;
    ClassCopyStatus m_status = ClassCopyStatus::Done;
    std::unordered_set<std::string> m_present;
    std::vector<StoredSentence> m_missing;
    std::size_t m_copied = 0;
    std::optional<ClassCopyProgress> m_since;
    ClassCopyProgress m_progress;
    std::int64_t m_inFile = 0;
    bool m_comparedAll = false;
    int m_restarts = 0;
    std::string m_keptAside;
};

// Runs a whole task on the calling thread.
ClassCopyStatus CopyToClassFolder(const HistoryStore& local, PupilId pupil,
                                  const std::string& folder, std::int64_t now,
                                  std::size_t batch = kClassCopyBatch,
                                  std::size_t* copied = nullptr);
