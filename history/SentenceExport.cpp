#include "history/SentenceExport.h"

#include "history/HistoryDatabase.h"

#include <cmath>

std::vector<StoredSentence>
ReadSentencesMissingFrom(HistoryDatabase& db, PupilId pupil,
                         const std::unordered_set<std::string>& present) {
    std::vector<std::int64_t> ids;
    std::vector<StoredSentence> sentences;
    {
        SqlStatement& rows = db.Cached(
            "SELECT id, uid, finished_at, day, exercise, level, number, difficulty, speed, points, "
            "correct, wrong, seconds FROM sentences WHERE pupil_id = ?1 AND uid IS NOT NULL "
            "AND uid <> '' ORDER BY id");
        rows.Bind(1, pupil);
        while (rows.Step()) {
            std::string uid = rows.Text(1);
            if (present.count(uid) != 0)
                continue;
            StoredSentence s;
            s.uid = std::move(uid);
            s.finishedAt = rows.Int(2);
            s.day = rows.Int(3);
            s.exercise = rows.Text(4);
            s.level = rows.Int(5);
            s.number = rows.Int(6);
            s.difficulty = rows.Int(7);
            s.speed = rows.Real(8);
            s.points = rows.Int(9);
            s.correct = rows.Int(10);
            s.wrong = rows.Int(11);
            s.seconds = rows.Int(12);
            ids.push_back(rows.Int(0));
            sentences.push_back(std::move(s));
        }
        rows.Reset();
    }
    SqlStatement& keys =
        db.Cached("SELECT expected, keystrokes, wrong, interval_sum, interval_count "
                  "FROM sentence_keys WHERE sentence_id = ?1 ORDER BY expected");
    SqlStatement& confusions = db.Cached("SELECT expected, typed, count FROM sentence_confusions "
                                         "WHERE sentence_id = ?1 ORDER BY expected, typed");
    for (std::size_t i = 0; i < sentences.size(); ++i) {
        keys.Bind(1, ids[i]);
        while (keys.Step())
            sentences[i].keys.push_back(
                {keys.Int(0), keys.Int(1), keys.Int(2), keys.Int(3), keys.Int(4)});
        keys.Reset();
        confusions.Bind(1, ids[i]);
        while (confusions.Step())
            sentences[i].confusions.push_back(
                {confusions.Int(0), confusions.Int(1), confusions.Int(2)});
        confusions.Reset();
    }
    return sentences;
}
