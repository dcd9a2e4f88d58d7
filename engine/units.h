// The units of the boxes and the molar and second units of the saved data and the fits, and the
// Michaelis constant of a set of rate constants.
//
// The engine works in the units the student sees: [E], [ES], [P] in 1e-9 M, [S] in 1e-3 M, time
// in ms, velocity in 1e-6 M/s, k1 in 1e8 /M/s, k2 and k-1 in 1e3 /s, Km in 1e-5 M. Multiplying a
// value by its factor gives it in M, s, M/s, /M/s or /s.
#pragma once

#include <cmath>
#include <optional>

namespace enkin::units {

inline constexpr double kEnzyme = 1e-9;    // [E], [ES], [P]: 1e-9 M
inline constexpr double kSubstrate = 1e-3; // [S]: 1e-3 M
inline constexpr double kTime = 1e-3;      // ms
inline constexpr double kVelocity = 1e-6;  // d[P]/dt: 1e-6 M/s
inline constexpr double kK1 = 1e8;         // k1: 1e8 /M/s
inline constexpr double kRate = 1e3;       // k2, k-1: 1e3 /s
inline constexpr double kKm = 1e-5;        // Km: 1e-5 M

// Km = (k-1 + k2) / k1 in the engine's units (1e-5 M), in this order of operations; nothing when
// k1 is 0 or the quotient is not finite.
inline std::optional<double> michaelisConstant(double k1, double k2, double kminus1)
{
    if (k1 == 0)
        return std::nullopt;
    const double km = (kminus1 + k2) / k1;
    return std::isfinite(km) ? std::optional<double>(km) : std::nullopt;
}

} // namespace enkin::units
