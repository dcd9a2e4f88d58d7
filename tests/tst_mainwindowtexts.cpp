// The main window's texts for every reader: whole numbers in its boxes, its status messages
// within the window, readable on a dark desktop, and in German on a German one.
#include "app/enkinform.h"
#include "app/language.h"
#include "app/statustext.h"
#include "params/parametersdialog.h"
#include "tests/mainwindow.h"
#include "views/plotsurface.h"
#include "widgets/design.h"
#include "widgets/fittedtext.h"

#include <QAbstractAxis>
#include <QAbstractSeries>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolTip>
#include <QTranslator>

#include <optional>

using namespace enkin;
using namespace enkin::testing;

namespace {

// Every text a window shows or says (captions, tooltips, accessible names and descriptions, list
// items, table headers, tab and chart titles) with an English word of the interface in it, as
// "object: text". The documents' views are left to the documents' own tests.
QStringList englishLeft(QWidget *root)
{
    static const QRegularExpression english(
        "\\b(the|and|of|for|with|from|not|is|to|[Rr]eadings?|[Vv]elocity|Time|Value|Results?|Copy|"
        "Close|Save|Open|Plot|Clear|Data|Help|Quit|Accept|Cancel|Default|Initial|Show|Analy[sz]e|"
        "Refresh|New|Sample|[Gg]roup|marks|used|fitted|true|seed|error|Simulated|against|"
        "Residuals|m?sec|Enzyme|Product|Color|Key|Tutorial|Guide|About|Maximum|Along|Scrollbar|"
        "Concentration|Rate|Constant|Click|Enter|Substrate|Parameters|Values)\\b");
    QStringList found;
    const auto check = [&](const QObject *o, QString text) {
        text.remove(QRegularExpression("<[^>]*>"));
        if (english.match(text).hasMatch())
            found << o->objectName() + ": " + text;
    };
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets << root;
    for (QWidget *w : widgets) {
        if (w->inherits("QTextBrowser") ||
            (w->parentWidget() && w->parentWidget()->inherits("QTextBrowser")))
            continue;
        for (const QString &text : {w->windowTitle(), w->toolTip(), w->accessibleName(),
                                    w->accessibleDescription(), w->property("text").toString()})
            check(w, text);
        for (QAction *a : w->actions())
            check(a, a->text() + ' ' + a->toolTip());
        if (auto *list = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < list->count(); ++i)
                check(w, list->itemText(i));
        if (auto *tabs = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                check(w, tabs->tabText(i));
        if (auto *table = qobject_cast<QTableWidget *>(w))
            for (int c = 0; c < table->columnCount(); ++c)
                for (int r = -1; r < table->rowCount(); ++r)
                    if (QTableWidgetItem *item =
                            r < 0 ? table->horizontalHeaderItem(c) : table->item(r, c))
                        check(w, item->text());
        if (auto *chart = qobject_cast<QChartView *>(w)) {
            check(w, chart->chart()->title());
            for (QAbstractAxis *axis : chart->chart()->axes())
                check(w, axis->titleText());
            for (QAbstractSeries *series : chart->chart()->series())
                check(w, series->name());
        }
    }
    return found;
}

} // namespace

class TestMainWindowTexts : public QObject {
    Q_OBJECT

    std::optional<Window> s; // a new one for each test

private slots:
    void init()
    {
        s.emplace();
        QVERIFY(s->show());
    }

    void boxesShowTheirWholeText()
    {
        // At the design values every box keeps the interface font.
        const QStringList boxes{"ttt", "EVal", "ESVal", "Vel", "SVal", "km", "maxy", "ttmax"};
        for (const QString &name : boxes + QStringList{"Text2"})
            QCOMPARE(s->get<QLineEdit>(name)->font().pointSizeF(), interfaceFont().pointSizeF());
        // Regression: in exercise 6 the time box showed "14858.096" for 514 858.096 msec, its
        // leading digits scrolled out of view; the vertical scale showed "00000" for 1000000.
        s->type("ttmax", "1200000");
        s->type("maxy", "1000000");
        s->slider()->setValue(258);
        QCOMPARE(s->get<QLineEdit>("ttt")->text(), "514858.096");
        s->get<QLineEdit>("EVal")->setText("-1.79769313486232E+308"); // longer than any readout
        for (const QString &name : boxes) {
            const auto *box = s->get<QLineEdit>(name);
            QVERIFY2(textAdvance(box) <= textRoom(box) || box->toolTip() == box->text(),
                     qPrintable(name + ": " + box->text()));
        }
        const auto *ttt = s->get<QLineEdit>("ttt");
        QVERIFY(textAdvance(ttt) <= textRoom(ttt) && ttt->cursorPosition() == 0);
        QVERIFY(ttt->font().pointSizeF() < interfaceFont().pointSizeF());
        // A short text again has the full size.
        s->slider()->setValue(1);
        QCOMPARE(ttt->font().pointSizeF(), interfaceFont().pointSizeF());
    }

