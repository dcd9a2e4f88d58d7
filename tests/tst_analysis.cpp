// The Analysis window, driven offscreen: the readings table and its check boxes, the four tabs,
// the groups, the simulated error and its model, the copy and the saved plot, in English and
// German.
#include "analysis/analysiswindow.h"
#include "app/language.h"
#include "app/report.h"
#include "lab/session.h"
#include "tests/analysisreader.h"
#include "tests/student.h"

#include <QAccessibleInterface>
#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QXYSeries>

using namespace enkin;
using namespace enkin::testing;

namespace {

// The window as the main window binds it: shown the session's log, and its Refresh button answered
// with the log as it is then.
void bind(AnalysisWindow &window, const Session &session)
{
    const auto refresh = [&window, &session] {
        window.refresh(session.state().dataLog, session.state().inputs);
    };
    QObject::connect(&window, &AnalysisWindow::refreshRequested, &window, refresh);
    refresh();
}

} // namespace

class TestAnalysis : public QObject {
    Q_OBJECT

private slots:
    void checkBoxesLeaveReadingsOutAndPutThemBack();
    void tabsGroupsAndSimulatedError();
    void errorModelAndLabels_data();
    void errorModelAndLabels();
    void copySavePlotAndClose();
};

void TestAnalysis::checkBoxesLeaveReadingsOutAndPutThemBack()
{
    Session session;
    AnalysisWindow window;
    bind(window, session);
    QVERIFY(text(window, "message").startsWith("The log holds no readings."));
    student::acceptRuns(session, 1, {2, 4, 6, 8, 10, 11});
    student::acceptRuns(session, 1, {10}, 10); // before the steady state
    window.show();
    QTest::mouseClick(window.findChild<QPushButton *>("refreshButton"), Qt::LeftButton);

    auto *table = window.findChild<QTableWidget *>("readingsTable");
    QCOMPARE(table->rowCount(), 7);
    QCOMPARE(table->item(6, 0)->checkState(), Qt::Unchecked);
    QVERIFY(table->item(6, 5)->text().contains("before the steady state"));
    QCOMPARE(table->item(0, 0)->checkState(), Qt::Checked);
    QVERIFY(text(window, "message").startsWith("Fitting 6 readings of 7"));
    QCOMPARE(points(window, "directChart", "used"), 6);
    QCOMPARE(points(window, "directChart", "left out"), 1);
    const QString before = text(window, "caption0");
    QVERIFY(before.contains("Km = (2.0"));

    // Space on the check box puts the early reading back; clicking another leaves it out.
    table->setFocus();
    table->setCurrentCell(6, 0);
    QTest::keyClick(table->viewport(), Qt::Key_Space);
    QCOMPARE(table->item(6, 0)->checkState(), Qt::Checked);
    QCOMPARE(points(window, "directChart", "left out"), 0);
    QVERIFY(text(window, "caption0") != before);
    table->setCurrentCell(0, 0);
    QTest::keyClick(table->viewport(), Qt::Key_Space);
    QCOMPARE(points(window, "directChart", "used"), 6);
    // The choices survive a refresh while the rows hold the same readings; the last column
    // still reaches the table's right edge.
    window.refresh(session.state().dataLog, session.state().inputs);
    QCOMPARE(table->item(0, 0)->checkState(), Qt::Unchecked);
    QCOMPARE(table->item(6, 0)->checkState(), Qt::Checked);
    QHeaderView *header = table->horizontalHeader();
    QCOMPARE(header->sectionViewportPosition(5) + header->sectionSize(5), header->width());
}

