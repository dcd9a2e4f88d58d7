// The inhibitor's section of the Initial Parameters dialog: the type, the four rate constants
// with the Ki and αKi they give, [I]0 and the [I]0 list of multiples of the inhibition constant.
// Its fields are bound to the run inputs like the dialog's own; the type list and the [I]0 list
// write the texts through the choices of params/inhibitorchoices.h.
#pragma once

#include "params/runinputs.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace enkin {

class InhibitorSection : public QWidget {
    Q_OBJECT

public:
    InhibitorSection(RunInputs &inputs, QWidget *parent);
    ~InhibitorSection() override;

    // The field of I0 or kk4..kk7.
    QLineEdit *field(RunInput input) const;
    QComboBox *typeList() const { return m_type; }
    QComboBox *i0List() const { return m_i0List; }

    // The section's height in pixels, at the design's units.
    static int designHeight();

private:
    // Shows what the texts give: the type, which fields apply, the constants and the list.
    void follow();

    RunInputs &m_inputs;
    RunInputs::ListenerId m_listener = 0;
    QComboBox *m_type = nullptr, *m_i0List = nullptr;
    QLineEdit *m_fields[5] = {};
    QLabel *m_constants = nullptr;
};

} // namespace enkin
