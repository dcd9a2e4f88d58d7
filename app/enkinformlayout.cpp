// The main window's layout: its controls placed from twips tables, its menus and its tab order.
#include "app/enkinform.h"

#include "params/choices.h"
#include "params/fieldbinding.h"
#include "views/plotsurface.h"
#include "widgets/design.h"
#include "widgets/fittedtext.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QtMath>

namespace enkin {

namespace {

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
    {"Label28", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Time Along Scrollbar "), 3690, 4875, 2085,
     255, LabelStyle::Word, true, kCentre, false},
    {"Label5", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Parameters"), 480, 4890, 1095, 255,
     LabelStyle::Word, true, kLeft, false},
    {"Label2", "k", 0, 5250, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label32", "2 ", 120, 5355, 210, 255, LabelStyle::Small, false, kLeft, false},
    {"Label4", QT_TRANSLATE_NOOP("enkin::EnkinForm", "x 10   sec"), 1680, 5280, 915, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label3", QT_TRANSLATE_NOOP("enkin::EnkinForm", "3      -1"), 2040, 5160, 585, 255,
     LabelStyle::Small, false, kLeft, false},
    {"Label9", "[S]", 0, 5730, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label33", "0", 240, 5865, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label21", "  M", 1650, 5730, 405, 255, LabelStyle::Word, false, kLeft, false},
    {"Label1", "K", 0, 6225, 375, 255, LabelStyle::Word, false, kLeft, false},
    {"Label34", "m", 120, 6330, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label8", "x 10    M", 1680, 6240, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label7", "-5  ", 2040, 6120, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label10", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Time Value"), 3285, 5235, 1020, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label26", QT_TRANSLATE_NOOP("enkin::EnkinForm", "msec"), 5265, 5280, 975, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label29", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Maximum Time"), 2955, 5550, 1365, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label31", QT_TRANSLATE_NOOP("enkin::EnkinForm", " msec"), 5205, 5580, 585, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label6", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Color Key"), 4005, 5985, 1455, 255,
     LabelStyle::Word, true, kLeft, false},
    {"Label11", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Enzyme"), 4140, 6225, 1455, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label12", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Enzyme-Substrate"), 4125, 6465, 1575, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label14", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Product"), 4125, 6705, 1455, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label15", QT_TRANSLATE_NOOP("enkin::EnkinForm", "Results"), 7215, 4890, 735, 255,
     LabelStyle::Word, true, kLeft, false},
    {"Label30", "[E]", 6795, 5250, 225, 255, LabelStyle::Word, false, kLeft, true},
    {"Label27", "x 10    M", 7800, 5280, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label25", "-9  ", 8190, 5175, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label17", "[ES]", 6675, 5730, 330, 255, LabelStyle::Word, false, kLeft, true},
    {"Label23", "x 10    M", 7815, 5760, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label24", "-9  ", 8175, 5640, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label16", "d[P]/dt", 6450, 6240, 600, 255, LabelStyle::Word, false, kLeft, true},
    {"Label20", QT_TRANSLATE_NOOP("enkin::EnkinForm", "x 10     M/sec"), 7815, 6240, 1215, 255,
     LabelStyle::Word, false, kLeft, false},
    {"Label22", "-6  ", 8175, 6120, 255, 255, LabelStyle::Small, false, kLeft, false},
    {"Label18", "[S]", 6780, 6720, 225, 255, LabelStyle::Word, false, kLeft, true},
    {"Label13", "x 10    M", 7815, 6720, 975, 255, LabelStyle::Word, false, kLeft, false},
    {"Label19", "-3  ", 8175, 6600, 255, 255, LabelStyle::Small, false, kLeft, false},
};

QLineEdit *makeBox(QWidget *parent, const char *name, const QString &text, QRect geometry,
                   bool editable)
{
    auto *box = new QLineEdit(text, parent);
    box->setMaxLength(kLongestBoxText);
    box->setObjectName(QLatin1String(name));
    box->setFont(interfaceFont());
    box->setGeometry(geometry);
    box->setCursorPosition(0);
    if (!editable) {
        // Written only by the program: not typable and not in the Tab chain, but readable at
        // full contrast, and a click selects its text for copying.
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        box->setPalette(p);
    }
    return box;
}

