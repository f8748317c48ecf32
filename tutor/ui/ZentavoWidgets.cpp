#include "tutor/ui/ZentavoWidgets.h"

#include "common/ui/QtColour.h"
#include "tutor/core/Scoring.h"
#include "tutor/ui/ZentavoLook.h"

#include <QEnterEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTimerEvent>

#include <algorithm>

namespace {

// The typed-part bar: drawn through, so the letters under it stay readable.
// What it shows does not move when it grows, so a keystroke repaints only
// the stretch it adds.
class TypedBar : public QWidget {
public:
    explicit TypedBar(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("shpIndex"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_StaticContents);
    }
    void SetColour(QColor colour) {
        if (colour != m_colour) {
            m_colour = colour;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QColor fill = m_colour;
        fill.setAlpha(70);
        p.fillRect(rect(), fill);
        p.fillRect(QRect(0, height() - 2, width(), 2), m_colour);
    }

private:
    QColor m_colour = Qt::blue;
};

// The record marker: the shortest gauge of the level, over the upper half
// of the gauge, in the level's colours.
class RecordMarker : public QWidget {
public:
    explicit RecordMarker(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("picMax"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    void SetLevel(std::int16_t level) {
        if (level != m_level) {
            m_level = level;
            update();
        }
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        for (int y = 0; y < height(); ++y)
            p.fillRect(QRect(0, y, width(), 1), ToQColor(RecordMarkerRowColour(m_level, y)));
        p.fillRect(QRect(width() - 1, 0, 1, height()), QColor(20, 20, 20));
    }

private:
    std::int16_t m_level = 1;
};

// Where the input box writes its text.
constexpr int kTextLeft = 8;
constexpr int kTextTop = 2;
constexpr int kCaretWidth = 2;
// How far a glyph's ink may reach past its advance (overhangs, kerning).
constexpr int kInkMargin = 3;
// The input box's rounded corners and the pixels they take at each corner.
constexpr double kInputRadius = 5;
constexpr int kInputCorner = 7;
const QColor kInputEdge(70, 110, 150);

// The sheet of paper: its gradient and its rounded border.
constexpr double kPaperRadius = 10;
constexpr int kPaperBorder = 2;

QLinearGradient paperGradient(const QRectF& sheet) {
    QLinearGradient paper(sheet.topLeft(), sheet.bottomLeft());
    paper.setColorAt(0, QColor(255, 254, 246));
    paper.setColorAt(1, QColor(246, 243, 228));
    return paper;
}

QRectF paperSheet(const QRect& panel) {
    return QRectF(panel).adjusted(1, 1, -1, -1);
}

QString arrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

} // namespace

// -- SentenceDisplay ---------------------------------------------------------

SentenceDisplay::SentenceDisplay(QWidget* parent) : QWidget(parent), m_bar(new TypedBar(this)) {
    setObjectName(QStringLiteral("lblFraseCorr"));
    m_bar->hide();
}

int SentenceDisplay::LineHeight() const {
    return fontMetrics().height() + 4;
}

void SentenceDisplay::SetText(const QString& text, bool centred) {
    if (text == m_text && centred == m_centred)
        return;
    m_text = text;
    m_lines = text.split(QLatin1Char('\n'));
    m_laidOut.clear();
    m_lineLeft.clear();
    m_centred = centred;
    update();
}

void SentenceDisplay::SetTypedPart(int line, const QString& typed, QColor colour) {
    static_cast<TypedBar*>(m_bar)->SetColour(colour);
    if (line == m_typedLine && typed == m_typed && m_bar->isVisible() == !typed.isEmpty())
        return;
    const bool grew = typed.size() > m_typed.size() || line != m_typedLine;
    const bool sameLine = line == m_typedLine && m_bar->isVisible();
    const int oldWidth = m_bar->width();
    m_typedLine = line;
    m_typed = typed;
    placeBar();
    if (!grew || !m_bar->isVisible())
        return;
    // The marker and the key the keystroke sank are what the pupil waits
    // for: they go to the screen now, with whatever else is already due,
    // and the rest the keystroke changes (text box, counters) follows. On
    // the same line only the stretch the character adds is new.
    if (sameLine && m_bar->width() > oldWidth)
        m_bar->repaint(QRect(oldWidth, 0, m_bar->width() - oldWidth, m_bar->height()));
    else
        m_bar->repaint();
}

void SentenceDisplay::placeBar() {
    if (m_typed.isEmpty()) {
        m_bar->hide();
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const int width = metrics.horizontalAdvance(m_typed);
    // As high as the text of "Mp" and two pixels more.
    const int height = metrics.height() + 2;
    m_bar->setGeometry(0, m_typedLine * LineHeight(), width, height);
    m_bar->setVisible(width > 0);
}

void SentenceDisplay::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_laidOut.clear();
        m_lineLeft.clear();
        placeBar();
    }
    QWidget::changeEvent(event);
}

void SentenceDisplay::resizeEvent(QResizeEvent* event) {
    m_laidOut.clear();
    m_lineLeft.clear();
    QWidget::resizeEvent(event);
}

void SentenceDisplay::paintEvent(QPaintEvent* event) {
    const QFontMetrics metrics = fontMetrics();
    if (m_laidOut.empty()) {
        for (const QString& line : m_lines) {
            QStaticText text(line);
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), font());
            m_laidOut.push_back(text);
            m_lineLeft.push_back(m_centred ? (width() - metrics.horizontalAdvance(line)) / 2 : 0);
        }
    }
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QRect dirty = event->rect();
    const int lineHeight = LineHeight();
    // The marker's repaint reaches one line, whose glyphs are laid out
    // already.
    for (size_t i = 0; i < m_laidOut.size(); ++i) {
        const int top = static_cast<int>(i) * lineHeight;
        if (top < dirty.bottom() + 1 && top + lineHeight > dirty.top())
            p.drawStaticText(m_lineLeft[i], top + 1, m_laidOut[i]);
    }
}