    void framesHoldTheirTextsAtAnyFontSize()
    {
        // At desktop fonts of 9, 12 and 14 pt every button and label of every window keeps its
        // text inside its frame, and no two buttons of a window overlap.
        const QFont desktop = QApplication::font();
        const auto english = qScopeGuard([&] { QApplication::setFont(desktop); });
        for (const double points : {9.0, 12.0, 14.0}) {
            QFont font = desktop;
            font.setPointSizeF(points);
            QApplication::setFont(font);
            Session session;
            EnkinForm form(session);
            form.show();
            for (const char *open : {"IP", "ShowData", "Analyse", "aboutthis", "Instructions"})
                form.findChild<QAction *>(open)->trigger();
            QStringList clipped;
            for (QWidget *w : form.findChildren<QWidget *>()) {
                if (!w->isVisible() || w->inherits("QTextBrowser"))
                    continue;
                const QString text = w->property("text").toString().remove('&');
                if (auto *button = qobject_cast<QPushButton *>(w)) {
                    if (button->fontMetrics().horizontalAdvance(text) + 6 > button->width())
                        clipped << button->objectName() + ": " + text;
                    for (QAbstractButton *other :
                         w->parentWidget()->findChildren<QAbstractButton *>(
                             Qt::FindDirectChildrenOnly))
                        if (other != w && other->isVisible() &&
                            other->geometry().intersects(w->geometry()))
                            clipped << button->objectName() + " over " + other->objectName();
                } else if (auto *label = qobject_cast<QLabel *>(w); label && !text.isEmpty()) {
                    const int need =
                        label->wordWrap()
                            ? label->heightForWidth(label->width()) - label->height()
                            : label->fontMetrics().horizontalAdvance(
                                  label->textFormat() == Qt::RichText ? QString() : text) -
                                  label->width();
                    if (need > 0 && !label->parentWidget()->inherits("QScrollArea"))
                        clipped << label->objectName() + ": " + text.left(40);
                }
            }
            QVERIFY2(clipped.isEmpty(),
                     qPrintable(QString::number(points) + " pt: " + clipped.join(" | ")));
        }
    }

    void readableOnADarkDesktop()
    {
        // On a dark palette the headings, the colour key and the labels keep 4.5:1 or more
        // against the window; on the light one the headings keep their designed blue. On both
        // the dialog's disabled k2 and [S] fields, which students read, keep 4.5:1.
        const auto disabledReadable = [](EnkinForm &f) {
            f.IP_Click();
            for (const char *name : {"kk2", "S0"}) {
                const QPalette p =
                    f.findChild<Parameters *>()->findChild<QLineEdit *>(name)->palette();
                QVERIFY2(contrastRatio(p.color(QPalette::Disabled, QPalette::Text),
                                       p.color(QPalette::Disabled, QPalette::Base)) >= 4.5,
                         name);
            }
        };
        disabledReadable(s->form);
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
        dark.setColor(QPalette::Base, QColor(25, 25, 25));
        dark.setColor(QPalette::Text, QColor(230, 230, 230));
        const QPalette light = QApplication::palette();
        QApplication::setPalette(dark);
        Session session;
        EnkinForm form(session);
        disabledReadable(form);
        QApplication::setPalette(light);
        const QColor window = form.centralWidget()->palette().color(QPalette::Window);
        for (QLabel *label : form.centralWidget()->findChildren<QLabel *>())
            QVERIFY2(contrastRatio(label->palette().color(QPalette::WindowText), window) >= 4.5,
                     qPrintable(label->objectName()));
        for (const char *line : {"Shape1", "Line1", "Line2", "Line4"}) {
            QWidget *key = form.findChild<QWidget *>(line);
            QVERIFY2(key && contrastRatio(key->grab().toImage().pixelColor(0, 0), window) >= 3,
                     line);
        }
        QCOMPARE(s->get<QLabel>("Label15")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 192));
    }

    void everyStatusMessageFitsTheWindow()
    {
        // Regression: long messages ran off the window's edge and hid the number a student
        // needs. Each short form fits at the design width; the tooltip holds the whole text.
        const auto stopped = [](StopCause cause) {
            return RunReport{{}, RunStatus::Stopped, cause, 0, 599};
        };
        const Note notes[] = {stopped(StopCause::TooLarge),
                              stopped(StopCause::Backward),
                              stopped(StopCause::NegativeInput),
                              OutOfRange{-1.7e308, 1.7e308, 1e-300, -1e-300, -1.7e308},
                              DrawOutcome::VerticalScaleTooLarge,
                              DrawOutcome::HorizontalScaleTooLarge,
                              ChoiceNote::NoTimeSuggestion,
                              AcceptRefusal{AcceptOutcome::LogFull, {}, 0},
                              Recorded{20, true, true},
                              EarlierRun{},
                              AcceptRefusal{AcceptOutcome::EmptyBox, ResultBox::Vel, 599},
                              DecimalComma{std::nullopt, -1.23456789012345e-300}};
        const QFontMetrics metrics(s->form.statusBar()->font());
        for (const Note &note : notes) {
            const StatusText text = noteText(note);
            QVERIFY(!text.shown.isEmpty() && text.full.startsWith(text.shown));
            QVERIFY2(metrics.horizontalAdvance(text.shown) <= s->form.width() - 20,
                     qPrintable(text.shown));
        }
    }

