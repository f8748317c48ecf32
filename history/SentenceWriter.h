// Writes one finished sentence: the sentence's row, its keystrokes added to
// the day's and the all-time tallies per expected character and confusion,
// and the pupil's summary. The caller holds the transaction.
#pragma once

#include "history/HistoryTypes.h"

#include <vector>

class HistoryDatabase;

void WriteSentence(HistoryDatabase& db, PupilId pupil, const SentenceRecord& sentence,
                   const std::vector<KeystrokeRecord>& keystrokes);
