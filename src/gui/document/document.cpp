#include "gui/document/document.h"

#include "core/data/directiontally.h"
#include "core/data/displayparameters.h"
#include "core/util/system.h"
#include "core/util/text.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
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

// The reader's observer on the worker thread: hands every step of the read to the GUI thread
// and waits there, so the document's signals come in the read's order and the views may look
// at the read's data while they handle one. Between two shown lines it only asks whether the
// read is to stop, which it does at the first line after the request.
class Document::ReadRelay : public ReadObserver
{
public:
    ReadRelay(Document &document, int progressInterval)
        : m_document(document)
        , m_progressInterval(progressInterval)
    { }

    void writeBackPrevious() override
    {
        onGuiThread([](Document &d) { d.writeBackCurrentFile(); });
    }
    void currentFileChanged(std::string_view path) override
    {
        onGuiThread([file = std::string(path)](Document &d) {
            d.m_currentFile = file;
            d.m_currentFileComplete = false;
            emit d.readStarted(fromBytes(file));
            emit d.fileChanged();
        });
    }
    void titlesChanged(std::string_view caption, std::string_view appTitle) override
    {
        onGuiThread([caption = fromBytes(caption), appTitle = fromBytes(appTitle)](Document &d) {
            emit d.titlesChanged(caption, appTitle);
        });
    }
    void addRecentFile(std::string_view path) override
    {
        onGuiThread([file = fromBytes(path)](Document &d) { emit d.recentFileAdded(file); });
    }
    void statusChanged(std::string_view text, Color color) override
    {
        onGuiThread([text = QString::fromStdString(std::string(text)), color](Document &d) {
            emit d.statusChanged(text, color);
        });
    }
    void readingStarted(std::size_t lineCount) override
    {
        onGuiThread([lineCount](Document &d) { emit d.linesStarted(qint64(lineCount)); });
        m_sinceShown.start();
    }
    ReadControl lineReached(std::size_t line, std::size_t lineCount) override
    {
        // The clock is read every 256th line only: read for each of ten million lines it costs
        // about a tenth of a second.
        if (m_progressInterval <= 0 || line == lineCount
            || ((line & 0xFF) == 0 && m_sinceShown.elapsed() >= m_progressInterval)) {
            onGuiThread([line, lineCount](Document &d) {
                emit d.lineReached(qint64(line), qint64(lineCount));
            });
            m_sinceShown.restart();
        }
        return m_document.m_handOver.stopRequested() ? ReadControl::Stop : ReadControl::Continue;
    }
    void readingFinished() override
    {
        onGuiThread([](Document &d) { emit d.linesFinished(); });
    }

private:
    template<class Call>
    void onGuiThread(Call call)
    {
        Document &document = m_document;
        document.m_handOver.handOver([&document, call = std::move(call)] { call(document); });
    }

    Document &m_document;
    int m_progressInterval;
    QElapsedTimer m_sinceShown;
};

Document::Document(QObject *parent)
    : Document(localeDecimalSeparator(), parent)
{ }

