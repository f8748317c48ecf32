// Reads the figures of the progress window and report, the practice profile
// and the summaries out of the history. Every value is read as from an
// untrusted file: odd rows are skipped, counts made sane, sums saturate.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>
#include <optional>
#include <vector>

class HistoryDatabase;

// The first day of the period that ends on `today`, or nothing for all.
std::optional<std::int64_t> FirstDayOf(Period period, std::int64_t today);

ProgressFigures ReadFigures(HistoryDatabase& db, PupilId pupil, Period period, std::int64_t now);
PracticeProfile ReadPracticeProfile(HistoryDatabase& db, PupilId pupil);
std::vector<PupilSummary> ReadSummaries(HistoryDatabase& db);
