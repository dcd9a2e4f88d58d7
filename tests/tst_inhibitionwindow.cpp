// An inhibitor's readings at several [I]0 in the Analysis window, driven offscreen: the families
// and the Dixon and Cornish-Bowden lines against the rate law's exact velocities, and what the
// window, its copy and the report show of the inhibition laws.
#include "analysis/analysiswindow.h"
#include "analysis/inhibitionplot.h"
#include "app/report.h"
#include "lab/session.h"
#include "tests/analysisreader.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXYSeries>

#include <cmath>

using namespace enkin;
using namespace enkin::testing;

Q_DECLARE_METATYPE(enkin::Inhibitor)

namespace {

// Km = 2e-5 M and Vmax = 1e-6 M/s of k1 = k2 = k-1 = 1 and [E]0 = 1e-9 M; Ki = k-3/k3 and
// aKi = k-4/k4 in 1e-5 M.
constexpr double kKm = 2e-5, kVmax = 1e-6;

double inverse(double k)
{
    return std::isfinite(k) ? 1 / k : 0;
}

// The velocity of the mixed law, exact, at [S] and [I] in M.
double velocity(double s, double i, double ki, double alphaKi)
{
    return kVmax * s / (kKm * (1 + i * inverse(ki)) + s * (1 + i * inverse(alphaKi)));
}

// Readings at 20 ms with the rate law's exact velocities, at each [S]0 and [I]0 (1e-3 M).
DataLog inhibitedLog(const Inhibitor &kind, const std::vector<double> &i0s,
                     const std::vector<double> &s0s, int setting = 0)
{
    const double ki = kind.k3 > 0 ? kind.kminus3 / kind.k3 * 1e-5 : INFINITY;
    const double alphaKi = kind.k4 > 0 ? kind.kminus4 / kind.k4 * 1e-5 : INFINITY;
    DataLog log;
    for (double i0 : i0s)
        for (double s0 : s0s) {
            const int n = ++log.SavedCount;
            Inhibitor in = kind;
            in.i0 = i0;
            log.SavedRun[n] = {
                .known = true, .start = {1, 0, s0, 0, 1, 1, 1, 20, in}, .point = 600};
            log.SavedRun[n].setting = setting;
            log.SavedT[n] = 20;
            log.SavedS[n] = s0;
            log.SavedVel[n] = velocity(s0 * 1e-3, i0 * 1e-3, ki, alphaKi) / 1e-6;
        }
    return log;
}

const std::vector<double> kLevels{0, 0.01, 0.02, 0.03}, kSubstrates{0.01, 0.02, 0.04, 0.07, 0.1};

// The visible series of a chart whose legend names start with `prefix`.
QList<QXYSeries *> named(const QWidget &window, const char *chart, const QString &prefix)
{
    QList<QXYSeries *> found;
    for (QAbstractSeries *s : window.findChild<QChartView *>(chart)->chart()->series())
        if (s->isVisible() && s->name().startsWith(prefix))
            found << static_cast<QXYSeries *>(s);
    return found;
}

} // namespace

class TestInhibitionWindow : public QObject {
    Q_OBJECT

private slots:
    void inhibitionPlotsFollowTheRateLaw_data();
    void inhibitionPlotsFollowTheRateLaw();
    void inhibitorStudyInTheWindow();
};

void TestInhibitionWindow::inhibitionPlotsFollowTheRateLaw_data()
{
    QTest::addColumn<Inhibitor>("kind");
    QTest::addColumn<double>("ki"); // M
    QTest::addColumn<double>("alphaKi");
    QTest::newRow("competitive") << Inhibitor{0, 1, 1, 0, 1} << 1e-5 << double(INFINITY);
    QTest::newRow("uncompetitive") << Inhibitor{0, 0, 1, 1, 1} << double(INFINITY) << 1e-5;
    QTest::newRow("mixed") << Inhibitor{0, 1, 1, 0.5, 2} << 1e-5 << 4e-5;
}

