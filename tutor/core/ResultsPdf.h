#pragma once

#include "common/core/Colour.h"
#include "tutor/core/ResultsPdfWriter.h"

#include <cstdint>
#include <string>

struct ResultsFigures;

// Where the results page puts things, in centimetres from the bottom-left
// corner of an A4 page.
namespace results_pdf {
inline constexpr float kLeftEdge = 2.0f;
inline constexpr float kTextLeft = 2.5f;
inline constexpr float kPointsLabelX = 12.0f;
inline constexpr float kRightEdge = 20.0f;
inline constexpr float kColumnGap = 1.0f;
inline constexpr float kRowStep = 0.5f;
inline constexpr float kLevelHeadingY[3] = {25.0f, 19.0f, 13.0f};
inline constexpr float kLevelBandY[3] = {25.2f, 19.2f, 13.2f};
inline constexpr float kFirstRowY[3] = {24.0f, 18.0f, 12.0f};
// The document's fonts: resource name and LoadFont style.
inline constexpr const char* kRegular = "Fn1";
inline constexpr const char* kBoldItalic = "Fn2";
inline constexpr const char* kBold = "Fn3";
inline constexpr const char* kItalic = "Fn4";
} // namespace results_pdf

// Follows "Zentavo" at the foot of the printed and the PDF results.
inline constexpr const char* kResultsCredit = " \xA9 gli autori di Zentavo";

// Writes the one-page results document to path through the writer: the
// title with the pupil's name (as typed) and the date (already formatted),
// the tables of all three levels, the overall results over the levels
// reached and the footer. The writer's file errors reach the caller.
void CreaPDF(ResultsPdfWriter& writer, std::string& path, const ResultsFigures& figures,
             const std::string& playerName, const std::string& date);

// The colour number the writer takes: the stored form of the colour.
constexpr int32_t PdfColour(int red, int green, int blue) {
    return static_cast<int32_t>(Colour{red, green, blue}.Stored());
}
