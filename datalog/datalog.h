// The student's notebook: up to 20 accepted readings, in the units of the Results boxes.
#pragma once

#include <array>

namespace enkin {

// Reading i (1 <= i <= SavedCount) is held at index i of the five columns; index 0 holds none.
// Slots above SavedCount may hold stale readings from before a Clear All and are never read.
struct DataLog {
    static constexpr int kCapacity = 20;
    using Column = std::array<double, kCapacity + 1>;
    Column SavedT{};   // time, ms
    Column SavedE{};   // [E], 1e-9 M
    Column SavedES{};  // [ES], 1e-9 M
    Column SavedS{};   // [S], 1e-3 M
    Column SavedVel{}; // d[P]/dt, 1e-6 M/s
    int SavedCount = 0;
};

} // namespace enkin
