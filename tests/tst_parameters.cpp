// The main window's k2 and [S]0 lists and the Initial Parameters dialog, driven on the real windows
// with clicks and keys; the plot image, the boxes and the shared state read back.
#include "analysis/analysiswindow.h"
#include "params/inhibitorsection.h"
#include "params/parametersdialog.h"
#include "tests/documents.h"
#include "tests/mainwindow.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>

#include <optional>
#include <tuple>

using namespace enkin;
using namespace enkin::testing;

// A list choice or OK through the windows: the figures, the status messages, the slider, the plot
// and the Results boxes.
// `setup` holds field texts set beforehand; `expected` reads "kk2 S0 | km ttmax maxy" (maxy having
// been "9"), then the status messages given.
struct Apply {
    const char *name, *trigger;  // a list's name or "OK"
    int row, firstK2Row, slider; // firstK2Row: chosen before the setup, -1 for none
    const char *setup, *expected;
};
static const Apply kApplies[] = {
    {"k2 row 0", "k2list", 0, -1, 300, "", "0.1 1 | 1.1 0.059 9"},
    {"k2 row 1, k1 3", "k2list", 1, -1, 300, "kk1=3", "1 1 | 0.666666666666667 0.019 9"},
    // A handler that only follows index changes would skip this.
    {"k2 row 2 again after k1 3", "k2list", 2, 2, 300, "kk1=3", "10 1 | 3.66666666666667 0.019 9"},
    {"k2 row 2, slider at 1: no run", "k2list", 2, -1, 1, "E0=2.50", "10 1 | 11 0.054 9"},
    {"[S]0 row 0", "S0List", 0, -1, 300, "", "1.0 0.001 | 2 2.857 9"},
    // 0.1 + (1 + 0.1) is just above 1.2 in double precision; the quotient is floored.
    {"[S]0 row 0 after k2 row 0: 4.999", "S0List", 0, 0, 300, "", "0.1 0.001 | 1.1 4.999 9"},
    {"[S]0 row 10", "S0List", 10, -1, 300, "", "1.0 0.1 | 2 0.5 9"},
    {"[S]0 row 13, an ulp above 0.6, reads 0.6", "S0List", 13, -1, 300, "", "1.0 0.6 | 2 0.096 9"},
    {"[S]0 row 15", "S0List", 15, -1, 300, "", "1.0 1 | 2 0.058 9"},
    // A negative denominator gives a negative suggestion, floored and written as it is.
    {"negative suggestion", "S0List", 0, -1, 300, "kk1=1 kk3=-8", "1.0 0.001 | 2 -0.87 9"},
    {"OK on a fresh dialog, slider at 1", "OK", -1, -1, 1, "", "1.0 1 | 2 0.058 1"},
    {"OK: maxy gets the raw E0 text", "OK", -1, -1, 300, "E0=2.50", "1.0 1 | 2 0.058 2.50"},
    {"OK: k-1 2.5, k1 3", "OK", -1, -1, 300, "kk1=3 kk3=2.5", "1.0 1 | 1.16666666666667 0.019 1"},
    {"k1 0, k2 row 1: Km undefined", "k2list", 1, -1, 300, "kk1=0", "1 1 |  3 9 Km"},
    {"k1 0, k-1 -1, [S]0 row 15", "S0List", 15, -1, 300, "kk1=0 kk3=-1", "1.0 1 | 2 0.098 9 Time"},
    {"k1 0, k-1 -1, OK: neither", "OK", -1, -1, 300, "kk1=0 kk3=-1", "1.0 1 |  0.098 1 Km Time"},
};

class TestParameters : public QObject {
    Q_OBJECT

    std::optional<Window> s; // a new one for each test

