// The data log, its text table and the Saved Data window.
#include "datalog/dataform.h"
#include "datalog/datalog.h"

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>

#include <cmath>
#include <cstring>
#include <limits>

using namespace enkin;

namespace {

// Box texts in the order of the Results boxes: [E], [ES], [S], velocity, time.
struct Texts {
    std::string E, ES, S, Vel, t;
    ReadingTexts view() const { return {E, ES, S, Vel, t}; }
};

bool sameLog(const DataLog &a, const DataLog &b)
{
    // Compared bit for bit, so that a NaN sentinel in a slot counts as unchanged.
    auto same = [](const DataLog::Column &x, const DataLog::Column &y) {
        return std::memcmp(x.data(), y.data(), sizeof(double) * x.size()) == 0;
    };
    return a.SavedCount == b.SavedCount && same(a.SavedT, b.SavedT) && same(a.SavedE, b.SavedE) &&
           same(a.SavedES, b.SavedES) && same(a.SavedS, b.SavedS) && same(a.SavedVel, b.SavedVel);
}

// The [E] reading of row i is i, the other boxes follow from it, so every row is recognisable.
Texts numbered(int i)
{
    const std::string n = std::to_string(i);
    return {n, n + "0", n + "00", n + "000", n + "0000"};
}

DataLog filled(int count)
{
    DataLog log;
    for (int i = 1; i <= count; ++i)
        acceptReading(log, numbered(i).view());
    return log;
}

DataLog exampleLog()
{
    DataLog log;
    acceptReading(log, {"1.234", "0.5", "0.9987", "0.25", "50"});
    return log;
}

// The first data line of a one-reading table.
std::string firstDataLine(const DataLog &log)
{
    const std::string text = savedDataText(log);
    const auto start = text.find("\r\n");
    return start == std::string::npos ? std::string() : text.substr(start + 2);
}

// A 75-blank line with the given texts at 1-based columns, written here by hand.
std::string lineWith(std::initializer_list<std::pair<int, std::string>> fields)
{
    std::string line(75, ' ');
    for (const auto &[column, text] : fields)
        line.replace(static_cast<std::size_t>(column - 1), text.size(), text);
    return line;
}

template <class T> T *child(QWidget &w, const char *name)
{
    return w.findChild<T *>(QString::fromLatin1(name));
}

} // namespace

class TestDataLog : public QObject {
    Q_OBJECT

private slots:
    // The log.
    void acceptStoresRowsInOrder();
    void acceptParsesBoxTexts_data();
    void acceptParsesBoxTexts();
    void acceptRefusesEmptyBox_data();
    void acceptRefusesEmptyBox();
    void twentyFirstAcceptIsRefused();
    void clearAllThenAcceptWritesRowOne();
    void refusalMessages();

    // The text table.
    void emptyLogText();
    void headingText();
    void dataLine_data();
    void dataLine();
    void severalReadingsShape_data();
    void severalReadingsShape();
    void spreadsheetText_data();
    void spreadsheetText();

    // The window.
    void layout_data();
    void layout();
    void labelsLookAsDesigned();
    void showFillsTextWithCaretAtEnd();
    void showTwiceGivesSameText();
    void acceptWhileOpenWaitsForNextShow();
    void tableLinesDoNotWrap();
    void closeHidesButKeepsWindow();
    void frameCloseDestroysWindow();
    void tabOrderStartsAtClose();
    void copyForSpreadsheet_data();
    void copyForSpreadsheet();
};

