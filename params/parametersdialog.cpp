#include "params/parametersdialog.h"

#include "params/dialogfield.h"
#include "params/inhibitorsection.h"
#include "widgets/design.h"
#include "widgets/scriptedlabel.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtMath>

#include <algorithm>
#include <utility>

namespace enkin {

namespace {

struct FieldRow {
    RunInput input;
    const char *label; // the quantity, with its subscript
    const char *unit;  // the unit, with its exponents
    const char *accessibleUnit;
    const char *tooltip;
    bool editable;
    int left, width, unitLeft, top; // twips
};

// Left column: the rate constants; right column: the initial concentrations.
const FieldRow kFields[] = {
    {RunInput::kk1, "k_{1}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{8} M^{-1} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^8 M^-1 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Rate Constant for reaction  E + S to ES"), true, 480,
     375, 960, 360},
    {RunInput::kk2, "k_{2}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{3} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^3 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Rate Constant for breakdown of ES to E + P"), false,
     480, 375, 960, 840},
    {RunInput::kk3, "k_{-1}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{3} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^3 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Rate Constant for ES return to E + S"), true, 480, 375,
     960, 1320},
    {RunInput::E0, "[E]", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{-9} M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^-9 M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Initial Enzyme Concentration"), true, 2640, 675, 3420,
     360},
    {RunInput::ES0, "[ES]", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{-9} M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^-9 M"),
     QT_TRANSLATE_NOOP("enkin::Parameters",
                       "Initial Enzyme-Substrate Concentration: Should be 0.0"),
     true, 2640, 675, 3420, 840},
    {RunInput::S0, "[S]", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{-3} M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^-3 M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Initial Substrate Concentration"), false, 2640, 675,
     3420, 1320},
    {RunInput::P0, "[P]", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{-9} M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^-9 M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "Initial Product Concentration - Should be 0.0"), true,
     2640, 675, 3420, 1800},
};

// The window's height with the inhibitor's section closed, in twips: the design's 2325 and a row
// for the Inhibitor button.
constexpr int kClosedHeight = 2700;

} // namespace