void describe(QWidget *w, const QString &name, const QString &description)
{
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

// The colour key's frame and lines; made first, so that they lie under the key's labels.
void addColourKey(QWidget *client)
{
    const QPalette palette = client->palette();
    auto *shape = new KeyShape(KeyShape::Rectangle, onWindow(Qt::black, palette), client);
    shape->setObjectName(QStringLiteral("Shape1"));
    shape->setGeometry(twips(3525, 5985, 2175, 975));
    const struct {
        const char *name;
        QColor colour;
        int y;
    } keyLines[] = {{"Line1", onWindow(Qt::black, palette), 6345},
                    {"Line2", onWindow(QColor(0, 0, 192), palette), 6585},
                    {"Line4", onWindow(QColor(255, 0, 0), palette), 6825}};
    for (const auto &line : keyLines) {
        auto *w = new KeyShape(KeyShape::HorizontalLine, line.colour, client);
        w->setObjectName(QLatin1String(line.name));
        w->setGeometry(px(3645), px(line.y), px(3885) - px(3645), 1);
    }
}

// Every label of the window; made last, over the controls they name.
void addDesignLabels(QWidget *client)
{
    for (const LabelSpec &design : kLabels) {
        auto *label =
            new QLabel(QCoreApplication::translate("enkin::EnkinForm", design.text), client);
        label->setObjectName(QLatin1String(design.name));
        label->setFont(design.style == LabelStyle::Small  ? serifFont(8.25)
                       : design.style == LabelStyle::Axis ? serifFont(9)
                                                          : serifFont(9.75));
        label->setAlignment(design.align);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (design.blue) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, headingColour(p));
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

} // namespace

void EnkinForm::buildControls()
{
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(px(9015), px(7020));
    setCentralWidget(client);

    addColourKey(client);

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
    Plot1->installEventFilter(this);

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
        list->lineEdit()->setMaxLength(kLongestBoxText);
        // QComboBox chooses the row whose text matches the typed text when its edit box reports
        // Return or loses focus; only choosing from the list counts here.
        QObject::disconnect(list->lineEdit(), &QLineEdit::returnPressed, list, nullptr);
        QObject::disconnect(list->lineEdit(), &QLineEdit::editingFinished, list, nullptr);
    }
    k2list->setGeometry(twips(360, 5250, 1215, 315));
    S0List->setGeometry(twips(360, 5730, 1215, 315));
    k2list->setToolTip(tr("Click to select k2"));
    S0List->setToolTip(tr("Click to select Substrate Concentration"));
    describe(k2list, tr("k2, 10^3 sec^-1"), k2list->toolTip());
    describe(S0List, tr("[S]0, M"), S0List->toolTip());
    // A screen reader reads the list's edit box, named like the list, with its value.
    for (QComboBox *list : {k2list, S0List})
        describe(list->lineEdit(), list->accessibleName(), list->accessibleDescription());
    connect(k2list, &QComboBox::activated, this, &EnkinForm::k2list_Click);
    connect(S0List, &QComboBox::activated, this, &EnkinForm::S0List_Click);

    km = makeBox(client, "km", QStringLiteral("2"), twips(360, 6195, 1215, 285), false);
    km->setToolTip(tr("Michaelis Menten Constant"));
    describe(km, tr("Km, 10^-5 M"), km->toolTip());

    Command1 = new QPushButton(tr("Accept Data"), client);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(interfaceFont());
    placeButton(Command1, twips(120, 6720, 1575, 285));
    Command1->setToolTip(tr("Click here to save data for later analysis"));
    Command1->setAutoDefault(false);
    describe(Command1, tr("Accept Data"), Command1->toolTip());
    connect(Command1, &QPushButton::clicked, this, &EnkinForm::Command1_Click);

    const ShownResults initial; // what the Session holds at start-up
    ttt = makeBox(client, "ttt", QString::fromStdString(initial.ttt), twips(4290, 5235, 855, 285),
                  false);
    ttt->setToolTip(tr("Time at scrollbar position"));
    describe(ttt, tr("Time Value, msec"), ttt->toolTip());

    ttmax = makeBox(client, "ttmax", QString(), twips(4305, 5550, 825, 285), true);
    ttmax->setToolTip(tr("Enter max time on plot"));
    describe(ttmax, tr("Maximum Time, msec"), ttmax->toolTip());
    bindField(ttmax, m_session.state().inputs, RunInput::ttmax);

    EVal = makeBox(client, "EVal", QString::fromStdString(initial.EVal),
                   twips(7020, 5250, 615, 285), false);
    describe(EVal, tr("[E], 10^-9 M"), tr("Enzyme concentration at the time shown"));
    ESVal = makeBox(client, "ESVal", QString::fromStdString(initial.ESVal),
                    twips(7020, 5730, 615, 285), false);
    ESVal->setToolTip(tr("ES for above time"));
    describe(ESVal, tr("[ES], 10^-9 M"), ESVal->toolTip());
    Vel = makeBox(client, "Vel", QString::fromStdString(initial.Vel), twips(7020, 6195, 615, 285),
                  false);
    Vel->setToolTip(tr("Velocity for above time"));
    describe(Vel, tr("d[P]/dt, 10^-6 M/sec"), Vel->toolTip());
    SVal = makeBox(client, "SVal", QString::fromStdString(initial.SVal),
                   twips(7020, 6690, 615, 285), false);
    SVal->setToolTip(tr("Substrate Concentration at above time"));
    describe(SVal, tr("[S], 10^-3 M"), SVal->toolTip());

    // The boxes that hold numbers show them whole at any length (Text2 holds its "0" for good).
    for (QLineEdit *box : {maxy, km, ttt, ttmax, EVal, ESVal, Vel, SVal})
        keepTextFitted(box);

    addDesignLabels(client);
    buildInhibitorRows(client);

    for (QWidget *w : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        m_design.emplace_back(w, w->geometry());
    client->installEventFilter(this);
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
    command("IP", tr("&Initial Parameters"), &EnkinForm::IP_Click);
    command("Plot2", tr("&Plot"), &EnkinForm::Plot2_Click);
    command("Clear2", tr("&Clear"), &EnkinForm::Clear2_Click);

    QMenu *dataMenu = bar->addMenu(tr("&Data"));
    dataMenu->menuAction()->setObjectName(QStringLiteral("DataStuff"));
    const auto item = [this](QMenu *menu, const char *name, const QString &text, auto slot) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    item(dataMenu, "ShowData", tr("&Show"), &EnkinForm::ShowData_Click);
    item(dataMenu, "SaveData", tr("&Accept Data"), &EnkinForm::SaveData_Click);
    item(dataMenu, "ClearData", tr("&Clear All"), &EnkinForm::ClearData_Click);
    // N, not A: Accept Data keeps its access key to itself.
    item(dataMenu, "Analyse", tr("A&nalyse"), &EnkinForm::Analyse_Click);
    dataMenu->addSeparator();
    item(dataMenu, "SaveReadings", tr("Sa&ve Readings..."), &EnkinForm::SaveReadings_Click)
        ->setShortcut(QKeySequence::Save);
    item(dataMenu, "OpenReadings", tr("&Open Readings..."), &EnkinForm::OpenReadings_Click)
        ->setShortcut(QKeySequence::Open);
    item(dataMenu, "ExportReport", tr("&Export Report..."), &EnkinForm::ExportReport_Click);

    QMenu *help = bar->addMenu(tr("&Help"));
    help->menuAction()->setObjectName(QStringLiteral("Help"));
    item(help, "Instructions", tr("&Tutorial"), &EnkinForm::Instructions_Click);
    QAction *guide = item(help, "guide", tr("&Guide to Enkin"), &EnkinForm::guide_Click);
    guide->setShortcut(QKeySequence::HelpContents);
    guide->setShortcutContext(Qt::ApplicationShortcut);
    item(help, "aboutthis", tr("&About"), &EnkinForm::aboutthis_Click);

    QAction *quit = command("QQuit", tr("&Quit"), &EnkinForm::QQuit_Click);
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

void EnkinForm::Form_Load()
{
    // An assignment hides its enzyme: the k2 rows are its settings, the Km box tells nothing.
    const auto &assignment = m_session.assignment();
    for (std::size_t row = 0; row < kK2RowTexts.size(); ++row)
        k2list->addItem(assignment ? tr("Setting %1").arg(row + 1)
                                   : QString::fromLatin1(kK2RowTexts[row].data(),
                                                         qsizetype(kK2RowTexts[row].size())));
    for (std::string_view text : kS0RowTexts)
        S0List->addItem(QString::fromLatin1(text.data(), qsizetype(text.size())));
    k2list->setCurrentIndex(-1);
    S0List->setCurrentIndex(-1);
    k2list->setEditText(assignment ? tr("Setting %1").arg(2)
                                   : QString::fromLatin1(kK2InitialText.data()));
    S0List->setEditText(QString::fromLatin1(kS0InitialText.data()));
    if (assignment) {
        showKm({});
        setWindowTitle(
            tr("%1 - Assignment %2").arg(windowTitle(), QString::fromStdString(assignment->id)));
        describe(k2list, tr("Enzyme setting"), tr("Click to select the enzyme setting"));
        describe(k2list->lineEdit(), k2list->accessibleName(), k2list->accessibleDescription());
        k2list->setToolTip(k2list->accessibleDescription());
    }
}

} // namespace enkin
