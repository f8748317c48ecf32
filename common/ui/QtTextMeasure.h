#pragma once

#include "common/core/TextMeasure.h"

#include <QFont>

// The text-measurement port answered by Qt's font metrics. Point sizes are
// taken at the usual 96 dots per inch (12 pt = 16 pixels), whatever the
// screen reports, so that widths in pixels match the windows' fixed layouts.
class QtTextMeasure : public TextMeasure {
public:
    int Width(const std::string& cp1252Text, const FontSpec& font) const override;

    // The QFont a FontSpec stands for ("Arial" resolves to its metric twin).
    static QFont FontOf(const FontSpec& font);
};
