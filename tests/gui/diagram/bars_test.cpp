#include "core/diagram/diagramstyle.h"
#include "gui/diagram/colorswatch.h"
#include "gui/diagram/descriptionbar.h"
#include "gui/diagram/optionsbar.h"
#include "gui/diagram/stylecombobox.h"
#include "gui/document/document.h"
#include "gui/persist/recentfileswidget.h"
#include "gui/shell/mainstatusbar.h"
#include "windowparts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using namespace quorel;
using testhelpers::RedrawSpy;

class BarsTest : public QObject
{
    Q_OBJECT

private slots:
    void colorSwatches_data();
    void colorSwatches();
    void listSelectionByUserRedrawsButRefreshDoesNot();
    void optionDefaultsRestoreGrayLines();
    void typedSizeWaitsForEnter();
    void positionArrowsStepByFiveAndRedrawEachTime();
    void typedPositionIsKeptWithoutEnter();
    void descriptionTextWaitsForEnter();
    void descriptionDefaults();
    void optionSwatchesAndListsStandInOneColumn();
    void fontStyleLettersFollowTheirBoxes();
    void clearButtonDrawsNoArrowOverItsCaption();
    void bannerTextKeepsAMargin();
};

void BarsTest::colorSwatches_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("userConfirms");
    QTest::addColumn<bool>("expectChanged");
    QTest::addColumn<int>("expectedPickerCalls");
    QTest::addRow("left click, confirmed") << int(Qt::LeftButton) << true << true << 1;
    QTest::addRow("left click, cancelled") << int(Qt::LeftButton) << false << false << 1;
    QTest::addRow("right click opens nothing") << int(Qt::RightButton) << true << false << 0;
}

void BarsTest::colorSwatches()
{
    QFETCH(int, button);
    QFETCH(bool, userConfirms);
    QFETCH(bool, expectChanged);
    QFETCH(int, expectedPickerCalls);

    Document document;
    const DiagramStyle &style = document.style();
    OptionsBar bar(document, classicSystemColors());
    int calls = 0;
    bar.setColorPicker([&](const QColor &initial, QWidget *) -> std::optional<QColor> {
        ++calls;
        if (initial != QColor(0xC0, 0xC0, 0xC0))
            return std::nullopt;
        return userConfirms ? std::optional<QColor>(QColor(255, 0, 0)) : std::nullopt;
    });
    RedrawSpy redraws(document);

    // Every option swatch follows the same path; the main-line swatch stands for all.
    QTest::mousePress(bar.mainLinesSwatch(), Qt::MouseButton(button));
    QCOMPARE(calls, expectedPickerCalls);
    QCOMPARE(redraws.count(), 1); // any button redraws
    QCOMPARE(style.mainLineColor == clRed, expectChanged);
    QCOMPARE(bar.mainLinesSwatch()->color(), style.mainLineColor);
}

void BarsTest::listSelectionByUserRedrawsButRefreshDoesNot()
{
    Document document;
    const DiagramStyle &style = document.style();
    OptionsBar bar(document, classicSystemColors());

    document.editStyle([](DiagramStyle &edited) { edited.mainLineStyle = noSelection; }); // file: 9
    RedrawSpy redraws(document);
    bar.refresh();
    QCOMPARE(bar.mainLinesList()->currentIndex(), -1);
    QCOMPARE(redraws.count(), 0);

    emit bar.mainLinesList()->activated(1); // the user picks "Dash"
    QCOMPARE(style.mainLineStyle, 1);
    QCOMPARE(style.mainPen(), PenPattern::Dash);
    QCOMPARE(redraws.count(), 1);
}

void BarsTest::optionDefaultsRestoreGrayLines()
{
    Document document; // first-run values: silver lines
    document.editStyle([](DiagramStyle &style) {
        style.diagramSize = "1000";
        style.fillStyle = 0;
    });
    const DiagramStyle &style = document.style();
    OptionsBar bar(document, classicSystemColors());
    RedrawSpy redraws(document);
    QTest::mouseClick(bar.defaultsButton(), Qt::LeftButton);
    QCOMPARE(style.mainLineColor, clGray);
    QCOMPARE(style.secondaryLineColor, clGray);
    QCOMPARE(style.diagramSize, std::string("460"));
    QCOMPARE(style.fillStyle, 4);
    QCOMPARE(bar.sizeBox()->text(), QStringLiteral("460"));
    QCOMPARE(bar.fillList()->currentIndex(), 4);
    QCOMPARE(bar.mainLinesSwatch()->color(), clGray);
    QCOMPARE(redraws.count(), 1);
}

void BarsTest::typedSizeWaitsForEnter()
{
    Document document;
    const DiagramStyle &style = document.style();
    OptionsBar bar(document, classicSystemColors());
    RedrawSpy redraws(document);
    QSignalSpy entered(&bar, &OptionsBar::sizeEntered);
    bar.sizeBox()->clear();
    QTest::keyClicks(bar.sizeBox(), QStringLiteral("465"));
    QCOMPARE(style.diagramSize, std::string("465"));
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(entered.count(), 0);
    QTest::keyClick(bar.sizeBox(), Qt::Key_Return);
    QCOMPARE(entered.count(), 1);
}

void BarsTest::positionArrowsStepByFiveAndRedrawEachTime()
{
    Document document;
    const DiagramStyle &style = document.style();
    DescriptionBar bar(document, classicSystemColors());
    RedrawSpy redraws(document);
    for (int i = 1; i <= 3; ++i) {
        bar.xBox()->stepUp();
        QCOMPARE(redraws.count(), i);
    }
    QCOMPARE(bar.xBox()->text(), QStringLiteral("15"));
    QCOMPARE(style.descriptionX, std::string("15"));
    QCOMPARE(redraws.count(), 3);
    bar.yBox()->setValue(5000);
    QCOMPARE(style.descriptionY, std::string("4000"));
}

