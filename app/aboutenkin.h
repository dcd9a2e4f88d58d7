#pragma once

#include <QDialog>

class QLabel;

namespace enkin {

// The About box: the program's icon, title and version, what it is for, and the credits. It does
// not block the main window. OK (also Enter and Escape) and the frame's close box destroy it, so
// every opening builds it anew from the application's current title and version.
class AboutEnkin : public QDialog {
    Q_OBJECT

public:
    explicit AboutEnkin(QWidget *parent = nullptr);

private:
    void Form_Load();

    QLabel *lblTitle;
    QLabel *lblVersion;
};

} // namespace enkin
