#pragma once

#include "core/diagram/color.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quorel {

// What the progress callback answers: go on, or stop before the next line is classified.
enum class ReadControl { Continue, Stop };

// How a read talks to whoever shows it (the main window, the batch front end, tests). Every
// method has a default that does nothing, so a caller overrides only what it shows. Calls come
// in the order of the load: writeBackPrevious, currentFileChanged, titlesChanged,
// addRecentFile, statusChanged ("Analyzing..."), readingStarted, lineReached per line,
// readingFinished, statusChanged (final). A file that cannot be read skips the per-line calls.
class ReadObserver
{
public:
    virtual ~ReadObserver() = default;

    // Before anything changes: write the display parameters back into the file shown so far.
    // Not called for a random graph.
    virtual void writeBackPrevious() { }
    // The path being read becomes the current file name; the tables are to be cleared.
    virtual void currentFileChanged(std::string_view path) { (void)path; }
    // The window caption and the application (task-bar) title.
    virtual void titlesChanged(std::string_view caption, std::string_view appTitle)
    {
        (void)caption;
        (void)appTitle;
    }
    // Put the path first in the recent-files list. Not called for a random graph.
    virtual void addRecentFile(std::string_view path) { (void)path; }
    // The status line's text and colour.
    virtual void statusChanged(std::string_view text, Color color)
    {
        (void)text;
        (void)color;
    }
    // The file holds `lineCount` lines; show the progress window.
    virtual void readingStarted(std::size_t lineCount) { (void)lineCount; }
    // Line `line` (from 1) of `lineCount` is about to be classified. Called for every line;
    // the observer decides how often it repaints. Stop ends the read before this line.
    virtual ReadControl lineReached(std::size_t line, std::size_t lineCount)
    {
        (void)line;
        (void)lineCount;
        return ReadControl::Continue;
    }
    // The lines are done (or the read stopped or failed); hide the progress window.
    virtual void readingFinished() { }
};

} // namespace quorel
