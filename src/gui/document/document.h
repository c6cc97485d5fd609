#pragma once

// The document at the centre of the window. A command names a file -> read() hands it to the
// worker thread, where the core reader fills the measurement list, the sector arrays and the
// error report and applies the file's display parameters to a copy of the style -> every step
// the reader tells (write-back, titles, progress, its end) is handed to the GUI thread and
// signalled there while the worker waits -> at the end the document takes the results, the
// style changes the file made and draws the picture once -> the views follow the signals.

#include "core/data/circularstats.h"
#include "core/data/datareader.h"
#include "core/data/measurementselection.h"
#include "core/data/readhandover.h"
#include "core/data/readtexts.h"
#include "core/diagram/diagramstyle.h"
#include "core/diagram/picture.h"
#include "core/diagram/renderer.h"

#include <QObject>
#include <QString>
#include <QThread>

#include <array>
#include <functional>
#include <memory>
#include <string>

namespace quorel {

// What the window shows and edits: the data of the last read, the diagram style, the picture
// drawn from them, the current file and the random-graph flag; and what it is doing. Views and
// commands take the document and follow its signals. While a read runs its data belong to the
// worker thread: nothing on the GUI thread looks at the measurements, the sector arrays or the
// report until readFinished (or inside a signal the read sends, while the worker waits).
class Document : public QObject
{
    Q_OBJECT

public:
    // Reading: a file is being read on the worker thread. Closing: the same, and the window
    // closes as soon as the read has returned. Editing: the file is open in the external
    // editor and is read again when the editor ends.
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
    // Replaces the style, or changes it in place; styleChanged() when it differs.
    void setStyle(const DiagramStyle &style);
    void editStyle(const std::function<void(DiagramStyle &style)> &change);

    char decimalSeparator() const { return m_reader.decimalSeparator(); }
    void setDecimalSeparator(char separator);
    // The views' updates during a read come at most every `msecs` (0: every line).
    void setProgressInterval(int msecs) { m_progressInterval = msecs; }

    // The results of the last read; not while a read runs.
    const MeasurementStore &measurements() const;
    const SectorArrays &sectors() const;
    // The error report, lines separated by "\n".
    QString errorReportText() const;
    // Figures of the last read that stay readable during the next one (the largest sector count
    // is 0 without measurements).
    std::size_t measurementCount() const { return m_measurementCount; }
    int maxCount() const { return m_measurementCount == 0 ? 0 : m_maxCount; }
    const SaveNames &saveNames() const { return m_saveNames; }
    // The circular statistics of the last read's directions, as directions or, when the style
    // says the data are axial, as orientations; readable during the next read, like the counts.
    const CircularStatistics &circularStatistics() const
    {
        return m_circular[m_style.axial ? 1 : 0];
    }

    // What the diagram marks beyond the rose: the band of chance and the mean direction with its
    // confidence arc. Window settings, not part of the style (files do not carry them); each
    // change signals marksChanged() and waits for redraw() like a style change.
    bool showsSignificanceBand() const { return m_showBand; }
    void setShowSignificanceBand(bool on);
    bool showsMeanDirection() const { return m_showMeanDirection; }
    void setShowMeanDirection(bool on);

    // Starts reading `path` (as the current file), then calls `done` with whether the file
    // could be read, after readFinished() and the redraw. False, and nothing happens, when busy.
    bool read(const QString &path, std::function<void(bool ok)> done = {});
    // Stops a read before its next line (the progress window's Abort).
    void stopRead();

    // Writes the display parameters into a file; installed by persistence.
    using WriteBack = std::function<void(const std::string &file, const DiagramStyle &style)>;
    void setWriteBack(WriteBack writeBack) { m_writeBack = std::move(writeBack); }
    // Writes the style into the current file, unless there is none, it is a random graph, or
    // its read stopped early (its parameter lines were not all seen).
    void writeBackCurrentFile();
    // What the write-back has to say on the status line (a file it left alone, and why): shown
    // after the final status of the read that follows, or of the next read when none runs.
    void setWriteBackNote(const QString &note) { m_writeBackNote = note; }

