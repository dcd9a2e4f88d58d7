// The installed program's face to the shell and the desktop: enkin's command line without a
// display, the man pages against the options the programs take, the desktop entry and the
// AppStream metainfo through their validators.
#include "app/startup.h"
#include "params/runinputs.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a built program with no display of any kind, as from a text console or over ssh.
Finished runHeadless(const QString &program, const QStringList &arguments,
                     const QString &stdoutFile = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    QProcess p;
    p.setProcessEnvironment(env);
    if (!stdoutFile.isEmpty())
        p.setStandardOutputFile(stdoutFile);
    p.start(program, arguments);
    // A guard against a hang (a window waiting for a display), not a measure of speed.
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    if (p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), QString::fromLocal8Bit(p.readAllStandardOutput()),
            QString::fromLocal8Bit(p.readAllStandardError())};
}

// The options a help text names: "-x" or "--word" at the start of a word.
QStringList optionsNamed(const QString &help)
{
    static const QRegularExpression option(QStringLiteral("(?<![\\w-])--?[A-Za-z][\\w]*"));
    QStringList names;
    for (const QRegularExpressionMatch &m : option.globalMatch(help))
        if (!names.contains(m.captured()))
            names.append(m.captured());
    return names;
}

// The roff source with its escaped hyphens as plain ones.
QString manSource(const QString &page)
{
    QFile file(QStringLiteral(ENKIN_SOURCE_APP "/") + page);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).replace(QStringLiteral("\\-"), QStringLiteral("-"));
}

bool namesOption(const QString &page, const QString &option)
{
    const QRegularExpression word(QStringLiteral("(?<![\\w-])") +
                                  QRegularExpression::escape(option) +
                                  QStringLiteral("(?![\\w-])"));
    return page.contains(word);
}

// A validator or linter on PATH, or nothing.
QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

} // namespace

class TestMetadata : public QObject {
    Q_OBJECT
private slots:
    void helpWithoutDisplay_data();
    void helpWithoutDisplay();
    void versionWithoutDisplay();
    void badUsage_data();
    void badUsage();
    void qtOptionsAccepted();
    void unwritableOutput();
    void manPagesNameEveryOption_data();
    void manPagesNameEveryOption();
    void manPageInitialTexts();
    void manPagesLint();
    void desktopEntryValid();
    void metainfoValid();
    void metainfoFromCMake();
};

void TestMetadata::helpWithoutDisplay_data()
{
    QTest::addColumn<QString>("option");
    QTest::newRow("--help") << QStringLiteral("--help");
    QTest::newRow("-h") << QStringLiteral("-h");
}

void TestMetadata::helpWithoutDisplay()
{
    QFETCH(QString, option);
    const Finished r = runHeadless(QStringLiteral(ENKIN_PATH), {option});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.err, QString());
    QVERIFY(r.out.startsWith(QStringLiteral("Usage: enkin [options]\n")));
    QVERIFY(r.out.contains(QStringLiteral(ENKIN_DESCRIPTION)));
    const QStringList named = optionsNamed(r.out);
    for (const char *own : {"-h", "--help", "-v", "--version"})
        QVERIFY2(named.contains(QLatin1String(own)), own);
    for (const enkin::QtOption &qt : enkin::qtOptions())
        QVERIFY2(named.contains(QStringLiteral("-") + QLatin1String(qt.name)), qt.name);
}

void TestMetadata::versionWithoutDisplay()
{
    for (const char *option : {"--version", "-v"}) {
        const Finished r = runHeadless(QStringLiteral(ENKIN_PATH), {QLatin1String(option)});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.out, QStringLiteral("enkin " ENKIN_VERSION "\n"));
        QCOMPARE(r.err, QString());
    }
}

void TestMetadata::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");
    QTest::newRow("unknown long") << QStringList{"--bogus"} << QStringLiteral("bogus");
    QTest::newRow("unknown short") << QStringList{"-x", "--help"} << QStringLiteral("x");
    QTest::newRow("no value") << QStringList{"-platform"} << QStringLiteral("platform");
    QTest::newRow("argument") << QStringList{"readings.txt"} << QStringLiteral("readings.txt");
}

void TestMetadata::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    const Finished r = runHeadless(QStringLiteral(ENKIN_PATH), arguments);
    QCOMPARE(r.exitCode, enkin::kExitBadUsage);
    QCOMPARE(r.out, QString());
    QVERIFY2(r.err.startsWith(QStringLiteral("enkin: ")) && r.err.contains(named),
             qPrintable(r.err));
    QVERIFY(r.err.contains(QStringLiteral("enkin --help")));
}

void TestMetadata::qtOptionsAccepted()
{
    using Action = enkin::StartupCommand::Action;
    QVERIFY(enkin::qtOptions().size() >= 2);
    for (const enkin::QtOption &qt : enkin::qtOptions()) {
        for (const char *dashes : {"-", "--"}) {
            QStringList arguments{QStringLiteral("enkin"), QLatin1String(dashes) + qt.name};
            if (qt.valueName)
                arguments.append(QStringLiteral("value"));
            QVERIFY2(enkin::readStartupCommand(arguments).action == Action::Start,
                     qPrintable(arguments.join(' ')));
        }
    }
    // A value-taking option takes the next word, which is then no stray argument.
    QVERIFY(enkin::readStartupCommand({"enkin", "-style", "Fusion", "-reverse"}).action ==
            Action::Start);
    // Qt's options beside the program's own: the version is printed, without a display.
    const Finished r = runHeadless(QStringLiteral(ENKIN_PATH),
                                   {"-platform", "offscreen", "-style", "Fusion", "--version"});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(r.out, QStringLiteral("enkin " ENKIN_VERSION "\n"));
}

