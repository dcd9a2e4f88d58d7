// The main window's k2 and [S]0 lists and the Initial Parameters dialog, driven on the real
// windows: choices made with the keyboard, the lists' pop-ups and the slots, buttons clicked,
// texts typed, and the plot image, the boxes and the shared state read back.
#include "app/enkinform.h"
#include "app/module1.h"
#include "params/choices.h"
#include "params/parametersdialog.h"
#include "views/plotsurface.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

#include <cmath>
#include <memory>

using namespace enkin;

namespace {

// How a row of a list is chosen.
enum class Via {
    Slot,  // the handler called as the main window's dispatch does
    Keys,  // arrow keys on the focused list, one choice per key press
    Popup, // a click on the row in the list's pop-up
};

struct App {
    Module1 state;
    EnkinForm form{state};
};

QString text(RunInputs &inputs, RunInput input)
{
    return QString::fromStdString(inputs.get(input));
}

} // namespace

Q_DECLARE_METATYPE(Via)

class TestParameters : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void formLoadFillsTheListsAndChoosesNoRow();
    void choice_data();
    void choice();
    void substrateRow13IsOneUlpAboveSixTenthsAndReadsAsIt();
    void choosingTheShownRowAgainRepeatsEveryStep();
    void typedListTextHasNoEffect_data();
    void typedListTextHasNoEffect();
    void sliderRunsOnlyWhenItMoves_data();
    void sliderRunsOnlyWhenItMoves();
    void zeroDenominators_data();
    void zeroDenominators();

    void dialogLifecycle();
    void closeBoxDiscardsEveryTextButTheMainWindowKeepsItsOwn();
    void cancelKeepsTypedValuesForTheNextPlot();
    void enterAndEscPressNoButton_data();
    void enterAndEscPressNoButton();
    void defaultWritesTextsWithoutChoosingARow();
    void okApplies_data();
    void okApplies();
    void focusOrder();
    void textsSetByCodeShowInTheDialogAtOnce();
    void dialogLayoutNeitherClipsNorOverlaps();

private:
    QComboBox *list(const char *name) const
    {
        return m_app->form.findChild<QComboBox *>(QLatin1String(name));
    }
    QLineEdit *box(const char *name) const
    {
        return m_app->form.findChild<QLineEdit *>(QLatin1String(name));
    }
    QScrollBar *slider() const
    {
        return m_app->form.findChild<QScrollBar *>(QStringLiteral("HScroll1"));
    }
    PlotSurface *plot() const
    {
        return m_app->form.findChild<PlotSurface *>(QStringLiteral("Plot1"));
    }
    QString status() const { return m_app->form.statusBar()->currentMessage(); }
    RunInputs &inputs() { return m_app->state.inputs; }

    void choose(const char *listName, int row, Via via);
    Parameters *openDialog();
    QPushButton *button(Parameters *dialog, const char *name) const
    {
        return dialog->findChild<QPushButton *>(QLatin1String(name));
    }
    static void retype(QLineEdit *edit, const QString &newText);

    std::unique_ptr<App> m_app;
};

void TestParameters::init()
{
    m_app = std::make_unique<App>();
    m_app->form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_app->form));
}

void TestParameters::cleanup()
{
    m_app.reset();
}

void TestParameters::choose(const char *listName, int row, Via via)
{
    QComboBox *combo = list(listName);
    QVERIFY(combo);
    QSignalSpy activated(combo, &QComboBox::activated);
    switch (via) {
    case Via::Slot:
        if (combo == list("k2list"))
            m_app->form.k2list_Click(row);
        else
            m_app->form.S0List_Click(row);
        return;
    case Via::Keys: {
        const int from = combo->currentIndex();
        QVERIFY2(from != row, "the arrow keys cannot choose the row already shown");
        const Qt::Key key = row > from ? Qt::Key_Down : Qt::Key_Up;
        for (int i = 0; i < std::abs(row - from); ++i)
            QTest::keyClick(combo, key);
        QCOMPARE(activated.size(), std::abs(row - from));
        break;
    }
    case Via::Popup: {
        combo->showPopup();
        QAbstractItemView *view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const QModelIndex index = combo->model()->index(row, 0);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QTRY_COMPARE(activated.size(), 1);
        QTRY_VERIFY(!view->isVisible());
        break;
    }
    }
    QCOMPARE(activated.constLast().at(0).toInt(), row);
    QCOMPARE(combo->currentIndex(), row);
}

Parameters *TestParameters::openDialog()
{
    m_app->form.IP_Click();
    return m_app->form.parametersDialog();
}