Parameters::Parameters(RunInputs &inputs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_inputs(inputs)
{
    setObjectName(QStringLiteral("Parameters"));
    setWindowTitle(tr("Parameters"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(4230), px(kClosedHeight));

    QPalette blue;
    blue.setColor(QPalette::WindowText, headingColour(blue));
    for (const auto &[text, left] :
         {std::pair{QT_TR_NOOP("Parameters"), 480}, {QT_TR_NOOP("Initial Values"), 2670}}) {
        auto *heading = new QLabel(tr(text), this);
        heading->setFont(serifFont(9.75));
        heading->setPalette(blue);
        heading->setGeometry(QRect(QPoint(px(left), 0), heading->sizeHint()));
    }

    const QFont boxFont = interfaceFont();
    int besideButtons = width(); // the left edge of the label on the buttons' row

    for (const FieldRow &field : kFields) {
        const DialogFieldDesign design{
            field.input,         field.label, field.unit,  field.accessibleUnit, field.tooltip,
            "enkin::Parameters", field.left,  field.width, field.unitLeft,       field.top};
        // An assignment's rate constants are its hidden enzyme: their fields hold nothing of them.
        const bool hidden =
            inputs.hasEnzyme() && (field.input == RunInput::kk1 || field.input == RunInput::kk2 ||
                                   field.input == RunInput::kk3);
        const DialogField made = makeDialogField(this, inputs, design, field.editable, hidden);
        m_fields[static_cast<int>(field.input)] = made.edit;
        if (field.top == 1800)
            besideButtons = made.label->x();
    }

    const struct {
        const char *name, *caption, *tooltip;
        int left;
        void (Parameters::*slot)();
    } buttons[] = {
        {"Accept", QT_TR_NOOP("OK"), QT_TR_NOOP("Click to accept changes"), 15,
         &Parameters::Accept_Click},
        {"Default", QT_TR_NOOP("Default"), QT_TR_NOOP("Set back to original values"), 735,
         &Parameters::Default_Click},
        {"QuitParam", QT_TR_NOOP("Cancel"), QT_TR_NOOP("Cancel any changes"), 1455,
         &Parameters::QuitParam_Click},
    };
    // Each button is 720 twips wide, not 735, so that neighbours do not overlap by a pixel. A
    // caption too long for that (a translation) widens its button; the others give up the room
    // their captions do not need, so that the row stays left of the label beside it.
    const QFontMetrics metrics(boxFont);
    int needs[3], least[3], total = 0, leastTotal = 0;
    for (int k = 0; k < 3; ++k) {
        least[k] = metrics.horizontalAdvance(tr(buttons[k].caption)) + 12;
        needs[k] = std::max(px(720), least[k]);
        total += needs[k];
        leastTotal += least[k];
    }
    const int gap = px(735) - px(720), room = besideButtons - px(15) - 2 * gap - 4;
    QPushButton *made[3] = {};
    int i = 0, x = px(15);
    for (const auto &b : buttons) {
        auto *button = new QPushButton(tr(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFont(boxFont);
        QRect place = twips(b.left, 1800, 720, 375);
        if (total > 3 * px(720)) {
            const int w = total <= room ? needs[i] : least[i] + (room - leastTotal) / 3;
            place = QRect(x, place.y(), w, place.height());
            x += w + gap;
        }
        button->setGeometry(place);
        button->setToolTip(tr(b.tooltip));
        button->setAccessibleDescription(button->toolTip());
        // Neither Enter nor Esc presses a button.
        button->setAutoDefault(false);
        button->setDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        made[i++] = button;
    }

    m_inhibitorButton = new QPushButton(this);
    m_inhibitorButton->setObjectName(QStringLiteral("InhibitorButton"));
    m_inhibitorButton->setFont(boxFont);
    m_inhibitorButton->setAutoDefault(false);
    m_inhibitorButton->setToolTip(tr("Show or hide the inhibitor"));
    m_inhibitorButton->setAccessibleDescription(m_inhibitorButton->toolTip());
    m_inhibitor = new InhibitorSection(inputs, this);
    m_inhibitor->move(0, px(kClosedHeight));
    connect(m_inhibitorButton, &QPushButton::clicked, this,
            [this] { showInhibitor(m_inhibitor->isHidden()); });
    showInhibitor(inputs.number(RunInput::I0) != 0);

    QWidget *order[] = {field(RunInput::E0),
                        field(RunInput::ES0),
                        field(RunInput::P0),
                        field(RunInput::kk3),
                        field(RunInput::kk1),
                        made[0],
                        made[2],
                        made[1],
                        m_inhibitorButton,
                        m_inhibitor->typeList(),
                        field(RunInput::kk4),
                        field(RunInput::kk5),
                        field(RunInput::kk6),
                        field(RunInput::kk7),
                        field(RunInput::I0),
                        m_inhibitor->i0List()};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    field(RunInput::E0)->setFocus();
}

QLineEdit *Parameters::field(RunInput input) const
{
    const auto index = static_cast<std::size_t>(input);
    return index < std::size(m_fields) ? m_fields[index] : m_inhibitor->field(input);
}

void Parameters::showInhibitor(bool shown)
{
    m_inhibitor->setVisible(shown);
    m_inhibitorButton->setText(shown ? tr("Inhibitor <<") : tr("Inhibitor >>"));
    const QFontMetrics metrics(m_inhibitorButton->font());
    const int width = std::max(px(1440), metrics.horizontalAdvance(m_inhibitorButton->text()) + 12);
    m_inhibitorButton->setGeometry(px(15), px(2250), width, px(375));
    setFixedSize(px(4230), px(kClosedHeight) + (shown ? InhibitorSection::designHeight() : 0));
}

void Parameters::Accept_Click()
{
    emit accepted();
}

void Parameters::Default_Click()
{
    const std::pair<RunInput, const char *> defaults[] = {
        {RunInput::kk1, "1"}, {RunInput::kk2, "1"}, {RunInput::kk3, "1"}, {RunInput::E0, "1"},
        {RunInput::ES0, "0"}, {RunInput::S0, "1"},  {RunInput::P0, "0"}};
    for (const auto &[input, text] : defaults)
        m_inputs.set(input, m_inputs.hasEnzyme() && input <= RunInput::kk3
                                ? std::string(m_inputs.startText(input))
                                : std::string(text));
    // The inhibitor goes back to none, with its initial constants (an assignment's stay).
    for (RunInput input : kInhibitorInputs)
        if (input == RunInput::I0 || !m_inputs.inhibitorHidden())
            m_inputs.set(input, std::string(RunInputs::initialText(input)));
    emit defaultsWritten();
}

void Parameters::QuitParam_Click()
{
    hide();
}

void Parameters::closeEvent(QCloseEvent *event)
{
    // The close box discards the dialog with its texts; the next access starts afresh.
    m_inputs.resetDialogTexts();
    QWidget::closeEvent(event);
    emit textsDiscarded();
}

} // namespace enkin
