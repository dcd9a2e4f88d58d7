// The Saved Data window: the data log as a fixed-column text table to select and copy, and a
// button that copies the same readings as tab-separated columns for a spreadsheet.
#pragma once

#include "datalog/datalog.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace enkin {

// A top-level window. Close only hides it, so its text stays until the next showData(); the
// close box of the frame destroys it (the owner keeps a QPointer and creates it anew on Show).
class DataForm : public QWidget {
    Q_OBJECT

public:
    explicit DataForm(QWidget *parent = nullptr);

    // Show: rebuilds the table from `log`, with the caret at the end so that the last readings
    // are in view; the owner shows the window. The window keeps a copy of `log`, so that the
    // table and the copy for a spreadsheet show the readings of this moment until the next Show.
    void showData(const DataLog &log);

private:
    void Command1_Click();
    void CopyForSpreadsheet_Click();

    QLabel *m_label1;
    QLabel *m_label2;
    QPlainTextEdit *m_dataText;
    QPushButton *m_command1;
    QPushButton *m_copy;
    QLabel *m_copyStatus;
    DataLog m_shown;
};

} // namespace enkin
