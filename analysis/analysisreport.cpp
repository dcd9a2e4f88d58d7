#include "analysis/analysisreport.h"

#include "engine/numtext.h"
#include "engine/units.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace enkin {

namespace {

struct Row {
    std::string text;
    char point;

    Row &operator<<(std::string_view field)
    {
        if (!text.empty())
            text += '\t';
        text += field;
        return *this;
    }
    Row &operator<<(double number)
    {
        std::string field = std::isfinite(number) ? formatGeneral(number) : std::string();
        std::replace(field.begin(), field.end(), '.', point);
        return *this << std::string_view(field);
    }
    // The value and the ends of its interval; the ends are empty without one.
    Row &operator<<(const Estimate &e)
    {
        const double nan = std::nan("");
        return *this << e.value << (e.hasInterval ? e.value - e.halfWidth : nan)
                     << (e.hasInterval ? e.value + e.halfWidth : nan);
    }
    Row &operator<<(const InhibitionConstant &c)
    {
        const double nan = std::nan("");
        return *this << c.value << (c.hasInterval ? c.low : nan) << (c.hasInterval ? c.high : nan);
    }
};

Estimate scaled(const MethodFit &fit, Estimate e, double by)
{
    if (fit.status != FitStatus::Ok || !(by > 0))
        return {std::nan(""), 0, false};
    e.value /= by;
    e.halfWidth /= by;
    return e;
}

} // namespace

namespace {

struct MethodTexts {
    Method method;
    const char *name;
    const char *title;
};
constexpr MethodTexts kMethodTexts[] = {
    {Method::Direct, ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "direct fit"),
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Direct fit of the hyperbola")},
    {Method::LineweaverBurk, ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Lineweaver-Burk"),
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Lineweaver-Burk line")},
    {Method::HanesWoolf, ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Hanes-Woolf"),
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Hanes-Woolf line")},
    {Method::EadieHofstee, ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Eadie-Hofstee"),
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Eadie-Hofstee line")},
};

// In the order the reasons are listed.
constexpr std::pair<Mark, const char *> kMarkReasons[] = {
    {Mark::NotUsable,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "[S]0 or velocity not positive")},
    {Mark::BeforeSteadyState,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "before the steady state")},
    {Mark::StillChanging,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "[ES] still over 1% from its steady level")},
    {Mark::SubstrateUsed,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "over 10% of the substrate used")},
    {Mark::EnzymeExcess,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "too much enzyme: [E]0 over 1% of [S]0 + Km")},
    {Mark::FewDigits,
     ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "velocity has fewer than 3 digits")},
};

const MethodTexts &textsOf(Method method)
{
    for (const MethodTexts &t : kMethodTexts)
        if (t.method == method)
            return t;
    return kMethodTexts[0];
}

} // namespace

std::string_view methodName(Method method)
{
    return textsOf(method).name;
}

std::string_view methodTitle(Method method)
{
    return textsOf(method).title;
}

std::string_view inhibitionLawName(InhibitionModel model)
{
    switch (model) {
    case InhibitionModel::Competitive:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "competitive law");
    case InhibitionModel::Uncompetitive:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "uncompetitive law");
    case InhibitionModel::Mixed:
        break;
    }
    return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "mixed law");
}

std::string_view inhibitionFinding(const InhibitionStudy &study)
{
    switch (classify(study)) {
    case InhibitionType::Competitive:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                    "The readings show competitive inhibition: the inhibitor binds "
                                    "the free enzyme only.");
    case InhibitionType::Uncompetitive:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                    "The readings show uncompetitive inhibition: the inhibitor "
                                    "binds the enzyme-substrate complex only.");
    case InhibitionType::Mixed:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                    "The readings show mixed inhibition: the inhibitor binds the "
                                    "free enzyme and the complex, with different constants.");
    case InhibitionType::Noncompetitive:
        return ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                    "The readings show noncompetitive inhibition: mixed inhibition "
                                    "with αKi = Ki, the inhibitor binding the free enzyme and the "
                                    "complex alike.");
    case InhibitionType::Undetermined:
        break;
    }
    // A law that fits but has no AICc, or one without enough readings, wants more readings.
    const bool tooFew = std::any_of(study.models.begin(), study.models.end(), [](const auto &m) {
        return m.status == FitStatus::Ok || m.status == FitStatus::TooFewReadings;
    });
    return tooFew ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                         "The type of inhibition cannot be determined yet: "
                                         "comparing the laws needs readings at two or more [S]0 "
                                         "and two or more [I]0, at least six for the competitive "
                                         "and uncompetitive laws and seven for the mixed law.")
                  : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                         "The type of inhibition could not be determined: no "
                                         "inhibition law fits these readings with positive "
                                         "constants.");
}

std::string_view errorModelName(ErrorModel model)
{
    return model == ErrorModel::Constant
               ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "constant: % of the true Vmax")
               : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "proportional: % of v");
}

std::string_view spreadName(Spread spread)
{
    return spread == Spread::Interval95
               ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "95% confidence interval")
               : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                      "± 1 standard error of the line, not a 95% interval: the "
                                      "transform distorts the errors");
}

std::string_view weightsName(ErrorModel model)
{
    return model == ErrorModel::Constant
               ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "equal weights, for constant error")
               : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                      "weights 1/v^2 of the fitted curve, for proportional error");
}

std::string marksText(Mark marks, const Translate &translate)
{
    std::string text;
    for (const auto &[mark, reason] : kMarkReasons)
        if (has(marks, mark))
            text += (text.empty() ? "" : "; ") + (translate ? translate(reason) : reason);
    return text;
}

Estimate kcatOf(const MethodFit &fit, const ReadingGroup &group)
{
    return scaled(fit, fit.vmax, group.eTotal);
}

