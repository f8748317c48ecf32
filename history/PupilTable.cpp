#include "history/PupilTable.h"

#include "history/HistoryDatabase.h"

namespace {

constexpr const char* kCurrentPupilKey = "current_pupil";

std::string CutTo(std::string text, std::size_t length) {
    if (text.size() > length)
        text.resize(length);
    return text;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

PupilInfo PupilFromRow(PupilId id, const std::string& utf8Name, const std::string& utf8Class) {
    return {id, CutTo(Utf8ToCp1252(utf8Name), kPupilNameMaxLength),
            CutTo(Utf8ToCp1252(utf8Class), kPupilClassMaxLength)};
}

std::string TrimmedText(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

PupilChange CheckPupilText(const std::string& name, const std::string& className) {
    if (name.empty())
        return PupilChange::EmptyName;
    if (name.size() > kPupilNameMaxLength)
        return PupilChange::NameTooLong;
    if (className.size() > kPupilClassMaxLength)
        return PupilChange::ClassTooLong;
    return PupilChange::Done;
}

std::vector<PupilInfo> ListPupils(HistoryDatabase& db) {
    std::vector<PupilInfo> pupils;
    SqlStatement& rows = db.Cached("SELECT id, name, class_name FROM pupils");
    while (rows.Step())
        pupils.push_back(PupilFromRow(rows.Int(0), rows.Text(1), rows.Text(2)));
    SortPupilsByName(pupils, [](const PupilInfo& p) -> const PupilInfo& { return p; });
    return pupils;
}

std::optional<PupilInfo> FindPupil(HistoryDatabase& db, PupilId id) {
    SqlStatement& row = db.Cached("SELECT id, name, class_name FROM pupils WHERE id = ?1");
    row.Bind(1, id);
    std::optional<PupilInfo> pupil;
    if (row.Step())
        pupil = PupilFromRow(row.Int(0), row.Text(1), row.Text(2));
    row.Reset();
    return pupil;
}

bool PupilNameTaken(HistoryDatabase& db, const std::string& name, const std::string& className,
                    PupilId except) {
    SqlStatement& row =
        db.Cached("SELECT 1 FROM pupils WHERE name = ?1 AND class_name = ?2 AND id <> ?3 LIMIT 1");
    row.Bind(1, std::string_view(Cp1252ToUtf8(name)))
        .Bind(2, std::string_view(Cp1252ToUtf8(className)))
        .Bind(3, except);
    const bool taken = row.Step();
    row.Reset();
    return taken;
}

PupilId InsertPupil(HistoryDatabase& db, const std::string& name, const std::string& className) {
    db.Cached("INSERT INTO pupils(name, class_name) VALUES(?1, ?2)")
        .Bind(1, std::string_view(Cp1252ToUtf8(name)))
        .Bind(2, std::string_view(Cp1252ToUtf8(className)))
        .Run();
    return db.LastInsertId();
}

void UpdatePupil(HistoryDatabase& db, PupilId id, const std::string& name,
                 const std::string& className) {
    db.Cached("UPDATE pupils SET name = ?2, class_name = ?3 WHERE id = ?1")
        .Bind(1, id)
        .Bind(2, std::string_view(Cp1252ToUtf8(name)))
        .Bind(3, std::string_view(Cp1252ToUtf8(className)))
        .Run();
}

void DeletePupil(HistoryDatabase& db, PupilId id) {
    // Every table is cleared by hand rather than by cascading foreign keys:
    // a file from elsewhere may lack them, and the pupil's history must go
    // with the pupil in any case.
    constexpr const char* kDeletes[] = {
        "DELETE FROM sentence_keys WHERE sentence_id IN "
        "(SELECT id FROM sentences WHERE pupil_id = ?1)",
        "DELETE FROM sentence_confusions WHERE sentence_id IN "
        "(SELECT id FROM sentences WHERE pupil_id = ?1)",
        "DELETE FROM sentences WHERE pupil_id = ?1",
        "DELETE FROM key_days WHERE pupil_id = ?1",
        "DELETE FROM confusion_days WHERE pupil_id = ?1",
        "DELETE FROM key_totals WHERE pupil_id = ?1",
        "DELETE FROM confusion_totals WHERE pupil_id = ?1",
        "DELETE FROM pupil_summary WHERE pupil_id = ?1",
        "DELETE FROM pupils WHERE id = ?1",
    };
    for (const char* sql : kDeletes)
        db.Cached(sql).Bind(1, id).Run();
    if (ReadCurrentPupil(db) == id)
        WriteCurrentPupil(db, std::nullopt);
}

std::optional<PupilId> ReadCurrentPupil(HistoryDatabase& db) {
    SqlStatement& row = db.Cached("SELECT p.id FROM settings s JOIN pupils p "
                                  "ON p.id = s.value WHERE s.key = ?1");
    row.Bind(1, std::string_view(kCurrentPupilKey));
    std::optional<PupilId> id;
    if (row.Step())
        id = row.Int(0);
    row.Reset();
    return id;
}

void WriteCurrentPupil(HistoryDatabase& db, std::optional<PupilId> id) {
    if (!id) {
        db.Cached("DELETE FROM settings WHERE key = ?1")
            .Bind(1, std::string_view(kCurrentPupilKey))
            .Run();
        return;
    }
    db.Cached("INSERT OR REPLACE INTO settings(key, value) VALUES(?1, ?2)")
        .Bind(1, std::string_view(kCurrentPupilKey))
        .Bind(2, *id)
        .Run();
}
