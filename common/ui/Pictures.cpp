#include "common/ui/Pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QScreen>
#include <QSvgRenderer>

#include <array>
#include <cmath>
#include <utility>

// The pictures live in a static library; its resources must be registered by
// hand, once, before the first lookup.
static void registerResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(pictures);
        Q_INIT_RESOURCE(sounds);
        return true;
    }();
    (void)done;
}

namespace {

constexpr std::array roleFiles{
    std::pair{Pictures::Role::FingerLeftLittle, "finger0.svg"},
    std::pair{Pictures::Role::FingerLeftRing, "finger1.svg"},
    std::pair{Pictures::Role::FingerLeftMiddle, "finger2.svg"},
    std::pair{Pictures::Role::FingerLeftIndex, "finger3.svg"},
    std::pair{Pictures::Role::FingerRightIndex, "finger4.svg"},
    std::pair{Pictures::Role::FingerRightMiddle, "finger5.svg"},
    std::pair{Pictures::Role::FingerRightRing, "finger6.svg"},
    std::pair{Pictures::Role::FingerRightLittle, "finger7.svg"},
    std::pair{Pictures::Role::FingerLeftThumb, "finger8.svg"},
    std::pair{Pictures::Role::FingerRightThumb, "finger9.svg"},
    std::pair{Pictures::Role::FingerMapStrip, "fingermap-strip.svg"},
    std::pair{Pictures::Role::KeyMapNormal, "keymap-normal.png"},
    std::pair{Pictures::Role::KeyMapLarge, "keymap-large.png"},
    std::pair{Pictures::Role::PressEnter, "press-enter.svg"},
    std::pair{Pictures::Role::RecordFrame0, "record0.svg"},
    std::pair{Pictures::Role::RecordFrame1, "record1.svg"},
    std::pair{Pictures::Role::MenuClose, "menu-close.svg"},
    std::pair{Pictures::Role::MenuRestart, "menu-restart.svg"},
    std::pair{Pictures::Role::MenuHelp, "menu-help.svg"},
    std::pair{Pictures::Role::MenuSound, "menu-sound.svg"},
    std::pair{Pictures::Role::MenuSoundOff, "menu-sound-off.svg"},
    std::pair{Pictures::Role::MenuFingerMap, "menu-finger-map.svg"},
    std::pair{Pictures::Role::MenuHighlight, "menu-highlight.svg"},
    std::pair{Pictures::Role::MenuBackground, "menu-background.svg"},
    std::pair{Pictures::Role::MenuTypeForMe, "menu-type-for-me.svg"},
    std::pair{Pictures::Role::MenuLanguage, "menu-language.svg"},
    std::pair{Pictures::Role::ShiftArrow, "shift-arrow.svg"},
    std::pair{Pictures::Role::SystemKey, "system-key.svg"},
    std::pair{Pictures::Role::FaceSmile, "face-smile.svg"},
    std::pair{Pictures::Role::FaceNeutral, "face-neutral.svg"},
    std::pair{Pictures::Role::FaceSad, "face-sad.svg"},
    std::pair{Pictures::Role::FaceSadRed, "face-sad-red.svg"},
    std::pair{Pictures::Role::PrintNormal, "print-normal.svg"},
    std::pair{Pictures::Role::PrintHover, "print-hover.svg"},
    std::pair{Pictures::Role::PrintPressed, "print-pressed.svg"},
    std::pair{Pictures::Role::PdfNormal, "pdf-normal.svg"},
    std::pair{Pictures::Role::PdfHover, "pdf-hover.svg"},
    std::pair{Pictures::Role::PdfPressed, "pdf-pressed.svg"},
    std::pair{Pictures::Role::ReportKeyboard, "report-keyboard.svg"},
    std::pair{Pictures::Role::AboutTutor, "about-tutor.svg"},
    std::pair{Pictures::Role::AboutEditor, "about-editor.svg"},
    std::pair{Pictures::Role::AppTutor, "app-zentavo.svg"},
    std::pair{Pictures::Role::AppEditor, "app-editor.svg"},
    std::pair{Pictures::Role::Clock, "clock.svg"},
    std::pair{Pictures::Role::CapsLockCross, "caps-lock-cross.svg"},
    std::pair{Pictures::Role::FileNew, "file-new.svg"},
    std::pair{Pictures::Role::FileOpen, "file-open.svg"},
    std::pair{Pictures::Role::Folder, "folder.svg"},
    std::pair{Pictures::Role::MenuPupils, "menu-pupils.svg"},
    std::pair{Pictures::Role::MenuProgress, "menu-progress.svg"},
};

const QString prefix = QStringLiteral(":/pictures/");
// Small pictures (faces, gauge and message icons, menu symbols) come back
// again and again, the face even with a keystroke, and cost little to keep
// drawn. Larger ones (the maps, the about picture, the window icon's big
// sizes) are held by the window that shows them and go with it.
constexpr int kLargestCachedPixels = 64 * 64;
// Vector source of the map rasters, drawn over them on dense screens.
const QString mapSource = QStringLiteral(":/pictures/keymap.svg");

bool isNumbered(int number) {
    return (number >= 400 && number <= 403) || (number >= 420 && number <= 432);
}

bool isMap(const QString& file) {
    return file.endsWith(QLatin1String(".png"));
}

// The map rasters are PNG, which Qt reads itself. Told so, the reader reads
// it at once; left to find out, it first loads every image format plugin
// installed to ask each whether it knows the file.
QSize mapSize(const QString& file) {
    QImageReader reader(file, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.size();
}

QImage readMap(const QString& file) {
    QImageReader reader(file, "PNG");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

qreal ratioOrScreen(qreal devicePixelRatio) {
    if (devicePixelRatio > 0)
        return devicePixelRatio;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->devicePixelRatio();
    return 1.0;
}

QSize sizeOf(const QString& file) {
    if (file.isEmpty())
        return {};
    if (isMap(file))
        return mapSize(file);
    return QSvgRenderer(file).defaultSize();
}

QImage renderSvg(const QString& file, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(file);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

// The map picture must be opaque exactly inside its outline, which the window
// mask cuts in whole logical pixels. At 1:1 the PNG is that; larger, the PNG
// enlarged pixel by pixel keeps the same outline and the vector drawing laid
// over it gives the sharp detail.
QImage renderMap(const QString& file, QSize pixels, QSize natural) {
    const QImage base = readMap(file);
    if (pixels == natural)
        return base.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage image = base.scaled(pixels, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage detail = renderSvg(mapSource, pixels);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceAtop);
    painter.drawImage(0, 0, detail);
    return image;
}

QPixmap render(const QString& file, QSize size, qreal devicePixelRatio) {
    if (file.isEmpty())
        return {};
    // Reading a picture's own size parses it: a picture asked at a size
    // that is drawn already is taken from the cache without that.
    const QSize logical = size.isEmpty() ? sizeOf(file) : size;
    const qreal ratio = ratioOrScreen(devicePixelRatio);
    const QSize pixels(qMax(1, int(std::lround(logical.width() * ratio))),
                       qMax(1, int(std::lround(logical.height() * ratio))));
    const QString key =
        QStringLiteral("zentavo:%1:%2x%3").arg(file).arg(pixels.width()).arg(pixels.height());
    QPixmap cached;
    if (QPixmapCache::find(key, &cached)) {
        cached.setDevicePixelRatio(ratio);
        return cached;
    }
    const QImage image =
        isMap(file) ? renderMap(file, pixels, sizeOf(file)) : renderSvg(file, pixels);
    QPixmap result = QPixmap::fromImage(image);
    if (pixels.width() * pixels.height() <= kLargestCachedPixels)
        QPixmapCache::insert(key, result);
    result.setDevicePixelRatio(ratio);
    return result;
}

QPixmap greyed(const QPixmap& source) {
    QImage image = source.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]);
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) / 2);
        }
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(source.devicePixelRatio());
    return result;
}

