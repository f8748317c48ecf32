// frmTransparency: the key/finger map in a borderless, always-on-top window of its own, cut to
// the outline of its picture. It slides up from the bottom of the screen when it opens and
// fades out when it closes; clicks outside the outline reach the windows below. While a modal
// window of the program is open the map steps aside, so that it never covers that window. One map
// window exists at a time; the main window drives it through the static calls.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <span>

class frmTransparency : public QWidget {
    Q_OBJECT
public:
    // What the animations need of the platform; tests replace them.
    struct Platform {
        // Waits the given milliseconds and lets pending events run.
        std::function<void(int)> wait;
        // False where windows can be neither moved nor faded (Wayland): the map window then
        // appears and vanishes at once.
        std::function<bool()> canAnimate;
    };
    static void SetPlatform(Platform platform);
    static Platform DefaultPlatform();

    // Opens the map window with its top left corner at anchorGlobal (screen pixels), sliding
    // it up from the bottom of the screen; returns once it has arrived. Nothing happens while
    // a map window is already open.
    static void ShowMap(QWidget* mainWindow, QPoint anchorGlobal, bool largeScreen);
    // Fades the map window out and releases it.
    static void CloseMap();
    // True from the end of the slide-in until the window closes.
    static bool MapWindowShown();
    static frmTransparency* Current();

    // Keyboard printing hides the window without closing it and shows it again afterwards.
    // HideMap is true when it hid a shown window.
    static bool HideMap();
    static void ShowMapAgain();

    // The outline as a region of window pixels, from a packed span table.
    static QRegion RegionFromSpans(std::span<const std::int32_t> table);
    static std::span<const std::int32_t> SpanTable(bool largeScreen);
    static QPixmap MapPicture(bool largeScreen);

    // Cut the window to the outline of the normal and of the large picture.
    void RitagliaForm1();
    void RitagliaForm();

    bool IsLarge() const { return m_large; }
    ~frmTransparency() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmTransparency(QWidget* mainWindow, bool largeScreen);
    void SlideIn(QPoint anchorGlobal);
    void FadeOut();

    bool m_large;
    void FollowModalWindows();

    bool m_closing = false;
    // The map stays on top of every window, so it steps aside while one of the program's
    // modal windows (about box, questions, language chooser) is open.
    bool m_hiddenForModal = false;
    QPixmap m_picture;
};
