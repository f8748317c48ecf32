// The texts of the editor's class window, its CSV export and its PDF report,
// in the current language (Windows-1252), and the figures of a roster row as
// those three write them, so that the window, the file and the paper agree.
#pragma once

#include "common/core/UiTexts.h"
#include "history/ClassRoster.h"

#include <array>
#include <string>
#include <utility>

struct ClassTexts {
    std::string caption; // "Classe": the button and the window
    std::string buttonToolTip;
    std::array<std::string, kRosterColumnCount> columns; // in RosterColumn order
    std::string problemColumn; // the CSV's column for why a file was not read
    std::string classFilter;   // "Classe:"
    std::string allClasses;
    std::string mostWrongKeys;
    std::string exportCsv;
    std::string pdfReport;
    std::string folderCaption; // "Cartella della classe"
    std::string refresh;
    std::string close;
    std::string noFolder;
    std::string folderUnreadable;
    std::string folderLabel;
    std::string browse;
    std::string folderNotWritable;
    std::string settingNotSaved;
    std::string cannotWrite;
    std::string csvFiles;
    std::string pdfFiles;
    std::string reportTitle;
    std::string reportDate;
    std::string reportPupils;
    std::string reportUnreadable;
    std::string doubleClickHint;
    std::string cutShort;
    std::string noWrongKeys;
    std::string spaceKey; // the names of keys whose character cannot be seen
    std::string enterKey;

    static ClassTexts From(const UiTexts& texts);
    // Why a file was not read; "" for a readable one.
    const std::string& Problem(RosterProblem problem) const;

private:
    std::array<std::string, 18> m_problems;
};

enum class DateStyle { DaySlash, DayDot, Iso }; // 07/12/2026, 07.12.2026, 2026-12-07

// How a cell's figures are written.
struct CellFormat {
    char decimalMark = ',';
    DateStyle dates = DateStyle::DaySlash;
    // Speeds in keystrokes per minute with one decimal (for a spreadsheet)
    // or as whole numbers (for reading).
    bool speedDecimals = false;
    // What stands for a figure that does not exist (no speed four weeks earlier).
    std::string missing = "-";
    std::string spaceKey = "Spazio";
    std::string enterKey = "Invio";
};

// Characters as a reader sees them, separated by blanks: "a \xE8 Spazio".
std::string KeysText(const std::string& characters, const CellFormat& format);
// A column title longer than maxLength on two lines, broken at the blank
// nearest its middle; the second line is "" when the title stays whole.
std::pair<std::string, std::string> SplitTitle(const std::string& title, std::size_t maxLength);

// A number with one decimal and the given mark: "97,5".
std::string OneDecimal(double value, char decimalMark);
// The local date of a moment; "" for 0 (never).
std::string DateText(std::int64_t moment, DateStyle style);

// A readable row's cell in Windows-1252 text, except the file's name, which
// stays in the system's bytes.
std::string RosterCell(const RosterRow& row, RosterColumn column, const CellFormat& format);
