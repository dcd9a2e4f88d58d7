// The run-input store and the enkin-run command-line tool built on it.
#include "app/runcli.h"
#include "engine/integrate.h"
#include "enkin/version.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include <QProcess>
#include <QTest>

#include <cfloat>
#include <sstream>
#include <vector>

using namespace enkin;

class TestRunInputs : public QObject {
    Q_OBJECT

private slots:
    void storeKeepsTextsAsTyped();
    void listenersFollowEveryChange();
    void cli_data();
    void cli();
    void cliBinary();
};

void TestRunInputs::storeKeepsTextsAsTyped()
{
    // The initial texts are the dialog's and enkin-run's defaults (tst_parameters, cli).
    RunInputs inputs;
    for (int i = 0; i < 8; ++i)
        QCOMPARE(RunInputs::fromName(RunInputs::name(RunInput(i))), std::optional(RunInput(i)));
    QVERIFY(!inputs.dialogTextsPresent());
    // Setting one dialog text creates all seven; every text is kept exactly as it was set.
    for (const char *text : {"", "  2.50abc ", "-", "\t1 2\n", "1e999"}) {
        inputs.set(RunInput::E0, text);
        QCOMPARE(inputs.get(RunInput::E0), std::string(text));
    }
    QVERIFY(inputs.dialogTextsPresent());
    QCOMPARE(inputs.get(RunInput::S0), std::string("1"));
    QCOMPARE(inputs.number(RunInput::E0), DBL_MAX);
    inputs.set(RunInput::kk1, "5");
    inputs.set(RunInput::ttmax, "3");
    // Discarding the dialog's texts leaves the Maximum Time.
    inputs.resetDialogTexts();
    QVERIFY(!inputs.dialogTextsPresent());
    QVERIFY(inputs.get(RunInput::kk1) == "1.0" && inputs.get(RunInput::ttmax) == "3");
}

void TestRunInputs::listenersFollowEveryChange()
{
    RunInputs inputs;
    std::vector<std::pair<RunInput, std::string>> heard;
    const auto id = inputs.subscribe(
        [&heard](RunInput input, const std::string &text) { heard.emplace_back(input, text); });
    // Creation of the group announces the seven initial texts, then the change itself.
    inputs.set(RunInput::kk2, "10");
    QCOMPARE(heard.size(), std::size_t(8));
    QCOMPARE(heard.front().first, RunInput::kk1);
    QCOMPARE(heard.back(), std::make_pair(RunInput::kk2, std::string("10")));
    heard.clear();
    inputs.set(RunInput::kk2, "10");
    QVERIFY2(heard.empty(), "an unchanged text is not announced");
    inputs.set(RunInput::ttmax, "2.857");
    QCOMPARE(heard.size(), std::size_t(1));
    inputs.unsubscribe(id);
    inputs.set(RunInput::ttmax, "1");
    QCOMPARE(heard.size(), std::size_t(1));
}

void TestRunInputs::cli_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("lastRow"); // the last line printed
    QTest::addColumn<QString>("error");   // what standard error says
    // Rows of 17 significant digits: every number reads back as the double it was.
    QTest::newRow("defaults") << QStringList{} << 0
                              << "600,0.097999999999999324,0.019652551986295324,"
                                 "0.98034744801370477,0.99999893318537703,0.086467175481767244,"
                                 "0.98034744801370477"
                              << QString();
    QTest::newRow("flat run, value with =")
        << QStringList{"--ttmax=", "--E0", "2"} << 0 << "600,0,2,0,1,0,0" << QString();
    QTest::newRow("leading-number parse")
        << QStringList{"--ttmax", "0 abc", "--P0", "  5x"} << 0 << "600,0,1,0,1,5,0" << QString();
    QTest::newRow("help") << QStringList{"--help"} << 0 << QString() << QString();
    QTest::newRow("unknown option") << QStringList{"--k9", "1"} << 2 << QString() << "Usage";
    QTest::newRow("positional") << QStringList{"5"} << 2 << QString() << "unknown option";
    QTest::newRow("missing value") << QStringList{"--kk1"} << 2 << QString() << "needs a value";
    // Regression: a run too long for one Runge-Kutta step per grid point was refused.
    QTest::newRow("the stiff solver")
        << QStringList{"--ttmax", "16.4", "--kk2=2.5"} << 0 << QString() << QString();
    QTest::newRow("inputs beyond any run") << QStringList{"--kk1", "1e309"} << 1 << "1,0,1,0,1,0,0"
                                           << "make k1, [S]0 or [E]0 smaller";
    QTest::newRow("stopped") << QStringList{"--kk1", "-1", "--ttmax", "5"} << 1 << QString()
                             << "stopped at grid point 18: a negative rate constant";
}

