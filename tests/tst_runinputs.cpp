// enkin-run, the command-line tool on the run-input store: its rows against the engine, its
// options and exit statuses. The window tests drive the store itself.
#include "app/runcli.h"
#include "engine/integrate.h"
#include "enkin/version.h"
#include "params/inhibitorchoices.h"
#include "params/runinputs.h"
#include "params/runstart.h"

#include "datalog/readingsfile.h"
#include "params/assignment.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <fstream>
#include <sstream>
#include <vector>

using namespace enkin;

class TestRunInputs : public QObject {
    Q_OBJECT

private slots:
    void cli_data();
    void cli();
    void cliBinary();
    void analyseGivesThePublishedFit();
    void assignmentsAreReproducibleAndHidden();
    void inhibitorChoices_data();
    void inhibitorChoices();
};

void TestRunInputs::inhibitorChoices_data()
{
    QTest::addColumn<QStringList>("constants"); // k3 k-3 k4 k-4
    QTest::addColumn<int>("type");              // chosen, or -1 to keep the texts
    QTest::addColumn<QString>("after");
    QTest::addColumn<double>("kiMolar"); // of the list's unit, from the constants in SI
    QTest::newRow("competitive") << QStringList{"2", "3", "0", "1"} << -1 << "2 3 0 1" << 3e3 / 2e8;
    QTest::newRow("uncompetitive")
        << QStringList{"0", "3", "0.5", "7"} << -1 << "0 3 0.5 7" << 7e3 / 0.5e8;
    QTest::newRow("mixed counts in Ki")
        << QStringList{"4", "1", "2", "9"} << -1 << "4 1 2 9" << 1e3 / 4e8;
    QTest::newRow("to mixed: k4 binds, k-3 released")
        << QStringList{"2", "-1", "0", "5"} << 2 << "2 1 1 5" << 1e3 / 2e8;
    QTest::newRow("to uncompetitive")
        << QStringList{"2", "3", "0", "0"} << 1 << "0 3 1 1" << 1e3 / 1e8;
}

