#include "testrun/eyestart.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/runphase.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/testwindow.h"

#include <QLabel>

struct EyeStart::Eye {
    bool left;
    double TestState::*fixationX;
    double TestState::*fixationY;
    bool TestState::*flag;
    bool TestState::*otherFlag;
    bool EyeStart::*tipToggle;
};

const EyeStart::Eye EyeStart::kLeft{
    .left = true,
    .fixationX = &TestState::x2L,
    .fixationY = &TestState::y2L,
    .flag = &TestState::swtLft,
    .otherFlag = &TestState::swtRgt,
    .tipToggle = &EyeStart::m_swtLftTip,
};
const EyeStart::Eye EyeStart::kRight{
    .left = false,
    .fixationX = &TestState::x2R,
    .fixationY = &TestState::y2R,
    .flag = &TestState::swtRgt,
    .otherFlag = &TestState::swtLft,
    .tipToggle = &EyeStart::m_swtRgtTip,
};

EyeStart::EyeStart(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void EyeStart::onLeftClicked()
{
    start(kLeft);
}

void EyeStart::onRightClicked()
{
    start(kRight);
}

void EyeStart::start(const Eye& eye)
{
    TestState& s = m_state;
    FrmTest& test = m_test;

    // The eye's run keeps the fixation point the mark has now.
    s.*eye.fixationX = s.x2;
    s.*eye.fixationY = s.y2;

    test.cls();
    test.lblRdme[0]->hide();
    test.lblRdme[1]->hide();

    // t, n, a and b run on: the delay hides a dot left from an interrupted cycle.
    s.swtStp = false;
    s.*eye.flag = true;
    s.*eye.otherFlag = false;
    s.swtT1 = false;
    s.swtT2 = true;
    s.pointToAnswer.reset();
    applyRunPhase(RunPhase::Started, test, s);

    test.shp1->setBackColor(colors::kMark);
    test.setFontSize(7);
    eyeGrid(s, eye.left).reset();
    s.w = 0;

    // The start delay counts from this click, also when the eye's run is restarted.
    test.tmr1->start(s.Spd);

    bool& toggle = this->*eye.tipToggle;
    applyEyeStartTips(eye.left, !toggle, test);
    toggle = !toggle;
}
