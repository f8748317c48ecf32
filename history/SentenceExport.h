// Reads a pupil's recorded sentences as they are stored, with their
// identities and what each added to the tallies, for a copy of the history
// elsewhere.
#pragma once

#include "history/HistoryTypes.h"

#include <string>
#include <unordered_set>
#include <vector>

class HistoryDatabase;

// The pupil's sentences whose identity is not in `present`, in the order
// they were recorded. A sentence without an identity (only a damaged file
// has one) cannot be told apart from a copy of itself and is left out.
std::vector<StoredSentence>
ReadSentencesMissingFrom(HistoryDatabase& db, PupilId pupil,
                         const std::unordered_set<std::string>& present);
