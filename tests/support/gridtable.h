#pragma once

// The numbers of each grid mode as the user's documentation gives them, written out here
// once for every test. The program keeps its own record; tests never read theirs from it.

#include <QPointF>
#include <QSizeF>
#include <QString>

struct TestState;

namespace grids {

// Places on the test field, in field units.
struct Field {
    QSizeF scale;
    QPointF centre; // x1, y1
    QPointF fixation; // the default fixation point, the middle test point
    double markDrop; // centre of the mark below the window centre
    double instructionDrop; // top of the instruction below the mark's top edge
    double labelShift; // left edge of the labels right of the centred position
    double upperRise; // top of the upper label above the window centre
    double lowerDrop; // top of the lower label below the window centre
    double frameRise; // top of the button frame above the bottom edge
};

// Places on the result sheet, in sheet units.
struct Sheet {
    double scaleWidth, scaleHeight;
    QPointF leftMark; // mark of point (i, j) of the left map at (i, j) + this
    double rightMarkDx; // of the right map at ScaleWidth / 2 + i + this
    double leftLineFrom, leftLineTo; // horizontal fixation lines
    double rightLineFrom, rightLineTo;
    double rightMapShift; // the right vertical fixation line at x2R + this
    double verticalTop, verticalBottom;
    double dividerTop, dividerBottom;
    double leftLabelX, rightLabelX;
    double dateXFromResults; // drawn by the results button
    double dateXFromSheet; // drawn by the result window's own redraw
    QPointF note;
};

struct Grid {
    bool fine;
    int columns, rows;
    QString testTitle, sheetTitle;
    QString kaeCaption; // the grid button while this grid is in force
    QString kaeToolTip;
    Field field;
    Sheet sheet;

    int points() const { return columns * rows; }
};

// clang-format off
inline const Grid kFine{true, 19, 15, QStringLiteral("視野検査(15×19)"),
    QStringLiteral("別表[結果](15×19)"), QStringLiteral("細"),
    QStringLiteral("クリックで検査個所を減らして粗くします｡"),
    {{20, 16.1}, {10, 8.05}, {10, 8}, 0.27, 0.4, 1, 4.6, 1.5, 0.81},
    {44, 18, {1.68, 1.67}, 1.68, 1, 21, 23, 43, 23, 1.5, 17, 2, 16, 10.5, 32.5, 19.6, 19.5,
     {18.7, 17}}};
inline const Grid kCoarse{false, 13, 11, QStringLiteral("視野検査(11×13)"),
    QStringLiteral("別表[結果](11×13)"), QStringLiteral("粗"),
    QStringLiteral("クリックで検査個所を増やして細かくします｡"),
    {{14, 12}, {7, 6}, {7, 6}, 0.2, 0.3, 0.7, 3.43, 1.12, 0.6},
    {31.5, 14, {1.79, 1.72}, 1.55, 1, 15, 16.5, 30.5, 16.5, 1.5, 13, 1.4, 13.5, 7.675, 22.975,
     14.15, 14.15, {13.35, 13}}};
// clang-format on

inline const Grid& of(bool fine)
{
    return fine ? kFine : kCoarse;
}

// The grid in force: swtKae 0 is the fine grid, any other value the coarse one.
const Grid& inForce(const TestState& state);

} // namespace grids
