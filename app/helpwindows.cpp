#include "app/helpwindows.h"

#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPushButton>
#include <QResizeEvent>
#include <QShortcut>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QUrl>

#include "app/language.h"
#include "widgets/design.h"

namespace enkin {

namespace {

// A document view that renders the documents' SVG pictures at the screen's pixel density, so
// equations stay sharp on high-DPI screens instead of being scaled up from a 96-dpi bitmap.
class DocumentView : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::ImageResource && name.path().endsWith(QLatin1String(".svg"))) {
            QSvgRenderer svg(QLatin1Char(':') + name.path());
            if (svg.isValid()) {
                const qreal ratio = devicePixelRatioF();
                QImage image(svg.defaultSize() * ratio, QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                QPainter painter(&image);
                svg.render(&painter);
                painter.end();
                image.setDevicePixelRatio(ratio);
                return image;
            }
        }
        return QTextBrowser::loadResource(type, name);
    }
};

// The document `name` in the language of the interface's catalogue where it is translated, else
// the English one.
QUrl documentUrl(const char *name)
{
    const QString language = documentLanguage();
    const QString translated = QStringLiteral("/docs/%1/%2").arg(language, QLatin1String(name));
    if (!language.isEmpty() && QFile::exists(QLatin1Char(':') + translated))
        return QUrl(QStringLiteral("qrc:") + translated);
    return QUrl(QStringLiteral("qrc:/docs/") + QLatin1String(name));
}

} // namespace

HelpWindow::HelpWindow(const Design &design, QWidget *parent)
    : QWidget(parent, Qt::Window), design_(design), RichTextBox1(new DocumentView(this)),
      Command1(new QPushButton(tr("Close"), this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr(design.caption));

    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setAccessibleName(windowTitle());
    RichTextBox1->setAccessibleDescription(tr("Read-only document"));
    // The documents are typeset for a white page with black text, whatever the desktop's colours.
    QPalette page = RichTextBox1->palette();
    page.setColor(QPalette::Base, Qt::white);
    page.setColor(QPalette::Text, Qt::black);
    RichTextBox1->setPalette(page);
    // Links within the documents open in the view; a web link opens in the desktop's browser.
    RichTextBox1->setOpenExternalLinks(true);
    RichTextBox1->setSource(documentUrl(design.document));

    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(tr("Close"));
    Command1->setAccessibleDescription(tr("Hide this window, keeping its place"));
    connect(Command1, &QPushButton::clicked, this, &HelpWindow::Command1_Click);
    // Esc closes the window the way Close does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &HelpWindow::Command1_Click);

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
    : HelpWindow({QT_TRANSLATE_NOOP("enkin::HelpWindow", "Enkin Instructions"), "tutorial.html",
                  QSize(px(10485), px(6960)), twips(105, 120, 10350, 6360),
                  twips(4110, 6495, 660, 375)},
                 parent)
{}

EnkinKey::EnkinKey(QWidget *parent)
    : HelpWindow({QT_TRANSLATE_NOOP("enkin::HelpWindow", "Michaelis Menten -  Guide"), "guide.html",
                  QSize(px(9330), px(6960)), twips(0, 0, 9285, 6360), twips(4110, 6495, 660, 375)},
                 parent)
{}

} // namespace enkin
