#include "gui/tools/interfacelanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quorel {

namespace {

InterfaceLanguage chosenLanguage = InterfaceLanguage::English;

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
    chosenLanguage = InterfaceLanguage::English;
    if (!asksForPolish(locale))
        return chosenLanguage;
    auto *own = new QTranslator(&application);
    if (!own->load(QStringLiteral(":/i18n/quorel_pl.qm"))) {
        delete own;
        return chosenLanguage;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own dialogs (file, colour, print, message box buttons), when Qt's translations are
    // installed; the program's texts are Polish either way.
    auto *qt = new QTranslator(&application);
    if (qt->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    chosenLanguage = InterfaceLanguage::Polish;
    return chosenLanguage;
}

InterfaceLanguage interfaceLanguage()
{
    return chosenLanguage;
}

} // namespace quorel
