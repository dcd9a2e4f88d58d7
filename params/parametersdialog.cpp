#include "params/parametersdialog.h"

#include "params/fieldbinding.h"
#include "views/design.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QtMath>

#include <utility>

namespace enkin {

namespace {

// A label with raised and lowered parts, written "k_{-1}" or "x 10^{8} M^{-1} sec^{-1}": the base
// text in 9.75 point, the parts in 8.25 point on baselines of their own. Rich-text <sub> and
// <sup> would shrink the parts by another third, and "-1" would no longer be legible.
class ScriptedLabel : public QWidget {
public:
    ScriptedLabel(const char *markup, Qt::Alignment align, QWidget *parent)
        : QWidget(parent), m_base(serifFont(9.75)), m_small(serifFont(8.25)), m_align(align)
    {
        const QString text = QString::fromLatin1(markup);
        const auto opensPart = [&text](qsizetype i) {
            return (text[i] == u'^' || text[i] == u'_') && i + 1 < text.size() &&
                   text[i + 1] == u'{';
        };
        for (qsizetype i = 0; i < text.size();) {
            if (opensPart(i)) {
                const qsizetype close = text.indexOf(u'}', i);
                m_runs.push_back({text.mid(i + 2, close - i - 2), text[i] == u'^' ? 1 : -1});
                i = close + 1;
            } else {
                qsizetype next = i + 1;
                while (next < text.size() && !opensPart(next))
                    ++next;
                m_runs.push_back({text.mid(i, next - i), 0});
                i = next;
            }
        }
        QString plain;
        for (const Run &run : m_runs)
            plain += (run.shift > 0 ? QStringLiteral("^") : QString()) + run.text;
        setAccessibleName(plain);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

    QSize sizeHint() const override
    {
        const Extent e = extent();
        return QSize(qCeil(e.width), qCeil(e.above + e.below));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(palette().color(QPalette::WindowText));
        const Extent e = extent();
        qreal x = (m_align & Qt::AlignRight) ? width() - e.width : 0;
        const qreal baseline = qRound((height() - e.above - e.below) / 2 + e.above);
        for (const Run &run : m_runs) {
            p.setFont(run.shift ? m_small : m_base);
            p.drawText(QPointF(x, baseline + offset(run.shift)), run.text);
            x += QFontMetricsF(p.font()).horizontalAdvance(run.text);
        }
    }

private:
    struct Run {
        QString text;
        int shift; // 1 raised, -1 lowered, 0 on the baseline
    };
    struct Extent {
        qreal width = 0, above = 0, below = 0;
    };

    // How far below the main baseline a part's baseline lies.
    qreal offset(int shift) const
    {
        const qreal ascent = QFontMetricsF(m_base).ascent();
        return shift > 0 ? -qRound(ascent * 0.4) : shift < 0 ? qRound(ascent * 0.25) : 0;
    }

    Extent extent() const
    {
        Extent e;
        for (const Run &run : m_runs) {
            const QFontMetricsF fm(run.shift ? m_small : m_base);
            e.width += fm.horizontalAdvance(run.text);
            e.above = qMax(e.above, fm.ascent() - offset(run.shift));
            e.below = qMax(e.below, fm.descent() + offset(run.shift));
        }
        return e;
    }

    QList<Run> m_runs;
    QFont m_base, m_small;
    Qt::Alignment m_align;
};

struct FieldSpec {
    RunInput input;
    const char *label; // the quantity, with its subscript
    const char *unit;  // the unit, with its exponents
    const char *accessibleUnit;
    const char *tooltip;
    bool editable;
    int left, width, unitLeft, top; // twips
};

// Left column: the rate constants; right column: the initial concentrations.
const FieldSpec kFields[] = {
    {RunInput::kk1, "k_{1}", "x 10^{8} M^{-1} sec^{-1}", "10^8 M^-1 sec^-1",
     "Rate Constant for reaction  E + S to ES", true, 480, 375, 960, 360},
    {RunInput::kk2, "k_{2}", "x 10^{3} sec^{-1}", "10^3 sec^-1",
     "Rate Constant for breakdown of ES to E + P", false, 480, 375, 960, 840},
    {RunInput::kk3, "k_{-1}", "x 10^{3} sec^{-1}", "10^3 sec^-1",
     "Rate Constant for ES return to E + S", true, 480, 375, 960, 1320},
    {RunInput::E0, "[E]", "x 10^{-9} M", "10^-9 M", "Initial Enzyme Concentration", true, 2640, 675,
     3420, 360},
    {RunInput::ES0, "[ES]", "x 10^{-9} M", "10^-9 M",
     "Initial Enzyme-Substrate Concentration: Should be 0.0", true, 2640, 675, 3420, 840},
    {RunInput::S0, "[S]", "x 10^{-3} M", "10^-3 M", "Initial Substrate Concentration", false, 2640,
     675, 3420, 1320},
    {RunInput::P0, "[P]", "x 10^{-9} M", "10^-9 M", "Initial Product Concentration - Should be 0.0",
     true, 2640, 675, 3420, 1800},
};

// Pixels between a quantity's label and its field.
constexpr int kLabelGap = 3;

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
        heading->setFont(serifFont(9.75));
        heading->setPalette(blue);
        heading->setGeometry(QRect(QPoint(px(left), 0), heading->sizeHint()));
    }

