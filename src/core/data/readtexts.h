#pragma once

// The texts that show a read to the user: the window's two titles, the status line and the
// names the save dialogs propose. The reader decides what happened; these rules say how it is
// told, so a change of wording never touches the reading.

#include "core/diagram/color.h"

#include <string>
#include <string_view>

namespace quorel {

// What the report, the titles and the save names say in place of a random graph's file.
inline constexpr std::string_view randomGraphText = "RANDOM GRAPH";

// Status-line colours of a read.
inline constexpr Color statusMaroon = rgbColor(128, 0, 0);
inline constexpr Color statusGreen = rgbColor(0, 128, 0);
inline constexpr Color statusBlue = rgbColor(0, 0, 255);

// The window caption ("Quorel - /full/path") and the application's task-bar title
// ("name.qrl - Quorel"); a random graph is named "RANDOM GRAPH" in both.
struct ReadTitles
{
    std::string caption;
    std::string appTitle;
};
[[nodiscard]] ReadTitles readTitles(const std::string &path, bool randomGraph);

// What the status line says about a read: while its lines are read, and how it ended.
enum class ReadStatus {
    Analyzing, // "Analyzing... Please wait..."
    Ready, // "OK"
    Cancelled, // "Operation cancelled by user ! Press F12 !"
    ReadyWithErrors, // "Ready, but error occured ! Press F12 !"
};
struct StatusLine
{
    ReadStatus status = ReadStatus::Ready;
    Color color = clWindowText;
};
// While the lines are read.
[[nodiscard]] StatusLine analyzingStatus();
// When the read ended: a random graph is always blue "OK"; a stopped read is green, one with
// invalid lines maroon, any other plain "OK".
[[nodiscard]] StatusLine finishedStatus(bool invalidLines, bool cancelled, bool randomGraph);
// The status in English, as the batch front end shows it.
[[nodiscard]] std::string_view englishStatusText(ReadStatus status);

// The file names "Save graph..." and "Save data and graph as HTML file..." propose; empty while
// no read has named them.
struct SaveNames
{
    std::string image;
    std::string html;

    friend bool operator==(const SaveNames &, const SaveNames &) = default;
};
// The names after a read of `path`: the file's own name with ".wmf" and ".html" for its
// extension. A read without measurements proposes "quorel.wmf" and keeps the HTML name.
[[nodiscard]] SaveNames saveNamesAfterRead(const SaveNames &before, const std::string &path,
                                           bool randomGraph, bool hasMeasurements);

} // namespace quorel
