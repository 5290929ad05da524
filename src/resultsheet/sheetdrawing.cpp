#include "resultsheet/sheetdrawing.h"

#include "platform/services.h"
#include "testrun/teststate.h"
#include "windows/resultwindow.h"

#include <QComboBox>

namespace sheet {

namespace {

const SheetGeometry& geometryOf(const TestState& state)
{
    return gridMode(state).sheet;
}

void printAt(FrmBetu& sheet, double x, double y, const QString& text)
{
    sheet.moveTo(x, y);
    sheet.print(text);
}

} // namespace

void drawCross(FrmBetu& sheet, const TestState& state)
{
    const SheetGeometry& g = geometryOf(state);
    sheet.setForeColor(Qt::black);
    sheet.setDrawStyle(DrawStyle::Solid);
    sheet.line(g.leftLineFrom, state.y2L + 1, g.leftLineTo, state.y2L + 1);
    sheet.line(state.x2L + 1, g.verticalTop, state.x2L + 1, g.verticalBottom);
    sheet.line(g.rightLineFrom, state.y2R + 1, g.rightLineTo, state.y2R + 1);
    sheet.line(state.x2R + g.rightMapShift, g.verticalTop, state.x2R + g.rightMapShift,
               g.verticalBottom);
    sheet.setDrawStyle(DrawStyle::Dot);
    sheet.line(sheet.x3, g.dividerTop, sheet.x3, g.dividerBottom);
}

void printEyes(FrmBetu& sheet, const TestState& state)
{
    const SheetGeometry& g = geometryOf(state);
    sheet.setFontSize(11);
    printAt(sheet, sheet.x3 / 2 + g.leftLabelDx, 0.2, sheet.cmbo1->currentText());
    printAt(sheet, sheet.x3 / 2 + g.rightLabelDx, 0.2, sheet.cmbo2->currentText());
}

void printDate(FrmBetu& sheet, const TestState& state, const Services& services, Side side)
{
    const SheetGeometry& g = geometryOf(state);
    const double dx = side == Side::TestWindow ? g.dateDxFromTestWindow : g.dateDxFromSheet;
    sheet.setFontSize(9);
    printAt(sheet, sheet.x3 + dx, 0.5,
            services.locale.toString(services.today(), QLocale::LongFormat));
}

QString tenSizesText(const TestState& state)
{
    return QStringLiteral("白点[") + state.tenL + QStringLiteral("]")
           + QStringLiteral("　　　白点[") + state.tenR + QStringLiteral("]");
}

void printTenSizes(FrmBetu& sheet, const TestState& state)
{
    const SheetGeometry& g = geometryOf(state);
    sheet.setFontSize(9);
    printAt(sheet, sheet.x3 + g.noteDx.x(), g.noteDx.y(), tenSizesText(state));
}

void drawMarks(FrmBetu& sheet, const TestState& state)
{
    const SheetGeometry& g = geometryOf(state);
    const GridMode& mode = gridMode(state);
    const ResultGrid& left = state.*mode.left;
    const ResultGrid& right = state.*mode.right;
    const double rightX = sheet.scaleWidth() / 2 + g.rightMarkDx;
    sheet.setFontSize(9);
    for (int column = 0; column < mode.columns; ++column) {
        for (int row = 0; row < mode.rows; ++row) {
            const double y = row + g.leftMark.y();
            printAt(sheet, column + g.leftMark.x(), y, left.at(column, row).left(1));
            printAt(sheet, rightX + column, y, right.at(column, row).left(1));
        }
    }
}

} // namespace sheet
