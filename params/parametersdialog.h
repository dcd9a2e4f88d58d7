// The Initial Parameters dialog: shows and edits the seven dialog texts of the run inputs, and
// under its Inhibitor button the inhibitor's section (closed until the student opens it, or while
// there is no inhibitor).
//
// Its fields are bound to the run-input store, so they show a text set by code at once and every
// keystroke goes straight into the store, whether or not OK is pressed. OK and Cancel only hide
// the window; its close box discards the window and, with it, the seven texts.
#pragma once

#include "params/runinputs.h"

#include <QWidget>

class QLineEdit;
class QPushButton;

namespace enkin {

class InhibitorSection;

class Parameters : public QWidget {
    Q_OBJECT

public:
    explicit Parameters(RunInputs &inputs, QWidget *parent = nullptr);

    // The field of a dialog input, or of the inhibitor's (I0, kk4..kk7).
    QLineEdit *field(RunInput input) const;
    InhibitorSection *inhibitorSection() const { return m_inhibitor; }
    // Opens or closes the inhibitor's section; the window grows to show it.
    void showInhibitor(bool shown);

public slots:
    void Accept_Click();
    void Default_Click();
    void QuitParam_Click();

signals:
    // OK: the main window applies the fields, hides this dialog and restarts the slider.
    void accepted();
    // Default has written the default texts; the main window resets its lists' texts.
    void defaultsWritten();
    // The close box has discarded the dialog's texts: the runs use the initial texts again.
    void textsDiscarded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    RunInputs &m_inputs;
    QLineEdit *m_fields[7] = {};
    QPushButton *m_inhibitorButton = nullptr;
    InhibitorSection *m_inhibitor = nullptr;
};

} // namespace enkin