void TestAnalysis::tabsGroupsAndSimulatedError()
{
    // k2 = 10 at seven [S]0, then k2 = 1 at four: two groups, the first shown in every tab.
    Session session;
    student::acceptRuns(session, 2, {6, 8, 10, 11, 12, 13, 15});
    student::acceptRuns(session, 1, {4, 6, 8, 10});
    AnalysisWindow window;
    bind(window, session);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(text(window, "message").contains("different k2") &&
            text(window, "message").contains("2 separate groups"));
    auto *tabs = window.findChild<QTabWidget *>("methodTabs");
    QCOMPARE(tabs->count(), 4);
    const char *charts[] = {"directChart", "lineweaverBurkChart", "hanesWoolfChart",
                            "eadieHofsteeChart"};
    for (int i = 0; i < 4; ++i) {
        QTabBar *bar = tabs->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
        QCOMPARE(tabs->currentIndex(), i);
        QCOMPARE(points(window, charts[i], "used"), 7);
        QVERIFY(points(window, charts[i], "fitted") >= 2 && points(window, charts[i], "true") >= 2);
        const QString caption = text(window, qPrintable(QStringLiteral("caption%1").arg(i)));
        QVERIFY2(caption.contains("Km = (1.1") || caption.contains("Km = (1.0"),
                 qPrintable(caption));
        QCOMPARE(caption.contains("slope"), i > 0);
        // The plot is drawn: the readings' red is in the picture of the tab, and the dashed
        // green true line over the fitted one, where the two agree.
        const QImage shot = tabs->currentWidget()->grab().toImage();
        int red = 0, green = 0;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x) {
                red += shot.pixelColor(x, y) == QColor(200, 0, 0);
                green += shot.pixelColor(x, y) == QColor(0, 140, 0);
            }
        QVERIFY2(red > 50 && green > 50, qPrintable(QString("%1 %2").arg(red).arg(green)));
    }
    // Every method's block: fitted values with intervals and their distance from the truth.
    const QString results = text(window, "group1Results");
    for (const char *title :
         {"Direct fit", "Lineweaver-Burk", "Hanes-Woolf", "Eadie-Hofstee", "True values"})
        QVERIFY2(results.contains(title), title);
    QVERIFY(results.contains("1.100&nbsp;×&nbsp;10<sup>-4</sup> M") && results.contains("%"));
    const auto zero = QRegularExpression("± 0(\\.0*)?(?![0-9.])").match(results);
    QVERIFY2(!zero.hasMatch(), qPrintable(results.mid(zero.capturedStart() - 40, 80)));
    QVERIFY(window.findChild<QLabel *>("group2Results"));
    // The second group in the plots: k2 = 1, Km 2e-5 M.
    auto *groups = window.findChild<QComboBox *>("groupChoice");
    QVERIFY(groups->isEnabled() && groups->count() == 2);
    groups->setCurrentIndex(1);
    emit groups->activated(1);
    QVERIFY(text(window, "caption0").contains("10<sup>-5</sup>"));
    // Simulated error changes the fits; a new sample changes them again; none gives them back.
    auto *error = window.findChild<QDoubleSpinBox *>("measurementError");
    QCOMPARE(error->value(), 0.0);
    error->setValue(5);
    const QString noisy = text(window, "group1Results");
    QVERIFY(noisy != results);
    QTest::mouseClick(window.findChild<QPushButton *>("newSample"), Qt::LeftButton);
    QVERIFY(text(window, "seed") != "seed 1" && text(window, "group1Results") != noisy);
    error->setValue(0);
    QCOMPARE(text(window, "group1Results"), results);
}

void TestAnalysis::errorModelAndLabels_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("constant");     // the message, the direct fit's heading
    QTest::addColumn<QStringList>("proportional"); // the same, the model's name in its list
    QTest::addColumn<QStringList>("always");       // a line's heading, a mark, the warning
    QTest::addColumn<QStringList>("numbers");      // the copy's header, the caption's Km
    QTest::newRow("English")
        << "en"
        << QStringList{"SIMULATED measurement error of constant size, 5% of the true Vmax (seed 1)",
                       "Direct fit of the hyperbola, equal weights, for constant error: 95% "
                       "intervals"}
        << QStringList{"SIMULATED measurement error in proportion to each velocity, 5% of v",
                       "Direct fit of the hyperbola, weights 1/v² of the fitted curve, for "
                       "proportional error: 95% intervals",
                       "proportional: % of v"}
        << QStringList{"Lineweaver-Burk line: ± its standard error, not a 95% interval",
                       "too much enzyme: [E]0 over 1% of [S]0 + Km",
                       "Readings marked \"too much enzyme\" come from runs whose [E]0 is more "
                       "than 1% of [S]0 + Km"}
        << QStringList{"row\t[S]0 (M)\tvelocity (M/s)\tused\tmarks\n", "Km = (2.0"};
    QTest::newRow("German")
        << "de"
        << QStringList{"SIMULIERTEN Messfehler konstanter Größe, 5 % des wahren Vmax (Startwert 1)",
                       "Direkte Anpassung der Hyperbel, gleiche Gewichte, für konstanten Fehler: "
                       "95-%-Intervalle"}
        << QStringList{"SIMULIERTEN Messfehler proportional zu jeder Geschwindigkeit, 5 % von v",
                       "Direkte Anpassung der Hyperbel, Gewichte 1/v² der angepassten Kurve, für "
                       "proportionalen Fehler: 95-%-Intervalle",
                       "proportional: % von v"}
        << QStringList{"Lineweaver-Burk-Gerade: ± ihr Standardfehler, kein 95-%-Intervall",
                       "zu viel Enzym: [E]0 über 1 % von [S]0 + Km",
                       "Die mit „zu viel Enzym“ markierten Messwerte stammen aus Läufen, deren "
                       "[E]0 mehr als 1 % von [S]0 + Km beträgt"}
        << QStringList{"Zeile\t[S]0 (M)\tGeschwindigkeit (M/s)\tverwendet\tMarkierungen\n",
                       "Km = (2,0"};
}

