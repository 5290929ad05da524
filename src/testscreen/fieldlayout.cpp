#include "testscreen/fieldlayout.h"

#include "platform/shape.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QFrame>
#include <QLabel>

// Placement in test-field units. The coarse values are the fine ones converted to the
// coarse scale, so everything stands at the same place on the screen in both modes.
struct FieldLayout::Constants {
    const GridMode& grid;
    double scaleWidth;
    double scaleHeight;
    double fixationX; // default fixation point: the middle test point
    double fixationY;
    double markDrop; // centre of the mark below the window centre
    double instructionDrop; // top of the instruction below the mark's top edge
    double labelShift; // left edge of the labels right of the centred position
    double upperLabelRise; // top of the upper label above the window centre
    double lowerLabelDrop; // top of the lower label below the window centre
    double frameRise; // top of the button frame above the bottom edge
};

namespace {

const FieldLayout::Constants kFine{kFineGrid, 20, 16.1, 10, 8, 0.27, 0.4, 1, 4.6, 1.5, 0.81};
const FieldLayout::Constants kCoarse{kCoarseGrid, 14, 12, 7, 6, 0.2, 0.3, 0.7, 3.43, 1.12, 0.6};

} // namespace

FieldLayout::FieldLayout(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void FieldLayout::layoutField15()
{
    resetMode(kFine);
    arrange(kFine);
}

void FieldLayout::layoutField11()
{
    resetMode(kCoarse);
    arrange(kCoarse);
}

void FieldLayout::layoutCurrentMode()
{
    if (m_state.isFine())
        layoutField15();
    else
        layoutField11();
}

void FieldLayout::onResize()
{
    arrange(current());
}

const FieldLayout::Constants& FieldLayout::current() const
{
    return m_state.isFine() ? kFine : kCoarse;
}

void FieldLayout::resetMode(const Constants& mode)
{
    m_state.x2L = m_state.x2R = mode.fixationX;
    m_state.y2L = m_state.y2R = mode.fixationY;
    (m_state.*mode.grid.left).reset();
    (m_state.*mode.grid.right).reset();
}

void FieldLayout::arrange(const Constants& mode)
{
    FrmTest& test = m_test;
    m_state.x2 = mode.fixationX;
    m_state.y2 = mode.fixationY;

    test.setScaleWidth(mode.scaleWidth);
    test.setScaleHeight(mode.scaleHeight);
    m_state.x1 = test.scaleWidth() / 2;
    m_state.y1 = test.scaleHeight() / 2;

    const QRectF mark = test.userRect(test.shp1);
    test.setUserPos(test.shp1, m_state.x1 - mark.width() / 2,
                    m_state.y1 - mark.height() / 2 + mode.markDrop);

    test.cls();
    statustext::printBesideMark(test, statustext::instruction(), {0, mode.instructionDrop});

    // Both labels share the left edge computed from the upper label's width.
    const double labelLeft
        = m_state.x1 - test.userRect(test.lblRdme[0]).width() / 2 + mode.labelShift;
    test.setUserPos(test.lblRdme[0], labelLeft, m_state.y1 - mode.upperLabelRise);
    test.lblRdme[0]->show();
    test.setUserPos(test.lblRdme[1], labelLeft, m_state.y1 + mode.lowerLabelDrop);
    test.lblRdme[1]->show();

    test.setUserPos(test.fra1, m_state.x1 - test.userRect(test.fra1).width() / 2,
                    2 * m_state.y1 - mode.frameRise);
}
