#include "gui/tools/converterwindow.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTest>

using quorel::ConversionDirection;
using quorel::ConverterWindow;

Q_DECLARE_METATYPE(ConversionDirection)

class ToolsConverterTest : public QObject
{
    Q_OBJECT

private slots:
    void startsLikeTheFirstTime();
    void converts_data();
    void converts();
    void badPlacesFallBackToTwo_data();
    void badPlacesFallBackToTwo();
    void emptyInputOnlyEmptiesOutput();
    void abortInFirstPassLeavesNothing();
    void abortInSecondPassKeepsWhatWasAdded();
    void longTextConvertsAndStaysResponsive();
    void escapeCloses();
    void enterDoesNotBreakOutputLines();
    void resultLabelFollowsSplitter();
};

void ToolsConverterTest::startsLikeTheFirstTime()
{
    ConverterWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Measurement Converter"));
    QCOMPARE(window.size(), QSize(532, 370));
    QCOMPARE(window.direction(), ConversionDirection::DegToGrad);
    QCOMPARE(window.placesText(), QStringLiteral("2"));
    QVERIFY(window.inputText().isEmpty());
    QVERIFY(window.outputText().isEmpty());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.optionsPanel()->isVisible());
    QVERIFY(!window.progressPanel()->isVisible());
    QCOMPARE(window.minimumSize(), QSize(532, 370));
    QCOMPARE(window.size(), QSize(532, 370)); // everything fits the window's own size
    QStringList captions;
    for (auto *radio : window.findChildren<QRadioButton *>())
        captions << radio->text();
    QCOMPARE(captions,
             QStringList({"Deg --> Grad", "Deg --> Rad", "Grad --> Deg", "Grad --> Rad",
                          "Rad --> Deg", "Rad --> Grad"}));
    QCOMPARE(window.convertButton()->text(), QStringLiteral("&Convert"));
    QCOMPARE(window.convertButton()->size(), QSize(73, 51));

    // A picture of the window for people to look at, when asked for.
    const QString shots = qEnvironmentVariable("QUOREL_SCREENSHOT_DIR");
    if (!shots.isEmpty()) {
        window.setDecimalSeparator('.');
        window.setInputText(QStringLiteral("100;45 remark\n250\t12\n-30\n"));
        window.setDirection(ConversionDirection::GradToDeg);
        window.convert();
        QVERIFY(window.grab().save(QDir(shots).filePath(QStringLiteral("converter.png"))));
    }
}

void ToolsConverterTest::converts_data()
{
    QTest::addColumn<ConversionDirection>("direction");
    QTest::addColumn<QString>("places");
    QTest::addColumn<char>("separator");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::addRow("deg to grad, comma") << ConversionDirection::DegToGrad << "2" << ',' << "90;45"
                                        << "100,00;50,00";
    QTest::addRow("deg to grad, point") << ConversionDirection::DegToGrad << "2" << '.' << "90;45"
                                        << "100.00;50.00";
    QTest::addRow("rad to deg, four places")
        << ConversionDirection::RadToDeg << "4" << '.' << "3.14159265\n1,5\n1.5"
        << "180.0000\n85.9437\n85.9437";
    QTest::addRow("minus sign copied") << ConversionDirection::DegToGrad << "2" << '.' << "-30"
                                       << "-33.33";
    QTest::addRow("lone comma copied, bad token zero")
        << ConversionDirection::DegToRad << "1" << '.' << "a, b 1.2.3"
        << "a, b 0.0";
    QTest::addRow("exponent belongs to the number")
        << ConversionDirection::RadToDeg << "0" << '.' << "1e5"
        << "5729578";
    QTest::addRow("zero places whole numbers")
        << ConversionDirection::GradToDeg << "0" << ',' << "100"
        << "90";
    QTest::addRow("empty lines kept")
        << ConversionDirection::GradToRad << "3" << '.' << "200\n\n400"
        << "3.142\n\n6.283";
    QTest::addRow("polish remark kept") << ConversionDirection::GradToDeg << "1" << '.'
                                        << QString::fromUtf8("100 \xc5\xbc\xc3\xb3\xc5\x82w")
                                        << QString::fromUtf8("90.0 \xc5\xbc\xc3\xb3\xc5\x82w");
}

void ToolsConverterTest::converts()
{
    QFETCH(ConversionDirection, direction);
    QFETCH(QString, places);
    QFETCH(char, separator);
    QFETCH(QString, input);
    QFETCH(QString, output);

    ConverterWindow window;
    window.setDecimalSeparator(separator);
    window.setDirection(direction);
    window.setPlacesText(places);
    window.setInputText(input);
    QTest::mouseClick(window.convertButton(), Qt::LeftButton);
    QCOMPARE(window.outputText(), output);
    QCOMPARE(window.inputText(), input);
    QVERIFY(!window.isConverting());
}

void ToolsConverterTest::badPlacesFallBackToTwo_data()
{
    QTest::addColumn<QString>("places");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("output");
    QTest::addRow("empty") << ""
                           << "2"
                           << "10.00";
    QTest::addRow("letters") << "abc"
                             << "2"
                             << "10.00";
    QTest::addRow("above range") << "25"
                                 << "20"
                                 << "10.00000000000000000000";
    QTest::addRow("negative") << "-1"
                              << "0"
                              << "10";
}

