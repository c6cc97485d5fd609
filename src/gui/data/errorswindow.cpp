#include "gui/data/errorswindow.h"

#include <QAction>
#include <QEvent>
#include <QFont>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace quorel {

ErrorsWindow::ErrorsWindow(QWidget *parent)
    : QDialog(parent)
    , m_text(new QPlainTextEdit(this))
{
    setWindowTitle(tr("Errors"));
    resize(449, 294);
    setMinimumSize(100, 100);
    setSizeGripEnabled(true);

    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::Monospace);
    m_text->setFont(font);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);

    // Escape closes a dialog by itself; F12 closes it too, as F12 opened it.
    auto *close = new QAction(this);
    close->setShortcuts({QKeySequence(Qt::Key_F12), QKeySequence(Qt::Key_Escape)});
    close->setShortcutContext(Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, &QDialog::reject);
    addAction(close);
}

void ErrorsWindow::setReportSource(std::function<std::optional<QString>()> report)
{
    m_report = std::move(report);
}

void ErrorsWindow::refresh()
{
    if (!m_report) {
        m_text->clear();
        return;
    }
    if (const std::optional<QString> report = m_report())
        m_text->setPlainText(*report);
}

QString ErrorsWindow::shownText() const
{
    return m_text->toPlainText();
}

bool ErrorsWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        refresh();
    return QDialog::event(event);
}

} // namespace quorel