    const QFont boxFont = interfaceFont();

    for (const FieldSpec &design : kFields) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(RunInputs::name(design.input).data()));
        edit->setFont(boxFont);
        edit->setGeometry(twips(design.left, design.top, design.width, 285));
        edit->setToolTip(QString::fromLatin1(design.tooltip));
        edit->setEnabled(design.editable);
        bindField(edit, inputs, design.input);
        m_fields[static_cast<int>(design.input)] = edit;

        // Each label is as wide as its text and centred on the field's row: the quantity ends
        // just before the field, the unit starts at its column.
        auto *label = new ScriptedLabel(design.label, Qt::AlignRight, this);
        auto *unit = new ScriptedLabel(design.unit, Qt::AlignLeft, this);
        const QRect row = edit->geometry();
        for (ScriptedLabel *l : {label, unit}) {
            const QSize hint = l->sizeHint();
            const int left = l == label ? row.left() - kLabelGap - hint.width() : px(design.unitLeft);
            l->setGeometry(left, row.center().y() - (hint.height() - 1) / 2, hint.width(),
                           hint.height());
        }
        edit->setAccessibleName(label->accessibleName() + QStringLiteral(", ") +
                                QString::fromLatin1(design.accessibleUnit));
        edit->setAccessibleDescription(edit->toolTip());
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
        // 720 twips wide, not 735, so that neighbours do not overlap by a pixel.
        button->setGeometry(twips(b.left, 1800, 720, 375));
        button->setToolTip(QString::fromLatin1(b.tooltip));
        button->setAccessibleDescription(button->toolTip());
        // Neither Enter nor Esc presses a button.
        button->setAutoDefault(false);
        button->setDefault(false);
        connect(button, &QPushButton::clicked, this, b.slot);
        made[i++] = button;
    }

    QWidget *order[] = {field(RunInput::E0),
                        field(RunInput::ES0),
                        field(RunInput::P0),
                        field(RunInput::kk3),
                        field(RunInput::kk1),
                        made[0],
                        made[2],
                        made[1]};
    for (std::size_t k = 0; k + 1 < std::size(order); ++k)
        setTabOrder(order[k], order[k + 1]);
    field(RunInput::E0)->setFocus();
}

QLineEdit *Parameters::field(RunInput input) const
{
    return m_fields[static_cast<int>(input)];
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
        m_inputs.set(input, text);
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
}

} // namespace enkin
