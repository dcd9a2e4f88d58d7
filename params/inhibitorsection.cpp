#include "params/inhibitorsection.h"

#include "params/dialogfield.h"
#include "params/inhibitorchoices.h"
#include "widgets/design.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <cmath>

namespace enkin {

namespace {

constexpr const char *kTipContext = "enkin::InhibitorSection";

// The rate constants under k1's column, [I]0 under the initial values.
const DialogFieldDesign kInhibitorFields[] = {
    {RunInput::I0, "[I]", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{-3} M"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^-3 M"),
     QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Initial Inhibitor Concentration: 0 for none"),
     kTipContext, 2640, 675, 3420, 420},
    {RunInput::kk4, "k_{3}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{8} M^{-1} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^8 M^-1 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Rate Constant for reaction  E + I to EI"),
     kTipContext, 480, 375, 960, 420},
    {RunInput::kk5, "k_{-3}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{3} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^3 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Rate Constant for EI return to E + I"),
     kTipContext, 480, 375, 960, 900},
    {RunInput::kk6, "k_{4}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{8} M^{-1} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^8 M^-1 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Rate Constant for reaction  ES + I to ESI"),
     kTipContext, 480, 375, 960, 1380},
    {RunInput::kk7, "k_{-4}", QT_TRANSLATE_NOOP("enkin::Parameters", "x 10^{3} sec^{-1}"),
     QT_TRANSLATE_NOOP("enkin::Parameters", "10^3 sec^-1"),
     QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Rate Constant for ESI return to ES + I"),
     kTipContext, 480, 375, 960, 1860},
};

const char *const kTypeNames[] = {QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Competitive"),
                                  QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Uncompetitive"),
                                  QT_TRANSLATE_NOOP("enkin::InhibitorSection", "Mixed")};

constexpr int kHeight = 2265; // twips

// A constant in M, from 10^-3 M, in the form the [S]0 list's rows take: "1.0x10^(-5) M"; a dash
// for none.
QString molar(std::optional<double> thousandths)
{
    if (!thousandths)
        return QStringLiteral("—");
    const double m = *thousandths / 1000;
    int power = int(std::floor(std::log10(m)));
    double mantissa = m / std::pow(10.0, power);
    if (mantissa >= 9.95) {
        mantissa /= 10;
        ++power;
    }
    return QStringLiteral("%1x10^(%2) M").arg(mantissa, 0, 'f', 1).arg(power);
}

} // namespace

InhibitorSection::InhibitorSection(RunInputs &inputs, QWidget *parent)
    : QWidget(parent), m_inputs(inputs)
{
    setObjectName(QStringLiteral("InhibitorSection"));
    QPalette blue;
    blue.setColor(QPalette::WindowText, headingColour(blue));
    auto *heading = new QLabel(tr("Inhibitor"), this);
    heading->setFont(serifFont(9.75));
    heading->setPalette(blue);
    heading->setGeometry(QRect(QPoint(px(480), px(30)), heading->sizeHint()));

    const QFont boxFont = interfaceFont();
    m_type = new QComboBox(this);
    m_type->setObjectName(QStringLiteral("InhibitorType"));
    m_type->setFont(boxFont);
    for (const char *name : kTypeNames)
        m_type->addItem(tr(name));
    m_type->setGeometry(twips(2640, 0, 1455, 315));
    m_type->setToolTip(tr("Where the inhibitor binds: E (competitive), ES (uncompetitive) or "
                          "both (mixed)"));
    m_type->setAccessibleName(tr("Inhibitor type"));
    connect(m_type, &QComboBox::activated, this,
            [this](int row) { setInhibitorType(m_inputs, static_cast<InhibitorType>(row)); });

    for (const DialogFieldDesign &design : kInhibitorFields) {
        // An assignment's inhibitor constants: a question mark, like its enzyme's.
        const bool hidden = inputs.inhibitorHidden() && design.input != RunInput::I0;
        m_fields[&design - kInhibitorFields] =
            makeDialogField(this, inputs, design, true, hidden).edit;
    }

    m_i0List = new QComboBox(this);
    m_i0List->setObjectName(QStringLiteral("I0List"));
    m_i0List->setFont(boxFont);
    m_i0List->setGeometry(twips(2640, 900, 1455, 315));
    m_i0List->setToolTip(tr("Click to select [I]0 as a multiple of the inhibition constant"));
    m_i0List->setAccessibleName(tr("[I]0 as a multiple of the inhibition constant"));
    connect(m_i0List, &QComboBox::activated, this, [this](int row) {
        if (const auto text = i0RowText(m_inputs, row))
            m_inputs.set(RunInput::I0, *text);
    });

    m_constants = new QLabel(this);
    m_constants->setObjectName(QStringLiteral("InhibitionConstants"));
    m_constants->setFont(boxFont);
    m_constants->setGeometry(twips(2355, 1380, 4230 - 2355, 765));
    m_constants->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    setFixedSize(px(4230), px(kHeight));
    m_listener = inputs.subscribe([this](RunInput changed, const std::string &) {
        if (changed >= RunInput::I0)
            follow();
    });
    follow();
}

InhibitorSection::~InhibitorSection()
{
    m_inputs.unsubscribe(m_listener);
}

int InhibitorSection::designHeight()
{
    return px(kHeight);
}

QLineEdit *InhibitorSection::field(RunInput input) const
{
    for (QLineEdit *edit : m_fields)
        if (edit->objectName() == QLatin1String(RunInputs::name(input).data()))
            return edit;
    return nullptr;
}

void InhibitorSection::follow()
{
    if (m_inputs.inhibitorHidden()) {
        // Nothing that tells the type or the constants: no list of their multiples either.
        m_type->clear();
        m_type->addItem(QStringLiteral("?"));
        m_type->setEnabled(false);
        m_i0List->hide();
        m_constants->setText(tr("Ki = ?\nαKi = ?"));
        return;
    }
    const InhibitorType type = inhibitorType(m_inputs);
    m_type->setCurrentIndex(static_cast<int>(type));
    field(RunInput::kk4)->setEnabled(type != InhibitorType::Uncompetitive);
    field(RunInput::kk5)->setEnabled(type != InhibitorType::Uncompetitive);
    field(RunInput::kk6)->setEnabled(type != InhibitorType::Competitive);
    field(RunInput::kk7)->setEnabled(type != InhibitorType::Competitive);

    const InhibitionConstants k = inhibitionConstants(m_inputs);
    m_constants->setText(tr("Ki = %1\nαKi = %2").arg(molar(k.ki), molar(k.alphaKi)));

    const QString unitName = type == InhibitorType::Uncompetitive ? tr("αKi") : tr("Ki");
    // The list shows the row that gave [I]0, and no row for an [I]0 typed by hand.
    const QSignalBlocker quiet(m_i0List);
    m_i0List->clear();
    int shown = -1;
    for (int row = 0; row < int(kI0Multiples.size()); ++row) {
        m_i0List->addItem(row == 0 ? QStringLiteral("0")
                                   : QStringLiteral("%1 %2").arg(kI0Multiples[row]).arg(unitName));
        if (i0RowText(m_inputs, row) == m_inputs.get(RunInput::I0))
            shown = row;
    }
    m_i0List->setCurrentIndex(shown);
}

} // namespace enkin
