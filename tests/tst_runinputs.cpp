// The run-input store and the enkin-run command-line tool built on it.
#include "app/runcli.h"
#include "enkin/version.h"
#include "params/runinputs.h"

#include <QProcess>
#include <QTest>

#include <sstream>
#include <vector>

using namespace enkin;

class TestRunInputs : public QObject {
    Q_OBJECT

private slots:
    void initialTexts();
    void lifecycle();
    void storeNeverReformats();
    void listenersFollowEveryChange();
    void cli_data();
    void cli();
    void cliRowsRoundTrip();
    void cliBinary();
};

void TestRunInputs::initialTexts()
{
    const struct {
        const char *name, *text;
        double number;
    } initial[] = {{"kk1", "1.0", 1}, {"kk2", "1.0", 1},        {"kk3", "1.0", 1},
                   {"E0", "1", 1},    {"ES0", "0", 0},          {"S0", "1", 1},
                   {"P0", "0", 0},    {"ttmax", "0.098", 0.098}};
    RunInputs inputs;
    for (const auto &expected : initial) {
        const RunInput input = *RunInputs::fromName(expected.name);
        QCOMPARE(RunInputs::name(input), std::string_view(expected.name));
        QCOMPARE(inputs.get(input), std::string(expected.text));
        QVERIFY(inputs.number(input) == expected.number);
    }
}

void TestRunInputs::lifecycle()
{
    RunInputs inputs;
    QVERIFY(!inputs.dialogTextsPresent());
    inputs.get(RunInput::ttmax);
    QVERIFY2(!inputs.dialogTextsPresent(), "ttmax is not a dialog text");

    // Setting one dialog text creates all seven.
    inputs.set(RunInput::S0, "0.2");
    QVERIFY(inputs.dialogTextsPresent());
    QCOMPARE(inputs.get(RunInput::E0), std::string("1"));
    QCOMPARE(inputs.number(RunInput::S0), 0.2);

    inputs.set(RunInput::kk1, "5");
    inputs.set(RunInput::ttmax, "3");
    inputs.resetDialogTexts();
    QVERIFY(!inputs.dialogTextsPresent());
    QCOMPARE(inputs.get(RunInput::kk1), std::string("1.0"));
    QCOMPARE(inputs.get(RunInput::S0), std::string("1"));
    QCOMPARE(inputs.get(RunInput::ttmax), std::string("3"));
}

void TestRunInputs::storeNeverReformats()
{
    RunInputs inputs;
    for (const char *text : {"", "  2.50abc ", "-", "\t1 2\n", "1e999"}) {
        inputs.set(RunInput::E0, text);
        QCOMPARE(inputs.get(RunInput::E0), std::string(text));
    }
    inputs.set(RunInput::E0, "2.50abc");
    QCOMPARE(inputs.number(RunInput::E0), 2.5);
    inputs.set(RunInput::E0, "abc");
    QCOMPARE(inputs.number(RunInput::E0), 0.0);
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
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("lastRow");
    QTest::addColumn<QString>("errorContains");

    QTest::newRow("defaults") << QStringList{} << 0 << 600
                              << "600,0.097999999999999324,0.019652551986295324,"
                                 "0.98034744801370477,0.99999893318537703,0.086467175481767244"
                              << "";
    QTest::newRow("flat run, value with =")
        << QStringList{"--ttmax=", "--E0", "2"} << 0 << 600 << "600,0,2,0,1,0"
        << "";
    QTest::newRow("leading-number parse")
        << QStringList{"--ttmax", "0 abc", "--P0", "  5x"} << 0 << 600 << "600,0,1,0,1,5"
        << "";
    QTest::newRow("help") << QStringList{"--help"} << 0 << -1 << ""
                          << "";
    QTest::newRow("unknown option") << QStringList{"--k9", "1"} << 2 << -1 << ""
                                    << "Usage";
    QTest::newRow("positional") << QStringList{"5"} << 2 << -1 << ""
                                << "unknown option";
    QTest::newRow("missing value") << QStringList{"--kk1"} << 2 << -1 << ""
                                   << "needs a value";
    // Regression: a run too long for one Runge-Kutta step per grid point was refused.
    QTest::newRow("the whole reaction") << QStringList{"--ttmax", "1e7"} << 0 << -3 << ""
                                        << "";
    QTest::newRow("inputs beyond any run")
        << QStringList{"--kk1", "1e309"} << 1 << 1 << "1,0,1,0,1,0"
        << "make k1, [S]0 or [E]0 smaller";
    QTest::newRow("stopped") << QStringList{"--kk1", "-1", "--ttmax", "5"} << 1 << -2 << ""
                             << "stopped at grid point 18: a negative rate constant";
}

