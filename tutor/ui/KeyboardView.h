#pragma once
// KeyboardView paints the on-screen keyboard (the picture picKeyword of the
// main window) from a KeyboardModel: the 63 keys with their finger colours
// and 3-D bevels, the L-shaped Enter, the F and J bumps, the captions and
// key symbols, the finger images, the highlight frames and the Enter prompt.
// Everything is drawn as vectors in whole pixels, so it stays sharp at any
// device pixel ratio, and only the areas published as changed (AreasChanged)
// are repainted. Each key's cap is one fill of its colour and a picture of
// the part its caption and symbol ink, drawn once and copied from there; a
// picture is drawn again only when the key's colour or caption weight
// changes, and all of them when the size, fonts or palette do. The view
// decides nothing: clicks go out as signals.

#include "tutor/core/KeyboardModel.h"

#include <QFont>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <vector>

class KeyboardView : public QWidget {
    Q_OBJECT
public:
    // The keyboard picture of the 800 x 600 design, in pixels.
    static constexpr int kDesignWidth = 592;
    static constexpr int kDesignHeight = 211;

    explicit KeyboardView(const KeyboardModel& model, QWidget* parent = nullptr);

    // What one operation changed: those areas are repainted.
    void AreasChanged(const std::vector<TwipsRect>& areas);

    void SetFingerPictures(const std::array<QPixmap, KeyboardModel::kFingerImageCount>& pictures);
    void SetPromptPicture(const QPixmap& picture);
    // Tool-tips: key B while the finger map is on, and the finger images.
    void SetToolTips(const QString& keyB, const QString& fingerImage);
    // Font sizes grow with the enlarged window (the scaling of its fonts).
    void SetFontScale(double scale);

    // Pixel geometry, for hit tests and for windows placed over the keyboard.
    QRect KeyRectPixels(int key) const;
    QRect ToPixels(const TwipsRect& area) const;
    QRect FingerImageRectPixels(int image) const;
    QRect PromptImageRectPixels() const;
    // The key under a point of the view, or -1.
    int KeyAt(const QPoint& point) const;

    QSize sizeHint() const override { return {kDesignWidth, kDesignHeight}; }

signals:
    void keyDoubleClicked(int key);
    void fingerImageDoubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void areaChanged(const TwipsRect& area);

    // A key's cap as last drawn, and what it was drawn with.
    struct CapPicture {
        bool drawn = false;
        // The part of the cap the caption and symbol ink, on the cap's colour;
        // the rest of the cap is the colour alone and needs no picture.
        QPixmap picture;
        QRect ink;
        Colour colour;
        bool bold = false;
        QSize size;
        // Where the caption's ink reaches past the cap (onto the bevel);
        // that part is drawn directly over the bevel, as it always was.
        QRect overhang;
    };
    struct Ink {
        QRect inside;
        QRect overhang;
    };

    // Everything inside one rectangle of what is repainted.
    void paintArea(QPainter& p, const QRect& dirty);
    // The same without the Enter prompt's picture.
    void paintKeys(QPainter& p, const QRect& dirty);
    // A blink of the prompt: its picture over a copy of the keys under it.
    void paintPrompt(QPainter& p);
    // Only a cap whose picture or overhang reaches into `dirty` is drawn.
    void paintCap(QPainter& p, int key, const QRect& dirty);
    const CapPicture& capPicture(int key, const QRect& label);
    Ink capInk(int key, const QRect& label) const;
    void dropCapPictures();
    // Only the rings that reach into `dirty` are drawn.
    void paintBevel(QPainter& p, int key, const QRect& dirty) const;
    void paintCaption(QPainter& p, int key, const QRect& label) const;
    void paintSymbol(QPainter& p, int key, const QRect& label) const;
    int fingerImageAt(const QPoint& point) const;
    QFont captionFont(int key) const;
    double scaleX() const;
    double scaleY() const;

    const KeyboardModel& m_model;
    std::array<QString, KeyTable::kKeyCount> m_captions;
    std::array<QPixmap, KeyboardModel::kFingerImageCount> m_fingers;
    QPixmap m_prompt;
    // The keys under the prompt as paintKeys drew them; dropped whenever
    // anything under the prompt changes.
    QPixmap m_underPrompt;
    QString m_keyBToolTip;
    QString m_fingerToolTip;
    double m_fontScale = 1.0;
    std::array<QFont, 3> m_fonts;
    std::array<CapPicture, KeyTable::kKeyCount> m_capPictures;
    // The keys' pixel rectangles, alone and with their bevels, worked out
    // once per size of the view.
    struct KeyGeometry {
        QRect label;
        QRect withBevel;
    };
    const KeyGeometry& keyGeometry(int key) const;
    mutable std::array<KeyGeometry, KeyTable::kKeyCount> m_keyGeometry;
    mutable QSize m_keyGeometrySize;
};
