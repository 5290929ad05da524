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
    // With no point to answer a click records nothing: it would answer a dot never shown and
    // take a point from the run.
    if (const std::optional<QPoint> point = m_state.pointToAnswer)
        eyeGrid(m_state, m_state.swtLft).set(point->x(), point->y(), ResultGrid::kSeen);
}