Estimate specificityOf(const MethodFit &fit, const ReadingGroup &group)
{
    return scaled(fit, fit.vmaxOverKm, group.eTotal);
}

namespace {

// A group at several [I]0: the three laws fitted to all its readings, the type they show and the
// true inhibition constants.
template <typename Word, typename Line, typename MakeRow>
void inhibitionRows(const Study &study, int g, const StudyChoices &choices, const Word &word,
                    const Line &line, const MakeRow &row)
{
    const ReadingGroup &group = study.groups[std::size_t(g)];
    const InhibitionStudy laws = fitGroupInhibition(study, g, choices);
    const std::string low = word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "low")),
                      high = word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "high"));
    line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "inhibition law"))
               << "Vmax (M/s)" << low << high << "Km (M)" << low << high << "Ki (M)" << low << high
               << "αKi (M)" << low << high << "AICc"
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "Akaike weight"))
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "chosen")));
    for (std::size_t k = 0; k < laws.models.size(); ++k) {
        const InhibitionModelFit &m = laws.models[k];
        Row r = row() << word(inhibitionLawName(m.model));
        if (m.status == FitStatus::Ok)
            r << m.vmax << m.km << m.ki << m.alphaKi << m.aicc << m.weight;
        else
            for (int empty = 0; empty < 14; ++empty) // the twelve numbers, AICc and weight
                r << "";
        line(r << word(int(k) == laws.best ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "yes")
                                           : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "no")));
    }
    line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "type of inhibition"))
               << word(inhibitionFinding(laws)));
    if (group.hidden)
        return;
    // An inhibitor that does not bind the enzyme or the complex has no finite constant for it.
    const std::string none = word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "none"));
    Row truth = row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "true"));
    for (auto [name, value] :
         {std::pair{"Ki (M)", group.ki}, std::pair{"αKi (M)", group.alphaKi}}) {
        truth << name;
        if (std::isfinite(value))
            truth << value;
        else
            truth << std::string_view(none);
    }
    line(truth);
}

} // namespace

std::string resultsText(const Study &study, const StudyChoices &choices, char decimalPoint,
                        const Translate &translate)
{
    const auto word = [&](std::string_view english) {
        const std::string s(english);
        return translate ? translate(s.c_str()) : s;
    };
    std::string text;
    const auto line = [&](const Row &row) { text += row.text + '\n'; };
    const auto row = [&] { return Row{{}, decimalPoint}; };

    std::vector<GroupFit> fits;
    for (int g = 0; g < int(study.groups.size()); ++g)
        fits.push_back(fitGroup(study, g, choices));

    line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "row")) << "[S]0 (M)"
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "velocity (M/s)"))
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "used"))
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "marks")));
    for (int g = 0; g < int(study.groups.size()); ++g) {
        const GroupFit &fit = fits[std::size_t(g)];
        const ReadingGroup &group = study.groups[std::size_t(g)];
        for (std::size_t k = 0; k < group.members.size(); ++k) {
            const LoggedReading &r = study.readings[std::size_t(group.members[k])];
            const bool used = isIncluded(r, choices);
            line(row() << double(r.row) << fit.shown[k].s << fit.shown[k].v
                       << word(used ? ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "yes")
                                    : ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "no"))
                       << marksText(r.marks, translate));
        }
    }
    for (int g = 0; g < int(study.groups.size()); ++g) {
        const ReadingGroup &group = study.groups[std::size_t(g)];
        const GroupFit &fit = fits[std::size_t(g)];
        line(row());
        Row heading = row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "group")) + ' ' +
                                   std::to_string(g + 1)
                            << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "readings used"))
                            << double(fit.used.size());
        // An assignment's enzyme is named by its setting, never by its constants.
        if (group.hidden)
            heading << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "enzyme setting"))
                    << double(group.setting);
        else
            heading << "k1 (1/M/s)" << group.k1 * units::kK1 << "k2 (1/s)"
                    << group.k2 * units::kRate << "k-1 (1/s)" << group.kminus1 * units::kRate;
        line(heading << "[E]0 (M)" << group.eTotal);
        const std::string low = word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "low")),
                          high = word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "high"));
        line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "method")) << "Km (M)"
                   << low << high << "Vmax (M/s)" << low << high << "kcat (1/s)" << low << high
                   << "kcat/Km (1/M/s)" << low << high
                   << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "low and high")));
        for (const MethodFit &m : fit.methods) {
            Row r = row() << word(methodName(m.method));
            if (m.status == FitStatus::Ok) {
                r << m.km << m.vmax << kcatOf(m, group) << specificityOf(m, group);
                std::string spread = word(spreadName(m.km.spread));
                if (m.method == Method::Direct)
                    spread += "; " + word(weightsName(choices.errorModel));
                r << std::string_view(spread);
            }
            line(r);
        }
        const TheoreticalConstants &t = group.truth;
        const double nan = std::nan("");
        if (!group.hidden)
            line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "true"))
                       << (t.kmDefined ? t.km : nan) << ""
                       << "" << (t.vmaxDefined ? t.vmax : nan) << ""
                       << "" << t.kcat << ""
                       << "" << t.specificity);
        if (group.levels.size() > 1)
            inhibitionRows(study, g, choices, word, line, row);
    }
    line(row());
    line(row() << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow",
                                            "simulated measurement error (%)"))
               << choices.errorPercent
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "error model"))
               << word(errorModelName(choices.errorModel))
               << word(ENKIN_TRANSLATE_NOOP("enkin::AnalysisWindow", "seed"))
               << double(choices.seed));
    return text;
}

} // namespace enkin
