#include "tutor/ui/ZentavoWidgets.h"

#include "common/ui/QtColour.h"
#include "tutor/core/Scoring.h"

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
class TypedBar : public QWidget {
public:
    explicit TypedBar(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("shpIndex"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
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
    m_centred = centred;
    update();
}

void SentenceDisplay::SetTypedPart(int line, const QString& typed, QColor colour) {
    static_cast<TypedBar*>(m_bar)->SetColour(colour);
    if (line == m_typedLine && typed == m_typed && m_bar->isVisible() == !typed.isEmpty())
        return;
    const bool grew = typed.size() > m_typed.size() || line != m_typedLine;
    m_typedLine = line;
    m_typed = typed;
    placeBar();
    // The marker and the key the keystroke sank are what the pupil waits
    // for: they go to the screen now, with whatever else is already due,
    // and the rest the keystroke changes (text box, counters) follows.
    if (grew && m_bar->isVisible())
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
    if (event->type() == QEvent::FontChange)
        placeBar();
    QWidget::changeEvent(event);
}

void SentenceDisplay::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics metrics = fontMetrics();
    int y = metrics.ascent() + 1;
    for (const QString& line : m_text.split(QLatin1Char('\n'))) {
        const int x = m_centred ? (width() - metrics.horizontalAdvance(line)) / 2 : 0;
        p.drawText(x, y, line);
        y += LineHeight();
    }
}

// -- InputBox ----------------------------------------------------------------

const QColor InputBox::kNormal(156, 196, 228);
const QColor InputBox::kFlash(128, 255, 255);

InputBox::InputBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("txtInput"));
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setCursor(Qt::IBeamCursor);
}

void InputBox::SetText(const QString& text) {
    if (text == m_text)
        return;
    m_text = text;
    update();
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

void InputBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(QColor(70, 110, 150), 1));
    // While no sentence runs the box is locked and shown faded.
    p.setBrush(m_locked && m_flashStep == 0 ? m_back.lighter(112) : m_back);
    p.drawRoundedRect(box, 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Two lines of a sentence fit the box, which is as high as the message
    // panel that covers it after the sentence.
    const QFontMetrics metrics = fontMetrics();
    const int lineHeight = metrics.height();
    const QStringList lines = m_text.split(QLatin1Char('\n'));
    int y = 2 + metrics.ascent();
    p.setPen(QColor(20, 30, 60));
    for (const QString& line : lines) {
        p.drawText(8, y, line);
        y += lineHeight;
    }
    if (hasFocus() && !m_locked) {
        const int caretX = 8 + metrics.horizontalAdvance(lines.back()) + 1;
        const int caretTop = 2 + (static_cast<int>(lines.size()) - 1) * lineHeight;
        p.fillRect(QRect(caretX, caretTop, 2, metrics.height()), QColor(20, 30, 60));
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
        return QRect(8 + fontMetrics().horizontalAdvance(m_text.section(QLatin1Char('\n'), -1)), 4,
                     2, fontMetrics().height());
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

SpeedGauge::SpeedGauge(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picProgress"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    new RecordMarker(this);
}

void SpeedGauge::SetState(int length, std::int16_t level, int recordWidth) {
    auto* marker = findChild<RecordMarker*>();
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

void SpeedGauge::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.fillRect(event->rect(), QColor(34, 38, 46));
    const int end = std::min(GaugeLineEnd(m_level, m_length), width());
    for (int y = 0; y < height(); ++y)
        p.fillRect(QRect(0, y, end, 1), ToQColor(GaugeRowColour(m_level, y)));
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

void PaperPanel::paintEvent(QPaintEvent* event) {
    constexpr double kRadius = 10;
    constexpr int kBorder = 2;
    QPainter p(this);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient paper(r.topLeft(), r.bottomLeft());
    paper.setColorAt(0, QColor(255, 254, 246));
    paper.setColorAt(1, QColor(246, 243, 228));
    // What a keystroke uncovers (the marker, the typed text) lies inside the
    // sheet, clear of its rounded border: there the sheet is its gradient
    // alone, the same pixels without tracing the outline.
    const int clear = static_cast<int>(kRadius) + kBorder + 1;
    if (rect().adjusted(clear, clear, -clear, -clear).contains(event->rect())) {
        p.fillRect(event->rect(), paper);
        return;
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 44, 52), kBorder));
    p.setBrush(paper);
    p.drawRoundedRect(r, kRadius, kRadius);
}
