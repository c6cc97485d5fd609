#pragma once

#include "core/util/result.h"

#include <string>
#include <string_view>

namespace quorel {

// The association of ".qrl" data files with the program, in the desktop's shared MIME
// database: a MIME package that maps *.qrl (any case) to the file type, with the comment
// "Quorel's data file"; a desktop entry that starts the program with the file as its one
// argument; and the program as the type's default application in mimeapps.list. Everything
// lies under the user's data and configuration folders; nothing system-wide is touched.
//
// When the window calls it:
//   - at close, right after SetAssoc is stored (the applyAssociation step of saveSettings):
//     registerFileAssociation when "Associate QRL" is checked, else unregisterFileAssociation;
//   - when the diagram page's tab is selected while "Associate QRL" is checked:
//     registerFileAssociation, before the redraw. Nothing is removed on that path.

// The user's folders the association is written to.
struct AssociationFolders
{
    std::string dataHome; // $XDG_DATA_HOME, else ~/.local/share
    std::string configHome; // $XDG_CONFIG_HOME, else ~/.config
    // Folders searched for a type that already claims *.qrl: dataHome, then $XDG_DATA_DIRS
    // (else /usr/local/share:/usr/share), separated by ':'.
    std::string dataDirs;

    [[nodiscard]] static AssociationFolders fromEnvironment();
};

// Our file type when no other type claims *.qrl.
inline constexpr std::string_view quorelMimeType = "application/x-quorel";
inline constexpr std::string_view quorelDesktopFile = "quorel.desktop";
inline constexpr std::string_view quorelMimePackage = "quorel.xml";
// The desktop entry an installation puts in share/applications, named by the application id
// that also names the AppStream data and the icon.
inline constexpr std::string_view installedDesktopFile = "org.quorel.Quorel.desktop";

// The installed desktop entry of a program at `programPath`: <prefix>/share/applications/
// org.quorel.Quorel.desktop for a program in <prefix>/bin, when it exists; "" otherwise (a
// program run from its build folder).
[[nodiscard]] std::string installedDesktopEntry(std::string_view programPath);

// Registers the association: the type already mapped to *.qrl is reused (its comment and its
// default application replaced), else application/x-quorel is declared. When an installed desktop
// entry (org.quorel.Quorel.desktop in the data folders) declares the type, that entry becomes the
// default, so the installed program opens the files whichever copy registers, and a per-user
// entry left by an earlier registration goes (it would show the program twice in the menu).
// Otherwise, as for a program run from its build folder, a per-user entry names `programPath`,
// the program's full path. The database caches are refreshed with update-mime-database and
// update-desktop-database when those are installed. Fails with the file's message when one of
// the files cannot be written.
[[nodiscard]] Status registerFileAssociation(const std::string &programPath,
                                             const AssociationFolders &folders);

// Removes the association: the per-user desktop entry and the program's default-application
// lines (naming either entry), and drops the comment from the MIME package while keeping its
// *.qrl mapping (the extension keeps naming the type, as it was). Does nothing when nothing was
// registered.
[[nodiscard]] Status unregisterFileAssociation(const AssociationFolders &folders);

// registerFileAssociation when `associate`, else unregisterFileAssociation: the applyAssociation
// step at close, with the program's full path (programPath()) and
// AssociationFolders::fromEnvironment().
[[nodiscard]] Status applyAssociation(bool associate, const std::string &programPath,
                                      const AssociationFolders &folders);

// The type the MIME database maps "*.qrl" to, looked up in the globs2 files of the folders;
// empty when none does.
[[nodiscard]] std::string mimeTypeForQrl(const AssociationFolders &folders);

// Pure helpers, exposed for the tests.
[[nodiscard]] std::string mimePackageText(std::string_view mimeType, bool withComment);
[[nodiscard]] std::string desktopEntryText(std::string_view programPath, std::string_view mimeType);
// The Exec key's quoting of one argument (reserved characters, "%", backslashes).
[[nodiscard]] std::string quoteExecArgument(std::string_view argument);
// mimeapps.list with `mimeType=desktopFile` set as the default (`desktopFile` empty: our lines,
// naming the per-user or the installed entry, removed instead). Other lines and sections are kept
// as they are.
[[nodiscard]] std::string updateMimeAppsList(std::string_view text, std::string_view mimeType,
                                             std::string_view desktopFile);

} // namespace quorel
