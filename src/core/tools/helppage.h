#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorel {

// The raw resources compiled into the program, by name. "HELP" is the help page packed in the
// SZDD format. None for an unknown name.
[[nodiscard]] std::optional<std::string_view> rawResource(std::string_view name);

// Writes the resource's bytes unchanged to `path`, creating or replacing it. False when there is
// no such resource or the file cannot be written.
[[nodiscard]] bool saveResourceToFile(std::string_view name, const std::string &path);

inline constexpr std::string_view helpResourceName = "HELP";
inline constexpr std::string_view helpPageName = "help.html";
inline constexpr std::string_view compressedHelpName = "__quorel_compressed_pomoc_html__";

// Unpacks the help page into `folder`/help.html through a compressed copy in the temporary
// folder, which is always deleted again. True when the page exists afterwards (a page left
// there by an earlier call counts, so a folder that is no longer writable still has help).
[[nodiscard]] bool unpackHelpPage(const std::string &folder, const std::string &tempFolder);

// The help command's file work: the page goes into `pageFolder` (the program's cache folder,
// created when missing; an installed program's own folder is not the user's to write), else
// into the temporary folder. Returns the page to open, or none when neither place has one.
[[nodiscard]] std::optional<std::string> writeHelpPage(const std::string &pageFolder,
                                                       const std::string &tempFolder);

// `folder` and `name` joined by exactly one '/'; just `name` when there is no folder.
[[nodiscard]] std::string joinPath(std::string_view folder, std::string_view name);

} // namespace quorel
