#include "datalog/dataform.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTextCursor>

#include "widgets/design.h"

namespace enkin {

namespace {

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twips(left, top, width, height));
}

// The table's columns are counted in characters of a proportional font, so they line up only as
// well as the font allows; at 8 point in Arial's metrics a 75-character line and the 105-character
// heading fit the box without wrapping, as they did in the usual 8-point interface font.
QFont tableFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    return font;
}

// The table's window is 6615 x 3735 twips; the status line of the copy button extends it below,
// so that the designed controls keep their places.
constexpr int kClientWidth = 6615;
constexpr int kStatusTop = 3780;
constexpr int kStatusHeight = 285;
constexpr int kClientHeight = kStatusTop + kStatusHeight + 75;

} // namespace

DataForm::DataForm(QWidget *parent)
    : QWidget(parent, parent ? Qt::Window : Qt::WindowFlags()), m_label1(new QLabel(this)),
      m_label2(new QLabel(this)), m_dataText(new QPlainTextEdit(this)),
      m_command1(new QPushButton(this)), m_copy(new QPushButton(this)),
      m_copyStatus(new QLabel(this))
{
    // The frame's close box discards the window; Close merely hides it.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Saved Data"));
    setFixedSize(px(kClientWidth), px(kClientHeight));

    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setText(tr("Select, Copy and Paste into Spreadsheet"));
    m_label1->setFont(serifFont(12, false));
    QPalette darkBlue = m_label1->palette();
    darkBlue.setColor(QPalette::WindowText, headingColour(darkBlue));
    m_label1->setPalette(darkBlue);
    m_label1->setAccessibleName(m_label1->text());
    placeTwips(m_label1, 405, 105, 5925, 285);

    // Blanks space the column names over the table; they are part of the heading.
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setText(QStringLiteral("  t                E                ES               S       "
                                     "      Vel           "));
    m_label2->setFont(serifFont(12, true));
    QPalette black = m_label2->palette();
    black.setColor(QPalette::WindowText, onWindow(Qt::black, black));
    m_label2->setPalette(black);
    m_label2->setAccessibleName(tr("Columns: t, E, ES, S, Vel"));
    placeTwips(m_label2, 540, 555, 5490, 285);

    m_dataText->setObjectName(QStringLiteral("DataText"));
    m_dataText->setPlainText(QStringLiteral("Text1"));
    m_dataText->setFont(tableFont());
    m_dataText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_dataText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab leaves the table instead of typing into it, so the keyboard can reach the buttons.
    m_dataText->setTabChangesFocus(true);
    m_dataText->setAccessibleName(tr("Saved data"));
    m_dataText->setAccessibleDescription(
        tr("The accepted readings, one per line: time in seconds, [E], [ES] and [S] in molar, "
           "velocity in molar per second"));
    placeTwips(m_dataText, 390, 885, 5865, 2280);

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(tr("Close"));
    m_command1->setAccessibleName(m_command1->text());
    m_command1->setAccessibleDescription(tr("Hide the Saved Data window"));

    m_copy->setObjectName(QStringLiteral("CopyForSpreadsheet"));
    m_copy->setText(tr("Copy for Spreadsheet"));
    m_copy->setAccessibleName(m_copy->text());
    m_copy->setAccessibleDescription(
        tr("Copy the readings to the clipboard as tab-separated columns with units"));
    // A larger desktop font widens the buttons; the row spreads apart rather than overlap.
    placeButtonRow(
        {{m_command1, twips(2625, 3300, 1230, 375)}, {m_copy, twips(3975, 3300, 2280, 375)}},
        width());

    m_copyStatus->setObjectName(QStringLiteral("CopyStatus"));
    // No fixed name: assistive technology reads the confirmation itself.
    m_copyStatus->setAccessibleDescription(tr("Copy status"));
    placeTwips(m_copyStatus, 390, kStatusTop, 5865, kStatusHeight);

    setTabOrder(m_command1, m_dataText);
    setTabOrder(m_dataText, m_copy);

    connect(m_command1, &QPushButton::clicked, this, &DataForm::Command1_Click);
    connect(m_copy, &QPushButton::clicked, this, &DataForm::CopyForSpreadsheet_Click);
    // Esc closes the window the way Close does.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &DataForm::Command1_Click);
}

void DataForm::showData(const DataLog &log)
{
    m_shown = log;
    m_copyStatus->clear();
    m_dataText->setPlainText(QString::fromStdString(savedDataText(m_shown)));
    m_dataText->moveCursor(QTextCursor::End);
    m_dataText->ensureCursorVisible();
}

void DataForm::Command1_Click()
{
    hide();
}

void DataForm::CopyForSpreadsheet_Click()
{
    // The desktop's decimal sign, so that the spreadsheet reads every cell as a number.
    const QString point = QLocale().decimalPoint();
    const char decimalPoint =
        point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
    const auto translate = [](const char *english) { return tr(english).toStdString(); };
    const std::string text = spreadsheetText(m_shown, decimalPoint, translate);
    if (text.empty()) {
        m_copyStatus->setText(tr("Nothing to copy: no readings have been accepted yet."));
        return;
    }
    auto *mime = new QMimeData;
    mime->setText(QString::fromStdString(text));
    mime->setHtml(QString::fromStdString(spreadsheetHtml(m_shown, decimalPoint, translate)));
    QGuiApplication::clipboard()->setMimeData(mime);
    const int count = m_shown.SavedCount;
    m_copyStatus->setText(count == 1 ? tr("Copied 1 reading for a spreadsheet.")
                                     : tr("Copied %1 readings for a spreadsheet.").arg(count));
}

} // namespace enkin
