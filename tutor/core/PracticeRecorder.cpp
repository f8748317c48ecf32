#include "tutor/core/PracticeRecorder.h"

#include <utility>

namespace {

// A sentence is at most two lines; this covers it with its wrong keystrokes
// without growing the buffer while the pupil types.
constexpr std::size_t kExpectedKeystrokes = 256;

} // namespace

PracticeRecorder::PracticeRecorder(HistoryStore& store, Reporter reporter)
    : m_store(store), m_reporter(std::move(reporter)) {
    m_keystrokes.reserve(kExpectedKeystrokes);
}

void PracticeRecorder::SetPupil(std::optional<PupilId> pupil) {
    m_pupil = pupil;
    Drop();
}

void PracticeRecorder::FollowStorePupil() {
    std::optional<PupilId> pupil = m_store.CurrentPupil();
    if (!pupil) {
        const std::vector<PupilInfo> pupils = m_store.Pupils();
        if (!pupils.empty())
            pupil = pupils.front().id;
    }
    SetPupil(pupil);
}

void PracticeRecorder::ReportStoreStatus() {
    if (m_store.Status() != StoreStatus::Ok)
        Report(m_store.Status());
}

void PracticeRecorder::KeystrokeJudged(char expected, char typed, std::int64_t atMilliseconds) {
    std::int32_t interval = kNoInterval;
    if (m_lastKeystrokeMs) {
        const std::int64_t gap = atMilliseconds - *m_lastKeystrokeMs;
        if (gap >= 0 && gap <= kLongestIntervalMs)
            interval = static_cast<std::int32_t>(gap);
    }
    m_lastKeystrokeMs = atMilliseconds;
    m_keystrokes.push_back({expected, typed, interval});
}

void PracticeRecorder::SentenceFinished(const FinishedSentence& f) {
    if (m_pupil) {
        SentenceRecord record;
        record.finishedAt = f.finishedAt;
        record.exercise = f.exercise;
        record.level = f.level;
        record.number = f.number;
        record.difficulty = f.difficulty;
        record.speed = f.speed;
        record.points = f.points;
        record.correct = f.correct;
        record.wrong = f.wrong;
        record.seconds = f.seconds;
        const StoreStatus status = m_store.RecordSentence(*m_pupil, record, m_keystrokes);
        if (!CanSave(status))
            Report(status);
    }
    Drop();
}

void PracticeRecorder::SentenceAbandoned() {
    Drop();
}

void PracticeRecorder::Report(StoreStatus status) {
    if (m_reported || !m_reporter)
        return;
    m_reported = true;
    m_reporter(status, m_store.KeptAsidePath());
}

void PracticeRecorder::Drop() {
    m_keystrokes.clear();
    m_lastKeystrokeMs.reset();
}
