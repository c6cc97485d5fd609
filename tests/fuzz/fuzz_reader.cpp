// Line classification and the whole data reader on arbitrary bytes. The first byte picks the
// user's decimal separator; the rest is the file.
#include "fuzzcheck.h"

#include "core/data/datareader.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace quorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    constexpr char separators[] = {'.', ','};
    const char separator = separators[data[0] % sizeof separators];
    const std::string_view bytes(reinterpret_cast<const char *>(data) + 1, size - 1);

    LineClassifier classifier(separator);
    LineCursor cursor(bytes);
    std::string_view line;
    std::size_t lines = 0;
    std::size_t measurements = 0;
    std::size_t invalid = 0;
    while (cursor.next(line)) {
        ++lines;
        FUZZ_CHECK(line.find('\n') == std::string_view::npos);
        FUZZ_CHECK(line.find('\r') == std::string_view::npos);
        const ClassifiedLine c = classifier.classify(line);
        if (c.kind == LineKind::Measurement) {
            ++measurements;
            FUZZ_CHECK(std::isfinite(c.degrees));
            FUZZ_CHECK(c.degrees >= 0 && c.degrees <= 360);
            FUZZ_CHECK(!c.azimuth.empty());
        } else if (c.kind == LineKind::Invalid) {
            ++invalid;
        } else if (c.kind == LineKind::Parameter) {
            FUZZ_CHECK(line.find('=') != std::string_view::npos);
        }
    }
    FUZZ_CHECK(lines == countLines(bytes));

    DataReader reader(separator);
    DiagramStyle style = DiagramStyle::firstRun();
    reader.loadBytes("fuzz.qrl", bytes, style);
    const ReadSummary &summary = reader.summary();
    FUZZ_CHECK(summary.lineCount == lines);
    FUZZ_CHECK(summary.processedLines == lines);
    FUZZ_CHECK(summary.errorCount == invalid);
    FUZZ_CHECK(reader.measurements().size() == measurements);
    std::size_t binned = 0;
    for (const auto count : reader.sectors().counts)
        binned += static_cast<std::size_t>(count);
    FUZZ_CHECK(binned == measurements);
    (void)reader.errorReportLines();
    return 0;
}
