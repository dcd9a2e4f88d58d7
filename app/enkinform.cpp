#include "app/enkinform.h"

#include "app/aboutenkin.h"
#include "app/helpwindows.h"
#include "app/module1.h"
#include "app/showwindow.h"
#include "datalog/analysiswindow.h"
#include "datalog/dataform.h"
#include "engine/numtext.h"
#include "params/choices.h"
#include "params/fieldbinding.h"
#include "params/parametersdialog.h"
#include "params/runstart.h"
#include "views/plotsurface.h"
#include "views/runmessages.h"
#include "views/trajectoryview.h"
#include "widgets/design.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>

#include <cmath>

namespace enkin {

namespace {

const QColor kHeadingBlue(0, 0, 192);

// The Results boxes' left edge, and the gap kept between it and the label that names a box.
constexpr int kResultsBoxLeft = 7020;
constexpr int kLabelGap = 3;

// A rectangle outline or a straight line of the colour key.
class KeyShape : public QWidget {
public:
    enum Kind { Rectangle, HorizontalLine };
    KeyShape(Kind kind, QColor colour, QWidget *parent)
        : QWidget(parent), m_kind(kind), m_colour(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(m_colour, 1));
        if (m_kind == Rectangle)
            p.drawRect(rect().adjusted(0, 0, -1, -1));
        else
            p.drawLine(0, 0, width(), 0);
    }

private:
    Kind m_kind;
    QColor m_colour;
};

enum class LabelStyle { Word, Small, Axis };

struct LabelSpec {
    const char *name;
    const char *text;
    int left, top, width, height;
    LabelStyle style;
    bool blue;
    Qt::Alignment align;
    bool growLeft; // the label names the Results box to its right: extra width goes to the left
};

constexpr Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter | Qt::AlignTop;

// Superscripts and subscripts are separate small labels over or beside their base label, so
// their blanks matter and are kept exactly.
const LabelSpec kLabels[] = {
    {"Label35", "10  M", 0, 600, 615, 255, LabelStyle::Axis, false, kLeft, false},
    {"Label36", "-9  ", 120, 480, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label28", "Time Along Scrollbar ", 3690, 4875, 2085, 255, LabelStyle::Word, true, kCentre,
     false},
    {"Label5", "Parameters", 480, 4890, 1095, 255, LabelStyle::Word, true, kLeft, false},
    {"Label2", "k", 0, 5250, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label32", "2 ", 120, 5355, 210, 255, LabelStyle::Small, false, kLeft, false},
    {"Label4", "x 10   sec", 1680, 5280, 915, 255, LabelStyle::Word, false, kLeft, false},
    {"Label3", "3      -1", 2040, 5160, 585, 255, LabelStyle::Small, false, kLeft, false},
    {"Label9", "[S]", 0, 5730, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label33", "0", 240, 5865, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label21", "  M", 1650, 5730, 405, 255, LabelStyle::Word, false, kLeft, false},
    {"Label1", "K", 0, 6225, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label34", "m", 120, 6330, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label8", "x 10    M", 1680, 6240, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label7", "-5  ", 2040, 6120, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label10", "Time Value", 3285, 5235, 1020, 255, LabelStyle::Word, false, kLeft, false},
    {"Label26", "msec", 5265, 5280, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label29", "Maximum Time", 2955, 5550, 1365, 255, LabelStyle::Word, false, kLeft, false},
    {"Label31", " msec", 5205, 5580, 585, 255, LabelStyle::Word, false, kLeft, false},
    {"Label6", "Color Key", 4005, 5985, 1455, 255, LabelStyle::Word, true, kLeft, false},
    {"Label11", "Enzyme", 4140, 6225, 1455, 255, LabelStyle::Word, false, kLeft, false},
    {"Label12", "Enzyme-Substrate", 4125, 6465, 1575, 255, LabelStyle::Word, false, kLeft, false},
    {"Label14", "Product", 4125, 6705, 1455, 255, LabelStyle::Word, false, kLeft, false},
    {"Label15", "Results", 7215, 4890, 735, 255, LabelStyle::Word, true, kLeft, false},
    {"Label30", "[E]", 6795, 5250, 225, 255, LabelStyle::Word, false, kLeft, true},
    {"Label27", "x 10    M", 7800, 5280, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label25", "-9  ", 8190, 5175, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label17", "[ES]", 6675, 5730, 330, 255, LabelStyle::Word, false, kLeft, true},
    {"Label23", "x 10    M", 7815, 5760, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label24", "-9  ", 8175, 5640, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label16", "d[P]/dt", 6450, 6240, 600, 255, LabelStyle::Word, false, kLeft, true},
    {"Label20", "x 10     M/sec", 7815, 6240, 1215, 255, LabelStyle::Word, false, kLeft, false},
    {"Label22", "-6  ", 8175, 6120, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label18", "[S]", 6780, 6720, 225, 255, LabelStyle::Word, false, kLeft, true},
    {"Label13", "x 10    M", 7815, 6720, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label19", "-3  ", 8175, 6600, 255, 255, LabelStyle::Small, false, kLeft, false},
};

QLineEdit *makeBox(QWidget *parent, const char *name, const QString &text, QRect geometry,
                   bool editable)
{
    auto *box = new QLineEdit(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setFont(interfaceFont());
    box->setGeometry(geometry);
    box->setCursorPosition(0);
    if (!editable) {
        // Shown, never edited: written only by the program.
        box->setReadOnly(true);
        box->setEnabled(false);
        box->setFocusPolicy(Qt::NoFocus);
    }
    return box;
}

void describe(QWidget *w, const QString &name, const QString &description)
{
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

} // namespace

EnkinForm::EnkinForm(Module1 &state, QWidget *parent) : QMainWindow(parent), m_state(state)
{
    setObjectName(QStringLiteral("EnkinForm"));
    setWindowTitle(QStringLiteral("Michaelis-Menten - Enzyme Kinetics"));
    buildControls();
    buildMenus();
    setFocusOrder();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    Form_Load();
    HScroll1->setFocus();
}

EnkinForm::~EnkinForm() = default;

void EnkinForm::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(px(9015), px(7020));
    setCentralWidget(client);

    // The colour key's frame lies under its labels.
    auto *shape = new KeyShape(KeyShape::Rectangle, Qt::black, client);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(twips(3525, 5985, 2175, 975));
    const struct {
        const char *name;
        QColor colour;
        int y;
    } keyLines[] = {{"Line1", Qt::black, 6345},
                    {"Line2", kHeadingBlue, 6585},
                    {"Line4", QColor(255, 0, 0), 6825}};
    for (const auto &line : keyLines) {
        auto *w = new KeyShape(KeyShape::HorizontalLine, line.colour, client);
        w->setObjectName(QLatin1String(line.name));
        w->setGeometry(px(3645), px(line.y), px(3885) - px(3645), 1);
    }

    Plot1 = new PlotSurface(client);
    Plot1->setObjectName(QStringLiteral("Plot1"));
    Plot1->setGeometry(twips(480, 105, 8280, 4455));
    describe(Plot1, tr("Plot of [E], [ES] and [P] against time"),
             tr("[E] is drawn in black, [ES] in blue and [P] in red. Right-click to copy the "
                "plot image."));

    maxy = makeBox(client, "maxy", QStringLiteral("1"), twips(0, 120, 495, 285), true);
    describe(maxy, tr("Vertical scale, 10^-9 M"),
             tr("Top of the plot's vertical axis, in 10^-9 M"));

    Text2 = makeBox(client, "Text2", QStringLiteral("0"), twips(240, 4320, 135, 285), true);
    Text2->setReadOnly(true);
    Text2->setFrame(false);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setAlignment(Qt::AlignCenter);
    QFont bold = interfaceFont();
    bold.setBold(true);
    Text2->setFont(bold);
    Text2->setTextMargins(0, 0, 0, 0);
    {
        QPalette p = Text2->palette();
        p.setColor(QPalette::Base, palette().color(QPalette::Window));
        Text2->setPalette(p);
    }
    describe(Text2, tr("Vertical axis origin"), tr("The bottom of the vertical axis is 0"));

    HScroll1 = new QScrollBar(Qt::Horizontal, client);
    HScroll1->setObjectName(QStringLiteral("HScroll1"));
    HScroll1->setGeometry(twips(240, 4560, 8775, 255));
    HScroll1->setRange(1, 600);
    HScroll1->setValue(1);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    // Change is raised when the value changes, once at the end of a drag.
    HScroll1->setTracking(false);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    describe(HScroll1, tr("Time Along Scrollbar"),
             tr("Picks a time of the run: the plot is redrawn and the Results show the values "
                "at that time"));
    connect(HScroll1, &QScrollBar::valueChanged, this, &EnkinForm::HScroll1_Change);
    HScroll1->installEventFilter(this);

    k2list = new QComboBox(client);
    k2list->setObjectName(QStringLiteral("k2list"));
    S0List = new QComboBox(client);
    S0List->setObjectName(QStringLiteral("S0List"));
    for (QComboBox *list : {k2list, S0List}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setFont(interfaceFont());
        list->setMaxVisibleItems(16);
        // Only choosing a row counts: typed text neither completes nor selects a row.
        list->setCompleter(nullptr);
        // QComboBox chooses the row whose text matches the typed text when its edit box reports
        // Return or loses focus; only choosing from the list counts here.
        QObject::disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr);
        QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    }
    k2list->setGeometry(twips(360, 5250, 1215, 315));
    S0List->setGeometry(twips(360, 5730, 1215, 315));
    k2list->setToolTip(QStringLiteral("Click to select k2"));
    S0List->setToolTip(QStringLiteral("Click to select Substrate Concentration"));
    describe(k2list, tr("k2, 10^3 sec^-1"), k2list->toolTip());
    describe(S0List, tr("[S]0, M"), S0List->toolTip());
    connect(k2list, &QComboBox::activated, this, &EnkinForm::k2list_Click);
    connect(S0List, &QComboBox::activated, this, &EnkinForm::S0List_Click);

    km = makeBox(client, "km", QStringLiteral("2"), twips(360, 6195, 1215, 285), false);
    km->setToolTip(QStringLiteral("Michaelis Menten Constant"));
    describe(km, tr("Km, 10^-5 M"), km->toolTip());

    Command1 = new QPushButton(QStringLiteral("Accept Data"), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips(120, 6720, 1575, 285));
    Command1->setFont(interfaceFont());
    Command1->setToolTip(QStringLiteral("Click here to save data for later analysis"));
    Command1->setAutoDefault(false);
    describe(Command1, tr("Accept Data"), Command1->toolTip());
    connect(Command1, &QPushButton::clicked, this, &EnkinForm::Command1_Click);

    ttt = makeBox(client, "ttt", QStringLiteral("0"), twips(4290, 5235, 855, 285), false);
    ttt->setToolTip(QStringLiteral("Time at scrollbar position"));
    describe(ttt, tr("Time Value, msec"), ttt->toolTip());

    ttmax = makeBox(client, "ttmax", QString(), twips(4305, 5550, 825, 285), true);
    ttmax->setToolTip(QStringLiteral("Enter max time on plot"));
    describe(ttmax, tr("Maximum Time, msec"), ttmax->toolTip());
    bindField(ttmax, m_state.inputs, RunInput::ttmax);

    EVal = makeBox(client, "EVal", QStringLiteral("1"), twips(7020, 5250, 615, 285), false);
    describe(EVal, tr("[E], 10^-9 M"), tr("Enzyme concentration at the time shown"));
    ESVal = makeBox(client, "ESVal", QStringLiteral("0"), twips(7020, 5730, 615, 285), false);
    ESVal->setToolTip(QStringLiteral("ES for above time"));
    describe(ESVal, tr("[ES], 10^-9 M"), ESVal->toolTip());
    Vel = makeBox(client, "Vel", QStringLiteral("0"), twips(7020, 6195, 615, 285), false);
    Vel->setToolTip(QStringLiteral("Velocity for above time"));
    describe(Vel, tr("d[P]/dt, 10^-6 M/sec"), Vel->toolTip());
    SVal = makeBox(client, "SVal", QStringLiteral("1"), twips(7020, 6690, 615, 285), false);
    SVal->setToolTip(QStringLiteral("Substrate Concentration at above time"));
    describe(SVal, tr("[S], 10^-3 M"), SVal->toolTip());

    for (const LabelSpec &design : kLabels) {
        auto *label = new QLabel(QString::fromLatin1(design.text), client);
        label->setObjectName(QLatin1String(design.name));
        label->setFont(design.style == LabelStyle::Small  ? serifFont(8.25)
                       : design.style == LabelStyle::Axis ? serifFont(9)
                                                          : serifFont(9.75));
        label->setAlignment(design.align);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (design.blue) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, kHeadingBlue);
            label->setPalette(p);
        }
        QRect geometry = twips(design.left, design.top, design.width, design.height);
        // The serif face may run a pixel or two wider than the design allowed; widen rather
        // than clip.
        const int needed = qCeil(QFontMetricsF(label->font()).horizontalAdvance(label->text()));
        if (needed > geometry.width()) {
            const int extra = needed - geometry.width();
            geometry.setWidth(needed);
            if (design.growLeft)
                geometry.translate(-extra, 0);
        }
        // The caption of a label that names a Results box would otherwise touch, or run over, the
        // box's frame: "d[P]/dt" was designed 2 pixels into it.
        if (design.growLeft) {
            const int limit = px(kResultsBoxLeft) - kLabelGap;
            if (geometry.right() > limit)
                geometry.moveRight(limit);
        }
        label->setGeometry(geometry);
    }
}

void EnkinForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    const auto command = [this, bar](const char *name, const QString &text, auto slot) {
        QAction *action = bar->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    command("IP", QStringLiteral("&Initial Parameters"), &EnkinForm::IP_Click);
    command("Plot2", QStringLiteral("&Plot"), &EnkinForm::Plot2_Click);
    command("Clear2", QStringLiteral("&Clear"), &EnkinForm::Clear2_Click);

    QMenu *dataMenu = bar->addMenu(QStringLiteral("&Data"));
    dataMenu->menuAction()->setObjectName(QStringLiteral("DataStuff"));
    const auto item = [this](QMenu *menu, const char *name, const QString &text, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item(dataMenu, "ShowData", QStringLiteral("&Show"), &EnkinForm::ShowData_Click);
    item(dataMenu, "SaveData", QStringLiteral("&Accept Data"), &EnkinForm::SaveData_Click);
    item(dataMenu, "ClearData", QStringLiteral("&Clear All"), &EnkinForm::ClearData_Click);
    // N, not A: Accept Data keeps its access key to itself.
    item(dataMenu, "Analyse", QStringLiteral("A&nalyse"), &EnkinForm::Analyse_Click);

    QMenu *help = bar->addMenu(QStringLiteral("&Help"));
    help->menuAction()->setObjectName(QStringLiteral("Help"));
    item(help, "Instructions", QStringLiteral("&Tutorial"), &EnkinForm::Instructions_Click);
    item(help, "guide", QStringLiteral("&Guide to Enkin"), &EnkinForm::guide_Click);
    item(help, "aboutthis", QStringLiteral("&About"), &EnkinForm::aboutthis_Click);

    QAction *quit = command("QQuit", QStringLiteral("&Quit"), &EnkinForm::QQuit_Click);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::ApplicationShortcut);
    addAction(quit);
}

void EnkinForm::setFocusOrder()
{
    QWidget *order[] = {HScroll1, k2list, S0List, Plot1, ttmax, Command1, maxy};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

bool EnkinForm::eventFilter(QObject *watched, QEvent *event)
{
    // A horizontal scroll bar inverts the arrow keys (Right moved the time back); the slider
    // moves with the arrow: Right and Left step the time forward and back.
    if (event->type() == QEvent::KeyPress && watched == HScroll1) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            if (key->key() == Qt::Key_Right || key->key() == Qt::Key_Left) {
                HScroll1->triggerAction(key->key() == Qt::Key_Right
                                            ? QAbstractSlider::SliderSingleStepAdd
                                            : QAbstractSlider::SliderSingleStepSub);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void EnkinForm::Form_Load()
{
    for (std::string_view text : kK2RowTexts)
        k2list->addItem(QString::fromLatin1(text.data(), qsizetype(text.size())));
    for (std::string_view text : kS0RowTexts)
        S0List->addItem(QString::fromLatin1(text.data(), qsizetype(text.size())));
    k2list->setCurrentIndex(-1);
    S0List->setCurrentIndex(-1);
    k2list->setEditText(QString::fromLatin1(kK2InitialText.data()));
    S0List->setEditText(QString::fromLatin1(kS0InitialText.data()));
}

void EnkinForm::say(const QString &message)
{
    if (message.isEmpty())
        statusBar()->clearMessage();
    else
        statusBar()->showMessage(message);
}

void EnkinForm::sayAll(const QStringList &messages)
{
    QStringList parts;
    for (const QString &m : messages)
        if (!m.isEmpty())
            parts << m;
    say(parts.join(QStringLiteral("  ")));
}

double EnkinForm::parseBox(const QLineEdit *box) const
{
    return parseLeadingNumber(box->text().toStdString());
}

void EnkinForm::setBox(QLineEdit *box, double value)
{
    box->setText(QString::fromStdString(formatGeneral(value)));
    box->setCursorPosition(0);
}

void EnkinForm::Plot2_Click()
{
    Plot1->setAutoRedraw(true);
    IntegrateTrajectory(m_state.inputs, m_state.rateSet, m_state.trajectory, &m_lastRun);
    DrawOutcome drawn = DrawOutcome::Drawn;
    if (m_lastRun.status != RunStatus::Refused)
        drawn = DrawTrajectory(*Plot1, m_state.trajectory, m_lastRun.tmax, parseBox(maxy),
                               m_lastRun.lastValid());
    sayAll({runMessage(m_lastRun), scaleMessage(drawn)});
}

void EnkinForm::Clear2_Click()
{
    Plot1->clear();
    say(QString());
}

void EnkinForm::HScroll1_Change()
{
    const RunStart start = readRunStart(m_state.inputs);
    const bool refused = substepsFor(start) == 0;
    const DrawOutcome scale = checkScale(start.tmax, parseBox(maxy));
    const PlotSurface::Batch batch(*Plot1);
    // The surface starts empty for every slider change, unless nothing could be drawn on it:
    // then it keeps the last picture.
    if (!refused && scale == DrawOutcome::Drawn)
        Plot1->clear();
    Plot1->setAutoRedraw(true);

    // A refused run leaves the time box with the Results it belongs to, so that Accept Data
    // never pairs a new time with the previous run's values.
    const double t = sliderTime(HScroll1->value(), start.tmax);
    if (!refused)
        ttt->setText(QString::fromStdString(timeText(t)));

    m_lastRun = integrateRun(start, m_state.rateSet, m_state.trajectory);
    if (m_lastRun.status == RunStatus::Refused) {
        say(runMessage(m_lastRun));
        return;
    }
    const DrawOutcome drawn = DrawTrajectory(*Plot1, m_state.trajectory, start.tmax, parseBox(maxy),
                                             m_lastRun.lastValid());
    if (drawn == DrawOutcome::Drawn)
        drawGuideLine(*Plot1, t, parseBox(maxy));

    const Readout r =
        readoutAt(m_state.trajectory, m_state.rateSet, HScroll1->value(), m_lastRun.lastValid());
    EVal->setText(QString::fromStdString(r.EVal));
    ESVal->setText(QString::fromStdString(r.ESVal));
    Vel->setText(QString::fromStdString(r.Vel));
    SVal->setText(QString::fromStdString(r.SVal));
    sayAll({runMessage(m_lastRun), scaleMessage(drawn)});
}

void EnkinForm::setSliderToStart()
{
    // Runs the slider's change handler, inside this call, when and only when it stood elsewhere.
    HScroll1->setValue(1);
}

void EnkinForm::showInitialValuesInResults()
{
    RunInputs &in = m_state.inputs;
    setBox(EVal, in.number(RunInput::E0));
    setBox(ESVal, in.number(RunInput::ES0));
    setBox(SVal, in.number(RunInput::S0));
    setBox(Vel, in.number(RunInput::P0));
}

namespace {

const QString kKmUndefined =
    QStringLiteral("Km is undefined when k1 is 0 (Km = (k-1 + k2) / k1), so the Km box is empty.");
const QString kNoTimeSuggestion = QStringLiteral(
    "No Maximum Time can be suggested: k2 + k-1 + k1 [S]0 is 0 for these values, so Maximum "
    "Time keeps its value.");

} // namespace

QString EnkinForm::writeKm()
{
    const RateSet &r = m_state.rateSet;
    const auto value = kmDisplay(r.k1, r.k2, r.kminus1);
    if (value) {
        setBox(km, *value);
        return {};
    }
    km->clear();
    return kKmUndefined;
}

QString EnkinForm::writeMaximumTimeSuggestion(double s)
{
    const RateSet &r = m_state.rateSet;
    const auto value = maximumTimeSuggestion(r.k1, r.k2, r.kminus1, s);
    if (!value)
        return kNoTimeSuggestion;
    m_state.inputs.set(RunInput::ttmax, formatGeneral(*value));
    return {};
}

void EnkinForm::finishChoice(const QStringList &messages)
{
    // The slider handler, run inside setSliderToStart, may have spoken first.
    sayAll(QStringList{statusBar()->currentMessage()} + messages);
}

void EnkinForm::k2list_Click(int row)
{
    if (row < 0 || row >= int(kK2RowTexts.size()))
        return;
    say(QString());
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    r.k2 = k2RowValue(row);
    in.set(RunInput::kk2, formatGeneral(r.k2));
    r.k1 = in.number(RunInput::kk1);
    r.kminus1 = in.number(RunInput::kk3);
    const QString kmMessage = writeKm();
    const double s = in.number(RunInput::S0);
    const QString timeMessage = writeMaximumTimeSuggestion(s);
    setSliderToStart();
    showInitialValuesInResults();
    finishChoice({kmMessage, timeMessage});
}

void EnkinForm::S0List_Click(int row)
{
    if (row < 0 || row >= int(kS0RowTexts.size()))
        return;
    say(QString());
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    const double s = s0RowValue(row);
    in.set(RunInput::S0, formatGeneral(s));
    r.k1 = in.number(RunInput::kk1);
    r.k2 = in.number(RunInput::kk2);
    r.kminus1 = in.number(RunInput::kk3);
    const QString timeMessage = writeMaximumTimeSuggestion(s);
    setSliderToStart();
    showInitialValuesInResults();
    finishChoice({timeMessage});
}

Parameters *EnkinForm::parameters()
{
    if (!m_parameters) {
        m_parameters = new Parameters(m_state.inputs, this);
        connect(m_parameters, &Parameters::accepted, this, &EnkinForm::applyParameters);
        connect(m_parameters, &Parameters::defaultsWritten, this, [this] {
            k2list->setEditText(QStringLiteral("1.000"));
            S0List->setEditText(QString::fromLatin1(kS0InitialText.data()));
        });
    }
    return m_parameters;
}

void EnkinForm::IP_Click()
{
    Parameters *dialog = parameters();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void EnkinForm::applyParameters()
{
    say(QString());
    RunInputs &in = m_state.inputs;
    RateSet &r = m_state.rateSet;
    Trajectory &t = m_state.trajectory;
    r.k1 = in.number(RunInput::kk1);
    r.k2 = in.number(RunInput::kk2);
    r.kminus1 = in.number(RunInput::kk3);
    t.EConc[1] = in.number(RunInput::E0);
    t.ESConc[1] = in.number(RunInput::ES0);
    t.SConc[1] = in.number(RunInput::S0);
    t.PConc[1] = in.number(RunInput::P0);
    const QString kmMessage = writeKm();
    const QString timeMessage = writeMaximumTimeSuggestion(t.SConc[1]);
    maxy->setText(QString::fromStdString(in.get(RunInput::E0)));
    maxy->setCursorPosition(0);
    if (m_parameters)
        m_parameters->hide();
    setSliderToStart();
    finishChoice({kmMessage, timeMessage});
}

void EnkinForm::acceptReading()
{
    const std::string e = EVal->text().toStdString(), es = ESVal->text().toStdString();
    const std::string sv = SVal->text().toStdString(), v = Vel->text().toStdString();
    const std::string t = ttt->text().toStdString();
    const AcceptOutcome outcome = enkin::acceptReading(m_state.dataLog, {e, es, sv, v, t});
    const std::string_view message = acceptMessage(outcome);
    say(QString::fromUtf8(message.data(), qsizetype(message.size())));
}

void EnkinForm::Command1_Click()
{
    acceptReading();
}

void EnkinForm::SaveData_Click()
{
    acceptReading();
}

void EnkinForm::ClearData_Click()
{
    clearAll(m_state.dataLog);
    say(QString());
}

void EnkinForm::ShowData_Click()
{
    showWindow(m_dataForm, this)->showData(m_state.dataLog);
}

void EnkinForm::Analyse_Click()
{
    if (!m_analysis)
        m_analysis = new AnalysisWindow(m_state.dataLog, m_state.inputs, this);
    m_analysis->refresh();
    m_analysis->show();
    m_analysis->raise();
    m_analysis->activateWindow();
}

void EnkinForm::Instructions_Click()
{
    showWindow(m_tutorial, this);
}

void EnkinForm::guide_Click()
{
    showWindow(m_guide, this);
}

void EnkinForm::aboutthis_Click()
{
    showWindow(m_about, this);
}

void EnkinForm::QQuit_Click()
{
    // Ends the event loop at once: no window is asked to close, nothing is kept.
    QCoreApplication::exit(0);
}

bool EnkinForm::event(QEvent *event)
{
    // Menus send an empty status tip as the mouse passes over them; on a main window that
    // erases the status bar, and the student would lose a message before reading it. Nothing
    // here has a status tip of its own.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void EnkinForm::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, with every secondary window.
    event->accept();
    QCoreApplication::exit(0);
}

Parameters *EnkinForm::parametersDialog() const
{
    return m_parameters;
}

} // namespace enkin
