#include "testrun/eyestart.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/runphase.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/testwindow.h"

#include <QLabel>

EyeStart::EyeStart(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void EyeStart::onLeftClicked()
{
    start(true);
}

void EyeStart::onRightClicked()
{
    start(false);
}

void EyeStart::start(bool left)
{
    TestState& s = m_state;
    FrmTest& test = m_test;

    // The eye's run keeps the fixation point the mark has now.
    (left ? s.x2L : s.x2R) = s.x2;
    (left ? s.y2L : s.y2R) = s.y2;

    test.cls();
    test.lblRdme[0]->hide();
    test.lblRdme[1]->hide();

    // t, n, a and b run on: the delay hides a dot left from an interrupted cycle.
    s.swtStp = false;
    s.swtLft = left;
    s.swtRgt = !left;
    s.swtT1 = false;
    s.swtT2 = true;
    s.pointToAnswer.reset();
    applyRunPhase(RunPhase::Started, test, s);

    test.shp1->setBackColor(colors::kMark);
    test.setFontSize(7);
    eyeGrid(s, left).reset();
    s.w = 0;

    // The start delay counts from this click, also when the eye's run is restarted.
    test.tmr1->start(s.Spd);

    bool& toggle = left ? m_swtLftTip : m_swtRgtTip;
    applyEyeStartTips(left, !toggle, test);
    toggle = !toggle;
}
