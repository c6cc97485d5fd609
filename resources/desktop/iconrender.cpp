// quorel-iconrender SVG SIZE OUT.png: draws the SVG picture as a SIZE x SIZE PNG with a
// transparent background. The build uses it to make the application icon's fixed-size pictures
// for the desktop's icon theme from the one drawing.

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "Usage: quorel-iconrender SVG SIZE OUT.png\n");
        return 2;
    }
    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[2]).toInt(&isNumber);
    if (!isNumber || size < 1 || size > 4096) {
        std::fprintf(stderr, "quorel-iconrender: \"%s\" is not a size from 1 to 4096\n", argv[2]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "quorel-iconrender: cannot read \"%s\"\n", argv[1]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "quorel-iconrender: cannot write \"%s\"\n", argv[3]);
        return 1;
    }
    return 0;
}