void TestRunInputs::cli()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(int, rows);
    QFETCH(QString, lastRow);
    QFETCH(QString, errorContains);

    std::vector<std::string> storage{"enkin-run"};
    for (const QString &a : args)
        storage.push_back(a.toStdString());
    std::vector<const char *> argv;
    for (const auto &s : storage)
        argv.push_back(s.c_str());
    std::ostringstream out, err;
    QCOMPARE(runCommandLine(int(argv.size()), argv.data(), out, err), status);

    const QStringList lines = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
    if (rows >= 0) {
        QCOMPARE(lines.size(), rows + 1);
        QCOMPARE(lines.front(), QStringLiteral("i,t,E,ES,S,P"));
        QCOMPARE(lines.back(), lastRow);
    } else if (rows == -2) {
        // Stopped: the rows up to the stop are printed, and every one of them is finite.
        QVERIFY(lines.size() > 2 && lines.size() < 601);
        QVERIFY(out.str().find("nan") == std::string::npos &&
                out.str().find("inf") == std::string::npos);
    } else if (rows == -3) {
        // [P] reaches [S]0, 1e6 in the enzyme's unit, and [S] runs out.
        QCOMPARE(lines.size(), 601);
        const QStringList last = lines.back().split(',');
        QVERIFY(std::abs(last[5].toDouble() / 1e6 - 1) < 1e-3 && last[4].toDouble() < 1e-3);
    } else if (args == QStringList{"--help"}) {
        QVERIFY(lines.front().startsWith("Usage: enkin-run"));
    } else {
        QVERIFY(out.str().empty());
    }
    QVERIFY2(QString::fromStdString(err.str()).contains(errorContains), err.str().c_str());
}

void TestRunInputs::cliRowsRoundTrip()
{
    const char *argv[] = {"enkin-run", "--ttmax", "16.4"};
    std::ostringstream out, err;
    QCOMPARE(runCommandLine(3, argv, out, err), 0);
    const QStringList lines = QString::fromStdString(out.str()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 601);
    // Every printed number reads back to the same double: 17 significant digits.
    for (const QString &line : lines.mid(1)) {
        for (const QString &field : line.split(',').mid(1)) {
            bool ok = false;
            const double v = field.toDouble(&ok);
            QVERIFY(ok);
            QCOMPARE(QString::number(v, 'g', 17).toDouble(), v);
        }
    }
    // The substepped run stays physical: [ES] between 0 and the total enzyme.
    const QStringList last = lines.back().split(',');
    QVERIFY(last[3].toDouble() > 0.98 && last[3].toDouble() < 1.0);
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

    // Regression: output to a full disk or a closed pipe was lost and reported as success.
    p.setStandardOutputFile(QStringLiteral("/dev/full"));
    p.start(QStringLiteral(ENKIN_RUN_PATH), {"--ttmax", "1e6"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 3);
    QVERIFY(p.readAllStandardError().contains("could not write the output"));
    // The reader of the pipe is gone before the first row is written: the exit status comes
    // back on another descriptor.
    p.setStandardOutputFile(QString());
    p.start(QStringLiteral("bash"),
            {"-c", "exec 4>&1; { sleep 0.5; \"$0\" --ttmax 1e6; echo $? >&4; } | true",
             QStringLiteral(ENKIN_RUN_PATH)});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.readAllStandardOutput().trimmed(), QByteArray("3"));
    QVERIFY(p.readAllStandardError().contains("Broken pipe"));

    p.setStandardOutputFile(QString()); // back to a pipe of our own
    p.start(QStringLiteral(ENKIN_RUN_PATH), {"--S0", "0.1", "--ttmax", "0.5"});
    QVERIFY(p.waitForFinished(10000));
    QCOMPARE(p.exitCode(), 0);
    const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lines.size(), 601);
    QVERIFY(lines[600].startsWith("600,0.49999999999999"));
}

QTEST_GUILESS_MAIN(TestRunInputs)
#include "tst_runinputs.moc"
