// WordList reads the Italian word list that Debian ships (one UTF-8 word a
// line, /usr/share/dict/italian from the package witalian) and keeps the
// words a pupil of 8 to 14 can read and the key table can type; they are the
// material of the personal exercise's drills.
//
// The filter, and why:
// - only small letters a-z and the accented à è é ì ò ù: entries with a
//   capital are proper names or abbreviations, entries with an apostrophe
//   are elided pairs ("l'acqua"), anything else cannot be typed;
// - 2 to 10 letters: longer entries are mostly rare verb forms and compounds
//   that a child spells out rather than reads;
// - at least one vowel: entries without one are abbreviations ("kg");
// - an accent only on the last letter, where Italian writes it; an inner
//   accent marks a foreign word or a dictionary spelling;
// - not one of the rare verb forms recognised by their endings (the table in
//   WordList.cpp: the remote past's plurals and second persons, the past
//   subjunctive, the plurals and second persons of the future and the
//   conditional, pronouns joined to a verb). An
//   ending counts only on a word at least four letters longer than it, so
//   short ordinary words that end alike ("triste", "passi") stay.
//
// The file is outside input: a file larger than kMaxWordListBytes is not
// used at all, lines longer than a word can be are skipped, malformed UTF-8
// and binary bytes only make their line fail the filter.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kDebianItalianWordList = "/usr/share/dict/italian";
// The Debian list is about 1.2 MB; a file many times that is not a word list.
inline constexpr std::size_t kMaxWordListBytes = 8u << 20;

enum class WordListStatus {
    Read,     // words holds what passed the filter (possibly nothing)
    Missing,  // no regular file at the path, or it could not be read
    TooLarge, // over kMaxWordListBytes: not read
};

struct WordList {
    WordListStatus status = WordListStatus::Missing;
    std::vector<std::string> words; // Windows-1252, in the order of the file
};

// The words of UTF-8 text, one a line (LF or CR LF), that pass the filter,
// in the order of the text; a word repeated on the next line is kept once.
std::vector<std::string> FilterWordList(std::string_view utf8Text);
// True when one Windows-1252 word passes the filter.
bool IsDrillWord(std::string_view word);

WordList ReadWordList(const std::string& path);
