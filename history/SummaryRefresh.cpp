#include "history/SummaryRefresh.h"

#include "common/core/Cp1252.h"
#include "history/HistoryDatabase.h"
#include "history/KeyTallies.h"

#include <string>

namespace {

constexpr int kFinalSentenceNumber = 15;

void RefreshDerived(HistoryDatabase& db, PupilId pupil) {
    SqlStatement& keys =
        db.Cached("SELECT expected, keystrokes, wrong, interval_sum, interval_count "
                  "FROM key_totals WHERE pupil_id = ?1");
    keys.Bind(1, pupil);
    const std::string weakest = WeakestKeysOf(ReadKeyFigures(keys));
    keys.Reset();

    SqlStatement& update = db.Cached(
        "UPDATE pupil_summary SET weakest_keys = ?2, recent_speed = IFNULL("
        "(SELECT AVG(speed) FROM (SELECT speed FROM sentences WHERE pupil_id = ?1 "
        "ORDER BY day DESC, finished_at DESC, id DESC LIMIT ?3)), 0) WHERE pupil_id = ?1");
    update.Bind(1, pupil)
        .Bind(2, std::string_view(Cp1252ToUtf8(weakest)))
        .Bind(3, std::int64_t{kRecentSentenceCount})
        .Run();
}

} // namespace

void AddToSummary(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence) {
    SqlStatement& add = db.Cached(
        "INSERT INTO pupil_summary(pupil_id, exercises_finished, sentences, last_practice, "
        "recent_speed, correct, wrong, weakest_keys) VALUES(?1, ?2, 1, ?3, 0, ?4, ?5, '') "
        "ON CONFLICT(pupil_id) DO UPDATE SET "
        "exercises_finished = exercises_finished + excluded.exercises_finished, "
        "sentences = sentences + 1, "
        "last_practice = MAX(last_practice, excluded.last_practice), "
        "correct = correct + excluded.correct, wrong = wrong + excluded.wrong");
    add.Bind(1, pupil)
        .Bind(2, std::int64_t{sentence.number == kFinalSentenceNumber ? 1 : 0})
        .Bind(3, sentence.finishedAt)
        .Bind(4, std::int64_t{sentence.correct})
        .Bind(5, std::int64_t{sentence.wrong})
        .Run();
    RefreshDerived(db, pupil);
}

void RebuildSummary(HistoryDatabase& db, PupilId pupil) {
    SqlStatement& rebuild =
        db.Cached("INSERT OR REPLACE INTO pupil_summary(pupil_id, exercises_finished, sentences, "
                  "last_practice, recent_speed, correct, wrong, weakest_keys) "
                  "SELECT ?1, TOTAL(number = ?2), COUNT(*), IFNULL(MAX(finished_at), 0), 0, "
                  "TOTAL(correct), TOTAL(wrong), '' FROM sentences WHERE pupil_id = ?1");
    rebuild.Bind(1, pupil).Bind(2, std::int64_t{kFinalSentenceNumber}).Run();
    RefreshDerived(db, pupil);
}
