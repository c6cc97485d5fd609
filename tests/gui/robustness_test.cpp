#include "core/diagram/color.h"
#include "gui/data/errorswindow.h"
#include "gui/data/progresswindow.h"
#include "gui/diagram/previewwindow.h"
#include "gui/shell/mainwindow.h"
#include "gui/tools/aboutbox.h"
#include "gui/tools/converterwindow.h"
#include "gui/tools/toolcommands.h"

#include <QtTest>

using namespace quorel;

// Every window and dialog opened and closed many times: under the sanitizer build a leak or a
// use after free shows up here.
class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void secondaryWindowsOpenAndClose();
    void mainWindowsComeAndGo();
};

namespace {

constexpr int rounds = 100;

} // namespace

void RobustnessTest::secondaryWindowsOpenAndClose()
{
    MainWindow window;
    window.show();
    for (int i = 0; i < rounds; ++i) {
        window.errorsWindow()->show();
        window.errorsWindow()->close();
        window.toolCommands()->converter()->show();
        window.toolCommands()->converter()->close();
        window.toolCommands()->about()->show();
        window.toolCommands()->about()->close();
        window.progressWindow()->begin(10, &window);
        window.progressWindow()->end();

        PreviewHost host;
        host.picture = [&window] {
            return Picture(40, 40);
        };
        host.colors = [] {
            return classicSystemColors();
        };
        PreviewWindow preview(host, &window);
        preview.show();
        preview.close();
    }
    QVERIFY(window.isVisible());
    QVERIFY(!window.errorsWindow()->isVisible());
}

void RobustnessTest::mainWindowsComeAndGo()
{
    ProgressWindow progress;
    for (int i = 0; i < rounds; ++i) {
        MainWindow window(&progress);
        window.show();
        window.Rysuj();
        QVERIFY(window.close());
    }
}

QTEST_MAIN(RobustnessTest)
#include "robustness_test.moc"