void TestParameters::retype(QLineEdit *edit, const QString &newText)
{
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, newText);
    QCOMPARE(edit->text(), newText);
}

void TestParameters::formLoadFillsTheListsAndChoosesNoRow()
{
    const QStringList k2Rows{"0.100", "1.000", "10.000"};
    const QStringList s0Rows{"1.0x10^(-6)", "2.0x10^(-6)", "4.0x10^(-6)", "6.0x10^(-6)",
                             "8.0x10^(-6)", "1.0x10^(-5)", "2.0x10^(-5)", "4.0x10^(-5)",
                             "6.0x10^(-5)", "8.0x10^(-5)", "1.0x10^(-4)", "2.0x10^(-4)",
                             "4.0x10^(-4)", "6.0x10^(-4)", "8.0x10^(-4)", "1.0x10^(-3)"};
    QComboBox *k2 = list("k2list");
    QComboBox *s0 = list("S0List");
    QVERIFY(k2 && s0);
    QStringList shown;
    for (int i = 0; i < k2->count(); ++i)
        shown << k2->itemText(i);
    QCOMPARE(shown, k2Rows);
    shown.clear();
    for (int i = 0; i < s0->count(); ++i)
        shown << s0->itemText(i);
    QCOMPARE(shown, s0Rows);

    QCOMPARE(k2->currentIndex(), -1);
    QCOMPARE(s0->currentIndex(), -1);
    QCOMPARE(k2->currentText(), QStringLiteral("1.00"));
    QCOMPARE(s0->currentText(), QStringLiteral("1.0x10^(-3)"));
    QCOMPARE(k2->toolTip(), QStringLiteral("Click to select k2"));
    QCOMPARE(s0->toolTip(), QStringLiteral("Click to select Substrate Concentration"));
    QCOMPARE(box("km")->text(), QStringLiteral("2"));
    QCOMPARE(box("km")->toolTip(), QStringLiteral("Michaelis Menten Constant"));
    QCOMPARE(box("ttmax")->text(), QStringLiteral("0.098"));

    // Start-up fills the lists and nothing else: no dialog and no dialog texts yet.
    QVERIFY(!m_app->form.parametersDialog());
    QVERIFY(!inputs().dialogTextsPresent());
}

void TestParameters::choice_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("kk1");
    QTest::addColumn<int>("k2First"); // a k2 row chosen beforehand, -1 for none
    QTest::addColumn<Via>("via");
    QTest::addColumn<QString>("field"); // kk2 or S0, whichever the list writes
    QTest::addColumn<QString>("km");
    QTest::addColumn<QString>("ttmax");

    struct Case {
        const char *name, *listName;
        int row;
        const char *kk1;
        int k2First;
        const char *field, *km, *ttmax;
    };
    const Case cases[] = {
        {"k2 row 0 with the initial texts", "k2list", 0, "", -1, "0.1", "1.1", "0.059"},
        {"k2 row 1 with the initial texts", "k2list", 1, "", -1, "1", "2", "0.058"},
        {"k2 row 2 with the initial texts", "k2list", 2, "", -1, "10", "11", "0.054"},
        {"k2 row 1 with k1 3: Km to fifteen digits, not cut", "k2list", 1, "3", -1, "1",
         "0.666666666666667", "0.019"},
        {"[S]0 row 0 with the initial texts", "S0List", 0, "", -1, "0.001", "2", "2.857"},
        {"[S]0 row 10 with the initial texts", "S0List", 10, "", -1, "0.1", "2", "0.5"},
        {"[S]0 row 15 with the initial texts", "S0List", 15, "", -1, "1", "2", "0.058"},
        // 0.1 + (1 + 0.1) is just above 1.2 in double precision; the quotient is floored.
        {"[S]0 row 0 after k2 row 0: 4.999, not 5", "S0List", 0, "", 0, "0.001", "1.1", "4.999"},
        {"[S]0 row 13 reads 0.6", "S0List", 13, "", -1, "0.6", "2", "0.096"},
        // Km does not depend on [S]0: a k1 typed since the last Km display is not shown.
        {"[S]0 row 15 leaves Km alone", "S0List", 15, "3", -1, "1", "2", "0.019"},
    };
    const std::pair<Via, const char *> vias[] = {
        {Via::Slot, "slot"}, {Via::Keys, "arrow keys"}, {Via::Popup, "pop-up"}};
    for (const Case &c : cases)
        for (const auto &[via, how] : vias)
            QTest::addRow("%s (%s)", c.name, how)
                << c.listName << c.row << c.kk1 << c.k2First << via << c.field << c.km << c.ttmax;
}

