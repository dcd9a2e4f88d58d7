// Enkin: start-up. The command line is read first, without a window system; then the shared state
// is created, and it outlives every window.
#include "app/appicon.h"
#include "app/enkinform.h"
#include "app/language.h"
#include "app/startup.h"
#include "enkin/version.h"
#include "lab/session.h"

#include <QApplication>
#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace {

// While the window system starts: Qt's own words for a missing display (a warning per plugin and
// an abort that suggests reinstalling) give way to one line that says what to do, and a status.
QtMessageHandler qtHandler = nullptr;
void startupMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg && message.contains(QLatin1String("no Qt platform plugin"))) {
        std::fputs("enkin: there is no display to open the window on; start it in a desktop "
                   "session, or without a screen as: xvfb-run enkin (package xvfb)\n",
                   stderr);
        std::_Exit(enkin::kExitNoDisplay);
    }
    if (QLatin1String(context.category ? context.category : "").startsWith(QLatin1String("qt.qpa")))
        return;
    qtHandler(type, context, message);
}

// Writes the help or the version; a full disk or a closed pipe is an error, not a success.
int print(const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    if (std::fwrite(bytes.constData(), 1, bytes.size(), stdout) == std::size_t(bytes.size()) &&
        std::fflush(stdout) == 0)
        return 0;
    std::fputs("enkin: could not write the output\n", stderr);
    return enkin::kExitWriteFailed;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const enkin::StartupCommand command = enkin::readStartupCommand(arguments);
    switch (command.action) {
    case enkin::StartupCommand::Action::Help:
    case enkin::StartupCommand::Action::Version:
        return print(command.text);
    case enkin::StartupCommand::Action::BadUsage:
        std::fputs(command.text.toLocal8Bit().constData(), stderr);
        return enkin::kExitBadUsage;
    case enkin::StartupCommand::Action::Start:
        break;
    }

    // The assignment is read before the window system starts: a file that is not one is told
    // without a display.
    enkin::Session session;
    if (!command.assignmentFile.isEmpty()) {
        QString problem;
        const auto assignment = enkin::readAssignmentFile(command.assignmentFile, problem);
        if (!assignment) {
            std::fputs(("enkin: " + problem + '\n').toLocal8Bit().constData(), stderr);
            return enkin::kExitBadAssignment;
        }
        session.startAssignment(*assignment);
    }

    // argv as it came: QApplication takes Qt's own options (-platform, -style, ...) from it.
    qtHandler = qInstallMessageHandler(startupMessages);
    QApplication app(argc, argv);
    qInstallMessageHandler(qtHandler);
    QApplication::setApplicationName(QStringLiteral("enkin"));
    QGuiApplication::setDesktopFileName(QStringLiteral(ENKIN_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral(ENKIN_VERSION));
    QApplication::setWindowIcon(enkin::enkinIcon());
    // The interface in the desktop's language; numbers in the boxes keep "." in every one.
    enkin::installTranslations(app, QLocale());

    enkin::EnkinForm form(session);
    form.show();
    form.offerRecovery();
    return QApplication::exec();
}
