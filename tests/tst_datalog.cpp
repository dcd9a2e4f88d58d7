// The data log, its text table and the Saved Data window.
#include "datalog/dataform.h"
#include "datalog/datalog.h"

#include <QAccessibleInterface>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <cmath>

using namespace enkin;

namespace {

// Accepts the box texts given in the order [E], [ES], [S], velocity, time.
AcceptOutcome accept(DataLog &log, const QStringList &boxes, const RunContext &run = {})
{
    std::string b[5];
    for (int i = 0; i < 5; ++i)
        b[i] = boxes[i].toStdString();
    return acceptReading(log, {b[0], b[1], b[2], b[3], b[4]}, run);
}

} // namespace

class TestDataLog : public QObject {
    Q_OBJECT

private slots:
    void acceptFillsRowsUntilFull();
    void tableAndSpreadsheetTexts_data();
    void tableAndSpreadsheetTexts();
    void windowShowsTheLogOfItsLastShow();
};

void TestDataLog::acceptFillsRowsUntilFull()
{
    DataLog log;
    // Storing 0 for a box with nothing in it would pass off a missing reading as a real one.
    for (int box = 0; box < 5; ++box) {
        QStringList boxes(5, QStringLiteral("7"));
        boxes[box] = box % 2 ? "" : " \t ";
        QCOMPARE(accept(log, boxes), AcceptOutcome::EmptyBox);
    }
    QCOMPARE(log.SavedCount, 0);
    for (int i = 1; i <= 20; ++i) { // a number followed by text reads as the number
        const QString n = QString::number(i);
        RunContext run;
        run.point = i;
        QCOMPARE(accept(log, {n, n + "0", n + "00x", n + "000", n + "0000"}, run),
                 AcceptOutcome::Accepted);
        QCOMPARE(log.SavedCount, i);
        QCOMPARE(QList<double>({log.SavedE[i], log.SavedES[i], log.SavedS[i], log.SavedVel[i],
                                log.SavedT[i], double(log.SavedRun[i].point)}),
                 QList<double>({1.0 * i, 10.0 * i, 100.0 * i, 1000.0 * i, 10000.0 * i, 1.0 * i}));
    }

    const std::string full = savedDataText(log);
    QCOMPARE(accept(log, {"21", "1", "1", "1", "1"}), AcceptOutcome::LogFull);
    // A full log wins over an empty box: the student needs Clear All either way.
    QCOMPARE(accept(log, {"", "", "", "", ""}), AcceptOutcome::LogFull);
    QCOMPARE(savedDataText(log), full);

    clearAll(log);
    QCOMPARE(savedDataText(log), std::string(kNoSavedData));
    QCOMPARE(accept(log, {"42", "abc", "44", "45", "46"}), AcceptOutcome::Accepted);
    QVERIFY(log.SavedCount == 1 && log.SavedE[1] == 42 && log.SavedES[1] == 0);
}

void TestDataLog::tableAndSpreadsheetTexts_data()
{
    QTest::addColumn<QStringList>("boxes"); // [E], [ES], [S], velocity, time; 5 per reading
    QTest::addColumn<double>("s0");         // [S]0 of the readings' run, 1e-3 M; NaN: none
    QTest::addColumn<QString>("lines");     // '|' marks columns 16, 31, 46, 61; padded to 75
    QTest::addColumn<QString>("sheet");     // after the header row
    QTest::newRow("empty log") << QStringList{} << qQNaN() << QString() << QString();
    QTest::newRow("molar units, worked example")
        << QStringList{"1.234", "0.5", "0.9987", "0.25", "50"} << 1.0
        << " 0.05          | 1.234E-09     | 5E-10         | 0.0009987     | 2.5E-07"
        << "0.05\t1.234E-09\t5E-10\t0.0009987\t0.001\t2.5E-07\n";
    QTest::newRow("two readings in order, negative and zero, without a run")
        << QStringList{"1", "2", "3", "-4", "5", "0", "0", "0", "0", "0"} << qQNaN()
        << " 0.005         | 1E-09         | 2E-09         | 0.003         |-4E-06\n"
           " 0             | 0             | 0             | 0             | 0"
        << "0.005\t1E-09\t2E-09\t0.003\t\t-4E-06\n0\t0\t0\t0\t\t0\n";
    // [E] " 1.23456789012345E-09" runs into [ES], which overwrites only as far as its " 0" goes.
    QTest::newRow("long field runs on and is overwritten by the next")
        << QStringList{"1.23456789012345", "0", "1", "1", "1"} << 0.02
        << " 0.001         | 1.234567890123| 0E-09         | 0.001         | 1E-06"
        << "0.001\t1.23456789012345E-09\t0\t0.001\t2E-05\t1E-06\n";
    // The time written over [E], and a line cut at column 75, fuzz_savedtable tries at random.
}

