#pragma once

// The stereonet of a finished read: the file's dips, read in a pass of their own, turned into the
// directions the net plots and their statistics. Made off the GUI thread and never changed
// afterwards, so the page's thread makes it and the GUI thread reads it.

#include "core/diagram/diagramstyle.h"
#include "core/stereonet/density.h"
#include "core/stereonet/dipreader.h"
#include "core/stereonet/orientation.h"
#include "core/stereonet/sphericalstats.h"

#include <cstddef>
#include <limits>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace quorel {

// What making the data needs of the document's last read, copied so that it may travel.
struct StereonetRequest
{
    std::string path; // empty: nothing was read
    char decimalSeparator = '.';
    AzimuthMeaning meaning = AzimuthMeaning::DipDirection;
    // A read stopped early shows the measurements up to this line; the later ones are left off.
    std::size_t lastLine = std::numeric_limits<std::size_t>::max();
    std::size_t measurementCount = 0; // the rows of the measurement table
    bool failed = false; // the read could not read the file at all
    bool randomGraph = false; // a random graph has no dips, and its file is gone
};

struct StereonetData
{
    enum class Source {
        Read, // the dips of the file, or none (nothing read, a random graph)
        ReadFailed, // the read itself failed: there is nothing to show
        DipsUnreadable, // the file could not be read again; `message` says why
    };
    Source source = Source::Read;
    std::string message;
    AzimuthMeaning meaning = AzimuthMeaning::DipDirection;
    // Shared between the data of one read under different meanings of the azimuth.
    std::shared_ptr<const DipReading> dips = std::make_shared<const DipReading>();
    std::vector<Direction> plotted; // one per dips->measurements entry: a pole or a line
    SphericalStatistics stats;
    // Whether the file read again holds the measurements the table shows (it may have been
    // changed since): only then do the poles name their rows.
    bool rowsMatch = false;

    bool poles() const { return meaning != AzimuthMeaning::Trend; }
    // The measurement table's row of plotted measurement `k`: the valid measurements are its
    // rows, those without a dip among them.
    std::size_t rowOf(std::size_t k) const;
    // The plotted measurements whose rows lie in first..last, as [begin, end).
    std::pair<std::size_t, std::size_t> plottedInRows(std::size_t first, std::size_t last) const;
};

// Reads the dips of the request's file and works out what the net plots; with `dips` (of the same
// read) the file is not read again, only the azimuth's meaning applied anew.
[[nodiscard]] StereonetData makeStereonetData(const StereonetRequest &request,
                                              std::shared_ptr<const DipReading> dips = {});

// The density the contours of `plotted` are drawn from, on the grid the picture uses.
[[nodiscard]] DensityGrid stereonetDensity(std::span<const Direction> plotted, NetKind net);

} // namespace quorel
