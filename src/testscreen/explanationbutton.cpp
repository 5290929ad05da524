#include "testscreen/explanationbutton.h"

#include "testrun/runphase.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "testscreen/explanationtexts.h"
#include "windows/mouseargs.h"
#include "windows/testwindow.h"

#include <QLabel>
#include <QPushButton>

ExplanationButton::ExplanationButton(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void ExplanationButton::onMouseDown(const MouseArgs& args)
{
    FrmTest& test = m_test;
    if (args.shift) {
        if (m_state.swtTst) {
            test.cls();
            m_state.swtTst = false;
        } else {
            test.lblRdme[0]->hide();
            test.lblRdme[1]->hide();
            drawPointNumbers();
            m_state.swtTst = true;
        }
    } else {
        test.cls();
        const bool show = m_state.swtRdm;
        test.lblRdme[0]->setVisible(show);
        test.lblRdme[1]->setVisible(show);
        test.cmdRdm->setToolTip(QString::fromUtf8(show ? kHideLabelsTip : kShowLabelsTip));
        m_state.swtRdm = !m_state.swtRdm;
    }

    statustext::print(statustext::Status::Instruction, m_state, test);
}

void ExplanationButton::drawPointNumbers()
{
    // In the window's present colour and font; numbered down the columns.
    const GridMode& mode = gridMode(m_state);
    for (int column = 0; column < mode.columns; ++column) {
        for (int row = 0; row < mode.rows; ++row) {
            m_test.setDrawWidth(5);
            m_test.pset(column + 1, row + 1);
            m_test.moveTo(column + 1, row + 1);
            m_test.printNumber(++m_intTstNo);
        }
    }
    m_intTstNo = 0;
    leaveCountersPastGrid(m_state);
}
