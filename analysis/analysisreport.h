// The Analysis window's results as text: the names of the methods and marks, and the block that
// "Copy Results" puts on the clipboard for a spreadsheet.
#pragma once

#include "analysis/readings.h"

#include <string>
#include <string_view>

namespace enkin {

// A method's short name ("direct fit", "Lineweaver-Burk") and its title in the results
// ("Direct fit of the hyperbola", "Lineweaver-Burk line"), in English; the window translates
// both in the context "enkin::AnalysisWindow".
std::string_view methodName(Method method);
std::string_view methodTitle(Method method);

// "competitive law", "uncompetitive law", "mixed law".
std::string_view inhibitionLawName(InhibitionModel model);

// The type of inhibition the global fit finds, as a sentence ("The readings show competitive
// inhibition: ..."), or why it could not find one: too few readings to compare the laws, or no law
// that fits with positive constants.
std::string_view inhibitionFinding(const InhibitionStudy &study);

// "constant: % of the true Vmax", "proportional: % of v".
std::string_view errorModelName(ErrorModel model);

// What the ± of an estimate is, and for the direct fit, its weights.
std::string_view spreadName(Spread spread);
std::string_view weightsName(ErrorModel model);

// The reasons of a reading's marks, joined with "; "; empty when it has none. Each reason is
// passed through `translate` when one is given (context "enkin::AnalysisWindow").
std::string marksText(Mark marks, const Translate &translate = {});

// kcat = Vmax / ([E]0 + [ES]0) and kcat / Km of a method's fit, with their intervals.
Estimate kcatOf(const MethodFit &fit, const ReadingGroup &group);
Estimate specificityOf(const MethodFit &fit, const ReadingGroup &group);

// Tab-separated, one line each ending in "\n": the readings (row, [S]0, velocity as fitted,
// whether used, the marks), then for each group its constants, a row per method with Km, Vmax,
// kcat and kcat/Km, the ends of value ± its spread and what that spread is (a 95% interval, or
// a line's standard error), and the true values; last the simulated error, its model and its
// seed. A group at several [I]0 has after its methods a row per inhibition law (Vmax, Km, Ki and
// αKi with the ends of their 95% intervals, AICc, Akaike weight, whether chosen), the type found
// and, unless hidden, the true Ki and αKi. Numbers use `decimalPoint`; the words pass through
// `translate` when one is given.
std::string resultsText(const Study &study, const StudyChoices &choices, char decimalPoint = '.',
                        const Translate &translate = {});

} // namespace enkin