void TestDataLog::acceptStoresRowsInOrder()
{
    DataLog log;
    const double sentinel = std::numeric_limits<double>::quiet_NaN();
    for (auto *column : {&log.SavedT, &log.SavedE, &log.SavedES, &log.SavedS, &log.SavedVel})
        (*column)[0] = sentinel;

    QCOMPARE(acceptReading(log, {"1", "2", "3", "4", "5"}), AcceptOutcome::Accepted);
    QCOMPARE(acceptReading(log, {"6", "7", "8", "9", "10"}), AcceptOutcome::Accepted);
    QCOMPARE(acceptReading(log, {"6", "7", "8", "9", "10"}), AcceptOutcome::Accepted);

    QCOMPARE(log.SavedCount, 3);
    QCOMPARE(log.SavedE[1], 1.0);
    QCOMPARE(log.SavedES[1], 2.0);
    QCOMPARE(log.SavedS[1], 3.0);
    QCOMPARE(log.SavedVel[1], 4.0);
    QCOMPARE(log.SavedT[1], 5.0);
    QCOMPARE(log.SavedE[2], 6.0);
    QCOMPARE(log.SavedT[2], 10.0);
    // Accepting the same figures twice gives two identical rows.
    QCOMPARE(log.SavedE[3], log.SavedE[2]);
    QCOMPARE(log.SavedT[3], log.SavedT[2]);
    for (auto *column : {&log.SavedT, &log.SavedE, &log.SavedES, &log.SavedS, &log.SavedVel})
        QVERIFY2(std::isnan((*column)[0]), "slot 0 holds no reading and is never written");
}

void TestDataLog::acceptParsesBoxTexts_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("stored");

    QTest::newRow("number then letters, [E]") << 0 << "12.5abc" << 12.5;
    QTest::newRow("number then letters, time") << 4 << "12.5abc" << 12.5;
    QTest::newRow("letters only read as 0, [ES]") << 1 << "abc" << 0.0;
    QTest::newRow("readout with blanks, [S]") << 2 << " 0.9987 " << 0.9987;
    QTest::newRow("negative, velocity") << 3 << "-0.25" << -0.25;
    QTest::newRow("exponent, velocity") << 3 << "2.5E-3" << 0.0025;
}

void TestDataLog::acceptParsesBoxTexts()
{
    QFETCH(int, box);
    QFETCH(QString, text);
    QFETCH(double, stored);

    std::string boxes[5] = {"1", "1", "1", "1", "1"};
    boxes[box] = text.toStdString();
    DataLog log;
    QCOMPARE(acceptReading(log, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]}),
             AcceptOutcome::Accepted);

    const DataLog::Column *columns[5] = {&log.SavedE, &log.SavedES, &log.SavedS, &log.SavedVel,
                                         &log.SavedT};
    QCOMPARE((*columns[box])[1], stored);
}

void TestDataLog::acceptRefusesEmptyBox_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty [E]") << 0 << "";
    QTest::newRow("empty [ES]") << 1 << "";
    QTest::newRow("empty [S]") << 2 << "";
    QTest::newRow("empty velocity") << 3 << "";
    QTest::newRow("empty time") << 4 << "";
    QTest::newRow("blanks only, [S]") << 2 << "  \t ";
}

void TestDataLog::acceptRefusesEmptyBox()
{
    QFETCH(int, box);
    QFETCH(QString, text);

    std::string boxes[5] = {"7", "7", "7", "7", "7"};
    boxes[box] = text.toStdString();
    DataLog log = filled(2);
    const DataLog before = log;

    QCOMPARE(acceptReading(log, {boxes[0], boxes[1], boxes[2], boxes[3], boxes[4]}),
             AcceptOutcome::EmptyBox);
    QVERIFY(sameLog(log, before));
}

void TestDataLog::twentyFirstAcceptIsRefused()
{
    DataLog log;
    for (int i = 1; i <= 20; ++i)
        QCOMPARE(acceptReading(log, numbered(i).view()), AcceptOutcome::Accepted);
    QCOMPARE(log.SavedCount, 20);
    for (int i = 1; i <= 20; ++i) {
        QCOMPARE(log.SavedE[i], double(i));
        QCOMPARE(log.SavedT[i], double(i) * 10000);
    }

    const DataLog full = log;
    QCOMPARE(acceptReading(log, numbered(21).view()), AcceptOutcome::LogFull);
    QVERIFY(sameLog(log, full));
    // A full log wins over an empty box: the student needs Clear All either way.
    QCOMPARE(acceptReading(log, {"", "", "", "", ""}), AcceptOutcome::LogFull);
    QVERIFY(sameLog(log, full));
}

