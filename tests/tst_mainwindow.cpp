// The main window driven as a student drives it: its controls and menus, the plot image, the time
// slider and its readouts, degenerate scales, refused and stopped runs, the plot's copy menu and
// Quit.
#include "app/enkinform.h"
#include "app/module1.h"
#include "engine/numtext.h"
#include "views/plotsurface.h"
#include "views/trajectoryview.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <limits>

using namespace enkin;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kRed = qRgb(255, 0, 0);
constexpr QRgb kGrey = qRgb(128, 128, 128);

int px(int twips)
{
    return twips / 15;
}

// One main window over its own state, with its controls looked up by their names.
struct Session {
    Module1 state;
    EnkinForm form{state};

    template <class T> T *get(const char *name) const
    {
        return form.findChild<T *>(QLatin1String(name));
    }
    PlotSurface *plot() const { return get<PlotSurface>("Plot1"); }
    QScrollBar *slider() const { return get<QScrollBar>("HScroll1"); }
    QLineEdit *box(const char *name) const { return get<QLineEdit>(name); }
    QString text(const char *name) const { return box(name)->text(); }
    QAction *action(const char *name) const { return get<QAction>(name); }
    QString message() const { return form.statusBar()->currentMessage(); }
    QStringList results() const
    {
        return {text("ttt"), text("EVal"), text("ESVal"), text("Vel"), text("SVal")};
    }
};

// Replaces a box's text as the student does: select all, then type.
void typeInto(QLineEdit *box, const QString &text)
{
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

int countColour(const QImage &image, QRgb colour, QRect region = {})
{
    if (region.isNull())
        region = image.rect();
    region &= image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

bool allWhite(const QImage &image)
{
    return countColour(image, kWhite) == image.width() * image.height();
}

// Whether `colour` appears within `tolerance` pixels of the point at the given fractions of the
// image's width and height (0 = left or top edge, 1 = right or bottom edge).
bool colourNear(const QImage &image, double xFraction, double yFraction, QRgb colour,
                int tolerance = 3)
{
    const int x = qRound(xFraction * (image.width() - 1));
    const int y = qRound(yFraction * (image.height() - 1));
    return countColour(image, colour,
                       QRect(x - tolerance, y - tolerance, 2 * tolerance + 1, 2 * tolerance + 1)) >
           0;
}

// The column holding the grey guide line: the one with the most grey pixels, or -1.
int guideColumn(const QImage &image)
{
    int best = -1, bestCount = 0;
    for (int x = 0; x < image.width(); ++x) {
        const int n = countColour(image, kGrey, QRect(x, 0, 1, image.height()));
        if (n > bestCount)
            best = x, bestCount = n;
    }
    return bestCount >= image.height() * 9 / 10 ? best : -1;
}

QRect handleRect(QScrollBar *bar, QStyle::SubControl part)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = false;
    opt.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, part, bar);
}

// Runs the event loop until it is ended; a loop that nothing ends returns 1 after a while, so a
// Quit that does nothing fails the test instead of hanging it.
int runEventLoop()
{
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    watchdog.start(10000);
    return QCoreApplication::exec();
}

QString cutTime(int v, double tmax)
{
    return QString::fromStdString(
        formatGeneral(std::floor(1000 * ((v - 1) / 599.0 * tmax)) / 1000));
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void windowStartsWithItsInitialTexts();
    void boxesHaveTheirTextsTooltipsAndStates_data();
    void boxesHaveTheirTextsTooltipsAndStates();
    void controlsStandAtTheirDesignedPlaces_data();
    void controlsStandAtTheirDesignedPlaces();
    void labelsShowTheirCaptionsUnclipped_data();
    void labelsShowTheirCaptionsUnclipped();
    void colourKeyLinesHaveTheirColours_data();
    void colourKeyLinesHaveTheirColours();
    void focusStartsOnTheSliderAndTabFollowsTheDesignedOrder();

    void menuBarHoldsTheMenuTree_data();
    void menuBarHoldsTheMenuTree();
    void menuItemsOpenTheirWindows_data();
    void menuItemsOpenTheirWindows();
    void accessKeyOnTheMenuBarRunsPlot();
    void acceptDataByButtonAndMenuStoresTheSameReading_data();
    void acceptDataByButtonAndMenuStoresTheSameReading();
    void clearAllEmptiesTheLog();

    void plotDrawsTheThreeCurvesInTheirColours();
    void curvesBeginWithABlackPointAndBreakAtUndrawablePoints();
    void cornersOfTheScaleAreOnTheSurface_data();
    void cornersOfTheScaleAreOnTheSurface();
    void clearLeavesAWhiteSurfaceAndEverythingElse();
    void plotTwiceAccumulatesBothScales();
    void sliderChangeStartsFromAnEmptySurface();

    void sliderReadsOutTheRun_data();
    void sliderReadsOutTheRun();
    void guideLineStaysVisibleAtBothEnds_data();
    void guideLineStaysVisibleAtBothEnds();
    void settingTheSameValueRaisesNothing();
    void settingAnotherValueRaisesOnce();
    void dragRaisesOnceOnReleaseWithTheFinalValue();
    void arrowKeysAndClicksMoveByOne_data();
    void arrowKeysAndClicksMoveByOne();

    void zeroScaleDrawsNothingButReadsOut_data();
    void zeroScaleDrawsNothingButReadsOut();
    void zeroScalePlotLeavesTheSurface();
    void refusedRunKeepsThePreviousRun_data();
    void refusedRunKeepsThePreviousRun();
    void stoppedRunLeavesEmptyReadoutsAfterTheStop();
    void messageStaysUntilTheNextAction();
    void menuHoverKeepsTheMessage();

    void copyPlotImagePutsThePlotOnTheClipboard();

    void quitEndsTheProgram_data();
    void quitEndsTheProgram();
    void quitClosesTheOtherWindows();
};

