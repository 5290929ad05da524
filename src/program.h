#pragma once

#include "platform/services.h"
#include "testrun/teststate.h"
#include "testscreen/fieldlayout.h"
#include "windows/testwindow.h"

// The whole program: the shared test state, the test window and the subsystems that give
// the windows their behaviour, wired together. Owns everything; the program's state lives
// here and nowhere else.
class Program {
public:
    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the maximised test window.
    void start();

    TestState& state() { return m_state; }
    FrmTest& testWindow() { return m_test; }
    Services& services() { return m_services; }
    FieldLayout& fieldLayout() { return m_layout; }

private:
    void connectTestWindow();

    Services m_services;
    TestState m_state;
    FrmTest m_test;
    FieldLayout m_layout;
};
