#pragma once

#include "core/persist/settings.h"

#include <set>
#include <string>

namespace quorel {

class Document;
class KeyValueStore;

// The folder the file dialogs fall back to where no stored or current file's folder applies: the
// program's own folder when it runs from its build folder; for an installed program, whose
// folder belongs to the system, the user's documents folder, else the home folder.
[[nodiscard]] std::string defaultDialogFolder(const std::string &programPath);

// What the program keeps between runs and inside data files: the write-back of the display
// parameters into the document's files (before every read and at close; a failure is shown in
// a message box, a file that is not text is named on the status line), and the stored
// settings, read at start-up and written at close together with the file association. The
// window turns the settings into what it shows and back.
class WindowPersistence
{
public:
    // Installs the write-back into the document.
    WindowPersistence(Document &document, KeyValueStore &store);
    WindowPersistence(const WindowPersistence &) = delete;
    WindowPersistence &operator=(const WindowPersistence &) = delete;

    // The program and the screen as the settings see them at start-up.
    [[nodiscard]] StartContext startContext() const;
    // Reads the stored settings.
    [[nodiscard]] LoadedSettings load(const StartContext &context);
    // Stores `settings` with the current file's folders, and registers or removes the file
    // association as they say; a failure is shown.
    void save(const Settings &settings);
    // Registers the file association when `associate` (choosing the diagram page does).
    void registerAssociation(bool associate);

    // Whether the window is to be shown maximized (decided by the stored settings).
    bool startsMaximized() const { return m_maximized; }

private:
    // Tells on the status line that a file was left unwritten because it is not text, once
    // for as long as the file stays as it is.
    void noteNotText(const std::string &file, std::size_t nulOffset);

    Document &m_document;
    KeyValueStore &m_store;
    bool m_maximized = false;
    std::set<std::string> m_notedFiles; // path, size and time of the files told about
};

} // namespace quorel