void TestDataLog::clearAllThenAcceptWritesRowOne()
{
    DataLog log = filled(5);
    clearAll(log);
    QCOMPARE(log.SavedCount, 0);
    QCOMPARE(savedDataText(log), std::string("There is no saved data."));

    QCOMPARE(acceptReading(log, {"42", "43", "44", "45", "46"}), AcceptOutcome::Accepted);
    QCOMPARE(log.SavedCount, 1);
    QCOMPARE(log.SavedE[1], 42.0);
    QCOMPARE(log.SavedT[1], 46.0);
    // Clear All only resets the count; the old rows wait to be overwritten.
    QCOMPARE(log.SavedE[2], 2.0);

    DataLog empty;
    clearAll(empty);
    clearAll(empty);
    QCOMPARE(empty.SavedCount, 0);
}

void TestDataLog::refusalMessages()
{
    QVERIFY(acceptMessage(AcceptOutcome::Accepted).empty());
    QCOMPARE(acceptMessage(AcceptOutcome::LogFull),
             std::string_view("The data table is full (20 readings). Choose Data > Clear All "
                              "to start a new one."));
    QCOMPARE(acceptMessage(AcceptOutcome::EmptyBox),
             std::string_view("No reading to accept: a Results box is empty. Plot or move the "
                              "time slider to get a reading first."));
}

void TestDataLog::emptyLogText()
{
    QCOMPARE(savedDataText(DataLog{}), std::string("There is no saved data."));
    QVERIFY(enkin::spreadsheetText(DataLog{}).empty());
}

void TestDataLog::headingText()
{
    const std::string expected = std::string(5, '.') + " t " + std::string(19, '.') + " [E] " +
                                 std::string(18, '.') + " [ES] " + std::string(18, '.') + " [S] " +
                                 std::string(16, '.') + " Vel " + std::string(5, '.');
    const std::string text = savedDataText(exampleLog());
    QCOMPARE(expected.size(), std::size_t(105));
    QCOMPARE(text.substr(0, text.find("\r\n")), expected);
}

void TestDataLog::dataLine_data()
{
    QTest::addColumn<QStringList>("boxes"); // [E], [ES], [S], velocity, time
    QTest::addColumn<QString>("line");

    QTest::newRow("molar units, worked example")
        << QStringList{"1.234", "0.5", "0.9987", "0.25", "50"}
        << QString::fromStdString(lineWith({{1, " 0.05"},
                                            {16, " 1.234E-09"},
                                            {31, " 5E-10"},
                                            {46, " 0.0009987"},
                                            {61, " 2.5E-07"}}));
    QTest::newRow("zeros keep the sign blank")
        << QStringList{"0", "0", "0", "0", "0"}
        << QString::fromStdString(
               lineWith({{1, " 0"}, {16, " 0"}, {31, " 0"}, {46, " 0"}, {61, " 0"}}));
    QTest::newRow("negative values take the sign position")
        << QStringList{"-1", "0.5", "-2", "-0.25", "-50"}
        << QString::fromStdString(lineWith(
               {{1, "-0.05"}, {16, "-1E-09"}, {31, " 5E-10"}, {46, "-0.002"}, {61, "-2.5E-07"}}));
    // " 1.23456789012345E-09" is 21 characters: its last six reach into [ES], which overwrites
    // only as far as its own text " 0" goes.
    QTest::newRow("long field runs on and is overwritten by the next")
        << QStringList{"1.23456789012345", "0", "1", "1", "1"}
        << QString::fromStdString(lineWith({{1, " 0.001"},
                                            {16, " 1.234567890123"},
                                            {31, " 0E-09"},
                                            {46, " 0.001"},
                                            {61, " 1E-06"}}));
    QTest::newRow("long time overwrites the start of [E]")
        << QStringList{"1", "1", "1", "1", "1234.56789012345"}
        << QString::fromStdString(lineWith({{1, " 1.23456789012345"},
                                            {18, "E-09"},
                                            {31, " 1E-09"},
                                            {46, " 0.001"},
                                            {61, " 1E-06"}}));
    QTest::newRow("long velocity is cut at column 75")
        << QStringList{"1", "1", "1", "-1.23456789012345", "1"}
        << QString::fromStdString(lineWith({{1, " 0.001"},
                                            {16, " 1E-09"},
                                            {31, " 1E-09"},
                                            {46, " 0.001"},
                                            {61, "-1.234567890123"}}));
}

