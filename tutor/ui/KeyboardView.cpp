#include "tutor/ui/KeyboardView.h"

#include "common/ui/QtColour.h"
#include "common/ui/QtCp1252.h"

#include <QHelpEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>

#include <bitset>
#include <cmath>

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr int kKeyB = 25;
// Keys that carry a drawn symbol besides (or instead of) a caption.
constexpr int kCapsLockKey = 55;
constexpr int kBackspaceKey = 59;
constexpr int kTabKey = 54;
constexpr int kLeftWindowsKey = 56;
constexpr int kRightWindowsKey = 39;
constexpr int kMenuKey = 37;

bool hasSymbol(int key) {
    switch (key) {
    case KeyTable::kLeftShiftKey:
    case KeyTable::kRightShiftKey:
    case kCapsLockKey:
    case kBackspaceKey:
    case kTabKey:
    case kLeftWindowsKey:
    case kRightWindowsKey:
    case kMenuKey:
        return true;
    default:
        return false;
    }
}
constexpr int kImagePixels = 32;
// The plate the keys sit on.
const QColor kPlate(92, 98, 108);

int fontIndex(CaptionFont f) {
    switch (f) {
    case CaptionFont::Small:
        return 1;
    case CaptionFont::Large:
        return 2;
    case CaptionFont::Window:
        break;
    }
    return 0;
}

// An upward arrow outline, as on Shift (and Caps Lock with a bar below).
QPainterPath upArrow(const QRectF& box) {
    const double w = box.width();
    const double h = box.height();
    QPainterPath path;
    path.moveTo(box.left() + w / 2, box.top());
    path.lineTo(box.right(), box.top() + h * 0.5);
    path.lineTo(box.left() + w * 0.72, box.top() + h * 0.5);
    path.lineTo(box.left() + w * 0.72, box.bottom());
    path.lineTo(box.left() + w * 0.28, box.bottom());
    path.lineTo(box.left() + w * 0.28, box.top() + h * 0.5);
    path.lineTo(box.left(), box.top() + h * 0.5);
    path.closeSubpath();
    return path;
}

// A horizontal arrow with a stop bar: Tab (one each way) and Backspace.
void barArrow(QPainter& p, const QPointF& from, double length, double head, bool bar) {
    const double dir = length > 0 ? 1.0 : -1.0;
    const QPointF tip(from.x() + length, from.y());
    p.drawLine(from, tip);
    p.drawLine(tip, QPointF(tip.x() - dir * head, tip.y() - head * 0.7));
    p.drawLine(tip, QPointF(tip.x() - dir * head, tip.y() + head * 0.7));
    if (bar)
        p.drawLine(QPointF(tip.x() + dir, tip.y() - head), QPointF(tip.x() + dir, tip.y() + head));
}

} // namespace

