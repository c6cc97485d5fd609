// Timing probe for the GUI program, preloaded into it by bench/run (LD_PRELOAD). It changes
// nothing in the program: it registers a start-up routine that Qt runs inside the
// application's constructor, watches paint events from there and, when the figures are in,
// writes them as JSON and ends the process at once (so no settings or data files are written).
//
//   QUOREL_PROBE_T0       launch time, CLOCK_MONOTONIC nanoseconds, set just before exec
//   QUOREL_PROBE_OUT      where the JSON goes
//   QUOREL_PROBE_ACTIONS  "" = stop after the first painted diagram; "redraw" = then time
//                         style changes and repaints of the diagram; "marks" = the same with
//                         the significance band and the mean direction shown and a petal
//                         selected (linked to the table); "abort" = press the
//                         progress window's Abort 300 ms after the launch; "responsive" =
//                         then drop the file QUOREL_PROBE_READ onto the window and, while it
//                         is read, resize the window and time the GUI thread's timer ticks;
//                         "stereonet" = the same, then three seconds of it with the file
//                         loaded, then, with contours on, show the Stereonet page and time the
//                         ticks until its figures are in, and two seconds more
//
// Times are taken at the end of a paint: the probe delivers the paint event itself (through
// the widget's own filters) and reads the clock when it returns.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDropEvent>
#include <QFile>
#include <QItemSelectionModel>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

qint64 monotonicNs()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

double msSince(qint64 start)
{
    return double(monotonicNs() - start) / 1e6;
}

enum class Target { None, Diagram, Table };

// The diagram page's scroll box is "diagramView", the measurement table "measurementTable"; both
// paint in their viewport.
Target targetOf(const QObject *object)
{
    if (!object->isWidgetType() || object->objectName() != QLatin1String("qt_scrollarea_viewport"))
        return Target::None;
    const QObject *parent = object->parent();
    if (!parent)
        return Target::None;
    if (parent->objectName() == QLatin1String("diagramView"))
        return Target::Diagram;
    if (parent->objectName() == QLatin1String("measurementTable"))
        return Target::Table;
    return Target::None;
}

// The first widget of type T with the class name and object name given (either may be empty),
// and a parent named `parentName` when one is given.
template<class T>
T *findWidget(const char *className, const QString &name = QString(),
              const QString &parentName = QString())
{
    for (QWidget *top : QApplication::topLevelWidgets()) {
        for (T *widget : top->findChildren<T *>(name)) {
            if (className && QLatin1String(widget->metaObject()->className()) != className)
                continue;
            if (!parentName.isEmpty()
                && (!widget->parent() || widget->parent()->objectName() != parentName))
                continue;
            return widget;
        }
    }
    return nullptr;
}

class Probe : public QObject
{
public:
    Probe()
    {
        bool ok = false;
        m_t0 = qEnvironmentVariable("QUOREL_PROBE_T0").toLongLong(&ok);
        if (!ok)
            m_t0 = monotonicNs();
        const QString actions = qEnvironmentVariable("QUOREL_PROBE_ACTIONS");
        m_marks = actions == QLatin1String("marks");
        m_redraw = m_marks || actions == QLatin1String("redraw");
        m_abort = actions == QLatin1String("abort");
        m_stereonet = actions == QLatin1String("stereonet");
        m_responsive = m_stereonet || actions == QLatin1String("responsive");
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (m_abort && !m_abortPoll.isActive() && m_abortStart == 0)
            startAbortPoll();
        if (event->type() != QEvent::Paint || m_delivering)
            return false;
        const Target target = targetOf(watched);
        if (target == Target::None)
            return false;
        m_delivering = true;
        QCoreApplication::sendEvent(watched, event);
        m_delivering = false;
        m_lastParent = watched->parent();
        painted(target);
        return true;
    }

private:
    void painted(Target target)
    {
        if (target == Target::Table) {
            if (!m_result.contains(QLatin1String("first_table_paint_ms")))
                m_result[QLatin1String("first_table_paint_ms")] = msSince(m_t0);
            return;
        }
        if (!m_result.contains(QLatin1String("first_diagram_paint_ms"))) {
            m_result[QLatin1String("first_diagram_paint_ms")] = msSince(m_t0);
            if (m_abortStart != 0)
                m_result[QLatin1String("abort_to_paint_ms")] = msSince(m_abortStart);
            if (auto *table =
                    findWidget<QAbstractItemView>(nullptr, QStringLiteral("measurementTable")))
                m_result[QLatin1String("table_rows")] = table->model()->rowCount();
            // The scrollable width shows which diagram size the window holds, the viewport
            // how much of it is painted.
            if (auto *box = qobject_cast<QAbstractScrollArea *>(m_lastParent)) {
                const QWidget *viewport = box->viewport();
                m_result[QLatin1String("diagram_scroll_width")] =
                    box->horizontalScrollBar()->maximum() + viewport->width();
                m_result[QLatin1String("diagram_viewport")] =
                    QStringLiteral("%1x%2").arg(viewport->width()).arg(viewport->height());
            }
            // Let the rest of this repaint (the table beside the diagram) finish first.
            QTimer::singleShot(0, this, [this] {
                if (m_responsive)
                    startReadWhileResizing();
                else if (m_redraw)
                    startRedraws();
                else
                    finish();
            });
            return;
        }
        if (m_stepStart != 0) {
            const double elapsed = msSince(m_stepStart);
            m_stepStart = 0;
            m_timeout.stop();
            record(elapsed);
            QTimer::singleShot(30, this, [this] { nextStep(); });
        }
    }