void TestRunInputs::cli()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, lastRow);
    QFETCH(QString, error);
    std::vector<std::string> storage{"enkin-run"};
    for (const QString &a : args)
        storage.push_back(a.toStdString());
    std::vector<const char *> argv;
    for (const auto &s : storage)
        argv.push_back(s.c_str());
    std::ostringstream out, err;
    QCOMPARE(runCommandLine(int(argv.size()), argv.data(), out, err), status);
    QVERIFY2(QString::fromStdString(err.str()).contains(error), err.str().c_str());
    const QStringList lines = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
    const QString header =
        "i,t (msec),E (1e-9 M),ES (1e-9 M),S (1e-3 M),P (1e-9 M),d[P]/dt (1e-6 M/s)";
    if (status == 2 || args == QStringList{"--help"}) {
        QVERIFY(status == 2 ? lines.isEmpty()
                            : lines.front().startsWith("Usage: enkin-run") &&
                                  lines.contains("  " + header));
        return;
    }
    // The rows of the run as the engine computes it, up to a stop, each number exactly, and the
    // velocity as the Results box computes it, k2 [ES] (a k2 other than 1 tells the two apart).
    RunInputs inputs;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString name = args[i].mid(2).section('=', 0, 0);
        const QString text = args[i].contains('=') ? args[i].section('=', 1) : args[++i];
        inputs.set(*RunInputs::fromName(name.toStdString()), text.toStdString());
    }
    RateSet rates;
    Trajectory t;
    const RunReport report = integrateRun(readRunStart(inputs), rates, t);
    QCOMPARE(lines.front(), header);
    QCOMPARE(lines.size(), report.lastValid() + 1);
    for (int i = 1; i <= report.lastValid(); ++i) {
        QList<double> row;
        for (const QString &field : lines[i].split(','))
            row.append(field.toDouble());
        QCOMPARE(row, QList<double>({double(i), t.TimeVal[i], t.EConc[i], t.ESConc[i], t.SConc[i],
                                     t.PConc[i], rates.k2 * t.ESConc[i]}));
    }
    if (!lastRow.isEmpty())
        QCOMPARE(lines.back(), lastRow);
}

void TestRunInputs::cliBinary()
{
    QProcess p;
    p.start(QStringLiteral(ENKIN_RUN_PATH), {"--kk2", "10", "--bogus"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardError().contains("Usage: enkin-run"));
    p.start(QStringLiteral(ENKIN_RUN_PATH), {"--version"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    QCOMPARE(p.readAllStandardOutput(), QByteArray("enkin-run " ENKIN_VERSION "\n"));

    // Regression: output to a full disk was lost and reported as success.
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(QStringLiteral(ENKIN_RUN_PATH), {"--ttmax", "1e6"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 3);
    QVERIFY(p.readAllStandardError().contains("could not write the output"));
    // The reader of the pipe is gone before the first row is written: the run ends quietly, as
    // under head. The exit status comes back on another descriptor.
    p.setStandardOutputFile(QString());
    p.start(QStringLiteral("bash"),
            {"-c", "exec 4>&1; { sleep 0.5; \"$0\" --ttmax 1e6; echo $? >&4; } | true",
             QStringLiteral(ENKIN_RUN_PATH)});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.readAllStandardOutput().trimmed(), QByteArray("0"));
    QCOMPARE(p.readAllStandardError(), QByteArray());
}

QTEST_GUILESS_MAIN(TestRunInputs)
#include "tst_runinputs.moc"
