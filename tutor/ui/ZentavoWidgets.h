#pragma once
// The painted controls of the main window. Each shows what it is given and
// repaints itself only when that changes; none of them decides anything.
//
//   SentenceDisplay  lblFraseCorr with the bar shpIndex over the typed part
//   InputBox         txtInput: takes keystrokes and shows the typed text
//   SpeedGauge       picProgress with the record marker picMax
//   MenuFrame        shpMenu(i), the square behind a menu symbol
//   MenuSymbol       lblMenu(i)
//   HoverFrame       shpEV, the frame that follows the mouse over the menu
//   LevelLamp        lblMediaLevel(3..5)
//   TitleLetter      lblTitolo(i), one letter of the name over the panel
//   PaperPanel       picDisplay, the sheet the sentence is written on
//   CounterLabel     lblNumBatt(i), the counters of right and wrong keys
//
// What a keystroke changes is painted from pictures made beforehand (the
// sheet's gradient, the input box's rounded corners) and only where it changed:
// the marker's new stretch, the input box's new characters and caret.

#include <QColor>
#include <QLabel>
#include <QPixmap>
#include <QStaticText>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <vector>

class SentenceDisplay : public QWidget {
    Q_OBJECT
public:
    explicit SentenceDisplay(QWidget* parent);

    void SetText(const QString& text, bool centred); // line breaks as "\n"
    const QString& Text() const { return m_text; }
    bool Centred() const { return m_centred; }
    // The bar over the typed part: on line `line`, as wide as `typed`.
    void SetTypedPart(int line, const QString& typed, QColor colour);
    QWidget* Bar() const { return m_bar; }
    int LineHeight() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeBar();

    QString m_text;
    QStringList m_lines;
    // The lines laid out once, for every repaint until the text, font or
    // width changes.
    std::vector<QStaticText> m_laidOut;
    std::vector<int> m_lineLeft;
    bool m_centred = true;
    int m_typedLine = 0;
    QString m_typed;
    QWidget* m_bar;
};

class InputBox : public QWidget {
    Q_OBJECT
public:
    static const QColor kNormal;
    static const QColor kFlash;

    explicit InputBox(QWidget* parent);

    void SetText(const QString& text); // line breaks as "\n"
    const QString& Text() const { return m_text; }
    void SetLocked(bool locked);
    bool Locked() const { return m_locked; }
    void SetBackColour(QColor colour);
    QColor BackColour() const { return m_back; }
    // Runs the six steps of the blink after a wrong keystroke.
    void Flash();
    bool Flashing() const { return m_flashStep > 0; }
    // Where the caret stands: the end of the text.
    int CaretPosition() const { return static_cast<int>(m_text.size()); }
    // A key pressed while another widget of the window had the focus: it
    // takes the same way as a key pressed here.
    void TakeKey(QKeyEvent* event);

signals:
    // A key press with the text it types (empty for keys that type nothing),
    // or an input-method commit (key 0). Each character is one keystroke.
    void keyPressed(int key, const QString& text);
    void rightButtonPressed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QColor faceColour() const;
    void paintFace(QPainter& p);
    // The part of the box around a caret `advance` pixels into line `line`.
    QRect caretRect(int line, int advance) const;

    QString m_text;
    QStringList m_lines;
    // How far the last line reaches, where the caret stands.
    int m_lastLineAdvance = 0;
    bool m_locked = true;
    QColor m_back = kNormal;
    int m_flashStep = 0;
    int m_flashTimer = 0;
    // The four rounded corners of the box in the colour they were drawn
    // in; the straight edges and the inside are plain fills.
    QPixmap m_corners;
    QColor m_cornersColour;
};

class SpeedGauge : public QWidget {
    Q_OBJECT
public:
    explicit SpeedGauge(QWidget* parent);
    // Length drawn, the level's colours and the record marker's width.
    void SetState(int length, std::int16_t level, int recordWidth);
    int Length() const { return m_length; }
    int RecordWidth() const { return m_recordWidth; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int m_length = 0;
    std::int16_t m_level = 1;
    int m_recordWidth = 0;
    QWidget* m_marker;
    // The level's colours as a narrow tile, drawn once per level and height.
    QPixmap m_tile;
    std::int16_t m_tileLevel = 0;
};

class MenuFrame : public QWidget {
    Q_OBJECT
public:
    MenuFrame(int index, QWidget* parent);
    // Filled (in `fill`) or transparent.
    void SetFilled(bool filled, QColor fill);
    bool Filled() const { return m_filled; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_filled = false;
    QColor m_fill;
};

class MenuSymbol : public QWidget {
    Q_OBJECT
public:
    MenuSymbol(int index, QWidget* parent);
    int Index() const { return m_index; }
    void SetPicture(const QPixmap& picture);

signals:
    void clicked(int index);
    // The mouse came over the symbol (its index), or left it (-1).
    void hovered(int index);
    void pressedChanged(bool pressed);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int m_index;
    QPixmap m_picture;
};

class HoverFrame : public QWidget {
    Q_OBJECT
public:
    explicit HoverFrame(QWidget* parent);
    void SetInverted(bool inverted);
    bool Inverted() const { return m_inverted; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_inverted = false;
};

class LevelLamp : public QWidget {
    Q_OBJECT
public:
    LevelLamp(int index, QWidget* parent);
    // A lit lamp also glows around its bulb.
    void SetColour(QColor colour, bool lit);
    QColor Colour() const { return m_colour; }
    bool Lit() const { return m_lit; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour;
    bool m_lit = false;
};

class TitleLetter : public QWidget {
    Q_OBJECT
public:
    TitleLetter(int index, QChar letter, QColor cap, QWidget* parent);
    QChar Letter() const { return m_letter; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar m_letter;
    QColor m_cap;
};

class PaperPanel : public QWidget {
    Q_OBJECT
public:
    PaperPanel(const QString& name, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Where the sheet is its gradient alone, clear of the rounded border.
    QRegion inside() const;

    // The sheet's gradient as a narrow tile, drawn once per height.
    QPixmap m_tile;
};

// A counter changes at every keystroke, and a label lays its text out anew
// for each paint. The counter draws its characters from pictures made once
// per font, colours and scale, centred as the label would centre them; a
// text outside printable ASCII is left to the label.
class CounterLabel : public QLabel {
    Q_OBJECT
public:
    explicit CounterLabel(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    static constexpr int kFirstCharacter = 0x20;
    static constexpr int kCharacterCount = 0x7F - kFirstCharacter;
    const QPixmap& character(QChar c);

    std::array<QPixmap, kCharacterCount> m_characters;
};
