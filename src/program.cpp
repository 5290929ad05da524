#include "program.h"

#include "testrun/testload.h"

#include <QPushButton>

Program::Program(Services services)
    : m_services(std::move(services))
    , m_layout(m_state, m_test)
{
    loadTestWindow(m_state, m_test);
    m_layout.layoutCurrentMode();
    connectTestWindow();
}

Program::~Program() = default;

void Program::start()
{
    m_test.showMaximized();
    m_test.cmdLft->setFocus();
}

void Program::connectTestWindow()
{
    QObject::connect(&m_test, &FrmTest::resized, [this] { m_layout.onResize(); });
}
