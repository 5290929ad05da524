#include "testrun/pausespeed.h"

#include "platform/intervaltimer.h"
#include "testrun/runphase.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QLabel>
#include <QPushButton>

namespace {

struct Speed {
    int interval; // ms
    const char* caption;
    const char* toolTip; // the button offers the other speed
};

const Speed kFast{.interval = 300, .caption = "早", .toolTip = "クリックで遅くなります"};
const Speed kSlow{.interval = 500, .caption = "遅", .toolTip = "クリックで早くなります"};

} // namespace

PauseSpeed::PauseSpeed(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void PauseSpeed::onStopClicked()
{
    if (!m_state.swtStp)
        pause();
    else
        resume();
    m_state.swtStp = !m_state.swtStp;
}

void PauseSpeed::pause()
{
    m_test.tmr1->setEnabled(false);
    applyRunPhase(RunPhase::Paused, m_test, m_state);
    m_state.swtRdm = true;

    // The screen is not cleared: a dot visible now stays visible during the pause.
    statustext::print(statustext::Status::Paused, m_state, m_test);
}

void PauseSpeed::resume()
{
    m_test.tmr1->setEnabled(true);
    applyRunPhase(RunPhase::Resumed, m_test, m_state);
    m_test.lblRdme[0]->hide();
    m_test.lblRdme[1]->hide();
}

void PauseSpeed::onSpeedClicked()
{
    m_swtSpd = !m_swtSpd;
    showSpeed();
    m_state.Spd = (m_swtSpd ? kSlow : kFast).interval;
    // A run of either eye, presenting or paused, takes the new pace at once. With no run
    // the timer is left alone: it must not start ticking again after a run has ended.
    if (m_state.eyeRunning())
        m_test.tmr1->setInterval(m_state.Spd);
    focusChain(m_test);
}

void PauseSpeed::showSpeed()
{
    const Speed& speed = m_swtSpd ? kSlow : kFast;
    m_test.cmdSpd->setText(QString::fromUtf8(speed.caption));
    m_test.cmdSpd->setToolTip(QString::fromUtf8(speed.toolTip));
}