KeyboardView::KeyboardView(const KeyboardModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("picKeyword"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    for (int key = 0; key < KeyTable::kKeyCount; ++key)
        m_captions[static_cast<size_t>(key)] =
            ToQString(std::string(KeyTable::Key(static_cast<std::int16_t>(key)).caption));
    SetFontScale(1.0);
    resize(kDesignWidth, kDesignHeight);
}

void KeyboardView::SetFingerPictures(
    const std::array<QPixmap, KeyboardModel::kFingerImageCount>& pictures) {
    m_fingers = pictures;
    m_underPrompt = QPixmap();
    update();
}

void KeyboardView::SetPromptPicture(const QPixmap& picture) {
    m_prompt = picture;
    update(PromptImageRectPixels());
}

void KeyboardView::SetToolTips(const QString& keyB, const QString& fingerImage) {
    m_keyBToolTip = keyB;
    m_fingerToolTip = fingerImage;
}

void KeyboardView::SetFontScale(double scale) {
    m_fontScale = scale;
    for (CaptionFont f : {CaptionFont::Window, CaptionFont::Small, CaptionFont::Large}) {
        const FontSpec spec = KeyTable::CaptionFontSpec(f);
        QFont font(QString::fromStdString(spec.family));
        // Point sizes are those of a 96 dpi screen, so the keyboard looks the
        // same whatever resolution the display server claims.
        font.setPixelSize(static_cast<int>(std::lround(spec.pointSize * 96.0 / 72.0 * scale)));
        font.setStyleHint(QFont::SansSerif);
        m_fonts[static_cast<size_t>(fontIndex(f))] = font;
    }
    dropCapPictures();
    update();
}

double KeyboardView::scaleX() const {
    return width() / static_cast<double>(kDesignWidth);
}
double KeyboardView::scaleY() const {
    return height() / static_cast<double>(kDesignHeight);
}

QRect KeyboardView::ToPixels(const TwipsRect& area) const {
    const auto x = [this](int twips) {
        return static_cast<int>(std::lround(twips / kTwipsPerPixel * scaleX()));
    };
    const auto y = [this](int twips) {
        return static_cast<int>(std::lround(twips / kTwipsPerPixel * scaleY()));
    };
    const int left = x(area.left);
    const int top = y(area.top);
    return {left, top, x(area.left + area.width) - left, y(area.top + area.height) - top};
}

QRect KeyboardView::KeyRectPixels(int key) const {
    return keyGeometry(key).label;
}

const KeyboardView::KeyGeometry& KeyboardView::keyGeometry(int key) const {
    if (m_keyGeometrySize != size()) {
        for (int k = 0; k < KeyTable::kKeyCount; ++k)
            m_keyGeometry[static_cast<size_t>(k)] = {ToPixels(KeyboardModel::KeyRect(k)),
                                                     ToPixels(m_model.KeyAreaWithBevel(k))};
        m_keyGeometrySize = size();
    }
    return m_keyGeometry[static_cast<size_t>(key)];
}

QRect KeyboardView::FingerImageRectPixels(int image) const {
    const bool enlarged = width() > kDesignWidth;
    const QRect design = ToPixels(KeyboardModel::FingerImageRect(image, enlarged));
    QRect r(0, 0, kImagePixels, kImagePixels);
    if (KeyboardModel::FingerImageAnchoredRight(image))
        r.moveBottomRight(design.bottomRight());
    else
        r.moveBottomLeft(design.bottomLeft());
    return r;
}

QRect KeyboardView::PromptImageRectPixels() const {
    const QRect design = ToPixels(KeyboardModel::PromptImageRect());
    return {design.topLeft(), QSize(kImagePixels, kImagePixels)};
}

int KeyboardView::KeyAt(const QPoint& point) const {
    for (int key = 0; key < KeyTable::kKeyCount; ++key) {
        if (KeyRectPixels(key).contains(point))
            return key;
    }
    return -1;
}

int KeyboardView::fingerImageAt(const QPoint& point) const {
    if (!m_model.FingerImagesVisible())
        return -1;
    for (int image = 0; image < KeyboardModel::kFingerImageCount; ++image) {
        if (FingerImageRectPixels(image).contains(point))
            return image;
    }
    return -1;
}

void KeyboardView::AreasChanged(const std::vector<TwipsRect>& areas) {
    for (const TwipsRect& area : areas)
        areaChanged(area);
}

void KeyboardView::areaChanged(const TwipsRect& area) {
    // Pictures keep their size when the window grows, so their pixels are
    // not the scaled design area.
    if (area == KeyboardModel::PromptImageRect()) {
        update(PromptImageRectPixels());
        return;
    }
    QRect pixels = ToPixels(area).adjusted(-1, -1, 1, 1);
    for (int image = 0; image < KeyboardModel::kFingerImageCount; ++image) {
        if (area == KeyboardModel::FingerImageRect(image)) {
            pixels = FingerImageRectPixels(image);
            break;
        }
    }
    if (pixels.intersects(PromptImageRectPixels()))
        m_underPrompt = QPixmap();
    update(pixels);
}

QFont KeyboardView::captionFont(int key) const {
    const KeyInfo& info = KeyTable::Key(static_cast<std::int16_t>(key));
    QFont font = m_fonts[static_cast<size_t>(fontIndex(info.captionFont))];
    if (key == KeyTable::kEnterUpperKey && m_model.EnterCaptionBold())
        font.setBold(true);
    return font;
}

void KeyboardView::resizeEvent(QResizeEvent* event) {
    dropCapPictures();
    QWidget::resizeEvent(event);
}

void KeyboardView::changeEvent(QEvent* event) {
    // Captions and symbols are drawn in the palette's text colour.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        dropCapPictures();
    QWidget::changeEvent(event);
}

void KeyboardView::dropCapPictures() {
    for (CapPicture& cap : m_capPictures)
        cap = CapPicture();
    m_underPrompt = QPixmap();
}

void KeyboardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    // The region, not its bounding box: keys sunk and raised far apart on
    // the keyboard repaint alone, not with every key between them. Its
    // rectangles do not overlap, so each pixel is painted once; clipped to
    // one rectangle, every fill takes the painter's quick way.
    const QRect prompt = PromptImageRectPixels();
    for (const QRect& area : event->region()) {
        p.setClipRect(area);
        if (area == prompt)
            paintPrompt(p);
        else
            paintArea(p, area);
    }
}

