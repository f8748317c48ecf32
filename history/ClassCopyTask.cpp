#include "history/ClassCopyTask.h"

#include "history/HistoryStore.h"
#include "history/SqlStatement.h"

#include <utility>

namespace {

// A file found damaged while written is set aside and the copy starts over
// once, into a new file.
constexpr int kMaxRestarts = 1;

} // namespace

ClassCopyTask::ClassCopyTask(std::string folder, PupilInfo pupil, std::int64_t now,
                             std::optional<ClassCopyProgress> since, std::size_t batch)
    : m_folder(std::move(folder)), m_pupil(std::move(pupil)), m_now(now), m_batch(batch),
      m_since(since) {}

void ClassCopyTask::Finish(ClassCopyStatus status) {
    m_file.Close();
    m_status = status;
    m_next = Side::Finished;
    m_present.clear();
    m_missing.clear();
}

void ClassCopyTask::RunClassFolderStep() {
    if (m_next != Side::ClassFolder)
        return;
    if (m_step == Step::OpenAndRead) {
        const ClassCopyStatus opened = m_file.Open(m_folder, m_pupil, m_now);
        if (!m_file.KeptAside().empty())
            m_keptAside = m_file.KeptAside();
        if (opened != ClassCopyStatus::Done)
            return Finish(opened);
        try {
            m_inFile = m_file.SentenceCount();
            // Fewer sentences than the last copy left: something was lost,
            // and everything is compared again.
            m_comparedAll = !m_since || m_inFile < m_since->sentences;
            m_present.clear();
            if (m_comparedAll)
                m_present = m_file.Identities();
        } catch (const SqlError&) {
            // Read again by the next copy, which sets a damaged file aside
            // when it opens it.
            return Finish(ClassCopyStatus::Unavailable);
        }
        m_step = Step::FindMissing;
        m_next = Side::LocalHistory;
        return;
    }
    std::size_t added = 0;
    bool damaged = false;
    const ClassCopyStatus written = m_file.Add(m_missing, m_batch, &added, &damaged);
    m_copied += added;
    if (damaged && m_restarts < kMaxRestarts) {
        ++m_restarts;
        m_keptAside = m_file.KeptAside();
        m_missing.clear();
        m_since.reset();
        m_step = Step::OpenAndRead;
        return;
    }
    if (written == ClassCopyStatus::Done)
        m_progress.sentences = m_inFile + static_cast<std::int64_t>(added);
    Finish(written);
}

void ClassCopyTask::RunLocalStep(const HistoryStore& local) {
    if (m_next != Side::LocalHistory)
        return;
    const std::int64_t after = m_comparedAll ? 0 : m_since->lastLocalId;
    m_progress.lastLocalId = after;
    m_missing = local.SentencesMissingFrom(m_pupil.id, m_present, after, &m_progress.lastLocalId);
    m_present.clear();
    if (m_missing.empty()) {
        m_progress.sentences = m_inFile;
        return Finish(ClassCopyStatus::Done);
    }
    m_step = Step::Write;
    m_next = Side::ClassFolder;
}

ClassCopyStatus CopyToClassFolder(const HistoryStore& local, PupilId pupil,
                                  const std::string& folder, std::int64_t now, std::size_t batch,
                                  std::size_t* copied) {
    const std::optional<PupilInfo> info = local.Pupil(pupil);
    if (!info)
        return ClassCopyStatus::Unavailable;
    ClassCopyTask task(folder, *info, now, std::nullopt, batch);
    while (task.Next() != ClassCopyTask::Side::Finished) {
        if (task.Next() == ClassCopyTask::Side::ClassFolder)
            task.RunClassFolderStep();
        else
            task.RunLocalStep(local);
    }
    if (copied != nullptr)
        *copied = task.Copied();
    return task.Status();
}
