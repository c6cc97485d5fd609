#include "core/diagram/diagramstyle.h"
#include "gui/data/datatables.h"
#include "gui/data/datatableview.h"
#include "gui/diagram/diagramview.h"
#include "gui/diagram/optionsbar.h"
#include "gui/document/document.h"
#include "gui/document/viewstate.h"

#include "guitesthelpers.h"
#include "windowparts.h"

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
    void petalClicksSelectRowsAndRowsOutlinePetals();
    void fittedDiagramFollowsTheViewAndHitsItsPetals();

private:
    // The point of the view at `azimuth` degrees and `distance` picture pixels from the rose's
    // centre.
    QPoint viewPoint(const DiagramView &view, double azimuth, double distance) const;

    QTemporaryDir m_dir;
    std::unique_ptr<Document> m_document;
    std::unique_ptr<ViewState> m_view;
};

void DiagramLinksTest::init()
{
    // 25 of 94 measurements in sector 4 ("31 - 40"), after 69 in sector 10.
    const QByteArray lines = QByteArray("100\n").repeated(69) + QByteArray("35\n").repeated(25);
    m_document = std::make_unique<Document>('.', nullptr);
    m_view = std::make_unique<ViewState>(*m_document);
    QSignalSpy finished(m_document.get(), &Document::readFinished);
    QVERIFY(m_document->read(testhelpers::writeFile(m_dir, QStringLiteral("rose.txt"), lines)));
    QTRY_COMPARE(finished.count(), 1);
    QCOMPARE(m_document->measurementCount(), 94u);
}

void DiagramLinksTest::cleanup()
{
    m_view.reset();
    m_document.reset();
}

QPoint DiagramLinksTest::viewPoint(const DiagramView &view, double azimuth, double distance) const
{
    const double angle = azimuth * std::numbers::pi / 180;
    const QRect area = view.imageRect();
    const double centre = area.width() / 2.0;
    distance *= area.width() / static_cast<double>(view.picture().width());
    return area.topLeft()
        + QPoint(static_cast<int>(std::floor(centre + distance * std::sin(angle))),
                 static_cast<int>(std::floor(centre - distance * std::cos(angle))));
}

void DiagramLinksTest::optionsBarDrawsPetalRadiusAndRingLabels()
{
    OptionsBar bar(*m_document, classicSystemColors());
    testhelpers::RedrawSpy redraws(*m_document);
    const Picture classic = m_document->picture();

    bar.petalRadiusList()->setCurrentIndex(1);
    emit bar.petalRadiusList()->activated(1);
    QCOMPARE(m_document->style().petalScale, PetalScale::Area);
    QCOMPARE(redraws.count(), 1);
    QVERIFY(!(m_document->picture() == classic));

    // Settings the program makes show in the bar without a redraw of their own.
    m_document->setStyle(DiagramStyle::firstRun());
    QCOMPARE(bar.petalRadiusList()->currentIndex(), 0);

    testhelpers::RedrawSpy pictures(*m_document);
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
    DiagramView view(*m_document, *m_view);
    view.resize(600, 600);
    view.setPicture(m_document->picture());
    QCOMPARE(view.toolTipAt(viewPoint(view, azimuth, distance)), text);
}

namespace {

QList<int> selectedRows(const DataTableView &table)
{
    QList<int> rows;
    for (const QModelIndex &index : table.selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

SectorSet sectorSet(std::initializer_list<int> sectors)
{
    SectorSet set;
    for (int sector : sectors)
        set.set(static_cast<std::size_t>(sector - 1));
    return set;
}

} // namespace

void DiagramLinksTest::petalClicksSelectRowsAndRowsOutlinePetals()
{
    DataTables tables(*m_document, *m_view);
    std::unique_ptr<DataTableView> measurements(tables.measurementTable());
    std::unique_ptr<DataTableView> stats(tables.statsTable());
    std::unique_ptr<QWidget> counts(tables.countsPanel());
    emit m_document->readFinished(true);
    DiagramView view(*m_document, *m_view);
    connect(&view, &DiagramView::petalClicked, m_view.get(), &ViewState::selectPetal);
    view.resize(600, 600);
    view.setPicture(m_document->picture());
    measurements->resize(200, 300);
    const Picture picture = m_document->picture();
    const QImage before = view.grab().toImage();

    // A petal: its sector's rows, the first in view, and its statistics row.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, viewPoint(view, 35, 40));
    QCOMPARE(m_view->selectedPetals(), sectorSet({4}));
    QCOMPARE(measurements->currentIndex().row(), 69);
    QVERIFY(measurements->viewport()->rect().contains(
        measurements->visualRect(measurements->currentIndex())));
    QCOMPARE(selectedRows(*stats), QList<int>({3}));
    QCOMPARE(m_view->outlinedPetals(), sectorSet({4}));
    // Ctrl adds the other petal; a plain click would replace it.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::ControlModifier,
                      viewPoint(view, 95, 40));
    QCOMPARE(selectedRows(*stats), QList<int>({3, 9}));
    QCOMPARE(m_view->outlinedPetals(), sectorSet({4, 10}));
    // The outline is on the screen, never in the picture.
    QVERIFY(view.grab().toImage() != before);
    QVERIFY(m_document->picture() == picture);

    // Rows picked in the table replace the petals and outline theirs.
    QTest::mouseClick(measurements->viewport(), Qt::LeftButton, {},
                      measurements->visualRect(measurements->model()->index(70, 1)).center());
    QCOMPARE(m_view->selectedPetals(), SectorSet());
    QCOMPARE(m_view->outlinedPetals(), sectorSet({4}));
    measurements->selectAll();
    QCOMPARE(m_view->outlinedPetals(), sectorSet({4, 10}));
}

void DiagramLinksTest::fittedDiagramFollowsTheViewAndHitsItsPetals()
{
    DiagramView view(*m_document, *m_view);
    connect(&view, &DiagramView::petalClicked, m_view.get(), &ViewState::selectPetal);
    view.resize(900, 700);
    view.show();
    view.setPicture(m_document->picture());
    m_view->setFitToWindow(true);
    QCOMPARE(view.imageRect(), QRect(100, 0, 700, 700));
    QCOMPARE(view.toolTipAt(viewPoint(view, 35, 40)),
             QStringLiteral("31 - 40: 25 measurements, 26.6 %"));
    QCOMPARE(view.toolTipAt(viewPoint(view, 35, 100)), QStringLiteral("Azimuth 35°"));

    view.resize(500, 800);
    QCOMPARE(view.imageRect(), QRect(0, 150, 500, 500));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, viewPoint(view, 95, 150));
    QCOMPARE(m_view->selectedPetals(), sectorSet({10}));
}

QTEST_MAIN(DiagramLinksTest)
#include "diagramlinks_test.moc"