// -- InputBox ----------------------------------------------------------------

const QColor InputBox::kNormal(156, 196, 228);
const QColor InputBox::kFlash(128, 255, 255);

InputBox::InputBox(QWidget* parent) : QWidget(parent), m_lines{QString()} {
    setObjectName(QStringLiteral("txtInput"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setCursor(Qt::IBeamCursor);
}

void InputBox::SetText(const QString& text) {
    if (text == m_text)
        return;
    QStringList lines = text.split(QLatin1Char('\n'));
    const QFontMetrics metrics = fontMetrics();
    const int advance = metrics.horizontalAdvance(lines.back());
    // A keystroke adds a character to the last line: only that character
    // and the caret change, from the character before it (whose ink a
    // ligature or kerning with the new one may alter) to the new caret.
    if (lines.size() == m_lines.size() && text.startsWith(m_text)) {
        const QString& old = m_lines.back();
        const int before =
            old.isEmpty() ? 0 : m_lastLineAdvance - metrics.horizontalAdvance(old.back());
        const int line = static_cast<int>(lines.size()) - 1;
        update(caretRect(line, before).united(caretRect(line, advance)));
    } else {
        update();
    }
    m_text = text;
    m_lines = std::move(lines);
    m_lastLineAdvance = advance;
}

QRect InputBox::caretRect(int line, int advance) const {
    const int height = fontMetrics().height();
    const int x = kTextLeft + advance + 1;
    const int top = kTextTop + line * height;
    return {x - kInkMargin, top - 1, kCaretWidth + 2 * kInkMargin, height + 2};
}

void InputBox::SetLocked(bool locked) {
    if (locked == m_locked)
        return;
    m_locked = locked;
    update();
}

void InputBox::SetBackColour(QColor colour) {
    if (colour == m_back)
        return;
    m_back = colour;
    update();
}

void InputBox::Flash() {
    m_flashStep = 1;
    SetBackColour(kFlash);
    if (m_flashTimer == 0)
        m_flashTimer = startTimer(10);
}

void InputBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_flashTimer)
        return QWidget::timerEvent(event);
    ++m_flashStep;
    SetBackColour(m_flashStep % 2 == 1 ? kFlash : kNormal);
    if (m_flashStep >= 6) {
        killTimer(m_flashTimer);
        m_flashTimer = 0;
        m_flashStep = 0;
        SetBackColour(kNormal);
    }
}

QColor InputBox::faceColour() const {
    // While no sentence runs the box is locked and shown faded.
    return m_locked && m_flashStep == 0 ? m_back.lighter(112) : m_back;
}

void InputBox::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        m_lastLineAdvance = fontMetrics().horizontalAdvance(m_lines.back());
        update();
    }
    QWidget::changeEvent(event);
}

