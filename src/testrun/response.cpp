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
    // Only a point this run has presented can be answered. Before the run's first dot the
    // current point is one the fresh grid has never shown (and likewise after a reset of
    // the grid during the run); marking it would record an answer to nothing and leave a
    // point of the run unpresentable.
    if (grid.contains(m_state.a, m_state.b) && grid.isTaken(m_state.a, m_state.b))
        grid.set(m_state.a, m_state.b, ResultGrid::kSeen);
}