    QComboBox *list(const QString &name) { return s->get<QComboBox>(name); }
    // The named texts, space-separated: the dialog's fields if a dialog is given, else the run
    // inputs' texts but the ttmax box, the lists' and the main window's boxes.
    QString read(const QString &names, Parameters *dialog = nullptr)
    {
        QStringList shown;
        for (const QString &name : names.split(' ')) {
            const auto in = RunInputs::fromName(name.toStdString());
            if (dialog)
                shown << dialog->findChild<QLineEdit *>(name)->text();
            else if (in && *in != RunInput::ttmax)
                shown << QString::fromStdString(s->state.inputs.get(*in));
            else
                shown << s->read(name);
        }
        return shown.join(' ');
    }
    Parameters *openDialog()
    {
        s->form.IP_Click();
        return s->form.findChild<Parameters *>();
    }
    // A click on the row in the list's pop-up, which also chooses the row already shown.
    void choose(const QString &listName, int row) { choose(list(listName), row); }
    void choose(QComboBox *combo, int row)
    {
        combo->showPopup();
        QTRY_VERIFY(combo->view()->isVisible());
        const QRect rect = combo->view()->visualRect(combo->model()->index(row, 0));
        QTest::mouseClick(combo->view()->viewport(), Qt::LeftButton, {}, rect.center());
        QTRY_VERIFY(!combo->view()->isVisible());
    }

private slots:
    void init()
    {
        s.emplace();
        QVERIFY(s->show());
    }