void ToolsConverterTest::badPlacesFallBackToTwo()
{
    QFETCH(QString, places);
    QFETCH(QString, shown);
    QFETCH(QString, output);
    ConverterWindow window;
    window.setDecimalSeparator('.');
    window.setInputText(QStringLiteral("9"));
    window.setPlacesText(places);
    window.convert();
    QCOMPARE(window.placesText(), shown);
    QCOMPARE(window.outputText(), output);
}

void ToolsConverterTest::emptyInputOnlyEmptiesOutput()
{
    ConverterWindow window;
    window.setInputText(QStringLiteral("90"));
    window.convert();
    QVERIFY(!window.outputText().isEmpty());
    window.setInputText(QString());
    window.convert();
    QVERIFY(window.outputText().isEmpty());
}

void ToolsConverterTest::abortInFirstPassLeavesNothing()
{
    ConverterWindow window;
    window.show();
    QString text;
    for (int i = 0; i < 20000; ++i)
        text += QStringLiteral("90;45\n");
    window.setInputText(text);
    bool sawProgressPanel = false;
    connect(&window, &ConverterWindow::progressed, &window, [&](int pass, qint64) {
        if (pass == 1) {
            sawProgressPanel =
                window.progressPanel()->isVisible() && !window.optionsPanel()->isVisible();
            QTest::mouseClick(window.abortButton(), Qt::LeftButton);
        }
    });
    window.convert();
    QVERIFY(sawProgressPanel);
    QVERIFY(window.outputText().isEmpty());
    QVERIFY(window.optionsPanel()->isVisible());
    QVERIFY(!window.progressPanel()->isVisible());
    QVERIFY(!window.isConverting());

    // The next conversion runs normally again.
    disconnect(&window, &ConverterWindow::progressed, nullptr, nullptr);
    window.setInputText(QStringLiteral("90"));
    window.convert();
    QCOMPARE(window.outputText(), QStringLiteral("100,00").replace(',', window.decimalSeparator()));
}

void ToolsConverterTest::abortInSecondPassKeepsWhatWasAdded()
{
    ConverterWindow window;
    window.setDecimalSeparator('.');
    QString text;
    for (int i = 0; i < 10000; ++i)
        text += QStringLiteral("90\n");
    window.setInputText(text);
    connect(&window, &ConverterWindow::progressed, &window, [&](int pass, qint64) {
        if (pass == 2)
            window.abort();
    });
    window.convert();
    const QStringList lines = window.outputText().split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 0);
    QVERIFY(lines.size() < 10000);
    QCOMPARE(lines.first(), QStringLiteral("100.00"));
    QVERIFY(window.optionsPanel()->isVisibleTo(&window));
}

void ToolsConverterTest::longTextConvertsAndStaysResponsive()
{
    ConverterWindow window;
    window.setDecimalSeparator('.');
    window.setDirection(ConversionDirection::GradToDeg);
    window.setPlacesText(QStringLiteral("1"));
    const int lineCount = qEnvironmentVariableIntValue("QUOREL_CONVERTER_LINES") > 0
        ? qEnvironmentVariableIntValue("QUOREL_CONVERTER_LINES")
        : 100000;
    QString text;
    text.reserve(lineCount * 7);
    for (int i = 0; i < lineCount; ++i)
        text += QStringLiteral("100;50\n");
    window.setInputText(text);
    int breaths = 0;
    connect(&window, &ConverterWindow::progressed, &window, [&] { ++breaths; });
    window.convert();
    QVERIFY(breaths > 2);
    const QString output = window.outputText();
    QCOMPARE(output.count(QLatin1Char('\n')), lineCount - 1);
    QVERIFY(output.startsWith(QStringLiteral("90.0;45.0\n90.0;45.0")));
}

void ToolsConverterTest::escapeCloses()
{
    QWidget owner;
    ConverterWindow window(&owner);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTest::keyClick(&window, Qt::Key_Escape);
    QVERIFY(!window.isVisible());
}

void ToolsConverterTest::enterDoesNotBreakOutputLines()
{
    ConverterWindow window;
    window.setInputText(QStringLiteral("90"));
    window.convert();
    const QString before = window.outputText();
    window.show();
    window.outputBox()->setFocus();
    QTest::keyClick(window.outputBox(), Qt::Key_Return);
    QCOMPARE(window.outputText(), before);
    QVERIFY(window.isVisible());
}

void ToolsConverterTest::resultLabelFollowsSplitter()
{
    ConverterWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.splitter()->setSizes({120, 400});
    emit window.splitter()->splitterMoved(120, 1);
    const int outputLeft = window.outputBox()->mapTo(&window, QPoint(0, 0)).x();
    QCOMPARE(window.resultLabel()->x(), outputLeft);
    QVERIFY(window.inputBox()->minimumWidth() >= 50);
}

QTEST_MAIN(ToolsConverterTest)
#include "converter_test.moc"
