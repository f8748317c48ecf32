#pragma once
// The painted look of the main window: the eleven background themes, the
// gradients of its panels and the rounded frame around the central panel.
// Each gradient is worked out once per height into a narrow tile, and a
// repaint copies the tile across what is dirty: plain blits, no scaling.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QWidget>

#include <functional>

class QPainter;

inline constexpr int kBackgroundThemeCount = 11;

struct ThemeColours {
    QColor top;
    QColor bottom;
};
ThemeColours BackgroundTheme(int theme);
// The next theme after the background menu: 10 is followed by 0.
int NextBackgroundTheme(int theme);

// Row colours of the gradients, row 0 at the top of an area `height` rows high.
QColor ThemeRowColour(int theme, int row, int height);
QColor NotebookRowColour(int row, int height);      // picNotebook, 256 grey bands
QColor FondoNotebookRowColour(int row, int height); // picFondoNotebook, 201 grey bands
QColor BottomBarRowColour(int row, QColor below);   // picBottomBar, 41 rows
// picLevel and picMessaggio: a shaded band of 11 rows at the top and at the
// bottom, the back colour between them.
QColor PanelBandRowColour(int row, int height, QColor back);

// The back colour of the level and message panels and of the input box.
inline const QColor kPanelBackColour(156, 196, 228);

// A vertical gradient as a strip one pixel wide.
QImage GradientStrip(int height, const std::function<QColor(int row)>& rowColour);

// The same gradient as a tile kGradientTileWidth pixels wide, to be copied
// across an area of the same height (PaintGradientTile).
inline constexpr int kGradientTileWidth = 16;
QPixmap GradientTile(int height, const std::function<QColor(int row)>& rowColour);
// Copies the tile over `area` of a painter whose device is as high as the tile.
void PaintGradientTile(QPainter& painter, const QRect& area, const QPixmap& tile);

// The frame drawn on the window around the panel background: a dark line
// and a light line inside it, corners rounded by leaving out and adding
// single pixels.
void PaintPanelFrame(QPainter& painter, const QRect& around);

// A panel painted with one of the gradients above.
class GradientPanel : public QWidget {
    Q_OBJECT
public:
    enum class Kind { Notebook, FondoNotebook, BottomBar, Band };
    GradientPanel(Kind kind, const QString& name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QColor rowColour(int row) const;

    Kind m_kind;
    QPixmap m_tile;
};
