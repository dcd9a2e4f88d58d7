// The Analysis window for a group at several [I]0 of an inhibitor: each method's tab as a family
// of curves or lines, one per [I]0 in its colour; the fifth tab with the Dixon and Cornish-Bowden
// plots; and the inhibition laws in the group's results.
#include "analysis/analysisreport.h"
#include "analysis/analysiswindow.h"
#include "analysis/inhibitionplot.h"
#include "analysis/windowparts.h"

#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <tuple>
#include <utility>

namespace enkin {

using namespace windowparts;

namespace {

// Okabe and Ito's colours, told apart also without red or green vision; black first, most often
// the readings without inhibitor.
const QColor kPalette[] = {{0, 0, 0},       {0, 114, 178}, {213, 94, 0},  {0, 158, 115},
                           {204, 121, 167}, {230, 159, 0}, {86, 180, 233}};
// Past the palette the colours come round again with another marker.
constexpr QScatterSeries::MarkerShape kShapes[] = {
    QScatterSeries::MarkerShapeCircle, QScatterSeries::MarkerShapeRectangle,
    QScatterSeries::MarkerShapeTriangle, QScatterSeries::MarkerShapeRotatedRectangle};
const QColor kKeyColour(80, 80, 80);
const PlotPoints kNone;

// "[I]₀ = 20 µM", "[I]₀ = 0": a concentration in the plots' unit.
QString micromolar(const QString &symbol, double molar)
{
    return molar == 0 ? symbol + QStringLiteral(" = 0")
                      : QStringLiteral("%1 = %2 µM").arg(symbol, number(molar * 1e6));
}

// The four series of a member, for what is done to each.
std::array<QAbstractSeries *, 4> seriesOf(const auto &member)
{
    return {member.used, member.leftOut, member.fitted, member.truth};
}

QString levelName(double i0)
{
    return micromolar(QStringLiteral("[I]₀"), i0);
}

// What the pattern of a method's family tells.
QString familyHint(Method method)
{
    switch (method) {
    case Method::Direct:
        return AnalysisWindow::tr("Curves that rise to the same Vmax show competitive inhibition; "
                                  "an inhibitor that lowers Vmax binds the complex.");
    case Method::LineweaverBurk:
        return AnalysisWindow::tr("Lines that meet on the 1/v axis show competitive inhibition, "
                                  "parallel lines uncompetitive, lines that meet left of the 1/v "
                                  "axis mixed.");
    case Method::HanesWoolf:
        return AnalysisWindow::tr("Parallel lines show competitive inhibition, lines that meet on "
                                  "the [S]₀/v axis uncompetitive, lines that meet left of it "
                                  "mixed.");
    case Method::EadieHofstee:
        return AnalysisWindow::tr("Lines that meet on the v axis show competitive inhibition, "
                                  "lines that meet on the v/[S]₀ axis uncompetitive, lines that "
                                  "meet elsewhere mixed.");
    }
    return {};
}

QString familyCaption(Method method, bool hidden)
{
    // Short, so that the plot keeps its room: the results list each level's apparent constants.
    QString text = familyHint(method) + QLatin1Char(' ') +
                   AnalysisWindow::tr("Each [I]₀ is fitted on its own; the results list their "
                                      "apparent Km and Vmax.");
    if (!hidden)
        text += AnalysisWindow::tr(" Dashed: the true curve or line at each [I]₀.");
    return text;
}

QString lawFailure(FitStatus status)
{
    switch (status) {
    case FitStatus::Ok:
        return AnalysisWindow::tr("fits, but too few readings for an AICc");
    case FitStatus::TooFewReadings:
        return AnalysisWindow::tr("too few readings");
    case FitStatus::NotMeaningful:
        return AnalysisWindow::tr("gives a constant that is not positive");
    case FitStatus::NotConverged:
        return AnalysisWindow::tr("did not converge");
    }
    return {};
}

} // namespace

QWidget *AnalysisWindow::createInhibitionTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    m_dixon =
        createChart(QStringLiteral("dixonChart"), tr("Dixon plot: 1/v against [I]<sub>0</sub>"),
                    tr("[I]<sub>0</sub> (µM)"), tr("1/v (s/µM)"), false);
    m_cornishBowden =
        createChart(QStringLiteral("cornishBowdenChart"),
                    tr("Cornish-Bowden plot: [S]<sub>0</sub>/v against [I]<sub>0</sub>"),
                    tr("[I]<sub>0</sub> (µM)"), tr("[S]<sub>0</sub>/v (s)"), false);
    for (Chart *chart : {&m_dixon, &m_cornishBowden}) {
        // Stacked, they keep their height for the plot: the [S]0 are listed beside it.
        chart->view->chart()->legend()->setAlignment(Qt::AlignRight);
        chart->view->setMinimumHeight(12 * fontMetrics().height());
        layout->addWidget(chart->view, 1);
    }
    m_inhibitionCaption = new QLabel;
    m_inhibitionCaption->setObjectName(QStringLiteral("inhibitionCaption"));
    m_inhibitionCaption->setWordWrap(true);
    m_inhibitionCaption->setTextInteractionFlags(Qt::TextSelectableByMouse |
                                                 Qt::TextSelectableByKeyboard);
    m_inhibitionCaption->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(m_inhibitionCaption);
    // In the tabs for now, so that it has a parent; showTabs takes it out while it does not apply.
    m_tabs->addTab(page, tr("Dixon and Cornish-Bowden"));
    return page;
}

