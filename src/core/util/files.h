#pragma once

#include "core/util/result.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorel {

// Whole-file reading and writing on bytes. Failures come back as values whose message names
// the file in double quotes and the system's reason.

// All bytes of a regular file. A folder, a FIFO or a device is refused at once (never waited
// on): `Cannot open file "PATH". REASON`.
[[nodiscard]] Result<std::string> readFileBytes(const std::string &path);

// Creates or replaces the file with exactly these bytes. A file cut short (disk full, size
// limit) is a failure, not a success, and a file it created is removed again. An existing file
// is replaced as by writeFileAtomic, so a failure keeps its old contents; it is rewritten in
// place only when its folder takes no new file.
[[nodiscard]] Status writeFile(const std::string &path, std::string_view bytes);

// Replaces the file in one step: the bytes go to a temporary file in the same folder, are
// flushed to the disk and renamed over the original, which keeps its permission bits. On any
// failure the original stays as it was and the temporary file is removed. A link is followed:
// the file it points to is replaced, the link stays a link. A file the user may not write is
// refused ("Permission denied"), although the folder would allow the rename.
[[nodiscard]] Status writeFileAtomic(const std::string &path, std::string_view bytes);

// The bytes of a file made piece by piece: fills `piece` (empty on each call) with the next
// bytes and answers true, or answers false when there are no more.
using NextPiece = std::function<bool(std::string &piece)>;

// As writeFile, for a file whose bytes are made while it is written, so that a file of any
// length never sits in memory whole. A device or a FIFO (standard output, /dev/full) is written
// directly; a FIFO without a reader fails at once. The first piece that cannot be written (disk
// full) ends the write with a failure; a file that was there keeps its old contents then.
[[nodiscard]] Status writeFileInPieces(const std::string &path, const NextPiece &next);

// The system's text for an errno value ("No such file or directory").
[[nodiscard]] std::string systemErrorText(int errorNumber);

// A file failure: `WHAT "PATH". REASON` in English (WHAT from the kind, REASON the system's text
// for `reason`, or "Not a regular file"), with its kind, path and reason kept.
[[nodiscard]] Error fileError(ErrorKind kind, const std::string &path, int reason);
// The English words of a kind ("Cannot open file").
[[nodiscard]] std::string_view englishErrorWhat(ErrorKind kind);

} // namespace quorel
