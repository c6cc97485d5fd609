#include "gui/data/datatableview.h"
#include "gui/data/elapsedtime.h"
#include "gui/data/gridcelldelegate.h"
#include "gui/data/measurementmodel.h"
#include "gui/data/statsmodel.h"

#include <QAbstractItemModelTester>
#include <QElapsedTimer>
#include <QPainter>
#include <QtTest>

#include <string>
#include <vector>

using namespace quorel;

class DataModelsTest : public QObject
{
    Q_OBJECT

private slots:
    void measurementRows_data();
    void measurementRows();
    void measurementTexts();
    void measurementModelIsConsistent();
    void millionRowsStayResponsive();
    void numberColumnShowsTheLastRowWhole_data();
    void numberColumnShowsTheLastRowWhole();
    void statsRanges_data();
    void statsRanges();
    void statsCountsAndTexts();
    void longListsEndAtAWholeMeasurement();
    void listToolTipsShowTheListInLines();
    void elapsedText_data();
    void elapsedText();
};

namespace {
MeasurementModel::Source sourceOf(const std::vector<std::string> &list)
{
    return {[&list] { return list.size(); },
            [&list](std::size_t i) {
                return std::string_view(list.at(i));
            }};
}
} // namespace

void DataModelsTest::measurementRows_data()
{
    QTest::addColumn<int>("measurements");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<int>("rows");
    QTest::addRow("empty list keeps the spare row") << 0 << false << 1;
    QTest::addRow("one measurement") << 1 << false << 1;
    QTest::addRow("three measurements") << 3 << false << 3;
    QTest::addRow("cleared before a read") << 5 << true << 1;
}

void DataModelsTest::measurementRows()
{
    QFETCH(int, measurements);
    QFETCH(bool, cleared);
    QFETCH(int, rows);
    std::vector<std::string> list(std::size_t(measurements), "10");
    MeasurementModel model;
    model.setSource(sourceOf(list));
    if (cleared)
        model.clear();
    QCOMPARE(model.rowCount(), rows);
    QCOMPARE(model.columnCount(), 2);
}

void DataModelsTest::measurementTexts()
{
    std::vector<std::string> list {"12", "015.50", "339,4312"};
    MeasurementModel model;
    model.setSource(sourceOf(list));
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("No."));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Azimuth"));
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("1. "));
    QCOMPARE(model.data(model.index(2, 0)).toString(), QStringLiteral("3. "));
    // The stored text is shown exactly as kept, leading zeros and comma included.
    QCOMPARE(model.data(model.index(1, 1)).toString(), QStringLiteral("015.50"));
    QCOMPARE(model.data(model.index(2, 1)).toString(), QStringLiteral("339,4312"));
    QCOMPARE(model.data(model.index(0, 0), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 128));
    QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt()
                 & Qt::AlignHorizontal_Mask,
             int(Qt::AlignRight));
    QCOMPARE(model.data(model.index(0, 0), Qt::FontRole).value<QFont>().family(),
             QStringLiteral("Verdana"));
    QCOMPARE(model.data(model.index(0, 0), Qt::FontRole).value<QFont>().pointSize(), 7);
    QCOMPARE(model.data(model.index(0, 1), Qt::FontRole).value<QFont>().pointSize(), 8);

    // A read that found nothing: the spare row shows its number and no azimuth.
    list.clear();
    model.reload();
    QCOMPARE(model.rowCount(), 1);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("1. "));
    QCOMPARE(model.data(model.index(0, 1)).toString(), QString());
}

void DataModelsTest::measurementModelIsConsistent()
{
    std::vector<std::string> list {"1", "2", "3"};
    MeasurementModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.setSource(sourceOf(list));
    list.push_back("4");
    model.reload();
    model.clear();
    StatsModel stats;
    QAbstractItemModelTester statsTester(&stats,
                                         QAbstractItemModelTester::FailureReportingMode::QtTest);
    stats.clear();
}

void DataModelsTest::millionRowsStayResponsive()
{
    std::vector<std::string> list(1000000, "123.4567");
    MeasurementModel model;
    model.setSource(sourceOf(list));
    DataTableView view;
    QElapsedTimer timer;
    timer.start();
    view.setModel(&model);
    view.resize(200, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.scrollToBottom();
    QCoreApplication::processEvents();
    QCOMPARE(model.rowCount(), 1000000);
    QCOMPARE(model.data(model.index(999999, 0)).toString(), QStringLiteral("1000000. "));
    QVERIFY2(timer.elapsed() < 3000, qPrintable(QString::number(timer.elapsed())));
}

void DataModelsTest::numberColumnShowsTheLastRowWhole_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("wider");
    QTest::addRow("999 rows keep 40 pixels") << 999 << false;
    QTest::addRow("a million rows") << 1'000'000 << true;
    QTest::addRow("ten million rows") << 10'000'000 << true;
}

