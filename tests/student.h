// A student at work, as the Tutorial's exercises say: the readings of runs accepted from
// the Results boxes.
#pragma once

#include "lab/session.h"

#include <vector>

namespace enkin::student {

// k2 from its list row, then for each [S]0 row a choice (which puts the slider at 1 and suggests
// the Maximum Time), the slider to `point` and Accept Data.
inline Session &acceptRuns(Session &session, int k2Row, const std::vector<int> &s0Rows,
                           int point = 600)
{
    session.chooseK2(k2Row);
    session.sliderChanged(1, "1");
    for (int row : s0Rows) {
        session.chooseS0(row);
        session.sliderChanged(1, "1");
        session.sliderChanged(point, "1");
        session.accept();
    }
    return session;
}

} // namespace enkin::student
