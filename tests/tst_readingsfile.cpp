// The readings file and the recovery file: an exact round trip, damaged files refused with their
// line and the log left as it was, readings kept through a killed process, and the question
// before closing the window with unsaved readings.
#include "app/enkinform.h"
#include "app/report.h"
#include "datalog/readingsfile.h"
#include "enkin/version.h"
#include "lab/session.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
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
                             {0.1 * i, 1e-300, 1 / 3.0, -0.0, 1, 10, 0.1, 1e9 / i,
                              Inhibitor{0.01 * (i % 4), 1 / 7.0, 2, i % 2 ? 0.0 : 1e-300, 3}},
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

// Every text the open windows show or tell a screen reader: their titles, tips, the texts and
// items of their controls, and the charts' titles and legends.
QStringList shownTexts()
{
    QStringList texts;
    for (QWidget *w : QApplication::allWidgets()) {
        texts << w->windowTitle() << w->toolTip() << w->statusTip() << w->whatsThis();
        if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w))
            for (QAccessible::Text t : {QAccessible::Name, QAccessible::Description,
                                        QAccessible::Value, QAccessible::Help})
                texts << a->text(t);
        for (const char *property : {"text", "plainText", "currentText", "placeholderText"})
            texts << w->property(property).toString();
        if (auto *list = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto *table = qobject_cast<QTableWidget *>(w))
            for (int r = -1; r < table->rowCount(); ++r)
                for (int c = 0; c < table->columnCount(); ++c)
                    if (QTableWidgetItem *item =
                            r < 0 ? table->horizontalHeaderItem(c) : table->item(r, c))
                        texts << item->text() << item->toolTip();
        if (auto *view = qobject_cast<QChartView *>(w)) {
            texts << view->chart()->title();
            for (QAbstractSeries *series : view->chart()->series())
                texts << series->name();
            for (QAbstractAxis *axis : view->chart()->axes())
                texts << axis->titleText();
        }
    }
    return texts;
}

