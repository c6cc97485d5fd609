#include "core/data/datareader.h"

#include "core/data/displayparameters.h"
#include "core/data/lineclassifier.h"
#include "core/diagram/diagramstyle.h"
#include "core/util/files.h"
#include "core/util/numbers.h"

#include <filesystem>

namespace quorel {

namespace {

constexpr std::string_view programName = "Quorel";
constexpr std::string_view analyzingText = "Analyzing... Please wait...";
constexpr std::string_view cancelledText = "Operation cancelled by user !";
constexpr std::string_view cancelledStatus = "Operation cancelled by user ! Press F12 !";
constexpr std::string_view errorStatus = "Ready, but error occured ! Press F12 !";

// The file name without its folder.
std::string bareFileName(const std::string &path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name with its extension (from its last ".") replaced, or the extension appended.
std::string withExtension(const std::string &name, std::string_view extension)
{
    const std::size_t dot = name.find_last_of('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + std::string(extension);
}

std::string fullPath(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

std::string invalidEntry(std::size_t line, std::string_view text)
{
    std::string entry = "Invalid data in line: ";
    entry += std::to_string(line);
    entry += "\r\n\"";
    entry += text;
    entry += "\" is not a number !\r\n";
    return entry;
}

} // namespace

DataReader::DataReader(char decimalSeparator)
    : m_separator(decimalSeparator)
{ }

Status DataReader::load(const std::string &path, DiagramStyle &style, ReadObserver *observer,
                        bool randomGraph)
{
    begin(path, observer, randomGraph);
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes) {
        if (observer)
            observer->readingFinished();
        if (randomGraph) {
            m_summary.status = "OK";
            m_summary.statusColor = statusBlue;
            if (observer)
                observer->statusChanged(m_summary.status, m_summary.statusColor);
            m_report.clear();
            m_report.append(randomGraphText);
        }
        return bytes.error();
    }
    readLines(bytes.value(), style, observer);
    // The file's bytes go before the sector lists are joined, which keeps the peak memory of a
    // large file near the file's size plus its stored measurements.
    std::string().swap(bytes.value());
    finish(observer);
    return success();
}

void DataReader::loadBytes(const std::string &path, std::string_view bytes, DiagramStyle &style,
                           ReadObserver *observer, bool randomGraph)
{
    begin(path, observer, randomGraph);
    readLines(bytes, style, observer);
    finish(observer);
}

void DataReader::begin(const std::string &path, ReadObserver *observer, bool randomGraph)
{
    if (observer && !randomGraph)
        observer->writeBackPrevious();

    m_summary = ReadSummary {};
    m_summary.path = path;
    m_summary.randomGraph = randomGraph;
    if (observer)
        observer->currentFileChanged(path);

    if (randomGraph) {
        m_summary.caption = std::string(programName) + " - " + std::string(randomGraphText);
        m_summary.appTitle = std::string(randomGraphText) + " - " + std::string(programName);
    } else {
        m_summary.caption = std::string(programName) + " - " + fullPath(path);
        m_summary.appTitle = bareFileName(path) + " - " + std::string(programName);
    }
    if (observer)
        observer->titlesChanged(m_summary.caption, m_summary.appTitle);
    if (observer && !randomGraph)
        observer->addRecentFile(path);

    m_summary.status = analyzingText;
    m_summary.statusColor = clWindowText;
    if (observer)
        observer->statusChanged(m_summary.status, m_summary.statusColor);

    m_report.clear();
    m_report.append("File: " + path);
    m_report.append(reportDashes);
    m_store.clear();
}

void DataReader::readLines(std::string_view bytes, DiagramStyle &style, ReadObserver *observer)
{
    const std::string_view text = textBeforeNul(bytes);
    const std::size_t lineCount = countLines(text);
    m_summary.lineCount = lineCount;
    if (observer)
        observer->readingStarted(lineCount);

    // Stored texts are never longer than their lines except normalised values; reserved room
    // that stays untouched costs no memory.
    m_store.reserve(lineCount, text.size());

    LineClassifier classifier(m_separator);
    LineCursor cursor(text);
    std::string_view line;
    std::size_t n = 0;
    while (cursor.next(line)) {
        ++n;
        m_summary.processedLines = n;
        if (observer && observer->lineReached(n, lineCount) == ReadControl::Stop) {
            m_summary.cancelled = true;
            break;
        }
        const ClassifiedLine classified = classifier.classify(line);
        switch (classified.kind) {
        case LineKind::Empty:
        case LineKind::Comment:
            break;
        case LineKind::Parameter:
            applyParameter(style, classified.name, classified.value);
            break;
        case LineKind::Measurement:
            if (classified.normalised) {
                // Binned by the value of the four-decimal text it is kept as.
                m_store.append(classified.azimuth,
                               toFloat(classified.azimuth, m_separator).value_or(0));
            } else {
                m_store.append(classified.azimuth, classified.degrees);
            }
            break;
        case LineKind::Invalid:
            m_report.append(invalidEntry(n, classified.offending));
            ++m_summary.errorCount;
            break;
        }
    }
    if (m_summary.cancelled)
        m_summary.processedLines = n - 1;
    if (observer)
        observer->readingFinished();
}

void DataReader::finish(ReadObserver *observer)
{
    const ReadSummary &s = m_summary;
    const std::string warning = "WARNING! Processed lines: " + std::to_string(s.processedLines)
        + " from " + std::to_string(s.lineCount) + ".";
    if (s.errorCount == 0 || s.randomGraph) {
        if (!s.cancelled) {
            m_report.append("No errors.");
            m_summary.status = "OK";
            m_summary.statusColor = clWindowText;
        } else {
            m_report.append(cancelledText);
            m_report.append("No errors.");
            m_report.append(warning);
        }
    } else if (s.cancelled) {
        m_report.append(reportDashes);
        m_report.append(cancelledText);
        m_report.append("Errors: " + std::to_string(s.errorCount));
        m_report.append(warning);
    } else {
        m_report.append(reportDashes);
        m_report.append("Errors: " + std::to_string(s.errorCount));
        m_report.append("Correct data and try again.");
        m_summary.status = errorStatus;
        m_summary.statusColor = statusMaroon;
    }

    if (s.cancelled) {
        m_summary.status = cancelledStatus;
        m_summary.statusColor = statusGreen;
    }
    if (s.randomGraph) {
        m_summary.status = "OK";
        m_summary.statusColor = statusBlue;
        m_report.clear();
        m_report.append(randomGraphText);
    }
    if (observer)
        observer->statusChanged(m_summary.status, m_summary.statusColor);

    if (m_store.empty()) {
        ClearArrays(m_sectors);
        m_imageSaveName = "quorel.wmf";
        return;
    }
    FillArrays(m_sectors, m_store);
    if (s.randomGraph) {
        m_imageSaveName = std::string(randomGraphText) + ".wmf";
        m_htmlSaveName = std::string(randomGraphText) + ".html";
    } else {
        const std::string name = bareFileName(s.path);
        m_imageSaveName = withExtension(name, ".wmf");
        m_htmlSaveName = withExtension(name, ".html");
    }
}

std::vector<std::string> DataReader::errorReportLines() const
{
    return reportLines(m_report);
}

std::vector<std::string> reportLines(const TextList &report)
{
    std::vector<std::string> lines;
    report.forEach([&lines](std::string_view entry) {
        while (true) {
            const std::size_t end = entry.find("\r\n");
            lines.emplace_back(entry.substr(0, end));
            if (end == std::string_view::npos)
                break;
            entry.remove_prefix(end + 2);
        }
    });
    return lines;
}

} // namespace quorel
