#include "gui/diagram/pictureplayer.h"

#include "core/diagram/renderer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace quorel;

namespace {

// The diagram used by the pixel tests: white background, red main lines, blue secondary
// lines, a solid green petal over azimuth 80..90 reaching the outer circle and one a quarter as
// long over 200..210.
Picture testDiagram(int fillStyle = 0)
{
    DiagramStyle style;
    style.backgroundColor = clWhite;
    style.mainLineColor = clRed;
    style.mainLineStyle = 0;
    style.secondaryLineColor = clBlue;
    style.secondaryLineStyle = 0;
    style.fillColor = clGreen;
    style.fillStyle = fillStyle;
    SectorCounts counts {};
    counts[8] = 4;
    counts[20] = 1;
    return renderRoseDiagram(style, counts, 4, false).value();
}

QPoint polar(double azimuth, double distance, double centre = 230)
{
    const double a = (90 - azimuth) * std::numbers::pi / 180;
    return QPoint(int(std::floor(centre + distance * std::cos(a))),
                  int(std::floor(centre - distance * std::sin(a))));
}

bool near(QColor actual, QColor expected, int tolerance = 60)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance && actual.alpha() > 200;
}

bool isInk(const QImage &image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.alpha() > 128 && c.red() < 128;
}

} // namespace

class PicturePlayerTest : public QObject
{
    Q_OBJECT

private slots:
    void pixelsFollowTheGeometry_data();
    void pixelsFollowTheGeometry();
    void scaledIntoATarget();
    void rectangleCoversItsBoxOnly_data();
    void rectangleCoversItsBoxOnly();
    void hatchDirections_data();
    void hatchDirections();
    void textBoxOnlyUnderASolidBrush_data();
    void textBoxOnlyUnderASolidBrush();
    void systemColoursFromThePalette();
    void writesPngAndPdf();
    void measuresCharacterAdvances();
    void refusesWhatItCannotWrite();
};

void PicturePlayerTest::pixelsFollowTheGeometry_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QColor>("expected");
    const QColor white(255, 255, 255), red(255, 0, 0), blue(0, 0, 255), green(0, 128, 0);
    // The outer main circle (radius 207) away from every radius: azimuth 2.5.
    QTest::addRow("outer circle") << polar(2.5, 206.6) << red;
    QTest::addRow("first secondary circle") << polar(2.5, 195.6) << blue;
    QTest::addRow("petal interior at 85") << polar(85, 150) << green;
    QTest::addRow("petal near its arc") << polar(82.5, 203) << green;
    // Between the rings (main radii 23k, secondary 23k - 11) so no grid line is hit.
    QTest::addRow("beside the petal at 97.5") << polar(97.5, 144) << white;
    QTest::addRow("quarter petal at 207.5") << polar(207.5, 40) << green;
    QTest::addRow("beyond the quarter petal") << polar(207.5, 63) << white;
    QTest::addRow("north axis past the circle") << QPoint(230, 15) << red;
    QTest::addRow("west axis past the circle") << QPoint(12, 230) << red;
    QTest::addRow("empty corner") << QPoint(450, 450) << white;
    QTest::addRow("margin outside the circle") << QPoint(10, 100) << white;
}

void PicturePlayerTest::pixelsFollowTheGeometry()
{
    QFETCH(QPoint, pixel);
    QFETCH(QColor, expected);
    const QImage image = renderToImage(testDiagram(), classicSystemColors());
    QCOMPARE(image.size(), QSize(460, 460));
    const QColor actual = image.pixelColor(pixel);
    QVERIFY2(near(actual, expected), qPrintable(actual.name(QColor::HexArgb)));
}

void PicturePlayerTest::scaledIntoATarget()
{
    QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::black);
    QPainter painter(&image);
    PicturePlayer(classicSystemColors()).play(testDiagram(), painter, QRectF(70, 70, 230, 230));
    painter.end();
    QVERIFY(near(image.pixelColor(5, 5), Qt::black)); // outside the target: untouched
    const QPoint petal = polar(85, 75, 115) + QPoint(70, 70);
    QVERIFY(near(image.pixelColor(petal), QColor(0, 128, 0)));
    QVERIFY(near(image.pixelColor(72, 295), Qt::white));
}

