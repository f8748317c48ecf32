#include "common/ui/KeyMapView.h"

#include "common/ui/QtColour.h"
#include "common/ui/QtCp1252.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace {

// The keyboard picture of the tutor's main window: 15 twips a pixel.
constexpr double kTwipsPerPixel = 15.0;
constexpr int kBevel = 2;
constexpr int kBevelShift = 50;
constexpr int kMargin = 4;
constexpr double kCaptionPoints = 9.0;
constexpr double kBarLabelPoints = 8.0;
constexpr int kBarLabelHeight = 18;
constexpr int kBarGap = 10;

QColor Shifted(Colour c, int delta) {
    const auto limit = [delta](int v) { return std::clamp(v + delta, 0, 255); };
    return {limit(c.red), limit(c.green), limit(c.blue)};
}

QSize KeyboardTwips() {
    int width = 0;
    int height = 0;
    for (const KeyInfo& key : KeyTable::Keys()) {
        width = std::max(width, key.left + key.width);
        height = std::max(height, key.top + key.height);
    }
    return {width, height};
}

QFont ArialPoints(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QString PercentLabel(double fraction) {
    return ToQString(PercentText(fraction));
}

} // namespace

KeyMapView::KeyMapView(KeyMapMode mode, QWidget* parent) : QWidget(parent), m_mode(mode) {
    setObjectName(mode == KeyMapMode::Errors ? QStringLiteral("picMappaErrori")
                                             : QStringLiteral("picMappaLentezza"));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setMouseTracking(true);
}

void KeyMapView::SetShades(const KeyShades& shades, const ProgressTexts& texts) {
    m_shades = shades;
    m_texts = texts;
    m_worst = ToQString(WeakestKeysText(texts, shades));
    setAccessibleDescription(ToQString(Labelled(texts.weakestKeys, FromQString(m_worst))));
    update();
}

double KeyMapView::Scale() const {
    const QSize twips = KeyboardTwips();
    const double sx = (width() - 2 * kMargin) / static_cast<double>(twips.width());
    const double sy = (height() - 2 * kMargin) / static_cast<double>(twips.height());
    return std::max(0.0, std::min(sx, sy));
}

QRectF KeyMapView::KeyRect(int key) const {
    const KeyInfo& info = KeyTable::Key(static_cast<std::int16_t>(key));
    const double s = Scale();
    return {kMargin + info.left * s, kMargin + info.top * s, info.width * s, info.height * s};
}

int KeyMapView::KeyAt(const QPoint& point) const {
    for (const KeyInfo& key : KeyTable::Keys())
        if (KeyRect(key.number).contains(point))
            return key.number;
    return -1;
}

QSize KeyMapView::sizeHint() const {
    const QSize twips = KeyboardTwips();
    return {static_cast<int>(twips.width() / kTwipsPerPixel) + 2 * kMargin,
            static_cast<int>(twips.height() / kTwipsPerPixel) + 2 * kMargin};
}

QSize KeyMapView::minimumSizeHint() const {
    return sizeHint() / 2;
}

int KeyMapView::heightForWidth(int w) const {
    const QSize twips = KeyboardTwips();
    return static_cast<int>((w - 2 * kMargin) * static_cast<double>(twips.height()) /
                            twips.width()) +
           2 * kMargin;
}

void KeyMapView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const double s = Scale();
    p.setFont(ArialPoints(kCaptionPoints * std::min(1.5, s * kTwipsPerPixel), true));
    for (const KeyInfo& key : KeyTable::Keys()) {
        const KeyShade& shade = m_shades[static_cast<std::size_t>(key.number)];
        const QRect r =
            KeyRect(key.number).toAlignedRect().adjusted(kBevel, kBevel, -kBevel, -kBevel);
        p.fillRect(r, ToQColor(shade.colour));
        // The keyboard's raised bevel: light on top and left, dark below and right.
        for (int ring = 1; ring <= kBevel; ++ring) {
            const QRect b = r.adjusted(-ring, -ring, ring - 1, ring - 1);
            p.setPen(Shifted(shade.colour, kBevelShift));
            p.drawLine(b.topLeft(), b.topRight());
            p.drawLine(b.topLeft(), b.bottomLeft());
            p.setPen(Shifted(shade.colour, -kBevelShift));
            p.drawLine(b.bottomLeft(), b.bottomRight());
            p.drawLine(b.topRight(), b.bottomRight());
        }
        const QString name = ToQString(KeyName(key.number));
        if (!name.trimmed().isEmpty()) {
            p.setPen(Qt::black);
            p.drawText(r, Qt::AlignCenter, name);
        }
    }
}

bool KeyMapView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const int key = KeyAt(help->pos());
        if (key < 0 || KeyName(static_cast<std::int16_t>(key)).empty()) {
            QToolTip::hideText();
            e->ignore();
            return true;
        }
        QToolTip::showText(
            help->globalPos(),
            ToQString(KeyToolTip(m_texts, m_shades[static_cast<std::size_t>(key)], m_mode)), this,
            KeyRect(key).toAlignedRect());
        return true;
    }
    return QWidget::event(e);
}

FingerBarsView::FingerBarsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picErroriDita"));
    setMinimumHeight(120);
}

void FingerBarsView::SetFingers(const std::array<FingerErrors, 5>& fingers,
                                const ProgressTexts& texts) {
    m_fingers = fingers;
    for (std::size_t i = 0; i < m_names.size(); ++i)
        m_names[i] = ToQString(texts.fingerNames[i]);
    QStringList tips;
    for (std::size_t i = 0; i < fingers.size(); ++i)
        tips << m_names[i] + QStringLiteral(": ") + PercentLabel(fingers[i].errorRate);
    setToolTip(tips.join(QLatin1Char('\n')));
    update();
}

void FingerBarsView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(ArialPoints(kBarLabelPoints));
    double highest = kRedErrorRate;
    for (const FingerErrors& f : m_fingers)
        highest = std::max(highest, f.errorRate);
    const int count = static_cast<int>(m_fingers.size());
    const int barWidth = (width() - kBarGap * (count + 1)) / count;
    const int base = height() - kBarLabelHeight;
    const int tallest = base - kBarLabelHeight;
    for (int i = 0; i < count; ++i) {
        const FingerErrors& f = m_fingers[static_cast<std::size_t>(i)];
        const int x = kBarGap + i * (barWidth + kBarGap);
        const int h = static_cast<int>(f.errorRate / highest * tallest);
        const QRect bar(x, base - h, barWidth, h);
        p.fillRect(bar, ToQColor(FingerColour(f.finger)));
        p.setPen(Qt::black);
        if (h > 0)
            p.drawRect(bar.adjusted(0, 0, -1, -1));
        p.drawLine(x, base, x + barWidth, base);
        p.drawText(
            QRect(x - kBarGap / 2, base - h - kBarLabelHeight, barWidth + kBarGap, kBarLabelHeight),
            Qt::AlignHCenter | Qt::AlignBottom, PercentLabel(f.errorRate));
        p.drawText(QRect(x - kBarGap / 2, base, barWidth + kBarGap, kBarLabelHeight),
                   Qt::AlignCenter, m_names[static_cast<std::size_t>(i)]);
    }
}