void TestParameters::choice()
{
    QFETCH(QString, listName);
    QFETCH(int, row);
    QFETCH(QString, kk1);
    QFETCH(int, k2First);
    QFETCH(Via, via);
    QFETCH(QString, field);
    QFETCH(QString, km);
    QFETCH(QString, ttmax);

    if (!kk1.isEmpty())
        inputs().set(RunInput::kk1, kk1.toStdString());
    if (k2First >= 0)
        m_app->form.k2list_Click(k2First);
    const bool isK2 = listName == QLatin1String("k2list");
    choose(isK2 ? "k2list" : "S0List", row, via);
    if (QTest::currentTestFailed())
        return;

    const RunInput written = isK2 ? RunInput::kk2 : RunInput::S0;
    QCOMPARE(text(inputs(), written), field);
    QCOMPARE(box("km")->text(), km);
    QCOMPARE(box("ttmax")->text(), ttmax);
    QCOMPARE(text(inputs(), RunInput::ttmax), ttmax);

    // The rate constants are refreshed from the fields.
    const RateSet &r = m_app->state.rateSet;
    QCOMPARE(r.k1, inputs().number(RunInput::kk1));
    QCOMPARE(r.k2, inputs().number(RunInput::kk2));
    QCOMPARE(r.kminus1, inputs().number(RunInput::kk3));
    if (isK2)
        QCOMPARE(r.k2, k2RowValue(row));

    if (via != Via::Slot) {
        const QString rowText = list(isK2 ? "k2list" : "S0List")->itemText(row);
        QCOMPARE(list(isK2 ? "k2list" : "S0List")->currentText(), rowText);
    }
}

void TestParameters::substrateRow13IsOneUlpAboveSixTenthsAndReadsAsIt()
{
    QCOMPARE(s0RowValue(13), std::nextafter(0.6, 1.0));
    QVERIFY(s0RowValue(13) != 0.6);
    choose("S0List", 13, Via::Keys);
    QCOMPARE(text(inputs(), RunInput::S0), QStringLiteral("0.6"));
}

void TestParameters::choosingTheShownRowAgainRepeatsEveryStep()
{
    choose("k2list", 2, Via::Popup);
    QCOMPARE(box("km")->text(), QStringLiteral("11"));

    inputs().set(RunInput::kk1, "3");
    inputs().set(RunInput::kk2, "7");
    inputs().set(RunInput::ttmax, "9");
    inputs().set(RunInput::P0, "4");
    choose("k2list", 2, Via::Popup);
    QCOMPARE(text(inputs(), RunInput::kk2), QStringLiteral("10"));
    QCOMPARE(box("km")->text(), QStringLiteral("3.66666666666667"));
    QCOMPARE(box("ttmax")->text(), QStringLiteral("0.019"));
    QCOMPARE(box("Vel")->text(), QStringLiteral("4"));
    QCOMPARE(m_app->state.rateSet.k1, 3.0);
}

void TestParameters::typedListTextHasNoEffect_data()
{
    QTest::addColumn<QString>("listName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("finish"); // the key that ends the typing, 0 for focus moving away
    QTest::addColumn<bool>("rowText");

    QTest::newRow("k2: a row text, then Return") << "k2list"
                                                 << "10.000" << int(Qt::Key_Return) << true;
    QTest::newRow("k2: a row text, then Enter") << "k2list"
                                                << "10.000" << int(Qt::Key_Enter) << true;
    QTest::newRow("k2: a row text, then focus moves") << "k2list"
                                                      << "0.100" << 0 << true;
    QTest::newRow("k2: a number of no row, then Return") << "k2list"
                                                         << "5" << int(Qt::Key_Return) << false;
    QTest::newRow("[S]0: a row text, then Return") << "S0List"
                                                   << "1.0x10^(-4)" << int(Qt::Key_Return) << true;
    QTest::newRow("[S]0: a row text, then focus moves") << "S0List"
                                                        << "2.0x10^(-4)" << 0 << true;
}

void TestParameters::typedListTextHasNoEffect()
{
    QFETCH(QString, listName);
    QFETCH(QString, typed);
    QFETCH(int, finish);

    QComboBox *combo = list(listName.toLatin1().constData());
    m_app->form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_app->form));
    combo->setFocus();
    QTRY_VERIFY(combo->hasFocus());
    QSignalSpy activated(combo, &QComboBox::activated);

    combo->lineEdit()->selectAll();
    QTest::keyClicks(combo, typed);
    QCOMPARE(combo->currentText(), typed);
    if (finish)
        QTest::keyClick(combo, Qt::Key(finish));
    else {
        box("ttmax")->setFocus();
        QTRY_VERIFY(!combo->hasFocus());
    }

    QCOMPARE(activated.size(), 0);
    QCOMPARE(combo->currentIndex(), -1);
    QCOMPARE(box("km")->text(), QStringLiteral("2"));
    QCOMPARE(box("ttmax")->text(), QStringLiteral("0.098"));
    QCOMPARE(text(inputs(), RunInput::kk2), QStringLiteral("1.0"));
    QCOMPARE(text(inputs(), RunInput::S0), QStringLiteral("1"));
}

