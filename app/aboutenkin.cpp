#include "app/aboutenkin.h"

#include "app/appicon.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QVersionNumber>

namespace enkin {

namespace {

// Design client area, 5730 x 3555 twips, and where it opens: 2340, 1935 twips from the top left
// of the screen rather than where the window manager would put it (15 twips to a pixel).
constexpr QSize kClientSize(382, 237);
constexpr QPoint kClientPosition(156, 129);

// A label read by its text; assistive technology hears what it is as its description.
QLabel *addLabel(QDialog *box, const char *name, const QString &text, const QString &description)
{
    auto *label = new QLabel(text, box);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAccessibleDescription(description);
    return label;
}

} // namespace

AboutEnkin::AboutEnkin(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);

    auto *picIcon = addLabel(this, "picIcon", QString(), tr("Program icon"));
    picIcon->setAccessibleName(tr("Program icon"));
    picIcon->setPixmap(enkinIcon().pixmap(QSize(32, 32), devicePixelRatio()));
    picIcon->setFixedSize(36, 36);
    picIcon->setAlignment(Qt::AlignCenter);

    lblTitle = addLabel(this, "lblTitle", QString(), tr("Program title"));
    lblVersion = addLabel(this, "lblVersion", QString(), tr("Program version"));
    auto *lblDescription =
        addLabel(this, "lblDescription",
                 tr("This module has been written to be used as part of a lab for students to "
                    "explore the effects of varying parameters and initial conditions in the "
                    "standard Michaelis Menten model."),
                 tr("Description"));
    lblDescription->setWordWrap(true);

    // Etched separator: a grey line with a white one just below it.
    auto *separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("Line1"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);
    QPalette etch = separator->palette();
    etch.setColor(QPalette::Dark, QColor(128, 128, 128));
    etch.setColor(QPalette::Light, Qt::white);
    separator->setPalette(etch);

    auto *lblDisclaimer =
        addLabel(this, "lblDisclaimer",
                 tr("Written by the Enkin developers as a simulator for the teaching laboratory, "
                    "where students watch enzyme kinetics reach the steady state and measure "
                    "Km and Vmax."),
                 tr("Credits"));
    lblDisclaimer->setWordWrap(true);

    auto *cmdOK = new QPushButton(tr("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setAccessibleName(tr("OK"));
    cmdOK->setAccessibleDescription(tr("Close the About box"));
    cmdOK->setDefault(true);
    cmdOK->setMinimumWidth(84);
    // Escape is the dialog's reject(), which closes and so destroys the box just as OK does.
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(lblTitle);
    texts->addWidget(lblVersion);
    texts->addSpacing(6);
    texts->addWidget(lblDescription);
    auto *head = new QHBoxLayout;
    head->addWidget(picIcon, 0, Qt::AlignTop);
    head->addSpacing(10);
    head->addLayout(texts, 1);
    auto *foot = new QHBoxLayout;
    foot->addWidget(lblDisclaimer, 1, Qt::AlignTop);
    foot->addSpacing(12);
    foot->addWidget(cmdOK, 0, Qt::AlignBottom);
    auto *box = new QVBoxLayout(this);
    box->setContentsMargins(14, 14, 14, 14);
    box->addLayout(head);
    box->addStretch(1);
    box->addWidget(separator);
    box->addLayout(foot);

    Form_Load();

    // Fixed frame at the design size, grown only where a large interface font needs more height.
    int height = kClientSize.height();
    if (box->hasHeightForWidth())
        height = qMax(height, box->totalHeightForWidth(kClientSize.width()));
    setFixedSize(kClientSize.width(), height);
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(origin + kClientPosition, size()));
}

void AboutEnkin::Form_Load()
{
    QString title = QCoreApplication::applicationName();
    if (title.isEmpty())
        title = QStringLiteral("enkin");
    setWindowTitle(tr("About %1").arg(title));

    const QVersionNumber version =
        QVersionNumber::fromString(QCoreApplication::applicationVersion());
    lblVersion->setText(tr("Version %1.%2.%3")
                            .arg(version.majorVersion())
                            .arg(version.minorVersion())
                            .arg(version.microVersion()));
    lblTitle->setText(title);
}

} // namespace enkin
