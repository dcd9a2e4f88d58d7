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
AcceptOutcome accept(DataLog &log, const QStringList &boxes)
{
    std::string b[5];
    for (int i = 0; i < 5; ++i)
        b[i] = boxes[i].toStdString();
    return acceptReading(log, {b[0], b[1], b[2], b[3], b[4]});
}

} // namespace

class TestDataLog : public QObject {
    Q_OBJECT

private slots:
    void acceptFillsRowsUntilFull();
    void acceptParsesBoxTexts_data();
    void acceptParsesBoxTexts();
    void tableAndSpreadsheetTexts_data();
    void tableAndSpreadsheetTexts();
    void showRebuildsTableOnlyOnShow();
    void closeHidesFrameCloseDestroys();
    void spreadsheetCopyInTheDesktopsDecimalSign();
};

void TestDataLog::acceptFillsRowsUntilFull()
{
    DataLog log;
    const auto columns = {&log.SavedT, &log.SavedE, &log.SavedES, &log.SavedS, &log.SavedVel};
    for (auto *column : columns)
        (*column)[0] = qQNaN();
    for (int i = 1; i <= 20; ++i) {
        const QString n = QString::number(i);
        QCOMPARE(accept(log, {n, n + "0", n + "00", n + "000", n + "0000"}),
                 AcceptOutcome::Accepted);
        QCOMPARE(QList<double>({log.SavedE[i], log.SavedES[i], log.SavedS[i], log.SavedVel[i],
                                log.SavedT[i]}),
                 QList<double>({1.0 * i, 10.0 * i, 100.0 * i, 1000.0 * i, 10000.0 * i}));
    }
    for (auto *column : columns)
        QVERIFY2(std::isnan((*column)[0]), "slot 0 holds no reading and is never written");

    const std::string full = savedDataText(log);
    QCOMPARE(accept(log, {"21", "1", "1", "1", "1"}), AcceptOutcome::LogFull);
    // A full log wins over an empty box: the student needs Clear All either way.
    QCOMPARE(accept(log, {"", "", "", "", ""}), AcceptOutcome::LogFull);
    QCOMPARE(savedDataText(log), full);

    clearAll(log);
    QCOMPARE(savedDataText(log), std::string("There is no saved data."));
    QCOMPARE(accept(log, {"42", "43", "44", "45", "46"}), AcceptOutcome::Accepted);
    QCOMPARE(log.SavedCount, 1);
    QCOMPARE(log.SavedE[1], 42.0);
}

void TestDataLog::acceptParsesBoxTexts_data()
{
    QTest::addColumn<int>("box"); // 0 [E], 1 [ES], 2 [S], 3 velocity, 4 time
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("stored"); // NaN: refused

    QTest::newRow("number then letters") << 0 << "12.5abc" << 12.5;
    QTest::newRow("letters only read as 0") << 0 << "abc" << 0.0;
    // Storing 0 for a box with nothing in it would pass off a missing reading as a real one.
    for (int box = 0; box < 5; ++box)
        QTest::addRow("empty box %d refused", box) << box << "" << qQNaN();
    QTest::newRow("blanks only refused") << 2 << "  \t " << qQNaN();
}

void TestDataLog::acceptParsesBoxTexts()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(double, stored);

    QStringList boxes(5, QStringLiteral("7"));
    boxes[box] = text;
    DataLog log;
    const bool refused = std::isnan(stored);
    QCOMPARE(accept(log, boxes), refused ? AcceptOutcome::EmptyBox : AcceptOutcome::Accepted);
    if (refused)
        QCOMPARE(savedDataText(log), std::string("There is no saved data."));
    else
        QCOMPARE(log.SavedE[1], stored);
}

void TestDataLog::tableAndSpreadsheetTexts_data()
{
    QTest::addColumn<QStringList>("boxes"); // [E], [ES], [S], velocity, time; 5 per reading
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("lines");     // '|' marks columns 16, 31, 46, 61; padded to 75
    QTest::addColumn<QString>("clipboard"); // after the header row

    const QString one = QStringLiteral("Copied 1 reading for a spreadsheet.");
    QTest::newRow("empty log leaves the clipboard alone")
        << QStringList{} << "Nothing to copy: no readings have been accepted yet." << QString()
        << QString();
    QTest::newRow("molar units, worked example")
        << QStringList{"1.234", "0.5", "0.9987", "0.25", "50"} << one
        << " 0.05          | 1.234E-09     | 5E-10         | 0.0009987     | 2.5E-07"
        << "0.05\t1.234E-09\t5E-10\t0.0009987\t2.5E-07\n";
    QTest::newRow("two readings in order, negative and zero")
        << QStringList{"1", "2", "3", "-4", "5", "0", "0", "0", "0", "0"}
        << "Copied 2 readings for a spreadsheet."
        << " 0.005         | 1E-09         | 2E-09         | 0.003         |-4E-06\n"
           " 0             | 0             | 0             | 0             | 0"
        << "0.005\t1E-09\t2E-09\t0.003\t-4E-06\n0\t0\t0\t0\t0\n";
    // [E] " 1.23456789012345E-09" runs into [ES], which overwrites only as far as its " 0" goes.
    QTest::newRow("long field runs on and is overwritten by the next")
        << QStringList{"1.23456789012345", "0", "1", "1", "1"} << one
        << " 0.001         | 1.234567890123| 0E-09         | 0.001         | 1E-06"
        << "0.001\t1.23456789012345E-09\t0\t0.001\t1E-06\n";
    QTest::newRow("long time overwrites the start of [E]")
        << QStringList{"1", "1", "1", "1", "1234.56789012345"} << one
        << " 1.234567890123|45E-09         | 1E-09         | 0.001         | 1E-06"
        << "1.23456789012345\t1E-09\t1E-09\t0.001\t1E-06\n";
    // A line longer than 75 characters would wrap in the window and break the columns below.
    QTest::newRow("long velocity is cut at column 75")
        << QStringList{"1", "1", "1", "-1.23456789012345", "1"} << one
        << " 0.001         | 1E-09         | 1E-09         | 0.001         |-1.234567890123"
        << "0.001\t1E-09\t1E-09\t0.001\t-1.23456789012345E-06\n";
}