void TestParameters::sliderRunsOnlyWhenItMoves_data()
{
    QTest::addColumn<QString>("trigger"); // "k2list", "S0List" or "OK"
    QTest::addColumn<int>("position");    // where the slider stands before
    QTest::addColumn<bool>("redrawn");
    QTest::addColumn<QString>("ttt");
    QTest::addColumn<QString>("EVal");
    QTest::addColumn<QString>("ESVal");
    QTest::addColumn<QString>("SVal");
    QTest::addColumn<QString>("Vel");

    // The fields hold E0 "2.50", ES0 "none", S0 "1" and P0 "5" when the choice is made. A list
    // choice ends with the parsed field texts in the Results boxes, even where the slider
    // handler has just filled them: Vel shows P0, not a velocity.
    QTest::newRow("k2 choice, slider at 300: moves to 1 and redraws")
        << "k2list" << 300 << true << "0"
        << "2.5"
        << "0"
        << "1"
        << "5";
    QTest::newRow("k2 choice, slider at 1: nothing redrawn") << "k2list" << 1 << false << "earlier"
                                                             << "2.5"
                                                             << "0"
                                                             << "1"
                                                             << "5";
    QTest::newRow("[S]0 choice, slider at 300: moves to 1 and redraws")
        << "S0List" << 300 << true << "0"
        << "2.5"
        << "0"
        << "1"
        << "5";
    QTest::newRow("[S]0 choice, slider at 1: nothing redrawn")
        << "S0List" << 1 << false << "earlier"
        << "2.5"
        << "0"
        << "1"
        << "5";
    // OK writes no Results box: at 300 they show the new run at time 0, at 1 what they had.
    QTest::newRow("OK, slider at 300: moves to 1 and redraws") << "OK" << 300 << true << "0"
                                                               << "2.5"
                                                               << "0"
                                                               << "1"
                                                               << "0";
    QTest::newRow("OK, slider at 1: nothing redrawn") << "OK" << 1 << false << "earlier"
                                                      << "earlier"
                                                      << "earlier"
                                                      << "earlier"
                                                      << "earlier";
}

void TestParameters::sliderRunsOnlyWhenItMoves()
{
    QFETCH(QString, trigger);
    QFETCH(int, position);
    QFETCH(bool, redrawn);
    QFETCH(QString, ttt);
    QFETCH(QString, EVal);
    QFETCH(QString, ESVal);
    QFETCH(QString, SVal);
    QFETCH(QString, Vel);

    m_app->form.Plot2_Click();
    if (position != 1) {
        slider()->setValue(position);
        QCOMPARE(box("ttt")->text(), QStringLiteral("0.048"));
    }
    for (const char *name : {"ttt", "EVal", "ESVal", "SVal", "Vel"})
        box(name)->setText(QStringLiteral("earlier"));
    inputs().set(RunInput::E0, "2.50");
    inputs().set(RunInput::ES0, "none");
    inputs().set(RunInput::P0, "5");
    const QImage before = plot()->image().copy();

    if (trigger == QLatin1String("OK")) {
        Parameters *dialog = openDialog();
        QTest::mouseClick(button(dialog, "Accept"), Qt::LeftButton);
    } else {
        choose(trigger == QLatin1String("k2list") ? "k2list" : "S0List",
               trigger == QLatin1String("k2list") ? 2 : 15, Via::Keys);
    }

    QCOMPARE(slider()->value(), 1);
    QCOMPARE(plot()->image() != before, redrawn);
    QCOMPARE(box("ttt")->text(), ttt);
    QCOMPARE(box("EVal")->text(), EVal);
    QCOMPARE(box("ESVal")->text(), ESVal);
    QCOMPARE(box("SVal")->text(), SVal);
    QCOMPARE(box("Vel")->text(), Vel);
    if (redrawn)
        QCOMPARE(m_app->state.trajectory.EConc[1], 2.5);
}

