// A student at the bench, as the Tutorial's exercises say: the readings of runs accepted from
// the Results boxes.
#pragma once

#include "lab/bench.h"

#include <vector>

namespace enkin::student {

// k2 from its list row, then for each [S]0 row a choice (which puts the slider at 1 and suggests
// the Maximum Time), the slider to `point` and Accept Data.
inline Bench &acceptRuns(Bench &bench, int k2Row, const std::vector<int> &s0Rows, int point = 600)
{
    bench.chooseK2(k2Row);
    bench.sliderChanged(1, "1");
    for (int row : s0Rows) {
        bench.chooseS0(row);
        bench.sliderChanged(1, "1");
        const SliderView view = bench.sliderChanged(point, "1");
        const Readout &r = *view.readout;
        bench.accept({r.EVal, r.ESVal, r.SVal, r.Vel, *view.ttt});
    }
    return bench;
}

} // namespace enkin::student
