// Enkin: start-up. The shared state is created first and outlives every window.
#include "app/appicon.h"
#include "app/enkinform.h"
#include "app/language.h"
#include "lab/bench.h"

#include <QApplication>
#include <QLocale>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("enkin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("enkin"));
    QApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));
    QApplication::setWindowIcon(enkin::enkinIcon());
    // The interface in the desktop's language; numbers in the boxes keep "." in every one.
    enkin::installTranslations(app, QLocale());

    enkin::Bench bench;
    enkin::EnkinForm form(bench);
    form.show();
    return QApplication::exec();
}
