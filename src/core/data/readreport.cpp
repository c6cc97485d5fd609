#include "core/data/readreport.h"

namespace quorel {

void forEachReportLine(const ReadSummary &summary, const ErrorReport &report,
                       const std::function<void(const ReportLine &line)> &visit)
{
    using Kind = ReportLine::Kind;
    if (summary.randomGraph) {
        // A random graph's lines are the program's own: the report only names it.
        visit(ReportLine(Kind::RandomGraph));
        return;
    }
    visit(ReportLine(Kind::File, summary.path));
    visit(ReportLine(Kind::Dashes));
    if (summary.failed)
        return;
    std::size_t entry = 0;
    report.invalidTexts.forEach([&](std::string_view text) {
        visit(ReportLine(Kind::InvalidLine, {}, report.invalidLines[entry++]));
        visit(ReportLine(Kind::NotANumber, text));
        visit(ReportLine(Kind::Blank));
    });
    // A NUL byte is no invalid line, but the file is not what it seems: the report says so, and
    // ends as one with errors.
    const bool notText = summary.nulOffset.has_value();
    if (notText) {
        visit(ReportLine(Kind::NotText, {}, *summary.nulOffset));
        visit(ReportLine(Kind::LinesNotRead));
        visit(ReportLine(Kind::Blank));
    }
    const ReportLine processed {
        Kind::ProcessedLines, {}, summary.processedLines, summary.lineCount};
    if (summary.errorCount == 0 && !notText) {
        if (summary.cancelled)
            visit(ReportLine(Kind::Cancelled));
        visit(ReportLine(Kind::NoErrors));
        if (summary.cancelled)
            visit(processed);
        return;
    }
    visit(ReportLine(Kind::Dashes));
    if (summary.cancelled) {
        visit(ReportLine(Kind::Cancelled));
        visit(ReportLine(Kind::ErrorCount, {}, summary.errorCount));
        visit(processed);
    } else {
        visit(ReportLine(Kind::ErrorCount, {}, summary.errorCount));
        visit(ReportLine(Kind::CorrectData));
    }
}

std::string englishReportLine(const ReportLine &line)
{
    using Kind = ReportLine::Kind;
    switch (line.kind) {
    case Kind::File:
        return "File: " + std::string(line.text);
    case Kind::Dashes:
        return std::string(reportDashes);
    case Kind::InvalidLine:
        return "Invalid data in line: " + std::to_string(line.number);
    case Kind::NotANumber:
        return '"' + std::string(line.text) + "\" is not a number !";
    case Kind::Blank:
        return {};
    case Kind::NotText:
        return "Not a text file: NUL byte at offset " + std::to_string(line.number);
    case Kind::LinesNotRead:
        return "The lines after it were not read !";
    case Kind::Cancelled:
        return "Operation cancelled by user !";
    case Kind::NoErrors:
        return "No errors.";
    case Kind::ErrorCount:
        return "Errors: " + std::to_string(line.number);
    case Kind::CorrectData:
        return "Correct data and try again.";
    case Kind::ProcessedLines:
        return "WARNING! Processed lines: " + std::to_string(line.number) + " from "
            + std::to_string(line.total) + ".";
    case Kind::RandomGraph:
        return std::string(randomGraphText);
    }
    return {};
}

std::vector<std::string> englishReportLines(const ReadSummary &summary, const ErrorReport &report)
{
    std::vector<std::string> lines;
    forEachReportLine(summary, report, [&lines](const ReportLine &line) {
        lines.push_back(englishReportLine(line));
    });
    return lines;
}

} // namespace quorel
