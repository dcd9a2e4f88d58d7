#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace enkin {

bool installTranslations(QCoreApplication &app, const QLocale &locale)
{
    // Parented to the application, so they live as long as it does.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto *own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("enkin"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        return false;
    return QCoreApplication::installTranslator(own);
}

} // namespace enkin
