// The values behind the main window's k2 and [S]0 lists, and the two numbers a choice derives
// from the rate constants: the Km display and the suggested Maximum Time.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace enkin {

// k2 rows in 1e3 /s.
inline constexpr std::array<std::string_view, 3> kK2RowTexts{"0.100", "1.000", "10.000"};
double k2RowValue(int row);

// [S]0 rows: molar texts; values in 1e-3 M (the molar figure times 1000).
inline constexpr std::array<std::string_view, 16> kS0RowTexts{
    "1.0x10^(-6)", "2.0x10^(-6)", "4.0x10^(-6)", "6.0x10^(-6)", "8.0x10^(-6)", "1.0x10^(-5)",
    "2.0x10^(-5)", "4.0x10^(-5)", "6.0x10^(-5)", "8.0x10^(-5)", "1.0x10^(-4)", "2.0x10^(-4)",
    "4.0x10^(-4)", "6.0x10^(-4)", "8.0x10^(-4)", "1.0x10^(-3)"};
double s0RowValue(int row);

// What the lists' edit boxes show before any row is chosen.
inline constexpr std::string_view kK2InitialText = "1.00";
inline constexpr std::string_view kS0InitialText = "1.0x10^(-3)";

// Six times the time constant 1 / (k1 [S]0 + k-1 + k2), in ms, cut down to three decimals:
// floor(6 / (k2 + (k-1 + s * (k1 * 100))) * 1000) / 1000. Nothing when the denominator is 0 or
// the result is not finite. A negative suggestion is returned as it is.
std::optional<double> maximumTimeSuggestion(double k1, double k2, double kminus1, double s);

} // namespace enkin
