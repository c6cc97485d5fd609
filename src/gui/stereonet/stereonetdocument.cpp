#include "gui/stereonet/stereonetdocument.h"

#include "gui/document/document.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <exception>
#include <limits>

namespace quorel {

namespace {

// What a computation of the data needs of the document's last read.
StereonetRequest requestOf(const Document &document)
{
    const ReadSummary &summary = document.result().summary;
    StereonetRequest request;
    request.path = summary.path;
    request.decimalSeparator = document.decimalSeparator();
    request.meaning = document.style().azimuthMeaning();
    if (summary.cancelled)
        request.lastLine = summary.processedLines;
    request.measurementCount = document.measurementCount();
    request.failed = summary.failed;
    request.randomGraph = summary.randomGraph;
    return request;
}

} // namespace

StereonetDocument::StereonetDocument(const Document &document, QObject *parent)
    : QObject(parent)
    , m_document(document)
    , m_worker(std::make_unique<QObject>())
{
    m_redrawTimer.setSingleShot(true);
    m_redrawTimer.setInterval(0);
    connect(&m_redrawTimer, &QTimer::timeout, this, &StereonetDocument::announcePicture);
    connect(&document, &Document::readFinished, this, &StereonetDocument::readFinished);
    connect(&document, &Document::styleChanged, this, [this] {
        // A size or colour draws anew; another meaning of the azimuth needs other data.
        scheduleRedraw();
        update();
    });
    m_thread.setObjectName(QStringLiteral("stereonet"));
    m_worker->moveToThread(&m_thread);
    m_thread.start();
    // The page's thread works for seconds on a large file with a core to itself at most; ten
    // steps of niceness leave the GUI thread the CPU whenever it has something to do, so the
    // window goes on painting and taking input while the net is worked out. Linux keeps the
    // niceness per thread; where it cannot be raised the thread just runs as it is.
    runOnWorker([] {
        const id_t self = static_cast<id_t>(gettid());
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, self);
        if (errno == 0)
            static_cast<void>(setpriority(PRIO_PROCESS, self, std::min(nice + 10, 19)));
    });
}

StereonetDocument::~StereonetDocument()
{
    // A computation under way finishes first; what it would hand over is dropped with this
    // object.
    m_thread.quit();
    m_thread.wait();
    m_worker.reset();
}

void StereonetDocument::runOnWorker(std::function<void()> job)
{
    QMetaObject::invokeMethod(m_worker.get(), std::move(job), Qt::QueuedConnection);
}

void StereonetDocument::setOptions(const Options &options)
{
    if (m_options == options)
        return;
    m_options = options;
    emit optionsChanged();
    scheduleRedraw();
    update();
}

void StereonetDocument::setWanted(bool wanted)
{
    if (m_wanted == wanted)
        return;
    m_wanted = wanted;
    if (wanted) {
        scheduleRedraw();
        update();
    }
}

void StereonetDocument::whenReady(std::function<void()> ready)
{
    m_waiters.push_back(std::move(ready));
    update();
}

const StereonetData *StereonetDocument::data() const
{
    return sharedData().get();
}

std::shared_ptr<const StereonetData> StereonetDocument::sharedData() const
{
    if (!m_data || m_data->meaning != m_document.style().azimuthMeaning())
        return nullptr;
    return m_data;
}

const DensityGrid *StereonetDocument::density() const
{
    const StereonetData *current = data();
    if (!current || !m_density || m_densityMeaning != current->meaning
        || m_densityNet != m_options.net)
        return nullptr;
    return m_density.get();
}

char StereonetDocument::decimalSeparator() const
{
    return m_document.decimalSeparator();
}

void StereonetDocument::readFinished()
{
    ++m_generation;
    m_data.reset();
    m_density.reset();
    // Who waited for the file before this one gets nothing.
    m_waiters.clear();
    emit dataChanged();
    scheduleRedraw();
    update();
}

void StereonetDocument::update()
{
    if ((!m_wanted && m_waiters.empty()) || m_document.isReading())
        return;
    if (!data()) {
        if (!m_dataJob)
            startData();
        return;
    }
    if (m_options.contours && !data()->plotted.empty() && !density()) {
        if (!m_densityJob)
            startDensity();
        return;
    }
    // Called after the list is taken: a waiter may ask again.
    for (const std::function<void()> &ready : std::exchange(m_waiters, {}))
        ready();
}

void StereonetDocument::setJobs(bool data, bool density)
{
    const bool before = isComputing();
    m_dataJob = data;
    m_densityJob = density;
    if (isComputing() != before)
        emit computingChanged(isComputing());
}

void StereonetDocument::startData()
{
    setJobs(true, m_densityJob);
    // The dips of this read are read once; another meaning of the azimuth reuses them.
    std::shared_ptr<const DipReading> dips;
    if (m_data)
        dips = m_data->dips;
    runOnWorker(
        [this, request = requestOf(m_document), dips = std::move(dips), generation = m_generation] {
            std::shared_ptr<const StereonetData> made;
            try {
                made = std::make_shared<const StereonetData>(makeStereonetData(request, dips));
            } catch (const std::exception &error) {
                // Nothing thrown may cross into the event loop; too little memory is said as such.
                StereonetData failed;
                failed.source = StereonetData::Source::DipsUnreadable;
                failed.meaning = request.meaning;
                failed.message = error.what();
                made = std::make_shared<const StereonetData>(std::move(failed));
            }
            QMetaObject::invokeMethod(
                this,
                [this, made, generation] {
                    if (generation == m_generation) {
                        m_data = made;
                        emit dataChanged();
                        scheduleRedraw();
                    }
                    setJobs(false, m_densityJob);
                    update();
                },
                Qt::QueuedConnection);
        });
}

