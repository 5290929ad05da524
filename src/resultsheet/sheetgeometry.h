#pragma once

#include <QPointF>

// Where each element of the result sheet stands, in sheet units, for one grid mode. One
// sheet unit is one grid step: the left map is the test field moved one unit right and one
// unit down, the right map the left one moved further right.
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
};

extern const SheetGeometry kFineSheet;
extern const SheetGeometry kCoarseSheet;

const SheetGeometry& sheetGeometry(bool fine);