void PicturePlayerTest::rectangleCoversItsBoxOnly_data()
{
    QTest::addColumn<int>("size"); // the picture's side
    QTest::addColumn<int>("from"); // the block runs from (from, from) to (to, to)
    QTest::addColumn<int>("to");
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("covered");
    QTest::addRow("top-left corner") << 40 << 10 << 20 << QPoint(10, 10) << true;
    QTest::addRow("last pixel inside") << 40 << 10 << 20 << QPoint(19, 19) << true;
    QTest::addRow("right edge excluded") << 40 << 10 << 20 << QPoint(20, 15) << false;
    QTest::addRow("bottom edge excluded") << 40 << 10 << 20 << QPoint(15, 20) << false;
    QTest::addRow("outside stays clear") << 40 << 10 << 20 << QPoint(5, 5) << false;
    QTest::addRow("background block, first pixel") << 20 << 0 << 20 << QPoint(0, 0) << true;
    QTest::addRow("background block, last pixel") << 20 << 0 << 20 << QPoint(19, 19) << true;
}

void PicturePlayerTest::rectangleCoversItsBoxOnly()
{
    QFETCH(int, size);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QPoint, pixel);
    QFETCH(bool, covered);
    Picture picture(size, size);
    picture.selectBrush(Brush {Brush::Kind::Solid, clRed, BrushPattern::Solid});
    picture.selectPen(Pen {clRed, PenPattern::Solid, 0});
    picture.rectangle(from, from, to, to);
    const QImage image = renderToImage(picture, classicSystemColors());
    const QColor actual = image.pixelColor(pixel);
    if (covered)
        QVERIFY2(actual == QColor(255, 0, 0), qPrintable(actual.name(QColor::HexArgb)));
    else
        QCOMPARE(actual.alpha(), 0);
}

void PicturePlayerTest::hatchDirections_data()
{
    QTest::addColumn<int>("fillStyle");
    QTest::addColumn<int>("dx"); // the hatch line continues to (x + dx, y + dy)
    QTest::addColumn<int>("dy");
    QTest::addRow("rising to the right") << 1 << 1 << -1;
    QTest::addRow("falling to the right") << 2 << 1 << 1;
    QTest::addRow("horizontal") << 5 << 1 << 0;
    QTest::addRow("vertical") << 6 << 0 << 1;
}

void PicturePlayerTest::hatchDirections()
{
    QFETCH(int, fillStyle);
    QFETCH(int, dx);
    QFETCH(int, dy);
    Picture picture(32, 32);
    picture.selectPen(Pen {clWhite, PenPattern::Solid, 0});
    picture.selectBrush(Brush {Brush::Kind::Hatched, clBlack, brushStyleFromIndex(fillStyle)});
    picture.rectangle(-10, -10, 50, 50); // outline outside the picture
    const QImage image = renderToImage(picture, classicSystemColors());
    int ink = 0, gaps = 0;
    for (int y = 4; y < 28; ++y) {
        for (int x = 4; x < 28; ++x) {
            if (!isInk(image, x, y)) {
                // Gaps stay transparent: the hatch does not paint a background.
                gaps += image.pixelColor(x, y).alpha() == 0;
                continue;
            }
            ++ink;
            QVERIFY2(isInk(image, x + dx, y + dy),
                     qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
        }
    }
    QVERIFY(ink > 20);
    QVERIFY(gaps > 100);
}

void PicturePlayerTest::textBoxOnlyUnderASolidBrush_data()
{
    QTest::addColumn<int>("brushKind");
    QTest::addColumn<QColor>("expected");
    QTest::addRow("solid brush: opaque box") << int(Brush::Kind::Solid) << QColor(255, 255, 0);
    QTest::addRow("hatched brush: transparent") << int(Brush::Kind::Hatched) << QColor(0, 0, 0);
    QTest::addRow("no brush: transparent") << int(Brush::Kind::Null) << QColor(0, 0, 0);
}

void PicturePlayerTest::textBoxOnlyUnderASolidBrush()
{
    QFETCH(int, brushKind);
    QFETCH(QColor, expected);
    Picture picture(100, 100);
    picture.selectBrush(Brush {Brush::Kind::Solid, clBlack, BrushPattern::Solid});
    picture.selectPen(Pen {clBlack, PenPattern::Solid, 0});
    picture.rectangle(0, 0, 100, 100);
    picture.selectBrush(
        Brush {static_cast<Brush::Kind>(brushKind), rgbColor(255, 255, 0), BrushPattern::Vertical});
    picture.selectFont(Font {"Arial", 20, clWhite, false, false, false});
    picture.text(10, 10, "      "); // blanks: the box, if any, without glyphs
    const QImage image = renderToImage(picture, classicSystemColors());
    // Inside the box, between hatch lines (vertical lines every 8 pixels).
    QVERIFY2(near(image.pixelColor(13, 20), expected), qPrintable(image.pixelColor(13, 20).name()));
    QVERIFY(near(image.pixelColor(90, 90), Qt::black)); // outside the box
}

void PicturePlayerTest::systemColoursFromThePalette()
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(10, 20, 30));
    palette.setColor(QPalette::Text, QColor(200, 210, 220));
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    const auto table = systemColorsFromPalette(palette);
    QVERIFY(resolveColor(clWindow, table) == (Rgb {10, 20, 30}));
    QVERIFY(resolveColor(clWindowText, table) == (Rgb {200, 210, 220}));
    QVERIFY(resolveColor(clBtnFace, table) == (Rgb {1, 2, 3}));
    QVERIFY(resolveColor(systemColor(27), table) == classicSystemColors()[27]);

    // A diagram drawn through the table follows the scheme: the window background.
    DiagramStyle style;
    const QImage image = renderToImage(renderRoseDiagram(style, {}, 0, false).value(), table);
    QVERIFY(near(image.pixelColor(450, 450), QColor(10, 20, 30), 2));
}

