#pragma once

#include "core/persist/keyvaluestore.h"

#include <QSettings>
#include <QString>

namespace quorel {

// The program's settings in the user's configuration: an INI file (by default
// ~/.config/Halvorn5/Quorel.conf), group "2.0". Integers are written as integers and booleans
// as 1 and 0; a value that does not read as the type asked for (a hand-edited file, say) gives
// nothing, so the settings schema falls back to its default.
//
// The window creates one on the stack, passes it to GetInfoFromReg while it is created and to
// SaveInfoToReg when it closes.
class SettingsStore : public KeyValueStore
{
public:
    // The user's settings file.
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
    QSettings m_settings;
};

} // namespace quorel