void BarsTest::typedPositionIsKeptWithoutEnter()
{
    // X stands for both position boxes: they are wired alike.
    Document document;
    const DiagramStyle &style = document.style();
    DescriptionBar bar(document, classicSystemColors());
    QSpinBox *box = bar.xBox();
    const std::string &kept = style.descriptionX;
    RedrawSpy redraws(document);
    box->selectAll();
    QTest::keyClicks(box, QStringLiteral("35"));
    // The write-back on close takes what the box shows; the picture waits for Enter.
    QCOMPARE(kept, std::string("35"));
    QCOMPARE(redraws.count(), 0);
    QTest::keyClick(box, Qt::Key_Return);
    QCOMPARE(kept, std::string("35"));
    QVERIFY(redraws.count() >= 1);
    // An emptied box shows its number again when left; the style follows it.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QCOMPARE(kept, std::string());
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(box, &leave);
    QCOMPARE(box->text(), QStringLiteral("35"));
    QCOMPARE(kept, std::string("35"));
}

void BarsTest::descriptionTextWaitsForEnter()
{
    Document document;
    const DiagramStyle &style = document.style();
    DescriptionBar bar(document, classicSystemColors());
    RedrawSpy redraws(document);
    QTest::keyClicks(bar.textBox(), QStringLiteral("Joints, wall N"));
    QCOMPARE(style.descriptionText, std::string("Joints, wall N"));
    QCOMPARE(redraws.count(), 0);
    QTest::keyClick(bar.textBox(), Qt::Key_Return);
    QCOMPARE(redraws.count(), 1);

    bar.boldBox()->click();
    QVERIFY(style.descriptionBold);
    QCOMPARE(redraws.count(), 2);
}

void BarsTest::descriptionDefaults()
{
    Document document;
    document.editStyle([](DiagramStyle &style) {
        style.descriptionText = "old";
        style.descriptionX = "35";
        style.descriptionFontSize = "14";
        style.descriptionColor = clRed;
        style.descriptionItalic = true;
    });
    const DiagramStyle &style = document.style();
    DescriptionBar bar(document, classicSystemColors());
    QCOMPARE(bar.xBox()->value(), 35);
    QCOMPARE(bar.sizeBox()->currentText(), QStringLiteral("14"));
    QTest::mouseClick(bar.defaultsButton(), Qt::LeftButton);
    QCOMPARE(style.descriptionText, std::string());
    QCOMPARE(style.descriptionX, std::string("0"));
    QCOMPARE(style.descriptionFontSize, std::string("10"));
    QCOMPARE(style.descriptionColor, clWindowText);
    QVERIFY(!style.descriptionItalic);
    QCOMPARE(bar.textBox()->text(), QString());
    QCOMPARE(bar.sizeBox()->currentText(), QStringLiteral("10"));
}

void BarsTest::optionSwatchesAndListsStandInOneColumn()
{
    Document document;
    OptionsBar bar(document, classicSystemColors());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const int column = bar.mainLinesSwatch()->x();
    const QList<QWidget *> controls {bar.secondaryLinesSwatch(),
                                     bar.fillSwatch(),
                                     bar.backgroundSwatch(),
                                     bar.labelSwatch(),
                                     bar.mainLinesList(),
                                     bar.secondaryLinesList(),
                                     bar.fillList()};
    for (QWidget *control : controls)
        QCOMPARE(control->x(), column);
}

void BarsTest::fontStyleLettersFollowTheirBoxes()
{
    Document document;
    DescriptionBar bar(document, classicSystemColors());
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    // A check box draws its text after its box; each letter shows its own style.
    const QFont bold = bar.boldBox()->font(), italic = bar.italicBox()->font();
    QCOMPARE(bar.boldBox()->text() + bar.italicBox()->text() + bar.underlineBox()->text(),
             QStringLiteral("BIU"));
    QVERIFY(bold.bold() && italic.italic() && bar.underlineBox()->font().underline());
    QVERIFY(bar.italicBox()->x() - bar.boldBox()->geometry().right() >= 6);
    QVERIFY(bar.underlineBox()->x() - bar.italicBox()->geometry().right() >= 6);
}

void BarsTest::clearButtonDrawsNoArrowOverItsCaption()
{
    RecentFilesWidget recent;
    recent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&recent));
    QToolButton *clear = recent.clearButton();
    // Drawn exactly as a button with the same caption and no menu.
    QToolButton plain(&recent);
    plain.setText(clear->text());
    plain.setGeometry(clear->geometry().translated(0, clear->height()));
    QCOMPARE(clear->grab().toImage(), plain.grab().toImage());
}

void BarsTest::bannerTextKeepsAMargin()
{
    MainStatusBar bar;
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    auto *banner = bar.findChild<QWidget *>(QStringLiteral("banner"));
    QVERIFY(banner);
    const QImage image = banner->grab().toImage();
    int top = image.height();
    int bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (QColor(image.pixel(x, y)).red() > 100) {
                top = std::min(top, y);
                bottom = y;
            }
        }
    }
    // The text stands in the middle with room above it, not against the top edge.
    const int above = top;
    const int below = image.height() - 1 - bottom;
    QVERIFY2(above >= 3 && std::abs(above - below) <= 1,
             qPrintable(QStringLiteral("%1 rows above the text, %2 below").arg(above).arg(below)));
}

QTEST_MAIN(BarsTest)
#include "bars_test.moc"
