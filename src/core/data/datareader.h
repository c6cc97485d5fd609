#pragma once

#include "core/data/measurementstore.h"
#include "core/data/readprogress.h"
#include "core/data/readreport.h"
#include "core/data/readtexts.h"
#include "core/data/sectorarrays.h"
#include "core/data/textlist.h"
#include "core/data/threadpolicy.h"
#include "core/diagram/color.h"
#include "core/util/result.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorel {

struct DiagramStyle;
class LineClassifier;
struct RegionPart;

// What one read gives: the measurement list, the sector arrays, the lines that are not
// measurements and the read's figures. A read fills a fresh one; the window takes it over whole
// when the read has ended and never changes it afterwards.
struct ReadResult
{
    MeasurementStore measurements;
    SectorArrays sectors;
    ErrorReport report;
    ReadSummary summary;
};

// The data file reader. Reads a file in blocks that end at line ends,
// classifies every line (measurements into the store, parameter lines onto the style, invalid
// lines into the error report), then bins the measurements into the sector arrays. It does not
// draw; callers redraw once afterwards. It keeps the results of the last read: the measurement
// list, the sector arrays (left as they were by a failed read) and the error report. One read at
// a time; a large region of a file is cut at line ends and its parts are classified on several
// threads at once (as the thread policy allows), joined in file order, so the results
// (numbering, the report, the order parameter lines apply in, where a stopped read stops) are
// those of a read line by line.
class DataReader
{
public:
    // `decimalSeparator`: the user's locale decimal separator, used for every read.
    explicit DataReader(char decimalSeparator, ThreadPolicy threads = ThreadPolicy::automatic());
    ~DataReader();
    DataReader(const DataReader &) = delete;
    DataReader &operator=(const DataReader &) = delete;

    char decimalSeparator() const { return m_separator; }
    void setDecimalSeparator(char separator) { m_separator = separator; }

    // Reads the file at `path`. A file that cannot be read (or that is not a regular file: a
    // folder, FIFO or device is refused before anything is read) gives a failure with the
    // system's message; the report then holds the "File: " line and the dashes, the
    // measurement list is empty and the sector arrays are those of the previous read. A file too
    // large for the memory fails the same way (with the sector arrays emptied). Parameter lines
    // are applied to `style`, after the parameters a file may leave out have been set to their
    // defaults. With `progress` the file is read twice, first to count its lines; the read tells
    // it how far it has come and stops where it asks (also while counting).
    Status load(const std::string &path, DiagramStyle &style, ReadProgress *progress = nullptr,
                bool randomGraph = false);

    // As load(), with the file's bytes already in hand (never fails).
    void loadBytes(const std::string &path, std::string_view bytes, DiagramStyle &style,
                   ReadProgress *progress = nullptr, bool randomGraph = false);

    [[nodiscard]] const MeasurementStore &measurements() const { return m_result.measurements; }
    [[nodiscard]] const SectorArrays &sectors() const { return m_result.sectors; }
    [[nodiscard]] const ErrorReport &errorReport() const { return m_result.report; }
    // The report in the lines the Errors window shows, in English.
    [[nodiscard]] std::vector<std::string> errorReportLines() const;
    [[nodiscard]] const ReadSummary &summary() const { return m_result.summary; }
    // Hands over what the last read gave; the reader is left empty (sector arrays included).
    [[nodiscard]] ReadResult takeResult() { return std::exchange(m_result, ReadResult {}); }

    // Files are read in blocks of this many bytes (a line may be longer); tests make it small.
    void setBlockSize(std::size_t bytes) { m_blockSize = bytes; }
    void setThreadPolicy(ThreadPolicy threads) { m_threads = threads; }
    // False leaves the sector lists empty after a read (counts and maximum still set): for
    // callers that only draw, as joining the lists copies every stored text once more.
    void setSectorListsWanted(bool wanted) { m_sectorListsWanted = wanted; }
    // False keeps no measurement texts at all, only the counts of each sector and the values'
    // tally for the statistics (implies no sector lists): for callers that draw and never list
    // a measurement. Nothing per line stays in memory, and nothing is copied between threads.
    void setMeasurementsKept(bool kept) { m_measurementsKept = kept; }

private:
    static constexpr std::size_t piecesPerThread = 4;

    void begin(const std::string &path, ReadProgress *progress, bool randomGraph);
    Status readFile(const std::string &path, DiagramStyle &style, ReadProgress *progress);
    void setStatus(StatusLine status);
    void startLines(ReadProgress *progress);
    // Handles the region's lines, numbering on from `line`; false when the read was stopped.
    bool readRegion(std::string_view region, LineClassifier &classifier, std::size_t &line,
                    DiagramStyle &style, ReadProgress *progress);
    // Classifies pieces[first..] into m_parts[set] on `threads` threads, this one included,
    // after this thread's `ownWork`; when that returns false (the read was stopped),
    // the others take no further piece. `helperWork` runs first on the first helper thread
    // (on this one when there is none).
    void classifyParts(const std::vector<std::string_view> &pieces, std::size_t first,
                       std::size_t set, std::size_t threads, char separator,
                       const std::function<bool()> &ownWork,
                       const std::function<void()> &helperWork);
    // Appends the parts of pieces first..end-1 in m_parts[set] to the read's own lists, the
    // lines numbered on from `line`.
    void joinParts(std::size_t set, std::size_t first, std::size_t end, std::size_t &line,
                   DiagramStyle &style);
    // Joins the parts of the region before, when they wait.
    void joinPending(std::size_t &line, DiagramStyle &style);
    void endLines(std::size_t line, ReadProgress *progress);
    void finish(ReadProgress *progress);

    char m_separator;
    ReadResult m_result;
    std::size_t m_blockSize = std::size_t(4) << 20;
    ThreadPolicy m_threads;
    bool m_sectorListsWanted = true;
    bool m_measurementsKept = true;
    // Whether this read still classifies on several threads.
    ThreadFallback m_fallback {m_threads};
    // The parts of the region being read, kept between regions so their room is reused; two
    // sets, so that a read without a progress joins one region's parts while the next region
    // is classified.
    std::array<std::vector<RegionPart>, 2> m_parts;
    std::size_t m_nextSet = 0;
    struct PendingJoin
    {
        std::size_t set = 0;
        std::size_t count = 0;
    };
    std::optional<PendingJoin> m_pendingJoin;
};

} // namespace quorel
