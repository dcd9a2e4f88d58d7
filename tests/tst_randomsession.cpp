// A long random session on the real windows: thousands of user actions with a fixed seed, and
// after every one of them the invariants a student relies on. No input and no order of actions
// may crash the program, show a garbage number or corrupt the data log.
#include "app/enkinform.h"
#include "datalog/datalog.h"
#include "engine/numtext.h"
#include "lab/session.h"
#include "params/parametersdialog.h"
#include "widgets/design.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <cmath>
#include <functional>
#include <random>

using namespace enkin;

namespace {

// What a student might type or paste, from the sensible to the hostile.
const QStringList kTexts =
    QStringLiteral(
        "|-|.|1e308|-1e308|1e-320|&H7FFFFFFFFFFFFFFF|&O777|nan|inf|1d400|1 2\t.5|0|-0.5|1|"
        "2.50|0.098|3|16.4|100|abc|-1|0.001|1e6|  5x")
        .split(QLatin1Char('|')) +
    QStringList{QString(10000, QLatin1Char('7')), QString(32768, QLatin1Char('1'))};

// A box written by the program holds nothing or a finite number in the general format.
bool isGeneralNumberOrEmpty(const QString &text)
{
    if (text.isEmpty())
        return true;
    const std::string s = text.toStdString();
    const double v = parseLeadingNumber(s);
    return std::isfinite(v) && formatGeneral(v) == s;
}

} // namespace

class TestRandomSession : public QObject {
    Q_OBJECT

private slots:
    void session();
};

void TestRandomSession::session()
{
    Session session;
    Module1 &state = session.state();
    EnkinForm form(session);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    auto *slider = form.findChild<QScrollBar *>("HScroll1");
    auto *k2list = form.findChild<QComboBox *>("k2list");
    auto *s0list = form.findChild<QComboBox *>("S0List");
    auto *ttmax = form.findChild<QLineEdit *>("ttmax");
    const auto box = [&form](const char *name) { return form.findChild<QLineEdit *>(name); };
    const auto action = [&form](const char *name) { return form.findChild<QAction *>(name); };

    std::mt19937 random(20261206);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const auto typeInto = [&](QLineEdit *edit) {
        const QString text = kTexts[pick(int(kTexts.size()))];
        edit->setFocus();
        edit->selectAll();
        if (text.size() > 100) {
            QApplication::clipboard()->setText(text);
            QTest::keySequence(edit, QKeySequence::Paste);
            QVERIFY(edit->text().size() <= kLongestBoxText);
        } else if (text.isEmpty()) {
            QTest::keyClick(edit, Qt::Key_Delete);
        } else {
            QTest::keyClicks(edit, text);
        }
    };
    const auto pressOneOf = [&](QWidget *widget, Qt::Key a, Qt::Key b) {
        widget->setFocus();
        QTest::keyClick(widget, pick(2) ? a : b);
    };
    const auto editParameter = [&] {
        if (Parameters *dialog = form.findChild<Parameters *>()) {
            const RunInput editable[] = {RunInput::kk1, RunInput::kk3, RunInput::E0, RunInput::ES0,
                                         RunInput::P0};
            typeInto(dialog->field(editable[pick(5)]));
        }
    };
    const char *dialogButtons[] = {"Accept", "Default", "QuitParam"};
    const char *helpActions[] = {"Instructions", "guide", "aboutthis"};
    // The actions a student can take, drawn at random; failures name the step and the action.
    const std::function<void()> actions[] = {
        [&] { action("Plot2")->trigger(); },
        [&] { action("Clear2")->trigger(); },
        [&] { slider->setValue(1 + pick(600)); },
        [&] { pressOneOf(slider, Qt::Key_Right, Qt::Key_Left); },
        [&] { pressOneOf(k2list, Qt::Key_Down, Qt::Key_Up); },
        [&] { pressOneOf(s0list, Qt::Key_Down, Qt::Key_Up); },
        [&] { action("SaveData")->trigger(); },
        [&] {
            if (pick(4) == 0)
                action("ClearData")->trigger();
        },
        [&] { action("ShowData")->trigger(); },
        [&] { typeInto(ttmax); }, // kTypeMaximumTime
        [&] { typeInto(box("maxy")); },
        [&] { typeInto(pick(2) ? k2list->lineEdit() : s0list->lineEdit()); },
        [&] { action("IP")->trigger(); },
        editParameter,
        editParameter,
        [&] {
            if (Parameters *dialog = form.findChild<Parameters *>())
                dialog->findChild<QPushButton *>(QLatin1String(dialogButtons[pick(3)]))->click();
        },
        [&] { action("Analyse")->trigger(); },
        [&] { action(helpActions[pick(3)])->trigger(); },
        [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != &form && w->isVisible() && pick(4) == 0)
                    w->close();
        },
        [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); },
    };
    constexpr int kTypeMaximumTime = 9;

    for (int step = 0; step < 10000; ++step) {
        const int choice = pick(int(std::size(actions)));
        const QString ttmaxBefore = ttmax->text();
        actions[choice]();
        const QByteArray where =
            QStringLiteral("step %1, action %2").arg(step).arg(choice).toUtf8();

        for (const char *name : {"ttt", "EVal", "ESVal", "Vel", "SVal", "km"})
            QVERIFY2(isGeneralNumberOrEmpty(box(name)->text()),
                     where + " " + name + " shows " + box(name)->text().left(40).toUtf8());
        // A Maximum Time the program suggests is a finite number too.
        if (choice != kTypeMaximumTime && ttmax->text() != ttmaxBefore)
            QVERIFY2(isGeneralNumberOrEmpty(ttmax->text()),
                     where + " ttmax " + ttmax->text().toUtf8());

        const DataLog &log = state.dataLog;
        QVERIFY2(log.SavedCount >= 0 && log.SavedCount <= DataLog::kCapacity, where);
        for (int i = 1; i <= log.SavedCount; ++i)
            for (double v : {log.SavedT[i], log.SavedE[i], log.SavedES[i], log.SavedS[i]})
                QVERIFY2(std::isfinite(v) && std::isfinite(log.SavedVel[i]), where);
    }
}

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