void TestDataLog::dataLine()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, line);

    std::string b[5];
    for (int i = 0; i < 5; ++i)
        b[i] = boxes[i].toStdString();
    DataLog log;
    QCOMPARE(acceptReading(log, {b[0], b[1], b[2], b[3], b[4]}), AcceptOutcome::Accepted);
    QCOMPARE(QString::fromStdString(firstDataLine(log)), line);
}

void TestDataLog::severalReadingsShape_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("one reading") << 1;
    QTest::newRow("three readings") << 3;
    QTest::newRow("full log") << 20;
}

void TestDataLog::severalReadingsShape()
{
    QFETCH(int, count);
    const DataLog log = filled(count);
    const QString text = QString::fromStdString(savedDataText(log));

    QCOMPARE(text.count(QStringLiteral("\r\n")), count);
    QVERIFY(!text.endsWith(QLatin1Char('\n')));
    QCOMPARE(text.count(QLatin1Char('\n')), count); // no bare line feeds
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), count + 1);
    QCOMPARE(lines[0].size(), 105);
    for (int i = 1; i <= count; ++i) {
        QCOMPARE(lines[i].size(), 75);
        // Rows in accepting order: [E] of row i is i x 1e-9 M.
        QCOMPARE(lines[i].mid(15, 15).toDouble(), i * 1e-9);
    }
}

void TestDataLog::spreadsheetText_data()
{
    QTest::addColumn<QStringList>("boxes"); // [E], [ES], [S], velocity, time; 5 per reading
    QTest::addColumn<QString>("expected");

    const QString header = QStringLiteral("t (s)\t[E] (M)\t[ES] (M)\t[S] (M)\tvelocity (M/s)\n");
    QTest::newRow("worked example") << QStringList{"1.234", "0.5", "0.9987", "0.25", "50"}
                                    << header + "0.05\t1.234E-09\t5E-10\t0.0009987\t2.5E-07\n";
    QTest::newRow("two readings, negative without sign blank")
        << QStringList{"1", "2", "3", "-4", "5", "0", "0", "0", "0", "0"}
        << header + "0.005\t1E-09\t2E-09\t0.003\t-4E-06\n0\t0\t0\t0\t0\n";
}

void TestDataLog::spreadsheetText()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, expected);

    DataLog log;
    for (int r = 0; r + 5 <= boxes.size(); r += 5) {
        std::string b[5];
        for (int i = 0; i < 5; ++i)
            b[i] = boxes[r + i].toStdString();
        acceptReading(log, {b[0], b[1], b[2], b[3], b[4]});
    }
    QCOMPARE(QString::fromStdString(enkin::spreadsheetText(log)), expected);
}

void TestDataLog::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry"); // twips / 15

    QTest::newRow("Label1") << "Label1" << QRect(27, 7, 395, 19);
    QTest::newRow("Label2") << "Label2" << QRect(36, 37, 366, 19);
    QTest::newRow("DataText") << "DataText" << QRect(26, 59, 391, 152);
    QTest::newRow("Command1") << "Command1" << QRect(175, 220, 82, 25);
}

