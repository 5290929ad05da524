#include "testscreen/fixationdrag.h"

#include "platform/shape.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/mouseargs.h"
#include "windows/testwindow.h"

FixationDrag::FixationDrag(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void FixationDrag::onMouseDown(const MouseArgs& args)
{
    if (!m_state.swtStp || !args.shift)
        return;
    m_state.swtMus = true;
    m_test.shp1->setBackColor(colors::kMark);
    centreMarkOn(args.x, args.y);
}

void FixationDrag::onMouseMove(const MouseArgs& args)
{
    // Neither button nor Shift is looked at: a drag goes on until a release with Shift.
    if (m_state.swtStp && m_state.swtMus)
        centreMarkOn(args.x, args.y);
}

void FixationDrag::onMouseUp(const MouseArgs& args)
{
    if (!m_state.swtStp || !args.shift)
        return;
    FrmTest& test = m_test;
    const GridMode& mode = gridMode(m_state);
    m_state.x2 = args.x;
    m_state.y2 = args.y;

    test.cls();
    test.setDrawWidth(1);
    test.setForeColor(QColor(0, 0, 255));
    // The cross spans the test points of the mode, wherever the point lies.
    test.line(1, args.y, mode.columns, args.y);
    test.line(args.x, 1, args.x, mode.rows);

    statustext::print(statustext::Status::Instruction, m_state, test);
    m_state.swtMus = false;
}

void FixationDrag::centreMarkOn(double x, double y)
{
    const QRectF mark = m_test.userRect(m_test.shp1);
    m_test.setUserPos(m_test.shp1, x - mark.width() / 2, y - mark.height() / 2);
}
