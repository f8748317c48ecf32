#include "tutor/core/ClassCopier.h"

#include "common/core/Settings.h"

#include <algorithm>
#include <utility>

namespace {

// An exercise is typed as three levels of five sentences. The results after
// a level are where many a pupil stops, so each level's end is copied.
constexpr int kSentencesTypedPerLevel = 5;

// Failures that say nothing about the folder as a whole: the next pupil's
// copy may well go through.
bool OnlyThisPupil(ClassCopyStatus status) {
    return status == ClassCopyStatus::Done || status == ClassCopyStatus::Busy ||
           status == ClassCopyStatus::NewerSchema || status == ClassCopyStatus::NameTaken;
}

} // namespace

std::string ClassFolderSetting(const std::string& computerSettingsFile,
                               const std::string& userSettingsFile) {
    std::string folder = LoadClassFolder(computerSettingsFile);
    if (folder.empty() && userSettingsFile != computerSettingsFile)
        folder = LoadClassFolder(userSettingsFile);
    return folder;
}

ClassCopier::ClassCopier(HistoryStore& local, std::string folder, BackgroundWork& background,
                         const Clock& clock, Reporter reporter)
    : m_local(local), m_folder(std::move(folder)), m_background(background), m_clock(clock),
      m_reporter(std::move(reporter)) {}

void ClassCopier::CopyAll() {
    for (const PupilSummary& s : m_local.Summaries()) {
        if (s.sentences > 0)
            Copy(s.pupil.id);
    }
}

void ClassCopier::Copy(PupilId pupil) {
    if (m_folder.empty())
        return;
    if (std::find(m_queue.begin(), m_queue.end(), pupil) == m_queue.end())
        m_queue.push_back(pupil);
    if (!m_task)
        StartNext();
}

void ClassCopier::SentenceRecorded(PupilId pupil, const SentenceRecord& sentence) {
    if (sentence.number > 0 && sentence.number % kSentencesTypedPerLevel == 0)
        Copy(pupil);
}

void ClassCopier::Watch() {
    if (m_waitingSinceMs && m_clock.Milliseconds() - *m_waitingSinceMs >= kNotRespondingAfterMs)
        Report(ClassCopyStatus::NotResponding);
}

void ClassCopier::StartNext() {
    while (!m_task && !m_queue.empty()) {
        const PupilId pupil = m_queue.front();
        m_queue.pop_front();
        const std::optional<PupilInfo> info = m_local.Pupil(pupil);
        if (!info)
            continue;
        const auto known = m_progress.find(pupil);
        m_task = std::make_shared<ClassCopyTask>(
            m_folder, *info, m_clock.Now(),
            known != m_progress.end() ? std::optional(known->second) : std::nullopt);
        Step();
    }
}

void ClassCopier::Step() {
    while (m_task) {
        switch (m_task->Next()) {
        case ClassCopyTask::Side::Finished:
            Finish();
            return;
        case ClassCopyTask::Side::LocalHistory:
            m_task->RunLocalStep(m_local);
            break;
        case ClassCopyTask::Side::ClassFolder: {
            // The task is shared with the work: a copier gone before a hung
            // share answers leaves the task to the worker alone.
            std::shared_ptr<ClassCopyTask> task = m_task;
            m_waitingSinceMs = m_clock.Milliseconds();
            m_background.Run([task] { task->RunClassFolderStep(); },
                             [this] {
                                 m_waitingSinceMs.reset();
                                 Step();
                             });
            return;
        }
        }
    }
}

void ClassCopier::Finish() {
    const ClassCopyStatus status = m_task->Status();
    if (status == ClassCopyStatus::Done)
        m_progress[m_task->Pupil().id] = m_task->Progress();
    else
        m_progress.erase(m_task->Pupil().id);
    m_task.reset();
    m_last = status;
    if (status != ClassCopyStatus::Done && status != ClassCopyStatus::Busy)
        Report(status);
    if (!OnlyThisPupil(status))
        m_queue.clear();
    StartNext();
}

void ClassCopier::Report(ClassCopyStatus status) {
    if (m_reported || !m_reporter)
        return;
    m_reported = true;
    m_reporter(status);
}