void PicturePlayerTest::writesPngAndPdf()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::string png = dir.filePath("rose.png").toStdString();
    const std::string pdf = dir.filePath("rose.pdf").toStdString();
    QVERIFY(writePng(testDiagram(), classicSystemColors(), png).ok());
    QVERIFY(writePdf(testDiagram(4), classicSystemColors(), pdf).ok());
    const QImage read(QString::fromStdString(png));
    QCOMPARE(read.size(), QSize(460, 460));
    QVERIFY(near(read.pixelColor(polar(85, 150)), QColor(0, 128, 0)));
    QFile file(QString::fromStdString(pdf));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    QVERIFY(file.size() > 1000);
}

void PicturePlayerTest::measuresCharacterAdvances()
{
    const TextMeasure measure = qtTextMeasure();
    const Font mono {"Courier New", 7, clBlack, false, false, false};
    const Font large {"Courier New", 28, clBlack, false, false, false};
    const Font sans {"Arial", 28, clBlack, false, false, false};
    QVERIFY(measure(mono, U'M') > 0);
    QCOMPARE(measure(mono, U'i'), measure(mono, U'M')); // fixed pitch
    QVERIFY(measure(large, U'M') >= 3 * measure(mono, U'M'));
    QVERIFY(measure(sans, U'i') < measure(sans, U'M')); // proportional; cache follows the font
    QVERIFY(measure(sans, U'\u0105') > 0); // a Polish letter
}

void PicturePlayerTest::refusesWhatItCannotWrite()
{
    const std::string missing = "/nonexistent-folder/rose";
    const auto png = writePng(testDiagram(), classicSystemColors(), missing + ".png");
    QVERIFY(!png.ok());
    QVERIFY(png.message().find(missing) != std::string::npos);
    QVERIFY(!writePdf(testDiagram(), classicSystemColors(), missing + ".pdf").ok());
    QVERIFY(!writePng(Picture {}, classicSystemColors(), "/tmp/never.png").ok());
    QVERIFY(!writePdf(Picture {}, classicSystemColors(), "/tmp/never.pdf").ok());
    QVERIFY(renderToImage(Picture(0, 0), classicSystemColors()).isNull());
    // A size from a data file far past the size commands' 4000 is refused, not allocated.
    const Picture huge(maxImageSide + 1, maxImageSide + 1);
    QVERIFY(renderToImage(huge, classicSystemColors()).isNull());
    const auto tooLarge = writePng(huge, classicSystemColors(), "/tmp/never.png");
    QVERIFY(!tooLarge.ok());
    QVERIFY(tooLarge.message().find("too large") != std::string::npos);
}

QTEST_MAIN(PicturePlayerTest)
#include "pictureplayer_test.moc"