void InputBox::paintFace(QPainter& p) {
    const QColor colour = faceColour();
    const qreal ratio = devicePixelRatioF();
    constexpr int c = kInputCorner;
    if (m_corners.isNull() || colour != m_cornersColour || m_corners.devicePixelRatio() != ratio) {
        // A small box drawn as the large one is: its corners are the
        // large box's corners, pixel for pixel, and drawing it is cheap
        // enough for the blink of a wrong keystroke.
        QPixmap corners(QSize(2 * c + 2, 2 * c + 2) * ratio);
        corners.setDevicePixelRatio(ratio);
        corners.fill(Qt::transparent);
        QPainter f(&corners);
        f.setRenderHint(QPainter::Antialiasing);
        f.setPen(QPen(kInputEdge, 1));
        f.setBrush(colour);
        f.drawRoundedRect(QRectF(0, 0, 2 * c + 2, 2 * c + 2).adjusted(0.5, 0.5, -0.5, -0.5),
                          kInputRadius, kInputRadius);
        f.end();
        m_corners = corners;
        m_cornersColour = colour;
    }
    const int w = width();
    const int h = height();
    // The one-pixel edge and the inside, as the antialiased box has them
    // away from its corners.
    p.fillRect(QRect(c, 0, w - 2 * c, 1), kInputEdge);
    p.fillRect(QRect(c, h - 1, w - 2 * c, 1), kInputEdge);
    p.fillRect(QRect(0, c, 1, h - 2 * c), kInputEdge);
    p.fillRect(QRect(w - 1, c, 1, h - 2 * c), kInputEdge);
    p.fillRect(QRect(c, 1, w - 2 * c, h - 2), colour);
    p.fillRect(QRect(1, c, c - 1, h - 2 * c), colour);
    p.fillRect(QRect(w - c, c, c - 1, h - 2 * c), colour);
    const int far = c + 2; // where the far corners start in the small box
    const auto corner = [&](int x, int y, int fromX, int fromY) {
        p.drawPixmap(QRectF(x, y, c, c), m_corners,
                     QRectF(fromX * ratio, fromY * ratio, c * ratio, c * ratio));
    };
    corner(0, 0, 0, 0);
    corner(w - c, 0, far, 0);
    corner(0, h - c, 0, far);
    corner(w - c, h - c, far, far);
}

void InputBox::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    paintFace(p);

    // Two lines of a sentence fit the box, which is as high as the message
    // panel that covers it after the sentence. Only the lines the repaint
    // reaches are laid out.
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();
    const QRect dirty = event->rect();
    p.setPen(QColor(20, 30, 60));
    int top = kTextTop;
    for (const QString& line : m_lines) {
        if (top - 1 < dirty.bottom() + 1 && top + lineHeight + 1 > dirty.top())
            p.drawText(kTextLeft, top + metrics.ascent(), line);
        top += lineHeight;
    }
    if (hasFocus() && !m_locked) {
        const int caretX = kTextLeft + m_lastLineAdvance + 1;
        const int caretTop = kTextTop + (static_cast<int>(m_lines.size()) - 1) * lineHeight;
        p.fillRect(QRect(caretX, caretTop, kCaretWidth, metrics.height()), QColor(20, 30, 60));
    }
}

void InputBox::keyPressEvent(QKeyEvent* event) {
    TakeKey(event);
}

void InputBox::TakeKey(QKeyEvent* event) {
    // Keys without text (arrows, modifiers alone, function keys) type
    // nothing; the arrow keys in particular must never move the caret.
    emit keyPressed(event->key(), event->text());
    event->accept();
}

void InputBox::inputMethodEvent(QInputMethodEvent* event) {
    // Dead keys and compose sequences arrive here, already combined.
    if (!event->commitString().isEmpty())
        emit keyPressed(0, event->commitString());
    event->accept();
}

QVariant InputBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return QRect(kTextLeft + m_lastLineAdvance, 4, kCaretWidth, fontMetrics().height());
    case Qt::ImSurroundingText:
        return QString();
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition:
        return 0;
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void InputBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit rightButtonPressed();
        event->accept();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    QWidget::mousePressEvent(event);
}

bool InputBox::focusNextPrevChild(bool) {
    // Tab is a keystroke like any other here (a wrong one).
    return false;
}

// -- SpeedGauge --------------------------------------------------------------