void TestMainWindow::windowStartsWithItsInitialTexts()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    QCOMPARE(s.form.windowTitle(), QStringLiteral("Michaelis-Menten - Enzyme Kinetics"));
    QCOMPARE(s.form.centralWidget()->size(), QSize(px(9015), px(7020)));

    QCOMPARE(s.slider()->minimum(), 1);
    QCOMPARE(s.slider()->maximum(), 600);
    QCOMPARE(s.slider()->value(), 1);
    QCOMPARE(s.slider()->singleStep(), 1);
    QCOMPARE(s.slider()->pageStep(), 1);

    auto *k2 = s.get<QComboBox>("k2list");
    auto *s0 = s.get<QComboBox>("S0List");
    QCOMPARE(k2->currentText(), QStringLiteral("1.00"));
    QCOMPARE(s0->currentText(), QStringLiteral("1.0x10^(-3)"));
    QCOMPARE(k2->currentIndex(), -1);
    QCOMPARE(s0->currentIndex(), -1);
    QCOMPARE(k2->toolTip(), QStringLiteral("Click to select k2"));
    QCOMPARE(s0->toolTip(), QStringLiteral("Click to select Substrate Concentration"));

    auto *accept = s.get<QPushButton>("Command1");
    QCOMPARE(accept->text(), QStringLiteral("Accept Data"));
    QCOMPARE(accept->toolTip(), QStringLiteral("Click here to save data for later analysis"));

    // The fixed "0" at the foot of the vertical axis: never focused, bold, on the menu bar's
    // colour.
    QLineEdit *origin = s.box("Text2");
    QCOMPARE(origin->text(), QStringLiteral("0"));
    QCOMPARE(origin->focusPolicy(), Qt::NoFocus);
    QVERIFY(origin->isReadOnly());
    QVERIFY(origin->font().bold());
    QCOMPARE(origin->font().pointSizeF(), 8.25);
    QCOMPARE(origin->palette().color(QPalette::Base),
             s.form.menuBar()->palette().color(QPalette::Window));

    // Nothing is drawn and nothing is said until the student acts.
    QVERIFY(allWhite(s.plot()->image()));
    QCOMPARE(s.plot()->background(), QColor(255, 255, 255));
    QCOMPARE(s.plot()->foreground(), QColor(0, 0, 0));
    QVERIFY(s.message().isEmpty());
    QVERIFY(s.form.statusBar()->isVisible());
}

void TestMainWindow::boxesHaveTheirTextsTooltipsAndStates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<bool>("editable");

    QTest::newRow("plot area: vertical scale") << "maxy"
                                               << "1"
                                               << "" << true;
    QTest::newRow("time area: maximum time") << "ttmax"
                                             << "0.098"
                                             << "Enter max time on plot" << true;
    QTest::newRow("time area: time value") << "ttt"
                                           << "0"
                                           << "Time at scrollbar position" << false;
    QTest::newRow("parameters: Km") << "km"
                                    << "2"
                                    << "Michaelis Menten Constant" << false;
    QTest::newRow("results: [E]") << "EVal"
                                  << "1"
                                  << "" << false;
    QTest::newRow("results: [ES]") << "ESVal"
                                   << "0"
                                   << "ES for above time" << false;
    QTest::newRow("results: velocity") << "Vel"
                                       << "0"
                                       << "Velocity for above time" << false;
    QTest::newRow("results: [S]") << "SVal"
                                  << "1"
                                  << "Substrate Concentration at above time" << false;
}

void TestMainWindow::boxesHaveTheirTextsTooltipsAndStates()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, tooltip);
    QFETCH(bool, editable);

    Session s;
    auto *box = s.box(name.toLatin1().constData());
    QVERIFY(box);
    QCOMPARE(box->text(), text);
    QCOMPARE(box->toolTip(), tooltip);
    // Read-only boxes are disabled: neither editable nor reachable by the focus.
    QCOMPARE(box->isEnabled(), editable);
    QCOMPARE(box->isReadOnly(), !editable);
    QCOMPARE(box->focusPolicy() != Qt::NoFocus, editable);
    QVERIFY(box->font().families().contains(QStringLiteral("MS Sans Serif")));
    QCOMPARE(box->font().pointSizeF(), 8.25);
    QVERIFY(!box->font().bold());
}

void TestMainWindow::controlsStandAtTheirDesignedPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("twips");

    const struct {
        const char *name;
        int left, top, width, height;
    } rows[] = {
        {"Plot1", 480, 105, 8280, 4455},   {"maxy", 0, 120, 495, 285},
        {"Text2", 240, 4320, 135, 285},    {"HScroll1", 240, 4560, 8775, 255},
        {"k2list", 360, 5250, 1215, 315},  {"S0List", 360, 5730, 1215, 315},
        {"km", 360, 6195, 1215, 285},      {"Command1", 120, 6720, 1575, 285},
        {"ttt", 4290, 5235, 855, 285},     {"ttmax", 4305, 5550, 825, 285},
        {"Shape1", 3525, 5985, 2175, 975}, {"EVal", 7020, 5250, 615, 285},
        {"ESVal", 7020, 5730, 615, 285},   {"Vel", 7020, 6195, 615, 285},
        {"SVal", 7020, 6690, 615, 285},    {"Line1", 3645, 6345, 240, 15},
        {"Line2", 3645, 6585, 240, 15},    {"Line4", 3645, 6825, 240, 15},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name)
                              << QRect(r.left, r.top, r.width, r.height);
}

void TestMainWindow::controlsStandAtTheirDesignedPlaces()
{
    QFETCH(QString, name);
    QFETCH(QRect, twips);

    Session s;
    auto *w = s.get<QWidget>(name.toLatin1().constData());
    QVERIFY(w);
    QCOMPARE(w->parentWidget(), s.form.centralWidget());
    QCOMPARE(w->geometry(),
             QRect(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height())));
}

