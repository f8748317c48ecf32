// The class report as a PDF made by clsPDFCreator: the class and the date,
// one line per pupil file with the figures of the class window (an unreadable
// file with its reason), and the keys most often wrong across the class. A4
// portrait; as many pages as the lines need, each with the column titles.
#pragma once

#include "editor/core/ClassTexts.h"

#include <string>
#include <vector>

struct ClassReportInput {
    std::string className; // "" for every class
    std::string date;      // the day of the report, already formatted
    CellFormat cells;
};

// Writes the document to path (a native path); the writer's file errors
// reach the caller as exceptions. Returns the number of pages.
int CreaClassReportPDF(const std::string& path, const std::vector<RosterRow>& rows,
                       const ClassSummary& summary, const ClassTexts& texts,
                       const ClassReportInput& input);

// The same, written beside the file and renamed over it when whole; false,
// with an old file untouched, when it could not be written.
bool WriteClassReport(const std::string& path, const std::vector<RosterRow>& rows,
                      const ClassSummary& summary, const ClassTexts& texts,
                      const ClassReportInput& input);

// "è (14 / 110, 12,7%)": a most-wrong key with its wrong and all keystrokes.
std::string MostWrongKeyText(const KeyFigures& key, const CellFormat& format);
