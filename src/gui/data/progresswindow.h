#pragma once

#include "core/data/readprogress.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorel {

// The small caption-less window shown while a data file is read: the line being read, a bar,
// the elapsed time and an abort. It is created once, before the main window, and only shown and
// hidden. Abort (button, Escape, or closing it) raises the cancel flag that the read polls.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    // Shows the window for a read of `lineCount` lines, bar at 0, time at zero, centred on `over`
    // if given, and gives it the keyboard so that Escape aborts at once.
    void begin(qint64 lineCount, const QWidget *over = nullptr);
    // "Line n / t" and the bar at n.
    void setLine(qint64 line, qint64 lineCount);
    // What a read is doing: the file left written back first, its lines counted (the bar
    // moves to and fro), then line n of t. Shows the window (centred on `over`) if hidden.
    void setProgress(ReadProgress::Phase phase, qint64 line, qint64 lineCount,
                     const QWidget *over = nullptr);
    // Hides the window at the end of a read, stops its clock and gives the keyboard back.
    void end();

    bool isCancelled() const { return m_cancelled; }
    void clearCancel() { m_cancelled = false; }

    // Does what the abort button does.
    void abort();

    QString lineText() const;
    QString timeText() const;

signals:
    // The shown line changed (after the label and the bar).
    void lineShown(qint64 line);
    // Emitted once per abort; the main window shows itself in answer.
    void aborted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void updateTime();
    void hideAndReturnKeyboard();

    QLabel *m_lineLabel;
    QLabel *m_timeLabel;
    QProgressBar *m_bar;
    QPushButton *m_abortButton;
    QTimer m_clock;
    QElapsedTimer m_elapsed;
    QPointer<QWidget> m_keyboardOwner; // the active window when the read began
    QPoint m_dragOffset;
    bool m_dragging = false;
    bool m_cancelled = false;
    bool m_watchingWindow = false;
    qint64 m_lineCount = 0;
};

} // namespace quorel
