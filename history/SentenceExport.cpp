#include "history/SentenceExport.h"

#include "history/HistoryDatabase.h"

#include <algorithm>

std::vector<StoredSentence> ReadSentencesMissingFrom(HistoryDatabase& db, PupilId pupil,
                                                     const std::unordered_set<std::string>& present,
                                                     std::int64_t afterId, std::int64_t* lastId) {
    // Identities first, the whole rows only of the sentences that lack: the
    // copy after a level looks at thousands and takes five.
    std::vector<std::int64_t> ids;
    std::int64_t last = afterId;
    {
        // After a copy of this run, "+pupil_id" keeps SQLite from the pupil's
        // index: the sentences since are a short range of row numbers, the
        // pupil's are years of them. Without one, the index serves best.
        SqlStatement& rows =
            afterId > 0
                ? db.Cached("SELECT id, uid FROM sentences WHERE +pupil_id = ?1 AND id > ?2 "
                            "AND uid IS NOT NULL AND uid <> '' ORDER BY id")
                : db.Cached("SELECT id, uid FROM sentences WHERE pupil_id = ?1 AND id > ?2 "
                            "AND uid IS NOT NULL AND uid <> '' ORDER BY id");
        rows.Bind(1, pupil).Bind(2, afterId);
        while (rows.Step()) {
            last = std::max(last, rows.Int(0));
            if (present.count(rows.Text(1)) == 0)
                ids.push_back(rows.Int(0));
        }
        rows.Reset();
    }
    if (lastId != nullptr)
        *lastId = last;
    SqlStatement& row = db.Cached(
        "SELECT uid, finished_at, day, exercise, level, number, difficulty, speed, points, "
        "correct, wrong, seconds FROM sentences WHERE id = ?1");
    SqlStatement& keys =
        db.Cached("SELECT expected, keystrokes, wrong, interval_sum, interval_count "
                  "FROM sentence_keys WHERE sentence_id = ?1 ORDER BY expected");
    SqlStatement& confusions = db.Cached("SELECT expected, typed, count FROM sentence_confusions "
                                         "WHERE sentence_id = ?1 ORDER BY expected, typed");
    std::vector<StoredSentence> sentences;
    sentences.reserve(ids.size());
    for (const std::int64_t id : ids) {
        row.Bind(1, id);
        if (!row.Step()) {
            row.Reset();
            continue;
        }
        StoredSentence s;
        s.uid = row.Text(0);
        s.finishedAt = row.Int(1);
        s.day = row.Int(2);
        s.exercise = row.Text(3);
        s.level = row.Int(4);
        s.number = row.Int(5);
        s.difficulty = row.Int(6);
        s.speed = row.Real(7);
        s.points = row.Int(8);
        s.correct = row.Int(9);
        s.wrong = row.Int(10);
        s.seconds = row.Int(11);
        row.Reset();
        keys.Bind(1, id);
        while (keys.Step())
            s.keys.push_back({keys.Int(0), keys.Int(1), keys.Int(2), keys.Int(3), keys.Int(4)});
        keys.Reset();
        confusions.Bind(1, id);
        while (confusions.Step())
            s.confusions.push_back({confusions.Int(0), confusions.Int(1), confusions.Int(2)});
        confusions.Reset();
        sentences.push_back(std::move(s));
    }
    return sentences;
}
