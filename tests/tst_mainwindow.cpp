// The main window driven as a student drives it, offscreen: controls, menus, plot, slider, Quit.
#include "app/enkinform.h"
#include "app/module1.h"
#include "engine/numtext.h"
#include "views/plotsurface.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

using namespace enkin;

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255), kBlack = qRgb(0, 0, 0), kBlue = qRgb(0, 0, 255),
               kRed = qRgb(255, 0, 0), kGrey = qRgb(128, 128, 128);

int countColour(const QImage &image, QRgb colour, QRect region = {})
{
    region = region.isNull() ? image.rect() : region & image.rect();
    int n = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            n += image.pixel(x, y) == colour;
    return n;
}

// Whether `colour` is within 3 pixels of value y (of maxy) at time x (of the Maximum Time).
bool colourAt(const QImage &image, double x, double y, QRgb colour)
{
    const QPoint at(qRound(x * (image.width() - 1)), qRound((1 - y) * (image.height() - 1)));
    return countColour(image, colour, QRect(at - QPoint(3, 3), at + QPoint(3, 3))) > 0;
}

int guideColumn(const QImage &image) // the column of the grey guide line, or -1
{
    for (int x = 0; x < image.width(); ++x)
        if (countColour(image, kGrey, QRect(x, 0, 1, image.height())) > image.height() * 9 / 10)
            return x;
    return -1;
}

// One main window over its own state, with its controls looked up by their names.
struct Session {
    Module1 state;
    EnkinForm form{state};

    template <class T = QWidget> T *get(const QString &name) { return form.findChild<T *>(name); }
    QImage image() { return get<PlotSurface>("Plot1")->image(); }
    bool blank() { return countColour(image(), kWhite) == image().width() * image().height(); }
    QScrollBar *slider() { return get<QScrollBar>("HScroll1"); }
    void choose(const QString &item) { get<QAction>(item)->trigger(); }
    QString message() { return form.statusBar()->currentMessage(); }
    QString text(const char *box) { return get<QLineEdit>(box)->text(); }
    QString results() // ttt, EVal, ESVal, Vel, SVal
    {
        return QStringList{text("ttt"), text("EVal"), text("ESVal"), text("Vel"), text("SVal")}
            .join(' ');
    }
    void type(const QString &box, const QString &text) // as the student does: select all, type
    {
        get<QLineEdit>(box)->selectAll();
        QTest::keyClicks(get(box), text.isEmpty() ? QStringLiteral("\b") : text);
    }
    bool show() { return form.show(), QTest::qWaitForWindowActive(&form); }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void controlsStartWithTheirTextsAndPlaces_data()
    {
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enabled"); // read-only boxes are disabled: no focus, no typing
        QTest::newRow("Plot1") << QRect(480, 105, 8280, 4455) << "" << true;
        QTest::newRow("maxy") << QRect(0, 120, 495, 285) << "1" << true;
        QTest::newRow("Text2") << QRect(240, 4320, 135, 285) << "0" << true;
        QTest::newRow("HScroll1") << QRect(240, 4560, 8775, 255) << "1" << true;
        QTest::newRow("k2list") << QRect(360, 5250, 1215, 315) << "1.00" << true;
        QTest::newRow("S0List") << QRect(360, 5730, 1215, 315) << "1.0x10^(-3)" << true;
        QTest::newRow("km") << QRect(360, 6195, 1215, 285) << "2" << false;
        QTest::newRow("Command1") << QRect(120, 6720, 1575, 285) << "Accept Data" << true;
        QTest::newRow("ttt") << QRect(4290, 5235, 855, 285) << "0" << false;
        QTest::newRow("ttmax") << QRect(4305, 5550, 825, 285) << "0.098" << true;
        QTest::newRow("EVal") << QRect(7020, 5250, 615, 285) << "1" << false;
        QTest::newRow("ESVal") << QRect(7020, 5730, 615, 285) << "0" << false;
        QTest::newRow("Vel") << QRect(7020, 6195, 615, 285) << "0" << false;
        QTest::newRow("SVal") << QRect(7020, 6690, 615, 285) << "1" << false;
    }
    void controlsStartWithTheirTextsAndPlaces()
    {
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(bool, enabled);
        Session s;
        QWidget *w = s.get(QTest::currentDataTag());
        QVERIFY(w && w->parentWidget() == s.form.centralWidget());
        QCOMPARE(w->geometry(), QRect(twips.topLeft() / 15, twips.size() / 15));
        const char *shown = w->inherits("QComboBox")    ? "currentText"
                            : w->inherits("QScrollBar") ? "value"
                                                        : "text";
        QCOMPARE(w->property(shown).toString(), text);
        QCOMPARE(w->isEnabled(), enabled);
    }

