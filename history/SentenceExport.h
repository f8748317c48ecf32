// Reads a pupil's recorded sentences as they are stored, with their
// identities and what each added to the tallies, for a copy of the history
// elsewhere.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

class HistoryDatabase;

// The pupil's sentences numbered above afterId whose identity is not in
// `present`, in the order they were recorded; *lastId (when given) receives
// the highest number looked at, afterId when there was none. A sentence
// without an identity (only a damaged file has one) cannot be told apart
// from a copy of itself and is left out.
std::vector<StoredSentence> ReadSentencesMissingFrom(HistoryDatabase& db, PupilId pupil,
                                                     const std::unordered_set<std::string>& present,
                                                     std::int64_t afterId, std::int64_t* lastId);
