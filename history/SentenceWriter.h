// Writes one finished sentence: the sentence's row with its identity, its
// keystrokes added to the day's and the all-time tallies per expected
// character and confusion, and the pupil's summary. The caller holds the
// transaction.
#pragma once

#include "history/HistoryTypes.h"

#include <vector>

class HistoryDatabase;

void WriteSentence(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence,
                   const std::vector<KeystrokeRecord>& keystrokes);

// Whether the sentence's own share of the tallies is kept beside it: the
// history a copy is made from keeps it, the copy needs only the sums.
enum class KeepSentenceTallies { Yes, No };

// Writes a sentence as another history holds it, keeping its identity (a new
// one when sentence.uid is empty), and adds its tallies; the summary is left
// to the caller. Returns the new row's id.
std::int64_t StoreSentence(HistoryDatabase& db, PupilId pupil, const StoredSentence& sentence,
                           KeepSentenceTallies keep);
