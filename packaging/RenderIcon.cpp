// Build tool: draws the application icon's SVG as a square PNG of one size, for the icon theme's
// fixed-size folders. Run by the build, never installed. The icon holds shapes only, no text, so
// no font and no display is needed and none is opened.
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: mortgage-render-icon ICON.svg SIZE OUTPUT.png\n");
        return 2;
    }
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[3]);
    bool isWhole = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isWhole);
    if (!isWhole || size < 1 || size > 1024) {
        std::fprintf(stderr, "mortgage-render-icon: size %s is not a whole number of pixels\n",
                     argv[2]);
        return 2;
    }

    QSvgRenderer renderer(input);
    if (!renderer.isValid()) {
        std::fprintf(stderr, "mortgage-render-icon: %s is not a drawable SVG\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        renderer.render(&painter, QRectF(0, 0, size, size));
    }
    // A theme's PNGs carry straight alpha; writing through ARGB32 converts once, here.
    if (!image.convertToFormat(QImage::Format_ARGB32).save(output, "PNG")) {
        std::fprintf(stderr, "mortgage-render-icon: cannot write %s\n", argv[3]);
        return 1;
    }
    return EXIT_SUCCESS;
}
