#include "core/diagram/diagramstyle.h"
#include "gui/diagram/diagramview.h"
#include "gui/diagram/optionsbar.h"
#include "gui/document/document.h"

#include "guitesthelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QSignalSpy>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace quorel;

// The diagram as a way into the data: the Options bar's petal radius and ring labels, the
// tooltips of the petals and the grid.
class DiagramLinksTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void optionsBarDrawsPetalRadiusAndRingLabels();
    void hoverTexts_data();
    void hoverTexts();

private:
    // The point of the view at `azimuth` degrees and `distance` pixels from the rose's centre.
    QPoint viewPoint(const DiagramView &view, double azimuth, double distance) const;

    QTemporaryDir m_dir;
    std::unique_ptr<Document> m_document;
};

void DiagramLinksTest::init()
{
    // 25 of 94 measurements in sector 4 ("31 - 40"), the other 69 in sector 10.
    const QByteArray lines = QByteArray("35\n").repeated(25) + QByteArray("100\n").repeated(69);
    m_document = std::make_unique<Document>('.', nullptr);
    QSignalSpy finished(m_document.get(), &Document::readFinished);
    QVERIFY(m_document->read(testhelpers::writeFile(m_dir, QStringLiteral("rose.txt"), lines)));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(m_document->measurementCount(), 94u);
}

void DiagramLinksTest::cleanup()
{
    m_document.reset();
}

QPoint DiagramLinksTest::viewPoint(const DiagramView &view, double azimuth, double distance) const
{
    const double angle = azimuth * std::numbers::pi / 180;
    const QRect area = view.imageRect();
    const double centre = area.width() / 2.0;
    return area.topLeft()
        + QPoint(static_cast<int>(std::floor(centre + distance * std::sin(angle))),
                 static_cast<int>(std::floor(centre - distance * std::cos(angle))));
}

void DiagramLinksTest::optionsBarDrawsPetalRadiusAndRingLabels()
{
    OptionsBar bar(*m_document, classicSystemColors());
    QSignalSpy redraws(&bar, &OptionsBar::redrawRequested);
    connect(&bar, &OptionsBar::redrawRequested, m_document.get(), &Document::redraw);
    const Picture classic = m_document->picture();

    bar.petalRadiusList()->setCurrentIndex(1);
    emit bar.petalRadiusList()->activated(1);
    QCOMPARE(m_document->style().petalScale, PetalScale::Area);
    QCOMPARE(redraws.count(), 1);
    QVERIFY(!(m_document->picture() == classic));

    // Settings the program makes show in the bar without a redraw of their own.
    m_document->setStyle(DiagramStyle::firstRun());
    QCOMPARE(bar.petalRadiusList()->currentIndex(), 0);

    QSignalSpy pictures(m_document.get(), &Document::pictureChanged);
    bar.ringLabelsBox()->setChecked(true);
    QVERIFY(m_document->ringLabels());
    QCOMPARE(pictures.count(), 1);
    QVERIFY(m_document->renderOptions().ringLabels.has_value());
}

void DiagramLinksTest::hoverTexts_data()
{
    QTest::addColumn<bool>("equalArea");
    QTest::addColumn<double>("azimuth");
    QTest::addColumn<double>("distance");
    QTest::addColumn<QString>("text");
    QTest::addRow("petal") << false << 35.0 << 40.0
                           << QStringLiteral("31 - 40: 25 measurements, 26.6 %");
    QTest::addRow("largest petal")
        << false << 95.0 << 200.0 << QStringLiteral("91 - 100: 69 measurements, 73.4 %");
    QTest::addRow("grid beyond a petal") << false << 35.0 << 100.0 << QStringLiteral("Azimuth 35°");
    // Equal areas: 25 of 69 reach sqrt(25/69) of the radius, 125 of 207 pixels.
    QTest::addRow("equal-area petal")
        << true << 35.0 << 100.0 << QStringLiteral("31 - 40: 25 measurements, 26.6 %");
    QTest::addRow("empty sector") << false << 200.0 << 30.0 << QStringLiteral("Azimuth 200°");
    QTest::addRow("outside the rose") << false << 300.0 << 225.0 << QString();
}

void DiagramLinksTest::hoverTexts()
{
    QFETCH(bool, equalArea);
    QFETCH(double, azimuth);
    QFETCH(double, distance);
    QFETCH(QString, text);
    m_document->editStyle([equalArea](DiagramStyle &style) {
        style.petalScale = equalArea ? PetalScale::Area : PetalScale::Count;
    });
    m_document->redraw();
    DiagramView view(*m_document);
    view.resize(600, 600);
    view.setPicture(m_document->picture());
    QCOMPARE(view.toolTipAt(viewPoint(view, azimuth, distance)), text);
}

QTEST_MAIN(DiagramLinksTest)
#include "diagramlinks_test.moc"
