#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorel {

// The raw resources compiled into the program, by name. "HELP" is the Polish help page and
// "HELP_EN" the English one, both packed in the SZDD format. None for an unknown name.
[[nodiscard]] std::optional<std::string_view> rawResource(std::string_view name);

// Writes the resource's bytes unchanged to `path`, creating or replacing it. False when there is
// no such resource or the file cannot be written.
[[nodiscard]] bool saveResourceToFile(std::string_view name, const std::string &path);

inline constexpr std::string_view helpResourceName = "HELP";
inline constexpr std::string_view helpPageName = "help.html";
inline constexpr std::string_view englishHelpResourceName = "HELP_EN";
inline constexpr std::string_view englishHelpPageName = "help-en.html";
inline constexpr std::string_view compressedHelpName = "__quorel_compressed_pomoc_html__";

// The language of a help page; the two pages link each other by their file names.
enum class HelpLanguage { Polish, English };

// Unpacks both help pages into `folder` (help.html, help-en.html) through a compressed copy in
// the temporary folder, which is always deleted again. True when both pages exist afterwards
// (pages left there by an earlier call count, so a folder that is no longer writable still has
// help).
[[nodiscard]] bool unpackHelpPage(const std::string &folder, const std::string &tempFolder);

// The help command's file work: the pages go into `pageFolder` (the program's cache folder,
// created when missing; an installed program's own folder is not the user's to write), else
// into the temporary folder. Returns the page in `language` to open, or none when neither place
// has the pages.
[[nodiscard]] std::optional<std::string>
writeHelpPage(const std::string &pageFolder, const std::string &tempFolder, HelpLanguage language);

// `folder` and `name` joined by exactly one '/'; just `name` when there is no folder.
[[nodiscard]] std::string joinPath(std::string_view folder, std::string_view name);

} // namespace quorel
