// The main window driven as a student drives it, offscreen: controls, menus, plot, slider, Quit.
#include "app/enkinform.h"
#include "app/language.h"
#include "app/statustext.h"
#include "lab/session.h"
#include "tests/mainwindow.h"
#include "views/plotsurface.h"
#include "widgets/design.h"
#include "widgets/fittedtext.h"

#include <QAccessibleInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <optional>

using namespace enkin;
using namespace enkin::testing;

class TestMainWindow : public QObject {
    Q_OBJECT

    std::optional<Window> s; // a new one for each test

private slots:
    void init()
    {
        s.emplace();
        QVERIFY(s->show());
    }

    void startsWithItsTextsABlankPlotWholeCaptionsAndFocusOnTheSlider()
    {
        QWidget *central = s->form.centralWidget();
        QCOMPARE(s->form.windowTitle(), QStringLiteral("Michaelis-Menten - Enzyme Kinetics"));
        QCOMPARE(s->read("maxy Text2 k2list S0List km Command1 ttmax") + " | " + s->results(),
                 "1 0 1.00 1.0x10^(-3) 2 Accept Data 0.098 | 0 1 0 0 1");
        // A screen reader hears each list by its name and its value, not by the "k" beside it.
        for (const char *list : {"k2list", "S0List"}) {
            QAccessibleInterface *edit =
                QAccessible::queryAccessibleInterface(s->get<QComboBox>(list)->lineEdit());
            QVERIFY2(edit->text(QAccessible::Name).startsWith(list[0] == 'k' ? "k2, " : "[S]0, ") &&
                         edit->text(QAccessible::Value) == s->read(list),
                     list);
        }
        // Read-only, out of the Tab chain, but enabled: readable at full contrast and selectable.
        for (const char *name : {"km", "ttt", "EVal", "ESVal", "Vel", "SVal"}) {
            auto *box = s->get<QLineEdit>(name);
            QVERIFY2(box->isReadOnly() && box->isEnabled() && box->focusPolicy() == Qt::ClickFocus,
                     name);
        }
        const auto labels = central->findChildren<QLabel *>(Qt::FindDirectChildrenOnly);
        QVERIFY(s->blank() && s->message().isEmpty() && labels.size() >= 30);
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
        for (const char *name :
             {"HScroll1", "k2list", "S0List", "Plot1", "ttmax", "Command1", "maxy", "HScroll1"}) {
            QWidget *w = s->get(name); // focused from the start, then round by Tab
            QTRY_VERIFY2(w == qApp->focusWidget() || w->isAncestorOf(qApp->focusWidget()), name);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
    }

    void menusHoldTheirItemsAndOpenTheirWindows()
    {
        QStringList shown; // each item's object name and title, in order
        for (const char *opener : {"", "DataStuff", "Help"})
            for (QAction *a : *opener ? s->get<QAction>(opener)->menu()->actions()
                                      : s->form.menuBar()->actions())
                shown << a->objectName() + ' ' + a->text();
        QCOMPARE(shown.join(", "),
                 "IP &Initial Parameters, Plot2 &Plot, Clear2 &Clear, DataStuff &Data, Help &Help, "
                 "QQuit &Quit, ShowData &Show, SaveData &Accept Data, ClearData &Clear All, "
                 "Analyse A&nalyse,  , SaveReadings Sa&ve Readings..., OpenReadings &Open "
                 "Readings..., ExportReport &Export Report..., "
                 "Instructions &Tutorial, guide &Guide to Enkin, aboutthis &About");
        QCoreApplication::setApplicationVersion("3.1"); // main() sets the program's
        for (const char *opens :
             {"F1 EnkinKey", "IP Parameters", "ShowData DataForm", "Analyse AnalysisWindow",
              "Instructions EnkinDoc", "guide EnkinKey", "aboutthis AboutEnkin"}) {
            if (QString(opens).startsWith("F1")) // the key opens the Guide
                QTest::keyClick(&s->form, Qt::Key_F1);
            else
                s->choose(QString(opens).section(' ', 0, 0));
            const QByteArray window = "enkin::" + QByteArray(opens).split(' ').last();
            QTRY_VERIFY2(qApp->activeWindow() && qApp->activeWindow()->inherits(window), opens);
            // Within the screen's free area, unless its least size is larger.
            QWidget *w = qApp->activeWindow();
            const QSize free = w->screen()->availableGeometry().size() - QSize(16, 48);
            QVERIFY2(w->width() <= std::max(free.width(), w->minimumSizeHint().width()) &&
                         w->height() <= std::max(free.height(), w->minimumSizeHint().height()),
                     opens);
            // Assistive technology sees a window or a dialog, not a filler.
            const QAccessible::Role role =
                QAccessible::queryAccessibleInterface(qApp->activeWindow())->role();
            QVERIFY2(role == QAccessible::Window || role == QAccessible::Dialog,
                     qPrintable(QString("%1 %2").arg(opens).arg(role)));
        }
        // The About box is open last: its version, a missing revision read as 0.
        QCOMPARE(s->read("lblVersion"), "Version 3.1.0");
        QCOMPARE(
            QAccessible::queryAccessibleInterface(s->get("lblVersion"))->text(QAccessible::Name),
            "Version 3.1.0");
        // Accept Data while Saved Data is open leaves it as of its Show.
        const auto *data = s->form.findChild<QPlainTextEdit *>();
        const QString table = data->toPlainText();
        s->choose("SaveData");
        QCOMPARE(data->toPlainText(), table);
    }
    void plotDrawsAccumulatesCopiesAndClears()
    {
        s->choose("Plot2");
        QImage image = s->image();
        // [E] falls from the top left to 0.0197 of maxy, [ES] rises to 0.980, [P] to 0.086.
        QVERIFY(colourAt(image, 1, 0.019653, kBlack) && colourAt(image, 1, 0.086, kRed));
        QVERIFY(colourAt(image, 0.5, 0.973, kBlue) && colourAt(image, 1, 0.980347, kBlue));
        QCOMPARE(countColour(image, kGrey), 0); // Plot draws no guide line
        s->type("maxy", "2");
        s->choose("Plot2"); // a second Plot, at maxy 2, draws over the first
        image = s->image();
        QVERIFY(colourAt(image, 1, 0.980347, kBlue) && colourAt(image, 1, 0.490174, kBlue));
        s->slider()->setValue(300); // a slider change starts from an empty surface
        image = s->image();
        QVERIFY(!colourAt(image, 1, 0.980347, kBlue) && colourAt(image, 1, 0.490174, kBlue));
        // The plot's context menu copies the image; it runs its own loop: choose from a timer.
        QTimer::singleShot(0, &s->form, [] {
            if (auto *popup = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popup->findChild<QAction *>("copyPlotImage")->trigger();
                popup->close();
            }
        });
        auto *plot = s->get<PlotSurface>("Plot1");
        QContextMenuEvent menu(QContextMenuEvent::Mouse, {9, 9}, plot->mapToGlobal(QPoint(9, 9)));
        QApplication::sendEvent(plot, &menu);
        QCOMPARE(QApplication::clipboard()->image(), image);
        QApplication::clipboard()->clear(); // and so does Ctrl+C on it
        plot->setFocus();
        QTest::keyClick(plot, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->image(), image);
        const QString shown = s->results();
        s->choose("Clear2"); // empties the surface and nothing else
        QVERIFY(s->blank() && s->results() == shown && s->slider()->value() == 300);
        // Regression: the scale's right and bottom edges lay beyond the image, hiding points there.
        QVERIFY(plot->setScale(0, 1, 1, 0));
        plot->point(1, 0);
        QCOMPARE(s->image().pixel(s->image().width() - 1, s->image().height() - 1), kBlack);
    }
    void growsForAProjector()
    {
        // At the design size every control is where the design puts it, Accept Data whole;
        // larger, the plot and the slider take the room, the controls below move down together,
        // centred, and the run drawn last is drawn again at the plot's new size.
        s->slider()->setValue(600);
        const auto place = [&](const char *name) { return s->get(name)->geometry(); };
        const QRect plot = place("Plot1"), slider = place("HScroll1"), accept = place("Command1");
        const QRect scale = place("maxy"), origin = place("Text2");
        QVERIFY(s->form.centralWidget()->rect().contains(accept));
        s->form.resize(s->form.size() + QSize(150, 80));
        QTRY_COMPARE(place("Plot1"), plot.adjusted(0, 0, 150, 80));
        QCOMPARE(place("HScroll1"), slider.adjusted(0, 80, 150, 80));
        QCOMPARE(place("Command1"), accept.translated(75, 80));
        QVERIFY(place("maxy") == scale && place("Text2") == origin.translated(0, 80));
        const QImage image = s->image();
        QVERIFY(colourAt(image, 1, 0.980347, kBlue) && colourAt(image, 1, 0.019653, kBlack));
        QVERIFY(countColour(image, kGrey, QRect(image.width() - 2, 0, 2, image.height())) > 0);
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
        s->slider()->setValue(v == 1 ? 600 : 1);
        s->slider()->setValue(v);
        QCOMPARE(s->results(), shown);
        // The guide line at the slider's time. Regression: at 600 it lay beyond the right edge.
        const int x = qRound((v - 1) / 599.0 * (s->image().width() - 1)), h = s->image().height();
        QVERIFY(countColour(s->image(), kGrey, QRect(x - 1, 0, 3, h)) > h * 9 / 10);
        QTest::mouseClick(s->get("Command1"), Qt::LeftButton); // Accept Data logs the reading shown
        QCOMPARE(s->message(), "Reading 1 of 20 recorded.");
        s->choose("SaveData");
        QCOMPARE(s->message(), "Reading 2 of 20 recorded. It repeats the reading before it.");
        const DataLog &log = s->state.dataLog;
        for (int row : {1, 2})
            QCOMPARE(QString::asprintf("%g %g %g %g %g", log.SavedT[row], log.SavedE[row],
                                       log.SavedES[row], log.SavedVel[row], log.SavedS[row]),
                     shown);
    }
    void sliderRaisesChangeOnceForEachNewValue()
    {
        QScrollBar *bar = s->slider();
        QSignalSpy changes(bar, &QScrollBar::valueChanged);
        bar->setValue(1);
        QVERIFY(changes.isEmpty() && s->blank());
        bar->setValue(300); // the handler runs before setValue returns
        QVERIFY(changes.count() == 1 && s->read("ttt") == "0.048");
        // Keys and trough clicks move by one. Regression: Right moved the time back.
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(s->read("ttt"), QStringLiteral("0.049"));
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 4, bar->height() / 2));
        QVERIFY(bar->value() == 300 && changes.count() == 3);
        // A drag raises it once, on release; the positions passed are not shown.
        const QPoint thumb = bar->rect().center();
        QTest::mousePress(bar, Qt::LeftButton, {}, thumb);
        QTest::mouseMove(bar, thumb + QPoint(100, 0));
        QVERIFY(bar->sliderPosition() > 350 && changes.count() == 3 && s->read("ttt") == "0.048");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, thumb + QPoint(100, 0));
        QVERIFY(changes.count() == 4 && changes.last().first().toInt() == bar->value() &&
                s->read("ttt").toDouble() > 0.05);
    }

    void runsThatDrawNothingKeepThePlotAndSaySo()
    {
        s->slider()->setValue(301);
        const QImage before = s->image();
        const QString shown = s->results();
        s->type("ttmax", "");
        s->slider()->setValue(600); // a degenerate scale still reads out
        QVERIFY(s->results() != shown);
        s->choose("Plot2");
        QCOMPARE(s->image(), before);
        const QString message = s->message();
        QVERIFY2(message.contains("Time needs a non-zero number."), qPrintable(message));
        // Regression: the menus sent an empty status tip as the mouse passed, wiping the message.
        QMenu *menu = s->get<QAction>("DataStuff")->menu();
        QTest::mouseMove(s->form.centralWidget(), QPoint(1, 1)); // away from the menu's items
        QTest::keyClick(&s->form, Qt::Key_D, Qt::AltModifier);
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseMove(menu, menu->actionGeometry(s->get<QAction>("ClearData")).center());
        QTRY_COMPARE(menu->activeAction(), s->get<QAction>("ClearData"));
        menu->close();
        QCOMPARE(s->message(), message);
    }

    void anyChangeOfABoxReachesTheRun()
    {
        // Regression: only typed text reached the run inputs; a text set by code or through the
        // accessibility interface (screen readers, voice control) was shown but not used.
        auto *ttmax = s->get<QLineEdit>("ttmax");
        ttmax->setText("0.5");
        QCOMPARE(s->state.inputs.get(RunInput::ttmax), std::string("0.5"));
        QAccessibleInterface *edit = QAccessible::queryAccessibleInterface(ttmax);
        QVERIFY(edit && edit->role() == QAccessible::EditableText);
        edit->setText(QAccessible::Value, "0.25");
        s->choose("Plot2");
        QCOMPARE(s->session.lastRun().start.tmax, 0.25);
        // A decimal comma is named in the status bar; its tooltip holds the whole text.
        ttmax->setText("0,05");
        s->choose("Plot2");
        QVERIFY2(s->message().startsWith("Maximum Time reads as 0: the decimal point is"),
                 qPrintable(s->message()));
        QVERIFY(s->form.statusBar()->toolTip().contains("0.05, not 0,05"));
    }

    void quitEndsTheProgram()
    {
        void (*const ways[])(EnkinForm *) = {
            [](EnkinForm *form) { form->QQuit_Click(); }, [](EnkinForm *form) { form->close(); },
            [](EnkinForm *form) { QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier); }};
        for (const auto &quit : ways) { // the Quit handler, closing the main window, Ctrl+Q
            s.emplace(); // a Quit doing nothing fails: the loop ends only by the timeout
            QVERIFY(s->show());
            QTimer::singleShot(0, &s->form, [&] { quit(&s->form); });
            QTimer::singleShot(10000, &s->form, [] { qApp->exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
