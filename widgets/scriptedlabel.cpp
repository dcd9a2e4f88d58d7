#include "widgets/scriptedlabel.h"

#include "widgets/design.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocumentFragment>
#include <QtMath>

namespace enkin {

QList<ScriptRun> parseScripts(const QString &markup)
{
    const auto opensPart = [&markup](qsizetype i) {
        return (markup[i] == u'^' || markup[i] == u'_') && i + 1 < markup.size() &&
               markup[i + 1] == u'{' && markup.indexOf(u'}', i) > i;
    };
    QList<ScriptRun> runs;
    for (qsizetype i = 0; i < markup.size();) {
        if (opensPart(i)) {
            const qsizetype close = markup.indexOf(u'}', i);
            runs.push_back({markup.mid(i + 2, close - i - 2), markup[i] == u'^' ? 1 : -1});
            i = close + 1;
        } else {
            qsizetype next = i + 1;
            while (next < markup.size() && !opensPart(next))
                ++next;
            runs.push_back({markup.mid(i, next - i), 0});
            i = next;
        }
    }
    return runs;
}

QString scriptsToHtml(const QString &markup)
{
    QString html;
    for (const ScriptRun &run : parseScripts(markup)) {
        const QString text = run.text.toHtmlEscaped();
        html += run.shift > 0   ? QStringLiteral("<sup>%1</sup>").arg(text)
                : run.shift < 0 ? QStringLiteral("<sub>%1</sub>").arg(text)
                                : text;
    }
    return html;
}

QString htmlToPlain(QString html)
{
    html.replace(QLatin1String("<sup>"), QLatin1String("^")).remove(QLatin1String("</sup>"));
    return QTextDocumentFragment::fromHtml(html).toPlainText().simplified();
}

QString scriptsToPlain(const QString &markup)
{
    QString plain;
    for (const ScriptRun &run : parseScripts(markup))
        plain += (run.shift > 0 ? QStringLiteral("^") : QString()) + run.text;
    return plain;
}

ScriptedLabel::ScriptedLabel(const QString &markup, Qt::Alignment align, QWidget *parent)
    : QWidget(parent), m_base(serifFont(9.75)), m_small(serifFont(8.25)), m_align(align)
{
    for (const ScriptRun &run : parseScripts(markup))
        m_runs.push_back({run.text, run.shift});
    setAccessibleName(scriptsToPlain(markup));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize ScriptedLabel::sizeHint() const
{
    const Extent e = extent();
    return QSize(qCeil(e.width), qCeil(e.above + e.below));
}

void ScriptedLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    const Extent e = extent();
    qreal x = (m_align & Qt::AlignRight) ? width() - e.width : 0;
    const qreal baseline = qRound((height() - e.above - e.below) / 2 + e.above);
    for (const Run &run : m_runs) {
        p.setFont(run.shift ? m_small : m_base);
        p.drawText(QPointF(x, baseline + offset(run.shift)), run.text);
        x += QFontMetricsF(p.font()).horizontalAdvance(run.text);
    }
}

// How far below the main baseline a part's baseline lies.
qreal ScriptedLabel::offset(int shift) const
{
    const qreal ascent = QFontMetricsF(m_base).ascent();
    return shift > 0 ? -qRound(ascent * 0.4) : shift < 0 ? qRound(ascent * 0.25) : 0;
}

ScriptedLabel::Extent ScriptedLabel::extent() const
{
    Extent e;
    for (const Run &run : m_runs) {
        const QFontMetricsF fm(run.shift ? m_small : m_base);
        e.width += fm.horizontalAdvance(run.text);
        e.above = qMax(e.above, fm.ascent() - offset(run.shift));
        e.below = qMax(e.below, fm.descent() + offset(run.shift));
    }
    return e;
}

} // namespace enkin