void TestDataLog::tableAndSpreadsheetTexts()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, status);
    QFETCH(QString, lines);
    QFETCH(QString, clipboard);

    DataLog log;
    for (int r = 0; r + 5 <= boxes.size(); r += 5)
        QCOMPARE(accept(log, boxes.mid(r, 5)), AcceptOutcome::Accepted);
    // A 105-character dotted heading, then "\r\n" and a 75-character line for each reading.
    auto dots = [](int n) { return QString(n, QLatin1Char('.')); };
    QString table = dots(5) + " t " + dots(19) + " [E] " + dots(18) + " [ES] " + dots(18) +
                    " [S] " + dots(16) + " Vel " + dots(5);
    for (const QString &line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        table += "\r\n" + QString(line).remove(QLatin1Char('|')).leftJustified(75);
    QCOMPARE(QString::fromStdString(savedDataText(log)),
             boxes.isEmpty() ? QStringLiteral("There is no saved data.") : table);

    const QString foreign = QStringLiteral("left on the clipboard by another program");
    QGuiApplication::clipboard()->setText(foreign);
    DataForm form;
    form.showData(log);
    QTest::mouseClick(form.findChild<QPushButton *>("CopyForSpreadsheet"), Qt::LeftButton);
    // Readings accepted without a run have no [S]0: its column, before the velocity, is empty.
    QStringList rows = clipboard.split(QLatin1Char('\n'));
    for (QString &row : rows)
        if (!row.isEmpty())
            row = row.section(QLatin1Char('\t'), 0, 3) + "\t\t" + row.section(QLatin1Char('\t'), 4);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             boxes.isEmpty() ? foreign
                             : "t (s)\t[E] (M)\t[ES] (M)\t[S] (M)\t[S]0 (M)\tvelocity (M/s)\n" +
                                   rows.join('\n'));
    QCOMPARE(form.findChild<QLabel *>("CopyStatus")->text(), status);
}

void TestDataLog::showRebuildsTableOnlyOnShow()
{
    DataForm form;
    auto *dataText = form.findChild<QPlainTextEdit *>();
    DataLog log; // more readings than the box shows at once
    for (int i = 0; i < 20; ++i)
        accept(log, {"-123.456", "-123.456", "-0.1234", "-123.456", "-123.456"});
    form.showData(log);
    const QString shown = QString::fromStdString(savedDataText(log)).replace("\r\n", "\n");
    QCOMPARE(dataText->toPlainText(), shown);
    // The caret is at the end, so the last readings are in view.
    QVERIFY(dataText->viewport()->rect().contains(dataText->cursorRect()));

    dataText->appendPlainText(QStringLiteral("typed by the student"));
    form.showData(log);
    QCOMPARE(dataText->toPlainText(), shown);

    // An accept while the window is open waits for the next Show, and so does the clipboard.
    clearAll(log);
    accept(log, {"1", "1", "1", "1", "1"});
    QCOMPARE(dataText->toPlainText(), shown);
    QTest::mouseClick(form.findChild<QPushButton *>("CopyForSpreadsheet"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 21);
    form.showData(log);
    QCOMPARE(dataText->toPlainText().count(QLatin1Char('\n')), 1);
}

void TestDataLog::closeHidesFrameCloseDestroys()
{
    QWidget owner;
    QPointer<DataForm> form = new DataForm(&owner);
    form->showData(DataLog{});
    auto *dataText = form->findChild<QPlainTextEdit *>();

    QTest::mouseClick(form->findChild<QPushButton *>("Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form && form->isHidden());
    QCOMPARE(dataText->toPlainText(), QStringLiteral("There is no saved data."));

    form->showData(DataLog{});
    QVERIFY(form->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

void TestDataLog::spreadsheetCopyInTheDesktopsDecimalSign()
{
    // Regression: pasted into a German spreadsheet, "0.002" became text or the number 2. The
    // copy writes the desktop's decimal sign, as plain text and as an HTML table; the Saved
    // Data table keeps ".".
    DataLog log;
    QVERIFY(acceptReading(log, {"0.983", "0.016", "0.9999", "0.016", "2"}) ==
            AcceptOutcome::Accepted);
    QCOMPARE(QString::fromStdString(spreadsheetText(log, ',')).split('\n').at(1),
             "0,002\t9,83E-10\t1,6E-11\t0,0009999\t\t1,6E-08");
    QVERIFY(spreadsheetHtml(log, ',').find("<td>0,002</td>") != std::string::npos);
    QVERIFY(savedDataText(log).find("0.002") != std::string::npos);

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    DataForm form;
    form.showData(log);
    form.show();
    form.findChild<QPushButton *>("CopyForSpreadsheet")->click();
    QLocale::setDefault(QLocale::c());
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    QVERIFY(copied->text().startsWith("t (s)\t") && copied->text().contains("0,002\t"));
    QVERIFY(copied->html().contains("<td>0,002</td>"));
    // The confirmation is read by its text; Esc closes the window.
    auto *status = form.findChild<QLabel *>("CopyStatus");
    QAccessibleInterface *said = QAccessible::queryAccessibleInterface(status);
    QCOMPARE(said->text(QAccessible::Name), status->text());
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
}

QTEST_MAIN(TestDataLog)
#include "tst_datalog.moc"
