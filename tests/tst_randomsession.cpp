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

#include <array>
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
    EnkinForm form(session);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const auto get = [&form](const char *name) { return form.findChild<QWidget *>(name); };
    const auto box = [&form](const char *name) { return form.findChild<QLineEdit *>(name); };
    const auto trigger = [&form](const char *name) { form.findChild<QAction *>(name)->trigger(); };

    std::mt19937 random(20261206);
    const auto pick = [&random](int n) { return int(random() % unsigned(n)); };
    const auto typeInto = [&](QLineEdit *edit) {
        const QString text = kTexts[pick(int(kTexts.size()))];
        edit->setFocus();
        edit->selectAll();
        QApplication::clipboard()->setText(text);
        if (text.size() > 100 || text.isEmpty())
            QTest::keyClick(edit, text.isEmpty() ? Qt::Key_Delete : Qt::Key_V, Qt::ControlModifier);
        else
            QTest::keyClicks(edit, text);
        QVERIFY(edit->text().size() <= kLongestBoxText);
    };
    // A key on the slider or a list: one step either way.
    const auto press = [&](const char *name) {
        get(name)->setFocus();
        QTest::keyClick(get(name), pick(2) ? Qt::Key_Down : Qt::Key_Up);
    };
    const char *menuItems[] = {"Plot2",   "Clear2",       "SaveData", "ShowData", "IP",
                               "Analyse", "Instructions", "guide",    "aboutthis"};
    const RunInput dialogFields[] = {RunInput::kk1, RunInput::kk3, RunInput::E0, RunInput::ES0,
                                     RunInput::P0};
    const char *dialogButtons[] = {"Accept", "Default", "QuitParam"};
    // The actions a student can take, drawn at random; failures name the step and the action.
    const std::function<void()> actions[] = {
        [&] { typeInto(box("ttmax")); }, // kTypeMaximumTime
        [&] { trigger(menuItems[pick(std::size(menuItems))]); },
        [&] { trigger(menuItems[pick(3)]); }, // Plot, Clear and Accept Data more often
        [&] { form.findChild<QScrollBar *>("HScroll1")->setValue(1 + pick(600)); },
        [&] {
            press(std::array{"HScroll1", "k2list", "S0List"}[pick(3)]);
        },
        [&] {
            if (pick(4) == 0)
                trigger("ClearData");
        },
        [&] { typeInto(box("maxy")); },
        [&] { typeInto(form.findChild<QComboBox *>(pick(2) ? "k2list" : "S0List")->lineEdit()); },
        [&] {
            if (auto *dialog = form.findChild<Parameters *>())
                typeInto(dialog->field(dialogFields[pick(5)]));
        },
        [&] {
            if (auto *dialog = form.findChild<Parameters *>())
                dialog->findChild<QPushButton *>(dialogButtons[pick(3)])->click();
        },
        [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != &form && w->isVisible() && pick(4) == 0)
                    w->close();
        },
        [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); },
    };
    constexpr int kTypeMaximumTime = 0;

    for (int step = 0; step < 10000; ++step) {
        const int choice = pick(int(std::size(actions)));
        const QString ttmaxBefore = box("ttmax")->text();
        actions[choice]();
        const QByteArray where = QByteArray("step ") + QByteArray::number(step) + ", action " +
                                 QByteArray::number(choice);
        for (const char *name : {"ttt", "EVal", "ESVal", "Vel", "SVal", "km"})
            QVERIFY2(isGeneralNumberOrEmpty(box(name)->text()),
                     where + " " + name + " shows " + box(name)->text().left(40).toUtf8());
        // A Maximum Time the program suggests is a finite number too.
        if (choice != kTypeMaximumTime && box("ttmax")->text() != ttmaxBefore)
            QVERIFY2(isGeneralNumberOrEmpty(box("ttmax")->text()), where);
        const DataLog &log = session.state().dataLog;
        QVERIFY2(log.SavedCount >= 0 && log.SavedCount <= DataLog::kCapacity, where);
        for (int i = 1; i <= log.SavedCount; ++i)
            for (double v : {log.SavedT[i], log.SavedE[i], log.SavedES[i], log.SavedS[i]})
                QVERIFY2(std::isfinite(v) && std::isfinite(log.SavedVel[i]), where);
    }
}

QTEST_MAIN(TestRandomSession)
#include "tst_randomsession.moc"
