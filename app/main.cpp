// Enkin: start-up. The shared state is created first and outlives every window.
#include "app/appicon.h"
#include "app/enkinform.h"
#include "app/module1.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("enkin"));
    QGuiApplication::setDesktopFileName(QStringLiteral("enkin"));
    QApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));
    QApplication::setWindowIcon(enkin::enkinIcon());

    enkin::Module1 state;
    enkin::EnkinForm form(state);
    form.show();
    return QApplication::exec();
}
