// Keeps a pupil's line of pupil_summary current, inside the transaction
// that changed the pupil's history, so that a class overview reads one row
// per pupil instead of the whole history.
#pragma once

#include "history/HistoryTypes.h"

class HistoryDatabase;

// Adds one finished sentence to the pupil's summary; the sentence and its
// key tallies are already written.
void AddToSummary(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence);

// Computes the pupil's summary afresh from the whole history.
void RebuildSummary(HistoryDatabase& db, PupilId pupil);
