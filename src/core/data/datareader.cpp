#include "core/data/datareader.h"

#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"
#include "core/util/files.h"
#include "core/util/numbers.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <functional>
#include <future>
#include <limits>
#include <memory>
#include <new>
#include <stdexcept>
#include <system_error>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace quorel {

// What one piece of a region gives when it is classified apart from the read's own lists:
// joined into them afterwards in file order, with the line numbers then known.
struct RegionPart
{
    std::size_t lines = 0;
    MeasurementStore store;
    std::vector<std::size_t> invalidLines; // counted from the piece's first line (1)
    TextList invalidTexts; // what the report quotes for each
    std::vector<std::pair<std::string, std::string>> parameters; // in file order

    void reset()
    {
        lines = 0;
        store.reset();
        invalidLines.clear();
        invalidTexts.reset();
        parameters.clear();
    }
};

namespace {

// A data file read in blocks and handed out as regions that end at line ends, so that no line
// is split between two regions: a CR at the end of a block waits for a possible LF. The text
// ends at the first NUL byte. Reading in blocks keeps a large file's bytes out of memory while
// its measurements are stored.
class BlockFile
{
public:
    explicit BlockFile(std::size_t blockSize)
        : m_blockSize(std::max<std::size_t>(blockSize, 1))
    { }
    ~BlockFile()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    BlockFile(const BlockFile &) = delete;
    BlockFile &operator=(const BlockFile &) = delete;

    // Opens a regular file; a folder, FIFO or device is refused at once, never waited on.
    Status open(const std::string &path)
    {
        m_path = path;
        m_fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return failure(ErrorKind::CannotOpen, errno);
        struct stat info
        { };
        if (::fstat(m_fd, &info) != 0)
            return failure(ErrorKind::CannotOpen, errno);
        if (S_ISDIR(info.st_mode))
            return failure(ErrorKind::CannotOpen, EISDIR);
        if (!S_ISREG(info.st_mode))
            return failure(ErrorKind::CannotOpen, notRegularFileReason);
        m_size = static_cast<std::size_t>(std::max<off_t>(info.st_size, 0));
        return success();
    }

    // The size when the file was opened.
    std::size_t size() const { return m_size; }
    // Where the last forEachRegion() found the NUL byte that ends the text.
    std::optional<std::size_t> nulOffset() const { return m_nulOffset; }

    // Calls visit(region) for each region from the start of the file until the text ends or
    // visit returns false.
    template<class Visit>
    Status forEachRegion(Visit &&visit)
    {
        if (::lseek(m_fd, 0, SEEK_SET) != 0)
            return failure(ErrorKind::CannotRead, errno);
        m_nulOffset.reset();
        std::size_t offset = 0; // of the next byte read
        // The buffer is never cleared before it is read into: a fresh block costs memory
        // only where the file's bytes land, so a small file does not pay for a large block.
        std::unique_ptr<char[]> buffer;
        std::size_t capacity = 0;
        std::size_t used = 0; // bytes held: a line not yet complete, then fresh bytes
        bool end = false;
        while (!end) {
            if (capacity - used < m_blockSize) {
                // A line longer than a block: the room grows to hold it.
                const std::size_t grown = std::max(used + m_blockSize, capacity * 2);
                auto larger = std::make_unique_for_overwrite<char[]>(grown);
                if (used > 0)
                    std::memcpy(larger.get(), buffer.get(), used);
                buffer = std::move(larger);
                capacity = grown;
            }
            const std::size_t kept = used;
            const ssize_t n = ::read(m_fd, buffer.get() + kept, m_blockSize);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return failure(ErrorKind::CannotRead, errno);
            }
            const std::string_view added(buffer.get() + kept, static_cast<std::size_t>(n));
            const std::size_t nul = added.find('\0');
            if (nul != std::string_view::npos)
                m_nulOffset = offset + nul;
            offset += added.size();
            used = kept + (nul == std::string_view::npos ? added.size() : nul);
            end = n == 0 || nul != std::string_view::npos;

            const std::string_view held(buffer.get(), used);
            const std::size_t complete = end ? used : completeLines(held, kept);
            if (complete > 0 && !visit(held.substr(0, complete)))
                return success();
            if (complete > 0 && complete < used)
                std::memmove(buffer.get(), buffer.get() + complete, used - complete);
            used -= complete;
        }
        return success();
    }

private:
    // Length of the buffer's leading part that ends at a line end. Only the bytes from `fresh`
    // on are new; the older ones hold no line end, except perhaps a CR held back at the end.
    static std::size_t completeLines(std::string_view buffer, std::size_t fresh)
    {
        std::size_t i = buffer.size();
        const std::size_t stop = fresh > 0 ? fresh - 1 : 0;
        while (i > stop) {
            const char c = buffer[i - 1];
            if (c == '\n')
                return i;
            if (c == '\r' && i < buffer.size())
                return i; // followed by a byte that is not LF
            --i;
        }
        return 0;
    }