void TestMainWindow::labelsShowTheirCaptionsUnclipped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<qreal>("points");
    QTest::addColumn<bool>("blue");

    const struct {
        const char *name, *caption;
        int left, top, width, height;
        qreal points;
        bool blue;
    } rows[] = {
        {"Label35", "10  M", 0, 600, 615, 255, 9, false},
        {"Label36", "-9  ", 120, 480, 255, 255, 8.25, false},
        {"Label28", "Time Along Scrollbar ", 3690, 4875, 2085, 255, 9.75, true},
        {"Label5", "Parameters", 480, 4890, 1095, 255, 9.75, true},
        {"Label2", "k", 0, 5250, 375, 255, 9.75, false},
        {"Label32", "2 ", 120, 5355, 210, 255, 8.25, false},
        {"Label4", "x 10   sec", 1680, 5280, 915, 255, 9.75, false},
        {"Label3", "3      -1", 2040, 5160, 585, 255, 8.25, false},
        {"Label9", "[S]", 0, 5730, 375, 255, 9.75, false},
        {"Label33", "0", 240, 5865, 255, 255, 8.25, false},
        {"Label21", "  M", 1650, 5730, 405, 255, 9.75, false},
        {"Label1", "K", 0, 6225, 375, 255, 9.75, false},
        {"Label34", "m", 120, 6330, 255, 255, 8.25, false},
        {"Label8", "x 10    M", 1680, 6240, 975, 255, 9.75, false},
        {"Label7", "-5  ", 2040, 6120, 255, 255, 8.25, false},
        {"Label10", "Time Value", 3285, 5235, 1020, 255, 9.75, false},
        {"Label26", "msec", 5265, 5280, 975, 255, 9.75, false},
        {"Label29", "Maximum Time", 2955, 5550, 1365, 255, 9.75, false},
        {"Label31", " msec", 5205, 5580, 585, 255, 9.75, false},
        {"Label6", "Color Key", 4005, 5985, 1455, 255, 9.75, true},
        {"Label11", "Enzyme", 4140, 6225, 1455, 255, 9.75, false},
        {"Label12", "Enzyme-Substrate", 4125, 6465, 1575, 255, 9.75, false},
        {"Label14", "Product", 4125, 6705, 1455, 255, 9.75, false},
        {"Label15", "Results", 7215, 4890, 735, 255, 9.75, true},
        {"Label30", "[E]", 6795, 5250, 225, 255, 9.75, false},
        {"Label27", "x 10    M", 7800, 5280, 975, 255, 9.75, false},
        {"Label25", "-9  ", 8190, 5175, 255, 255, 8.25, false},
        {"Label17", "[ES]", 6675, 5730, 330, 255, 9.75, false},
        {"Label23", "x 10    M", 7815, 5760, 975, 255, 9.75, false},
        {"Label24", "-9  ", 8175, 5640, 255, 255, 8.25, false},
        {"Label16", "d[P]/dt", 6450, 6240, 600, 255, 9.75, false},
        {"Label20", "x 10     M/sec", 7815, 6240, 1215, 255, 9.75, false},
        {"Label22", "-6  ", 8175, 6120, 255, 255, 8.25, false},
        {"Label18", "[S]", 6780, 6720, 225, 255, 9.75, false},
        {"Label13", "x 10    M", 7815, 6720, 975, 255, 9.75, false},
        {"Label19", "-3  ", 8175, 6600, 255, 255, 8.25, false},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << QString::fromLatin1(r.name) << QString::fromLatin1(r.caption)
                              << QRect(r.left, r.top, r.width, r.height) << r.points << r.blue;
}

void TestMainWindow::labelsShowTheirCaptionsUnclipped()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRect, twips);
    QFETCH(qreal, points);
    QFETCH(bool, blue);

    Session s;
    auto *label = s.get<QLabel>(name.toLatin1().constData());
    QVERIFY(label);
    // Captions keep their blanks: superscripts line up by them.
    QCOMPARE(label->text(), caption);
    QVERIFY(label->font().families().contains(QStringLiteral("Times New Roman")));
    QVERIFY(label->font().bold());
    QCOMPARE(label->font().pointSizeF(), points);
    // Superscripts overlap their unit labels: both stay visible.
    QVERIFY(!label->autoFillBackground());
    const QColor ink = label->palette().color(QPalette::WindowText);
    QCOMPARE(ink, blue ? QColor(0, 0, 192) : QApplication::palette().color(QPalette::WindowText));

    // A label may be widened so that its caption is not clipped; it keeps its top and its height,
    // and its left edge, unless it names the box to its right: then it grows to the left.
    const QRect g = label->geometry();
    const QRect designed(px(twips.left()), px(twips.top()), px(twips.width()), px(twips.height()));
    QCOMPARE(g.top(), designed.top());
    QCOMPARE(g.height(), designed.height());
    QVERIFY2(g.left() == designed.left() ||
                 (g.left() < designed.left() && g.right() <= designed.right()),
             qPrintable(QStringLiteral("at %1..%2").arg(g.left()).arg(g.right())));
    QVERIFY(g.width() >= designed.width());
    const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(caption);
    QVERIFY2(advance <= g.width(),
             qPrintable(QStringLiteral("%1 > %2").arg(advance).arg(g.width())));

    // Regression: the caption "d[P]/dt" ran two pixels into the frame of the box it names.
    if (label->alignment() & Qt::AlignLeft) {
        const QRect inked(g.left(), g.top(), qCeil(advance), g.height());
        for (QWidget *w : s.form.centralWidget()->findChildren<QWidget *>()) {
            if (qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
                qobject_cast<QPushButton *>(w)) {
                if (w->parentWidget() == s.form.centralWidget())
                    QVERIFY2(!inked.intersects(w->geometry()), qPrintable(w->objectName()));
            }
        }
    }
}

void TestMainWindow::colourKeyLinesHaveTheirColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("Enzyme: black") << "Line1" << QColor(0, 0, 0);
    QTest::newRow("Enzyme-Substrate: blue") << "Line2" << QColor(0, 0, 192);
    QTest::newRow("Product: red") << "Line4" << QColor(255, 0, 0);
    QTest::newRow("frame of the key: black") << "Shape1" << QColor(0, 0, 0);
}

void TestMainWindow::colourKeyLinesHaveTheirColours()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);

    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    auto *w = s.get<QWidget>(name.toLatin1().constData());
    QVERIFY(w);
    const QImage shown = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    // The whole length of a key line, the left side of the frame.
    const QRect stroke = name == QLatin1String("Shape1") ? QRect(0, 0, 1, shown.height())
                                                         : QRect(0, 0, shown.width(), 1);
    QCOMPARE(countColour(shown, colour.rgb(), stroke), stroke.width() * stroke.height());
}

