#include "params/choices.h"

#include "engine/units.h"

#include <cmath>

namespace enkin {

double k2RowValue(int row)
{
    static constexpr std::array<double, 3> values{0.1, 1, 10};
    return values.at(static_cast<std::size_t>(row));
}

double s0RowValue(int row)
{
    if (row == 15)
        return 1;
    // Mantissas 1, 2, 4, 6, 8 times 10^-3, 10^-2, 10^-1, formed in double precision, so row 13
    // is one unit in the last place above 0.6 and still reads 0.6.
    static constexpr std::array<double, 5> mantissas{1, 2, 4, 6, 8};
    const int decade = -3 + row / 5;
    return std::pow(10.0, decade) * mantissas.at(static_cast<std::size_t>(row % 5));
}

std::optional<double> maximumTimeSuggestion(double k1, double k2, double kminus1, double s)
{
    const double d = k2 + (kminus1 + s * (k1 * 100));
    if (d == 0)
        return std::nullopt;
    const double t = std::floor(6 / d * 1000) / 1000;
    return std::isfinite(t) ? std::optional<double>(t) : std::nullopt;
}

} // namespace enkin
