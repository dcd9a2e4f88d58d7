#include "app/helpwindows.h"

#include <QFontMetrics>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QTextBrowser>
#include <QUrl>

namespace enkin {

namespace {

// The windows are designed in twips, 1/1440 inch: 15 to a pixel at 96 dots per inch.
constexpr int pixels(int twips)
{
    return twips / 15;
}

constexpr QSize twipSize(int width, int height)
{
    return {pixels(width), pixels(height)};
}

constexpr QRect twipRect(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
}

} // namespace

HelpWindow::HelpWindow(const Design &design, QWidget *parent)
    : QWidget(parent, Qt::Window), design_(design), RichTextBox1(new QTextBrowser(this)),
      Command1(new QPushButton(QStringLiteral("Close"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(design.caption));

    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(windowTitle());
    RichTextBox1->setAccessibleDescription(QStringLiteral("Read-only document"));
    // The documents are typeset for a white page with black text, whatever the desktop's colours.
    QPalette page = RichTextBox1->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, Qt::black);
    RichTextBox1->setPalette(page);
    // Links within the documents open in the view; a web link opens in the desktop's browser.
    RichTextBox1->setOpenExternalLinks(true);
    RichTextBox1->setSource(QUrl(QString::fromUtf8(design.document)));

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QStringLiteral("Close"));
    Command1->setAccessibleDescription(QStringLiteral("Hide this window, keeping its place"));
    connect(Command1, &QPushButton::clicked, this, &HelpWindow::Command1_Click);

    // Close widens about its centre where a large interface font would clip its caption.
    const int clipped =
        Command1->fontMetrics().horizontalAdvance(Command1->text()) + 8 - design_.close.width();
    if (clipped > 0)
        design_.close.adjust(-clipped / 2, 0, clipped - clipped / 2, 0);

    RichTextBox1->setGeometry(design_.view);
    Command1->setGeometry(design_.close);
    // The design size is the smallest; a larger window gives the document more room.
    setMinimumSize(design.client);
    resize(design.client);
}

void HelpWindow::resizeEvent(QResizeEvent *event)
{
    // The view takes any room beyond the design size; Close stays under it, as far from the
    // middle of the window as in the design.
    const QSize grown = event->size() - design_.client;
    RichTextBox1->setGeometry(design_.view.adjusted(0, 0, grown.width(), grown.height()));
    Command1->setGeometry(design_.close.translated(grown.width() / 2, grown.height()));
    QWidget::resizeEvent(event);
}

void HelpWindow::Command1_Click()
{
    hide();
}

EnkinDoc::EnkinDoc(QWidget *parent)
    : HelpWindow({"Enkin Instructions", "qrc:/docs/tutorial.html", twipSize(10485, 6960),
                  twipRect(105, 120, 10350, 6360), twipRect(4110, 6495, 660, 375)},
                 parent)
{}

EnkinKey::EnkinKey(QWidget *parent)
    : HelpWindow({"Michaelis Menten -  Guide", "qrc:/docs/guide.html", twipSize(9330, 6960),
                  twipRect(0, 0, 9285, 6360), twipRect(4110, 6495, 660, 375)},
                 parent)
{}

} // namespace enkin
