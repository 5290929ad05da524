#include "testrun/eyestart.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/runphase.h"
#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QLabel>
#include <QPushButton>

struct EyeStart::Eye {
    double TestState::*fixationX;
    double TestState::*fixationY;
    bool TestState::*flag;
    bool TestState::*otherFlag;
    ResultGrid TestState::*GridMode::*grid;
    QPushButton* FrmTest::*button;
    QPushButton* FrmTest::*otherButton;
    bool EyeStart::*tipToggle;
    const char* otherButtonTip; // set on the other button by every other click
};

const EyeStart::Eye EyeStart::kLeft{
    &TestState::x2L,    &TestState::y2L,        &TestState::swtLft,
    &TestState::swtRgt, &GridMode::left,        &FrmTest::cmdLft,
    &FrmTest::cmdRgt,   &EyeStart::m_swtLftTip, "右を最初からスタートします。"};
const EyeStart::Eye EyeStart::kRight{
    &TestState::x2R,    &TestState::y2R,        &TestState::swtRgt,
    &TestState::swtLft, &GridMode::right,       &FrmTest::cmdRgt,
    &FrmTest::cmdLft,   &EyeStart::m_swtRgtTip, "左を最初からスタートします。"};

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
    s.pointPresented = false;
    applyRunPhase(RunPhase::Started, test, s);

    test.shp1->setBackColor(QColor(255, 255, 0));
    test.setFontSize(7);
    (s.*(gridMode(s).*eye.grid)).reset();
    s.w = 0;

    // The start delay counts from this click, also when the eye's run is restarted.
    test.tmr1->start(s.Spd);

    bool& toggle = this->*eye.tipToggle;
    if (!toggle) {
        (test.*eye.button)->setToolTip(QStringLiteral("最初からやり直します。"));
        (test.*eye.otherButton)->setToolTip(QString::fromUtf8(eye.otherButtonTip));
    } else {
        (test.*eye.button)->setToolTip(QStringLiteral("最初からスタートします｡"));
    }
    toggle = !toggle;
}
