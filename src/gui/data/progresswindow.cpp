#include "gui/data/progresswindow.h"

#include "gui/data/elapsedtime.h"
#include "gui/data/tablestyle.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QRegion>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <limits>

namespace quorel {

namespace {
constexpr int cornerSize = 10;
constexpr int clientWidth = 310;
constexpr int clientHeight = 85;

// The bar counts in ints; a file with more lines than that is shown to scale.
qint64 barScale(qint64 lineCount)
{
    const qint64 limit = std::numeric_limits<int>::max();
    return lineCount > limit ? lineCount / limit + 1 : 1;
}
} // namespace

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_lineLabel(new QLabel(this))
    , m_timeLabel(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_abortButton(new QPushButton(tr("&Abort"), this))
{
    setWindowTitle(tr("Progress..."));
    setFixedSize(clientWidth, clientHeight);
    setFont(tablestyle::windowFont());

    auto *caption = new QLabel(tr("Analyzing..."), this);
    caption->move(16, 8);
    m_lineLabel->setGeometry(120, 8, 180, 14);
    QPalette navy = m_lineLabel->palette();
    navy.setColor(QPalette::WindowText, tablestyle::navy());
    m_lineLabel->setPalette(navy);
    m_bar->setGeometry(7, 24, 297, 13);
    m_bar->setTextVisible(false);
    m_timeLabel->setGeometry(16, 48, 90, 14);
    m_abortButton->setGeometry(118, 52, 73, 25);
    m_abortButton->setFlat(true);
    m_abortButton->setStyleSheet(QStringLiteral("QPushButton { border: 1px solid black; }"));
    connect(m_abortButton, &QPushButton::clicked, this, &ProgressWindow::abort);

    // Escape aborts wherever the keyboard is in the program while the window is shown: a window
    // manager may keep the keyboard on the main window when this one appears.
    auto *escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::ApplicationShortcut);
    connect(escape, &QAction::triggered, this, &ProgressWindow::abort);
    addAction(escape);

    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this, &ProgressWindow::updateTime);
}

void ProgressWindow::begin(qint64 lineCount, const QWidget *over)
{
    m_lineCount = lineCount;
    const qint64 scale = barScale(lineCount);
    m_bar->setRange(0, int(lineCount / scale));
    m_bar->setValue(0);
    // Centred on the main window, or on the screen while the main window is not shown yet
    // (a file named on the command line is read before it is).
    QRect frame;
    if (over)
        frame = over->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        frame = screen->availableGeometry();
    if (frame.isValid())
        move(frame.center() - QPoint(width() / 2, height() / 2));
    // Each read counts its own time from zero, shown at once rather than after the first tick.
    m_timeLabel->setText(elapsedTimeText(0, QLocale::system()));
    m_elapsed.start();
    m_clock.start();
    m_keyboardOwner = QApplication::activeWindow();
    show();
    if (QWindow *window = windowHandle(); window && !m_watchingWindow) {
        window->installEventFilter(this);
        m_watchingWindow = true;
    }
    raise();
    activateWindow();
}

void ProgressWindow::setLine(qint64 line, qint64 lineCount)
{
    m_lineLabel->setText(tr("Line %1 / %2").arg(line).arg(lineCount));
    m_bar->setValue(int(line / barScale(lineCount)));
    emit lineShown(line);
}

void ProgressWindow::setProgress(ReadProgress::Phase phase, qint64 line, qint64 lineCount,
                                 const QWidget *over)
{
    if (isHidden()) {
        clearCancel();
        begin(lineCount, over);
    }
    switch (phase) {
    case ReadProgress::Phase::Waiting:
    case ReadProgress::Phase::Counting:
        // The number of lines is not known yet: a bar without a range moves to and fro.
        m_lineLabel->setText(phase == ReadProgress::Phase::Waiting ? tr("Saving the last file...")
                                                                   : tr("Counting lines..."));
        m_bar->setRange(0, 0);
        break;
    case ReadProgress::Phase::Reading:
    case ReadProgress::Phase::Done:
        if (lineCount != m_lineCount || m_bar->maximum() == 0) {
            m_lineCount = lineCount;
            m_bar->setRange(0, int(lineCount / barScale(lineCount)));
        }
        setLine(line, lineCount);
        break;
    }
}

void ProgressWindow::end()
{
    m_clock.stop();
    hideAndReturnKeyboard();
}

void ProgressWindow::abort()
{
    m_cancelled = true;
    m_clock.stop();
    hideAndReturnKeyboard();
    emit aborted();
}

void ProgressWindow::hideAndReturnKeyboard()
{
    const bool hadKeyboard = isActiveWindow();
    hide();
    // The window that had the keyboard before the read gets it back, so its shortcuts work
    // without a click.
    if (hadKeyboard && m_keyboardOwner && m_keyboardOwner->isVisible())
        m_keyboardOwner->activateWindow();
    m_keyboardOwner = nullptr;
}

QString ProgressWindow::lineText() const
{
    return m_lineLabel->text();
}

QString ProgressWindow::timeText() const
{
    return m_timeLabel->text();
}

void ProgressWindow::updateTime()
{
    m_timeLabel->setText(elapsedTimeText(m_elapsed.elapsed(), QLocale::system()));
}

bool ProgressWindow::eventFilter(QObject *watched, QEvent *event)
{
    // On X11 a window manager maps a window some time after it was asked to. A read that ends
    // before then hides a window that is not on the screen yet, and the window manager puts it
    // there afterwards, unpainted and above everything. A hidden window that shows up is hidden
    // once more, now that it is mapped, and the window manager withdraws it.
    if (watched == windowHandle() && event->type() == QEvent::Expose && !isVisible()
        && windowHandle()->isExposed() && QGuiApplication::platformName() == QLatin1String("xcb")) {
        QTimer::singleShot(0, this, [this] {
            // Events that came meanwhile may have taken it off already.
            if (isVisible() || !windowHandle()->isExposed())
                return;
            setAttribute(Qt::WA_ShowWithoutActivating, true);
            show();
            hide();
            setAttribute(Qt::WA_ShowWithoutActivating, false);
        });
    }
    return QWidget::eventFilter(watched, event);
}

void ProgressWindow::resizeEvent(QResizeEvent *event)
{
    QPainterPath shape;
    shape.addRoundedRect(QRectF(0, 0, width(), height()), cornerSize / 2.0, cornerSize / 2.0);
    setMask(QRegion(shape.toFillPolygon().toPolygon()));
    QWidget::resizeEvent(event);
    update();
}

void ProgressWindow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(palette().button());
    painter.drawRoundedRect(QRectF(1, 1, width() - 2, height() - 2), cornerSize / 2.0,
                            cornerSize / 2.0);
}

void ProgressWindow::closeEvent(QCloseEvent *event)
{
    // Closing by any route is an abort; the window itself stays for the next read.
    event->ignore();
    abort();
}

void ProgressWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    QWidget::mousePressEvent(event);
}

void ProgressWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    QWidget::mouseMoveEvent(event);
}

void ProgressWindow::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

} // namespace quorel
