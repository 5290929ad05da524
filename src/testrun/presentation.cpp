#include "testrun/presentation.h"

#include "platform/intervaltimer.h"
#include "platform/services.h"
#include "platform/shape.h"
#include "testrun/runphase.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/testwindow.h"

#include <QPushButton>

Presentation::Presentation(TestState& state, FrmTest& test, Services& services)
    : m_state(state)
    , m_test(test)
    , m_services(services)
{
}

void Presentation::onTick()
{
    TestState& s = m_state;
    // Start delay. The tick that raises t to 3 does not end it; the next one does.
    if (s.t < 3 && s.swtT2) {
        ++s.t;
    } else if (s.t == 3) {
        s.swtT2 = false;
        s.swtT1 = true;
        s.t = 0;
    }

    // The cycle runs during the delay too, so a dot left over from an interrupted run is
    // hidden before the first dot of the new one.
    if (s.swtT1 && !s.swtT2) {
        nextDot();
        s.swtT1 = false;
        ++s.n;
    } else if (s.n == 1) {
        m_test.shp2->hide();
        s.n = 2;
    } else if (s.n == 2) {
        s.swtT1 = true;
        s.n = 0;
    }
}

void Presentation::nextDot()
{
    const GridMode& mode = gridMode(m_state);
    m_test.setFontSize(9);
    m_test.setForeColor(Qt::black);

    drawCandidate(mode);
    if (!m_state.eyeRunning())
        return;

    ResultGrid& grid = eyeGrid(m_state, m_state.swtLft);
    // Every point presented; or no free point left, which a reset grid that the run goes on
    // filling can bring about, and where drawing again would never end.
    if (m_state.w >= mode.points() || grid.takenCount() >= mode.points()) {
        endRun();
        return;
    }
    // Rejection sampling: every free point is equally likely.
    while (grid.isTaken(m_state.a, m_state.b))
        drawCandidate(mode);
    present(grid);
}

void Presentation::drawCandidate(const GridMode& mode)
{
    // The column is drawn first.
    m_state.a = static_cast<int>(m_services.random() * mode.columns);
    m_state.b = static_cast<int>(m_services.random() * mode.rows);
}

void Presentation::present(ResultGrid& grid)
{
    TestState& s = m_state;
    FrmTest& test = m_test;

    // The test point is the bottom-right corner of the dot's box.
    const QRectF dot = test.userRect(test.shp2);
    test.setUserPos(test.shp2, (s.a + 1) - dot.width(), (s.b + 1) - dot.height());
    test.shp2->show();
    grid.set(s.a, s.b, ResultGrid::kNotSeen);
    s.pointToAnswer = QPoint(s.a, s.b);
    ++s.w;

    test.cls();
    statustext::print(statustext::Status::Count, s, test);

    (s.swtLft ? s.tenL : s.tenR) = shownDotSize(test);
}

void Presentation::endRun()
{
    TestState& s = m_state;
    FrmTest& test = m_test;
    const bool left = s.swtLft;

    applyRunPhase(RunPhase::Ended, test, s);
    (left ? s.swtLft : s.swtRgt) = false;
    s.pointToAnswer.reset();
    s.w = 0;
    s.swtStp = true;
    test.tmr1->setInterval(0);

    test.shp1->setBackColor(colors::kMarkRed);
    const QPointF corner = test.userRect(test.shp1).topLeft();
    test.moveTo(corner.x() - 0.17, corner.y() - 0.27);
    test.setForeColor(colors::kMark);
    test.print(statustext::endMessage());
    m_services.beep();

    (left ? s.tenL : s.tenR) = shownDotSize(test);
}
