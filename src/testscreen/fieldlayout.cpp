#include "testscreen/fieldlayout.h"

#include "platform/shape.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QFrame>
#include <QLabel>

FieldLayout::FieldLayout(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void FieldLayout::layoutCurrentMode()
{
    layout(gridMode(m_state));
}

void FieldLayout::onResize()
{
    if (m_state.eyeRunning())
        keepRun(gridMode(m_state));
    else
        arrange(gridMode(m_state));
}

void FieldLayout::layout(const GridMode& mode)
{
    resetMode(mode);
    arrange(mode);
}

void FieldLayout::resetMode(const GridMode& mode)
{
    m_state.x2L = m_state.x2R = mode.field.fixationX;
    m_state.y2L = m_state.y2R = mode.field.fixationY;
    (m_state.*mode.left).reset();
    (m_state.*mode.right).reset();
    m_state.pointToAnswer.reset();
}

void FieldLayout::arrange(const GridMode& mode)
{
    FrmTest& test = m_test;
    m_state.x2 = mode.field.fixationX;
    m_state.y2 = mode.field.fixationY;
    setScale(mode);

    const QRectF mark = test.userRect(test.shp1);
    test.setUserPos(test.shp1, m_state.x1 - mark.width() / 2,
                    m_state.y1 - mark.height() / 2 + mode.field.markDrop);

    test.cls();
    statustext::printBesideMark(test, statustext::instruction(), {0, mode.field.instructionDrop});

    placeLabelsAndFrame(mode);
    test.lblRdme[0]->show();
    test.lblRdme[1]->show();
    // Field positions kept from an earlier run may be of the other grid's scale.
    m_keptMark = m_keptDot = {};
}

void FieldLayout::keepRun(const GridMode& mode)
{
    FrmTest& test = m_test;
    const QSize from = m_placedFor;
    setScale(mode);
    // Controls keep their pixels when the window changes size: put the mark and the dot back
    // where they stood in test-field units.
    if (!from.isEmpty() && from != test.size()) {
        keepInPlace(test.shp1, m_keptMark, from, mode);
        keepInPlace(test.shp2, m_keptDot, from, mode);
    }
    placeLabelsAndFrame(mode);

    // What was printed stood where the old size put it.
    test.cls();
    if (m_state.w > 0)
        statustext::printCount(test, m_state.w, m_state.swtTen);
    if (m_state.swtStp)
        statustext::printBesideMark(test, statustext::pauseMessage(),
                                    statustext::pauseOffset(m_state.swtTen));
}

void FieldLayout::keepInPlace(QWidget* shape, Kept& kept, const QSize& from, const GridMode& mode)
{
    // The shape keeps its size in pixels, so it is its centre that stays on the field: the
    // mark's centre is the run's fixation point.
    const bool untouched = kept.size == from && kept.pixels == shape->geometry();
    const QPointF centre = QRectF(shape->geometry()).center();
    const QPointF units = untouched ? kept.units
                                    : QPointF(centre.x() * mode.field.scaleWidth / from.width(),
                                              centre.y() * mode.field.scaleHeight / from.height());
    const QRectF box = m_test.userRect(shape);
    m_test.setUserPos(shape, units.x() - box.width() / 2, units.y() - box.height() / 2);
    kept = {shape->geometry(), units, m_test.size()};
}

void FieldLayout::setScale(const GridMode& mode)
{
    m_test.setScaleWidth(mode.field.scaleWidth);
    m_test.setScaleHeight(mode.field.scaleHeight);
    m_state.x1 = m_test.scaleWidth() / 2;
    m_state.y1 = m_test.scaleHeight() / 2;
    m_placedFor = m_test.size();
}

void FieldLayout::placeLabelsAndFrame(const GridMode& mode)
{
    FrmTest& test = m_test;
    const FieldGeometry& field = mode.field;
    // Both labels share the left edge computed from the upper label's width.
    const double labelLeft
        = m_state.x1 - test.userRect(test.lblRdme[0]).width() / 2 + field.labelShift;
    test.setUserPos(test.lblRdme[0], labelLeft, m_state.y1 - field.upperLabelRise);
    test.setUserPos(test.lblRdme[1], labelLeft, m_state.y1 + field.lowerLabelDrop);
    test.setUserPos(test.fra1, m_state.x1 - test.userRect(test.fra1).width() / 2,
                    2 * m_state.y1 - field.frameRise);
}
