#pragma once
// The progress report as a PDF document made by clsPDFCreator: the page of
// ComposeProgressReport drawn with the writer's text, lines and rectangles.

#include "tutor/core/ProgressReport.h"

#include <string>

// Writes the one-page document to path (Windows-1252 texts, a native path).
// The writer's file errors reach the caller as exceptions.
void CreaProgressPDF(const std::string& path, const ProgressTexts& texts,
                     const ProgressFigures& figures, const ProgressReportInput& input);
