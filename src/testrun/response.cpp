#include "testrun/response.h"

#include "testrun/teststate.h"
#include "windows/testwindow.h"

Response::Response(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void Response::onWindowClick()
{
    m_test.setFontSize(7);
    if (!m_state.eyeRunning())
        return;
    ResultGrid& grid = m_state.swtLft ? leftGrid(m_state) : rightGrid(m_state);
    // Before the run's first dot, and after a grid switch, the current point is one this run
    // never showed in the grid in force: marking it would record an answer to nothing and
    // take a point from the run. A point outside the grid (left there by the sheet or the
    // numbering as their loop counters) is no point at all.
    if (m_state.pointPresented && grid.contains(m_state.a, m_state.b))
        grid.set(m_state.a, m_state.b, ResultGrid::kSeen);
}
