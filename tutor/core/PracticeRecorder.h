// PracticeRecorder keeps the practice of the current pupil: it gathers the
// keystrokes of the sentence being typed in memory and hands the sentence
// with its keystrokes to the history when it is finished, in one write. A
// sentence given up, or the program closed in the middle of one, leaves no
// trace.
//
// When the history cannot save (or was started afresh after damage), the
// recorder tells its reporter once per run, so the window can tell the pupil
// once; practising goes on either way.
#pragma once

#include "history/HistoryStore.h"
#include "tutor/core/PracticeObserver.h"

#include <functional>
#include <optional>
#include <vector>

class PracticeRecorder : public PracticeObserver {
public:
    // A longer gap between two keystrokes is a rest, not a slow key: the
    // keystroke counts, its interval does not.
    static constexpr std::int64_t kLongestIntervalMs = 10'000;

    using Reporter = std::function<void(StoreStatus status, const std::string& keptAside)>;

    PracticeRecorder(HistoryStore& store, Reporter reporter);

    // The pupil whose practice is recorded; nothing is recorded without one.
    // A sentence being typed is dropped.
    void SetPupil(std::optional<PupilId> pupil);
    std::optional<PupilId> Pupil() const { return m_pupil; }
    // Records for the history's current pupil, or for the first pupil listed
    // when none is current.
    void FollowStorePupil();
    // Tells the reporter now when the history cannot save or was started
    // afresh, unless it was told already.
    void ReportStoreStatus();

    // The keystrokes gathered for the sentence being typed.
    const std::vector<KeystrokeRecord>& Gathered() const { return m_keystrokes; }

    void KeystrokeJudged(char expected, char typed, std::int64_t atMilliseconds) override;
    void SentenceFinished(const FinishedSentence& sentence) override;
    void SentenceAbandoned() override;

private:
    void Report(StoreStatus status);
    void Drop();

    HistoryStore& m_store;
    Reporter m_reporter;
    std::optional<PupilId> m_pupil;
    std::vector<KeystrokeRecord> m_keystrokes;
    std::optional<std::int64_t> m_lastKeystrokeMs;
    bool m_reported = false;
};
