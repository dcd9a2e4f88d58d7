#include "params/parametersdialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "params/fieldbinding.h"

namespace enkin {

namespace {

int px(int twips) { return qRound(twips / 15.0); }
QRect twips(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}

QFont serifBold(qreal points)
{
    QFont f;
    f.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")});
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(points);
    f.setBold(true);
    return f;
}

struct FieldSpec {
    RunInput input;
    const char *label; // rich text: the quantity with its subscript
    const char *unit;  // rich text: the unit with its exponents
    const char *accessibleUnit;
    const char *tooltip;
    bool editable;
    int left, width, unitLeft, top;
};

// Left column: the rate constants; right column: the initial concentrations.
const FieldSpec kFields[] = {
    {RunInput::kk1, "k<sub>1</sub>", "x 10<sup>8</sup> M<sup>-1</sup> sec<sup>-1</sup>",
     "10^8 M^-1 sec^-1", "Rate Constant for reaction  E + S to ES", true, 480, 375, 960, 360},
    {RunInput::kk2, "k<sub>2</sub>", "x 10<sup>3</sup> sec<sup>-1</sup>", "10^3 sec^-1",
     "Rate Constant for breakdown of ES to E + P", false, 480, 375, 960, 840},
    {RunInput::kk3, "k<sub>-1</sub>", "x 10<sup>3</sup> sec<sup>-1</sup>", "10^3 sec^-1",
     "Rate Constant for ES return to E + S", true, 480, 375, 960, 1320},
    {RunInput::E0, "[E]", "x 10<sup>-9</sup> M", "10^-9 M", "Initial Enzyme Concentration", true,
     2640, 675, 3420, 360},
    {RunInput::ES0, "[ES]", "x 10<sup>-9</sup> M", "10^-9 M",
     "Initial Enzyme-Substrate Concentration: Should be 0.0", true, 2640, 675, 3420, 840},
    {RunInput::S0, "[S]", "x 10<sup>-3</sup> M", "10^-3 M", "Initial Substrate Concentration",
     false, 2640, 675, 3420, 1320},
    {RunInput::P0, "[P]", "x 10<sup>-9</sup> M", "10^-9 M",
     "Initial Product Concentration - Should be 0.0", true, 2640, 675, 3420, 1800},
};

QString smallScripts(const char *richText)
{
    // Raised and lowered parts in the smaller size of the labels.
    return QString::fromLatin1(richText)
        .replace(QStringLiteral("<sub>"), QStringLiteral("<sub style=\"font-size:8.25pt\">"))
        .replace(QStringLiteral("<sup>"), QStringLiteral("<sup style=\"font-size:8.25pt\">"));
}

QLabel *makeLabel(const QString &richText, QWidget *parent, QRect geometry, Qt::Alignment align)
{
    auto *label = new QLabel(richText, parent);
    label->setTextFormat(Qt::RichText);
    label->setFont(serifBold(9.75));
    label->setAlignment(align | Qt::AlignVCenter);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Parameters::Parameters(RunInputs &inputs, QWidget *parent)
    : QWidget(parent, Qt::Window), m_inputs(inputs)
{
    setObjectName(QStringLiteral("Parameters"));
    setWindowTitle(QStringLiteral("Parameters"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(px(4230), px(2325));

    QPalette blue;
    blue.setColor(QPalette::WindowText, QColor(0, 0, 192));
    for (const auto &[text, left] : {std::pair{"Parameters", 480}, {"Initial Values", 2670}}) {
        auto *heading = new QLabel(QString::fromLatin1(text), this);
        heading->setFont(serifBold(9.75));
        heading->setPalette(blue);
        heading->setGeometry(twips(left, 0, 1500, 300));
    }

    QFont boxFont;
    boxFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    boxFont.setPointSizeF(8.25);

    for (const FieldSpec &spec : kFields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(RunInputs::name(spec.input).data()));
        edit->setFont(boxFont);
        edit->setGeometry(twips(spec.left, spec.top - 30, spec.width, 285));
        edit->setToolTip(QString::fromLatin1(spec.tooltip));
        edit->setEnabled(spec.editable);
        bindField(edit, inputs, spec.input);
        m_fields[static_cast<int>(spec.input)] = edit;

        const int labelLeft = spec.left == 480 ? 15 : 2040;
        auto *label = makeLabel(smallScripts(spec.label), this,
                                twips(labelLeft, spec.top - 60, spec.left - labelLeft - 30, 345),
                                Qt::AlignRight);
        const int unitWidth = spec.left == 480 ? 2640 - 960 - 60 : 4230 - 3420;
        auto *unit = makeLabel(smallScripts(spec.unit), this,
                               twips(spec.unitLeft, spec.top - 60, unitWidth, 345), Qt::AlignLeft);
        label->setBuddy(edit);
        const QString plainLabel = QString::fromLatin1(spec.label)
                                       .remove(QStringLiteral("<sub>"))
                                       .remove(QStringLiteral("</sub>"));
        edit->setAccessibleName(plainLabel + QStringLiteral(", ") +
                                QString::fromLatin1(spec.accessibleUnit));
        edit->setAccessibleDescription(edit->toolTip());
        unit->setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    const struct {
        const char *name, *caption, *tooltip;
        int left;
        void (Parameters::*slot)();
    } buttons[] = {
        {"Accept", "OK", "Click to accept changes", 15, &Parameters::Accept_Click},
        {"Default", "Default", "Set back to original values", 735, &Parameters::Default_Click},
        {"QuitParam", "Cancel", "Cancel any changes", 1455, &Parameters::QuitParam_Click},
    };
    QPushButton *made[3] = {};
    int i = 0;
    for (const auto &b : buttons) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setFont(boxFont);
        button->setGeometry(twips(b.left, 1800, 735, 375));
        button->setToolTip(QString::fromLatin1(b.tooltip));
        button->setAccessibleDescription(button->toolTip());
        // Neither Enter nor Esc presses a button.
        button->setAutoDefault(false);
        button->setDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        made[i++] = button;
    }

    QWidget *order[] = {field(RunInput::E0),  field(RunInput::ES0), field(RunInput::P0),
                        field(RunInput::kk3), field(RunInput::kk1), made[0],
                        made[2],              made[1]};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    field(RunInput::E0)->setFocus();
}

QLineEdit *Parameters::field(RunInput input) const { return m_fields[static_cast<int>(input)]; }

void Parameters::Accept_Click() { emit accepted(); }

void Parameters::Default_Click()
{
    const std::pair<RunInput, const char *> defaults[] = {
        {RunInput::kk1, "1"}, {RunInput::kk2, "1"}, {RunInput::kk3, "1"}, {RunInput::E0, "1"},
        {RunInput::ES0, "0"}, {RunInput::S0, "1"},  {RunInput::P0, "0"}};
    for (const auto &[input, text] : defaults)
        m_inputs.set(input, text);
    emit defaultsWritten();
}

void Parameters::QuitParam_Click() { hide(); }

void Parameters::closeEvent(QCloseEvent *event)
{
    // The close box discards the dialog with its texts; the next access starts afresh.
    m_inputs.resetDialogTexts();
    QWidget::closeEvent(event);
}

} // namespace enkin
