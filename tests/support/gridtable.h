#pragma once

// The numbers of each grid mode as the user's documentation gives them, written out here
// once for every test, the headless ones and the end-to-end ones alike. The program keeps its
// own record; tests never read theirs from it.

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

    // Where the mark's centre stands by default.
    QPointF markCentre() const { return centre + QPointF(0, markDrop); }
};

// Places on the result sheet, in sheet units.
struct Sheet {
    QSizeF scale;
    QPointF leftMark; // mark of point (i, j) of the left map at (i, j) + this
    double rightMarkDx; // of the right map at scale width / 2 + i + this
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
inline const Grid kFine{
    .fine = true,
    .columns = 19,
    .rows = 15,
    .testTitle = QStringLiteral("視野検査(15×19)"),
    .sheetTitle = QStringLiteral("別表[結果](15×19)"),
    .kaeCaption = QStringLiteral("細"),
    .kaeToolTip = QStringLiteral("クリックで検査個所を減らして粗くします｡"),
    .field = {.scale = {20, 16.1}, .centre = {10, 8.05}, .fixation = {10, 8}, .markDrop = 0.27,
              .instructionDrop = 0.4, .labelShift = 1, .upperRise = 4.6, .lowerDrop = 1.5,
              .frameRise = 0.81},
    .sheet = {.scale = {44, 18}, .leftMark = {1.68, 1.67}, .rightMarkDx = 1.68,
              .leftLineFrom = 1, .leftLineTo = 21, .rightLineFrom = 23, .rightLineTo = 43,
              .rightMapShift = 23, .verticalTop = 1.5, .verticalBottom = 17, .dividerTop = 2,
              .dividerBottom = 16, .leftLabelX = 10.5, .rightLabelX = 32.5,
              .dateXFromResults = 19.6, .dateXFromSheet = 19.5, .note = {18.7, 17}},
};
inline const Grid kCoarse{
    .fine = false,
    .columns = 13,
    .rows = 11,
    .testTitle = QStringLiteral("視野検査(11×13)"),
    .sheetTitle = QStringLiteral("別表[結果](11×13)"),
    .kaeCaption = QStringLiteral("粗"),
    .kaeToolTip = QStringLiteral("クリックで検査個所を増やして細かくします｡"),
    .field = {.scale = {14, 12}, .centre = {7, 6}, .fixation = {7, 6}, .markDrop = 0.2,
              .instructionDrop = 0.3, .labelShift = 0.7, .upperRise = 3.43, .lowerDrop = 1.12,
              .frameRise = 0.6},
    .sheet = {.scale = {31.5, 14}, .leftMark = {1.79, 1.72}, .rightMarkDx = 1.55,
              .leftLineFrom = 1, .leftLineTo = 15, .rightLineFrom = 16.5, .rightLineTo = 30.5,
              .rightMapShift = 16.5, .verticalTop = 1.5, .verticalBottom = 13, .dividerTop = 1.4,
              .dividerBottom = 13.5, .leftLabelX = 7.675, .rightLabelX = 22.975,
              .dateXFromResults = 14.15, .dateXFromSheet = 14.15, .note = {13.35, 13}},
};
// clang-format on

inline const Grid& of(bool fine)
{
    return fine ? kFine : kCoarse;
}

// The grid in force: swtKae 0 is the fine grid, any other value the coarse one.
// (Defined with the headless harness.)
const Grid& inForce(const TestState& state);

} // namespace grids