    Error failure(ErrorKind kind, int reason) const { return fileError(kind, m_path, reason); }

    std::size_t m_blockSize;
    std::string m_path;
    std::size_t m_size = 0;
    std::optional<std::size_t> m_nulOffset;
    int m_fd = -1;
};

// Bytes of memory in the machine, or a gigabyte when the system does not say.
std::size_t physicalMemory()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return std::size_t(1) << 30;
    return static_cast<std::size_t>(pages) * static_cast<std::size_t>(pageSize);
}

void appendInvalidEntry(ErrorReport &report, std::size_t line, std::string_view text)
{
    report.invalidLines.push_back(line);
    report.invalidTexts.append(text);
}

// Where classified lines go: the read's own lists and style, or a part of its own.
struct LineTarget
{
    MeasurementStore &store;
    DiagramStyle *style = nullptr; // with the two below, for the read's own lists
    ErrorReport *report = nullptr;
    std::size_t *errorCount = nullptr;
    RegionPart *part = nullptr;
};

// Classifies the lines of `text`, numbering them on from `line`, at most `limit` of them.
// With a progress, each line is told to it first; when the read is to stop there, `line` is the
// line not handled and the answer is false.
bool classifyLines(std::string_view text, LineClassifier &classifier, std::size_t &line,
                   const LineTarget &target, ReadProgress *progress,
                   std::size_t limit = std::numeric_limits<std::size_t>::max())
{
    LineCursor cursor(text);
    std::string_view lineText;
    for (std::size_t handled = 0; handled < limit && cursor.next(lineText); ++handled) {
        ++line;
        if (progress && !progress->reach(line))
            return false;
        const ClassifiedLine classified = classifier.classify(lineText);
        switch (classified.kind) {
        case LineKind::Empty:
        case LineKind::Comment:
            break;
        case LineKind::Parameter:
            if (target.part)
                target.part->parameters.emplace_back(classified.name, classified.value);
            else
                applyParameter(*target.style, classified.name, classified.value);
            break;
        case LineKind::Measurement:
            if (classified.normalised) {
                // Binned by the value of the four-decimal text it is kept as.
                target.store.append(
                    classified.azimuth,
                    toFloat(classified.azimuth, classifier.decimalSeparator()).value_or(0));
            } else if (classified.wholeDegrees >= 0) {
                target.store.appendInSector(classified.azimuth,
                                            sectorOfWholeDegrees(classified.wholeDegrees),
                                            classified.degrees, classified.tenths);
            } else {
                target.store.append(classified.azimuth, classified.degrees);
            }
            break;
        case LineKind::Invalid:
            if (target.part) {
                target.part->invalidLines.push_back(line);
                target.part->invalidTexts.append(classified.offending);
            } else {
                appendInvalidEntry(*target.report, line, classified.offending);
                ++*target.errorCount;
            }
            break;
        }
    }
    return true;
}

// The time since it was made, on the wall and on the processor for this thread.
class ThreadClock
{
public:
    ThreadClock()
        : m_wall(now(CLOCK_MONOTONIC))
        , m_cpu(now(CLOCK_THREAD_CPUTIME_ID))
    { }

    double wall() const { return now(CLOCK_MONOTONIC) - m_wall; }
    double cpu() const { return now(CLOCK_THREAD_CPUTIME_ID) - m_cpu; }

private:
    static double now(clockid_t clock)
    {
        timespec time {};
        if (::clock_gettime(clock, &time) != 0)
            return 0;
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    }

    double m_wall;
    double m_cpu;
};