void TestMetadata::unwritableOutput()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("no /dev/full");
    const Finished r = runHeadless(QStringLiteral(ENKIN_PATH), {"--help"}, "/dev/full");
    QCOMPARE(r.exitCode, enkin::kExitWriteFailed);
    QVERIFY(r.err.contains(QStringLiteral("could not write")));
}

void TestMetadata::manPagesNameEveryOption_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("page");
    QTest::newRow("enkin") << QStringLiteral(ENKIN_PATH) << QStringLiteral("enkin.1");
    QTest::newRow("enkin-run") << QStringLiteral(ENKIN_RUN_PATH) << QStringLiteral("enkin-run.1");
}

void TestMetadata::manPagesNameEveryOption()
{
    QFETCH(QString, program);
    QFETCH(QString, page);
    const Finished r = runHeadless(program, {"--help"});
    QCOMPARE(r.exitCode, 0);
    const QStringList options = optionsNamed(r.out);
    QVERIFY2(options.size() >= 2, qPrintable(r.out));
    const QString source = manSource(page);
    QVERIFY(!source.isEmpty());
    for (const QString &option : options)
        QVERIFY2(namesOption(source, option), qPrintable(page + ": " + option));
    // Both programs take -h beside --help.
    QVERIFY(namesOption(source, QStringLiteral("-h")));
}

void TestMetadata::manPageInitialTexts()
{
    // Each input's paragraph gives the text it starts with, as the program has it.
    const QString source = manSource(QStringLiteral("enkin-run.1"));
    for (int i = 0; i <= static_cast<int>(enkin::RunInput::ttmax); ++i) {
        const auto input = static_cast<enkin::RunInput>(i);
        const QString name = QString::fromStdString(std::string(enkin::RunInputs::name(input)));
        const QString initial =
            QString::fromStdString(std::string(enkin::RunInputs::initialText(input)));
        const QRegularExpression entry(
            QStringLiteral("\n\\.BI --") + name + QStringLiteral(" \" T\"\n[^\n]*; initially ") +
            QRegularExpression::escape(initial) + QStringLiteral("\\.\n"));
        QVERIFY2(source.contains(entry), qPrintable(name));
    }
}

void TestMetadata::manPagesLint()
{
    for (const char *page : {"enkin.1", "enkin-run.1"}) {
        const QString path = QStringLiteral(ENKIN_SOURCE_APP "/") + QLatin1String(page);
        Finished r;
        if (const QString man = tool("man"); !man.isEmpty()) {
            r = runHeadless(
                QStringLiteral("sh"),
                {"-c", "LC_ALL=C.UTF-8 \"$0\" --warnings -l \"$1\" >/dev/null", man, path});
        } else if (const QString groff = tool("groff"); !groff.isEmpty()) {
            r = runHeadless(groff, {"-man", "-ww", "-z", path});
        } else {
            QSKIP("neither man nor groff is installed");
        }
        QVERIFY2(r.exitCode == 0 && r.err.isEmpty(), qPrintable(page + (": " + r.err)));
    }
}

void TestMetadata::desktopEntryValid()
{
    const QString validator = tool("desktop-file-validate");
    if (validator.isEmpty())
        QSKIP("desktop-file-validate is not installed");
    const Finished r = runHeadless(validator, {ENKIN_SOURCE_APP "/enkin.desktop"});
    // Not even a hint.
    QCOMPARE(r.out + r.err, QString());
    QCOMPARE(r.exitCode, 0);
}

void TestMetadata::metainfoValid()
{
    const QString validator = tool("appstreamcli");
    if (validator.isEmpty())
        QSKIP("appstreamcli is not installed");
    const Finished r = runHeadless(
        validator, {"validate", "--no-net", "--pedantic", "--no-color", ENKIN_METAINFO});
    // Nothing but the verdict: no error, warning, info or pedantic remark.
    QCOMPARE((r.out + r.err).trimmed(), QStringLiteral("✔ Validation was successful."));
    QCOMPARE(r.exitCode, 0);
}

void TestMetadata::metainfoFromCMake()
{
    QFile file(QStringLiteral(ENKIN_METAINFO));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QStringList ids, launchables, summaries, releases;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"id")
            ids.append(xml.readElementText());
        else if (xml.name() == u"launchable")
            launchables.append(xml.readElementText());
        else if (xml.name() == u"summary")
            summaries.append(xml.readElementText());
        else if (xml.name() == u"release")
            releases.append(xml.attributes().value(QStringLiteral("version")).toString());
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QCOMPARE(ids, QStringList{ENKIN_APP_ID});
    // The desktop file is installed under the ID, and the window names it to the desktop.
    QCOMPARE(launchables, QStringList{ENKIN_APP_ID ".desktop"});
    QCOMPARE(summaries, QStringList{ENKIN_DESCRIPTION});
    QCOMPARE(releases, QStringList{ENKIN_VERSION});
}

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
