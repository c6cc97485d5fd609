#pragma once

#include "core/diagram/diagramstyle.h"
#include "core/persist/textencoding.h"
#include "core/util/result.h"

#include <cstddef>
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
// order (those written only when not the default, only then). Lines that are not rewritten keep
// their bytes. Texts are UTF-8 and are written in `encoding`.
//
// Line ends are the file's own: a file whose every line ends in LF keeps LF, one in CR LF keeps
// CR LF, one in a lone CR keeps CR; a file that mixes them, or has no line end at all, gets
// CR LF throughout. Every line is followed by that line end, except a last line that had none
// and after which nothing is appended: it stays without one, so a file that already holds
// these parameter lines comes out byte for byte as it was.
//
// Only the text before a NUL byte is read as lines (as the reader does); the bytes from the NUL
// on are kept as they are after it. (writeDisplayParameters() never writes such a file.)
[[nodiscard]] std::string rewriteParameterLines(std::string_view bytes, const DiagramStyle &style,
                                                std::string_view userName, TextEncoding encoding);

// What a write-back did with a file, for the front ends to word.
enum class WriteBackOutcome {
    Written, // the file now holds the parameter lines
    Unchanged, // the file already held exactly these bytes: nothing was written
    NoFile, // no path, or no regular file of that name: nothing to do
    NotQrl, // the name does not end in ".qrl": such files are never changed
    NotText, // the file holds a NUL byte (UTF-16, a binary): never written
    Failed, // reading or writing failed; the file is as it was
};

struct WriteBackResult
{
    WriteBackOutcome outcome = WriteBackOutcome::NoFile;
    std::size_t nulOffset = 0; // NotText: 0-based byte offset of the file's first NUL
    Error error {
        std::string()}; // Failed: "Cannot open file ..." (reading), "Cannot create file ..."

    // Only a failure is an error; a file left alone for a reason is not.
    [[nodiscard]] bool ok() const { return outcome != WriteBackOutcome::Failed; }
    [[nodiscard]] const std::string &message() const { return error.message; }
    // As a plain status, for callers that only tell success from failure.
    operator Status() const;
};

// Writes the parameters into the file at `path`. Nothing is written when the path is empty or
// names no regular file, when it does not end in ".qrl", when the file holds a NUL byte (it is
// not text: rewriting its lines would destroy it), and when the new bytes equal the file's (so
// a file whose look did not change keeps its time, and a read-only one gives no error). The new
// contents replace the old ones atomically, keeping the file's permissions; a link is followed
// and its target rewritten. On failure the file is unchanged.
[[nodiscard]] WriteBackResult writeDisplayParameters(const std::string &path,
                                                     const DiagramStyle &style,
                                                     std::string_view userName,
                                                     TextEncoding encoding);

// As above, in the encoding the file's own bytes are read in.
[[nodiscard]] WriteBackResult writeDisplayParameters(const std::string &path,
                                                     const DiagramStyle &style,
                                                     std::string_view userName);

} // namespace quorel
