#pragma once

#include "core/data/readtexts.h"
#include "core/data/textlist.h"
#include "core/diagram/color.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorel {

// Figures of a read.
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
    bool failed = false; // the file could not be read at all
    ReadStatus status = ReadStatus::Ready; // what the status line says at the end
    Color statusColor = clWindowText;
};

// The lines of a file that are not measurements: their numbers and the texts the report quotes,
// kept compactly (a file of nothing but invalid lines allocates nothing per line).
struct ErrorReport
{
    std::vector<std::size_t> invalidLines;
    TextList invalidTexts; // one per invalid line, in the same order

    void clear()
    {
        invalidLines.clear();
        invalidTexts.clear();
    }
};

// One line of the error report as the Errors window shows it: what it says and its figures.
// The core decides the lines and their order; each front end words them.
struct ReportLine
{
    enum class Kind {
        File, // "File: " and the path in `text`
        Dashes, // a row of dashes
        InvalidLine, // "Invalid data in line: " and `number`
        NotANumber, // `text` quoted, " is not a number !"
        Blank, // the empty line after each invalid line's entry (and the NUL's)
        NotText, // "Not a text file: NUL byte at offset " and `number`
        LinesNotRead, // "The lines after it were not read !"
        Cancelled, // "Operation cancelled by user !"
        NoErrors, // "No errors."
        ErrorCount, // "Errors: " and `number`
        CorrectData, // "Correct data and try again."
        ProcessedLines, // "WARNING! Processed lines: " `number` " from " `total` "."
        RandomGraph, // "RANDOM GRAPH" (a random graph's whole report)
    };

    ReportLine(Kind lineKind, std::string_view lineText = {}, std::size_t lineNumber = 0,
               std::size_t lineTotal = 0)
        : kind(lineKind)
        , text(lineText)
        , number(lineNumber)
        , total(lineTotal)
    { }

    Kind kind;
    std::string_view text;
    std::size_t number;
    std::size_t total;
};

// Visits the report's lines in order.
void forEachReportLine(const ReadSummary &summary, const ErrorReport &report,
                       const std::function<void(const ReportLine &line)> &visit);

// The report's texts in English, as the batch front end and the files the program writes show
// them.
inline constexpr std::string_view reportDashes = "--------------------------------------";
[[nodiscard]] std::string englishReportLine(const ReportLine &line);
[[nodiscard]] std::vector<std::string> englishReportLines(const ReadSummary &summary,
                                                          const ErrorReport &report);

} // namespace quorel