void TestDataLog::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);

    DataForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Saved Data"));
    QWidget *control = form.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), geometry);
    QVERIFY(!control->accessibleName().isEmpty());
    QVERIFY(form.rect().contains(control->geometry()));

    // The added controls stay clear of the designed ones.
    for (const char *added : {"CopyForSpreadsheet", "CopyStatus"}) {
        QWidget *extra = child<QWidget>(form, added);
        QVERIFY(extra);
        QVERIFY(form.rect().contains(extra->geometry()));
        QVERIFY2(!extra->geometry().intersects(geometry), added);
    }
}

void TestDataLog::labelsLookAsDesigned()
{
    DataForm form;
    auto *label1 = child<QLabel>(form, "Label1");
    auto *label2 = child<QLabel>(form, "Label2");
    QCOMPARE(label1->text(), QStringLiteral("Select, Copy and Paste into Spreadsheet"));
    QCOMPARE(label2->text(),
             QStringLiteral("  t                E                ES               S "
                            "            Vel           "));
    QCOMPARE(label2->text().size(), 81);
    QCOMPARE(label1->font().pointSize(), 12);
    QVERIFY(!label1->font().bold());
    QVERIFY(label2->font().bold());

    for (QLabel *label : {label1, label2}) {
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->objectName() + " is clipped"));
    }

    // The caption is drawn in dark blue, the heading in black.
    form.show();
    auto inkOf = [](QLabel *label, QColor ink) {
        const QImage image = label->grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y) == ink)
                    return true;
        return false;
    };
    QVERIFY(inkOf(label1, QColor(0, 0, 192)));
    QVERIFY(!inkOf(label1, Qt::black));
    QVERIFY(inkOf(label2, Qt::black));
}

void TestDataLog::showFillsTextWithCaretAtEnd()
{
    DataForm form;
    auto *dataText = child<QPlainTextEdit>(form, "DataText");
    QCOMPARE(dataText->toPlainText(), QStringLiteral("Text1"));

    form.showData(DataLog{});
    QVERIFY(form.isVisible());
    QCOMPARE(dataText->toPlainText(), QStringLiteral("There is no saved data."));

    const DataLog log = filled(20);
    form.showData(log);
    // The box shows each "\r\n" as a line break.
    QString expected = QString::fromStdString(savedDataText(log));
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(dataText->toPlainText(), expected);
    QCOMPARE(dataText->textCursor().position(), expected.size());
    // Twenty lines are more than the box holds: the last one is in view, the heading is not.
    QVERIFY(dataText->verticalScrollBar()->value() > 0);
    QVERIFY(dataText->viewport()->rect().contains(dataText->cursorRect()));
    QTextCursor start(dataText->document());
    QVERIFY(!dataText->viewport()->rect().intersects(dataText->cursorRect(start)));
}

void TestDataLog::showTwiceGivesSameText()
{
    DataForm form;
    auto *dataText = child<QPlainTextEdit>(form, "DataText");
    const DataLog log = filled(3);
    form.showData(log);
    const QString first = dataText->toPlainText();
    dataText->appendPlainText(QStringLiteral("typed by the student"));
    form.showData(log);
    QCOMPARE(dataText->toPlainText(), first);
}