// The numbers of `text` whose first significant digits are one of `digits` (all of one length).
QStringList numbersLike(const QString &text, const QStringList &digits)
{
    QStringList found;
    static const QRegularExpression number(QStringLiteral("\\d[\\d.]*"));
    for (const auto &m : number.globalMatch(text)) {
        QString d = m.captured();
        d.remove(QLatin1Char('.'));
        while (d.startsWith(QLatin1Char('0')))
            d.remove(0, 1);
        if (d.size() >= digits.front().size() && digits.contains(d.left(digits.front().size())))
            found << m.captured();
    }
    return found;
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

    void assignmentHidesItsEnzyme()
    {
        // A student's lab in an assignment: every enzyme setting at three [S]0, the Parameters
        // dialog and the Analysis open with a simulated error, the results copied, the readings
        // saved and the report written. No text shows a constant of the enzyme or a true value
        // made from them. A fit comes close to a true value, so the windows' few numbers are
        // checked against the first four digits (the simulated error keeps the fits further
        // off); the files' and the copy's, with every digit and many more numbers, against five.
        // Its inhibitor is hidden too: the student chooses only [I]0.
        const Assignment hidden{
            "A-042", 3.1416, 4.6692, {0.057722, 1.4142, 17.853}, {2.7183, 1.6180, 0.91596, 2.5029}};
        std::vector<double> secrets{hidden.k1, hidden.kminus1};
        for (int site : {0, 2}) { // each constant and Ki, aKi
            const double binding = hidden.inhibitor[site], release = hidden.inhibitor[site + 1];
            secrets.insert(secrets.end(), {binding, release, release / binding});
        }
        for (double k2 : hidden.k2) {
            const double km = (hidden.kminus1 + k2) / hidden.k1;
            secrets.insert(secrets.end(), {k2, km, k2 / km}); // k2 also gives Vmax and kcat
        }
        const auto digits = [&](int n) {
            QStringList prefixes;
            for (double v : secrets)
                prefixes << QString::number(v, 'e', n - 1).remove('.').left(n);
            return prefixes;
        };
        Session session;
        session.startAssignment(hidden);
        EnkinForm form(session);
        form.show();
        form.IP_Click();
        auto *k2list = form.findChild<QComboBox *>("k2list");
        const auto readAt = [&](std::initializer_list<int> rows) {
            for (int row : rows) {
                form.S0List_Click(row);
                form.findChild<QScrollBar *>("HScroll1")->setValue(600);
                form.Command1_Click();
            }
        };
        for (int setting : {0, 1, 2}) {
            emit k2list->activated(setting);
            readAt({6, 10, 15});
        }
        // The middle setting again, with the inhibitor, through the dialog's [I]0 field.
        emit k2list->activated(1);
        form.findChild<QLineEdit *>("I0")->setText("0.02");
        form.findChild<QAbstractButton *>("Accept")->click();
        readAt({6, 10, 15});
        const QStringList dialogFields = {"kk4", "kk5", "kk6", "kk7"};
        for (const QString &name : dialogFields)
            QVERIFY(!form.findChild<QLineEdit *>(name)->isEnabled() &&
                    form.findChild<QLineEdit *>(name)->text() == "?");
        QVERIFY(!form.findChild<QComboBox *>("InhibitorType")->isEnabled() &&
                form.findChild<QComboBox *>("I0List")->isHidden());
        // Default gives back the enzyme, at the middle setting, and its inhibitor, at [I]0 = 0.
        form.findChild<QAbstractButton *>("Default")->click();
        QVERIFY(session.state().inputs.number(RunInput::kk1) == hidden.k1 &&
                session.state().inputs.number(RunInput::kk2) == hidden.k2[1] &&
                session.state().inputs.number(RunInput::kk7) == hidden.inhibitor[3] &&
                session.state().inputs.number(RunInput::I0) == 0 &&
                k2list->currentText() == "Setting 2");
        form.Analyse_Click();
        form.findChild<QDoubleSpinBox *>("measurementError")->setValue(5);
        QTemporaryDir dir;
        const QString saved = dir.filePath("readings.csv"), pdf = dir.filePath("report.pdf");
        QVERIFY(LogFiles(session, nullptr).save(saved));
        QVERIFY(Report::write(pdf, session, "Ada", QImage(600, 300, QImage::Format_RGB32), "1"));
        form.findChild<QAbstractButton *>("copyResults")->click();
        QProcess text;
        text.start("pdftotext", {pdf, "-"});
        QVERIFY(text.waitForFinished(30000) && text.exitCode() == 0);
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString csv = QString::fromUtf8(file.readAll()),
                      report = QString::fromUtf8(text.readAllStandardOutput());
        const QString shown = shownTexts().join('\n'),
                      written = csv + QApplication::clipboard()->text() + report;
        QVERIFY2(numbersLike(shown, digits(4)).isEmpty(),
                 qPrintable(numbersLike(shown, digits(4)).join(' ')));
        QVERIFY2(numbersLike(written, digits(5)).isEmpty(),
                 qPrintable(numbersLike(written, digits(5)).join(' ')));
        // What the student does see: the settings, the assignment in the file and the report,
        // and a fit of each setting.
        QVERIFY(shown.contains("Setting 3") && csv.contains(",A-042,") &&
                report.contains("A-042") && session.state().dataLog.SavedCount == 12);

        // The readings go back into the assignment's window with their enzyme; a window without
        // the assignment refuses them, and the log stays as it was.
        Session again, plain;
        again.startAssignment(hidden);
        QCOMPARE(LogFiles(again, nullptr).open(saved), QString());
        QVERIFY(readingsCsv({again.state().dataLog, {}, {}}) ==
                readingsCsv({session.state().dataLog, {}, {}}));
        QVERIFY(again.state().dataLog.SavedRun[9].start.k2 == hidden.k2[2]);
        QVERIFY(again.state().dataLog.SavedRun[12].start.inhibitor.kminus4 == hidden.inhibitor[3]);
        QVERIFY(LogFiles(plain, nullptr).open(saved).contains("A-042"));
        QCOMPARE(plain.state().dataLog.SavedCount, 0);
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
