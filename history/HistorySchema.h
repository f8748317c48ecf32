// The tables of the history and the steps that bring a file from any older
// schema to the current one. Version 1 kept pupils by name only and the
// per-day tallies; version 2 adds the pupil's class, all-time tallies per
// key and confusion, and the per-pupil summary, computed from what version 1
// recorded; version 3 gives every sentence an identity (uid) and keeps what
// each sentence added to the tallies (sentence_keys, sentence_confusions),
// so that a copy of the history elsewhere takes each sentence once.
#pragma once

#include <cstdint>

class HistoryDatabase;

namespace history_schema {

// PRAGMA application_id of our files ("ZtHs"): a database without it and
// with tables of its own is not a history.
inline constexpr std::int32_t kApplicationId = 0x5A744873;
inline constexpr int kCurrentVersion = 3;

// Runs the migrations from version `from` to the current one; the caller
// holds a transaction. Throws SqlError.
void Migrate(HistoryDatabase& db, int from);

// The schema of version 1 alone, for tests that start from a first-schema file.
void CreateVersion1(HistoryDatabase& db);

// True when every table and column of the schema of that version (1 up to
// the current one) is there.
bool HasTablesOf(HistoryDatabase& db, int version);

} // namespace history_schema