void TestParameters::zeroDenominators_data()
{
    QTest::addColumn<QString>("kk1");
    QTest::addColumn<QString>("kk3");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("km");
    QTest::addColumn<QString>("ttmax");
    QTest::addColumn<bool>("kmUndefined");
    QTest::addColumn<bool>("noSuggestion");

    QTest::newRow("k1 0, k2 row 1: Km undefined") << "0"
                                                  << "1"
                                                  << "k2list" << 1 << ""
                                                  << "3" << true << false;
    QTest::newRow("k1 0, OK: Km undefined") << "0"
                                            << "1"
                                            << "OK" << -1 << ""
                                            << "3" << true << false;
    QTest::newRow("k1 0 and k-1 = -k2, k2 row 1: no suggestion either") << "0"
                                                                        << "-1"
                                                                        << "k2list" << 1 << ""
                                                                        << "0.098" << true << true;
    QTest::newRow("k1 0 and k-1 = -k2, [S]0 row 15: no suggestion, Km untouched")
        << "0"
        << "-1"
        << "S0List" << 15 << "2"
        << "0.098" << false << true;
    QTest::newRow("k1 0 and k-1 = -k2, OK: neither") << "0"
                                                     << "-1"
                                                     << "OK" << -1 << ""
                                                     << "0.098" << true << true;
    // A negative denominator gives a negative suggestion, floored and written as it is.
    QTest::newRow("negative suggestion, [S]0 row 0") << "1"
                                                     << "-8"
                                                     << "S0List" << 0 << "2"
                                                     << "-0.87" << false << false;
    QTest::newRow("negative suggestion, k2 row 0, k1 0") << "0"
                                                         << "-8"
                                                         << "k2list" << 0 << ""
                                                         << "-0.76" << true << false;
}

