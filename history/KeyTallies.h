// Turning the tallies of the database into key figures: characters stored as
// Unicode code points back into Windows-1252, counts from an untrusted file
// made sane, rates and averages, and the weakest keys.
#pragma once

#include "history/HistoryTypes.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class SqlStatement;

// Characters are kept as Unicode code points, so the file does not depend on
// the code page of the program that wrote it.
std::int64_t CodeOfCharacter(char character);
// Nothing for a code that Windows-1252 cannot spell.
std::optional<char> CharacterOfCode(std::int64_t code);

// A count read from a file: negative values become 0.
std::int64_t SaneCount(std::int64_t value);
// a + b without overflow: stops at the largest value.
std::int64_t SaturatingAdd(std::int64_t a, std::int64_t b);

KeyFigures MakeKeyFigures(char character, std::int64_t keystrokes, std::int64_t wrong,
                          std::int64_t intervalSum, std::int64_t intervalCount);

// Rows of (expected, keystrokes, wrong, interval sum, interval count), in
// character-code order; rows of the same character are added together.
std::vector<KeyFigures> ReadKeyFigures(SqlStatement& rows);

// Rows of (expected, typed, count), most frequent first, up to `limit`.
std::vector<ConfusionFigures> ReadConfusions(SqlStatement& rows, std::size_t limit);

// Up to kWeakestKeyCount judged keys with at least one error, highest error
// rate first (more keystrokes first when equal, then by code).
std::string WeakestKeysOf(const std::vector<KeyFigures>& keys);