void TestInhibitionWindow::inhibitionPlotsFollowTheRateLaw()
{
    QFETCH(Inhibitor, kind);
    QFETCH(double, ki);
    QFETCH(double, alphaKi);
    const Study study = studyLog(inhibitedLog(kind, kLevels, kSubstrates), {});
    const GroupFit fit = fitGroup(study, 0, {});
    const auto close = [](double a, double b) { return std::abs(a - b) <= 1e-6 * std::abs(b); };

    // Lineweaver-Burk, each [I] on its own: slope Km (1 + I/Ki)/Vmax, intercept (1 + I/aKi)/Vmax,
    // in s/µM, the lines over one range of 1/[S].
    const std::vector<LevelFit> levels = levelFits(study, 0, fit, ErrorModel::Constant);
    const FamilyPlot family = familyPlot(Method::LineweaverBurk, levels);
    QCOMPARE(family.levels.size(), kLevels.size());
    for (std::size_t k = 0; k < kLevels.size(); ++k) {
        const double i = kLevels[k] * 1e-3;
        QCOMPARE(levels[k].i0, i);
        const MethodPlot &plot = family.levels[k];
        QCOMPARE(plot.used.size(), kSubstrates.size());
        QCOMPARE(plot.fitted.size(), std::size_t(2));
        const PlotPoint a = plot.fitted[0], b = plot.fitted[1];
        QCOMPARE(a.x, family.levels[0].fitted[0].x);
        const double slope = (b.y - a.y) / (b.x - a.x), intercept = a.y - slope * a.x;
        QVERIFY2(close(slope, kKm * (1 + i * inverse(ki)) / kVmax), qPrintable(QString::number(k)));
        QVERIFY(close(intercept, (1 + i * inverse(alphaKi)) / kVmax * 1e-6));
    }

    // Dixon and Cornish-Bowden: one line per [S]0 of the law chosen, through its readings.
    const InhibitionStudy laws = fitGroupInhibition(study, 0, {});
    for (InhibitorPlot against : {InhibitorPlot::Dixon, InhibitorPlot::CornishBowden}) {
        const SubstratePlot plot = substratePlot(against, study, 0, fit, laws);
        QCOMPARE(plot.lines.size(), kSubstrates.size());
        for (std::size_t k = 0; k < kSubstrates.size(); ++k) {
            const SubstrateSeries &line = plot.lines[k];
            const double s = kSubstrates[k] * 1e-3;
            QCOMPARE(line.s0, s);
            QCOMPARE(line.used.size(), kLevels.size());
            QCOMPARE(line.line.size(), std::size_t(2));
            const PlotPoint a = line.line[0], b = line.line[1];
            for (const PlotPoint &p : line.used) {
                const double v = velocity(s, p.x * 1e-6, ki, alphaKi);
                const double truth = against == InhibitorPlot::Dixon ? 1e-6 / v : s / v;
                QVERIFY(close(p.y, truth));
                QVERIFY(close(a.y + (b.y - a.y) * (p.x - a.x) / (b.x - a.x), truth));
            }
        }
    }
}

