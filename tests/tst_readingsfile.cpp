// The readings file and the recovery file: an exact round trip, damaged files refused with their
// line and the log left as it was, readings kept through a killed process, and the question
// before closing the window with unsaved readings.
#include "app/enkinform.h"
#include "app/report.h"
#include "datalog/readingsfile.h"
#include "enkin/version.h"
#include "lab/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <iostream>
#include <vector>

using namespace enkin;

namespace {

// A log of 20 readings, with every kind of value a reading's run can hold.
ReadingsFile fullLog(const std::string &student = "Ada \"A.\" Lovelace, group 3\nlab 2")
{
    ReadingsFile file{{}, student, "A-17"};
    for (int i = 1; i <= DataLog::kCapacity; ++i) {
        const RunContext run{i % 5 != 0,
                             {0.1 * i, 1e-300, 1 / 3.0, -0.0, 1, 10, 0.1, 1e9 / i},
                             i,
                             i % 3 ? std::nan("") : 1e-17 * i,
                             2.0 / 7};
        const std::string n = std::to_string(i);
        acceptReading(file.log, {n, "0.016", "0.9999", "-1.79769313486232E+308", n + "e-3"}, run);
    }
    return file;
}

// Clicks `button` of the message box the next event loop opens.
void answer(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [button] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(button)->click();
    });
}

} // namespace

class TestReadingsFile : public QObject {
    Q_OBJECT

    QTemporaryDir m_data; // the user's data folder, with the recovery file

private slots:
    void initTestCase() { qputenv("XDG_DATA_HOME", m_data.path().toUtf8()); }

    void roundTripIsExact()
    {
        // 17 significant digits tell every two doubles apart: the same text written again is
        // the same doubles read back, -0, 1e-300 and the largest double among them.
        const ReadingsFile file = fullLog();
        const ReadResult read = readReadingsCsv(readingsCsv(file));
        QCOMPARE(int(read.problem), int(ReadProblem::None));
        QCOMPARE(read.file.log.SavedCount, DataLog::kCapacity);
        QCOMPARE(readingsCsv(read.file), readingsCsv(file));
    }

