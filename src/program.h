#pragma once

#include "platform/services.h"
#include "resultsheet/resultsheet.h"
#include "testrun/eyestart.h"
#include "testrun/pausespeed.h"
#include "testrun/presentation.h"
#include "testrun/response.h"
#include "testrun/teststate.h"
#include "testscreen/dotsize.h"
#include "testscreen/explanationbutton.h"
#include "testscreen/fieldlayout.h"
#include "testscreen/fixationdrag.h"
#include "testscreen/gridswitch.h"
#include "windows/testwindow.h"

// The whole program: the shared test state, the test window and the subsystems that give
// the windows their behaviour, wired together. The program's state lives here and nowhere
// else; every subsystem gets it by reference.
class Program {
public:
    explicit Program(Services services);
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Opens the maximised test window.
    void start();
    // Unloads the result window, closes the test window and ends the program: the quit
    // button, and the test window's close box in any state, also during a run.
    void quit();

    TestState& state() { return m_state; }
    FrmTest& testWindow() { return m_test; }
    Services& services() { return m_services; }

    Presentation& presentation() { return m_presentation; }
    Response& response() { return m_response; }
    FixationDrag& fixationDrag() { return m_drag; }
    ResultSheet& resultSheet() { return m_sheet; }
    GridSwitch& gridSwitch() { return m_gridSwitch; }

private:
    void connectTestWindow();

    Services m_services;
    TestState m_state;
    FrmTest m_test;
    FieldLayout m_layout;
    Presentation m_presentation;
    EyeStart m_eyeStart;
    Response m_response;
    PauseSpeed m_pauseSpeed;
    DotSizeAndBackground m_dotSize;
    FixationDrag m_drag;
    ExplanationButton m_explanation;
    ResultSheet m_sheet;
    GridSwitch m_gridSwitch;
    bool m_quitting = false;
};