// The region cut into at most `parts` pieces of about equal size, each ending at a line end
// (never inside a line, nor between the CR and the LF of one line end). A region ends at a
// line end or at the end of the text, so the last piece does too.
std::vector<std::string_view> cutAtLineEnds(std::string_view region, std::size_t parts)
{
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    for (std::size_t i = 1; i < parts && start < region.size(); ++i) {
        std::size_t cut = std::max(start, region.size() / parts * i);
        while (cut < region.size() && region[cut] != '\n' && region[cut] != '\r')
            ++cut;
        if (cut >= region.size())
            break;
        if (region[cut] == '\r' && cut + 1 < region.size() && region[cut + 1] == '\n')
            ++cut;
        ++cut;
        pieces.push_back(region.substr(start, cut - start));
        start = cut;
    }
    if (start < region.size())
        pieces.push_back(region.substr(start));
    return pieces;
}

} // namespace

DataReader::DataReader(char decimalSeparator, ThreadPolicy threads)
    : m_separator(decimalSeparator)
    , m_threads(threads)
{ }

DataReader::~DataReader() = default;

Status DataReader::load(const std::string &path, DiagramStyle &style, ReadProgress *progress,
                        bool randomGraph)
{
    begin(path, progress, randomGraph);
    Status status = success();
    try {
        status = readFile(path, style, progress);
        if (status.ok()) {
            finish(progress);
            return success();
        }
    } catch (const std::bad_alloc &) {
        // A file too large for the memory is a failed read like any other, not a crash.
        m_result.measurements.clear();
        clearSectors(m_result.sectors);
        status = Error {"Not enough memory to read file \"" + path + "\".",
                        ErrorKind::NoMemoryToRead, path, 0};
    } catch (const std::length_error &) {
        m_result.measurements.clear();
        clearSectors(m_result.sectors);
        status = Error {"Not enough memory to read file \"" + path + "\".",
                        ErrorKind::NoMemoryToRead, path, 0};
    }

    // As the failed read leaves it: no measurements, no binning, the sectors as they were.
    if (progress)
        progress->setPhase(ReadProgress::Phase::Done);
    m_result.measurements.clear();
    m_parts = {};
    m_pendingJoin.reset();
    m_result.report.clear();
    m_result.summary.failed = true;
    if (randomGraph)
        setStatus(finishedStatus(false, false, true));
    return status;
}

Status DataReader::readFile(const std::string &path, DiagramStyle &style, ReadProgress *progress)
{
    BlockFile file(m_blockSize);
    Status status = file.open(path);
    if (status.ok() && progress) {
        // The progress names the number of lines before the first is read. A file on a slow
        // disk may take long to count: the count stops, block by block, when asked to.
        progress->setPhase(ReadProgress::Phase::Counting);
        std::size_t lineCount = 0;
        status = file.forEachRegion([&lineCount, progress](std::string_view region) {
            lineCount += countLines(region);
            return progress->keepCounting();
        });
        m_result.summary.lineCount = lineCount;
        if (status.ok() && progress->stopRequested()) {
            // Stopped before the first line: nothing was read, and the lines counted so far
            // are all the read knows of.
            m_result.summary.cancelled = true;
            startLines(progress);
            endLines(1, progress);
            return success();
        }
    }
    if (!status.ok())
        return status;

    // Room for as many texts as the file has bytes (a stored text and its end are never longer
    // than its line and line end): the store then never grows by copying, which would hold two
    // copies at once, and room never written costs no memory. The room asked for stays below a
    // quarter of the machine's memory (a huge, sparse file); past that the store simply grows.
    const std::size_t room = std::min(file.size() / 2, physicalMemory() / 4);
    try {
        m_result.measurements.reserve(room, room);
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) { }
    resetOptionalParameters(style);
    startLines(progress);
    LineClassifier classifier(m_separator);
    std::size_t line = 0;
    status = file.forEachRegion([&](std::string_view region) {
        return readRegion(region, classifier, line, style, progress);
    });
    joinPending(line, style);
    endLines(line, progress);
    if (!m_result.summary.cancelled)
        m_result.summary.nulOffset = file.nulOffset();
    return status;
}

