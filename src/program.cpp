#include "program.h"

#include "platform/intervaltimer.h"
#include "testrun/runphase.h"
#include "testscreen/explanationtexts.h"

#include <QPushButton>

Program::Program(Services services)
    : m_services(std::move(services))
    , m_layout(m_state, m_test)
    , m_presentation(m_state, m_test, m_services)
    , m_eyeStart(m_state, m_test)
    , m_response(m_state, m_test)
    , m_pauseSpeed(m_state, m_test)
    , m_dotSize(m_state, m_test)
    , m_drag(m_state, m_test)
    , m_explanation(m_state, m_test)
    , m_sheet(m_state, m_services)
    , m_gridSwitch(m_state, m_test, m_layout, m_sheet)
{
    // Both eyes' dot sizes start as the one the dot-size button shows, each read from it.
    m_state.tenL = shownDotSize(m_test);
    m_state.tenR = shownDotSize(m_test);
    explanation::setRdmText(m_state, m_test);
    // The captions and tool tips that change as the program runs start as their owners
    // have them.
    applyRunPhase(RunPhase::BeforeRun, m_test, m_state);
    m_gridSwitch.showMode();
    m_pauseSpeed.showSpeed();
    m_dotSize.showStart();
    m_layout.layoutCurrentMode();
    connectTestWindow();
}

void Program::start()
{
    m_test.showMaximized();
    m_test.cmdLft->setFocus();
}

void Program::quit()
{
    // Closing the test window below comes back here.
    if (m_quitting)
        return;
    m_quitting = true;
    m_test.tmr1->setEnabled(false);
    m_sheet.unload();
    m_test.close();
    m_services.quit();
}

void Program::connectTestWindow()
{
    FrmTest* test = &m_test;
    const auto onClick = [test](QPushButton* button, auto handler) {
        QObject::connect(button, &QPushButton::clicked, test, handler);
    };

    QObject::connect(test, &FrmTest::resized, test, [this] { m_layout.onResize(); });
    QObject::connect(test, &FrmTest::closing, test, [this] { quit(); });
    QObject::connect(test->tmr1, &IntervalTimer::tick, test, [this] { m_presentation.onTick(); });
    QObject::connect(test, &FrmTest::clicked, test, [this] { m_response.onWindowClick(); });
    QObject::connect(test, &FrmTest::mouseDown, test,
                     [this](const MouseArgs& args) { m_drag.onMouseDown(args); });
    QObject::connect(test, &FrmTest::mouseMoved, test,
                     [this](const MouseArgs& args) { m_drag.onMouseMove(args); });
    QObject::connect(test, &FrmTest::mouseUp, test,
                     [this](const MouseArgs& args) { m_drag.onMouseUp(args); });
    QObject::connect(test, &FrmTest::rdmMouseDown, test,
                     [this](const MouseArgs& args) { m_explanation.onMouseDown(args); });

    onClick(test->cmdLft, [this] { m_eyeStart.onLeftClicked(); });
    onClick(test->cmdRgt, [this] { m_eyeStart.onRightClicked(); });
    onClick(test->cmdStp, [this] { m_pauseSpeed.onStopClicked(); });
    onClick(test->cmdSpd, [this] { m_pauseSpeed.onSpeedClicked(); });
    onClick(test->cmdTen, [this] { m_dotSize.onTenClicked(); });
    onClick(test->cmdHaik, [this] { m_dotSize.onHaikClicked(); });
    onClick(test->cmdKae, [this] { m_gridSwitch.onKaeClicked(); });
    onClick(test->cmdKeka, [this] { m_sheet.onKekaClicked(); });
    onClick(test->cmdBetu, [this] { m_sheet.onBetuClicked(); });
    onClick(test->cmdEnd, [this] { quit(); });
}
