#pragma once

#include "core/persist/settings.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

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
// document's look and marks it maps itself; every other part of the window that keeps something
// hands it a binding.
class WindowPersistence
{
public:
    // Installs the write-back into the document.
    WindowPersistence(Document &document, KeyValueStore &store);
    WindowPersistence(const WindowPersistence &) = delete;
    WindowPersistence &operator=(const WindowPersistence &) = delete;

    // Parts are applied in the order they are added, after the document.
    void addBinding(SettingsBinding binding) { m_bindings.push_back(std::move(binding)); }
    // Where a first start puts the window (worked out by the window from its parts).
    void setStartPlacement(const WindowPlacement &placement) { m_startPlacement = placement; }

    // The program and the screen as the settings see them at start-up.
    [[nodiscard]] StartContext startContext() const;
    // Reads the stored settings and applies them; returns what the user is to be told (the run
    // counter's thanks, a store that cannot be written), in that order.
    [[nodiscard]] std::vector<std::string> restore();
    // The settings as the document and the parts stand, and applying settings to them.
    [[nodiscard]] Settings currentSettings() const;
    void applySettings(const Settings &settings);
    // Stores the current settings with the current file's folders, and registers or removes
    // the file association as they say; a failure is shown.
    void save();
    // Registers the file association when `associate` (choosing the diagram page does).
    void registerAssociation(bool associate);

    // Whether the window is to be shown maximized (decided by the stored settings).
    bool startsMaximized() const { return m_maximized; }

private:
    Document &m_document;
    KeyValueStore &m_store;
    std::vector<SettingsBinding> m_bindings;
    std::optional<WindowPlacement> m_startPlacement;
    bool m_maximized = false;
};

} // namespace quorel
