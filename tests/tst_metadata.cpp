// The installed program's face to the shell: enkin's command line without a display, and the
// man pages against the options the programs take. The desktop entry, the metainfo and the man
// pages go through their validators where the package is made (scripts/package).
#include "app/startup.h"
#include "enkin/version.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

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
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit) {
        p.kill();
        p.waitForFinished();
        return {};
    }
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

} // namespace

class TestMetadata : public QObject {
    Q_OBJECT
private slots:
    void commandLineWithoutDisplay_data();
    void commandLineWithoutDisplay();
    void manPagesNameEveryOption_data();
    void manPagesNameEveryOption();
};

void TestMetadata::commandLineWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out"); // what standard output starts with
    QTest::addColumn<QString>("err"); // what standard error names
    const QString usage = QStringLiteral("Usage: enkin [options] [FILE.enkin]\n");
    const QString version = QStringLiteral("enkin " ENKIN_VERSION "\n");
    QTest::newRow("--help") << QStringList{"--help"} << 0 << usage << QString();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QString();
    // Qt's options beside the program's own.
    QTest::newRow("-v among Qt's options, one dash or two")
        << QStringList{"-platform", "offscreen", "--style", "Fusion", "-reverse", "-v"} << 0
        << version << QString();
    const int bad = enkin::kExitBadUsage;
    QTest::newRow("unknown long") << QStringList{"--bogus"} << bad << QString() << "bogus";
    QTest::newRow("no value") << QStringList{"-platform"} << bad << QString() << "platform";
    QTest::newRow("two files") << QStringList{"a.enkin", "b.enkin"} << bad << QString()
                               << "b.enkin";
    QTest::newRow("not an assignment") << QStringList{ENKIN_PATH} << enkin::kExitBadAssignment
                                       << QString() << "not an assignment file";
    // One line, a status of its own and no core dump: Qt's abort would say to reinstall.
    QTest::newRow("no display") << QStringList{} << enkin::kExitNoDisplay << QString()
                                << "xvfb-run enkin";
}

void TestMetadata::commandLineWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Finished r = runHeadless(QStringLiteral(ENKIN_PATH), arguments);
    QCOMPARE(r.exitCode, status);
    QVERIFY2(out.isEmpty() ? r.out.isEmpty() : r.out.startsWith(out), qPrintable(r.out));
    if (err.isEmpty()) {
        QCOMPARE(r.err, QString());
    } else {
        QVERIFY2(r.err.startsWith(QStringLiteral("enkin: ")) && r.err.contains(err) &&
                     (status == enkin::kExitBadUsage ? r.err.contains("enkin --help")
                                                     : r.err.count('\n') == 1),
                 qPrintable(r.err));
    }
    if (out.startsWith(QStringLiteral("Usage"))) {
        QVERIFY(r.out.contains(QStringLiteral(ENKIN_DESCRIPTION)));
        const QStringList named = optionsNamed(r.out);
        for (const enkin::QtOption &qt : enkin::qtOptions())
            QVERIFY2(named.contains(QStringLiteral("-") + QLatin1String(qt.name)), qt.name);
    }
    // Help that cannot be written is a failure, not a success.
    if (status == 0 && QFile::exists(QStringLiteral("/dev/full")))
        QCOMPARE(runHeadless(QStringLiteral(ENKIN_PATH), arguments, "/dev/full").exitCode,
                 enkin::kExitWriteFailed);
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
    // The roff source with its escaped hyphens as plain ones names each as a word of its own.
    QFile file(QStringLiteral(ENKIN_SOURCE_APP "/") + page);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString source = QString::fromUtf8(file.readAll()).replace("\\-", "-");
    for (const QString &option : options + QStringList{QStringLiteral("-h")})
        QVERIFY2(source.contains(QRegularExpression(
                     "(?<![\\w-])" + QRegularExpression::escape(option) + "(?![\\w-])")),
                 qPrintable(page + ": " + option));
}

QTEST_GUILESS_MAIN(TestMetadata)
#include "tst_metadata.moc"