    // Whether the picture labels its main circles with the counts they stand for (a setting of
    // the program, not of the file); redraws when it changes.
    bool ringLabels() const { return m_ringLabels; }
    void setRingLabels(bool on);
    // Whether the screen shows the picture as large as the diagram page holds, following the
    // window's size (a setting of the program); "Graph size" still sizes every picture that
    // leaves the program.
    bool fitToWindow() const { return m_fitToWindow; }
    void setFitToWindow(bool on);
    // What the picture shows beyond the plain rose: the axial rose, the band and the mean
    // direction where asked for, the style's petal radii, the ring labels.
    RenderOptions renderOptions() const;
    // The petals of the picture: the counts they are drawn with and the count of the longest.
    PetalLayout petalLayout() const;

    // Petals chosen on the diagram: every measurement of their sectors counts as selected (held
    // per sector, never per row). `add` keeps the petals chosen before.
    SectorSet selectedPetals() const { return m_selectedPetals; }
    void selectPetal(int sector, bool add);
    void clearSelectedPetals() { m_selectedPetals.reset(); }
    // The petals the selected measurements fall in: outlined on the screen, never in the picture.
    SectorSet outlinedPetals() const { return m_outlinedPetals; }
    void setOutlinedPetals(SectorSet petals);

    // The picture drawn from the style and the sector counts; redraw() draws it again.
    const Picture &picture() const { return m_picture; }
    void redraw();

    // Shows `text` to the user (the window turns it into its message box).
    void warn(const QString &text);

signals:
    void stateChanged();
    // The current file or the random-graph flag changed.
    void fileChanged();
    // What a read tells, in its order: the file becomes the current one (the tables empty),
    // the titles, the recent-files entry, the status line, the lines begin (the progress shows),
    // every shown line, the lines end, the final status; then readFinished() with the results.
    void readStarted(const QString &path);
    void titlesChanged(const QString &caption, const QString &appTitle);
    void recentFileAdded(const QString &path);
    void statusChanged(const QString &text, quorel::Color color);
    void linesStarted(qint64 lineCount);
    void lineReached(qint64 line, qint64 lineCount);
    void linesFinished();
    void readFinished(bool ok);
    // A close asked for during a read may now happen.
    void closeRequested();
    void styleChanged();
    // Petals were chosen on the diagram (added to the earlier ones or not).
    void petalsSelected(bool added);
    void outlineChanged();
    void fitToWindowChanged(bool on);
    void marksChanged();
    void pictureChanged();
    void warning(const QString &text);

private:
    class ReadRelay;

    void setState(State state);
    // Worker thread: the read itself.
    void readOnWorker(const std::string &path, bool randomGraph, int progressInterval);
    // GUI thread: takes the results once the worker has let them go.
    void finishRead(const Status &status, const std::array<CircularStatistics, 2> &circular);
    // Applies to the style what the file's parameter lines changed in the read's copy.
    void takeReadStyle();

    DataReader m_reader; // the worker's while a read runs
    DiagramStyle m_readStyle; // the style the read applies parameter lines to
    DiagramStyle m_styleBeforeRead;
    DiagramStyle m_style;
    Picture m_picture;
    SectorCounts m_counts {};
    int m_maxCount = 0;
    std::size_t m_measurementCount = 0;
    std::array<CircularStatistics, 2> m_circular {}; // as directions, as orientations
    bool m_showBand = false;
    bool m_showMeanDirection = false;
    SaveNames m_saveNames;
    std::string m_currentFile;
    bool m_currentFileComplete = false;
    bool m_randomGraph = false;
    bool m_ringLabels = false;
    bool m_fitToWindow = false;
    SectorSet m_selectedPetals;
    SectorSet m_outlinedPetals;
    State m_state = State::Idle;
    int m_progressInterval = 40;
    WriteBack m_writeBack;
    QString m_writeBackNote;
    std::function<void(bool)> m_readDone;

    ReadHandOver m_handOver;
    QThread m_thread;
    std::unique_ptr<QObject> m_worker; // lives in m_thread; reads are queued to it
};

} // namespace quorel
