#pragma once

// The stereonet page's own document. The document's read finishes -> the data of that read are
// dropped -> once the page is shown (or the report asks) the page's thread reads the file's
// dips and works out the plotted directions and their figures (and the density when contours
// are asked for) -> one queued call hands them over, immutable; a newer read or another meaning
// of the azimuth drops what an older computation hands over -> the picture is drawn from them on
// the GUI thread, once per turn of the event loop after any change (with contours, on the page's
// thread). The GUI thread never waits for the page's thread.

#include "core/diagram/picture.h"
#include "core/stereonet/density.h"
#include "core/stereonet/stereonetrenderer.h"
#include "core/util/result.h"
#include "gui/stereonet/stereonetdata.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace quorel {

class Document;

class StereonetDocument : public QObject
{
    Q_OBJECT

public:
    // What the net shows: settings of the program, not of a file.
    struct Options
    {
        NetKind net = NetKind::Schmidt;
        bool greatCircles = false; // planes as great circles instead of poles
        bool contours = false;
        bool mean = false; // the mean and its cone of confidence
        bool girdle = false; // the best-fit girdle and its beta axis
        bool netLines = false; // the 10 degree net
        friend bool operator==(const Options &, const Options &) = default;
    };

    explicit StereonetDocument(const Document &document, QObject *parent = nullptr);
    ~StereonetDocument() override;

    const Options &options() const { return m_options; }
    void setOptions(const Options &options);

    // Whether the data are wanted (the page is shown): they are worked out for the document's
    // last read, and again after every read, while they are.
    bool isWanted() const { return m_wanted; }
    void setWanted(bool wanted);
    // Calls `ready` as soon as the data (and the density, when contours are shown) of the
    // current read are at hand, at once when they are; never when a read finishes first.
    void whenReady(std::function<void()> ready);

    // Whether the page's thread is working out data or a density the page waits for.
    bool isComputing() const { return m_dataJob || m_densityJob; }
    // The data of the last read under the azimuth's meaning in force; nullptr until they are
    // worked out.
    const StereonetData *data() const;
    std::shared_ptr<const StereonetData> sharedData() const;
    // The density of the data on the net in force; nullptr until it is worked out.
    const DensityGrid *density() const;

    // The separator of the numbers the page and the picture show: the document's.
    char decimalSeparator() const;

    // The picture of the net as the page shows it, in the interface's language, drawn from what
    // is at hand (an empty net until the data are in). Asked for before the next turn of the
    // event loop after a change, it is drawn at once.
    const Picture &picture() const;
    // The same picture with other words (the report's English ones).
    [[nodiscard]] Result<Picture> pictureWith(const StereonetWords &words) const;
    // The legend's words in the interface's language.
    static StereonetWords screenWords(bool poles);

signals:
    void computingChanged(bool computing);
    // The data or the density were handed over, or dropped.
    void dataChanged();
    void optionsChanged();
    void pictureChanged();

private:
    void readFinished();
    // Starts what is missing for the current read, meaning and net, or calls the waiters.
    void update();
    void startData();
    void startDensity();
    void setJobs(bool data, bool density);
    void runOnWorker(std::function<void()> job);
    void scheduleRedraw();
    void announcePicture();
    StereonetOptions renderOptions(const StereonetWords &words) const;
    // Draws the picture on the page's thread and hands it over, unless a change came since.
    void drawOnWorker();

    const Document &m_document;
    Options m_options;
    bool m_wanted = false;
    std::vector<std::function<void()>> m_waiters;

    // Every finished read starts a generation; what a computation hands over for an older one
    // is dropped.
    quint64 m_generation = 0;
    std::shared_ptr<const StereonetData> m_data;
    std::shared_ptr<const DensityGrid> m_density;
    // What m_density is the density of: the meaning of the azimuth and the net.
    AzimuthMeaning m_densityMeaning = AzimuthMeaning::DipDirection;
    NetKind m_densityNet = NetKind::Schmidt;
    bool m_dataJob = false;
    bool m_densityJob = false;

    mutable Picture m_picture;
    mutable bool m_pictureStale = true;
    mutable bool m_pictureUnannounced = false;
    quint64 m_pictureRequest = 0; // one more with every change to the picture
    QTimer m_redrawTimer;

    QThread m_thread;
    std::unique_ptr<QObject> m_worker; // lives in m_thread; jobs are queued to it
};

} // namespace quorel