SpeedGauge::SpeedGauge(QWidget* parent) : QWidget(parent), m_marker(new RecordMarker(this)) {
    setObjectName(QStringLiteral("picProgress"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SpeedGauge::SetState(int length, std::int16_t level, int recordWidth) {
    auto* marker = static_cast<RecordMarker*>(m_marker);
    marker->SetLevel(level);
    marker->setGeometry(1, 1, std::max(0, recordWidth), std::max(1, (height() - 2) / 3));
    marker->setVisible(recordWidth > 0);
    if (length == m_length && level == m_level && recordWidth == m_recordWidth)
        return;
    // Only the stretch between the old and the new length changes.
    const int from = std::min(GaugeLineEnd(m_level, m_length), GaugeLineEnd(level, length));
    const int to = std::max(GaugeLineEnd(m_level, m_length), GaugeLineEnd(level, length));
    const bool levelChanged = level != m_level;
    m_length = length;
    m_level = level;
    m_recordWidth = recordWidth;
    if (levelChanged)
        update();
    else
        update(QRect(from, 0, to - from + 2, height()));
}

void SpeedGauge::resizeEvent(QResizeEvent* event) {
    m_tile = QPixmap();
    QWidget::resizeEvent(event);
}

void SpeedGauge::paintEvent(QPaintEvent* event) {
    if (m_tile.isNull() || m_tile.height() != height() || m_tileLevel != m_level) {
        const std::int16_t level = m_level;
        m_tile = GradientTile(height(),
                              [level](int row) { return ToQColor(GaugeRowColour(level, row)); });
        m_tileLevel = level;
    }
    QPainter p(this);
    const QRect dirty = event->rect();
    const int end = std::min(GaugeLineEnd(m_level, m_length), width());
    const QRect line = dirty.intersected(QRect(0, 0, end, height()));
    if (!line.isEmpty())
        PaintGradientTile(p, line, m_tile);
    const QRegion rest = QRegion(dirty) - line;
    for (const QRect& r : rest)
        p.fillRect(r, QColor(34, 38, 46));
}

// -- Menu --------------------------------------------------------------------

MenuFrame::MenuFrame(int index, QWidget* parent) : QWidget(parent) {
    setObjectName(arrayName("shpMenu", index));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MenuFrame::SetFilled(bool filled, QColor fill) {
    if (filled == m_filled && fill == m_fill)
        return;
    m_filled = filled;
    m_fill = fill;
    update();
}

void MenuFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    p.setPen(QPen(QColor(30, 40, 55, 200), 3));
    p.setBrush(m_filled ? QBrush(m_fill) : QBrush(QColor(255, 255, 255, 60)));
    p.drawRoundedRect(box, 7, 7);
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -1.5), 5.5, 5.5);
}

MenuSymbol::MenuSymbol(int index, QWidget* parent) : QWidget(parent), m_index(index) {
    setObjectName(arrayName("lblMenu", index));
    setCursor(Qt::PointingHandCursor);
}

void MenuSymbol::SetPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void MenuSymbol::paintEvent(QPaintEvent*) {
    if (m_picture.isNull())
        return;
    QPainter p(this);
    if (!isEnabled())
        p.setOpacity(0.35);
    const QSizeF size = m_picture.deviceIndependentSize();
    const QPointF at((width() - size.width()) / 2, (height() - size.height()) / 2);
    p.drawPixmap(at, m_picture);
}

void MenuSymbol::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

void MenuSymbol::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit pressedChanged(true);
}

void MenuSymbol::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    emit pressedChanged(false);
    if (rect().contains(event->position().toPoint()))
        emit clicked(m_index);
}

void MenuSymbol::enterEvent(QEnterEvent* event) {
    // A disabled entry gets no hover frame: it would look clickable.
    if (isEnabled())
        emit hovered(m_index);
    QWidget::enterEvent(event);
}

void MenuSymbol::leaveEvent(QEvent* event) {
    emit hovered(-1);
    QWidget::leaveEvent(event);
}

HoverFrame::HoverFrame(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("shpEV"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void HoverFrame::SetInverted(bool inverted) {
    if (inverted == m_inverted)
        return;
    m_inverted = inverted;
    update();
}

void HoverFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(QColor(255, 214, 0), 2));
    p.setBrush(m_inverted ? QBrush(QColor(255, 255, 255, 110)) : QBrush(Qt::NoBrush));
    p.drawRoundedRect(box, 7, 7);
}

// -- Lamps, title, paper -------------------------------------------------------

LevelLamp::LevelLamp(int index, QWidget* parent) : QWidget(parent) {
    setObjectName(arrayName("lblMediaLevel", index));
}

void LevelLamp::SetColour(QColor colour, bool lit) {
    if (colour == m_colour && lit == m_lit)
        return;
    m_colour = colour;
    m_lit = lit;
    update();
}

