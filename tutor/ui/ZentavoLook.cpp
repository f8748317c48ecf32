#include "tutor/ui/ZentavoLook.h"

#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct ThemeRgb {
    int top[3];
    int bottom[3];
};

constexpr std::array<ThemeRgb, kBackgroundThemeCount> kThemes = {{
    {{206, 222, 234}, {114, 140, 159}},
    {{221, 227, 193}, {148, 158, 109}},
    {{243, 216, 211}, {177, 137, 128}},
    {{183, 216, 201}, {101, 142, 123}},
    {{0, 0, 255}, {0, 0, 0}},
    {{230, 0, 0}, {0, 0, 0}},
    {{0, 212, 0}, {0, 0, 0}},
    {{230, 230, 0}, {0, 0, 0}},
    {{244, 0, 244}, {0, 0, 0}},
    {{220, 220, 220}, {0, 0, 0}},
    {{0, 0, 0}, {0, 0, 0}},
}};

int clampTheme(int theme) {
    return std::clamp(theme, 0, kBackgroundThemeCount - 1);
}

int grey(int g) {
    return std::clamp(g, 0, 255);
}

} // namespace

ThemeColours BackgroundTheme(int theme) {
    const ThemeRgb& t = kThemes[static_cast<size_t>(clampTheme(theme))];
    return {QColor(t.top[0], t.top[1], t.top[2]), QColor(t.bottom[0], t.bottom[1], t.bottom[2])};
}

int NextBackgroundTheme(int theme) {
    return (clampTheme(theme) + 1) % kBackgroundThemeCount;
}

QColor ThemeRowColour(int theme, int row, int height) {
    const ThemeRgb& t = kThemes[static_cast<size_t>(clampTheme(theme))];
    const double f = height > 1 ? std::clamp(row, 0, height - 1) / double(height - 1) : 0.0;
    const auto mix = [f](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * f)); };
    return {mix(t.top[0], t.bottom[0]), mix(t.top[1], t.bottom[1]), mix(t.top[2], t.bottom[2])};
}

QColor NotebookRowColour(int row, int height) {
    // 256 bands; band i (1..255) covers rows (i-1)/256 to i/256 of the height.
    const int band = std::clamp(row * 256 / std::max(height, 1) + 1, 1, 255);
    const int g = grey(band / 2 + 60);
    return {g, g, g};
}

QColor FondoNotebookRowColour(int row, int height) {
    // 200 bands from grey 200 at the top down to black.
    const int band = std::clamp(row * 200 / std::max(height, 1) + 1, 1, 201);
    const int g = grey(201 - band);
    return {g, g, g};
}

QColor BottomBarRowColour(int row, QColor below) {
    if (row < 0 || row > 40)
        return below;
    return {196 - row, 236 - row, 228};
}

QColor PanelBandRowColour(int row, int height, QColor back) {
    const int h = height - 10;
    if (row >= 0 && row <= 10 && row < h)
        return {176 - 2 * row, 216 - 2 * row, 248 - 2 * row};
    if (row >= h && row <= h + 10) {
        const int i = row - h;
        return {156 - 2 * i, 196 - 2 * i, 228 - 2 * i};
    }
    return back;
}

QImage GradientStrip(int height, const std::function<QColor(int row)>& rowColour) {
    QImage strip(1, std::max(height, 1), QImage::Format_RGB32);
    for (int y = 0; y < strip.height(); ++y)
        strip.setPixel(0, y, rowColour(y).rgb());
    return strip;
}

QPixmap GradientTile(int height, const std::function<QColor(int row)>& rowColour) {
    QImage tile(kGradientTileWidth, std::max(height, 1), QImage::Format_RGB32);
    for (int y = 0; y < tile.height(); ++y) {
        const QRgb colour = rowColour(y).rgb();
        auto* line = reinterpret_cast<QRgb*>(tile.scanLine(y));
        std::fill(line, line + tile.width(), colour);
    }
    return QPixmap::fromImage(std::move(tile));
}

void PaintGradientTile(QPainter& painter, const QRect& area, const QPixmap& tile) {
    painter.drawTiledPixmap(area, tile, QPoint(area.left() % tile.width(), area.top()));
}

void PaintPanelFrame(QPainter& p, const QRect& around) {
    const QRect outer = around.adjusted(-3, -3, 2, 2);
    const QRect inner = around.adjusted(-2, -2, 1, 1);
    const QColor dark(40, 44, 52);
    const QColor light(235, 238, 242);
    const auto frame = [&p](const QRect& r, const QColor& c, int cut) {
        // Straight edges stop short of the corners by `cut` pixels ...
        p.fillRect(QRect(r.left() + cut, r.top(), r.width() - 2 * cut, 1), c);
        p.fillRect(QRect(r.left() + cut, r.bottom(), r.width() - 2 * cut, 1), c);
        p.fillRect(QRect(r.left(), r.top() + cut, 1, r.height() - 2 * cut), c);
        p.fillRect(QRect(r.right(), r.top() + cut, 1, r.height() - 2 * cut), c);
        // ... and single pixels turn each corner.
        for (int k = 1; k < cut; ++k) {
            const int d = cut - k;
            p.fillRect(QRect(r.left() + k, r.top() + d, 1, 1), c);
            p.fillRect(QRect(r.right() - k, r.top() + d, 1, 1), c);
            p.fillRect(QRect(r.left() + k, r.bottom() - d, 1, 1), c);
            p.fillRect(QRect(r.right() - k, r.bottom() - d, 1, 1), c);
        }
    };
    frame(outer, dark, 4);
    frame(inner, light, 3);
}

GradientPanel::GradientPanel(Kind kind, const QString& name, QWidget* parent)
    : QWidget(parent), m_kind(kind) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientPanel::resizeEvent(QResizeEvent* event) {
    m_tile = QPixmap();
    QWidget::resizeEvent(event);
}

QColor GradientPanel::rowColour(int row) const {
    const int h = height();
    switch (m_kind) {
    case Kind::Notebook:
        return NotebookRowColour(row, h);
    case Kind::FondoNotebook:
        return FondoNotebookRowColour(row, h);
    case Kind::BottomBar:
        return BottomBarRowColour(row, kPanelBackColour);
    case Kind::Band:
        break;
    }
    return PanelBandRowColour(row, h, kPanelBackColour);
}

void GradientPanel::paintEvent(QPaintEvent* event) {
    if (m_tile.isNull() || m_tile.height() != height())
        m_tile = GradientTile(height(), [this](int row) { return rowColour(row); });
    QPainter p(this);
    PaintGradientTile(p, event->rect(), m_tile);
}