// A choice of type, and the [I]0 list's rows (in the unit of the type the constants give) against
// Ki from the constants in SI units (k-3 in 1e3 /s, k3 in 1e8 /M/s).
void TestRunInputs::inhibitorChoices()
{
    QFETCH(QStringList, constants);
    QFETCH(int, type);
    RunInputs in;
    const RunInput rates[] = {RunInput::kk4, RunInput::kk5, RunInput::kk6, RunInput::kk7};
    for (int i = 0; i < 4; ++i)
        in.set(rates[i], constants[i].toStdString());
    if (type >= 0)
        setInhibitorType(in, InhibitorType(type));
    QStringList after;
    for (RunInput r : rates)
        after << QString::fromStdString(in.get(r));
    QTEST(after.join(' '), "after");
    QFETCH(double, kiMolar);
    QCOMPARE(i0RowText(in, 0), std::optional<std::string>("0"));
    for (int row = 1; row < int(kI0Multiples.size()); ++row) {
        const double molar = std::stod(*i0RowText(in, row)) / 1000;
        QVERIFY(std::abs(molar / (kI0Multiples[std::size_t(row)] * kiMolar) - 1) < 1e-12);
    }
    QVERIFY(!i0RowText(in, int(kI0Multiples.size())));
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
    QTest::newRow("a mixed inhibitor")
        << QStringList{"--I0", "0.01", "--kk4=1", "--kk5", "1", "--kk6", "0.5", "--kk7=2"} << 0
        << QString() << QString();
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
    const bool inhibited = report.start.inhibited();
    QCOMPARE(lines.front(), header + (inhibited ? ",EI (1e-9 M),ESI (1e-9 M),I (1e-3 M)" : ""));
    QCOMPARE(lines.size(), report.lastValid() + 1);
    for (int i = 1; i <= report.lastValid(); ++i) {
        QList<double> row;
        for (const QString &field : lines[i].split(','))
            row.append(field.toDouble());
        QList<double> expected{
            double(i),  t.TimeVal[i],          t.EConc[i], t.ESConc[i], t.SConc[i],
            t.PConc[i], rates.k2 * t.ESConc[i]};
        if (inhibited)
            expected << t.EIConc[i] << t.ESIConc[i] << t.IConc[i];
        QCOMPARE(row, expected);
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

// Bates and Watts, Nonlinear Regression Analysis (1988), Puromycin, treated, as readings: [S] in
// ppm as 1e-3 M, the rate in counts/min/min as 1e-6 M/s, without runs. Published: Km 0.06412,
// Vmax 212.68.
void TestRunInputs::analyseGivesThePublishedFit()
{
    const double c[] = {0.02, 0.02, 0.06, 0.06, 0.11, 0.11, 0.22, 0.22, 0.56, 0.56, 1.1, 1.1};
    const double rate[] = {76, 47, 97, 107, 123, 139, 159, 152, 191, 201, 207, 200};
    DataLog log;
    for (int i = 0; i < 12; ++i)
        acceptReading(log, {"1", "0", std::to_string(c[i]), std::to_string(rate[i]), "1"});
    QTemporaryDir dir;
    const std::string path = dir.filePath("puromycin.csv").toStdString(), bad = path + ".bad";
    const std::string text = readingsCsv({log, "", ""});
    std::ofstream(path) << text;
    std::ofstream(bad) << text.substr(0, text.size() - 5); // cut in its last row
    std::ostringstream out, err;
    const char *args[] = {"enkin-run", "analyse", path.c_str()};
    QCOMPARE(runCommandLine(3, args, out, err), 0);
    const QStringList direct = QString::fromStdString(out.str()).split('\n').at(1).split(',');
    QCOMPARE(direct.at(1), "direct fit");
    QCOMPARE(QString::number(direct.at(2).toDouble() * 1e3, 'g', 4) + ' ' +
                 QString::number(direct.at(5).toDouble() * 1e6, 'g', 5) + ' ' + direct.at(9),
             "0.06412 212.68 12");
    args[2] = bad.c_str();
    QCOMPARE(runCommandLine(3, args, out, err), 1);
    QVERIFY2(err.str().find(": line ") != std::string::npos, err.str().c_str());
}

void TestRunInputs::assignmentsAreReproducibleAndHidden()
{
    // The same seed gives the same class; each file reads back as the key's enzyme and shows no
    // number to the eye.
    // A class with inhibitors has the same enzymes, each with a hidden inhibitor.
    QTemporaryDir a, b, c;
    for (const QTemporaryDir *dir : {&a, &b, &c}) {
        const std::string out = dir->path().toStdString();
        const char *args[] = {"enkin-run", "assign", "--count",   "30",          "--seed",
                              "7",         "--out",  out.c_str(), "--inhibitors"};
        std::ostringstream none, err;
        QCOMPARE(runCommandLine(dir == &c ? 9 : 8, args, none, err), 0);
    }
    const auto read = [](const QString &path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    };
    QCOMPARE(read(a.filePath("key.csv")), read(b.filePath("key.csv")));
    for (const Assignment &drawn : drawAssignments(30, 7)) {
        const std::string text = read(a.filePath(QString::fromStdString(drawn.id + ".enkin")));
        const auto back = readAssignment(text);
        QVERIFY2(back && back->k1 == drawn.k1 && back->kminus1 == drawn.kminus1 &&
                     back->k2 == drawn.k2 && text.find('.') == std::string::npos,
                 text.c_str());
        QVERIFY(drawn.k1 >= 0.5 && drawn.k1 <= 5 && drawn.k2[0] < drawn.k2[1] &&
                drawn.k2[1] < drawn.k2[2]);
    }
    QVERIFY(!readAssignment("Enkin assignment 1\nid A-001\ndata 00\n"));

    // Each inhibitor reads back from its file and from the key; the class holds all three types,
    // and the key's Ki and aKi are k-3 / k3 and k-4 / k4 in M (1e3 /s over 1e8 /M/s).
    const auto key = readAssignmentKey(read(c.filePath("key.csv")));
    QVERIFY(key && key->size() == 30);
    int types[3] = {};
    std::istringstream keyLines(read(c.filePath("key.csv")));
    std::string line;
    std::getline(keyLines, line);
    const std::vector<Assignment> drawnClass = drawAssignments(30, 7, true);
    for (std::size_t i = 0; i < drawnClass.size(); ++i) {
        const Assignment &drawn = drawnClass[i];
        const auto back =
            readAssignment(read(c.filePath(QString::fromStdString(drawn.id + ".enkin"))));
        QVERIFY(back && back->inhibitor == drawn.inhibitor && back->k2 == drawn.k2);
        QVERIFY((*key)[i].inhibitor == drawn.inhibitor);
        const bool e = drawn.inhibitor[0] > 0, es = drawn.inhibitor[2] > 0;
        QVERIFY(e || es);
        ++types[e && es ? 2 : e ? 0 : 1];
        std::getline(keyLines, line);
        const QStringList fields = QString::fromStdString(line).split(',');
        const auto constant = [&](int site) {
            return site ? drawn.inhibitor[3] * 1e3 / (drawn.inhibitor[2] * 1e8)
                        : drawn.inhibitor[1] * 1e3 / (drawn.inhibitor[0] * 1e8);
        };
        for (int site : {0, 1}) {
            const QString field = fields.value(17 + site);
            QVERIFY(field.isEmpty() == !(site ? es : e));
            QVERIFY(field.isEmpty() || std::abs(field.toDouble() / constant(site) - 1) < 1e-12);
        }
    }
    QVERIFY2(types[0] >= 5 && types[1] >= 5 && types[2] >= 5,
             qPrintable(QString("%1 %2 %3").arg(types[0]).arg(types[1]).arg(types[2])));
    QCOMPARE(drawAssignments(30, 7, true)[4].k2, drawAssignments(30, 7)[4].k2);
    // A site that binds but is never released is no inhibitor.
    Assignment broken = drawAssignments(1, 7, true)[0];
    broken.inhibitor = {1, 0, 0, 1};
    QVERIFY(!readAssignment(assignmentText(broken)));
}

QTEST_GUILESS_MAIN(TestRunInputs)
#include "tst_runinputs.moc"