void TestDataLog::tableAndSpreadsheetTexts()
{
    QFETCH(QStringList, boxes);
    QFETCH(double, s0);
    QFETCH(QString, lines);
    QFETCH(QString, sheet);
    DataLog log;
    RunContext run;
    run.known = !std::isnan(s0), run.start.s0 = s0;
    for (int r = 0; r + 5 <= boxes.size(); r += 5)
        QCOMPARE(accept(log, boxes.mid(r, 5), run), AcceptOutcome::Accepted);
    // A 105-character dotted heading, then "\r\n" and a 75-character line for each reading.
    auto dots = [](int n) { return QString(n, QLatin1Char('.')); };
    QString table = dots(5) + " t " + dots(19) + " [E] " + dots(18) + " [ES] " + dots(18) +
                    " [S] " + dots(16) + " Vel " + dots(5);
    for (const QString &line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        table += "\r\n" + QString(line).remove(QLatin1Char('|')).leftJustified(75);
    QCOMPARE(QString::fromStdString(savedDataText(log)),
             boxes.isEmpty() ? QString(kNoSavedData.data()) : table);
    const QString header = "t (s)\t[E] (M)\t[ES] (M)\t[S] (M)\t[S]0 (M)\tvelocity (M/s)\n";
    QCOMPARE(QString::fromStdString(spreadsheetText(log)), boxes.isEmpty() ? "" : header + sheet);
    // A spreadsheet in a decimal-comma language reads "0.002" as text, or as 2.
    QCOMPARE(QString::fromStdString(spreadsheetText(log, ',')),
             boxes.isEmpty() ? "" : header + QString(sheet).replace('.', ','));
}

void TestDataLog::windowShowsTheLogOfItsLastShow()
{
    QWidget owner;
    QPointer<DataForm> form = new DataForm(&owner);
    auto *dataText = form->findChild<QPlainTextEdit *>();
    auto *copy = form->findChild<QPushButton *>("CopyForSpreadsheet");
    auto *status = form->findChild<QLabel *>("CopyStatus");
    const QString foreign = QStringLiteral("left on the clipboard by another program");
    QGuiApplication::clipboard()->setText(foreign);
    form->showData(DataLog{});
    copy->click();
    QCOMPARE(status->text(), "Nothing to copy: no readings have been accepted yet.");
    QCOMPARE(QGuiApplication::clipboard()->text(), foreign);

    // The copy writes the desktop's decimal sign, as plain text and as an HTML table, which
    // spreadsheets paste cell by cell; the Saved Data table keeps ".".
    DataLog log;
    accept(log, {"0.983", "0.016", "0.9999", "0.016", "2"});
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    form->showData(log);
    copy->click();
    QLocale::setDefault(QLocale::c());
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(copied->text(), QString::fromStdString(spreadsheetText(log, ',')));
    QVERIFY(copied->html().contains("<td>0,002</td>"));
    QVERIFY(dataText->toPlainText().contains(" 0.002 "));
    // The confirmation is read by its text.
    QCOMPARE(status->text(), "Copied 1 reading for a spreadsheet.");
    QCOMPARE(QAccessible::queryAccessibleInterface(status)->text(QAccessible::Name),
             status->text());

    for (int i = 1; i < 20; ++i) // more readings than the box shows at once
        accept(log, {"-123.456", "-123.456", "-0.1234", "-123.456", "-123.456"});
    form->showData(log);
    form->show();
    const QString shown = QString::fromStdString(savedDataText(log)).replace("\r\n", "\n");
    QCOMPARE(dataText->toPlainText(), shown);
    // The caret is at the end, so the last readings are in view.
    QVERIFY(dataText->viewport()->rect().contains(dataText->cursorRect()));
    dataText->appendPlainText(QStringLiteral("typed by the student"));
    form->showData(log);
    QCOMPARE(dataText->toPlainText(), shown);
    // An accept while the window is open waits for the next Show, and so does the clipboard.
    const DataLog twenty = log;
    clearAll(log);
    accept(log, {"1", "1", "1", "1", "1"});
    QCOMPARE(dataText->toPlainText(), shown);
    copy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromStdString(spreadsheetText(twenty)));

    // Close only hides, and the text stays; the close box destroys the window.
    QTest::mouseClick(form->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form && form->isHidden() && dataText->toPlainText() == shown);
    form->show();
    QVERIFY(form->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

QTEST_MAIN(TestDataLog)
#include "tst_datalog.moc"
