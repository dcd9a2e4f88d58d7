#include "params/dialogfield.h"

#include "params/fieldbinding.h"
#include "widgets/design.h"
#include "widgets/scriptedlabel.h"

#include <QCoreApplication>
#include <QLineEdit>

namespace enkin {

namespace {

// Pixels between a quantity's label and its field.
constexpr int kLabelGap = 3;

QString translated(const char *text)
{
    return QCoreApplication::translate("enkin::Parameters", text);
}

} // namespace

DialogField makeDialogField(QWidget *parent, RunInputs &inputs, const DialogFieldDesign &design,
                            bool editable, bool hidden)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(kLongestBoxText);
    edit->setObjectName(QString::fromLatin1(RunInputs::name(design.input).data()));
    edit->setFont(interfaceFont());
    edit->setGeometry(twips(design.left, design.top, design.width, 285));
    edit->setToolTip(QCoreApplication::translate(design.tipContext, design.tooltip));
    edit->setEnabled(editable && !hidden);
    QPalette p = edit->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, readableDisabledText(p));
    edit->setPalette(p);
    if (hidden) {
        // The field is two characters wide: a question mark, and the tip says why.
        edit->setText(QStringLiteral("?"));
        edit->setToolTip(
            QCoreApplication::translate("enkin::Parameters", "%1 (hidden in this assignment)")
                .arg(edit->toolTip()));
    } else
        bindField(edit, inputs, design.input);

    // Each label is as wide as its text and centred on the field's row: the quantity ends just
    // before the field, the unit starts at its column.
    auto *label = new ScriptedLabel(QString::fromLatin1(design.label), Qt::AlignRight, parent);
    auto *unit = new ScriptedLabel(translated(design.unit), Qt::AlignLeft, parent);
    const QRect row = edit->geometry();
    for (ScriptedLabel *l : {label, unit}) {
        const QSize hint = l->sizeHint();
        const int left = l == label ? row.left() - kLabelGap - hint.width() : px(design.unitLeft);
        l->setGeometry(left, row.center().y() - (hint.height() - 1) / 2, hint.width(),
                       hint.height());
    }
    edit->setAccessibleName(label->accessibleName() + QStringLiteral(", ") +
                            translated(design.accessibleUnit));
    edit->setAccessibleDescription(edit->toolTip());
    return {edit, label};
}

} // namespace enkin
