#include "gui/persist/windowpersistence.h"

#include "core/persist/association.h"
#include "core/persist/writeback.h"
#include "core/util/system.h"
#include "gui/document/document.h"
#include "gui/document/readwords.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace quorel {

std::string defaultDialogFolder(const std::string &programPath)
{
    if (installedDesktopEntry(programPath).empty())
        return programPath.empty() ? std::string() : parentFolder(programPath);
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents.toStdString();
    return QDir::homePath().toStdString();
}

WindowPersistence::WindowPersistence(Document &document, KeyValueStore &store)
    : m_document(document)
    , m_store(store)
{
    // Runs on the document's worker: it only writes, and returns what it did.
    document.setWriteBack([](const std::string &file, const DiagramStyle &style) {
        return writeDisplayParameters(file, style, userName());
    });
}

StartContext WindowPersistence::startContext() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1280, 800);
    StartContext context;
    context.programPath = programPath();
    context.programFolder = defaultDialogFolder(context.programPath);
    context.startPlacement =
        m_startPlacement.value_or(startPlacement(screenSize.width(), screenSize.height()));
    return context;
}

std::vector<std::string> WindowPersistence::restore()
{
    const LoadedSettings loaded = loadSettings(m_store, startContext());
    m_maximized = loaded.settings.maximized;
    std::vector<std::string> messages;
    if (!loaded.runCounterMessage.empty())
        messages.push_back(loaded.runCounterMessage);
    applySettings(loaded.settings);
    if (!loaded.storeError.empty())
        messages.push_back(loaded.storeError);
    return messages;
}

void WindowPersistence::applySettings(const Settings &settings)
{
    // The description's text and position are not stored: they keep what the style holds.
    DiagramStyle style = settings.style;
    const DiagramStyle &current = m_document.style();
    style.descriptionText = current.descriptionText;
    style.descriptionX = current.descriptionX;
    style.descriptionY = current.descriptionY;
    m_document.setStyle(style);
    m_document.setShowSignificanceBand(settings.significanceBand);
    m_document.setShowMeanDirection(settings.meanDirection);
    for (const SettingsBinding &binding : m_bindings) {
        if (binding.apply)
            binding.apply(settings);
    }
}

Settings WindowPersistence::currentSettings() const
{
    Settings settings;
    settings.style = m_document.style();
    settings.ringLabels = m_document.ringLabels();
    settings.significanceBand = m_document.showsSignificanceBand();
    settings.meanDirection = m_document.showsMeanDirection();
    for (const SettingsBinding &binding : m_bindings) {
        if (binding.store)
            binding.store(settings);
    }
    return settings;
}

void WindowPersistence::save()
{
    const std::string program = programPath();
    const Status saved = saveSettings(
        m_store, currentSettings(), m_document.currentFileName().toStdString(),
        defaultDialogFolder(program), [&program](bool associate) {
            return applyAssociation(associate, program, AssociationFolders::fromEnvironment());
        });
    if (!saved)
        m_document.warn(errorText(saved.error()));
}

void WindowPersistence::registerAssociation(bool associate)
{
    if (!associate)
        return;
    const Status registered =
        registerFileAssociation(programPath(), AssociationFolders::fromEnvironment());
    if (!registered)
        m_document.warn(errorText(registered.error()));
}

} // namespace quorel