void TestDataLog::acceptWhileOpenWaitsForNextShow()
{
    DataForm form;
    auto *dataText = child<QPlainTextEdit>(form, "DataText");
    DataLog log = filled(1);
    form.showData(log);
    const QString shown = dataText->toPlainText();

    acceptReading(log, numbered(2).view());
    QCOMPARE(dataText->toPlainText(), shown);
    // The copy for a spreadsheet matches the table on screen, not the log behind it.
    QTest::mouseClick(child<QPushButton>(form, "CopyForSpreadsheet"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text().count(QLatin1Char('\n')), 2);

    clearAll(log);
    QCOMPARE(dataText->toPlainText(), shown);

    form.showData(log);
    QCOMPARE(dataText->toPlainText(), QStringLiteral("There is no saved data."));
}

void TestDataLog::tableLinesDoNotWrap()
{
    DataForm form;
    auto *dataText = child<QPlainTextEdit>(form, "DataText");
    const QString family = QFontInfo(dataText->font()).family();
    if (family != QLatin1String("Arial") && family != QLatin1String("Liberation Sans"))
        QSKIP("Needs Arial or Liberation Sans (Debian: fonts-liberation2)");

    // The widest figures the readouts usually give (three or four decimals kept), all negative.
    DataLog log;
    for (int i = 0; i < 20; ++i)
        acceptReading(log, {"-123.456", "-123.456", "-0.1234", "-123.456", "-123.456"});
    form.showData(log);
    QCOMPARE(dataText->document()->lineCount(), dataText->document()->blockCount());
}

void TestDataLog::closeHidesButKeepsWindow()
{
    QPointer<DataForm> form = new DataForm;
    form->showData(filled(2));
    auto *dataText = child<QPlainTextEdit>(*form, "DataText");
    const QString shown = dataText->toPlainText();

    QTest::mouseClick(child<QPushButton>(*form, "Command1"), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form);
    QVERIFY(form->isHidden());
    QCOMPARE(dataText->toPlainText(), shown);

    form->showData(filled(2));
    QVERIFY(form->isVisible());
    delete form;
}

void TestDataLog::frameCloseDestroysWindow()
{
    QWidget owner;
    QPointer<DataForm> form = new DataForm(&owner);
    QVERIFY(form->isWindow());
    form->showData(filled(1));

    QVERIFY(form->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

void TestDataLog::tabOrderStartsAtClose()
{
    DataForm form;
    form.showData(filled(1));
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));

    auto *close = child<QPushButton>(form, "Command1");
    auto *dataText = child<QPlainTextEdit>(form, "DataText");
    auto *copy = child<QPushButton>(form, "CopyForSpreadsheet");
    QTRY_COMPARE(QApplication::focusWidget(), close);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dataText);
    // Tab leaves the table without typing a tab into it.
    const QString text = dataText->toPlainText();
    QTest::keyClick(dataText, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), copy);
    QCOMPARE(dataText->toPlainText(), text);
}

void TestDataLog::copyForSpreadsheet_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("status");

    QTest::newRow("empty log copies nothing")
        << 0 << "Nothing to copy: no readings have been accepted yet.";
    QTest::newRow("one reading") << 1 << "Copied 1 reading for a spreadsheet.";
    QTest::newRow("full log") << 20 << "Copied 20 readings for a spreadsheet.";
}

void TestDataLog::copyForSpreadsheet()
{
    QFETCH(int, count);
    QFETCH(QString, status);

    const QString before = QStringLiteral("left on the clipboard by another program");
    QGuiApplication::clipboard()->setText(before);

    DataForm form;
    const DataLog log = filled(count);
    form.showData(log);
    auto *statusLabel = child<QLabel>(form, "CopyStatus");
    QVERIFY(statusLabel->text().isEmpty());

    QTest::mouseClick(child<QPushButton>(form, "CopyForSpreadsheet"), Qt::LeftButton);
    QCOMPARE(statusLabel->text(), status);
    QVERIFY(statusLabel->fontMetrics().horizontalAdvance(status) <= statusLabel->width());

    const QString copied = QGuiApplication::clipboard()->text();
    if (count == 0) {
        QCOMPARE(copied, before);
        return;
    }
    const QStringList rows = copied.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.size(), count + 1);
    QCOMPARE(rows[0], QStringLiteral("t (s)\t[E] (M)\t[ES] (M)\t[S] (M)\tvelocity (M/s)"));
    // Row i: time i x 10 s, [E] i x 1e-9 M (see numbered()).
    for (int i = 1; i <= count; ++i) {
        const QStringList cells = rows[i].split(QLatin1Char('\t'));
        QCOMPARE(cells.size(), 5);
        QCOMPARE(cells[0].toDouble(), i * 10.0);
        QCOMPARE(cells[1].toDouble(), i * 1e-9);
    }

    // A Show with a different log clears the old message.
    form.showData(DataLog{});
    QVERIFY(statusLabel->text().isEmpty());
}

QTEST_MAIN(TestDataLog)
#include "tst_datalog.moc"