void TestMainWindow::focusStartsOnTheSliderAndTabFollowsTheDesignedOrder()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    const char *order[] = {"HScroll1", "k2list", "S0List", "Plot1", "ttmax", "Command1", "maxy"};
    const auto focused = [&s](const char *name) {
        QWidget *w = s.get<QWidget>(name);
        QWidget *f = QApplication::focusWidget();
        return f && (f == w || w->isAncestorOf(f));
    };
    QTRY_VERIFY(focused("HScroll1"));
    // At start-up the arrow keys move the slider at once.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QCOMPARE(s.slider()->value(), 2);

    for (const char *name : order) {
        QVERIFY2(focused(name), qPrintable(QApplication::focusWidget()->objectName()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QVERIFY2(focused("HScroll1"), "Tab from the last control goes round to the slider");
    for (int i = int(std::size(order)) - 1; i >= 0; --i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY2(focused(order[i]), qPrintable(QApplication::focusWidget()->objectName()));
    }
}

void TestMainWindow::menuBarHoldsTheMenuTree_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("titles");

    QTest::newRow("menu bar")
        << QString() << QStringList{"IP", "Plot2", "Clear2", "DataStuff", "Help", "QQuit"}
        << QStringList{"&Initial Parameters", "&Plot", "&Clear", "&Data", "&Help", "&Quit"};
    QTest::newRow("Data") << "DataStuff"
                          << QStringList{"ShowData", "SaveData", "ClearData", "Analyse"}
                          << QStringList{"&Show", "&Accept Data", "&Clear All", "&Analyse"};
    QTest::newRow("Help") << "Help" << QStringList{"Instructions", "guide", "aboutthis"}
                          << QStringList{"&Tutorial", "&Guide to Enkin", "&About"};
}

void TestMainWindow::menuBarHoldsTheMenuTree()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, names);
    QFETCH(QStringList, titles);

    Session s;
    QList<QAction *> actions = s.form.menuBar()->actions();
    if (!menu.isEmpty()) {
        QAction *opener = s.action(menu.toLatin1().constData());
        QVERIFY(opener);
        QVERIFY(opener->menu());
        actions = opener->menu()->actions();
    }
    QStringList shownNames, shownTitles;
    for (QAction *a : actions) {
        shownNames << a->objectName();
        shownTitles << a->text();
    }
    QCOMPARE(shownNames, names);
    QCOMPARE(shownTitles, titles);
    // Only Data and Help open submenus; the other items on the bar are commands.
    for (QAction *a : actions)
        QCOMPARE(a->menu() != nullptr, a->objectName() == QLatin1String("DataStuff") ||
                                           a->objectName() == QLatin1String("Help"));
    QCOMPARE(s.action("QQuit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
}

void TestMainWindow::menuItemsOpenTheirWindows_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("window");
    QTest::newRow("Initial Parameters") << "IP"
                                        << "enkin::Parameters";
    QTest::newRow("Data > Show") << "ShowData"
                                 << "enkin::DataForm";
    QTest::newRow("Data > Analyse") << "Analyse"
                                    << "enkin::AnalysisWindow";
    QTest::newRow("Help > Tutorial") << "Instructions"
                                     << "enkin::EnkinDoc";
    QTest::newRow("Help > Guide to Enkin") << "guide"
                                           << "enkin::EnkinKey";
    QTest::newRow("Help > About") << "aboutthis"
                                  << "enkin::AboutEnkin";
}

void TestMainWindow::menuItemsOpenTheirWindows()
{
    QFETCH(QString, item);
    QFETCH(QString, window);

    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    const auto openWindows = [&window] {
        int n = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            n += w->isVisible() && QLatin1String(w->metaObject()->className()) == window;
        return n;
    };
    QCOMPARE(openWindows(), 0);
    s.action(item.toLatin1().constData())->trigger();
    QTRY_COMPARE(openWindows(), 1);
    // Choosing it again brings the same window forward instead of opening another.
    s.action(item.toLatin1().constData())->trigger();
    QCOMPARE(openWindows(), 1);
    // None of them is modal: the main window still takes input.
    QVERIFY(!QApplication::activeModalWidget());
}

void TestMainWindow::accessKeyOnTheMenuBarRunsPlot()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QVERIFY(allWhite(s.plot()->image()));
    QTest::keyClick(&s.form, Qt::Key_P, Qt::AltModifier);
    QTRY_VERIFY(!allWhite(s.plot()->image()));
    QTest::keyClick(&s.form, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(allWhite(s.plot()->image()));
}

void TestMainWindow::acceptDataByButtonAndMenuStoresTheSameReading_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("Accept Data button") << true;
    QTest::newRow("Data > Accept Data") << false;
}

void TestMainWindow::acceptDataByButtonAndMenuStoresTheSameReading()
{
    QFETCH(bool, byButton);

    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.slider()->setValue(301);
    for (int row = 1; row <= 2; ++row) {
        if (byButton)
            QTest::mouseClick(s.get<QPushButton>("Command1"), Qt::LeftButton);
        else
            s.action("SaveData")->trigger();
        QCOMPARE(s.state.dataLog.SavedCount, row);
        QCOMPARE(s.state.dataLog.SavedT[row], 0.049);
        QCOMPARE(s.state.dataLog.SavedE[row], 0.026);
        QCOMPARE(s.state.dataLog.SavedES[row], 0.973);
        QCOMPARE(s.state.dataLog.SavedVel[row], 0.973);
        QCOMPARE(s.state.dataLog.SavedS[row], 0.9999);
    }
    QVERIFY(s.message().isEmpty());
}

void TestMainWindow::clearAllEmptiesTheLog()
{
    Session s;
    s.action("SaveData")->trigger();
    s.action("SaveData")->trigger();
    QCOMPARE(s.state.dataLog.SavedCount, 2);
    s.action("ClearData")->trigger();
    QCOMPARE(s.state.dataLog.SavedCount, 0);
    s.action("SaveData")->trigger();
    QCOMPARE(s.state.dataLog.SavedCount, 1);
}

