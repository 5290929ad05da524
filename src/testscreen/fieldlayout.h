#pragma once

#include <QPointF>
#include <QRect>
#include <QSize>

class QWidget;
struct GridMode;
struct TestState;
class FrmTest;

// Gives the test window the coordinate system of the grid mode (test point (a, b) at
// (a + 1, b + 1)) and puts the mark, the instruction, the explanation labels and the
// button frame in place.
class FieldLayout {
public:
    FieldLayout(TestState& state, FrmTest& test);

    // The full pass of the mode in force (LayoutField15 and LayoutField11), run when the
    // program starts and when the grid switch chooses the mode: both eyes' results of the
    // mode become untested and every fixation point goes back to the middle of the grid.
    void layoutCurrentMode();

    // A resize, minimise or restore of the window. Outside a run it lays the current mode out
    // again but keeps the results and the fixation points recorded for each eye's run. During
    // a run only the scale follows the window: the mark, the dot, the fixation points and the
    // labels' visibility stay as the run has them.
    void onResize();

private:
    void layout(const GridMode& mode);
    void resetMode(const GridMode& mode);
    void arrange(const GridMode& mode);
    void keepRun(const GridMode& mode);
    void setScale(const GridMode& mode);
    void placeLabelsAndFrame(const GridMode& mode);

    // Where a resize during a run last put a shape, so that a run of resizes (through a
    // window a pixel wide, say) does not add up the rounding of each.
    struct Kept {
        QRect pixels;
        QPointF units; // its centre, in field units
        QSize size;
    };
    void keepInPlace(QWidget* shape, Kept& kept, const QSize& from, const GridMode& mode);

    TestState& m_state;
    FrmTest& m_test;
    QSize m_placedFor; // the client size the controls were last placed for
    Kept m_keptMark;
    Kept m_keptDot;
};
