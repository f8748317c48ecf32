// The one way to the programs' own pictures, sounds and help pages, so that no
// widget spells a resource path. Pictures are SVG (the map window's picture
// also a PNG that matches its shape tables) and are rendered at the device
// pixel ratio of the screen, so they stay sharp on large and dense screens.
//
// Pictures by number: icons 400-403 (pencil animation), 420-424 and 425-429
// (rating symbols, worst to best, Principiante then Esperto), 430-432
// (ordinary result). Everything else by Role.
// Sounds: soundPath(101..111) is ":/sounds/<n>.wav" (16-bit PCM mono WAV).
// Help: topic 0 (and below) opens help/index.html, topic N help/N.html, in the
// program folder (1000 = the editor, 1001 = activating the Italian layout).
#pragma once

#include <QByteArray>
#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace Pictures {

enum class Role {
    // The ten finger images imgMapDita(0..9): home keys A S D F J K L ò, then
    // the left and the right end of the space bar.
    FingerLeftLittle,
    FingerLeftRing,
    FingerLeftMiddle,
    FingerLeftIndex,
    FingerRightIndex,
    FingerRightMiddle,
    FingerRightRing,
    FingerRightLittle,
    FingerLeftThumb,
    FingerRightThumb,
    FingerMapStrip, // 622 x 47, imgMappaTastiEsterna
    KeyMapNormal,   // 363 x 205, picture of the shaped map window
    KeyMapLarge,    // 519 x 293, the same on large screens
    PressEnter,     // imgPremi
    RecordFrame0,   // imgApp(0)
    RecordFrame1,   // imgApp(1)
    MenuClose,
    MenuRestart,
    MenuHelp,
    MenuSound,
    MenuSoundOff,
    MenuFingerMap,
    MenuHighlight,
    MenuBackground,
    MenuTypeForMe,
    MenuLanguage,
    MenuPupils,   // lblMenu(9), who is typing
    MenuProgress, // lblMenu(10), the progress window
    ShiftArrow,   // over keys 30 and 36
    SystemKey,    // over keys 56 and 39
    FaceSmile,
    FaceNeutral,
    FaceSad,
    FaceSadRed,
    PrintNormal,
    PrintHover,
    PrintPressed,
    PdfNormal,
    PdfHover,
    PdfPressed,
    ReportKeyboard, // small keyboard of the printed results
    AboutTutor,
    AboutEditor,
    AppTutor,
    AppEditor,
    Clock,         // lblOrologio
    CapsLockCross, // imgX
    FileNew,
    FileOpen,
    Folder,
};

// Resource path of a numbered icon; empty for numbers that have no picture.
QString path(int number);
QString path(Role role);

// The size the picture was drawn for, in logical pixels (icons are 32 x 32);
// an empty size for unknown numbers.
QSize naturalSize(int number);
QSize naturalSize(Role role);

// The picture at `size` logical pixels (its natural size when `size` is empty)
// with `devicePixelRatio` device pixels per logical pixel (0: the primary
// screen's). A null pixmap for unknown numbers.
QPixmap pixmap(int number, QSize size = {}, qreal devicePixelRatio = 0);
QPixmap pixmap(Role role, QSize size = {}, qreal devicePixelRatio = 0);

// An icon drawn afresh at every size it is asked for; disabled icons are grey.
QIcon icon(int number);
QIcon icon(Role role);

// imgMapDita(index) for index 0..9.
Role fingerImage(int index);
// The symbol of menu label lblMenu(index), index 0..10; `on` only matters for
// the sounds entry (3), which shows a silenced speaker when off.
Role menuSymbol(int index, bool on = true);
// The error face for the letter of the classic symbol font ('J' smiling,
// 'K' neutral, 'L' sad) and whether it is printed in red.
Role errorFace(char letter, bool red);

// ":/sounds/<number>.wav" for 101..111, else empty; its bytes, or empty.
QString soundPath(int number);
QByteArray soundBytes(int number);

// The help page of a topic inside the program folder (ending in "/" or not).
QString helpPage(const QString& programFolder, int topic);

} // namespace Pictures