    void startsBlankWithWholeCaptionsAndFocusOnTheSlider()
    {
        Session s;
        QVERIFY(s.show());
        QCOMPARE(s.form.windowTitle(), QStringLiteral("Michaelis-Menten - Enzyme Kinetics"));
        QWidget *central = s.form.centralWidget();
        const auto labels = central->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
        QVERIFY(s.blank() && s.message().isEmpty() && labels.size() >= 30);
        for (QLabel *label : labels) {
            const QRect g = label->geometry();
            const qreal advance = QFontMetricsF(label->font()).horizontalAdvance(label->text());
            QVERIFY2(advance <= g.width(), qPrintable(label->objectName()));
            // Regression: the caption "d[P]/dt" ran into the frame of the box it names.
            const int inkWidth = label->alignment() & Qt::AlignLeft ? qCeil(advance) : 0;
            for (QLineEdit *box : central->findChildren<QLineEdit *>(Qt::FindDirectChildrenOnly))
                QVERIFY2(!box->geometry().intersects({g.topLeft(), QSize(inkWidth, g.height())}),
                         qPrintable(label->objectName()));
        }
        const auto focused = [&s](const char *name) {
            QWidget *f = QApplication::focusWidget();
            return f && (f == s.get(name) || s.get(name)->isAncestorOf(f));
        };
        for (const char *name :
             {"HScroll1", "k2list", "S0List", "Plot1", "ttmax", "Command1", "maxy", "HScroll1"}) {
            QTRY_VERIFY2(focused(name), name); // from the start, then round by Tab
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void menusHoldTheirItemsAndOpenTheirWindows_data()
    {
        QTest::addColumn<QString>("items");       // object name and title of each, in order
        QTest::addColumn<QStringList>("windows"); // an item and the window it opens
        QTest::newRow("menu bar") << "IP &Initial Parameters, Plot2 &Plot, Clear2 &Clear, "
                                     "DataStuff &Data, Help &Help, QQuit &Quit"
                                  << QStringList{"IP Parameters"};
        QTest::newRow("DataStuff")
            << "ShowData &Show, SaveData &Accept Data, ClearData &Clear All, Analyse A&nalyse"
            << QStringList{"ShowData DataForm", "Analyse AnalysisWindow"};
        QTest::newRow("Help") << "Instructions &Tutorial, guide &Guide to Enkin, aboutthis &About"
                              << QStringList{"Instructions EnkinDoc", "guide EnkinKey",
                                             "aboutthis AboutEnkin"};
    }
    void menusHoldTheirItemsAndOpenTheirWindows()
    {
        QFETCH(QString, items);
        QFETCH(QStringList, windows);
        Session s;
        QVERIFY(s.show());
        QAction *opener = s.get<QAction>(QTest::currentDataTag());
        QStringList shown;
        for (QAction *a : opener ? opener->menu()->actions() : s.form.menuBar()->actions())
            shown << a->objectName() + ' ' + a->text();
        QCOMPARE(shown.join(", "), items);
        for (const QString &opens : windows) {
            s.choose(opens.section(' ', 0, 0));
            const QByteArray window = "enkin::" + opens.section(' ', 1).toLatin1();
            QTRY_VERIFY(qApp->activeWindow() && qApp->activeWindow()->inherits(window));
        }
    }
    void plotDrawsAccumulatesCopiesAndClears()
    {
        Session s;
        QVERIFY(s.show());
        s.choose("Plot2");
        QImage image = s.image();
        // [E] falls from the top left to 0.0197 of maxy, [ES] rises to 0.980, [P] to 0.086.
        QVERIFY(colourAt(image, 1, 0.019653, kBlack) && colourAt(image, 1, 0.086, kRed));
        QVERIFY(colourAt(image, 0.5, 0.973, kBlue) && colourAt(image, 1, 0.980347, kBlue));
        QCOMPARE(countColour(image, kGrey), 0); // Plot draws no guide line
        s.type("maxy", "2");
        s.choose("Plot2"); // a second Plot, at maxy 2, draws over the first
        QVERIFY(colourAt(s.image(), 1, 0.980347, kBlue) && colourAt(s.image(), 1, 0.490174, kBlue));
        s.slider()->setValue(300); // a slider change starts from an empty surface
        image = s.image();
        QVERIFY(!colourAt(image, 1, 0.980347, kBlue) && colourAt(image, 1, 0.490174, kBlue));
        // The plot's context menu copies the image; it runs its own loop: choose from a timer.
        QTimer::singleShot(0, &s.form, [] {
            if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popup->findChild<QAction *>("copyPlotImage")->trigger();
                popup->close();
            }
        });
        auto *plot = s.get<PlotSurface>("Plot1");
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {9, 9}, plot->mapToGlobal(QPoint(9, 9)));
        QApplication::sendEvent(plot, &menu);
        QCOMPARE(QApplication::clipboard()->image(), image);
        const QString shown = s.results();
        s.choose("Clear2"); // empties the surface and nothing else
        QVERIFY(s.blank() && s.results() == shown && s.slider()->value() == 300);
        // Regression: the scale's right and bottom edges lay beyond the image, hiding points there.
        QVERIFY(plot->setScale(0, 1, 1, 0));
        plot->point(1, 0);
        QCOMPARE(s.image().pixel(s.image().width() - 1, s.image().height() - 1), kBlack);
    }
    void sliderReadsOutTheRunForAcceptData_data()
    {
        QTest::addColumn<int>("v");
        QTest::addColumn<QString>("shown"); // ttt, EVal, ESVal, Vel, SVal
        QTest::newRow("v=1, back from the end: time 0, initial values") << 1 << "0 1 0 0 1";
        QTest::newRow("v=2: time cut to 0, values moved") << 2 << "0 0.983 0.016 0.016 0.9999";
        QTest::newRow("v=301: half way") << 301 << "0.049 0.026 0.973 0.973 0.9999";
        QTest::newRow("v=599: time cut, not rounded") << 599 << "0.097 0.019 0.98 0.98 0.9999";
        QTest::newRow("v=600: the Maximum Time") << 600 << "0.098 0.019 0.98 0.98 0.9999";
    }
    void sliderReadsOutTheRunForAcceptData()
    {
        QFETCH(int, v);
        QFETCH(QString, shown);
        Session s;
        s.slider()->setValue(v == 1 ? 600 : 1);
        s.slider()->setValue(v);
        QCOMPARE(s.results(), shown);
        // The guide line at the slider's time. Regression: at 600 it lay beyond the right edge.
        QVERIFY(qAbs(guideColumn(s.image()) - (v - 1) / 599.0 * (s.image().width() - 1)) <= 1);
        QTest::mouseClick(s.get("Command1"), Qt::LeftButton); // Accept Data logs the reading shown
        s.choose("SaveData");
        const DataLog &log = s.state.dataLog;
        for (int row : {1, 2})
            QCOMPARE(QString::asprintf("%g %g %g %g %g", log.SavedT[row], log.SavedE[row],
                                       log.SavedES[row], log.SavedVel[row], log.SavedS[row]),
                     shown);
    }
    void sliderRaisesChangeOnceForEachNewValue()
    {
        Session s;
        QVERIFY(s.show());
        QScrollBar *bar = s.slider();
        QSignalSpy changes(bar, &QScrollBar::valueChanged);
        bar->setValue(1);
        QVERIFY(changes.isEmpty() && s.blank());
        bar->setValue(300); // the handler runs before setValue returns
        QVERIFY(changes.count() == 1 && s.text("ttt") == "0.048");
        // Keys and trough clicks move by one. Regression: Right moved the time back.
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(s.text("ttt"), QStringLiteral("0.049"));
        QTest::keyClick(bar, Qt::Key_Left);
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 4, bar->height() / 2));
        QVERIFY(bar->value() == 299 && changes.count() == 4);
        // A drag raises it once, on release; the positions passed are not shown.
        const QPoint thumb = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
        QTest::mouseMove(bar, thumb + QPoint(100, 0));
        QVERIFY(bar->sliderPosition() > 350 && changes.count() == 4 && s.text("ttt") == "0.048");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(100, 0));
        QVERIFY(changes.count() == 5 && changes.last().first().toInt() == bar->value());
        QVERIFY(s.text("ttt").toDouble() > 0.05);
    }

    void runsThatDrawNothingKeepThePlotAndSaySo_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said"); // in the status message
        QTest::newRow("maxy zero") << "maxy" << QString("0") << "plot) needs a non-zero number.";
        QTest::newRow("maxy text") << "maxy" << QString("top") << "plot) needs a non-zero number.";
        QTest::newRow("ttmax empty") << "ttmax" << QString() << "Time needs a non-zero number.";
        QTest::newRow("ttmax too long: refused") << "ttmax" << QString("1e6") << "of 1000000 msec";
    }
    void runsThatDrawNothingKeepThePlotAndSaySo()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, said);
        Session s;
        QVERIFY(s.show());
        s.slider()->setValue(301);
        const QImage before = s.image();
        const QString shown = s.results();
        s.type(box, text);
        s.slider()->setValue(600);
        // Degenerate scales still read out. Regression: a refused run still changed ttt.
        QCOMPARE(s.results() == shown, text == "1e6");
        s.choose("Plot2");
        QCOMPARE(s.image(), before);
        const QString message = s.message();
        QVERIFY2(message.contains(said), qPrintable(message));
        // Regression: the menus sent an empty status tip as the mouse passed, wiping the message.
        QMenu *menu = s.get<QAction>("DataStuff")->menu();
        QTest::mouseMove(s.form.centralWidget(), QPoint(1, 1)); // away from the menu's items
        QTest::keyClick(&s.form, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        for (const char *item : {"ShowData", "ClearData"})
            QTest::mouseMove(menu, menu->actionGeometry(s.get<QAction>(item)).center());
        QTRY_COMPARE(menu->activeAction(), s.get<QAction>("ClearData"));
        menu->close();
        QCOMPARE(s.message(), message);
    }

    void stoppedRunLeavesEmptyReadoutsAfterTheStop()
    {
        Session s;
        s.state.inputs.set(RunInput::kk1, "-1");
        s.type("ttmax", "5");
        s.slider()->setValue(600);
        QVERIFY2(s.message().contains("stopped after point"), qPrintable(s.message()));
        QCOMPARE(s.results(), QStringLiteral("5    "));
        QVERIFY(countColour(s.image(), kBlack) > 0); // drawn up to the stop
    }

    void quitEndsTheProgram()
    {
        void (*const ways[])(EnkinForm *) = {
            [](EnkinForm *form) { form->QQuit_Click(); }, [](EnkinForm *form) { form->close(); },
            [](EnkinForm *form) { QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier); }};
        for (const auto &quit : ways) { // the Quit handler, closing the main window, Ctrl+Q
            Session s;
            QVERIFY(s.show());
            QTimer::singleShot(0, &s.form, [&] { quit(&s.form); });
            QTimer::singleShot(10000, &s.form, [] { qApp->exit(1); }); // a Quit doing nothing fails
            QCOMPARE(QCoreApplication::exec(), 0);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