Document::Document(char decimalSeparator, QObject *parent)
    : QObject(parent)
    , m_reader(decimalSeparator)
    , m_handOver([this](std::function<void()> call) {
        QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
    })
    , m_worker(std::make_unique<QObject>())
{
    m_thread.setObjectName(QStringLiteral("reader"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
}

Document::~Document()
{
    // A read still running stops at its next line and hands nothing more over; its thread
    // ends before anything it uses goes away.
    m_handOver.letGo();
    m_thread.quit();
    m_thread.wait();
    m_worker.reset();
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
}

void Document::setStyle(const DiagramStyle &style)
{
    if (m_style == style)
        return;
    m_style = style;
    emit styleChanged();
}

void Document::editStyle(const std::function<void(DiagramStyle &style)> &change)
{
    DiagramStyle style = m_style;
    change(style);
    setStyle(style);
}

void Document::setDecimalSeparator(char separator)
{
    if (!isReading())
        m_reader.setDecimalSeparator(separator);
}

const MeasurementStore &Document::measurements() const
{
    Q_ASSERT(!isReading());
    return m_reader.measurements();
}

const SectorArrays &Document::sectors() const
{
    Q_ASSERT(!isReading());
    return m_reader.sectors();
}

QString Document::errorReportText() const
{
    Q_ASSERT(!isReading());
    QStringList lines;
    for (const std::string &line : m_reader.errorReportLines())
        lines << QString::fromStdString(displayText(line));
    return lines.join(QLatin1Char('\n'));
}

bool Document::read(const QString &path, std::function<void(bool ok)> done)
{
    if (m_state != State::Idle)
        return false;
    setState(State::Reading);
    // The selection named rows of the file that goes.
    m_selectedPetals.reset();
    setOutlinedPetals({});
    m_handOver.clearStop();
    m_readDone = std::move(done);
    m_styleBeforeRead = m_style;
    m_readStyle = m_style;
    QMetaObject::invokeMethod(
        m_worker.get(),
        [this, file = toBytes(path), random = m_randomGraph, interval = m_progressInterval] {
            readOnWorker(file, random, interval);
        },
        Qt::QueuedConnection);
    return true;
}

void Document::stopRead()
{
    m_handOver.requestStop();
}

void Document::readOnWorker(const std::string &path, bool randomGraph, int progressInterval)
{
    ReadRelay relay(*this, progressInterval);
    Status status = success();
    try {
        status = m_reader.load(path, m_readStyle, &relay, randomGraph);
    } catch (const std::exception &error) {
        // Nothing thrown may cross into the event loop; the read failed.
        status = Error {"Cannot read file \"" + path + "\". " + error.what()};
    }
    // Both readings of the directions are worked out here, where the data are the worker's, so
    // the axial box switches between them at once, even during the next read.
    std::array<CircularStatistics, 2> circular {};
    if (!m_reader.measurements().empty()) {
        const DirectionTally &directions = m_reader.measurements().directions();
        circular = {quorel::circularStatistics(directions, false),
                    quorel::circularStatistics(directions, true)};
    }
    circular[1].axial = true;
    m_handOver.handOver([this, status, circular] { finishRead(status, circular); });
}

void Document::finishRead(const Status &status, const std::array<CircularStatistics, 2> &circular)
{
    const bool closing = m_state == State::Closing;
    setState(State::Idle);
    m_currentFileComplete = status.ok() && !m_reader.summary().cancelled;
    if (status.ok()) {
        m_saveNames =
            saveNamesAfterRead(m_saveNames, m_reader.summary().path, m_reader.summary().randomGraph,
                               !m_reader.measurements().empty());
    }
    const SectorArrays &sectors = m_reader.sectors();
    std::copy(sectors.counts.begin(), sectors.counts.end(), m_counts.begin());
    m_maxCount = sectors.maxCount;
    m_measurementCount = m_reader.measurements().size();
    m_circular = circular;
    takeReadStyle();
    emit readFinished(status.ok());
    if (QString note = std::exchange(m_writeBackNote, QString()); !note.isEmpty()) {
        // Beside the read's own final status (in the interface's language), which it follows.
        const ReadSummary &summary = m_reader.summary();
        if (status.ok())
            note = QCoreApplication::translate("quorel::StatusLine", summary.status.c_str())
                + QStringLiteral(" \u2014 ") + note;
        emit statusChanged(note, summary.statusColor);
    }
    if (!status.ok())
        warn(QString::fromStdString(status.message()));
    if (closing)
        emit closeRequested();
    redraw();
    if (auto done = std::exchange(m_readDone, {}))
        done(status.ok());
}

void Document::takeReadStyle()
{
    // The user may have changed the style while the file was read: only what the file's
    // parameter lines changed is taken over, the way a parameter line sets its field.
    DiagramStyle style = m_style;
    for (const DisplayParameter &parameter : displayParameters()) {
        const std::string value = parameter.text(m_readStyle);
        if (value != parameter.text(m_styleBeforeRead))
            parameter.apply(style, value);
    }
    setStyle(style);
}

void Document::writeBackCurrentFile()
{
    // A file whose read was stopped early has parameter lines the style never saw; writing
    // the style back would replace them with other values, so it is left alone.
    if (m_writeBack && !m_currentFile.empty() && m_currentFileComplete && !m_randomGraph)
        m_writeBack(m_currentFile, m_style);
}

void Document::setShowSignificanceBand(bool on)
{
    if (std::exchange(m_showBand, on) != on)
        emit marksChanged();
}

void Document::setShowMeanDirection(bool on)
{
    if (std::exchange(m_showMeanDirection, on) != on)
        emit marksChanged();
}

void Document::setRingLabels(bool on)
{
    if (m_ringLabels == on)
        return;
    m_ringLabels = on;
    redraw();
}

void Document::setFitToWindow(bool on)
{
    if (m_fitToWindow == on)
        return;
    m_fitToWindow = on;
    emit fitToWindowChanged(on);
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

void Document::selectPetal(int sector, bool add)
{
    if (sector < 1 || sector > 36)
        return;
    if (!add)
        m_selectedPetals.reset();
    m_selectedPetals.set(static_cast<std::size_t>(sector - 1));
    // A petal of orientations stands for its sector and the opposite one.
    if (renderOptions().axial)
        m_selectedPetals.set(static_cast<std::size_t>((sector + 17) % 36));
    emit petalsSelected(add);
}

void Document::setOutlinedPetals(SectorSet petals)
{
    if (petals == m_outlinedPetals)
        return;
    m_outlinedPetals = petals;
    emit outlineChanged();
}

PetalLayout Document::petalLayout() const
{
    return quorel::petalLayout(m_counts, m_maxCount, renderOptions());
}

void Document::redraw()
{
    // A read without measurements keeps the previous maximum, as the sector arrays do.
    Result<Picture> drawn =
        renderRoseDiagram(m_style, m_counts, m_maxCount, m_randomGraph, renderOptions());
    if (!drawn) {
        // The previous picture stays.
        warn(QString::fromStdString(drawn.message()));
        return;
    }
    m_picture = std::move(drawn).value();
    emit pictureChanged();
}

void Document::warn(const QString &text)
{
    emit warning(text);
}

} // namespace quorel
