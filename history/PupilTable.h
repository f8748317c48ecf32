// The pupils of the history: listing, adding, renaming and removing (with
// all of a removed pupil's history), the remembered current pupil, and the
// rules a name and a class must keep.
#pragma once

#include "history/HistoryTypes.h"

#include "common/core/Cp1252.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

class HistoryDatabase;

// A pupil out of a row: UTF-8 texts into Windows-1252, cut to their limits
// (a longer name only comes from a damaged or foreign file).
PupilInfo PupilFromRow(PupilId id, const std::string& utf8Name, const std::string& utf8Class);

// Name order without regard to case; pupils of the same name by class.
template <typename T, typename GetPupil>
void SortPupilsByName(std::vector<T>& items, GetPupil pupilOf) {
    const auto key = [](const std::string& text) {
        std::string lower;
        for (const char c : text)
            lower += static_cast<char>(Cp1252ToLower(static_cast<unsigned char>(c)));
        return lower;
    };
    std::stable_sort(items.begin(), items.end(), [&](const T& a, const T& b) {
        const PupilInfo& pa = pupilOf(a);
        const PupilInfo& pb = pupilOf(b);
        const std::string na = key(pa.name), nb = key(pb.name);
        if (na != nb)
            return na < nb;
        return key(pa.className) < key(pb.className);
    });
}

// Blanks trimmed at both ends.
std::string TrimmedText(const std::string& text);
// Done, or why the name and class cannot be a pupil's.
PupilChange CheckPupilText(const std::string& name, const std::string& className);

std::vector<PupilInfo> ListPupils(HistoryDatabase& db);
std::optional<PupilInfo> FindPupil(HistoryDatabase& db, PupilId id);
// Another pupil with this name and class; `except` is left out of the search.
bool PupilNameTaken(HistoryDatabase& db, const std::string& name, const std::string& className,
                    PupilId except);
PupilId InsertPupil(HistoryDatabase& db, const std::string& name, const std::string& className);
void UpdatePupil(HistoryDatabase& db, PupilId id, const std::string& name,
                 const std::string& className);
void DeletePupil(HistoryDatabase& db, PupilId id);

std::optional<PupilId> ReadCurrentPupil(HistoryDatabase& db);
void WriteCurrentPupil(HistoryDatabase& db, std::optional<PupilId> id);