void DataReader::loadBytes(const std::string &path, std::string_view bytes, DiagramStyle &style,
                           ReadProgress *progress, bool randomGraph)
{
    begin(path, progress, randomGraph);
    const std::string_view text = textBeforeNul(bytes);
    m_result.summary.lineCount = progress ? countLines(text) : 0;
    // Stored texts are never longer than their lines except normalised values; reserved room
    // that stays untouched costs no memory.
    m_result.measurements.reserve(m_result.summary.lineCount, text.size());
    resetOptionalParameters(style);
    startLines(progress);
    LineClassifier classifier(m_separator);
    std::size_t line = 0;
    readRegion(text, classifier, line, style, progress);
    joinPending(line, style);
    endLines(line, progress);
    if (!m_result.summary.cancelled && text.size() < bytes.size())
        m_result.summary.nulOffset = text.size();
    finish(progress);
}

void DataReader::begin(const std::string &path, ReadProgress *progress, bool randomGraph)
{
    ReadSummary &summary = m_result.summary;
    summary = ReadSummary {};
    summary.path = path;
    summary.randomGraph = randomGraph;
    setStatus(analyzingStatus());
    if (progress)
        progress->setPhase(ReadProgress::Phase::Waiting);

    m_result.report.clear();
    m_result.measurements.setCountsOnly(!m_measurementsKept);
    m_pendingJoin.reset(); // a read that failed half way may have left parts
    m_fallback = ThreadFallback(m_threads);
}

void DataReader::setStatus(StatusLine status)
{
    m_result.summary.status = status.status;
    m_result.summary.statusColor = status.color;
}

void DataReader::startLines(ReadProgress *progress)
{
    if (progress) {
        progress->setLineCount(m_result.summary.lineCount);
        progress->setPhase(ReadProgress::Phase::Reading);
    }
}

bool DataReader::readRegion(std::string_view region, LineClassifier &classifier, std::size_t &line,
                            DiagramStyle &style, ReadProgress *progress)
{
    ReadSummary &summary = m_result.summary;
    const LineTarget own {m_result.measurements, &style, &m_result.report, &summary.errorCount};
    const std::size_t wanted = m_threads.threadsFor(region.size());
    const std::size_t threads = m_fallback.threadsPay() ? wanted : 1;
    if (threads < wanted)
        m_fallback.blockReadAlone();
    // Pieces smaller than a thread's share, handed out as threads come free, so that a thread
    // that is slowed down (the one that also reads the file, or one sharing its processor)
    // holds up the others as little as possible.
    const std::vector<std::string_view> pieces =
        cutAtLineEnds(region, threads > 1 ? threads * piecesPerThread : 1);
    const char separator = classifier.decimalSeparator();
    const ThreadClock clock;

    if (pieces.size() > 1 && !progress) {
        // Without a progress every piece goes into a part, and a helper thread joins the parts
        // of the region before while the others classify this one: the join no longer waits
        // between regions on the thread that reads the file.
        const std::size_t set = m_nextSet;
        m_nextSet ^= 1;
        classifyParts(
            pieces, 0, set, threads, separator, [] { return true; },
            [&] { joinPending(line, style); });
        m_fallback.blockDone(clock.wall(), clock.cpu());
        m_pendingJoin = PendingJoin {set, pieces.size()};
        return true;
    }
    // Everything below writes the read's own lists at once.
    joinPending(line, style);
    if (pieces.size() <= 1) {
        if (!classifyLines(region, classifier, line, own, progress)) {
            summary.cancelled = true;
            return false;
        }
        return true;
    }

    // The first piece goes straight into the read's lists here, where the progress follows it
    // line by line; every later one into a part of its own, taken by whichever thread is free.
    bool whole = true;
    classifyParts(
        pieces, 1, 0, threads, separator,
        [&] {
            whole = classifyLines(pieces[0], classifier, line, own, progress);
            return whole;
        },
        [] {});
    // While the threads are seen taking turns on one processor, blocks are read on this thread
    // alone.
    m_fallback.blockDone(clock.wall(), clock.cpu());
    if (!whole) {
        summary.cancelled = true;
        return false;
    }

    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const RegionPart &part = m_parts[0][i];
        // The read stops where it would have stopped line by line: where the stop falls in
        // the piece, the piece is read again up to the line before.
        for (std::size_t at = 1; at <= part.lines; ++at) {
            if (!progress->reach(line + at)) {
                std::size_t reread = line;
                classifyLines(pieces[i], classifier, reread, own, nullptr, at - 1);
                line += at;
                summary.cancelled = true;
                return false;
            }
        }
        joinParts(0, i, i + 1, line, style);
    }
    return true;
}