void TestMainWindow::plotDrawsTheThreeCurvesInTheirColours()
{
    Session s;
    s.action("Plot2")->trigger();
    const QImage image = s.plot()->image();
    QVERIFY(s.plot()->autoRedraw());

    // [E] falls from the top-left corner to about 0.0197 (of maxy = 1) at the right edge.
    QCOMPARE(image.pixel(0, 0), kBlack);
    QVERIFY(colourNear(image, 1, 1 - 0.019653, kBlack));
    QVERIFY(colourNear(image, 0.5, 1 - 0.026, kBlack));
    // [ES] rises from the bottom edge toward 0.98; [P] reaches about 0.086 at the right edge.
    QVERIFY(colourNear(image, 1, 1 - 0.980347, kBlue));
    QVERIFY(colourNear(image, 0.5, 1 - 0.973, kBlue));
    QVERIFY(colourNear(image, 1, 1 - 0.086, kRed, 4));
    QVERIFY(!colourNear(image, 1, 1 - 0.086, kBlue, 4));
    // A curve on the bottom edge is visible too: [P] starts there.
    QVERIFY(countColour(image, kRed, QRect(0, image.height() - 1, 20, 1)) > 0);
    // Plot draws no guide line.
    QCOMPARE(countColour(image, kGrey), 0);
    // Only the three curves' colours are drawn on white.
    QCOMPARE(countColour(image, kWhite) + countColour(image, kBlack) + countColour(image, kBlue) +
                 countColour(image, kRed),
             image.width() * image.height());
    QVERIFY(s.message().isEmpty());
}

void TestMainWindow::curvesBeginWithABlackPointAndBreakAtUndrawablePoints()
{
    // Each curve begins with a point in the foreground colour; a point with no single-precision
    // value breaks the polyline, which resumes at the next drawable point.
    PlotSurface surface;
    surface.resize(200 + 4, 101 + 4);
    surface.clear();
    Trajectory t;
    for (int i = Trajectory::kFirst; i <= Trajectory::kLast; ++i) {
        t.TimeVal[i] = i - 1;
        t.EConc[i] = 0.9;
        t.ESConc[i] = 0.5;
        t.PConc[i] = 0.1;
    }
    for (int i = 2; i <= 30; ++i) {
        t.ESConc[i] = std::numeric_limits<double>::quiet_NaN();
        t.PConc[i] = -std::numeric_limits<double>::infinity();
    }
    for (int i = 300; i <= 330; ++i)
        t.EConc[i] = std::numeric_limits<double>::max();
    QCOMPARE(DrawTrajectory(surface, t, 599, 1), DrawOutcome::Drawn);
    const QImage image = surface.image();
    QCOMPARE(image.size(), QSize(200, 101));
    // Rows of 0.9, 0.5 and 0.1 of maxy, each as a three-pixel band.
    const auto band = [&image](double y, int x, int width) {
        return QRect(x, qRound((1 - y) * (image.height() - 1)) - 1, width, 3);
    };

    for (double y : {0.9, 0.5, 0.1})
        QCOMPARE(countColour(image, kBlack, band(y, 0, 1)), 1);
    // Nothing joins the first points of [ES] and [P] to where their lines resume, at time 29.
    for (double y : {0.5, 0.1})
        QCOMPARE(countColour(image, kWhite, band(y, 1, 8)), 3 * 8);
    QVERIFY(countColour(image, kBlue, band(0.5, 11, 180)) >= 180);
    QVERIFY(countColour(image, kRed, band(0.1, 11, 180)) >= 180);
    // [E] leaves a gap over the points beyond the single range, with no segment toward them.
    QCOMPARE(countColour(image, kBlack, band(0.9, 101, 8)), 0);
    QVERIFY(countColour(image, kBlack, band(0.9, 0, 99)) >= 99);
    QVERIFY(countColour(image, kBlack, band(0.9, 111, 89)) >= 89);
    QCOMPARE(countColour(image, kBlack, QRect(0, 0, image.width(), band(0.9, 0, 1).top())), 0);
}

void TestMainWindow::cornersOfTheScaleAreOnTheSurface_data()
{
    QTest::addColumn<QPointF>("corner");
    QTest::addColumn<QPoint>("pixel");
    QTest::newRow("time 0, maxy: top left") << QPointF(0, 1) << QPoint(0, 0);
    QTest::newRow("Maximum Time, maxy: top right") << QPointF(0.098, 1) << QPoint(547, 0);
    QTest::newRow("time 0, zero: bottom left") << QPointF(0, 0) << QPoint(0, 292);
    QTest::newRow("Maximum Time, zero: bottom right") << QPointF(0.098, 0) << QPoint(547, 292);
}

void TestMainWindow::cornersOfTheScaleAreOnTheSurface()
{
    // Regression: the bottom and right edges of the scale lay one pixel beyond the image, so a
    // point there (a concentration of 0, the Maximum Time) was never shown.
    QFETCH(QPointF, corner);
    QFETCH(QPoint, pixel);

    Session s;
    PlotSurface *plot = s.plot();
    QVERIFY(plot->setScale(0, 1, 0.098f, 0));
    plot->point(float(corner.x()), float(corner.y()));
    QCOMPARE(plot->image().size(), QSize(548, 293));
    QCOMPARE(plot->image().pixel(pixel), kBlack);
    QCOMPARE(countColour(plot->image(), kBlack), 1);
}

void TestMainWindow::clearLeavesAWhiteSurfaceAndEverythingElse()
{
    Session s;
    s.slider()->setValue(301);
    const QStringList shown = s.results();
    const double lastE = s.state.trajectory.EConc[600];
    QVERIFY(!allWhite(s.plot()->image()));

    s.action("Clear2")->trigger();
    QVERIFY(allWhite(s.plot()->image()));
    QCOMPARE(s.results(), shown);
    QCOMPARE(s.state.trajectory.EConc[600], lastE);
    QCOMPARE(s.slider()->value(), 301);

    // The next slider move draws the curves again.
    s.slider()->setValue(302);
    QVERIFY(colourNear(s.plot()->image(), 1, 1 - 0.980347, kBlue));
    QVERIFY(guideColumn(s.plot()->image()) >= 0);
}

