// Texts and page layout of the printed keyboard: the question asked before printing and the
// caption line under the picture, built from the user-interface texts, and where picture and
// caption lie on the landscape page.
#pragma once

#include "common/core/UiTexts.h"

#include <string>

// Millimetres from the top left corner of the printable area of a landscape page.
struct KeyboardPageLayout {
    double pictureLeft = 16;
    double pictureTop = 25;
    double pictureWidth = 260;
    double pictureHeight = 94;
    double captionLeft = 16;
    double captionTop = 195;
};

// The caption is printed in two runs on one line: the layout's name in bold, then the
// program's credit in smaller italics.
struct KeyboardCaption {
    std::string layoutRun; // Windows-1252
    std::string creditRun; // Windows-1252
};

inline constexpr const char* kKeyboardPrintTitle = "Zentavo";

// "Vuoi stampare la tastiera di Zentavo?" CR LF "(la tastiera verrà stampata ...)"
std::string KeyboardPrintQuestion(const UiTexts& texts);
KeyboardCaption KeyboardPrintCaption(const UiTexts& texts);