void DataReader::classifyParts(const std::vector<std::string_view> &pieces, std::size_t first,
                               std::size_t set, std::size_t threads, char separator,
                               const std::function<bool()> &ownWork,
                               const std::function<void()> &helperWork)
{
    std::vector<RegionPart> &parts = m_parts[set];
    if (parts.size() < pieces.size()) {
        parts.resize(pieces.size());
        for (RegionPart &part : parts)
            part.store.setCountsOnly(m_result.measurements.countsOnly());
    }
    std::atomic<std::size_t> next = first;
    auto classifyPieces = [&pieces, &parts, &next](LineClassifier &lineClassifier) {
        for (std::size_t i = next++; i < pieces.size(); i = next++) {
            RegionPart &part = parts[i];
            part.reset();
            const LineTarget target {part.store, nullptr, nullptr, nullptr, &part};
            classifyLines(pieces[i], lineClassifier, part.lines, target, nullptr);
        }
    };
    std::vector<std::future<void>> helpers;
    helpers.reserve(threads);
    for (std::size_t t = 1; t < threads; ++t) {
        try {
            helpers.push_back(
                std::async(std::launch::async, [&classifyPieces, &helperWork, separator, t] {
                    if (t == 1)
                        helperWork();
                    LineClassifier helperClassifier(separator);
                    classifyPieces(helperClassifier);
                }));
        } catch (const std::system_error &) {
            // No thread to be had (a limit on threads or processes): the threads there are
            // take every piece.
            break;
        }
    }
    if (helpers.empty())
        helperWork();
    LineClassifier ownClassifier(separator);
    if (ownWork())
        classifyPieces(ownClassifier);
    else
        next = pieces.size(); // the others take no further piece
    for (std::future<void> &helper : helpers)
        helper.get(); // waits, and passes on a failure of the thread (out of memory)
}

void DataReader::joinParts(std::size_t set, std::size_t first, std::size_t end, std::size_t &line,
                           DiagramStyle &style)
{
    for (std::size_t i = first; i < end; ++i) {
        const RegionPart &part = m_parts[set][i];
        m_result.measurements.appendStore(part.store);
        std::size_t invalid = 0;
        part.invalidTexts.forEach([&](std::string_view text) {
            appendInvalidEntry(m_result.report, line + part.invalidLines[invalid++], text);
        });
        m_result.summary.errorCount += invalid;
        for (const auto &[name, value] : part.parameters)
            applyParameter(style, name, value);
        line += part.lines;
    }
}

void DataReader::joinPending(std::size_t &line, DiagramStyle &style)
{
    if (!m_pendingJoin)
        return;
    const PendingJoin pending = *m_pendingJoin;
    m_pendingJoin.reset();
    joinParts(pending.set, 0, pending.count, line, style);
}

void DataReader::endLines(std::size_t line, ReadProgress *progress)
{
    // The line the read stopped at was not handled. Without a progress nothing counted the
    // lines beforehand, and nothing can stop the read, so every line was handled.
    ReadSummary &summary = m_result.summary;
    summary.processedLines = summary.cancelled ? line - 1 : line;
    if (!progress)
        summary.lineCount = line;
    // The parts' room is kept from block to block, not from read to read.
    m_parts = {};
}

void DataReader::finish(ReadProgress *progress)
{
    ReadSummary &s = m_result.summary;
    if (s.randomGraph)
        m_result.report.clear(); // its report only names it
    if (!s.randomGraph && !m_result.report.invalidLines.empty())
        s.firstInvalidLine = m_result.report.invalidLines.front();
    // A NUL byte is no invalid line, but the file is not what it seems: the report says so,
    // and the read ends as one with errors.
    const bool notText = s.nulOffset && !s.randomGraph;
    setStatus(finishedStatus(s.errorCount > 0 || notText, s.cancelled, s.randomGraph));

    const MeasurementStore &store = m_result.measurements;
    SectorArrays &sectors = m_result.sectors;
    if (store.empty())
        clearSectors(sectors);
    else if (m_sectorListsWanted && !store.countsOnly())
        binSectors(sectors, store,
                   m_fallback.threadsPay() ? m_threads.threadsFor(store.texts().byteSize()) : 1);
    else
        countSectors(sectors, store);
    if (progress)
        progress->setPhase(ReadProgress::Phase::Done);
}

std::vector<std::string> DataReader::errorReportLines() const
{
    return englishReportLines(m_result.summary, m_result.report);
}

} // namespace quorel