    void germanDesktop()
    {
        // A German desktop gets a German interface; the boxes keep their numbers with ".". The
        // sweep for English words finds them in English.
        QVERIFY(englishLeft(&s->form).size() > 20);
        QVERIFY(installTranslations(*qApp, QLocale(QLocale::German, QLocale::Germany)));
        Session session;
        EnkinForm form(session);
        QStringList menus;
        for (QAction *a : form.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus.join(' '), "&Anfangsparameter &Zeichnen &Leeren &Daten &Hilfe &Beenden");
        QCOMPARE(form.findChild<QLineEdit *>("ttmax")->text(), "0.098");
        QCOMPARE(form.findChild<QLabel *>("Label29")->text(), "Maximalzeit");
        // A refused accept names the box in German too.
        QCOMPARE(noteText(AcceptRefusal{AcceptOutcome::EmptyBox, ResultBox::ttt, 0}).shown,
                 "Nicht übernommen: Zeitwert ist leer.");
        QCOMPARE(noteText(Recorded{3, false}).shown, "Messwert 3 von 20 aufgenommen.");
        // The dialog's buttons show their longer captions whole, side by side.
        form.IP_Click();
        QRect before;
        for (const char *name : {"Accept", "Default", "QuitParam"}) {
            auto *button = form.findChild<Parameters *>()->findChild<QPushButton *>(name);
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <=
                             button->width() &&
                         !button->geometry().intersects(before),
                     qPrintable(button->text()));
            before = button->geometry();
        }
        // No English word is left in any window, with readings in the table and the analysis, nor
        // in the texts copied for a spreadsheet.
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (int row : {6, 10, 15}) {
            form.S0List_Click(row);
            form.findChild<QScrollBar *>("HScroll1")->setValue(600);
            form.Command1_Click();
        }
        for (const char *open : {"ShowData", "Analyse", "aboutthis", "Instructions", "guide"})
            form.findChild<QAction *>(open)->trigger();
        QCOMPARE(englishLeft(&form).join('\n'), QString());
        form.findChild<QPushButton *>("CopyForSpreadsheet")->click();
        QVERIFY(QApplication::clipboard()->text().startsWith("t (s)\t[E] (M)") &&
                QApplication::clipboard()->text().contains("\tGeschwindigkeit (M/s)\n"));
        form.findChild<QPushButton *>("copyResults")->click();
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(!QRegularExpression("\\b(row|velocity|used|marks|group|method|low|high|true|seed|"
                                     "error|direct fit|line)\\b")
                      .match(copied)
                      .hasMatch(),
                 qPrintable(copied));
        QLocale::setDefault(QLocale::c());
        for (QTranslator *t : qApp->findChildren<QTranslator *>())
            QCoreApplication::removeTranslator(t), delete t;
        QCOMPARE(EnkinForm(session).windowTitle(), "Michaelis-Menten - Enzyme Kinetics");
    }
    void earlierRunIsShownPlainly()
    {
        const auto textColour = [&] {
            return s->get<QLineEdit>("EVal")->palette().color(QPalette::Text);
        };
        const QColor normal = textColour();
        s->slider()->setValue(600);
        s->type("ttmax", "0.2");
        QVERIFY(textColour() != normal); // the Results belong to the 0.098 msec run
        s->choose("Plot2");
        QCOMPARE(s->message(), "The Results are from an earlier run: move the slider to read this "
                               "one.");
        QTest::mouseClick(s->get("Command1"), Qt::LeftButton);
        QCOMPARE(s->message(), "Reading 1 of 20 recorded, from the earlier run the Results show.");
        s->slider()->setValue(599);
        QCOMPARE(textColour(), normal);
        QVERIFY(contrastRatio(normal, s->get<QLineEdit>("EVal")->palette().color(QPalette::Base)) >=
                4.5);
    }
    void plotTellsTheNearestPoint()
    {
        auto *plot = s->get<PlotSurface>("Plot1");
        const auto pointAt = [&](int x) {
            QToolTip::hideText();
            for (int wait = 0; wait < 100 && QToolTip::isVisible(); ++wait)
                QTest::qWait(20);
            QHelpEvent help(QEvent::ToolTip, QPoint(x, 20), plot->mapToGlobal(QPoint(x, 20)));
            QApplication::sendEvent(plot, &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        QCOMPARE(pointAt(100), QString()); // nothing drawn yet
        s->choose("Plot2");
        const int right = PlotSurface::kBorder + plot->drawingSize().width() - 1;
        QCOMPARE(pointAt(right), "t = 0.098 msec: [E] 0.019, [ES] 0.98, [P] 0.086 (10^-9 M)");
        QCOMPARE(pointAt(0), "t = 0 msec: [E] 1, [ES] 0, [P] 0 (10^-9 M)");
        s->choose("Clear2");
        QCOMPARE(pointAt(right), QString());
    }
};

QTEST_MAIN(TestMainWindowTexts)
#include "tst_mainwindowtexts.moc"
