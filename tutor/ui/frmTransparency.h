// frmTransparency: the key/finger map in a borderless, always-on-top window of its own, cut to
// the outline of its picture. It slides up from the bottom of the screen when it opens and
// fades out when it closes; clicks outside the outline reach the windows below. Both animations
// are steps of a timer, so the program's events run between steps and never inside one: a key
// pressed while the map slides in reaches the main window at once. While a modal
// window of the program is open the map steps aside, so that it never covers that window. One map
// window exists at a time; the main window drives it through the static calls.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class frmTransparency : public QWidget {
    Q_OBJECT
public:
    // What the animations need of the platform; tests replace them.
    struct Platform {
        // Milliseconds between two animation steps.
        int stepMs = 10;
        // False where windows can be neither moved nor faded (Wayland): the map window then
        // appears and vanishes at once.
        std::function<bool()> canAnimate;
        // Called after each animation step has moved or faded the window (tests watch here).
        std::function<void()> afterStep;
    };
    static void SetPlatform(Platform platform);
    static Platform DefaultPlatform();

    // Opens the map window with its top left corner at anchorGlobal (screen pixels) and starts
    // sliding it up from the bottom of the screen; it arrives some steps later. Nothing happens
    // while a map window is already open.
    static void ShowMap(QWidget* mainWindow, QPoint anchorGlobal, bool largeScreen);
    // Starts fading the map window out; it is released at the end of the fade.
    static void CloseMap();
    // True while a map window slides in or fades out.
    static bool Animating();
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
    void SlideStep();
    void FadeOut();
    void FadeStep();
    void StartSteps(void (frmTransparency::*step)());

    bool m_large;
    void FollowModalWindows();

    bool m_closing = false;
    QTimer* m_steps = nullptr;
    std::vector<int> m_slideTops;
    int m_slideX = 0;
    int m_slideStop = 0;
    std::size_t m_step = 0;
    // The map stays on top of every window, so it steps aside while one of the program's
    // modal windows (about box, questions, language chooser) is open.
    bool m_hiddenForModal = false;
    QPixmap m_picture;
};
