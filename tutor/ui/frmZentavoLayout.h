#pragma once
// The 800 x 600 design of the main window and the small helpers shared by
// its three sources: frmZentavo.cpp (load, keys, menu, unload),
// frmZentavoControls.cpp (building and placing the controls) and
// frmZentavoRender.cpp (showing what the exercise reports).

#include "common/ui/QtColour.h"
#include "common/ui/QtCp1252.h"
#include "tutor/core/TutorSounds.h"
#include "tutor/ui/KeyboardView.h"
#include "tutor/ui/WidgetScaler.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>
#include <string>

namespace zentavo_layout {

// The 800 x 600 design, in pixels; the enlarged window scales it.
constexpr QSize kNotebookSize(644, 452);
constexpr int kBezel = 5;
constexpr QRect kDisplay(8, 10, 628, 178);
constexpr QRect kSentence(4, 8, 620, 64);
constexpr QRect kInput(4, 78, 620, 40);
constexpr QRect kLevelPanel(4, 128, 290, 44);
constexpr QRect kList(302, 136, 196, 28);
constexpr QRect kSentenceNumber(6, 132, 48, 36);
constexpr QRect kBottomBar(8, 194, 628, 41);
constexpr QRect kKeyboard(26, 238, KeyboardView::kDesignWidth, KeyboardView::kDesignHeight);
constexpr int kGaugeLeft = 297;
constexpr int kGaugeTop = 11;
constexpr int kGaugeHeight = 19;
constexpr int kGaugePictureSize = 24;
constexpr int kMessageHeight = 40;
constexpr int kMenuSize = 40;
constexpr int kMenuGap = 6;
constexpr QSize kTitleLetterSize(26, 22);
constexpr int kStripGap = 5;
constexpr QSize kStripSize(622, 47);
constexpr int kPupilNamePadding = 8;
constexpr int kPupilNameGap = 4;

// The start screen's timed steps, in milliseconds.
constexpr int kTitleLetterMs = 120;   // between a title letter and its sound
constexpr int kAfterTitleMs = 300;    // after the last title letter
constexpr int kWelcomeLetterMs = 15;  // between two letters of the welcome
constexpr int kBeforeChoicesMs = 100; // before the list and the level panel
constexpr int kBeforeStartMs = 600;   // before Enter may start a sentence
// The window's timers: the Enter prompt blinks every 400 ms.
constexpr int kPromptBlinkMs = 400;

// The help topic opened after the warning about the keyboard layout.
constexpr int kLayoutHelpTopic = 1001;
// The map window's anchor: the key A (its left edge, 10 pixels in).
constexpr int kMapAnchorKey = KeyTable::kAKey;
// What a typed character the code page lacks becomes: DEL, which is on no
// key, so it is always a wrong keystroke.
constexpr char kNoKeyCharacter = '\x7F';

inline const char* const kMenuToolTips[] = {"0035", "0036", "0037", "0038", "0039", "0040",
                                            "0041", "",     "0115", "0430", "0431"};
inline const QColor kIndicatorOn(128, 255, 255);
inline const QColor kTypeForMeSquare(255, 255, 0);
inline const QColor kTitleCaps[] = {
    QColor(185, 207, 224), QColor(214, 222, 181), QColor(239, 204, 197), QColor(162, 204, 184),
    QColor(239, 204, 197), QColor(214, 222, 181), QColor(185, 207, 224)};

inline QString arrayName(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

inline QString withLineFeeds(const std::string& cp1252) {
    QString text = ToQString(cp1252);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

inline QFont arialPoints(double points, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

inline QLabel* pictureLabel(const QString& name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// An image control: a picture that the enlarged layout moves but never enlarges.
inline QLabel* imageControl(const QString& name, QWidget* parent) {
    QLabel* image = pictureLabel(name, parent);
    WidgetScaler::MarkPicture(image);
    return image;
}

} // namespace zentavo_layout