void TestParameters::zeroDenominators()
{
    QFETCH(QString, kk1);
    QFETCH(QString, kk3);
    QFETCH(QString, trigger);
    QFETCH(int, row);
    QFETCH(QString, km);
    QFETCH(QString, ttmax);
    QFETCH(bool, kmUndefined);
    QFETCH(bool, noSuggestion);

    slider()->setValue(300);
    inputs().set(RunInput::kk1, kk1.toStdString());
    inputs().set(RunInput::kk3, kk3.toStdString());
    inputs().set(RunInput::P0, "5");
    box("maxy")->setText(QStringLiteral("7"));

    if (trigger == QLatin1String("OK")) {
        Parameters *dialog = openDialog();
        QTest::mouseClick(button(dialog, "Accept"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(box("maxy")->text(), QStringLiteral("1"));
    } else {
        // The pop-up, so that no other row is chosen on the way.
        choose(trigger == QLatin1String("k2list") ? "k2list" : "S0List", row, Via::Popup);
        // Everything else in the handler still happens.
        QCOMPARE(box("Vel")->text(), QStringLiteral("5"));
    }
    QCOMPARE(box("km")->text(), km);
    QCOMPARE(box("ttmax")->text(), ttmax);
    QCOMPARE(slider()->value(), 1);

    const QString said = status();
    QCOMPARE(said.contains(QLatin1String("Km")) && said.contains(QLatin1String("undefined")),
             kmUndefined);
    QCOMPARE(said.contains(QLatin1String("Maximum Time")) &&
                 said.contains(QLatin1String("suggest"), Qt::CaseInsensitive),
             noSuggestion);
}

void TestParameters::dialogLifecycle()
{
    QVERIFY(!m_app->form.parametersDialog());
    // The texts exist without the window.
    QCOMPARE(text(inputs(), RunInput::kk1), QStringLiteral("1.0"));

    Parameters *dialog = openDialog();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QPointer<Parameters> watch(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Parameters"));
    QCOMPARE(dialog->field(RunInput::kk1)->text(), QStringLiteral("1.0"));

    // Modeless: the main window stays usable while the dialog is shown.
    QVERIFY(!dialog->isModal());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    retype(dialog->field(RunInput::E0), QStringLiteral("3"));
    m_app->form.IP_Click();
    QCOMPARE(m_app->form.parametersDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->field(RunInput::E0)->text(), QStringLiteral("3"));

    QTest::mouseClick(button(dialog, "QuitParam"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_app->form.parametersDialog(), dialog);

    m_app->form.IP_Click();
    QVERIFY(dialog->isVisible());
    QTest::mouseClick(button(dialog, "Accept"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(m_app->form.parametersDialog(), dialog);
    QCOMPARE(text(inputs(), RunInput::E0), QStringLiteral("3"));

    m_app->form.IP_Click();
    QVERIFY(dialog->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!watch);
    QVERIFY(!m_app->form.parametersDialog());
    QCOMPARE(text(inputs(), RunInput::E0), QStringLiteral("1"));

    dialog = openDialog();
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->field(RunInput::E0)->text(), QStringLiteral("1"));
}

void TestParameters::closeBoxDiscardsEveryTextButTheMainWindowKeepsItsOwn()
{
    choose("k2list", 2, Via::Keys);
    Parameters *dialog = openDialog();
    QCOMPARE(dialog->field(RunInput::kk2)->text(), QStringLiteral("10"));
    retype(dialog->field(RunInput::kk1), QStringLiteral("5"));
    QVERIFY(dialog->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_app->form.parametersDialog());

    m_app->form.Plot2_Click();
    QCOMPARE(m_app->state.rateSet.k2, 1.0);
    QCOMPARE(m_app->state.rateSet.k1, 1.0);
    QCOMPARE(list("k2list")->currentText(), QStringLiteral("10.000"));
    QCOMPARE(box("km")->text(), QStringLiteral("11"));
    QCOMPARE(box("ttmax")->text(), QStringLiteral("0.054"));

    dialog = openDialog();
    QCOMPARE(dialog->field(RunInput::kk1)->text(), QStringLiteral("1.0"));
    QCOMPARE(dialog->field(RunInput::kk2)->text(), QStringLiteral("1.0"));
}

void TestParameters::cancelKeepsTypedValuesForTheNextPlot()
{
    Parameters *dialog = openDialog();
    QLineEdit *kk1 = dialog->field(RunInput::kk1);
    kk1->selectAll();
    QTest::keyClicks(kk1, QStringLiteral("5"));
    QCOMPARE(kk1->text(), QStringLiteral("5"));
    QTest::mouseClick(button(dialog, "QuitParam"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());

    m_app->form.Plot2_Click();
    QCOMPARE(m_app->state.rateSet.k1, 5.0);

    m_app->form.IP_Click();
    QCOMPARE(m_app->form.parametersDialog(), dialog);
    QCOMPARE(dialog->field(RunInput::kk1)->text(), QStringLiteral("5"));
}

void TestParameters::enterAndEscPressNoButton_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("key");

    const std::pair<int, const char *> keys[] = {
        {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}, {Qt::Key_Escape, "Esc"}};
    for (const char *target : {"E0", "kk1", "Accept", "QuitParam", "Default"})
        for (const auto &[key, keyName] : keys)
            QTest::addRow("%s on %s", keyName, target) << target << key;
}

void TestParameters::enterAndEscPressNoButton()
{
    QFETCH(QString, target);
    QFETCH(int, key);

    Parameters *dialog = openDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QPointer<Parameters> watch(dialog);
    retype(dialog->field(RunInput::E0), QStringLiteral("2"));
    box("maxy")->setText(QStringLiteral("7"));
    QSignalSpy accepted(dialog, &Parameters::accepted);
    QSignalSpy defaults(dialog, &Parameters::defaultsWritten);

    QWidget *widget = dialog->findChild<QWidget *>(target);
    QVERIFY(widget);
    widget->setFocus();
    QTRY_VERIFY(widget->hasFocus());
    QTest::keyClick(widget, Qt::Key(key));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(watch);
    QVERIFY(dialog->isVisible());
    QCOMPARE(accepted.size(), 0);
    QCOMPARE(defaults.size(), 0);
    QCOMPARE(text(inputs(), RunInput::E0), QStringLiteral("2"));
    QCOMPARE(text(inputs(), RunInput::kk1), QStringLiteral("1.0"));
    QCOMPARE(box("maxy")->text(), QStringLiteral("7"));
}

void TestParameters::defaultWritesTextsWithoutChoosingARow()
{
    choose("k2list", 2, Via::Keys);
    choose("S0List", 10, Via::Keys);
    Parameters *dialog = openDialog();
    retype(dialog->field(RunInput::kk1), QStringLiteral("3"));
    retype(dialog->field(RunInput::E0), QStringLiteral("7"));
    retype(dialog->field(RunInput::P0), QStringLiteral("2"));
    retype(box("maxy"), QStringLiteral("4"));
    const QString km = box("km")->text(), ttmax = box("ttmax")->text();
    const RateSet rates = m_app->state.rateSet;
    QSignalSpy k2Chosen(list("k2list"), &QComboBox::activated);
    QSignalSpy s0Chosen(list("S0List"), &QComboBox::activated);

    QTest::mouseClick(button(dialog, "Default"), Qt::LeftButton);

    const std::pair<RunInput, const char *> defaults[] = {
        {RunInput::kk1, "1"}, {RunInput::kk2, "1"}, {RunInput::kk3, "1"}, {RunInput::E0, "1"},
        {RunInput::ES0, "0"}, {RunInput::S0, "1"},  {RunInput::P0, "0"}};
    for (const auto &[input, expected] : defaults) {
        QCOMPARE(dialog->field(input)->text(), QLatin1String(expected));
        QCOMPARE(text(inputs(), input), QLatin1String(expected));
    }
    QCOMPARE(list("k2list")->currentText(), QStringLiteral("1.000"));
    QCOMPARE(list("S0List")->currentText(), QStringLiteral("1.0x10^(-3)"));
    QCOMPARE(list("k2list")->currentIndex(), 2);
    QCOMPARE(list("S0List")->currentIndex(), 10);
    QCOMPARE(k2Chosen.size(), 0);
    QCOMPARE(s0Chosen.size(), 0);
    QCOMPARE(box("km")->text(), km);
    QCOMPARE(box("ttmax")->text(), ttmax);
    QCOMPARE(box("maxy")->text(), QStringLiteral("4"));
    QCOMPARE(m_app->state.rateSet.k1, rates.k1);
    QCOMPARE(m_app->state.rateSet.k2, rates.k2);
    QVERIFY(dialog->isVisible());

    // Default then Cancel: the next Plot uses the default values.
    QTest::mouseClick(button(dialog, "QuitParam"), Qt::LeftButton);
    m_app->form.Plot2_Click();
    QCOMPARE(m_app->state.rateSet.k1, 1.0);
    QCOMPARE(m_app->state.rateSet.k2, 1.0);
    QCOMPARE(m_app->state.trajectory.EConc[1], 1.0);
    QCOMPARE(m_app->state.trajectory.SConc[1], 1.0);
    QCOMPARE(box("km")->text(), km);
}

void TestParameters::okApplies_data()
{
    QTest::addColumn<QString>("kk1");
    QTest::addColumn<QString>("kk3");
    QTest::addColumn<QString>("E0");
    QTest::addColumn<double>("k1");
    QTest::addColumn<double>("kminus1");
    QTest::addColumn<double>("EConc1");
    QTest::addColumn<QString>("km");
    QTest::addColumn<QString>("ttmax");
    QTest::addColumn<QString>("maxy");

    QTest::newRow("fresh dialog") << ""
                                  << ""
                                  << "" << 1.0 << 1.0 << 1.0 << "2"
                                  << "0.058"
                                  << "1";
    QTest::newRow("E0 2.50: maxy gets the text as typed") << ""
                                                          << ""
                                                          << "2.50" << 1.0 << 1.0 << 2.5 << "2"
                                                          << "0.058"
                                                          << "2.50";
    QTest::newRow("E0 not a number: maxy gets it all the same")
        << ""
        << ""
        << "lots" << 1.0 << 1.0 << 0.0 << "2"
        << "0.058"
        << "lots";
    QTest::newRow("k-1 2.5, k1 3, k2 1") << "3"
                                         << "2.5"
                                         << "" << 3.0 << 2.5 << 1.0 << "1.16666666666667"
                                         << "0.019"
                                         << "1";
}

void TestParameters::okApplies()
{
    QFETCH(QString, kk1);
    QFETCH(QString, kk3);
    QFETCH(QString, E0);
    QFETCH(double, k1);
    QFETCH(double, kminus1);
    QFETCH(double, EConc1);
    QFETCH(QString, km);
    QFETCH(QString, ttmax);
    QFETCH(QString, maxy);

    Trajectory &t = m_app->state.trajectory;
    t.EConc[0] = t.ESConc[0] = t.SConc[0] = t.PConc[0] = 42;
    box("km")->setText(QStringLiteral("earlier"));
    retype(box("maxy"), QStringLiteral("9"));
    m_app->state.rateSet = RateSet{7, 7, 7};

    Parameters *dialog = openDialog();
    if (!kk1.isEmpty())
        retype(dialog->field(RunInput::kk1), kk1);
    if (!kk3.isEmpty())
        retype(dialog->field(RunInput::kk3), kk3);
    if (!E0.isEmpty())
        retype(dialog->field(RunInput::E0), E0);
    QTest::mouseClick(button(dialog, "Accept"), Qt::LeftButton);

    const RateSet &r = m_app->state.rateSet;
    QCOMPARE(r.k1, k1);
    QCOMPARE(r.k2, 1.0);
    QCOMPARE(r.kminus1, kminus1);
    QCOMPARE(t.EConc[1], EConc1);
    QCOMPARE(t.ESConc[1], 0.0);
    QCOMPARE(t.SConc[1], 1.0);
    QCOMPARE(t.PConc[1], 0.0);
    // Element 0 is never part of a run.
    QCOMPARE(t.EConc[0], 42.0);
    QCOMPARE(t.PConc[0], 42.0);
    QCOMPARE(box("km")->text(), km);
    QCOMPARE(box("ttmax")->text(), ttmax);
    QCOMPARE(box("maxy")->text(), maxy);
    QVERIFY(!dialog->isVisible());
    QCOMPARE(m_app->form.parametersDialog(), dialog);
    // OK writes neither the lists' texts nor ttt.
    QCOMPARE(list("k2list")->currentText(), QStringLiteral("1.00"));
    QCOMPARE(box("ttt")->text(), QStringLiteral("0"));
}

void TestParameters::focusOrder()
{
    Parameters *dialog = openDialog();
    QVERIFY(QTest::qWaitForWindowActive(dialog));
    QVERIFY(!dialog->field(RunInput::kk2)->isEnabled());
    QVERIFY(!dialog->field(RunInput::S0)->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), dialog->field(RunInput::E0));

    const QStringList expected{"ES0", "P0", "kk3", "kk1", "Accept", "QuitParam", "Default", "E0"};
    QStringList visited;
    for (int i = 0; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Default"));
}

void TestParameters::textsSetByCodeShowInTheDialogAtOnce()
{
    Parameters *dialog = openDialog();
    inputs().set(RunInput::E0, "7");
    QCOMPARE(dialog->field(RunInput::E0)->text(), QStringLiteral("7"));

    choose("k2list", 0, Via::Keys);
    QCOMPARE(dialog->field(RunInput::kk2)->text(), QStringLiteral("0.1"));
    choose("S0List", 10, Via::Popup);
    QCOMPARE(dialog->field(RunInput::S0)->text(), QStringLiteral("0.1"));

    QTest::mouseClick(button(dialog, "QuitParam"), Qt::LeftButton);
    inputs().set(RunInput::kk3, "4");
    QCOMPARE(dialog->field(RunInput::kk3)->text(), QStringLiteral("4"));

    // Typing goes the other way, with no button pressed.
    m_app->form.IP_Click();
    retype(dialog->field(RunInput::P0), QStringLiteral("0.5"));
    QCOMPARE(text(inputs(), RunInput::P0), QStringLiteral("0.5"));
}

void TestParameters::dialogLayoutNeitherClipsNorOverlaps()
{
    Parameters *dialog = openDialog();
    QVERIFY(QTest::qWaitForWindowExposed(dialog));
    QCOMPARE(dialog->size(), QSize(282, 155));

    QList<QWidget *> parts;
    for (QObject *child : dialog->children())
        if (auto *w = qobject_cast<QWidget *>(child); w && w->isVisible())
            parts << w;
    QCOMPARE(parts.size(), 2 + 7 * 3 + 3); // headings, label-field-unit rows, buttons

    for (QWidget *w : parts) {
        const QString name = w->objectName().isEmpty() ? w->accessibleName() : w->objectName();
        QVERIFY2(dialog->rect().contains(w->geometry()), qPrintable(name));
        if (auto *b = qobject_cast<QPushButton *>(w))
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) + 8 <= b->width(),
                     qPrintable(name + QStringLiteral(" is clipped")));
        else if (!qobject_cast<QLineEdit *>(w))
            QVERIFY2(w->sizeHint().width() <= w->width() && w->sizeHint().height() <= w->height(),
                     qPrintable(name + QStringLiteral(" is clipped")));
        for (QWidget *other : parts)
            if (other != w)
                QVERIFY2(!w->geometry().intersects(other->geometry()),
                         qPrintable(name + QStringLiteral(" overlaps ") + other->objectName() +
                                    other->accessibleName()));
    }

    // The three buttons on the bottom row, in the order OK, Default, Cancel.
    QPushButton *ok = button(dialog, "Accept");
    QPushButton *def = button(dialog, "Default");
    QPushButton *cancel = button(dialog, "QuitParam");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(def->text(), QStringLiteral("Default"));
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QVERIFY(ok->x() < def->x() && def->x() < cancel->x());
    QCOMPARE(ok->y(), dialog->field(RunInput::P0)->y());
}

QTEST_MAIN(TestParameters)
#include "tst_parameters.moc"
