#include "tutor/ui/frmTransparency.h"

#include "common/ui/Pictures.h"
#include "tutor/core/MapShape.h"
#include "tutor/core/MapSpanTables.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>

namespace {

QPointer<frmTransparency> s_current;
bool s_shown = false;
bool s_hiddenForPrinting = false;

frmTransparency::Platform& PlatformHooks() {
    static frmTransparency::Platform platform = frmTransparency::DefaultPlatform();
    return platform;
}

void Wait(int ms) {
    if (PlatformHooks().wait)
        PlatformHooks().wait(ms);
}

bool CanAnimate() {
    return !PlatformHooks().canAnimate || PlatformHooks().canAnimate();
}

int ToPixels(int twips) {
    return twips / TwipsPerPixel;
}

} // namespace

void frmTransparency::SetPlatform(Platform platform) {
    PlatformHooks() = std::move(platform);
}

frmTransparency::Platform frmTransparency::DefaultPlatform() {
    return {[](int ms) {
                QThread::msleep(static_cast<unsigned long>(ms));
                QCoreApplication::processEvents();
            },
            [] { return QGuiApplication::platformName() != QLatin1String("wayland"); }};
}

frmTransparency::frmTransparency(QWidget* mainWindow, bool largeScreen)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus),
      m_large(largeScreen), m_picture(MapPicture(largeScreen)) {
    setObjectName(QStringLiteral("frmTransparency"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    const MapWindowSize size = MapWindowSizeFor(largeScreen);
    setFixedSize(size.WidthPixels(), size.HeightPixels());
    if (largeScreen)
        RitagliaForm();
    else
        RitagliaForm1();
    qApp->installEventFilter(this);
}

QRegion frmTransparency::RegionFromSpans(std::span<const std::int32_t> table) {
    QRegion region;
    for (const MapRect& r : MapShapeRects(table))
        region += QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
    return region;
}

std::span<const std::int32_t> frmTransparency::SpanTable(bool largeScreen) {
    return largeScreen ? MapSpanTables::large() : MapSpanTables::normal();
}

QPixmap frmTransparency::MapPicture(bool largeScreen) {
    return Pictures::pixmap(largeScreen ? Pictures::Role::KeyMapLarge
                                        : Pictures::Role::KeyMapNormal);
}

void frmTransparency::RitagliaForm1() {
    setMask(RegionFromSpans(SpanTable(false)));
}

void frmTransparency::RitagliaForm() {
    setMask(RegionFromSpans(SpanTable(true)));
}

void frmTransparency::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawPixmap(rect(), m_picture);
}

void frmTransparency::ShowMap(QWidget* mainWindow, QPoint anchorGlobal, bool largeScreen) {
    if (s_current)
        return;
    auto* window = new frmTransparency(mainWindow, largeScreen);
    s_current = window;
    s_hiddenForPrinting = false;
    window->SlideIn(anchorGlobal);
}

void frmTransparency::SlideIn(QPoint anchorGlobal) {
    QPointer<frmTransparency> self(this);
    const QScreen* screen = QGuiApplication::screenAt(anchorGlobal);
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    const int screenBottom =
        screen ? screen->geometry().y() + screen->geometry().height() : anchorGlobal.y() + height();
    // On a small screen the anchor lies too low for the whole map (the hands would be cut
    // off below the screen's edge, or behind a panel): the window rises just enough.
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 0, screenBottom);
    const int areaBottom = area.y() + area.height();
    const int targetTop = MapTopOnArea(anchorGlobal.y(), height(), area.y(), areaBottom);
    const int targetTwips = targetTop * TwipsPerPixel;
    const int stopTwips = SlideInStop(screenBottom * TwipsPerPixel, targetTwips);
    const int stopTop = MapTopOnArea(ToPixels(stopTwips), height(), area.y(), areaBottom);

    if (!CanAnimate()) {
        move(anchorGlobal.x(), stopTop);
        show();
    } else {
        move(anchorGlobal.x(), screenBottom);
        show();
        for (int top : SlideInTops(screenBottom * TwipsPerPixel, targetTwips)) {
            move(anchorGlobal.x(), ToPixels(top));
            Wait(MapAnimationStepMs);
            // Events run while the window moves: the map may be closed meanwhile.
            if (!self || m_closing)
                return;
        }
        move(anchorGlobal.x(), stopTop);
    }
    s_shown = true;
}

void frmTransparency::CloseMap() {
    frmTransparency* window = s_current;
    s_current = nullptr;
    s_shown = false;
    s_hiddenForPrinting = false;
    if (window == nullptr || window->m_closing)
        return;
    window->m_closing = true;
    window->FadeOut();
}

void frmTransparency::FadeOut() {
    QPointer<frmTransparency> self(this);
    if (CanAnimate() && isVisible()) {
        for (int alpha : FadeOutAlphas()) {
            setWindowOpacity(alpha / 255.0);
            // The opacity reaches the window system only at the next flush.
            QGuiApplication::sync();
            Wait(MapAnimationStepMs);
            if (!self)
                return;
        }
    }
    hide();
    deleteLater();
}

frmTransparency::~frmTransparency() {
    // Closing the main window releases the map window with it.
    if (s_current == this) {
        s_shown = false;
        s_hiddenForPrinting = false;
    }
}

bool frmTransparency::MapWindowShown() {
    return s_shown;
}

frmTransparency* frmTransparency::Current() {
    return s_current;
}

bool frmTransparency::HideMap() {
    if (!s_current || !s_shown)
        return false;
    if (s_current->m_hiddenForModal) {
        s_current->m_hiddenForModal = false;
        s_hiddenForPrinting = true;
        return true;
    }
    if (!s_current->isVisible())
        return false;
    s_current->hide();
    s_hiddenForPrinting = true;
    return true;
}

bool frmTransparency::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched != this &&
        watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()) {
        // The modal state is settled once the window has finished showing or hiding.
        QTimer::singleShot(0, this, &frmTransparency::FollowModalWindows);
    }
    return QWidget::eventFilter(watched, event);
}

void frmTransparency::FollowModalWindows() {
    const bool modalOpen = QApplication::activeModalWidget() != nullptr;
    if (modalOpen && isVisible() && !m_closing) {
        hide();
        m_hiddenForModal = true;
    } else if (!modalOpen && m_hiddenForModal) {
        m_hiddenForModal = false;
        if (!m_closing)
            show();
    }
}

void frmTransparency::ShowMapAgain() {
    if (s_current && s_hiddenForPrinting) {
        if (QApplication::activeModalWidget() != nullptr)
            s_current->m_hiddenForModal = true;
        else
            s_current->show();
    }
    s_hiddenForPrinting = false;
}