void StereonetDocument::startDensity()
{
    setJobs(m_dataJob, true);
    std::shared_ptr<const StereonetData> of = sharedData();
    const NetKind net = m_options.net;
    runOnWorker([this, of, net, generation = m_generation] {
        std::shared_ptr<const DensityGrid> grid;
        try {
            grid = std::make_shared<const DensityGrid>(stereonetDensity(of->plotted, net));
        } catch (const std::exception &) {
            grid = std::make_shared<const DensityGrid>(); // no contours rather than none at all
        }
        QMetaObject::invokeMethod(
            this,
            [this, grid, net, meaning = of->meaning, generation] {
                if (generation == m_generation) {
                    m_density = grid;
                    m_densityMeaning = meaning;
                    m_densityNet = net;
                    emit dataChanged();
                    scheduleRedraw();
                }
                setJobs(m_dataJob, false);
                update();
            },
            Qt::QueuedConnection);
    });
}

void StereonetDocument::scheduleRedraw()
{
    m_pictureStale = true;
    ++m_pictureRequest;
    if (m_wanted)
        m_redrawTimer.start();
}

const Picture &StereonetDocument::picture() const
{
    if (m_pictureStale) {
        m_pictureStale = false;
        Result<Picture> drawn = pictureWith(screenWords(!data() || data()->poles()));
        // A size that is no number keeps the picture before; the rose's page says why.
        if (drawn) {
            m_picture = std::move(drawn).value();
            m_pictureUnannounced = true;
        }
    }
    return m_picture;
}

Result<Picture> StereonetDocument::pictureWith(const StereonetWords &words) const
{
    static const StereonetData nothing;
    const StereonetData &shown = data() ? *data() : nothing;
    return renderStereonet(m_document.style(), shown.plotted, shown.poles(), shown.stats,
                           renderOptions(words));
}

StereonetOptions StereonetDocument::renderOptions(const StereonetWords &words) const
{
    StereonetOptions options;
    options.net = m_options.net;
    options.greatCircles = m_options.greatCircles;
    options.gridLines = m_options.netLines;
    options.mean = m_options.mean;
    options.girdle = m_options.girdle;
    // Never worked out here: the contours come when their density has been handed over.
    options.density = density();
    options.contours = m_options.contours && options.density;
    options.decimalSeparator = m_document.decimalSeparator();
    options.words = words;
    return options;
}

void StereonetDocument::drawOnWorker()
{
    const quint64 request = m_pictureRequest;
    std::shared_ptr<const StereonetData> shown = sharedData();
    std::shared_ptr<const DensityGrid> grid = m_density;
    StereonetOptions options = renderOptions(screenWords(shown->poles()));
    runOnWorker([this, request, shown, grid, options, style = m_document.style()] {
        std::shared_ptr<const Picture> drawn;
        try {
            if (Result<Picture> result =
                    renderStereonet(style, shown->plotted, shown->poles(), shown->stats, options))
                drawn = std::make_shared<const Picture>(std::move(result).value());
        } catch (const std::exception &) {
            // Too little memory for the picture: the one before stays.
        }
        QMetaObject::invokeMethod(
            this,
            [this, request, drawn] {
                // A change since asks for another picture, already on its way.
                if (request != m_pictureRequest)
                    return;
                // A picture that could not be drawn leaves the one before, as on this thread.
                if (m_pictureStale) {
                    if (drawn)
                        m_picture = *drawn;
                    m_pictureStale = false;
                }
                m_pictureUnannounced = false;
                emit pictureChanged();
            },
            Qt::QueuedConnection);
    });
}

StereonetWords StereonetDocument::screenWords(bool poles)
{
    StereonetWords words;
    words.contourLegend =
        tr("Contours every %1σ (exponential Kamb, σ = %2), maximum %3σ").toStdString();
    words.thinnedLegend = poles ? tr("%1 of %2 poles drawn (one in %3)").toStdString()
                                : tr("%1 of %2 lines drawn (one in %3)").toStdString();
    words.meanLegend = tr("Mean %1, α95 = %2°").toStdString();
    words.meanWithoutConeLegend = tr("Mean %1").toStdString();
    words.girdleLegend = tr("Girdle %1, β axis %2").toStdString();
    return words;
}

void StereonetDocument::announcePicture()
{
    // The contours of a large file are tens of thousands of pieces, too long to draw between two
    // turns of the event loop: the page's thread draws them, and the page shows the picture
    // before them until they come (asked for at once, as by Save, the picture is drawn here).
    if (m_pictureStale && data() && density()) {
        drawOnWorker();
        return;
    }
    picture();
    if (std::exchange(m_pictureUnannounced, false))
        emit pictureChanged();
}

} // namespace quorel
