#include "gui/persist/settingsstore.h"

#include "core/util/numbers.h"
#include "gui/document/programcaption.h"

#include <QFileInfo>
#include <QVariant>

namespace quorel {

namespace {

const QString organizationName = QStringLiteral("Halvorn5");
const QString applicationName = programCaptionText();

QString keyName(std::string_view key)
{
    return QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

SettingsStore::SettingsStore()
    : m_settings(QSettings::NativeFormat, QSettings::UserScope, organizationName, applicationName)
{
    carryOverIniFile();
    m_settings.beginGroup(QStringLiteral("2.0"));
}

void SettingsStore::carryOverIniFile()
{
    // Earlier builds kept the settings in Quorel.ini beside it. Its values are copied once, while
    // there is no Quorel.conf yet; the old file stays as it was.
    if (QFileInfo::exists(m_settings.fileName()))
        return;
    const QSettings old(QSettings::IniFormat, QSettings::UserScope, organizationName,
                        applicationName);
    if (!QFileInfo::exists(old.fileName()))
        return;
    for (const QString &key : old.allKeys())
        m_settings.setValue(key, old.value(key));
    m_settings.sync();
}

SettingsStore::SettingsStore(const QString &iniPath)
    : m_settings(iniPath, QSettings::IniFormat)
{
    m_settings.beginGroup(QStringLiteral("2.0"));
}

bool SettingsStore::contains(std::string_view key) const
{
    return m_settings.contains(keyName(key));
}

std::optional<std::int32_t> SettingsStore::readInt(std::string_view key) const
{
    const QVariant value = m_settings.value(keyName(key));
    switch (value.typeId()) {
    case QMetaType::Int:
        return value.toInt();
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (ok && number >= INT32_MIN && number <= INT32_MAX)
            return static_cast<std::int32_t>(number);
        return std::nullopt;
    }
    case QMetaType::QString:
        // An INI file keeps no types: integers come back as their text.
        return toInteger(value.toString().trimmed().toStdString());
    default:
        return std::nullopt;
    }
}

std::optional<bool> SettingsStore::readBool(std::string_view key) const
{
    const QVariant value = m_settings.value(keyName(key));
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        if (text.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (text.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    const auto number = readInt(key);
    return number ? std::optional<bool>(*number != 0) : std::nullopt;
}

std::optional<std::string> SettingsStore::readString(std::string_view key) const
{
    const QVariant value = m_settings.value(keyName(key));
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString().toStdString();
}

Status SettingsStore::writeInt(std::string_view key, std::int32_t value)
{
    m_settings.setValue(keyName(key), value);
    return success();
}

Status SettingsStore::writeBool(std::string_view key, bool value)
{
    m_settings.setValue(keyName(key), value ? 1 : 0);
    return success();
}

Status SettingsStore::writeString(std::string_view key, std::string_view value)
{
    m_settings.setValue(keyName(key),
                        QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    return success();
}

Status SettingsStore::flush()
{
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        return Error {"Cannot create file \"" + m_settings.fileName().toStdString()
                      + "\". The settings could not be saved."};
    return success();
}

} // namespace quorel
