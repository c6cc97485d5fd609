#pragma once

// The document at the centre of the window. A command names a file -> read() writes the style
// back into the file left (a job on the document's worker thread) -> the file becomes the
// current one, the titles, the recent list and the status change (here, on the GUI thread) ->
// the worker reads the file into a fresh ReadResult while the window polls its ReadProgress ->
// one queued call hands the finished result over, immutable: the document takes the style
// changes the file made and draws the picture once -> the views follow the signals. Nothing on
// the GUI thread ever waits for the worker, and the worker never calls into the window.

#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/data/readprogress.h"
#include "core/data/readtexts.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/diagram/renderer.h"
#include "core/persist/writeback.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace quorel {

// What the window shows and edits: the result of the last finished read, the diagram style,
// the picture drawn from them, the current file and the random-graph flag; and what it is doing.
// Views and commands take the document and follow its signals. A read fills a result of its own
// on the worker thread, so the views may look at result() at any time: during a read it is still
// the previous one, never a half-filled store.
class Document : public QObject
{
    Q_OBJECT

public:
    // Reading: a file is being written back and read on the worker thread. Closing: the same,
    // and the window closes as soon as the read has returned. Editing: the file is open in the
    // external editor and is read again when the editor ends.
    enum class State { Idle, Reading, Closing, Editing };

    // The decimal separator is the user's locale's unless given.
    explicit Document(QObject *parent = nullptr);
    Document(char decimalSeparator, QObject *parent);
    ~Document() override;

    State state() const { return m_state; }
    bool isIdle() const { return m_state == State::Idle; }
    bool isBusy() const { return m_state != State::Idle; }
    bool isReading() const { return m_state == State::Reading || m_state == State::Closing; }
    // Idle -> Editing; false (nothing changes) when busy.
    bool beginEditing();
    void endEditing();
    // Asks the window to close: true when it may close now; during a read the read is stopped
    // and closeRequested() follows its end; while editing, never.
    bool requestClose();

    // The current file: the path bytes as the system takes them, and whether it was read to its
    // end (or named by New), so that writing the style back into it keeps its parameter lines.
    QString currentFileName() const;
    const std::string &currentFile() const { return m_currentFile; }
    void setCurrentFileName(const QString &path);
    bool isRandomGraph() const { return m_randomGraph; }
    void setRandomGraph(bool on);
    // "Edit data..." works exactly while there is a current file and no random graph.
    bool canEditData() const { return !m_currentFile.empty() && !m_randomGraph; }

    const DiagramStyle &style() const { return m_style; }
    // Replaces the style, or changes it in place; styleChanged() when it differs, and the
    // picture follows.
    void setStyle(const DiagramStyle &style);
    void editStyle(const std::function<void(DiagramStyle &style)> &change);
    // A change typed into a box: the style takes it at once (closing keeps what the box
    // shows), the picture only with Enter (applyTyping()) or with the next change.
    void editStyleTyped(const std::function<void(DiagramStyle &style)> &change);
    void applyTyping() { scheduleRedraw(); }

    char decimalSeparator() const { return m_separator; }
    void setDecimalSeparator(char separator);
    // The progress of a read is looked at every `msecs` (at least 1).
    void setProgressInterval(int msecs);
    // The progress shows once a read or write-back has run this long.
    void setProgressDelay(int msecs) { m_progressDelay = msecs; }

    // The last finished read, never changed once handed over: the views may look at it at any
    // time, also while the next read runs.
    const ReadResult &result() const { return *m_result; }
    const MeasurementStore &measurements() const { return m_result->measurements; }
    const SectorArrays &sectors() const { return m_result->sectors; }
    // The error report, lines separated by "\n".
    QString errorReportText() const;
    std::size_t measurementCount() const { return m_result->measurements.size(); }
    // The largest sector count (0 without measurements).
    int maxCount() const { return measurementCount() == 0 ? 0 : m_maxCount; }
    const SaveNames &saveNames() const { return m_saveNames; }
    // The circular statistics of the last read's directions, as directions or, when the style
    // says the data are axial, as orientations.
    const CircularStatistics &circularStatistics() const
    {
        return m_circular[m_style.axial ? 1 : 0];
    }

    // What the diagram marks beyond the rose: the band of chance and the mean direction with its
    // confidence arc. Window settings, not part of the style (files do not carry them); each
    // change signals marksChanged() and draws the picture again.
    bool showsSignificanceBand() const { return m_showBand; }
    void setShowSignificanceBand(bool on);
    bool showsMeanDirection() const { return m_showMeanDirection; }
    void setShowMeanDirection(bool on);

    // Starts reading `path` (as the current file), then calls `done` with whether the file
    // could be read, after readFinished() and the redraw. False, and nothing happens, when busy.
    bool read(const QString &path, std::function<void(bool ok)> done = {});
    // Stops a read before its next line (the progress window's Abort); a write-back under way
    // ends first, and the read then stops before its first line.
    void stopRead();
    // The read that starts next (or runs) is held before line `line` (0: while its lines are
    // counted) until stopRead() or releaseRead(): for tests that act while a line is shown.
    void holdReadBeforeLine(std::size_t line);
    void releaseRead();