void KeyboardView::paintPrompt(QPainter& p) {
    // The prompt blinks all the while the start screen waits: the keys
    // under it are drawn once and copied from there at each blink.
    const QRect prompt = PromptImageRectPixels();
    if (m_underPrompt.isNull()) {
        const qreal ratio = devicePixelRatioF();
        m_underPrompt = QPixmap(prompt.size() * ratio);
        m_underPrompt.setDevicePixelRatio(ratio);
        QPainter under(&m_underPrompt);
        under.translate(-prompt.topLeft());
        paintKeys(under, prompt);
    }
    p.drawPixmap(prompt.topLeft(), m_underPrompt);
    if (m_model.PromptImageVisible() && !m_prompt.isNull())
        p.drawPixmap(prompt, m_prompt);
}

void KeyboardView::paintArea(QPainter& p, const QRect& dirty) {
    paintKeys(p, dirty);
    if (m_model.PromptImageVisible() && !m_prompt.isNull() &&
        dirty.intersects(PromptImageRectPixels()))
        p.drawPixmap(PromptImageRectPixels(), m_prompt);
}

void KeyboardView::paintKeys(QPainter& p, const QRect& dirty) {
    p.fillRect(dirty, kPlate);

    // Bevels first, then the caps: a cap covers any bevel ring that reaches
    // under it, as happens where the two parts of Enter meet.
    std::bitset<KeyTable::kKeyCount> inDirty;
    for (int key = 0; key < KeyTable::kKeyCount; ++key) {
        if (dirty.intersects(keyGeometry(key).withBevel)) {
            inDirty.set(static_cast<size_t>(key));
            paintBevel(p, key, dirty);
        }
    }
    for (int key = 0; key < KeyTable::kKeyCount; ++key) {
        if (inDirty.test(static_cast<size_t>(key)))
            paintCap(p, key, dirty);
    }

    // The two masks hide the joint between the parts of Enter, making one
    // L-shaped key.
    const QColor enterColour = ToQColor(m_model.KeyColour(KeyTable::kEnterKey));
    for (int mask = 0; mask < 2; ++mask) {
        const QRect r = ToPixels(KeyboardModel::MaskRect(mask));
        if (dirty.intersects(r))
            p.fillRect(r, enterColour);
    }

    for (int line = 0; line < KeyboardModel::kBumpCount; ++line) {
        QRect bump = ToPixels(KeyboardModel::BumpRect(line));
        bump.setHeight(1);
        if (dirty.intersects(bump))
            p.fillRect(bump, ToQColor(m_model.BumpColour(line)));
    }

    if (m_model.FingerImagesVisible()) {
        for (int image = 0; image < KeyboardModel::kFingerImageCount; ++image) {
            const QPixmap& picture = m_fingers[static_cast<size_t>(image)];
            const QRect where = FingerImageRectPixels(image);
            if (!picture.isNull() && dirty.intersects(where))
                p.drawPixmap(where, picture);
        }
    }

    // The frames darken what lies under them: each pixel ANDed with the
    // frame's grey, the border with a darker one.
    p.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    for (int frame = 0; frame < KeyboardModel::kFrameCount; ++frame) {
        if (!m_model.FrameVisible(frame))
            continue;
        const QRect r = ToPixels(m_model.FrameRect(frame));
        if (!dirty.intersects(r))
            continue;
        p.fillRect(r, ToQColor(kHighlightFrameFill));
        const QColor border = ToQColor(kHighlightFrameBorder);
        p.fillRect(QRect(r.left(), r.top(), r.width(), 1), border);
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), border);
        p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), border);
        p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), border);
    }
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void KeyboardView::paintCap(QPainter& p, int key, const QRect& dirty) {
    const QRect label = KeyRectPixels(key);
    const QColor colour = ToQColor(m_model.KeyColour(key));
    // A bare cap (the space bar) is one fill: a picture of it would only
    // hold memory.
    if (m_captions[static_cast<size_t>(key)].isEmpty() && !hasSymbol(key)) {
        if (dirty.intersects(label))
            p.fillRect(label, colour);
        return;
    }
    const CapPicture& cap = capPicture(key, label);
    // A neighbour whose bevel alone reaches into the repaint keeps its cap.
    if (!dirty.intersects(label) && !dirty.intersects(cap.overhang))
        return;
    // Around the ink the cap is its colour alone.
    p.fillRect(label, colour);
    if (!cap.ink.isEmpty())
        p.drawPixmap(cap.ink.topLeft(), cap.picture);
    if (cap.overhang.isEmpty())
        return;
    p.save();
    p.setClipRegion(QRegion(cap.overhang) - label, Qt::IntersectClip);
    paintCaption(p, key, label);
    p.restore();
}

