#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace enkin {

namespace {

// The program's catalogue as installed; null once it is deleted, when the interface is English
// again.
QPointer<QTranslator> catalogue;

} // namespace

bool installTranslations(QCoreApplication &app, const QLocale &locale)
{
    // Parented to the application, so they live as long as it does.
    auto *qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    auto *own = new QTranslator(&app);
    if (!own->load(locale, QStringLiteral("enkin"), QStringLiteral("_"),
                   QStringLiteral(":/i18n")) ||
        !QCoreApplication::installTranslator(own))
        return false;
    catalogue = own;
    return true;
}

QString documentLanguage()
{
    if (!catalogue)
        return {};
    return QLocale::languageToCode(QLocale(catalogue->language()).language());
}

} // namespace enkin
