// The inhibitor's choices as the Initial Parameters dialog offers them: its type, which decides
// the site it binds, and the [I]0 list of multiples of its inhibition constant.
#pragma once

#include "params/runinputs.h"

#include <array>
#include <optional>
#include <string>

namespace enkin {

// Competitive binds E only (k3, k-3), uncompetitive ES only (k4, k-4), mixed both.
enum class InhibitorType { Competitive, Uncompetitive, Mixed };

// The type the rate constants give: mixed when k3 and k4 are both positive, uncompetitive when
// only k4 is, competitive otherwise.
InhibitorType inhibitorType(const RunInputs &inputs);

// Chooses a type: the binding constant of a site the type leaves out becomes "0"; one of a site
// it binds that is not positive becomes "1", so that the site binds with Ki = 10^-5 M (k-3 or
// k-4 at "1"), and a release constant that is not positive becomes "1" too.
void setInhibitorType(RunInputs &inputs, InhibitorType type);

// The [I]0 list's rows: these multiples of the constant the list counts in.
inline constexpr std::array<double, 7> kI0Multiples{0, 0.5, 1, 2, 3, 5, 10};

// The inhibition constants of the sites the type binds, in 10^-3 M: Ki = k-3 / k3 / 100 for E,
// αKi = k-4 / k4 / 100 for ES. Nothing for a site the type leaves out, or where the constant is
// not a positive finite number.
struct InhibitionConstants {
    std::optional<double> ki, alphaKi;
};
InhibitionConstants inhibitionConstants(const RunInputs &inputs);

// The constant the [I]0 list counts in: Ki, or αKi for an uncompetitive inhibitor.
std::optional<double> i0ListConstant(const RunInputs &inputs);

// Row `row` of the [I]0 list: the multiple times the list's constant, as the [I]0 field takes it
// (10^-3 M). Nothing for a row that does not exist, or, beyond row 0, without a constant.
std::optional<std::string> i0RowText(const RunInputs &inputs, int row);

} // namespace enkin
