#include "gui/stereonet/stereonetdata.h"

#include <algorithm>

namespace quorel {

namespace {

constexpr int densityNodes = 100;

} // namespace

std::size_t StereonetData::rowOf(std::size_t k) const
{
    // Before it come the k plotted measurements and those without a dip on earlier lines.
    const std::vector<std::size_t> &without = dips->withoutDip;
    const std::size_t line = dips->measurements[k].line;
    return k
        + static_cast<std::size_t>(std::lower_bound(without.begin(), without.end(), line)
                                   - without.begin());
}

std::pair<std::size_t, std::size_t> StereonetData::plottedInRows(std::size_t first,
                                                                 std::size_t last) const
{
    // Rows grow with the plotted index, so the plotted measurements of a range of rows are a
    // range of their own.
    const std::size_t count = plotted.size();
    const auto firstAtOrAfter = [this, count](std::size_t row) {
        std::size_t low = 0;
        std::size_t high = count;
        while (low < high) {
            const std::size_t mid = low + (high - low) / 2;
            if (rowOf(mid) < row)
                low = mid + 1;
            else
                high = mid;
        }
        return low;
    };
    const std::size_t begin = firstAtOrAfter(first);
    const std::size_t end =
        last == std::numeric_limits<std::size_t>::max() ? count : firstAtOrAfter(last + 1);
    return {begin, std::max(begin, end)};
}

StereonetData makeStereonetData(const StereonetRequest &request,
                                std::shared_ptr<const DipReading> dips)
{
    StereonetData data;
    data.meaning = request.meaning;
    if (request.failed) {
        data.source = StereonetData::Source::ReadFailed;
        return data;
    }
    if (dips) {
        data.dips = std::move(dips);
    } else if (!request.path.empty() && !request.randomGraph) {
        Result<DipReading> reading = readDipFile(request.path, request.decimalSeparator);
        if (!reading) {
            data.source = StereonetData::Source::DipsUnreadable;
            data.message = reading.message();
            return data;
        }
        // A read stopped early: the table holds the measurements up to its last line only.
        const auto after = [&request](std::size_t line) {
            return line > request.lastLine;
        };
        std::erase_if(reading->measurements,
                      [&after](const DipMeasurement &m) { return after(m.line); });
        std::erase_if(reading->withoutDip, after);
        data.dips = std::make_shared<const DipReading>(std::move(*reading));
    }
    const DipReading &reading = *data.dips;
    data.rowsMatch =
        reading.measurements.size() + reading.withoutDip.size() == request.measurementCount;
    data.plotted.reserve(reading.measurements.size());
    std::vector<Vector3> vectors;
    vectors.reserve(reading.measurements.size());
    for (const DipMeasurement &m : reading.measurements) {
        data.plotted.push_back(plottedDirection(m.azimuth, m.dip, request.meaning));
        vectors.push_back(unitVector(data.plotted.back()));
    }
    data.stats = sphericalStatistics(vectors);
    return data;
}

DensityGrid stereonetDensity(std::span<const Direction> plotted, NetKind net)
{
    std::vector<Vector3> vectors;
    vectors.reserve(plotted.size());
    for (const Direction &d : plotted)
        vectors.push_back(unitVector(d));
    return densityGrid(vectors, densityNodes, net, true);
}

} // namespace quorel
