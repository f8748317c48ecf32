// The class roster as a CSV file for spreadsheets: UTF-8 with a byte-order
// mark, CR LF line ends, and the separator, decimal mark and dates the
// spreadsheets of the chosen language read (Italian: semicolon, decimal
// comma, day/month/year). Texts that hold a separator, a quote, a line end or
// the decimal mark are quoted as RFC 4180 says; a text that a spreadsheet
// would take for a formula gets a leading apostrophe, since pupils choose
// their own names. One line per pupil file; an unreadable file has its name
// and the reason in the last column.
#pragma once

#include "editor/core/ClassTexts.h"

#include <string>
#include <string_view>
#include <vector>

struct CsvConventions {
    char separator = ';';
    CellFormat cells; // decimal mark and dates
};

// By the language's name ("English", "German", ...); the built-in texts and
// every language not known are Italian.
CsvConventions CsvConventionsOf(std::string_view language, bool builtInTexts);

// One field, quoted when it must be; `utf8` is already UTF-8.
std::string CsvField(std::string_view utf8, const CsvConventions& conventions);

// The whole file's bytes.
std::string ClassCsv(const std::vector<RosterRow>& rows, const ClassTexts& texts,
                     const CsvConventions& conventions);

// Writes the file atomically; false, with any old file untouched, when it
// could not be written. The path is the system's bytes.
bool WriteClassCsv(const std::string& path, const std::vector<RosterRow>& rows,
                   const ClassTexts& texts, const CsvConventions& conventions);
