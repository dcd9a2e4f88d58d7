#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("enkin"));
    QApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));
    return 0;
}
