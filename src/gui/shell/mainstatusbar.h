#pragma once

#include <QElapsedTimer>
#include <QStatusBar>
#include <QTimer>

class QLabel;

namespace quorel {

// The status bar: the painted "QUOREL 2.0" banner, the status line that the read writes its
// messages to in colour, and a clock of the time since start-up.
class MainStatusBar : public QStatusBar
{
    Q_OBJECT

public:
    explicit MainStatusBar(QWidget *parent = nullptr);

    // The status line takes the colour, then the text.
    void setStatus(const QString &text, const QColor &color);
    QString statusText() const;
    QColor statusColor() const;

    QString clockText() const;
    // Shows the time elapsed since start-up now (the timer does it every second).
    void updateClock();

private:
    QLabel *m_status;
    QLabel *m_clock;
    QTimer m_timer;
    QElapsedTimer m_sinceStart;
};

} // namespace quorel
