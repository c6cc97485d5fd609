#pragma once

#include "core/data/readreport.h"
#include "core/data/readtexts.h"
#include "core/util/result.h"

#include <QString>

namespace quorel {

// What the window says about a read, in the interface's language (under any locale but Polish
// exactly the English texts the batch front end prints).

// The status line's text for a read's status.
[[nodiscard]] QString statusText(ReadStatus status);
// "RANDOM GRAPH": the random graph's name in captions, its report and its dialog.
[[nodiscard]] QString randomGraphName();
// The window's caption and its icon's text for a file just opened.
[[nodiscard]] ReadTitles readTitlesText(const std::string &path, bool randomGraph);
// One line of the error report, and the whole report joined by line breaks.
[[nodiscard]] QString reportLineText(const ReportLine &line);
[[nodiscard]] QString errorReportText(const ReadSummary &summary, const ErrorReport &report);

// A failure for a message box: a file failure worded in the interface's language (the file's
// name and the system's reason as they are), any other as the core's message.
[[nodiscard]] QString errorText(const Error &error);

} // namespace quorel
