#pragma once

#include <QString>

class QCoreApplication;
class QLocale;

namespace enkin {

// Loads the interface's catalogue for `locale` (the desktop's, by default) and Qt's own, and
// installs them on the application. English needs none: the texts in the code are English.
// Returns whether a catalogue of the program's was found.
bool installTranslations(QCoreApplication &app, const QLocale &locale);

// The language of the program's catalogue that installTranslations installed, as a language code
// ("de"), or empty while there is none and the interface is English. The Tutorial and the Guide
// follow it.
QString documentLanguage();

} // namespace enkin
