#include "testrun/testload.h"

#include "testrun/teststate.h"
#include "testscreen/explanationtexts.h"
#include "windows/testwindow.h"

#include <QPushButton>

void loadTestWindow(TestState& state, FrmTest& test)
{
    test.setWindowState(Qt::WindowMaximized);
    state.swtKae = 0;
    state.swtLft = state.swtRgt = state.swtT1 = state.swtT2 = state.swtMus = false;
    state.swtStp = true;
    state.swtTen = 0;
    state.tenL = test.cmdTen->text();
    state.tenR = test.cmdTen->text();
    state.Spd = 300;
    explanation::setRdmText(state, test);
}