// Draws the SVG afresh for every size and scale an icon is asked for.
class PictureIconEngine : public QIconEngine {
public:
    explicit PictureIconEngine(QString file) : m_file(std::move(file)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, drawn(rect.size(), mode, state, ratio));
    }

    // Qt asks for device pixels here, scaling the size by the screen's ratio
    // itself, and marks the result with that ratio afterwards.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return drawn(size, mode, state, 1.0);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new PictureIconEngine(m_file); }
    QString key() const override { return QStringLiteral("ZentavoPicture"); }

private:
    QPixmap drawn(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) const {
        const QPixmap plain = render(m_file, size, scale);
        return mode == QIcon::Disabled ? greyed(plain) : plain;
    }

    QString m_file;
};

} // namespace

namespace Pictures {

QString path(int number) {
    registerResources();
    return isNumbered(number) ? prefix + QString::number(number) + QStringLiteral(".svg")
                              : QString();
}

QString path(Role role) {
    registerResources();
    for (const auto& [r, file] : roleFiles)
        if (r == role)
            return prefix + QLatin1String(file);
    return {};
}

QSize naturalSize(int number) {
    return sizeOf(path(number));
}
QSize naturalSize(Role role) {
    return sizeOf(path(role));
}

QPixmap pixmap(int number, QSize size, qreal devicePixelRatio) {
    return render(path(number), size, devicePixelRatio);
}

QPixmap pixmap(Role role, QSize size, qreal devicePixelRatio) {
    return render(path(role), size, devicePixelRatio);
}

QIcon icon(int number) {
    const QString file = path(number);
    return file.isEmpty() ? QIcon() : QIcon(new PictureIconEngine(file));
}

QIcon icon(Role role) {
    const QString file = path(role);
    return file.isEmpty() ? QIcon() : QIcon(new PictureIconEngine(file));
}

Role fingerImage(int index) {
    return static_cast<Role>(qBound(0, index, 9) + int(Role::FingerLeftLittle));
}

Role menuSymbol(int index, bool on) {
    static constexpr std::array symbols{
        Role::MenuClose,     Role::MenuRestart,   Role::MenuHelp,       Role::MenuSound,
        Role::MenuFingerMap, Role::MenuHighlight, Role::MenuBackground, Role::MenuTypeForMe,
        Role::MenuLanguage,  Role::MenuPupils,    Role::MenuProgress};
    if (index == 3 && !on)
        return Role::MenuSoundOff;
    return symbols[std::size_t(qBound(0, index, int(symbols.size()) - 1))];
}

Role errorFace(char letter, bool red) {
    switch (letter) {
    case 'J':
        return Role::FaceSmile;
    case 'K':
        return Role::FaceNeutral;
    default:
        return red ? Role::FaceSadRed : Role::FaceSad;
    }
}

QString soundPath(int number) {
    registerResources();
    if (number < 101 || number > 111)
        return {};
    return QStringLiteral(":/sounds/%1.wav").arg(number);
}

QByteArray soundBytes(int number) {
    QFile file(soundPath(number));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString helpPage(const QString& programFolder, int topic) {
    const QString page =
        topic < 1 ? QStringLiteral("index.html") : QString::number(topic) + QStringLiteral(".html");
    return QDir(programFolder).filePath(QStringLiteral("help/") + page);
}

} // namespace Pictures
