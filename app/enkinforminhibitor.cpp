// The main window's rows for an inhibitor: the colour key's fourth line, for the inhibited enzyme
// [EI] + [ESI], and its Results box. They stand below the design's rows and show only while the
// run drawn has an inhibitor; the window is then one row taller.
#include "app/enkinform.h"

#include "views/plotsurface.h"
#include "views/trajectoryview.h"
#include "widgets/design.h"
#include "widgets/fittedtext.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QtMath>

namespace enkin {

namespace {

// The rows' places in twips: the key's frame grows by one line, the Results by one box.
constexpr int kKeyHeight = 975, kKeyRow = 240, kResultsRow = 7170, kRowHeight = 480;

class KeyLine : public QWidget {
public:
    KeyLine(QColor colour, QWidget *parent) : QWidget(parent), m_colour(colour)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setPen(QPen(m_colour, 1));
        p.drawLine(0, 0, width(), 0);
    }

private:
    QColor m_colour;
};

QLabel *designLabel(QWidget *client, const char *name, const QString &text, qreal points,
                    QRect place)
{
    auto *label = new QLabel(text, client);
    label->setObjectName(QLatin1String(name));
    label->setFont(serifFont(points));
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    place.setWidth(
        std::max(place.width(), qCeil(QFontMetricsF(label->font()).horizontalAdvance(text))));
    label->setGeometry(place);
    return label;
}

} // namespace

void EnkinForm::buildInhibitorRows(QWidget *client)
{
    auto *line =
        new KeyLine(onWindow(PlotSurface::paletteColor(kInhibitedColour), palette()), client);
    line->setObjectName(QStringLiteral("Line5"));
    line->setGeometry(px(3645), px(7065), px(3885) - px(3645), 1);
    m_inhibitorRows = {line, designLabel(client, "Label37", tr("Inhibited Enzyme"), 9.75,
                                         twips(4125, 6945, 1575, 255))};

    EIVal = new QLineEdit(QStringLiteral("0"), client);
    EIVal->setObjectName(QStringLiteral("EIVal"));
    EIVal->setFont(interfaceFont());
    EIVal->setGeometry(twips(7020, kResultsRow, 615, 285));
    EIVal->setReadOnly(true);
    EIVal->setFocusPolicy(Qt::ClickFocus);
    QPalette p = EIVal->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    EIVal->setPalette(p);
    EIVal->setToolTip(tr("Inhibited enzyme [EI] + [ESI] at above time"));
    EIVal->setAccessibleName(tr("[EI] + [ESI], 10^-9 M"));
    EIVal->setAccessibleDescription(EIVal->toolTip());
    keepTextFitted(EIVal);

    QLabel *name = designLabel(client, "Label38", QStringLiteral("[EI]+[ESI]"), 9.75,
                               twips(6000, kResultsRow + 30, 900, 255));
    name->move(px(7020) - 3 - name->width(), name->y());
    m_inhibitorRows.append({EIVal, name,
                            designLabel(client, "Label39", QStringLiteral("x 10    M"), 9.75,
                                        twips(7815, kResultsRow + 30, 975, 255)),
                            designLabel(client, "Label40", QStringLiteral("-9  "), 8.25,
                                        twips(8175, kResultsRow - 90, 255, 255))});
    for (QWidget *w : m_inhibitorRows)
        w->hide();
}

void EnkinForm::showInhibitor(bool shown)
{
    if (m_inhibitorRows.isEmpty() || m_inhibitorRows.first()->isHidden() == !shown)
        return;
    for (QWidget *w : m_inhibitorRows)
        w->setVisible(shown);
    for (auto &[w, place] : m_design)
        if (w && w->objectName() == QLatin1String("Shape1"))
            place.setHeight(px(kKeyHeight + (shown ? kKeyRow : 0)));
    QWidget *client = centralWidget();
    const int least = client->minimumHeight();
    client->setMinimumHeight(px(7020 + (shown ? kRowHeight : 0)));
    // A window at its least size grows by the row and gives it back, so that the controls stand
    // where they stood before; a window made larger keeps its size, and the plot gives the room.
    if (!shown && client->height() == least) {
        layout()->activate(); // the window's least size follows the client's before the resize
        resize(width(), height() - (least - client->minimumHeight()));
    }
    placeForSize(client->size());
}

} // namespace enkin
