#pragma once

#include "core/diagram/diagramstyle.h"
#include "core/persist/textencoding.h"
#include "core/util/result.h"

#include <string>
#include <string_view>

namespace quorel {

// Writing the display parameters on screen back into a data file as parameter lines, so the
// file reopens looking as it was left. Only ".qrl" files are ever changed.
//
// The window calls writeDisplayParameters() with its current file name:
//   - at the start of every read of a file, before the new path becomes current, except
//     while a random graph is generated;
//   - as the first step of closing the main window, before the settings are saved;
//   - when the user asked for a random graph with a valid count, just before it is generated.
// After a random graph the current file name is empty and writeDisplayParameters() does nothing.

// True when the file name (after the last '/') ends in ".qrl" in any letter case.
[[nodiscard]] bool isQrlPath(std::string_view path);

// The new bytes of a data file with the parameter lines of `style` written in: every line that
// starts (after ";" and blanks) with the name and "=" of a display parameter, Author or VERSION
// is replaced in place, the author line is kept, missing lines are appended in the parameters'
// order (those written only when not the default, only then), and every line ends in CR LF.
// Lines that are not rewritten keep their bytes. Only the text before a NUL byte is read as
// lines (as the reader does); the bytes from the NUL on are kept as they are after it, so the
// appended lines stay visible to the reader. Texts are UTF-8 and are written in `encoding`.
[[nodiscard]] std::string rewriteParameterLines(std::string_view bytes, const DiagramStyle &style,
                                                std::string_view userName, TextEncoding encoding);

// Writes the parameters into the file at `path`. Nothing happens (and success is returned) when
// the path is empty, names no regular file, or does not end in ".qrl". The new contents replace
// the old ones atomically, keeping the file's permissions; a link is followed and its target
// rewritten. On failure the file is unchanged and the error carries "Cannot open file ..."
// (reading) or "Cannot create file ..." (writing).
[[nodiscard]] Status writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                                            std::string_view userName, TextEncoding encoding);

// As above, in the encoding the file's own bytes are read in.
[[nodiscard]] Status writeDisplayParameters(const std::string &path, const DiagramStyle &style,
                                            std::string_view userName);

} // namespace quorel