    void damagedFilesAreRefused()
    {
        // One line a reading: the last, reading 20, is line 21.
        const std::string good = readingsCsv(fullLog("Ada, \"A.\""));
        const std::size_t last = good.rfind("\r\n", good.size() - 3) + 2;
        const std::size_t first = good.find("\r\n") + 2;
        const std::string firstRow = good.substr(first, good.find("\r\n", first) + 2 - first);
        struct Damage {
            std::string text;
            ReadProblem problem;
            int line;
        };
        std::vector<Damage> rows{
            {"", ReadProblem::Empty, 0},
            {" \r\n\r\n", ReadProblem::Empty, 0},
            {std::string(70000, 'x'), ReadProblem::TooLong, 0},
            {std::string("t,\0\x01\x02", 6), ReadProblem::NotText, 0},
            {"\xC3\x28,junk", ReadProblem::NotText, 0},
            {"time,E,ES,S,v\r\n1,2,3,4,5", ReadProblem::NotReadings, 1},
            {good.substr(0, 40), ReadProblem::NotReadings, 1},
            {good.substr(0, good.rfind("A.")), ReadProblem::UnclosedQuote, 21},
            {good + "1,2,3\r\n", ReadProblem::WrongColumnCount, 22},
            {good + firstRow, ReadProblem::TooManyRows, 22},
            {good.substr(0, last) + "x" + good.substr(last), ReadProblem::NotANumber, 21},
            {good.substr(0, last) + "nan" + good.substr(good.find(',', last)),
             ReadProblem::NotANumber, 21},
        };
        // Cut short anywhere in the last row but after its whole number.
        for (std::size_t cut = last + 1; cut < good.size() - 2; cut += (good.size() - last) / 19)
            rows.push_back({good.substr(0, cut), ReadProblem::None, 21});
        QVERIFY(rows.size() >= 30);
        DataLog kept;
        kept.SavedCount = 1;
        kept.SavedE[1] = 42;
        for (const Damage &row : rows) {
            const ReadResult read = readReadingsCsv(row.text);
            const QString what = QString::fromStdString(row.text.substr(0, 30));
            QVERIFY2(read.problem != ReadProblem::None && read.line == row.line &&
                         (row.problem == ReadProblem::None || read.problem == row.problem),
                     qPrintable(
                         QString("%1 at %2: %3").arg(int(read.problem)).arg(read.line).arg(what)));
            // Through the window's files: a message, and the log as it was.
            Session session;
            session.replaceLog(kept);
            QTemporaryDir dir;
            QFile damaged(dir.filePath("damaged.csv"));
            QVERIFY(damaged.open(QIODevice::WriteOnly));
            damaged.write(row.text.data(), qint64(row.text.size()));
            damaged.close();
            QVERIFY(!LogFiles(session, nullptr).open(damaged.fileName()).isEmpty());
            QVERIFY(session.state().dataLog.SavedCount == 1 &&
                    session.state().dataLog.SavedE[1] == 42);
        }
        // A file far larger than any readings file is not read at all.
        QTemporaryDir dir;
        QFile huge(dir.filePath("huge.csv"));
        QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(100 * 1024 * 1024));
        huge.close();
        Session session;
        QCOMPARE(LogFiles(session, nullptr).open(huge.fileName()),
                 LogFiles::problemText({ReadProblem::TooLong, 0, {}, {}}));
    }

    void reportIsText()
    {
        // The PDF's text, as pdftotext reads it: the student, the version, the readings and the
        // fitted Km of the analysis.
        Session session;
        EnkinForm form(session);
        for (int row : {6, 8, 10, 12, 15}) {
            form.S0List_Click(row);
            form.findChild<QScrollBar *>("HScroll1")->setValue(600);
            form.Command1_Click();
        }
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QVERIFY(Report::write(pdf, session, "Ada Lovelace", QImage(600, 300, QImage::Format_RGB32),
                              "1"));
        QProcess text;
        text.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY2(text.waitForFinished(30000) && text.exitCode() == 0, "pdftotext (poppler-utils)");
        const QString read = QString::fromUtf8(text.readAllStandardOutput());
        const QString reading = QString::number(session.state().dataLog.SavedVel[3]);
        for (const QString &wanted : {QString("Ada Lovelace"), QString("enkin " ENKIN_VERSION),
                                      reading, QString("Km\\s+\\(2\\.0")})
            QVERIFY2(read.contains(QRegularExpression(wanted)),
                     qPrintable(wanted + " not in " + read));
    }

    void readingsSurviveAKilledProcess()
    {
        QFile::remove(LogFiles::recoveryPath());
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {"--accept-and-wait"});
        QVERIFY(child.waitForReadyRead(30000) && child.readAll().contains("accepted"));
        child.kill();
        QVERIFY(child.waitForFinished(10000));
        // The next start offers the two readings back, once.
        Session session;
        EnkinForm form(session);
        answer(QMessageBox::Yes);
        form.offerRecovery();
        QCOMPARE(session.state().dataLog.SavedCount, 2);
        QCOMPARE(session.state().dataLog.SavedE[2], 1.0);
        // Closing the window asks first: Cancel keeps it open, Discard lets it close.
        form.show();
        answer(QMessageBox::Cancel);
        QVERIFY(!form.close() && form.isVisible());
        answer(QMessageBox::Discard);
        QVERIFY(form.close());
        QVERIFY(!QFile::exists(LogFiles::recoveryPath()));
    }
};

// With --accept-and-wait: a student's session that accepts two readings and waits to be killed.
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    TestReadingsFile test;
    if (argc > 1 && std::strcmp(argv[1], "--accept-and-wait") == 0) {
        Session session;
        EnkinForm form(session);
        form.Command1_Click();
        form.Command1_Click();
        std::cout << "accepted" << std::endl;
        return app.exec();
    }
    return QTest::qExec(&test, argc, argv);
}

#include "tst_readingsfile.moc"