void AnalysisWindow::showFamily(Chart &chart, const std::vector<MemberPlot> &members,
                                const AxisRange &x, const AxisRange &y, bool zeroX, bool zeroY,
                                bool withKeys)
{
    QChart *c = chart.view->chart();
    // The legend shows each member's marker, and the keys' solid and dashed lines.
    c->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    const auto add = [&](QAbstractSeries *series) {
        c->addSeries(series);
        series->attachAxis(chart.x);
        series->attachAxis(chart.y);
    };
    if (chart.members.size() < members.size()) {
        // The keys to the line styles stay last in the legend.
        for (QLineSeries *key : {chart.fittedKey, chart.trueKey})
            if (key)
                c->removeSeries(key);
        while (chart.members.size() < members.size()) {
            const std::size_t k = chart.members.size();
            const QColor colour = kPalette[k % std::size(kPalette)];
            Member m{new QScatterSeries, new QScatterSeries, new QLineSeries, new QLineSeries};
            for (QScatterSeries *s : {m.used, m.leftOut}) {
                const bool hollow = s == m.leftOut;
                s->setMarkerShape(kShapes[k / std::size(kPalette) % std::size(kShapes)]);
                s->setMarkerSize(9);
                s->setColor(hollow ? QColor(Qt::transparent) : colour);
                s->setBorderColor(colour);
                s->setPen(QPen(colour, hollow ? 1.5 : 1));
            }
            m.fitted->setPen(QPen(colour, 2));
            m.truth->setPen(QPen(colour, 1.5, Qt::DashLine));
            // Lines under the readings.
            for (QAbstractSeries *s :
                 std::array<QAbstractSeries *, 4>{m.fitted, m.truth, m.used, m.leftOut})
                add(s);
            chart.members.push_back(m);
        }
        if (!chart.fittedKey) {
            chart.fittedKey = new QLineSeries;
            chart.fittedKey->setName(tr("fitted"));
            chart.fittedKey->setPen(QPen(kKeyColour, 2));
            chart.trueKey = new QLineSeries;
            chart.trueKey->setName(tr("true"));
            chart.trueKey->setPen(QPen(kKeyColour, 1.5, Qt::DashLine));
        }
        add(chart.fittedKey);
        add(chart.trueKey);
    }
    // The single plot's series give way to the family's.
    for (QAbstractSeries *s : seriesOf(chart))
        if (s)
            s->setVisible(false);
    bool anyFitted = false, anyTruth = false;
    for (std::size_t k = 0; k < chart.members.size(); ++k) {
        const Member &m = chart.members[k];
        const bool shown = k < members.size();
        const MemberPlot none{QString(), &kNone, &kNone, &kNone, &kNone};
        const MemberPlot &p = shown ? members[k] : none;
        m.used->setName(p.name);
        m.used->replace(toQt(*p.used));
        m.leftOut->replace(toQt(*p.leftOut));
        m.fitted->replace(toQt(*p.fitted));
        m.truth->replace(toQt(*p.truth));
        m.used->setVisible(shown);
        m.leftOut->setVisible(shown && !p.leftOut->empty());
        m.fitted->setVisible(shown && !p.fitted->empty());
        m.truth->setVisible(shown && !p.truth->empty());
        anyFitted = anyFitted || !p.fitted->empty();
        anyTruth = anyTruth || !p.truth->empty();
        for (QAbstractSeries *s : seriesOf(m))
            if (s != m.used)
                hideFromLegend(c, s);
    }
    chart.fittedKey->setVisible(withKeys && anyFitted);
    chart.trueKey->setVisible(withKeys && anyTruth);
    setRange(chart.x, x);
    setRange(chart.y, y);
    chart.zeroX->replace(zeroX ? QList<QPointF>{{0, y.lo}, {0, y.hi}} : QList<QPointF>{});
    chart.zeroY->replace(zeroY ? QList<QPointF>{{x.lo, 0}, {x.hi, 0}} : QList<QPointF>{});
    chart.zeroX->setVisible(zeroX);
    chart.zeroY->setVisible(zeroY);
    hideFromLegend(c, chart.zeroX);
    hideFromLegend(c, chart.zeroY);
}

