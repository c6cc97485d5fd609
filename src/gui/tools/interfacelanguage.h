#pragma once

#include <QLocale>

class QCoreApplication;

namespace quorel {

enum class InterfaceLanguage { English, Polish };

// Gives the windows the language of `locale`: under a Polish locale the program's own Polish
// translation (built into the program) and Qt's for its standard dialogs, where installed; the
// program's English texts otherwise, and always under the C locale. Texts written into files
// never pass through a translation. A second call replaces what the first installed.
InterfaceLanguage installTranslations(QCoreApplication &application,
                                      const QLocale &locale = QLocale::system());

// The language installTranslations() chose; English before it ran.
InterfaceLanguage interfaceLanguage();

} // namespace quorel
