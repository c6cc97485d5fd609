#include "gui/diagram/previewwindow.h"

#include "gui/diagram/picturewidget.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace quorel {

PreviewWindow::PreviewWindow(PreviewHost host, QWidget *parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_host(std::move(host))
{
    setWindowTitle(tr("Preview"));
    setModal(true);
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);

    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setAlignment(Qt::AlignCenter); // smaller pictures in the middle, larger at 0,0
    m_scroll->setPalette(black);
    m_scroll->viewport()->setMouseTracking(true);
    m_view = new PictureWidget;
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    m_scroll->viewport()->installEventFilter(this);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    m_pointerTimer = new QTimer(this);
    m_pointerTimer->setInterval(pointerHideMs);
    connect(m_pointerTimer, &QTimer::timeout, this, &PreviewWindow::hidePointer);
    connect(m_view, &PictureWidget::mouseMoved, this, &PreviewWindow::showPointer);
    connect(m_view, &PictureWidget::doubleClicked, this, &PreviewWindow::accept);

    createActions();
}

void PreviewWindow::createActions()
{
    const auto action = [this](const QString &text, const QKeySequence &key, auto slot) {
        auto *a = new QAction(text, this);
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };

    m_menu = new QMenu(this);
    m_menu->addAction(action(tr("Size +20   (+)"), {}, &PreviewWindow::enlarge));
    m_menu->addAction(action(tr("Size -20    (-)"), {}, &PreviewWindow::reduce));
    m_menu->addAction(action(tr("Refresh"), QKeySequence(Qt::Key_F5), &PreviewWindow::refresh));
    m_menu->addSeparator();
    QAction *copy = action(tr("Copy graph to the Clipboard"), QKeySequence(Qt::CTRL | Qt::Key_C),
                           [this] { m_host.copyToClipboard(); });
    copy->setIcon(m_host.copyIcon);
    m_menu->addAction(copy);
    m_menu->addSeparator();
    QAction *print =
        action(tr("Print..."), QKeySequence(Qt::CTRL | Qt::Key_P), [this] { m_host.print(); });
    print->setIcon(m_host.printIcon);
    m_menu->addAction(print);
    m_menu->addSeparator();
    m_menu->addAction(action(tr("Close"), QKeySequence(Qt::Key_Escape), &PreviewWindow::accept));

    // The main block's plus/equals and minus keys, not the keypad.
    auto *plus = action(QString(), QKeySequence(Qt::Key_Equal), &PreviewWindow::enlarge);
    plus->setShortcuts({QKeySequence(Qt::Key_Equal), QKeySequence(Qt::Key_Plus)});
    action(QString(), QKeySequence(Qt::Key_Minus), &PreviewWindow::reduce);
    action(QString(), QKeySequence(Qt::Key_F11), &PreviewWindow::accept);
    // Keys that open files, the editor, the error report, a random graph or the converter in
    // the main window are taken here so they do nothing while the preview is open.
    for (const QKeySequence &blocked :
         {QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::Key_E),
          QKeySequence(Qt::Key_F12), QKeySequence(Qt::SHIFT | Qt::Key_F2),
          QKeySequence(Qt::SHIFT | Qt::Key_F1)}) {
        action(QString(), blocked, [] {});
    }

    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(mapToGlobal(at)); });
    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_menu->popup(m_view->mapToGlobal(at)); });
}

const Picture &PreviewWindow::shownPicture() const
{
    return m_view->picture();
}

void PreviewWindow::refresh()
{
    // The scroll area keeps the scroll position while the picture changes size.
    m_view->setPicture(m_host.picture(), m_host.colors());
    update();
}

void PreviewWindow::enlarge()
{
    for (int step = 0; step < stepsPerCommand; ++step)
        m_host.enlarge();
    refresh();
}

void PreviewWindow::reduce()
{
    for (int step = 0; step < stepsPerCommand; ++step)
        m_host.reduce();
    refresh();
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    refresh();
    raise();
    m_pointerTimer->start();
}

void PreviewWindow::hideEvent(QHideEvent *event)
{
    m_pointerTimer->stop();
    QDialog::hideEvent(event);
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::MouseMove)
        showPointer();
    return QDialog::eventFilter(watched, event);
}

void PreviewWindow::hidePointer()
{
    for (QWidget *w :
         {static_cast<QWidget *>(this), m_scroll->viewport(), static_cast<QWidget *>(m_view)})
        w->setCursor(Qt::BlankCursor);
}

void PreviewWindow::showPointer()
{
    for (QWidget *w :
         {static_cast<QWidget *>(this), m_scroll->viewport(), static_cast<QWidget *>(m_view)})
        w->setCursor(Qt::ArrowCursor);
}

} // namespace quorel