    // Writes the display parameters into a file; installed by persistence. Runs on the
    // document's worker thread, so it must not touch the window: it returns what it did, and
    // the document tells the user (a failure in a message box, a file left alone because it is
    // not text once on the status line).
    using WriteBack =
        std::function<WriteBackResult(const std::string &file, const DiagramStyle &style)>;
    void setWriteBack(WriteBack writeBack) { m_writeBack = std::move(writeBack); }
    // Writes the style into the current file, unless there is none, it is a random graph, or
    // its read stopped early (its parameter lines were not all seen). Waits for the write.
    void writeBackCurrentFile();

    // Whether the picture labels its main circles with the counts they stand for (a setting of
    // the program, not of the file); redraws when it changes.
    bool ringLabels() const { return m_ringLabels; }
    void setRingLabels(bool on);
    // What the picture shows beyond the plain rose: the axial rose, the band and the mean
    // direction where asked for, the style's petal radii, the ring labels.
    RenderOptions renderOptions() const;
    // The petals of the picture: the counts they are drawn with and the count of the longest.
    PetalLayout petalLayout() const;

    // The picture drawn from the style, the options and the sector counts. Every change that
    // alters it draws it again once, when the event loop next runs (several changes at once
    // draw once); asked for before that, it is drawn at once.
    const Picture &picture() const;
    // Draws the picture again although nothing the document knows of changed (the Refresh
    // command: the system's colours or fonts may have).
    void redraw() { scheduleRedraw(); }

    // Shows `text` to the user (the window turns it into its message box).
    void warn(const QString &text);

signals:
    void stateChanged();
    // The current file or the random-graph flag changed.
    void fileChanged();
    // What a read tells, in its order: the file becomes the current one (the tables empty),
    // the titles, the recent-files entry, the status line; the progress once the read has run
    // for a while (the first call shows it), its end; the final status; then readFinished()
    // with the results.
    void readStarted(const QString &path);
    void titlesChanged(const QString &caption, const QString &appTitle);
    void recentFileAdded(const QString &path);
    void statusChanged(quorel::ReadStatus status, quorel::Color color);
    // A note that follows the status just shown (in the interface's language).
    void statusNoted(const QString &note);
    void progressChanged(quorel::ReadProgress::Phase phase, qint64 line, qint64 lineCount);
    void progressFinished();
    void readFinished(bool ok);
    // A close asked for during a read may now happen.
    void closeRequested();
    void styleChanged();
    void marksChanged();
    void pictureChanged();
    void warning(const QString &text);

private:
    // Tells the user what a write-back did, on the GUI thread.
    void tellWriteBack(const std::string &file, const WriteBackResult &written);
    // What the worker hands over at the end of a read.
    struct ReadOutcome;

    void setState(State state);
    // GUI thread: the file left is written back; now the read itself.
    void startReading(const std::string &path, bool randomGraph);
    // GUI thread: takes the finished result over.
    void finishRead(const std::shared_ptr<ReadOutcome> &outcome);
    // Applies to the style what the file's parameter lines changed in the read's copy.
    void takeReadStyle(const DiagramStyle &readStyle);
    // GUI thread, on the timer: tells how far the read has come.
    void pollProgress();
    void endProgress();
    // Queues `job` to the worker thread.
    void runOnWorker(std::function<void()> job);
    void scheduleRedraw();
    // Draws the picture when it is stale; false when the style cannot be drawn.
    void drawIfStale() const;
    void announcePicture();

    char m_separator;
    std::shared_ptr<const ReadResult> m_result;
    DiagramStyle m_styleBeforeRead;
    DiagramStyle m_style;
    mutable Picture m_picture;
    mutable bool m_pictureStale = true;
    mutable bool m_pictureUnannounced = false;
    mutable QString m_drawError;
    QTimer m_redrawTimer;
    int m_maxCount = 0;
    std::array<CircularStatistics, 2> m_circular {}; // as directions, as orientations
    bool m_showBand = false;
    bool m_showMeanDirection = false;
    SaveNames m_saveNames;
    std::string m_currentFile;
    bool m_currentFileComplete = false;
    bool m_randomGraph = false;
    bool m_ringLabels = false;
    State m_state = State::Idle;
    WriteBack m_writeBack;
    // What the last write-back has to say on the status line, after the read's final status.
    QString m_writeBackNote;
    std::set<std::string> m_filesNotText; // path, size and time of the files told about
    std::function<void(bool)> m_readDone;

    // The running read's progress (shared with the worker); its hold, asked for before it began.
    std::shared_ptr<ReadProgress> m_progress;
    std::optional<std::size_t> m_holdBefore;
    QTimer m_progressTimer;
    QElapsedTimer m_sinceReadStarted;
    int m_progressDelay = 200;
    bool m_progressShown = false;
    qint64 m_shownLine = -1;
    ReadProgress::Phase m_shownPhase = ReadProgress::Phase::Waiting;

    QThread m_thread;
    std::unique_ptr<QObject> m_worker; // lives in m_thread; jobs are queued to it
};

} // namespace quorel
