#pragma once

#include "core/data/measurementstore.h"
#include "core/data/readobserver.h"
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
#include <vector>

namespace quorel {

struct DiagramStyle;
class LineClassifier;
struct RegionPart;

// The error report's fixed texts.
inline constexpr std::string_view reportDashes = "--------------------------------------";

// Figures and texts of the last read.
struct ReadSummary
{
    std::string path; // as given
    std::size_t lineCount = 0; // lines in the file (before its first NUL)
    std::size_t processedLines = 0; // lines fully handled (equals lineCount unless cancelled)
    std::size_t errorCount = 0; // invalid measurement lines
    std::size_t firstInvalidLine = 0; // the first of them (counted from 1), 0 without one
    // Where a NUL byte ended the text (0-based byte offset): the file is not text (UTF-16, a
    // binary) and its lines after that byte were not read. Only for a read that got there.
    std::optional<std::size_t> nulOffset;
    bool cancelled = false;
    bool randomGraph = false;
    std::string status; // the final status-line text (readtexts.h words it)
    Color statusColor = clWindowText;
    std::string caption; // "Quorel - /full/path" or "Quorel - RANDOM GRAPH"
    std::string appTitle; // "name.qrl - Quorel" or "RANDOM GRAPH - Quorel"
};

// The data file reader: makes a file the current one. Reads it in blocks that end at line ends,
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

    // Reads the file at `path`. A file that cannot be read gives a failure with the system's
    // message; by then the observer has been told the new file name, titles and recent entry,
    // the report holds the "File: " line and the dashes, the measurement list is empty and the
    // sector arrays are those of the previous read. A file too large for the memory fails the
    // same way (with the sector arrays emptied). Parameter lines are applied to `style`, after the
    // parameters a file may leave out have been set to their defaults. With an observer the file is
    // read twice: first to count its lines for the progress.
    Status load(const std::string &path, DiagramStyle &style, ReadObserver *observer = nullptr,
                bool randomGraph = false);

    // As load(), with the file's bytes already in hand (never fails).
    void loadBytes(const std::string &path, std::string_view bytes, DiagramStyle &style,
                   ReadObserver *observer = nullptr, bool randomGraph = false);

    [[nodiscard]] const MeasurementStore &measurements() const { return m_store; }
    [[nodiscard]] const SectorArrays &sectors() const { return m_sectors; }
    // The error report as a list of entries; an invalid-line entry is one text with embedded
    // CR LF ("Invalid data in line: N\r\n\"TEXT\" is not a number !\r\n").
    [[nodiscard]] const TextList &errorReport() const { return m_report; }
    // The report split into the lines the Errors window shows.
    [[nodiscard]] std::vector<std::string> errorReportLines() const;
    [[nodiscard]] const ReadSummary &summary() const { return m_summary; }

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

    void begin(const std::string &path, ReadObserver *observer, bool randomGraph);
    // The file's lines; `linesEnded` tells whether the observer heard that they ended.
    Status readFile(const std::string &path, DiagramStyle &style, ReadObserver *observer,
                    bool &linesEnded);
    void setStatus(StatusLine status, ReadObserver *observer);
    void startLines(ReadObserver *observer);
    // Handles the region's lines, numbering on from `line`; false when the observer stopped.
    bool readRegion(std::string_view region, LineClassifier &classifier, std::size_t &line,
                    DiagramStyle &style, ReadObserver *observer);
    // Classifies pieces[first..] into m_parts[set] on `threads` threads, this one included,
    // after this thread's `ownWork`; when that returns false (the observer stopped the read),
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
    void endLines(std::size_t line, ReadObserver *observer);
    void finish(ReadObserver *observer);

    char m_separator;
    MeasurementStore m_store;
    SectorArrays m_sectors;
    TextList m_report;
    ReadSummary m_summary;
    std::size_t m_blockSize = std::size_t(4) << 20;
    ThreadPolicy m_threads;
    bool m_sectorListsWanted = true;
    bool m_measurementsKept = true;
    // Whether this read still classifies on several threads.
    ThreadFallback m_fallback {m_threads};
    // The parts of the region being read, kept between regions so their room is reused; two
    // sets, so that a read without an observer joins one region's parts while the next region
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

// An error report's entries split into displayed lines: every CR LF inside an entry starts a
// new line, so an invalid-line entry shows as three lines (the last one empty).
[[nodiscard]] std::vector<std::string> reportLines(const TextList &report);

} // namespace quorel
