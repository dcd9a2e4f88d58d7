#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

class QPushButton;
class QResizeEvent;
class QTextBrowser;

namespace enkin {

// A window that shows one of the documents carried in the program's resources, in the language of
// the interface where it is translated (:/docs/de/ for German) and in English otherwise, in a
// read-only view (`RichTextBox1`) the student can scroll, select and copy from, with a "Close"
// button (`Command1`) under it. "Close" only hides the window, so the document keeps its scroll
// position for the next opening; the frame's close box destroys it, and the next opening starts
// again from the top.
class HelpWindow : public QWidget {
    Q_OBJECT

protected:
    // Design geometry in pixels, at the window's design size.
    struct Design {
        const char *caption;
        const char *document; // file name under :/docs/, the English document
        QSize client;
        QRect view;
        QRect close;
    };

    HelpWindow(const Design &design, QWidget *parent);

    void resizeEvent(QResizeEvent *event) override;

private:
    void Command1_Click();

    Design design_;
    QTextBrowser *RichTextBox1;
    QPushButton *Command1;
};

// The Tutorial window: the laboratory exercise the students work through.
class EnkinDoc : public HelpWindow {
    Q_OBJECT

public:
    explicit EnkinDoc(QWidget *parent = nullptr);
};

// The Guide window: a short reference to the menu items and the main window's controls.
class EnkinKey : public HelpWindow {
    Q_OBJECT

public:
    explicit EnkinKey(QWidget *parent = nullptr);
};

} // namespace enkin
