// The dips of arbitrary bytes: every measurement the rose reads has either a dip from 0 to 90 or
// its line in the list of those without; the figures and the density of what is plotted are
// numbers or undefined, never NaN or infinite.
#include "fuzzcheck.h"

#include "core/data/lineclassifier.h"
#include "core/stereonet/density.h"
#include "core/stereonet/dipreader.h"
#include "core/stereonet/sphericalstats.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const char separator = (data[0] & 1) ? ',' : '.';
    const auto meaning = static_cast<AzimuthMeaning>((data[0] >> 1) % 3);
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);
    const DipReading reading = readDips(bytes, separator);

    // As many as the rose counts, in file order.
    LineClassifier classifier(separator);
    LineCursor cursor(textBeforeNul(bytes));
    std::string_view line;
    std::size_t measurements = 0;
    while (cursor.next(line))
        measurements += classifier.classify(line).kind == LineKind::Measurement ? 1 : 0;
    FUZZ_CHECK(reading.measurements.size() + reading.withoutDip.size() == measurements);
    std::size_t last = 0;
    std::vector<Vector3> vectors;
    for (const DipMeasurement &m : reading.measurements) {
        FUZZ_CHECK(m.line > last);
        last = m.line;
        FUZZ_CHECK(m.dip >= 0 && m.dip <= 90);
        FUZZ_CHECK(m.azimuth >= 0 && m.azimuth <= 360);
        vectors.push_back(unitVector(plottedDirection(m.azimuth, m.dip, meaning)));
    }
    for (std::size_t k = 1; k < reading.withoutDip.size(); ++k)
        FUZZ_CHECK(reading.withoutDip[k] > reading.withoutDip[k - 1]);

    const SphericalStatistics stats = sphericalStatistics(vectors);
    for (const auto &figure :
         {stats.meanResultantLength, stats.kappa, stats.alpha95, stats.woodcockK, stats.woodcockC})
        FUZZ_CHECK(!figure || std::isfinite(*figure));
    if (!vectors.empty()) {
        const double density = kambDensity(vectors, vectors.front());
        FUZZ_CHECK(std::isfinite(density) && density > 0);
    }
    return 0;
}
