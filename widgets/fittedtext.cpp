#include "widgets/fittedtext.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace enkin {

namespace {

// Refits the box it watches whenever the box is resized.
class Fitter : public QObject {
public:
    Fitter(QLineEdit *box) : QObject(box), m_box(box), m_full(box->font()) {}

    void fit()
    {
        QFont font = m_full;
        m_box->setFont(font);
        const int room = textRoom(m_box), advance = textAdvance(m_box);
        if (advance > room && advance > 0) {
            // Font widths grow in steps with the size: shrink until the text fits.
            double size = std::max(kLeastFittedPointSize, m_full.pointSizeF() * room / advance);
            font.setPointSizeF(size);
            m_box->setFont(font);
            while (textAdvance(m_box) > room && size > kLeastFittedPointSize) {
                size = std::max(kLeastFittedPointSize, size - 0.25);
                font.setPointSizeF(size);
                m_box->setFont(font);
            }
        }
        // Beyond the least size the whole text is in the tooltip; otherwise the box's own.
        if (m_box->toolTip() != m_shownTip)
            m_tip = m_box->toolTip();
        m_shownTip = textAdvance(m_box) > room ? m_box->text() : m_tip;
        m_box->setToolTip(m_shownTip);
        // A text the program wrote shows from its start; a student's typing keeps its caret.
        if (m_box->isReadOnly())
            m_box->setCursorPosition(0);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_box && event->type() == QEvent::Resize)
            fit();
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *m_box;
    QFont m_full;
    QString m_tip;      // the box's own tooltip
    QString m_shownTip; // the tooltip the fitter set last
};

} // namespace

int textAdvance(const QLineEdit *box)
{
    return QFontMetrics(box->font()).horizontalAdvance(box->text());
}

int textRoom(const QLineEdit *box)
{
    QStyleOptionFrame option;
    option.initFrom(box);
    option.rect = box->rect();
    option.lineWidth =
        box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    const QMargins margins = box->textMargins();
    // QLineEdit keeps two pixels on each side of its text inside the contents.
    return contents.width() - margins.left() - margins.right() - 4;
}

void keepTextFitted(QLineEdit *box)
{
    auto *fitter = new Fitter(box);
    box->installEventFilter(fitter);
    QObject::connect(box, &QLineEdit::textChanged, fitter, [fitter] { fitter->fit(); });
    QObject::connect(box, &QLineEdit::editingFinished, box, [box] { box->setCursorPosition(0); });
    fitter->fit();
}

} // namespace enkin