bool AnalysisWindow::plotsInhibition() const
{
    return m_tabs->indexOf(m_inhibitionPage) >= 0;
}

bool AnalysisWindow::showLevels()
{
    const bool several = m_group >= 0 && m_group < int(m_study.groups.size()) &&
                         m_study.groups[std::size_t(m_group)].levels.size() > 1;
    const int tab = m_tabs->indexOf(m_inhibitionPage);
    if (several && tab < 0)
        m_tabs->addTab(m_inhibitionPage, tr("Dixon and Cornish-Bowden"));
    else if (!several && tab >= 0)
        m_tabs->removeTab(tab);
    if (!several) {
        for (Chart *chart : {&m_charts[0], &m_charts[1], &m_charts[2], &m_charts[3], &m_residuals,
                             &m_dixon, &m_cornishBowden}) {
            for (const Member &m : chart->members)
                for (QAbstractSeries *s : seriesOf(m))
                    s->setVisible(false);
            for (QLineSeries *key : {chart->fittedKey, chart->trueKey})
                if (key)
                    key->setVisible(false);
            chart->used->setVisible(true);
            chart->view->chart()->legend()->setMarkerShape(QLegend::MarkerShapeRectangle);
        }
        return false;
    }

    const std::size_t g = std::size_t(m_group);
    const GroupFit &fit = m_fits[g];
    const ReadingGroup &group = m_study.groups[g];
    const std::vector<LevelFit> levels = levelFits(m_study, m_group, fit, m_choices.errorModel);
    for (Method method : kMethods) {
        const std::size_t m = std::size_t(method);
        const FamilyPlot family = familyPlot(method, levels);
        std::vector<MemberPlot> members, residuals;
        for (std::size_t k = 0; k < levels.size(); ++k) {
            const MethodPlot &p = family.levels[k];
            const QString name = levelName(levels[k].i0);
            members.push_back({name, &p.used, &p.leftOut, &p.fitted, &p.truth});
            residuals.push_back({name, &p.residualsUsed, &p.residualsLeftOut, &kNone, &kNone});
        }
        showFamily(m_charts[m], members, family.x, family.y, family.zeroX, family.zeroY, true);
        if (method == Method::Direct) {
            const AxisRange &r = family.residual;
            showFamily(m_residuals, residuals, family.x, {r.lo, r.hi, 3}, false, true, false);
        }
        m_captions[m]->setText(familyCaption(method, group.hidden));
        m_captions[m]->setAccessibleName(htmlToPlain(m_captions[m]->text()));
    }

    const InhibitionStudy &laws = m_laws[g];
    for (auto [kind, chart] : {std::pair{InhibitorPlot::Dixon, &m_dixon},
                               std::pair{InhibitorPlot::CornishBowden, &m_cornishBowden}}) {
        const SubstratePlot plot = substratePlot(kind, m_study, m_group, fit, laws);
        std::vector<MemberPlot> members;
        for (const SubstrateSeries &line : plot.lines)
            members.push_back({micromolar(QStringLiteral("[S]₀"), line.s0), &line.used,
                               &line.leftOut, &line.line, &kNone});
        showFamily(*chart, members, plot.x, plot.y, plot.zeroX, plot.zeroY, false);
    }
    m_inhibitionCaption->setText(
        laws.best < 0
            ? tr("No inhibition law was chosen: the plots show the readings only.")
            : tr("Lines of the %1, fitted to all readings at once, one per [S]₀. On the Dixon plot "
                 "the lines of competitive and mixed inhibition meet at [I]₀ = −Ki, those of "
                 "uncompetitive inhibition are parallel; on the Cornish-Bowden plot the lines of "
                 "uncompetitive and mixed inhibition meet at [I]₀ = −αKi, those of competitive "
                 "inhibition are parallel.")
                  .arg(tr(inhibitionLawName(laws.models[std::size_t(laws.best)].model).data())));
    m_inhibitionCaption->setAccessibleName(m_inhibitionCaption->text());
    return true;
}

