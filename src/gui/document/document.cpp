#include "gui/document/document.h"

#include "core/data/directiontally.h"
#include "core/data/displayparameters.h"
#include "core/util/system.h"
#include "core/util/text.h"
#include "gui/document/readwords.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <exception>

namespace quorel {

namespace {

QString fromBytes(std::string_view bytes)
{
    return QFile::decodeName(QByteArray(bytes.data(), qsizetype(bytes.size())));
}

std::string toBytes(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

char localeDecimalSeparator()
{
    return decimalSeparatorFromLocale(QLocale::system().decimalPoint().toStdString());
}

} // namespace

struct Document::ReadOutcome
{
    ReadResult result;
    Status status = success();
    DiagramStyle style; // the style after the file's parameter lines
    std::array<CircularStatistics, 2> circular {};
};

Document::Document(QObject *parent)
    : Document(localeDecimalSeparator(), parent)
{ }

Document::Document(char decimalSeparator, QObject *parent)
    : QObject(parent)
    , m_separator(decimalSeparator)
    , m_result(std::make_shared<const ReadResult>())
    , m_worker(std::make_unique<QObject>())
{
    m_progressTimer.setInterval(40);
    connect(&m_progressTimer, &QTimer::timeout, this, &Document::pollProgress);
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(0);
    connect(&m_redrawTimer, &QTimer::timeout, this, &Document::announcePicture);
    // The empty grid is the first picture.
    scheduleRedraw();
    m_thread.setObjectName(QStringLiteral("reader"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

Document::~Document()
{
    // A read still running stops at its next line; its thread ends before anything it uses
    // goes away, and what it would still hand over is dropped with this object.
    if (m_progress)
        m_progress->requestStop();
    m_thread.quit();
    m_thread.wait();
    m_worker.reset();
}

void Document::runOnWorker(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_worker.get(), std::move(job), Qt::QueuedConnection);
}

void Document::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged();
}

bool Document::beginEditing()
{
    if (m_state != State::Idle)
        return false;
    setState(State::Editing);
    return true;
}

void Document::endEditing()
{
    if (m_state == State::Editing)
        setState(State::Idle);
}

bool Document::requestClose()
{
    switch (m_state) {
    case State::Idle:
        return true;
    case State::Reading:
        // The read is stopped first; the window closes as soon as it has returned, so nothing
        // the read still uses goes away under it.
        setState(State::Closing);
        stopRead();
        return false;
    case State::Closing:
    case State::Editing:
        break;
    }
    return false;
}

QString Document::currentFileName() const
{
    return fromBytes(m_currentFile);
}

void Document::setCurrentFileName(const QString &path)
{
    m_currentFile = toBytes(path);
    m_currentFileComplete = true;
    emit fileChanged();
}

void Document::setRandomGraph(bool on)
{
    if (m_randomGraph == on)
        return;
    m_randomGraph = on;
    emit fileChanged();
    scheduleRedraw();
}

void Document::setStyle(const DiagramStyle &style)
{
    if (m_style == style)
        return;
    m_style = style;
    emit styleChanged();
    scheduleRedraw();
}

void Document::editStyle(const std::function<void(DiagramStyle &style)> &change)
{
    DiagramStyle style = m_style;
    change(style);
    setStyle(style);
}

void Document::editStyleTyped(const std::function<void(DiagramStyle &style)> &change)
{
    DiagramStyle style = m_style;
    change(style);
    if (m_style == style)
        return;
    m_style = style;
    emit styleChanged();
}

void Document::setDecimalSeparator(char separator)
{
    if (!isReading() && m_separator != separator) {
        m_separator = separator;
        scheduleRedraw();
    }
}

void Document::setProgressInterval(int msecs)
{
    m_progressTimer.setInterval(std::max(msecs, 1));
}

QString Document::errorReportText() const
{
    return quorel::errorReportText(m_result->summary, m_result->report);
}

bool Document::read(const QString &path, std::function<void(bool ok)> done)
{
    if (m_state != State::Idle)
        return false;
    setState(State::Reading);
    m_readDone = std::move(done);
    m_progress = std::make_shared<ReadProgress>();
    if (m_holdBefore)
        m_progress->holdBeforeLine(*std::exchange(m_holdBefore, std::nullopt));
    m_progressShown = false;
    m_shownLine = -1;
    m_shownPhase = ReadProgress::Phase::Waiting;
    m_sinceReadStarted.start();
    m_progressTimer.start();

    const std::string file = toBytes(path);
    const bool randomGraph = m_randomGraph;
    // The file left keeps its look: the style goes back into it first, on the worker, so a
    // large file does not hold the window. The read starts once that is done.
    const bool writeBack = m_writeBack && !randomGraph && !m_currentFile.empty()
        && m_currentFileComplete && !m_randomGraph;
    if (!writeBack) {
        startReading(file, randomGraph);
        return true;
    }
    runOnWorker([this, writeBack = m_writeBack, previous = m_currentFile, style = m_style, file,
                 randomGraph] {
        WriteBackResult written;
        try {
            written = writeBack(previous, style);
        } catch (const std::exception &error) {
            written = {WriteBackOutcome::Failed, 0, Error {std::string(error.what())}};
        }
        QMetaObject::invokeMethod(
            this,
            [this, written = std::move(written), previous, file, randomGraph] {
                tellWriteBack(previous, written);
                startReading(file, randomGraph);
            },
            Qt::QueuedConnection);
    });
    return true;
}

void Document::startReading(const std::string &path, bool randomGraph)
{
    m_currentFile = path;
    m_currentFileComplete = false;
    emit readStarted(fromBytes(path));
    emit fileChanged();
    const ReadTitles titles = readTitlesText(path, randomGraph);
    emit titlesChanged(fromBytes(titles.caption), fromBytes(titles.appTitle));
    if (!randomGraph)
        emit recentFileAdded(fromBytes(path));
    const StatusLine analyzing = analyzingStatus();
    emit statusChanged(analyzing.status, analyzing.color);

    m_styleBeforeRead = m_style;
    runOnWorker([this, path, randomGraph, separator = m_separator, style = m_style,
                 progress = m_progress, previous = m_result] {
        auto outcome = std::make_shared<ReadOutcome>();
        outcome->style = style;
        DataReader reader(separator);
        try {
            outcome->status = reader.load(path, outcome->style, progress.get(), randomGraph);
        } catch (const std::exception &error) {
            // Nothing thrown may cross into the event loop; the read failed.
            outcome->status = Error {"Cannot read file \"" + path + "\". " + error.what()};
        }
        outcome->result = reader.takeResult();
        ReadResult &result = outcome->result;
        if (!outcome->status.ok() && result.sectors.counts == SectorCounts {})
            result.sectors = previous->sectors; // a failed read leaves the sectors as they were
        // Both readings of the directions are worked out here, where the data are at hand, so
        // the axial box switches between them at once.
        if (!result.measurements.empty()) {
            const DirectionTally &directions = result.measurements.directions();
            outcome->circular = {quorel::circularStatistics(directions, false),
                                 quorel::circularStatistics(directions, true)};
        }
        outcome->circular[1].axial = true;
        QMetaObject::invokeMethod(
            this, [this, outcome] { finishRead(outcome); }, Qt::QueuedConnection);
    });
}

void Document::stopRead()
{
    if (m_progress)
        m_progress->requestStop();
}

void Document::holdReadBeforeLine(std::size_t line)
{
    if (m_progress && isReading())
        m_progress->holdBeforeLine(line);
    else
        m_holdBefore = line;
}

void Document::releaseRead()
{
    if (m_progress)
        m_progress->release();
}

void Document::pollProgress()
{
    if (!m_progress || m_sinceReadStarted.elapsed() < m_progressDelay)
        return;
    const ReadProgress::Phase phase = m_progress->phase();
    const auto line = qint64(m_progress->line());
    if (m_progressShown && phase == m_shownPhase && line == m_shownLine)
        return;
    m_progressShown = true;
    m_shownPhase = phase;
    m_shownLine = line;
    emit progressChanged(phase, line, qint64(m_progress->lineCount()));
}

void Document::endProgress()
{
    m_progressTimer.stop();
    if (std::exchange(m_progressShown, false))
        emit progressFinished();
}

void Document::finishRead(const std::shared_ptr<ReadOutcome> &outcome)
{
    // Everything the read changes is in place before anyone hears of it: a listener that opens
    // a dialog, or starts the next read, finds this one over.
    auto done = std::exchange(m_readDone, {});
    const bool closing = m_state == State::Closing;
    const Status status = outcome->status;
    endProgress();
    m_progress.reset();

    m_circular = outcome->circular;
    m_result = std::shared_ptr<const ReadResult>(outcome, &outcome->result);
    const ReadSummary &summary = m_result->summary;
    m_currentFileComplete = status.ok() && !summary.cancelled;
    if (status.ok()) {
        m_saveNames = saveNamesAfterRead(m_saveNames, summary.path, summary.randomGraph,
                                         !m_result->measurements.empty());
    }
    // A read without measurements keeps the previous maximum, as the sector arrays do.
    if (!m_result->measurements.empty() || !status.ok())
        m_maxCount = m_result->sectors.maxCount;
    if (status.ok() || summary.randomGraph)
        emit statusChanged(summary.status, summary.statusColor);
    takeReadStyle(outcome->style);
    scheduleRedraw();
    setState(State::Idle);

    emit readFinished(status.ok());
    if (QString note = std::exchange(m_writeBackNote, QString()); !note.isEmpty())
        emit statusNoted(note); // beside the read's own final status, which it follows
    if (closing)
        emit closeRequested();
    if (done)
        done(status.ok());
    // The message comes last, when the read is over and the window it belongs to is in place
    // (the first file is read before the window shows).
    if (!status.ok())
        warn(errorText(status.error()));
}

void Document::takeReadStyle(const DiagramStyle &readStyle)
{
    // The user may have changed the style while the file was read: only what the file's
    // parameter lines changed is taken over, the way a parameter line sets its field.
    DiagramStyle style = m_style;
    for (const DisplayParameter &parameter : displayParameters()) {
        const std::string value = parameter.text(readStyle);
        if (value != parameter.text(m_styleBeforeRead))
            parameter.apply(style, value);
    }
    setStyle(style);
}

void Document::writeBackCurrentFile()
{
    // A file whose read was stopped early has parameter lines the style never saw; writing
    // the style back would replace them with other values, so it is left alone.
    if (m_writeBack && !m_currentFile.empty() && m_currentFileComplete && !m_randomGraph) {
        tellWriteBack(m_currentFile, m_writeBack(m_currentFile, m_style));
        if (QString note = std::exchange(m_writeBackNote, QString()); !note.isEmpty())
            emit statusNoted(note);
    }
}

void Document::tellWriteBack(const std::string &file, const WriteBackResult &written)
{
    if (written.outcome == WriteBackOutcome::Failed) {
        warn(errorText(written.error));
        return;
    }
    if (written.outcome != WriteBackOutcome::NotText)
        return;
    // Said once for as long as the file stays as it is, not at every switch away from it.
    const QFileInfo info(fromBytes(file));
    const std::string stamp = file + '\n' + std::to_string(info.size()) + '\n'
        + std::to_string(info.lastModified().toMSecsSinceEpoch());
    if (!m_filesNotText.insert(stamp).second)
        return;
    m_writeBackNote = tr("%1 is not a text file (NUL byte at offset %2): nothing written")
                          .arg(info.fileName())
                          .arg(written.nulOffset);
}

void Document::setShowSignificanceBand(bool on)
{
    if (std::exchange(m_showBand, on) != on) {
        emit marksChanged();
        scheduleRedraw();
    }
}

void Document::setShowMeanDirection(bool on)
{
    if (std::exchange(m_showMeanDirection, on) != on) {
        emit marksChanged();
        scheduleRedraw();
    }
}

void Document::setRingLabels(bool on)
{
    if (m_ringLabels == on)
        return;
    m_ringLabels = on;
    scheduleRedraw();
}

RenderOptions Document::renderOptions() const
{
    // With the marks off and the data not axial the circular part is the default: the plain rose.
    RenderOptions options =
        circularRenderOptions(circularStatistics(), m_showBand, m_showMeanDirection);
    options.petalScale = m_style.petalScale;
    if (m_ringLabels)
        options.ringLabels = RenderOptions::RingLabels {decimalSeparator()};
    return options;
}

PetalLayout Document::petalLayout() const
{
    return quorel::petalLayout(m_result->sectors.counts, m_maxCount, renderOptions());
}

void Document::scheduleRedraw()
{
    m_pictureStale = true;
    m_redrawTimer.start();
}

const Picture &Document::picture() const
{
    drawIfStale();
    return m_picture;
}

void Document::drawIfStale() const
{
    if (!m_pictureStale)
        return;
    m_pictureStale = false;
    Result<Picture> drawn = renderRoseDiagram(m_style, m_result->sectors.counts, m_maxCount,
                                              m_randomGraph, renderOptions());
    if (!drawn) {
        // The previous picture stays; the user hears why once the change has been made.
        m_drawError = errorText(drawn.error());
        return;
    }
    m_picture = std::move(drawn).value();
    m_pictureUnannounced = true;
}

void Document::announcePicture()
{
    drawIfStale();
    if (const QString error = std::exchange(m_drawError, QString()); !error.isEmpty())
        warn(error);
    if (std::exchange(m_pictureUnannounced, false))
        emit pictureChanged();
}

void Document::warn(const QString &text)
{
    emit warning(text);
}

} // namespace quorel