void TestInhibitionWindow::inhibitorStudyInTheWindow()
{
    // A competitive inhibitor, Ki = 1e-5 M, at four [I]0 by five [S]0.
    AnalysisWindow window;
    window.resize(1120, 860);
    const Inhibitor competitive{0, 1, 1, 0, 1};
    window.refresh(inhibitedLog(competitive, kLevels, kSubstrates), RunInputs{});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *tabs = window.findChild<QTabWidget *>("methodTabs");
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->tabText(4), "Dixon and Cornish-Bowden");
    QVERIFY(window.plotsInhibition());
    const QStringList levels{"[I]₀ = 0", "[I]₀ = 10 µM", "[I]₀ = 20 µM", "[I]₀ = 30 µM"};
    for (const char *chart :
         {"directChart", "lineweaverBurkChart", "hanesWoolfChart", "eadieHofsteeChart"}) {
        const QList<QXYSeries *> series = named(window, chart, "[I]₀");
        QCOMPARE(series.size(), 4);
        for (int k = 0; k < 4; ++k)
            QVERIFY(series[k]->name() == levels[k] && series[k]->count() == 5);
        QCOMPARE(points(window, chart, "used"), 0);
    }
    for (const char *chart : {"dixonChart", "cornishBowdenChart"}) {
        const QList<QXYSeries *> series = named(window, chart, "[S]₀");
        QCOMPARE(series.size(), 5);
        QCOMPARE(series[0]->name(), "[S]₀ = 10 µM");
        QCOMPARE(series[0]->count(), 4);
    }
    // Each level in its colour: the third one's vermillion is in the double-reciprocal plot.
    const QImage lines = window.tabImage(1);
    int vermillion = 0;
    for (int y = 0; y < lines.height(); ++y)
        for (int x = 0; x < lines.width(); ++x)
            vermillion += lines.pixelColor(x, y) == QColor(213, 94, 0);
    QVERIFY2(vermillion > 50, qPrintable(QString::number(vermillion)));
    QVERIFY(!window.tabImage(4).isNull() && tabs->currentIndex() == 4);

    // The type found, the chosen law marked, Ki beside its true value.
    const auto cells = [](const QString &results, const QString &row) {
        const auto m =
            QRegularExpression(row + "</td><td>(.*?)</td><td[^>]*>(.*?)</td>").match(results);
        return QStringList{m.captured(1), m.captured(2)};
    };
    QString results = text(window, "group1Results");
    QVERIFY(results.contains("The readings show competitive inhibition"));
    QVERIFY(results.contains(
        QRegularExpression("<td>competitive law</td>(<td[^>]*>[^<]*</td>){3}<td><b>chosen")));
    const QString tenToMinus5 = "&nbsp;×&nbsp;10<sup>-5</sup>";
    QStringList ki = cells(results, ">Ki");
    QVERIFY2(ki[0].startsWith("1.000&nbsp;(") && ki[0].endsWith(tenToMinus5 + " M"),
             qPrintable(ki[0]));
    QCOMPARE(ki[1], "1.000" + tenToMinus5 + " M");
    QCOMPARE(cells(results, "αKi")[1], "none: does not bind ES");
    QVERIFY(text(window, "caption1").contains("Dashed"));
    QTest::mouseClick(window.findChild<QPushButton *>("copyResults"), Qt::LeftButton);
    QString copy = QApplication::clipboard()->text();
    QVERIFY(copy.contains(QRegularExpression("\ncompetitive law\t[^\n]*\tyes\n")));
    QVERIFY(copy.contains(QRegularExpression("\nmixed law\t[^\n]*\tno\n")));
    QVERIFY(copy.contains("\ntype of inhibition\tThe readings show competitive inhibition"));
    QVERIFY(copy.contains("\ntrue\tKi (M)\t1E-05\tαKi (M)\tnone\n"));

    // An assignment's inhibitor: no true value anywhere.
    window.refresh(inhibitedLog(competitive, kLevels, kSubstrates, 1), RunInputs{});
    results = text(window, "group1Results");
    QVERIFY(results.contains("The readings show competitive inhibition"));
    QVERIFY(cells(results, ">Ki")[1].isEmpty() && !results.contains("does not bind"));
    QVERIFY(!text(window, "caption1").contains("Dashed"));
    for (QAbstractSeries *s :
         window.findChild<QChartView *>("lineweaverBurkChart")->chart()->series())
        QVERIFY(!s->isVisible() || static_cast<QXYSeries *>(s)->pen().style() != Qt::DashLine ||
                static_cast<QXYSeries *>(s)->count() == 0);
    QTest::mouseClick(window.findChild<QPushButton *>("copyResults"), Qt::LeftButton);
    copy = QApplication::clipboard()->text();
    QVERIFY(copy.contains("\ncompetitive law\t") && !copy.contains("\ntrue\t"));

    // Two [S]0 at two [I]0: too few to compare the laws. One [I]0: the window as without inhibitor.
    window.refresh(inhibitedLog(competitive, {0, 0.01}, {0.01, 0.1}), RunInputs{});
    QVERIFY(text(window, "group1Results").contains("cannot be determined yet"));
    QVERIFY(text(window, "inhibitionCaption").contains("No inhibition law was chosen"));
    window.refresh(inhibitedLog(competitive, {0}, kSubstrates), RunInputs{});
    QCOMPARE(tabs->count(), 4);
    QVERIFY(!window.plotsInhibition());
    QCOMPARE(points(window, "lineweaverBurkChart", "used"), 5);
    QVERIFY(named(window, "lineweaverBurkChart", "[I]₀").isEmpty());

    // The report holds the inhibition results and, beside the run, velocity and double-reciprocal
    // plots, the Dixon and Cornish-Bowden plots.
    Session session;
    session.state().dataLog = inhibitedLog(competitive, kLevels, kSubstrates);
    QTemporaryDir dir;
    const QString pdf = dir.filePath("report.pdf");
    QVERIFY(Report::write(pdf, session, "Ada", QImage(600, 300, QImage::Format_RGB32), "1"));
    QProcess tool;
    tool.start("pdftotext", {pdf, "-"});
    QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
    QVERIFY(tool.readAllStandardOutput().contains("The readings show competitive inhibition"));
    tool.start("pdfimages", {"-list", pdf});
    QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
    QCOMPARE(tool.readAllStandardOutput().count(" image "), 4);
}

QTEST_MAIN(TestInhibitionWindow)
#include "tst_inhibitionwindow.moc"