    void listsAfterFormLoadAndTypedText()
    {
        QComboBox *k2 = list("k2list"), *s0 = list("S0List");
        QVERIFY(!s->form.findChild<Parameters *>() && !s->state.inputs.dialogTextsPresent());
        // Text typed into a list chooses no row, even a row's own text; Tab moves the focus on.
        for (auto [combo, typed, finish] :
             {std::tuple{k2, "5", Qt::Key_Enter}, std::tuple{s0, "2.0x10^(-4)", Qt::Key_Tab}}) {
            combo->setFocus();
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo, typed);
            QCOMPARE(combo->currentText(), typed);
            QTest::keyClick(combo, finish);
            QTRY_VERIFY(finish != Qt::Key_Tab || !combo->hasFocus());
        }
        QCOMPARE(k2->currentIndex() + s0->currentIndex(), -2);
        QCOMPARE(read("km ttmax kk2 S0"), "2 0.098 1.0 1");
    }

    void choiceOrOk_data()
    {
        QTest::addColumn<int>("index");
        for (const Apply &a : kApplies)
            QTest::newRow(a.name) << int(&a - kApplies);
    }
    void choiceOrOk()
    {
        QFETCH(int, index);
        const Apply &a = kApplies[index];
        RunInputs &inputs = s->state.inputs;
        if (a.firstK2Row >= 0)
            choose("k2list", a.firstK2Row);
        s->slider()->setValue(a.slider);
        for (const char *name : {"ttt", "EVal", "ESVal", "SVal", "Vel"})
            s->get<QLineEdit>(name)->setText("x");
        s->get<QLineEdit>("maxy")->setText("9");
        for (const QString &set :
             (QString(a.setup) + " ES0=none P0=5").split(' ', Qt::SkipEmptyParts))
            inputs.set(*RunInputs::fromName(set.section('=', 0, 0).toStdString()),
                       set.section('=', 1).toStdString());
        const QImage before = s->image();
        const bool ok = a.trigger == QLatin1String("OK"), ran = a.slider != 1;
        if (ok)
            QTest::mouseClick(openDialog()->findChild<QPushButton *>("Accept"), Qt::LeftButton);
        else
            choose(a.trigger, a.row);

        const QString said = s->form.statusBar()->currentMessage();
        QCOMPARE(read("kk2 S0") + " | " + read("km ttmax maxy") +
                     (said.contains("Km is undefined") ? " Km" : "") +
                     (said.contains("No Maximum Time") ? " Time" : ""),
                 a.expected);
        // The slider goes back to 1, running and redrawing only if it moved. A list choice then
        // writes the parsed field texts to the Results boxes (Vel from P0); OK writes none, so
        // they show the new run at time 0, or what they had.
        QCOMPARE(s->slider()->value(), 1);
        QCOMPARE(s->image() != before, ran);
        const auto parsed = [&](RunInput in) { return QString::number(inputs.number(in)); };
        const QStringList results{ran ? "0" : "x", parsed(RunInput::E0), "0", parsed(RunInput::S0),
                                  ok ? "0" : "5"};
        QCOMPARE(read("ttt EVal ESVal SVal Vel"), ok && !ran ? "x x x x x" : results.join(' '));
        // The rate constants follow the fields.
        const RateSet &r = s->state.rateSet;
        QCOMPARE(QList<double>({r.k1, r.k2, r.kminus1}),
                 QList<double>({inputs.number(RunInput::kk1), inputs.number(RunInput::kk2),
                                inputs.number(RunInput::kk3)}));
    }

    void dialogLifecycle()
    {
        Parameters *dialog = openDialog();
        QVERIFY(dialog && dialog->isVisible() && !dialog->isModal());
        choose("k2list", 2);
        choose("S0List", 10);
        s->state.inputs.set(RunInput::E0, "7");
        QCOMPARE(read("kk2 S0 E0", dialog), "10 0.1 7"); // texts set by code show at once
        // Cancel only hides; what was typed stays and the next Plot runs with it.
        dialog->field(RunInput::kk1)->selectAll();
        QTest::keyClicks(dialog->field(RunInput::kk1), "5");
        QTest::mouseClick(dialog->findChild<QPushButton *>("QuitParam"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(s->form.findChild<Parameters *>() == dialog && !dialog->isVisible());
        s->form.Plot2_Click();
        QCOMPARE(s->state.rateSet.k1, 5.0);
        QCOMPARE(read("kk1", openDialog()), "5");
        // The close box discards the window and its texts; the main window keeps its own.
        const QString kept = read("km ttmax maxy");
        QVERIFY(dialog->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!s->form.findChild<Parameters *>());
        s->form.Plot2_Click();
        QCOMPARE(s->state.rateSet.k1 + s->state.rateSet.k2, 2.0);
        // The lists show the k2 and [S]0 the runs now use; km, ttmax and maxy keep their texts.
        QCOMPARE(read("k2list S0List km ttmax maxy"), "1.000 1.0x10^(-3) " + kept);
        dialog = openDialog();
        QCOMPARE(read("kk1 kk2", dialog), "1.0 1.0");
        // Default writes the default texts and the lists' texts, but chooses no row.
        QTest::mouseClick(dialog->findChild<QPushButton *>("Default"), Qt::LeftButton);
        const QString fields = "kk1 kk2 kk3 E0 ES0 S0 P0";
        QCOMPARE(read(fields, dialog) + " | " + read(fields), "1 1 1 1 0 1 0 | 1 1 1 1 0 1 0");
        QCOMPARE(read("k2list S0List km ttmax maxy"), "1.000 1.0x10^(-3) " + kept);
        QCOMPARE(list("k2list")->currentIndex() + list("S0List")->currentIndex(), 2 + 10);
    }

    void keyboardInTheDialog()
    {
        Parameters *dialog = openDialog();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTRY_COMPARE(QApplication::focusWidget(), dialog->field(RunInput::E0));
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(QApplication::focusWidget(), i < 9 ? Qt::Key_Tab : Qt::Key_Backtab);
            visited << QApplication::focusWidget()->objectName();
        }
        // The closed inhibitor section's fields are out of the chain; its button is in it.
        QCOMPARE(visited.join(' '),
                 "ES0 P0 kk3 kk1 Accept QuitParam Default InhibitorButton E0 InhibitorButton");
        // Enter and Esc press no button: OK and Cancel would hide the dialog, Default write "1".
        s->state.inputs.set(RunInput::E0, "2");
        for (const char *target : {"E0", "Accept", "QuitParam", "Default"})
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                QWidget *widget = dialog->findChild<QWidget *>(target);
                widget->setFocus();
                QTest::keyClick(widget, key);
                QVERIFY2(dialog->isVisible() && read("E0") == "2", target);
            }
    }

    // The inhibitor through the dialog: its section, type and [I]0 lists; the run's fourth
    // curve, key line and Results box; and back to none with Default.
    void inhibitorThroughTheDialog()
    {
        const int designHeight = s->form.height();
        Parameters *dialog = openDialog();
        auto *section = dialog->inhibitorSection();
        const int closed = dialog->height();
        QVERIFY(section->isHidden());
        QTest::mouseClick(dialog->findChild<QPushButton *>("InhibitorButton"), Qt::LeftButton);
        QVERIFY(section->isVisible() && dialog->height() >= closed + section->height());

        choose(section->typeList(), 1); // uncompetitive: binds ES only
        QCOMPARE(read("kk4 kk5 kk6 kk7", dialog), "0 1 1 1");
        QVERIFY(!dialog->field(RunInput::kk4)->isEnabled() &&
                dialog->field(RunInput::kk7)->isEnabled());
        QTest::keyClicks(dialog->field(RunInput::kk7), "4", Qt::NoModifier); // k-4 14
        choose(section->i0List(), 3);
        // 2 aKi = 2 k-4 / k4 = 2 (14e3 / s) / (1e8 / M / s) = 2.8e-4 M, in 10^-3 M.
        QCOMPARE(read("I0", dialog), "0.28");
        QCOMPARE(section->i0List()->currentText(), "2 αKi");
        QTest::mouseClick(dialog->findChild<QPushButton *>("Accept"), Qt::LeftButton);

        // A long run: ES and ESI exchange at k4 [I] + k-4 = 42 per ms.
        s->type("ttmax", "1");
        QVERIFY(s->get("EIVal")->isHidden());
        s->slider()->setValue(600);
        QVERIFY(s->get("EIVal")->isVisible() && s->get("Line5")->isVisible());
        QTRY_VERIFY(s->form.height() > designHeight); // a row taller
        // At equilibrium [ESI] = [ES] [I] / aKi, [I] the free inhibitor, here [I]0 - [ESI].
        const double es = s->read("ESVal").toDouble(), bound = s->read("EIVal").toDouble();
        QVERIFY2(std::abs(bound / es - 0.28 / 0.14) < 0.01, qPrintable(s->results()));
        QVERIFY(countColour(s->image(), PlotSurface::paletteColor(2).rgb()) > 100);
        QTest::mouseClick(s->get<QPushButton>("Command1"), Qt::LeftButton);
        QCOMPARE(s->state.dataLog.SavedRun[1].start.inhibitor.i0, 0.28);

        dialog = openDialog();
        QTest::mouseClick(dialog->findChild<QPushButton *>("Default"), Qt::LeftButton);
        QCOMPARE(read("I0 kk4 kk5 kk6 kk7", dialog), "0 1 1 0 1");
        QTest::mouseClick(dialog->findChild<QPushButton *>("Accept"), Qt::LeftButton);
        s->slider()->setValue(300);
        QVERIFY(s->get("EIVal")->isHidden());
        QCOMPARE(countColour(s->image(), PlotSurface::paletteColor(2).rgb()), 0);
        QTRY_COMPARE(s->form.height(), designHeight); // and back, the controls where they were
    }

    // Tutorial exercise 7 as a student does it: for each type, four [I]0 from the dialog's list,
    // five [S]0 from the main window's, each read at the end of the run; then the Analysis.
    void exerciseSeven()
    {
        struct Type {
            int row;
            const char *kminus4; // typed into k-4, or nothing
            const char *sentence, *found;
        } types[] = {{0, "", "competitive inhibition", "Ki = 1.01"},
                     {1, "", "uncompetitive inhibition", "αKi = 1.00"},
                     {2, "4", "mixed inhibition", "Ki = 1.00, αKi = 4.04"}};
        QStringList velocities, found;
        for (const Type &type : types) {
            Parameters *dialog = openDialog();
            QTest::mouseClick(dialog->findChild<QPushButton *>("Default"), Qt::LeftButton);
            if (dialog->inhibitorSection()->isHidden())
                QTest::mouseClick(dialog->findChild<QPushButton *>("InhibitorButton"),
                                  Qt::LeftButton);
            choose(dialog->inhibitorSection()->typeList(), type.row);
            if (*type.kminus4) {
                dialog->field(RunInput::kk7)->selectAll();
                QTest::keyClicks(dialog->field(RunInput::kk7), type.kminus4);
            }
            for (int level : {0, 2, 3, 4}) { // 0, 1, 2 and 3 Ki
                choose(openDialog()->inhibitorSection()->i0List(), level);
                QTest::mouseClick(dialog->findChild<QPushButton *>("Accept"), Qt::LeftButton);
                for (int row : {5, 6, 7, 8, 10}) {
                    choose("S0List", row);
                    QTest::keyClick(s->slider(), Qt::Key_End);
                    if ((level == 0 || level == 2) && (row == 6 || row == 10))
                        velocities << s->read("Vel");
                    QTest::mouseClick(s->get<QPushButton>("Command1"), Qt::LeftButton);
                }
            }
            QCOMPARE(s->state.dataLog.SavedCount, 20);
            s->choose("Analyse");
            auto *analysis = s->form.findChild<AnalysisWindow *>();
            // Each reading says its level: the eleventh is the first at 2 Ki.
            QVERIFY(analysis->findChild<QTableWidget *>("readingsTable")
                        ->item(10, 5)
                        ->text()
                        .contains("[I]₀ = 2e-05 M"));
            const QString results =
                QTextDocumentFragment::fromHtml(analysis->resultsHtml()).toPlainText().simplified();
            QVERIFY2(results.contains("The readings show " + QString(type.sentence)),
                     qPrintable(results));
            // The chosen law's constants, read off their rows to three digits.
            QStringList constants;
            for (const char *name : {"Ki", "αKi"}) {
                const QRegularExpression row(
                    QStringLiteral("(?:^|\\s)%1 (\\d\\.\\d+) \\(").arg(name));
                const auto match = row.match(results);
                if (match.hasMatch() &&
                    QString(" " + QString(type.found)).contains(QString(" ") + name + " ="))
                    constants << QStringLiteral("%1 = %2").arg(name).arg(
                        match.captured(1).toDouble(), 0, 'f', 2);
            }
            found << constants.join(", ");
            QCOMPARE(found.last(), QString(type.found));
            s->choose("ClearData");
        }
        // Without inhibitor at [S]0 = 2e-5 and 1e-4 M, and each type at [I]0 = Ki.
        QCOMPARE(velocities.join(' '), "0.498 0.831 0.333 0.714 0.498 0.831 0.333 0.454 "
                                       "0.498 0.831 0.307 0.606");
        const Claims claims{
            {"reads 0.498 and at 1 x 10-4 M 0.831", "„0.498“ und bei 1 x 10-4 M „0.831“"},
            {"brings them to 0.333 and 0.714", "bringt sie auf „0.333“ und „0.714“"},
            {"the uncompetitive one to 0.333 and 0.454",
             "der unkompetitive auf „0.333“ und „0.454“"},
            {"the mixed one to 0.307 and 0.606", "der gemischte auf „0.307“ und „0.606“"},
            {"Ki = 1.01 x 10-5 M for the competitive inhibitor",
             "Ki = 1,01 x 10-5 M für den kompetitiven Inhibitor"},
            {"αKi = 1.00 x 10-5 M for the uncompetitive one",
             "αKi = 1,00 x 10-5 M für den unkompetitiven"},
            {"Ki = 1.00 x 10-5 M with αKi = 4.04 x 10-5 M for the mixed one",
             "Ki = 1,00 x 10-5 M mit αKi = 4,04 x 10-5 M für den gemischten"}};
        QCOMPARE(missingClaims(ENKIN_DOCS_DIR, "tutorial.html", claims), QString());
    }
};

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