void TestMainWindow::plotTwiceAccumulatesBothScales()
{
    Session s;
    s.action("Plot2")->trigger();
    typeInto(s.box("maxy"), QStringLiteral("2"));
    // Typing a new scale changes nothing until the next Plot.
    QVERIFY(!colourNear(s.plot()->image(), 1, 1 - 0.49, kBlue));
    s.action("Plot2")->trigger();
    const QImage image = s.plot()->image();
    // First set at maxy 1, second on top of it at maxy 2.
    QVERIFY(colourNear(image, 1, 1 - 0.980347, kBlue));
    QVERIFY(colourNear(image, 1, 1 - 0.490174, kBlue));
    QCOMPARE(image.pixel(0, 0), kBlack);
    QVERIFY(colourNear(image, 0, 0.5, kBlack));
}

void TestMainWindow::sliderChangeStartsFromAnEmptySurface()
{
    Session s;
    typeInto(s.box("maxy"), QStringLiteral("2"));
    s.action("Plot2")->trigger();
    QVERIFY(colourNear(s.plot()->image(), 1, 1 - 0.490174, kBlue));
    typeInto(s.box("maxy"), QStringLiteral("1"));
    s.slider()->setValue(100);
    const QImage image = s.plot()->image();
    QVERIFY(!colourNear(image, 1, 1 - 0.490174, kBlue));
    QVERIFY(!colourNear(image, 0, 0.5, kBlack));
    QVERIFY(colourNear(image, 1, 1 - 0.980347, kBlue));
    // One guide line only, moved with the slider.
    const int first = guideColumn(image);
    s.slider()->setValue(400);
    const int second = guideColumn(s.plot()->image());
    QVERIFY(first >= 0 && second > first);
    QCOMPARE(countColour(s.plot()->image(), kGrey, QRect(first, 0, 1, image.height())), 0);
}

void TestMainWindow::sliderReadsOutTheRun_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<QStringList>("shown"); // ttt, EVal, ESVal, Vel, SVal

    QTest::newRow("v=1, back from the end: time 0, initial values")
        << 1 << QStringList{"0", "1", "0", "0", "1"};
    QTest::newRow("v=2: time cut to 0, values already moved")
        << 2 << QStringList{"0", "0.983", "0.016", "0.016", "0.9999"};
    QTest::newRow("v=301: half way")
        << 301 << QStringList{"0.049", "0.026", "0.973", "0.973", "0.9999"};
    QTest::newRow("v=599: time cut, not rounded")
        << 599 << QStringList{"0.097", "0.019", "0.98", "0.98", "0.9999"};
    QTest::newRow("v=600: the Maximum Time itself")
        << 600 << QStringList{"0.098", "0.019", "0.98", "0.98", "0.9999"};
}

void TestMainWindow::sliderReadsOutTheRun()
{
    QFETCH(int, v);
    QFETCH(QStringList, shown);

    Session s;
    s.slider()->setValue(v == 1 ? 600 : 1);
    s.slider()->setValue(v);
    QCOMPARE(s.results(), shown);
    QCOMPARE(s.text("ttt"), cutTime(v, 0.098));
    // The guide line stands at the slider's time.
    const QImage image = s.plot()->image();
    const int column = guideColumn(image);
    QVERIFY(column >= 0);
    QVERIFY(qAbs(column - (v - 1) / 599.0 * (image.width() - 1)) <= 1.5);
    QVERIFY(s.message().isEmpty());
}

void TestMainWindow::guideLineStaysVisibleAtBothEnds_data()
{
    QTest::addColumn<int>("v");
    QTest::addColumn<double>("xFraction");
    QTest::newRow("time 0 on the left edge") << 1 << 0.0;
    QTest::newRow("Maximum Time on the right edge") << 600 << 1.0;
}

void TestMainWindow::guideLineStaysVisibleAtBothEnds()
{
    // Regression: the right edge of the scale lay one pixel beyond the image, hiding this line.
    QFETCH(int, v);
    QFETCH(double, xFraction);

    Session s;
    s.slider()->setValue(v == 1 ? 2 : 1);
    s.slider()->setValue(v);
    const QImage image = s.plot()->image();
    QCOMPARE(guideColumn(image), qRound(xFraction * (image.width() - 1)));
}

void TestMainWindow::settingTheSameValueRaisesNothing()
{
    Session s;
    QSignalSpy changes(s.slider(), &QScrollBar::valueChanged);
    s.slider()->setValue(1);
    QCOMPARE(changes.count(), 0);
    QVERIFY(allWhite(s.plot()->image()));

    s.slider()->setValue(50);
    s.action("Clear2")->trigger();
    s.slider()->setValue(50);
    QCOMPARE(changes.count(), 1);
    // The handler did not run again: the cleared surface stays empty.
    QVERIFY(allWhite(s.plot()->image()));
}

void TestMainWindow::settingAnotherValueRaisesOnce()
{
    Session s;
    QSignalSpy changes(s.slider(), &QScrollBar::valueChanged);
    s.slider()->setValue(301);
    // The handler ran inside the assignment, before setValue returned.
    QCOMPARE(s.text("ttt"), QStringLiteral("0.049"));
    QCOMPARE(changes.count(), 1);
    QCOMPARE(changes.at(0).at(0).toInt(), 301);
}

