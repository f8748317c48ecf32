// Renders SVG files to PNG with Qt's own SVG renderer, the one the programs use,
// so that generated rasters and contact sheets show exactly what users see.
//   svgrender <in.svg> <out.png> <width> <height>
//   svgrender --list <file>     (each line: in.svg out.png width height)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

static bool render(const QString& in, const QString& out, int width, int height) {
    QSvgRenderer renderer(in);
    if (!renderer.isValid() || width <= 0 || height <= 0) {
        std::fprintf(stderr, "svgrender: cannot render %s\n", qPrintable(in));
        return false;
    }
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(0, 0, width, height));
    painter.end();
    if (!image.save(out, "PNG")) {
        std::fprintf(stderr, "svgrender: cannot write %s\n", qPrintable(out));
        return false;
    }
    return true;
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::string(argv[1]) == "--list") {
        std::ifstream list(argv[2]);
        std::string line;
        bool ok = true;
        while (std::getline(list, line)) {
            std::istringstream fields(line);
            std::string in, out;
            int w = 0, h = 0;
            if (fields >> in >> out >> w >> h)
                ok = render(QString::fromStdString(in), QString::fromStdString(out), w, h) && ok;
        }
        return ok ? 0 : 1;
    }
    if (argc != 5) {
        std::fprintf(stderr, "usage: svgrender in.svg out.png width height\n");
        return 2;
    }
    return render(argv[1], argv[2], std::atoi(argv[3]), std::atoi(argv[4])) ? 0 : 1;
}
