#pragma once
// KeyMapView draws the Italian keyboard of the tutor, key for key from the
// key table, each key filled with its shade from KeyMapShading (error rate
// or slowness) and raised with the keyboard's bevel; the tool-tip of a key
// gives its figures. The property "worstKeys" names the reddest keys, as the
// window lists them, so that tools and tests can read what the map shows.

#include "tutor/core/KeyMapShading.h"
#include "tutor/core/ProgressReport.h"

#include <QString>
#include <QWidget>

class KeyMapView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString worstKeys READ WorstKeysText)
public:
    KeyMapView(KeyMapMode mode, QWidget* parent = nullptr);

    void SetShades(const KeyShades& shades, const ProgressTexts& texts);
    const KeyShades& Shades() const { return m_shades; }
    KeyMapMode Mode() const { return m_mode; }
    QString WorstKeysText() const { return m_worst; }

    // The key under a point of the view, or -1; its rectangle in pixels.
    int KeyAt(const QPoint& point) const;
    QRectF KeyRect(int key) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    double Scale() const;

    KeyMapMode m_mode;
    KeyShades m_shades{};
    ProgressTexts m_texts;
    QString m_worst;
};

// The error rate of each finger as a bar in the finger's colour of the
// keyboard, with the rate above and the finger's name below.
class FingerBarsView : public QWidget {
    Q_OBJECT
public:
    explicit FingerBarsView(QWidget* parent = nullptr);
    void SetFingers(const std::array<FingerErrors, 5>& fingers, const ProgressTexts& texts);
    const std::array<FingerErrors, 5>& Fingers() const { return m_fingers; }
    QSize sizeHint() const override { return {300, 150}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<FingerErrors, 5> m_fingers{};
    std::array<QString, 5> m_names;
};