void TestMainWindow::dragRaisesOnceOnReleaseWithTheFinalValue()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    QScrollBar *bar = s.slider();
    QSignalSpy changes(bar, &QScrollBar::valueChanged);
    QSignalSpy moves(bar, &QScrollBar::sliderMoved);

    const QPoint start = handleRect(bar, QStyle::SC_ScrollBarSlider).center();
    QTest::mousePress(bar, Qt::LeftButton, {}, start);
    for (int dx = 40; dx <= 200; dx += 40)
        QTest::mouseMove(bar, start + QPoint(dx, 0));
    // Positions passed during the drag are not shown.
    QVERIFY(moves.count() > 0);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(s.text("ttt"), QStringLiteral("0"));
    QVERIFY(allWhite(s.plot()->image()));

    QTest::mouseRelease(bar, Qt::LeftButton, {}, start + QPoint(200, 0));
    QCOMPARE(changes.count(), 1);
    const int v = changes.at(0).at(0).toInt();
    QCOMPARE(v, bar->value());
    QVERIFY(v > 150);
    QCOMPARE(s.text("ttt"), cutTime(v, 0.098));
    QVERIFY(guideColumn(s.plot()->image()) > 0);
}

void TestMainWindow::arrowKeysAndClicksMoveByOne_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("delta");
    QTest::newRow("Right arrow key") << "Key_Right" << 1;
    QTest::newRow("Left arrow key") << "Key_Left" << -1;
    QTest::newRow("click on the right arrow") << "AddLine" << 1;
    QTest::newRow("click on the left arrow") << "SubLine" << -1;
    QTest::newRow("click in the trough right of the thumb") << "AddPage" << 1;
    QTest::newRow("click in the trough left of the thumb") << "SubPage" << -1;
}

void TestMainWindow::arrowKeysAndClicksMoveByOne()
{
    // Regression (arrow keys): a horizontal scroll bar inverts them, so Right moved the time back.
    QFETCH(QString, how);
    QFETCH(int, delta);

    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    QScrollBar *bar = s.slider();
    bar->setValue(300);
    QSignalSpy changes(bar, &QScrollBar::valueChanged);

    if (how.startsWith(QLatin1String("Key_"))) {
        bar->setFocus();
        QTest::keyClick(bar, how == QLatin1String("Key_Right") ? Qt::Key_Right : Qt::Key_Left);
    } else {
        const QStyle::SubControl part =
            how == QLatin1String("AddLine")   ? QStyle::SC_ScrollBarAddLine
            : how == QLatin1String("SubLine") ? QStyle::SC_ScrollBarSubLine
            : how == QLatin1String("AddPage") ? QStyle::SC_ScrollBarAddPage
                                              : QStyle::SC_ScrollBarSubPage;
        const QRect r = handleRect(bar, part);
        QVERIFY(!r.isEmpty());
        QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
    }
    QCOMPARE(bar->value(), 300 + delta);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(s.text("ttt"), cutTime(300 + delta, 0.098));
}

void TestMainWindow::zeroScaleDrawsNothingButReadsOut_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QStringList>("shown");

    const QStringList atEnd{"0.098", "0.019", "0.98", "0.98", "0.9999"};
    const QStringList flat{"0", "1", "0", "0", "1"};
    QTest::newRow("maxy zero") << "maxy"
                               << "0"
                               << "vertical scale" << atEnd;
    QTest::newRow("maxy empty") << "maxy"
                                << ""
                                << "vertical scale" << atEnd;
    QTest::newRow("maxy not a number") << "maxy"
                                       << "top"
                                       << "vertical scale" << atEnd;
    QTest::newRow("Maximum Time zero") << "ttmax"
                                       << "0"
                                       << "Maximum Time" << flat;
    QTest::newRow("Maximum Time empty") << "ttmax"
                                        << ""
                                        << "Maximum Time" << flat;
    QTest::newRow("Maximum Time not a number") << "ttmax"
                                               << "long"
                                               << "Maximum Time" << flat;
}

void TestMainWindow::zeroScaleDrawsNothingButReadsOut()
{
    QFETCH(QString, box);
    QFETCH(QString, text);
    QFETCH(QString, named);
    QFETCH(QStringList, shown);

    Session s;
    s.slider()->setValue(301);
    const QImage before = s.plot()->image();
    typeInto(s.box(box.toLatin1().constData()), text);
    s.slider()->setValue(600);

    QCOMPARE(s.plot()->image(), before);
    QVERIFY2(s.message().contains(named), qPrintable(s.message()));
    QVERIFY(s.message().contains(QLatin1String("non-zero number")));
    QCOMPARE(s.results(), shown);
}

void TestMainWindow::zeroScalePlotLeavesTheSurface()
{
    Session s;
    s.action("Plot2")->trigger();
    const QImage before = s.plot()->image();
    typeInto(s.box("maxy"), QStringLiteral("0"));
    typeInto(s.box("ttmax"), QStringLiteral("0.2"));
    s.action("Plot2")->trigger();
    QCOMPARE(s.plot()->image(), before);
    QVERIFY(s.message().contains(QLatin1String("vertical scale")));
    QCOMPARE(s.results(), (QStringList{"0", "1", "0", "0", "1"}));
}

void TestMainWindow::refusedRunKeepsThePreviousRun_data()
{
    QTest::addColumn<bool>("bySlider");
    QTest::newRow("slider change") << true;
    QTest::newRow("Plot") << false;
}

void TestMainWindow::refusedRunKeepsThePreviousRun()
{
    QFETCH(bool, bySlider);

    Session s;
    s.slider()->setValue(301);
    const QStringList shown = s.results();
    const QImage before = s.plot()->image();
    const double lastES = s.state.trajectory.ESConc[600];

    typeInto(s.box("ttmax"), QStringLiteral("1e6"));
    if (bySlider)
        s.slider()->setValue(400);
    else
        s.action("Plot2")->trigger();

    QCOMPARE(s.plot()->image(), before);
    QCOMPARE(s.state.trajectory.ESConc[600], lastES);
    // Regression: a refused slider change wrote the new time into ttt beside the previous run's
    // values, so Accept Data would log a time that does not belong to them.
    QCOMPARE(s.results(), shown);
    const QString message = s.message();
    QVERIFY2(message.contains(QLatin1String("1000000")), qPrintable(message));
    QVERIFY(message.contains(QLatin1String("largest")));
    // The largest accepted Maximum Time named in the message is accepted.
    const qsizetype at = message.indexOf(QLatin1String("largest that works is "));
    QVERIFY(at >= 0);
    const double largest = parseLeadingNumber(message.mid(at + 22).toStdString());
    QVERIFY(largest > 0.098 && largest < 1e6);
    typeInto(s.box("ttmax"), QString::fromStdString(formatGeneral(largest)));
    s.action("Plot2")->trigger();
    QVERIFY(!s.message().contains(QLatin1String("Run not done")));
}

