// The built-in Italian texts of both programs, one row per ID in ascending
// order. Each row is the program's own design text; the tool-tip column is
// filled only where a control's caption and tool-tip share one ID.
#pragma once

#include "common/core/UiTexts.h"

#include <span>
#include <string_view>

struct UiTextEntry {
    std::string_view id;
    std::string_view text;
    std::string_view toolTip;
};

std::span<const UiTextEntry> BuiltInUiTexts(UiProgram program);