    // While a file is read, the progress window's Abort is pressed once the read has run for
    // 300 ms; the time from the press to the painted diagram shows how soon a read stops.
    void startAbortPoll()
    {
        connect(&m_abortPoll, &QTimer::timeout, this, [this] {
            if (msSince(m_t0) < 300)
                return;
            for (QWidget *top : QApplication::topLevelWidgets()) {
                if (!top->isVisible())
                    continue;
                for (QPushButton *button : top->findChildren<QPushButton *>()) {
                    if (button->text() == QLatin1String("&Abort") && button->isVisible()) {
                        m_abortPoll.stop();
                        m_result[QLatin1String("abort_press_ms")] = msSince(m_t0);
                        m_abortStart = monotonicNs();
                        button->click();
                        return;
                    }
                }
            }
        });
        m_abortPoll.start(10);
    }

    // A file dropped onto the window is read while a timer on the GUI thread ticks every 5 ms and
    // the window changes its size every 50 ms (a layout and a repaint of the whole window). The
    // longest gap between two ticks is the longest time the window could not handle its events:
    // the longest frame it could not paint, moving, resizing or showing progress. The read has
    // ended when the measurement table holds the file's rows again.
    void startReadWhileResizing()
    {
        QMainWindow *window = nullptr;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (auto *main = qobject_cast<QMainWindow *>(top); main && main->isVisible())
                window = main;
        }
        auto *table = findWidget<QAbstractItemView>(nullptr, QStringLiteral("measurementTable"));
        if (!window || !table) {
            m_result[QLatin1String("error")] = QStringLiteral("no window to drop the file on");
            finish();
            return;
        }
        window->resize(1000, 650);
        connect(&m_ticker, &QTimer::timeout, this, [this, window, table] {
            const qint64 now = monotonicNs();
            const double gap = double(now - m_lastTick) / 1e6;
            m_lastTick = now;
            m_longestGap = std::max(m_longestGap, gap);
            m_gapsOver50 += gap > 50 ? 1 : 0;
            ++m_ticks;
            if (now - m_lastResize > 50'000'000) {
                m_lastResize = now;
                m_wide = !m_wide;
                window->resize(m_wide ? 1040 : 1000, 650);
            }
            if (table->isVisible() && table->model()->rowCount() > 1)
                finishRead();
        });
        m_readStart = m_lastTick = m_lastResize = monotonicNs();
        m_ticker.start(5);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(qEnvironmentVariable("QUOREL_PROBE_READ"))});
        const QPoint at(window->width() / 2, window->height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &enter);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(window, &drop);
    }

    void finishRead()
    {
        m_ticker.stop();
        m_result[QLatin1String("read_ms")] = msSince(m_readStart);
        m_result[QLatin1String("longest_gap_ms")] = m_longestGap;
        m_result[QLatin1String("gaps_over_50_ms")] = m_gapsOver50;
        m_result[QLatin1String("ticks")] = m_ticks;
        if (m_stereonet)
            QTimer::singleShot(0, this, [this] { startStereonet(); });
        else
            finish();
    }

    // With the file read, the window first ticks and changes its size for three seconds on the
    // Graph page (what the loaded window costs alone), then the Stereonet page is shown with its
    // contours on: its dips, figures and density are worked out while the timer ticks and the
    // window changes its size as above. The page is done when it shows its figures and no
    // longer says it works.
    void startStereonet()
    {
        auto *pages = findWidget<QTabWidget>(nullptr, QStringLiteral("pages"));
        auto *contours = findWidget<QAbstractButton>(nullptr, QStringLiteral("contoursBox"));
        auto *status = findWidget<QWidget>(nullptr, QStringLiteral("stereonetStatus"));
        auto *figures = findWidget<QLabel>(nullptr, QStringLiteral("stereonetFigures"));
        if (!pages || !contours || !status || !figures || pages->count() < 3) {
            m_result[QLatin1String("error")] = QStringLiteral("no Stereonet page");
            finish();
            return;
        }
        QWidget *window = pages->window();
        if (!contours->isChecked())
            contours->click();
        m_longestGap = 0;
        m_gapsOver50 = 0;
        m_ticks = 0;
        disconnect(&m_ticker, nullptr, this, nullptr);
        connect(&m_ticker, &QTimer::timeout, this, [this, window, pages, status, figures] {
            const qint64 now = monotonicNs();
            const double gap = double(now - m_lastTick) / 1e6;
            m_lastTick = now;
            m_longestGap = std::max(m_longestGap, gap);
            m_gapsOver50 += gap > 50 ? 1 : 0;
            ++m_ticks;
            if (now - m_lastResize > 50'000'000) {
                m_lastResize = now;
                m_wide = !m_wide;
                window->resize(m_wide ? 1040 : 1000, 650);
            }
            if (pages->currentIndex() != 2) {
                if (now - m_readStart < 3'000'000'000)
                    return;
                m_result[QLatin1String("loaded_longest_gap_ms")] = m_longestGap;
                m_result[QLatin1String("loaded_gaps_over_50_ms")] = m_gapsOver50;
                m_result[QLatin1String("loaded_ticks")] = m_ticks;
                m_longestGap = 0;
                m_gapsOver50 = 0;
                m_ticks = 0;
                m_readStart = now;
                pages->setCurrentIndex(2);
                return;
            }
            if (m_figuresIn == 0 && status->isHidden() && !figures->text().isEmpty()) {
                m_figuresIn = now;
                m_result[QLatin1String("stereonet_ms")] = msSince(m_readStart);
            }
            // Two seconds more: the contours are drawn and played after the figures are in.
            if (m_figuresIn != 0 && now - m_figuresIn > 2'000'000'000) {
                m_ticker.stop();
                m_result[QLatin1String("stereonet_longest_gap_ms")] = m_longestGap;
                m_result[QLatin1String("stereonet_gaps_over_50_ms")] = m_gapsOver50;
                m_result[QLatin1String("stereonet_ticks")] = m_ticks;
                finish();
            }
        });
        m_readStart = m_lastTick = m_lastResize = monotonicNs();
        m_ticker.start(5);
    }

    // Seven style changes through the options bar's first style list (when the window has
    // the bar), then seven plain repaints of the diagram, in a window of 1240 x 760: the first is
    // the user's redraw, the second its painting share. The diagram's size comes from the file's
    // DiagWidth line.
    void startRedraws()
    {
        if (m_marks) {
            for (const char *name : {"bandBox", "meanDirectionBox"}) {
                auto *box = findWidget<QAbstractButton>(nullptr, QString::fromLatin1(name));
                if (!box) {
                    m_result[QLatin1String("error")] = QStringLiteral("no %1").arg(name);
                    finish();
                    return;
                }
                if (!box->isChecked())
                    box->click();
            }
            // A click on the largest petal, as the diagram reports it: the table selects its
            // measurements and the diagram outlines the petal.
            QWidget *view = findWidget<QWidget>(nullptr, QStringLiteral("diagramView"));
            if (!view
                || !QMetaObject::invokeMethod(view, "petalClicked", Qt::DirectConnection,
                                              Q_ARG(int, 10), Q_ARG(bool, false))) {
                m_result[QLatin1String("error")] = QStringLiteral("no petal to click");
                finish();
                return;
            }
            // The statistics table selects the petal's row (the measurement table marks its
            // rows as it paints them).
            if (auto *table = findWidget<QAbstractItemView>(nullptr, QStringLiteral("statsTable")))
                m_result[QLatin1String("selected_sector_rows")] =
                    static_cast<int>(table->selectionModel()->selectedRows().size());
        }
        m_timeout.setSingleShot(true);
        connect(&m_timeout, &QTimer::timeout, this, [this] {
            m_result[QLatin1String("error")] = QStringLiteral("no repaint after a change");
            finish();
        });
        QComboBox *styleList = findWidget<QComboBox>("quorel::StyleComboBox");
        if (styleList && styleList->count() >= 2) {
            for (int i = 0; i < 7; ++i) {
                m_steps.push_back({QStringLiteral("redraw_ms"), [styleList] {
                                       const int index = styleList->currentIndex() == 0 ? 1 : 0;
                                       styleList->setCurrentIndex(index);
                                       emit styleList->activated(index);
                                   }});
            }
        }
        QWidget *viewport = findWidget<QWidget>(nullptr, QStringLiteral("qt_scrollarea_viewport"),
                                                QStringLiteral("diagramView"));
        if (viewport) {
            for (int i = 0; i < 7; ++i)
                m_steps.push_back({QStringLiteral("repaint_ms"), [viewport] {
                                       viewport->update();
                                   }});
            // A window large enough to show a 460-pixel diagram whole, so a redraw paints all
            // of it; the window settles before the first change.
            viewport->window()->resize(1240, 760);
            QTimer::singleShot(300, this, [this, viewport] {
                m_result[QLatin1String("redraw_viewport")] =
                    QStringLiteral("%1x%2").arg(viewport->width()).arg(viewport->height());
                nextStep();
            });
            return;
        }
        nextStep();
    }

    void nextStep()
    {
        if (m_step >= m_steps.size()) {
            finish();
            return;
        }
        const Step &step = m_steps[m_step++];
        m_kind = step.kind;
        m_timeout.start(5000);
        m_stepStart = monotonicNs();
        step.action();
    }

    void record(double elapsed)
    {
        QJsonArray values = m_result.value(m_kind).toArray();
        values.append(elapsed);
        m_result[m_kind] = values;
    }

    void finish()
    {
        QFile out(qEnvironmentVariable("QUOREL_PROBE_OUT"));
        if (out.open(QIODevice::WriteOnly))
            out.write(QJsonDocument(m_result).toJson(QJsonDocument::Compact));
        out.close();
        std::fflush(nullptr);
        ::_exit(0);
    }

    qint64 m_t0 = 0;
    QObject *m_lastParent = nullptr;
    bool m_redraw = false;
    bool m_marks = false;
    bool m_abort = false;
    bool m_responsive = false;
    bool m_stereonet = false;
    QTimer m_ticker;
    qint64 m_readStart = 0;
    qint64 m_lastTick = 0;
    qint64 m_lastResize = 0;
    bool m_wide = false;
    double m_longestGap = 0;
    int m_gapsOver50 = 0;
    qint64 m_figuresIn = 0; // when the Stereonet page showed its figures
    int m_ticks = 0;
    QTimer m_abortPoll;
    qint64 m_abortStart = 0;
    bool m_delivering = false;
    QJsonObject m_result;
    struct Step
    {
        QString kind;
        std::function<void()> action;
    };
    std::vector<Step> m_steps;
    std::size_t m_step = 0;
    qint64 m_stepStart = 0;
    QTimer m_timeout;
    QString m_kind;
};

void installProbe()
{
    if (qEnvironmentVariableIsEmpty("QUOREL_PROBE_OUT"))
        return;
    auto *probe = new Probe;
    probe->moveToThread(QCoreApplication::instance()->thread());
    QCoreApplication::instance()->installEventFilter(probe);
}

// Runs when the preloaded library is loaded, before main(): Qt calls the routine from the
// application's constructor.
[[maybe_unused]] const bool registered = [] {
    qAddPreRoutine(installProbe);
    return true;
}();

} // namespace
