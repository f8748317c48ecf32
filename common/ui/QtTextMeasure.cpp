#include "common/ui/QtTextMeasure.h"

#include "common/ui/QtCp1252.h"

#include <QFontMetrics>

#include <cmath>

QFont QtTextMeasure::FontOf(const FontSpec& font) {
    QFont qfont(QString::fromStdString(font.family));
    qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSize * 96.0 / 72.0))));
    qfont.setBold(font.bold);
    qfont.setItalic(font.italic);
    return qfont;
}

int QtTextMeasure::Width(const std::string& cp1252Text, const FontSpec& font) const {
    const QFontMetrics metrics(FontOf(font));
    return metrics.horizontalAdvance(ToQString(cp1252Text));
}