void TestMainWindow::stoppedRunLeavesEmptyReadoutsAfterTheStop()
{
    Session s;
    s.state.inputs.set(RunInput::kk1, "-1");
    typeInto(s.box("ttmax"), QStringLiteral("5"));
    s.slider()->setValue(600);
    QVERIFY2(s.message().contains(QLatin1String("stopped")), qPrintable(s.message()));
    QCOMPARE(s.form.lastRun().status, RunStatus::Stopped);
    const int last = s.form.lastRun().lastValid();
    QVERIFY(last > 1 && last < 600);
    QCOMPARE(s.text("ttt"), QStringLiteral("5"));
    for (const char *name : {"EVal", "ESVal", "Vel", "SVal"})
        QVERIFY2(s.text(name).isEmpty(), name);
    // Drawn up to the stopping point.
    QVERIFY(countColour(s.plot()->image(), kBlack) > 0);
    // An empty box is no reading: Accept Data refuses it.
    s.action("SaveData")->trigger();
    QCOMPARE(s.state.dataLog.SavedCount, 0);
    QVERIFY(!s.message().isEmpty());

    // Before the stop the readouts are numbers.
    s.slider()->setValue(1);
    QCOMPARE(s.results(), (QStringList{"0", "1", "0", "0", "1"}));
}

void TestMainWindow::messageStaysUntilTheNextAction()
{
    Session s;
    typeInto(s.box("maxy"), QStringLiteral("0"));
    s.action("Plot2")->trigger();
    const QString message = s.message();
    QVERIFY(!message.isEmpty());
    // Typing is no action of its own.
    typeInto(s.box("maxy"), QStringLiteral("1"));
    QCOMPARE(s.message(), message);
    // A successful Plot replaces it with nothing.
    s.action("Plot2")->trigger();
    QVERIFY(s.message().isEmpty());
    typeInto(s.box("maxy"), QStringLiteral(""));
    s.slider()->setValue(5);
    QVERIFY(!s.message().isEmpty());
    s.action("Clear2")->trigger();
    QVERIFY(s.message().isEmpty());
}

void TestMainWindow::menuHoverKeepsTheMessage()
{
    // Regression: passing the mouse over the menus sent an empty status tip, which wiped the
    // message before the student had read it.
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    typeInto(s.box("maxy"), QStringLiteral("0"));
    s.action("Plot2")->trigger();
    const QString message = s.message();
    QVERIFY(!message.isEmpty());

    QMenuBar *bar = s.form.menuBar();
    QAction *data = s.action("DataStuff");
    QTest::mouseMove(bar, bar->actionGeometry(s.action("Plot2")).center());
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(data).center());
    QMenu *menu = data->menu();
    QTRY_VERIFY(menu->isVisible());
    QTest::mouseMove(menu, menu->actionGeometry(s.action("ShowData")).center());
    QTest::mouseMove(menu, menu->actionGeometry(s.action("ClearData")).center());
    QTRY_COMPARE(menu->activeAction(), s.action("ClearData"));
    menu->close();
    QCOMPARE(s.message(), message);
}

void TestMainWindow::copyPlotImagePutsThePlotOnTheClipboard()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.form));
    s.slider()->setValue(301);
    QApplication::clipboard()->clear();
    PlotSurface *plot = s.plot();

    QString offered;
    int tries = 0;
    std::function<void()> pick = [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu) {
            if (++tries < 100)
                QTimer::singleShot(20, pick);
            return;
        }
        for (QAction *a : menu->actions()) {
            offered += a->text();
            if (a->text() == QLatin1String("Copy Plot Image"))
                a->trigger();
        }
        menu->close();
    };
    QTimer::singleShot(0, pick);
    const QPoint at(40, 40);
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, plot->mapToGlobal(at));
    QApplication::sendEvent(plot, &event);

    QCOMPARE(offered, QStringLiteral("Copy Plot Image"));
    const QImage copied = QApplication::clipboard()->image();
    QVERIFY(!copied.isNull());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             plot->image().convertToFormat(QImage::Format_RGB32));
    QVERIFY(guideColumn(copied.convertToFormat(QImage::Format_RGB32)) > 0);
}

void TestMainWindow::quitEndsTheProgram_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Quit handler") << "handler";
    QTest::newRow("Quit menu item") << "item";
    QTest::newRow("Ctrl+Q") << "shortcut";
    QTest::newRow("closing the main window") << "close";
}

void TestMainWindow::quitEndsTheProgram()
{
    QFETCH(QString, how);

    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    if (how == QLatin1String("handler"))
        QTimer::singleShot(0, &s.form, &EnkinForm::QQuit_Click);
    else if (how == QLatin1String("item"))
        QTimer::singleShot(0, s.action("QQuit"), &QAction::trigger);
    else if (how == QLatin1String("shortcut"))
        QTimer::singleShot(0, &s.form,
                           [&s] { QTest::keyClick(&s.form, Qt::Key_Q, Qt::ControlModifier); });
    else
        QTimer::singleShot(0, &s.form, &QWidget::close);
    QCOMPARE(runEventLoop(), 0);
}

void TestMainWindow::quitClosesTheOtherWindows()
{
    Session s;
    s.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.form));
    for (const char *item : {"ShowData", "Instructions", "IP"})
        s.action(item)->trigger();
    // A window closed through its frame may be destroyed: watch them through guarded pointers.
    QList<QPointer<QWidget>> open;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &s.form)
            open << w;
    QCOMPARE(open.size(), 3);
    QTimer::singleShot(0, &s.form, &EnkinForm::QQuit_Click);
    QCOMPARE(runEventLoop(), 0);
    for (const QPointer<QWidget> &w : open)
        QVERIFY(!w || !w->isVisible());
    QVERIFY(!s.form.isVisible());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
