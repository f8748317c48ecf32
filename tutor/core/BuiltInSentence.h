// The tutor's own exercise: 45 Italian sentences for pupils of 8 to 14, 15 per
// level. Level 1 is small letters and blanks only; level 2 adds capitals,
// apostrophes, accented letters and punctuation on one line; level 3 has two
// lines joined by CR LF, typed with one Enter. Every character is one that
// KeyTable can type, so these sentences are never fitted or filtered.
#pragma once

#include <cstdint>
#include <string>

inline constexpr std::int16_t kBuiltInSentenceCount = 45;

// The sentence of index 1..45 (1-15 level 1, 16-30 level 2, 31-45 level 3);
// "" for any other index.
std::string BuiltInSentence(std::int16_t index);