void LevelLamp::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF all = QRectF(rect());
    if (m_lit) {
        QRadialGradient glow(all.center(), all.width() / 2);
        QColor halo = m_colour;
        halo.setAlpha(150);
        glow.setColorAt(0.45, halo);
        halo.setAlpha(0);
        glow.setColorAt(1.0, halo);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(all);
    }
    const double inset = all.width() * 0.18;
    const QRectF r = all.adjusted(inset, inset, -inset, -inset);
    QRadialGradient shine(r.left() + r.width() * 0.35, r.top() + r.height() * 0.3, r.width() * 0.7);
    shine.setColorAt(0, m_colour.lighter(m_lit ? 170 : 130));
    shine.setColorAt(0.6, m_colour);
    shine.setColorAt(1, m_colour.darker(m_lit ? 120 : 150));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(shine);
    p.drawEllipse(r);
}

TitleLetter::TitleLetter(int index, QChar letter, QColor cap, QWidget* parent)
    : QWidget(parent), m_letter(letter), m_cap(cap) {
    setObjectName(arrayName("lblTitolo", index));
}

void TitleLetter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(r.translated(0, 2), 6, 6);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, m_cap.lighter(125));
    face.setColorAt(1, m_cap.darker(110));
    p.setBrush(face);
    p.setPen(QPen(m_cap.darker(160), 1));
    p.drawRoundedRect(r, 6, 6);
    p.setPen(QColor(30, 35, 50));
    p.setFont(font());
    p.drawText(r, Qt::AlignCenter, QString(m_letter));
}

PaperPanel::PaperPanel(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void PaperPanel::resizeEvent(QResizeEvent* event) {
    m_tile = QPixmap();
    QWidget::resizeEvent(event);
}

QRegion PaperPanel::inside() const {
    // The border's antialiased pixels lie within kPaperBorder + 1 of the
    // edge, the rounded corners within the radius and the border.
    const int edge = kPaperBorder + 1;
    const int corner = static_cast<int>(kPaperRadius) + kPaperBorder + 1;
    return QRegion(rect().adjusted(edge, corner, -edge, -corner)) +
           QRegion(rect().adjusted(corner, edge, -corner, -edge));
}

void PaperPanel::paintEvent(QPaintEvent* event) {
    const QRectF sheet = paperSheet(rect());
    QPainter p(this);
    // What a keystroke uncovers (the marker, the typed text) lies inside the
    // sheet, clear of its rounded border: there the sheet is its gradient
    // alone, the same pixels copied from a tile drawn once.
    if ((event->region() - inside()).isEmpty()) {
        if (m_tile.isNull() || m_tile.height() != height()) {
            QImage tile(kGradientTileWidth, height(), QImage::Format_RGB32);
            QPainter t(&tile);
            t.fillRect(tile.rect(), paperGradient(sheet));
            t.end();
            m_tile = QPixmap::fromImage(std::move(tile));
        }
        for (const QRect& r : event->region())
            PaintGradientTile(p, r, m_tile);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 44, 52), kPaperBorder));
    p.setBrush(paperGradient(sheet));
    p.drawRoundedRect(sheet, kPaperRadius, kPaperRadius);
}

// -- CounterLabel ------------------------------------------------------------

CounterLabel::CounterLabel(QWidget* parent) : QLabel(parent) {}

void CounterLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
        m_characters.fill(QPixmap());
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

const QPixmap& CounterLabel::character(QChar c) {
    QPixmap& picture = m_characters[static_cast<size_t>(c.unicode() - kFirstCharacter)];
    const qreal ratio = devicePixelRatioF();
    if (!picture.isNull() && picture.devicePixelRatio() == ratio)
        return picture;
    const QFontMetrics metrics = fontMetrics();
    picture = QPixmap(QSize(metrics.horizontalAdvance(c), metrics.height()) * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(palette().color(QPalette::Window));
    QPainter p(&picture);
    p.setFont(font());
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(0, metrics.ascent(), QString(c));
    return picture;
}

void CounterLabel::paintEvent(QPaintEvent* event) {
    const QString shown = text();
    const bool printable = std::all_of(shown.begin(), shown.end(), [](QChar c) {
        return c.unicode() >= kFirstCharacter && c.unicode() < kFirstCharacter + kCharacterCount;
    });
    if (!printable || alignment() != Qt::AlignCenter) {
        QLabel::paintEvent(event);
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    int width = 0;
    for (const QChar c : shown)
        width += metrics.horizontalAdvance(c);
    const QRect area = contentsRect();
    int x = area.left() + (area.width() - width) / 2;
    const int y = area.top() + (area.height() - metrics.height()) / 2;
    QPainter p(this);
    drawFrame(&p);
    for (const QChar c : shown) {
        p.drawPixmap(x, y, character(c));
        x += metrics.horizontalAdvance(c);
    }
}
