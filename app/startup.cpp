#include "app/startup.h"

#include "enkin/version.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFile>

#include <array>

namespace enkin {

namespace {

// The options of QGuiApplication, QApplication and Qt's X11 platform that a widgets program
// takes, as Qt documents them. Qt reads them with one dash or two, and so does the parser here.
constexpr std::array<QtOption, 14> kQtOptions{{
    {"platform", "name"},
    {"platformpluginpath", "path"},
    {"platformtheme", "name"},
    {"plugin", "name"},
    {"display", "display"},
    {"geometry", "geometry"},
    {"qwindowgeometry", "geometry"},
    {"qwindowicon", "icon"},
    {"qwindowtitle", "title"},
    {"session", "id"},
    {"style", "style"},
    {"stylesheet", "file"},
    {"reverse", nullptr},
    {"widgetcount", nullptr},
}};

constexpr qsizetype kHelpWidth = 79;

QString qtOptionsText()
{
    QString text = QStringLiteral("Qt's own options are passed on to Qt:\n");
    QString line = QStringLiteral(" ");
    for (std::size_t i = 0; i < kQtOptions.size(); ++i) {
        QString item = QStringLiteral(" -") + QLatin1String(kQtOptions[i].name);
        if (kQtOptions[i].valueName)
            item += QLatin1Char(' ') + QLatin1String(kQtOptions[i].valueName);
        if (i + 1 < kQtOptions.size())
            item += QLatin1Char(',');
        if (line.size() + item.size() > kHelpWidth) {
            text += line + QLatin1Char('\n');
            line = QStringLiteral(" ");
        }
        line += item;
    }
    return text + line + QLatin1Char('\n');
}

QString helpText()
{
    return QStringLiteral("Usage: enkin [options] [FILE.enkin]\n" ENKIN_DESCRIPTION ".\n"
                          "\n"
                          "With an assignment file (made by enkin-run assign), the window runs\n"
                          "that assignment's hidden enzyme and shows none of its constants.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     Print this help and exit.\n"
                          "  -v, --version  Print the version and exit.\n"
                          "\n") +
           qtOptionsText() +
           QStringLiteral("\n"
                          "enkin-run prints a run as CSV. See enkin(1) and enkin-run(1).\n");
}

StartupCommand badUsage(const QString &reason)
{
    return {StartupCommand::Action::BadUsage,
            QStringLiteral("enkin: ") + reason +
                QStringLiteral("\nTry 'enkin --help' for more information.\n"),
            {}};
}

} // namespace

std::span<const QtOption> qtOptions()
{
    return kQtOptions;
}

StartupCommand readStartupCommand(const QStringList &arguments)
{
    QCommandLineParser parser;
    // "-platform" is one option, as Qt reads it, not the letters p, l, a, ...
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const QtOption &option : kQtOptions) {
        const QString valueName =
            option.valueName ? QString::fromLatin1(option.valueName) : QString();
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(option.name), QString(), valueName));
    }

    if (!parser.parse(arguments))
        return badUsage(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return badUsage(QStringLiteral("Unexpected argument '%1'.").arg(files[1]));
    if (parser.isSet(help))
        return {StartupCommand::Action::Help, helpText(), {}};
    if (parser.isSet(version))
        return {StartupCommand::Action::Version, QStringLiteral("enkin " ENKIN_VERSION "\n"), {}};
    StartupCommand start;
    if (!files.isEmpty())
        start.assignmentFile = files.first();
    return start;
}

std::optional<Assignment> readAssignmentFile(const QString &path, QString &problem)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        problem = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return std::nullopt;
    }
    // An assignment file is a few hundred bytes.
    const QByteArray bytes = file.read(64 * 1024);
    auto assignment =
        readAssignment(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    if (!assignment)
        problem = QStringLiteral("%1 is not an assignment file of Enkin").arg(path);
    return assignment;
}

} // namespace enkin