const KeyboardView::CapPicture& KeyboardView::capPicture(int key, const QRect& label) {
    CapPicture& cap = m_capPictures[static_cast<size_t>(key)];
    const Colour colour = m_model.KeyColour(key);
    const bool bold = key == KeyTable::kEnterUpperKey && m_model.EnterCaptionBold();
    if (cap.drawn && cap.colour == colour && cap.bold == bold && cap.size == label.size())
        return cap;
    const Ink ink = capInk(key, label);
    QPixmap picture;
    if (!ink.inside.isEmpty()) {
        const qreal ratio = devicePixelRatioF();
        picture = QPixmap(ink.inside.size() * ratio);
        picture.setDevicePixelRatio(ratio);
        picture.fill(ToQColor(colour));
        QPainter q(&picture);
        q.translate(-ink.inside.topLeft());
        paintCaption(q, key, label);
        paintSymbol(q, key, label);
    }
    cap = {true, picture, ink.inside, colour, bold, label.size(), ink.overhang};
    return cap;
}

KeyboardView::Ink KeyboardView::capInk(int key, const QRect& label) const {
    // The caption and symbol drawn alone on a clear sheet larger than the
    // cap show exactly which pixels their ink touches, antialiasing
    // included: inside the cap, and past it onto the bevel.
    const int margin = label.height();
    const QRect sheetArea = label.adjusted(-margin, -margin, margin, margin);
    QImage sheet(sheetArea.size(), QImage::Format_ARGB32_Premultiplied);
    sheet.fill(Qt::transparent);
    QPainter q(&sheet);
    q.translate(-sheetArea.topLeft());
    paintCaption(q, key, label);
    paintSymbol(q, key, label);
    q.end();
    const QRect inside = label.translated(-sheetArea.topLeft());
    Ink ink;
    for (int y = 0; y < sheet.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(sheet.constScanLine(y));
        for (int x = 0; x < sheet.width(); ++x) {
            if (qAlpha(line[x]) == 0)
                continue;
            if (inside.contains(x, y))
                ink.inside |= QRect(x, y, 1, 1);
            else
                ink.overhang |= QRect(x, y, 1, 1);
        }
    }
    // A pixel of margin, clear of the cap's edge, keeps any difference of
    // antialiasing on an opaque cap inside the picture.
    if (!ink.inside.isEmpty())
        ink.inside = ink.inside.translated(sheetArea.topLeft()).adjusted(-1, -1, 1, 1) & label;
    if (!ink.overhang.isEmpty())
        ink.overhang = ink.overhang.translated(sheetArea.topLeft());
    return ink;
}

void KeyboardView::paintBevel(QPainter& p, int key, const QRect& dirty) const {
    const QRect label = KeyRectPixels(key);
    const int l = label.left();
    const int t = label.top();
    const int r = label.left() + label.width();
    const int b = label.top() + label.height();
    const Colour base = m_model.KeyColour(key);
    QColor dark = ToQColor(DarkBevelOf(base));
    QColor light = ToQColor(LightBevelOf(base));
    if (m_model.IsSunken(key))
        std::swap(dark, light);
    // A neighbour of a changed key is mostly outside what is repainted, and
    // a line the clip would swallow whole is cheaper not drawn at all.
    const auto line = [&p, &dirty](const QRect& edge, const QColor& colour) {
        if (edge.intersects(dirty))
            p.fillRect(edge, colour);
    };
    // Ring after ring outward: right and bottom edges in the dark colour,
    // then left and top in the light one, so a raised key is lit from the
    // top left.
    for (int ring = 0; ring <= m_model.BevelWidth(); ++ring) {
        const int x0 = l - ring - 1;
        const int y0 = t - ring - 1;
        const int x1 = r + ring;
        const int y1 = b + ring;
        line(QRect(x1, y0, 1, y1 - y0), dark);
        line(QRect(x0 + 1, y1, x1 - x0, 1), dark);
        line(QRect(x0, y0 + 1, 1, y1 - y0), light);
        line(QRect(x0, y0, x1 - x0, 1), light);
    }
}

