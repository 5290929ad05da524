#pragma once

#include <QPointF>

class ResultGrid;
struct TestState;

// Where each element of the result sheet stands, in sheet units. One sheet unit is one
// grid step: the left map is the test field moved one unit right and one unit down, the
// right map the left one moved further right.
struct SheetGeometry {
    double scaleWidth;
    double scaleHeight;

    double leftLineFrom, leftLineTo; // x extent of the left horizontal fixation line
    double rightLineFrom, rightLineTo; // x extent of the right one
    double rightMapShift; // right vertical line at x2R + this
    double verticalTop, verticalBottom;
    double dividerTop, dividerBottom; // the dotted divider at x3

    double leftLabelDx; // labels at x3 / 2 + this, y 0.2
    double rightLabelDx;
    double dateDxFromTestWindow; // date at x3 + this, y 0.5
    double dateDxFromSheet; // the result window's own redraw puts it here
    QPointF noteDx; // dot-size note at (x3 + x, y)

    QPointF leftMark; // mark of point (i, j) at (i, j) + this
    double rightMarkDx; // right mark at ScaleWidth / 2 + i + this, same y

    double combo1Dx; // the combo boxes centred at x3 / 2 + this, top 0.2
    double combo2Dx;
    double buttonOffset; // Clear and Copy centred this far left and right of x3
};

// Placement on the test field, in test-field units. The coarse values are the fine ones
// converted to the coarse scale, so everything stands at the same place on the screen.
struct FieldGeometry {
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

// Sizes of the dot and the fixation mark at one dot-size step, in test-field units.
struct DotSizes {
    double dotHeight, dotWidth;
    double markHeight, markWidth;
};

// Everything that differs between the fine grid (15 x 19) and the coarse one (11 x 13).
struct GridMode {
    int columns;
    int rows;
    ResultGrid TestState::*left;
    ResultGrid TestState::*right;

    const char* testTitle; // caption of the test window
    const char* sheetTitle; // caption of the result window
    const char* kaeCaption; // the grid button while this grid is in force
    const char* kaeToolTip;
    const char* timeLine; // lines 2 and 3 of the lower explanation
    const char* switchLine;

    FieldGeometry field;
    DotSizes dotSizes[3]; // small, medium, large
    SheetGeometry sheet;

    int points() const { return columns * rows; }
};

extern const GridMode kFineGrid;
extern const GridMode kCoarseGrid;

// The grid in force: 0 is the fine grid, any other value the coarse one.
const GridMode& gridMode(const TestState& state);
ResultGrid& leftGrid(TestState& state);
ResultGrid& rightGrid(TestState& state);
// The left or the right eye's results in the grid in force.
ResultGrid& eyeGrid(TestState& state, bool left);
// Leaves the current point where a loop over the grid in force ends its counters, one past
// the grid, where no click can answer it.
void leaveCountersPastGrid(TestState& state);