QString AnalysisWindow::inhibitionResults(int group) const
{
    const ReadingGroup &g = m_study.groups[std::size_t(group)];
    const InhibitionStudy &laws = m_laws[std::size_t(group)];
    const bool known = !g.hidden;
    QString text = QStringLiteral("<b>%1</b><br>").arg(tr(inhibitionFinding(laws).data()));

    // The three laws by AICc, the lowest first in ΔAICc.
    text += QStringLiteral("<table cellspacing=0 cellpadding=2><tr><td colspan=5><i>%1</i></td>"
                           "</tr><tr><th align=left>%2</th><th>AICc</th><th>ΔAICc</th>"
                           "<th>%3</th><th></th></tr>")
                .arg(tr("The inhibition laws, each fitted to all readings at once"), tr("Law"),
                     tr("Akaike weight"));
    const double lowest =
        laws.lowest >= 0 ? laws.models[std::size_t(laws.lowest)].aicc : std::nan("");
    for (std::size_t k = 0; k < laws.models.size(); ++k) {
        const InhibitionModelFit &m = laws.models[k];
        const QString name = tr(inhibitionLawName(m.model).data());
        if (m.status != FitStatus::Ok || !std::isfinite(m.aicc)) {
            text += QStringLiteral("<tr><td>%1</td><td colspan=4>%2</td></tr>")
                        .arg(name, lawFailure(m.status));
            continue;
        }
        text += QStringLiteral("<tr><td>%1</td><td align=right>%2</td><td align=right>%3</td>"
                               "<td align=right>%4</td><td><b>%5</b></td></tr>")
                    .arg(name, number(m.aicc, 'f', 2), number(m.aicc - lowest, 'f', 2),
                         number(m.weight, 'f', 3), int(k) == laws.best ? tr("chosen") : QString());
    }
    text += QStringLiteral("</table>");

    const auto row = [&](const QString &quantity, const QString &fitted, const QString &truth) {
        text += QStringLiteral("<tr><td style=\"white-space:nowrap\">%1</td><td>%2</td>"
                               "<td>%3</td></tr>")
                    .arg(quantity, fitted, known ? truth : QString());
    };
    if (laws.best >= 0) {
        const InhibitionModelFit &m = laws.models[std::size_t(laws.best)];
        const TheoreticalConstants &t = g.truth;
        const QString law = tr(inhibitionLawName(m.model).data());
        text += QStringLiteral("<table cellspacing=0 cellpadding=2><tr><td colspan=3><i>%1</i>"
                               "</td></tr>")
                    .arg(known ? tr("The %1's constants, 95% intervals; true values").arg(law)
                               : tr("The %1's constants, 95% intervals").arg(law));
        const auto trueValue = [&](double value, const QString &unit, const QString &none) {
            return std::isfinite(value) ? unbroken(scientificMarkup(value)) + unit : none;
        };
        row(QStringLiteral("Vmax"),
            unbroken(estimateMarkup(m.vmax, truePower(known, t.vmax))) + QStringLiteral(" M/s"),
            trueValue(t.vmax, QStringLiteral(" M/s"), tr("undefined")));
        row(QStringLiteral("Km"),
            unbroken(estimateMarkup(m.km, truePower(known, t.km))) + QStringLiteral(" M"),
            trueValue(t.kmDefined ? t.km : std::nan(""), QStringLiteral(" M"), tr("undefined")));
        for (auto [name, fitted, truth, none] :
             {std::tuple{QStringLiteral("Ki"), m.ki, g.ki, tr("none: does not bind E")},
              std::tuple{QStringLiteral("αKi"), m.alphaKi, g.alphaKi,
                         tr("none: does not bind ES")}})
            row(name,
                std::isfinite(fitted.value)
                    ? unbroken(intervalMarkup(fitted, truePower(known, truth))) +
                          QStringLiteral(" M")
                    : tr("not in this law"),
                trueValue(truth, QStringLiteral(" M"), none));
        if (m.model == InhibitionModel::Mixed)
            row(QStringLiteral("α = αKi/Ki"), unbroken(intervalMarkup(m.alpha)),
                trueValue(g.alphaKi / g.ki, QString(), QString()));
        text += QStringLiteral("</table>");
    }

    // Each [I]0 on its own: how the inhibitor moves the apparent Km and Vmax.
    text += QStringLiteral("<table cellspacing=0 cellpadding=2><tr><td colspan=3><i>%1</i></td>"
                           "</tr>")
                .arg(tr("At each [I]₀ on its own, the direct fit's apparent Km (M) and Vmax "
                        "(M/s), 95% intervals"));
    for (const LevelFit &level :
         levelFits(m_study, group, m_fits[std::size_t(group)], m_choices.errorModel)) {
        const MethodFit &direct = level.fit.methods[0];
        const TheoreticalConstants &t = level.group.truth;
        text +=
            QStringLiteral("<tr><td style=\"white-space:nowrap\">%1</td>").arg(levelName(level.i0));
        text += direct.status == FitStatus::Ok
                    ? QStringLiteral("<td>%1</td><td>%2</td></tr>")
                          .arg(unbroken(estimateMarkup(direct.km, truePower(known, t.km))),
                               unbroken(estimateMarkup(direct.vmax, truePower(known, t.vmax))))
                    : QStringLiteral("<td colspan=2>%1</td></tr>").arg(tr("no fit"));
    }
    text += QStringLiteral("</table>");
    text += tr("<small>The law chosen is the simplest whose AICc is within 2 of the lowest: a law "
               "with more constants must fit clearly better to be preferred. The Akaike weight is "
               "each law's relative likelihood given the readings. The intervals of Ki and αKi "
               "are wider on their far side, as the readings fix 1/Ki better than Ki.</small>");
    return text;
}

} // namespace enkin
