#pragma once

#include "core/persist/keyvaluestore.h"

#include <QSettings>
#include <QString>

namespace quorel {

// The program's settings in the user's configuration: QSettings' native file, on Linux
// $XDG_CONFIG_HOME/Halvorn5/Quorel.conf (~/.config when unset), group "2.0". Integers are
// written as integers and booleans as 1 and 0; a value that does not read as the type asked for
// (a hand-edited file, say) gives nothing, so the settings schema falls back to its default.
//
// The window creates one on the stack, passes it to loadSettings while it is created and to
// saveSettings when it closes.
class SettingsStore : public KeyValueStore
{
public:
    // The user's settings file; the values of an old Quorel.ini beside it are carried over when
    // there is no Quorel.conf yet.
    SettingsStore();
    // A settings file at `iniPath` (tests, portable set-ups).
    explicit SettingsStore(const QString &iniPath);

    bool contains(std::string_view key) const override;
    std::optional<std::int32_t> readInt(std::string_view key) const override;
    std::optional<bool> readBool(std::string_view key) const override;
    std::optional<std::string> readString(std::string_view key) const override;

    Status writeInt(std::string_view key, std::int32_t value) override;
    Status writeBool(std::string_view key, bool value) override;
    Status writeString(std::string_view key, std::string_view value) override;
    // Writes the file; fails when it cannot be written.
    Status flush() override;

    QString fileName() const { return m_settings.fileName(); }

private:
    void carryOverIniFile();

    QSettings m_settings;
};

} // namespace quorel