void TestAnalysis::errorModelAndLabels()
{
    QFETCH(QString, language);
    QFETCH(QStringList, constant);
    QFETCH(QStringList, proportional);
    QFETCH(QStringList, always);
    QFETCH(QStringList, numbers);
    const auto english = qScopeGuard([] {
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t), delete t;
        QLocale::setDefault(QLocale::c());
    });
    if (language == "de") {
        QVERIFY(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    Session session;
    student::acceptRuns(session, 1, {4, 6, 8, 10});
    // [E]0 = 300 x 10^-9 M at [S]0 = 1e-6 M: 1.4% of [S]0 + Km.
    session.state().inputs.set(RunInput::E0, "300");
    student::acceptRuns(session, 1, {0});
    AnalysisWindow window;
    bind(window, session);
    const auto results = [&] { return text(window, "group1Results").replace("&nbsp;", " "); };
    const auto caption = [&] { return text(window, "caption0").replace("&nbsp;", " "); };

    auto *table = window.findChild<QTableWidget *>("readingsTable");
    QVERIFY2(table->item(4, 5)->text().endsWith(always[1]), qPrintable(table->item(4, 5)->text()));
    QCOMPARE(table->item(4, 0)->checkState(), Qt::Unchecked);
    QVERIFY2(text(window, "message").contains(always[2]), qPrintable(text(window, "message")));
    QVERIFY2(results().contains(always[0]), qPrintable(results()));
    // Every number in the desktop's decimal sign, and the copy in its language too.
    QVERIFY2(caption().contains(numbers[1]), qPrintable(caption()));
    QVERIFY(window.findChild<QComboBox *>("groupChoice")->itemText(0).contains("k2 = 1000 /s"));
    QTest::mouseClick(window.findChild<QPushButton *>("copyResults"), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().startsWith(numbers[0]));
    // At 150% its least size fits a 1280 x 1024 screen, with room for the frame.
    QVERIFY(window.minimumSizeHint().width() * 3 / 2 <= 1280 - 16 &&
            window.minimumSizeHint().height() * 3 / 2 <= 1024 - 48);

    window.findChild<QDoubleSpinBox *>("measurementError")->setValue(5);
    QVERIFY2(text(window, "message").contains(constant[0]), qPrintable(text(window, "message")));
    QVERIFY2(results().contains(constant[1]), qPrintable(results()));
    const QString equalWeights = caption();
    auto *model = window.findChild<QComboBox *>("errorModel");
    QCOMPARE(model->itemText(1), proportional[2]);
    model->setCurrentIndex(1);
    QVERIFY2(text(window, "message").contains(proportional[0]),
             qPrintable(text(window, "message")));
    QVERIFY2(results().contains(proportional[1]), qPrintable(results()));
    QVERIFY(caption() != equalWeights);
}

void TestAnalysis::copySavePlotAndClose()
{
    Session session;
    student::acceptRuns(session, 1, {2, 4, 6, 8, 10, 11});
    QPointer<AnalysisWindow> window = new AnalysisWindow;
    bind(*window, session);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::mouseClick(window->findChild<QPushButton *>("copyResults"), Qt::LeftButton);
    QVERIFY(QApplication::clipboard()->text().startsWith(
        "row\t[S]0 (M)\tvelocity (M/s)\tused\tmarks\n1\t4E-06\t"));
    QCOMPARE(text(*window, "status"), "Copied the results for a spreadsheet.");

    QTemporaryDir dir;
    const QString png = dir.filePath("plot.png"), svg = dir.filePath("plot.svg");
    QVERIFY(window->savePlot(png) && window->savePlot(svg));
    QCOMPARE(QImage(png).size(),
             window->findChild<QTabWidget *>("methodTabs")->currentWidget()->size());
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("Velocity against [S]"));
    QVERIFY(!window->savePlot(dir.filePath("no/such/folder/plot.png")));

    // The results are reached with Tab and read by their text. Close and Esc hide the window,
    // the frame's close box destroys it.
    QWidget *results = window->findChild<QLabel *>("group1Results");
    QVERIFY(results->focusPolicy() & Qt::TabFocus);
    // It hears each power of ten as one: "× 10^-5", not "× 10-5".
    const QString heard = QAccessible::queryAccessibleInterface(results)->text(QAccessible::Name);
    QVERIFY2(heard.contains("Km") && heard.contains("× 10^-5 M") && !heard.contains("× 10-5"),
             qPrintable(heard));
    QTest::mouseClick(window->findChild<QPushButton *>("closeButton"), Qt::LeftButton);
    QVERIFY(window && window->isHidden());
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    QVERIFY(window && window->isHidden());
    window->show();
    window->close();
    QTRY_VERIFY(window.isNull());
}

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
