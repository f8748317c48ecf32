#pragma once

#include "common/core/UiTexts.h"
#include "tutor/core/ResultsFigures.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace results_test {

// An exercise at Principiante with hand-checked figures:
// level 1 speeds 2.5, 3.0, 0, 1.25, 1.5 (150, 180, 0, 75, 90 a minute;
// points 100, 100, 0, 50, 60; averages 99 a minute and 62 points);
// level 2 all 1.0 (60 a minute, 40 points); level 3 all 2.0 (120, 80).
inline ResultsFigures Figures(std::int16_t levelsReached, std::int16_t outcome = 1) {
    ResultsFigures figures;
    figures.texts = ResultsTexts::From(UiTexts::BuiltIn(UiProgram::Tutor));
    figures.table.PointsFactor = 0.4f;
    figures.table.Difficulty = 0;
    figures.table.CategoryName = "Principiante";
    figures.table.LevelsReached = levelsReached;
    figures.table.ResultsOutcome = outcome;
    figures.table.TotalCorrect = 200;
    figures.table.TotalWrong = 3;
    const float level1[5] = {2.5f, 3.0f, 0.0f, 1.25f, 1.5f};
    for (int i = 0; i < 5; ++i)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(1 + i)] = level1[i];
    for (int s = 6; s <= 10; ++s)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(s)] = 1.0f;
    for (int s = 11; s <= 15; ++s)
        figures.table.SentenceSpeeds[static_cast<std::size_t>(s)] = 2.0f;
    return figures;
}

struct ToolResult {
    int exitCode = -1;
    QString output; // standard output and error
};

// Runs a command-line tool (qpdf, pdftotext) and collects what it says.
inline ToolResult RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    ToolResult result;
    if (!process.waitForFinished(30000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

// The text of a PDF with its layout, as pdftotext gives it.
inline QString PdfText(const QString& path) {
    return RunTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), path, QStringLiteral("-")})
        .output;
}

} // namespace results_test
