#pragma once

#include <string>
#include <string_view>

namespace quorel {

// Questions the program asks the operating system. None keeps state or shows a message; a
// failure comes back as an empty text or false.

// The login name of the user running the program (the default author of a diagram): the
// account's name, else $USER, else "".
[[nodiscard]] std::string userName();

// The folder for temporary files, always with a trailing '/': $TMPDIR when set and not empty,
// else "/tmp/". When neither is usable, the program's own folder without a trailing '/';
// callers append names that begin with '/', and a doubled '/' is harmless.
[[nodiscard]] std::string tempFolder();

// Full path of the running executable; "" when the system does not say.
[[nodiscard]] std::string programPath();

// Folder of the running executable without a trailing '/' ("/" for the root itself).
[[nodiscard]] std::string programFolder();

// The program's own folder in the user's cache, for files it can make again (the help page):
// $XDG_CACHE_HOME/quorel, else ~/.cache/quorel ($XDG_CACHE_HOME counts only when it is an
// absolute path). "" when there is no home either. The folder may not exist yet.
[[nodiscard]] std::string programCacheFolder();

// The part of `path` before its last '/', without trailing '/' ("/" for the root, "." when
// the path names no folder).
[[nodiscard]] std::string parentFolder(std::string_view path);

// True when `path` names a folder (links followed).
[[nodiscard]] bool directoryExists(const std::string &path);

// True when `path` names a regular file (links followed).
[[nodiscard]] bool fileExists(const std::string &path);

// Removes the file; when the first attempt fails, gives the owner write permission and tries
// once more (the original mode is put back when that fails too). True when the path is gone
// afterwards, also when it never existed.
[[nodiscard]] bool deleteFile(const std::string &path);

// The user's decimal separator from the LC_NUMERIC environment of the process. The process's
// own locale is left as it is.
[[nodiscard]] char systemDecimalSeparator();

// The separator the program uses for a locale's decimal point text: that byte when it is one
// byte, else ',' (the program's historic default).
[[nodiscard]] char decimalSeparatorFromLocale(std::string_view decimalPoint);

} // namespace quorel
