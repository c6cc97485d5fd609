#include "gui/tools/interfacelanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace quorel {

namespace {

InterfaceLanguage chosenLanguage = InterfaceLanguage::English;
QPointer<QTranslator> ownTranslator;
QPointer<QTranslator> qtTranslator;

// Takes a translator installed earlier out again.
void uninstall(QPointer<QTranslator> &translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

// Whether the user's first choice of language is Polish ("pl", "pl-PL"; $LANGUAGE first).
bool asksForPolish(const QLocale &locale)
{
    if (locale.language() == QLocale::C)
        return false;
    const QStringList languages = locale.uiLanguages();
    return !languages.isEmpty()
        && languages.constFirst().section(QLatin1Char('-'), 0, 0) == QLatin1String("pl");
}

} // namespace

InterfaceLanguage installTranslations(QCoreApplication &application, const QLocale &locale)
{
    uninstall(ownTranslator);
    uninstall(qtTranslator);
    chosenLanguage = InterfaceLanguage::English;
    if (!asksForPolish(locale))
        return chosenLanguage;
    ownTranslator = new QTranslator(&application);
    if (!ownTranslator->load(QStringLiteral(":/i18n/quorel_pl.qm"))) {
        uninstall(ownTranslator);
        return chosenLanguage;
    }
    QCoreApplication::installTranslator(ownTranslator);
    // Qt's own dialogs (file, colour, print, message box buttons), when Qt's translations are
    // installed; the program's texts are Polish either way.
    qtTranslator = new QTranslator(&application);
    if (qtTranslator->load(QStringLiteral("qtbase_pl"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTranslator);
    else
        uninstall(qtTranslator);
    chosenLanguage = InterfaceLanguage::Polish;
    return chosenLanguage;
}

InterfaceLanguage interfaceLanguage()
{
    return chosenLanguage;
}

} // namespace quorel
