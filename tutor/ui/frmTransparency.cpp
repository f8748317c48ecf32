#include "tutor/ui/frmTransparency.h"

#include "common/ui/Pictures.h"
#include "tutor/core/MapShape.h"
#include "tutor/core/MapSpanTables.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

QPointer<frmTransparency> s_current;
bool s_shown = false;
bool s_hiddenForPrinting = false;

frmTransparency::Platform& PlatformHooks() {
    static frmTransparency::Platform platform = frmTransparency::DefaultPlatform();
    return platform;
}

void AfterStep() {
    if (PlatformHooks().afterStep)
        PlatformHooks().afterStep();
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
    return {MapAnimationStepMs,
            [] { return QGuiApplication::platformName() != QLatin1String("wayland"); },
            {}};
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
    m_slideX = anchorGlobal.x();
    m_slideStop = MapTopOnArea(ToPixels(SlideInStop(screenBottom * TwipsPerPixel, targetTwips)),
                               height(), area.y(), areaBottom);

    if (!CanAnimate()) {
        move(m_slideX, m_slideStop);
        show();
        s_shown = true;
        return;
    }
    m_slideTops = SlideInTops(screenBottom * TwipsPerPixel, targetTwips);
    m_step = 0;
    move(m_slideX, screenBottom);
    show();
    StartSteps(&frmTransparency::SlideStep);
}

void frmTransparency::StartSteps(void (frmTransparency::*step)()) {
    if (m_steps == nullptr) {
        m_steps = new QTimer(this);
        m_steps->setTimerType(Qt::PreciseTimer);
    }
    m_steps->stop();
    m_steps->disconnect();
    m_steps->setInterval(PlatformHooks().stepMs);
    connect(m_steps, &QTimer::timeout, this, step);
    m_steps->start();
    // The first step is taken at once, as the window appears.
    (this->*step)();
}

void frmTransparency::SlideStep() {
    if (m_step < m_slideTops.size()) {
        move(m_slideX, ToPixels(m_slideTops[m_step++]));
        AfterStep();
        return;
    }
    m_steps->stop();
    move(m_slideX, m_slideStop);
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
    if (m_steps != nullptr)
        m_steps->stop();
    if (!CanAnimate() || !isVisible()) {
        hide();
        deleteLater();
        return;
    }
    m_step = 0;
    StartSteps(&frmTransparency::FadeStep);
}

void frmTransparency::FadeStep() {
    static const std::vector<int> alphas = FadeOutAlphas();
    if (m_step < alphas.size()) {
        setWindowOpacity(alphas[m_step++] / 255.0);
        // The opacity reaches the window system when the event loop flushes
        // its requests before waiting for the next step. (QGuiApplication::sync
        // would run pending events, and so the next steps, inside this one.)
        AfterStep();
        return;
    }
    m_steps->stop();
    hide();
    deleteLater();
}

bool frmTransparency::Animating() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* map = qobject_cast<frmTransparency*>(w);
        if (map != nullptr && map->m_steps != nullptr && map->m_steps->isActive())
            return true;
    }
    return false;
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