void DataModelsTest::numberColumnShowsTheLastRowWhole()
{
    QFETCH(int, rows);
    QFETCH(bool, wider);
    MeasurementModel model;
    model.setSource({[rows] { return std::size_t(rows); },
                     [](std::size_t) {
                         return std::string_view("1");
                     }});
    const int width = model.numberColumnWidth();
    QCOMPARE(width > 40, wider);
    QVERIFY(width >= 40);
    // The last number, right-aligned in a cell of that width, looks as it does in a wide cell.
    const auto drawn = [&](int cellWidth) {
        QImage image(200, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        QStyleOptionViewItem option;
        option.rect = QRect(200 - cellWidth, 0, cellWidth - 1, 15);
        option.palette.setColor(QPalette::Button, Qt::white);
        GridCellDelegate(1).paint(&painter, option, model.index(rows - 1, 0));
        return image;
    };
    QCOMPARE(drawn(width), drawn(200));
}

void DataModelsTest::statsRanges_data()
{
    QTest::addColumn<int>("sector");
    QTest::addColumn<QString>("text");
    QTest::addRow("first with a leading blank") << 1 << QStringLiteral(" 0 - 10");
    QTest::addRow("second") << 2 << QStringLiteral("11 - 20");
    QTest::addRow("tenth") << 10 << QStringLiteral("91 - 100");
    QTest::addRow("last") << 36 << QStringLiteral("351 - 360");
}

void DataModelsTest::statsRanges()
{
    QFETCH(int, sector);
    QFETCH(QString, text);
    StatsModel model;
    QCOMPARE(StatsModel::rangeText(sector), text);
    QCOMPARE(model.data(model.index(sector - 1, StatsModel::RangeColumn)).toString(), text);
}

void DataModelsTest::statsCountsAndTexts()
{
    StatsModel model;
    QCOMPARE(model.rowCount(), 36);
    QCOMPARE(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Range"));
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Count"));
    QCOMPARE(model.headerData(2, Qt::Horizontal).toString(), QStringLiteral("    Azimuth"));
    std::array<int, 36> counts {};
    std::array<QString, 36> texts;
    counts[1] = 3;
    texts[1] = QStringLiteral("12; 15; 19.2");
    model.setSectors(counts, texts);
    QCOMPARE(model.data(model.index(1, StatsModel::CountColumn)).toString(), QStringLiteral("3"));
    QCOMPARE(model.data(model.index(0, StatsModel::CountColumn)).toString(), QStringLiteral("0"));
    QCOMPARE(model.data(model.index(1, StatsModel::AzimuthColumn)).toString(),
             QStringLiteral("12; 15; 19.2"));
    QCOMPARE(
        model.data(model.index(1, StatsModel::CountColumn), Qt::ForegroundRole).value<QColor>(),
        QColor(128, 0, 0));
    QCOMPARE(
        model.data(model.index(1, StatsModel::RangeColumn), Qt::ForegroundRole).value<QColor>(),
        QColor(0, 0, 128));
    model.clear();
    QCOMPARE(model.data(model.index(1, StatsModel::AzimuthColumn)).toString(), QString());
    QCOMPARE(StatsModel::columnWidth(0) + StatsModel::columnWidth(1) + StatsModel::columnWidth(2),
             530);
}

void DataModelsTest::longListsEndAtAWholeMeasurement()
{
    const QFontMetrics metrics(QFont(QStringLiteral("Verdana"), 7));
    QCOMPARE(elidedList(QStringLiteral("12; 15; 19.2"), metrics, 396),
             QStringLiteral("12; 15; 19.2"));
    QCOMPARE(elidedList(QStringLiteral("123.456789; 2"), metrics, 20), QStringLiteral("\u2026"));
    QStringList many;
    for (int i = 100; i < 2100; ++i)
        many << QString::number(i);
    const QString list = many.join(QStringLiteral("; "));
    // Whole items only, and as many as fit.
    const QString elided = elidedList(list, metrics, 396);
    QVERIFY(metrics.horizontalAdvance(elided) <= 396);
    QVERIFY2(elided.endsWith(QStringLiteral("; \u2026")), qPrintable(elided));
    QVERIFY(list.startsWith(elided.chopped(1)));
    const qsizetype next = list.indexOf(QStringLiteral("; "), elided.size() - 1);
    QVERIFY(metrics.horizontalAdvance(list.left(next) + QStringLiteral("; \u2026")) > 396);
}

void DataModelsTest::listToolTipsShowTheListInLines()
{
    StatsModel model;
    std::array<QString, 36> texts;
    texts[0] = QStringLiteral("5; 7");
    texts[1] = QStringList(2000, QStringLiteral("11.25")).join(QStringLiteral("; "));
    model.setSectors({}, texts);
    const auto tip = [&](int row) {
        return model.data(model.index(row, StatsModel::AzimuthColumn), Qt::ToolTipRole).toString();
    };
    QCOMPARE(tip(0), QStringLiteral("5; 7"));
    QCOMPARE(tip(2), QString());
    // A long list: its first few thousand characters in lines, cut after a whole measurement.
    const QString longTip = tip(1);
    QVERIFY2(longTip.size() > 2000 && longTip.size() < 4000, qPrintable(longTip));
    QVERIFY(longTip.endsWith(QStringLiteral("; \u2026")));
    QVERIFY(texts[1].startsWith(longTip.chopped(3).replace(QLatin1Char('\n'), QLatin1Char(' '))
                                + QStringLiteral("; ")));
    for (const QString &line : longTip.split(QLatin1Char('\n')))
        QVERIFY2(line.size() <= 100, qPrintable(line));
}

void DataModelsTest::elapsedText_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<QString>("text");
    const qint64 hms = ((1 * 60 + 2) * 60 + 5) * 1000;
    QTest::addRow("12-hour locale drops AM/PM and zone") << "en_US" << hms << "1:02:05";
    QTest::addRow("24-hour locale") << "pl_PL" << hms << "01:02:05";
    QTest::addRow("zero") << "C" << qint64(0) << "00:00:00";
    QTest::addRow("wraps at 24 hours") << "C" << (24LL * 3600 * 1000 + 61000) << "00:01:01";
    QTest::addRow("afternoon hours stay 24-hour") << "en_US" << 13LL * 3600 * 1000 << "13:00:00";
}

void DataModelsTest::elapsedText()
{
    QFETCH(QString, locale);
    QFETCH(qint64, msecs);
    QFETCH(QString, text);
    QCOMPARE(elapsedTimeText(msecs, QLocale(locale)), text);
}

QTEST_MAIN(DataModelsTest)
#include "datamodels_test.moc"