void KeyboardView::paintCaption(QPainter& p, int key, const QRect& label) const {
    const QString& caption = m_captions[static_cast<size_t>(key)];
    if (caption.isEmpty())
        return;
    const QFont font = captionFont(key);
    p.setFont(font);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics(font);
    const QStringList lines = caption.split(QStringLiteral("\r\n"));
    const int inset = std::max(1, static_cast<int>(std::lround(2 * scaleX())));
    if (lines.size() == 1 && caption.size() == 1) {
        // Letters sit in the upper left of the cap, like printed keycaps.
        const QRect box = label.adjusted(inset + 2, inset - 1, 0, 0);
        p.drawText(box, Qt::AlignLeft | Qt::AlignTop, caption);
        return;
    }
    int y = label.top() + metrics.ascent();
    for (const QString& line : lines) {
        p.drawText(label.left() + inset, y, line);
        y += metrics.height() - 1;
    }
}

void KeyboardView::paintSymbol(QPainter& p, int key, const QRect& label) const {
    const QColor ink = palette().color(QPalette::WindowText);
    const double unit = label.height() / 33.0;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(ink, std::max(1.0, 1.2 * unit));
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    switch (key) {
    case KeyTable::kLeftShiftKey:
    case KeyTable::kRightShiftKey:
        p.drawPath(
            upArrow(QRectF(label.left() + 7 * unit, label.top() + 6 * unit, 14 * unit, 17 * unit)));
        break;
    case kCapsLockKey:
        p.drawPath(
            upArrow(QRectF(label.left() + 7 * unit, label.top() + 5 * unit, 12 * unit, 14 * unit)));
        p.drawRect(QRectF(label.left() + 9.5 * unit, label.top() + 22 * unit, 7 * unit, 3 * unit));
        break;
    case kBackspaceKey:
        barArrow(p, QPointF(label.left() + 40 * unit, label.top() + 16 * unit), -28 * unit,
                 5 * unit, false);
        break;
    case kTabKey:
        barArrow(p, QPointF(label.left() + 34 * unit, label.top() + 10 * unit), -24 * unit,
                 4 * unit, true);
        barArrow(p, QPointF(label.left() + 8 * unit, label.top() + 22 * unit), 24 * unit, 4 * unit,
                 true);
        break;
    case kLeftWindowsKey: // four panes
    case kRightWindowsKey: {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        const QPointF c(label.center().x() + 0.5, label.center().y() + 0.5);
        const double s = 5 * unit;
        const double gap = 1.2 * unit;
        for (int i = 0; i < 4; ++i) {
            const double dx = i % 2 == 0 ? -s - gap / 2 : gap / 2;
            const double dy = i < 2 ? -s - gap / 2 : gap / 2;
            p.drawRect(QRectF(c.x() + dx, c.y() + dy, s, s));
        }
        break;
    }
    case kMenuKey: { // a little list
        const QRectF page(label.center().x() - 5 * unit, label.center().y() - 7 * unit, 10 * unit,
                          14 * unit);
        p.drawRect(page);
        for (int i = 1; i <= 3; ++i) {
            const double yy = page.top() + i * 3.5 * unit;
            p.drawLine(QPointF(page.left() + 2 * unit, yy), QPointF(page.right() - 2 * unit, yy));
        }
        break;
    }
    default:
        break;
    }
    p.restore();
}

void KeyboardView::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (fingerImageAt(pos) >= 0) {
        emit fingerImageDoubleClicked();
        return;
    }
    const int key = KeyAt(pos);
    if (key >= 0)
        emit keyDoubleClicked(key);
}

void KeyboardView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool special =
        fingerImageAt(pos) >= 0 || (m_model.KeyMap() && KeyRectPixels(kKeyB).contains(pos));
    if (special != (cursor().shape() == Qt::PointingHandCursor))
        setCursor(special ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

bool KeyboardView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QString text;
        if (fingerImageAt(help->pos()) >= 0)
            text = m_fingerToolTip;
        else if (m_model.KeyMap() && KeyRectPixels(kKeyB).contains(help->pos()))
            text = m_keyBToolTip;
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
