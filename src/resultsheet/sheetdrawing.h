#pragma once

#include <QString>

class FrmBetu;
struct Services;
struct TestState;

// The drawing rules of the result sheet, one function per group of elements. The results
// button draws through them from the test window's side, the result window's own redraws
// from its side; the two differ only in the place of the date.
namespace sheet {

enum class Side { TestWindow, ResultWindow };

// The four fixation lines through each eye's recorded point, then the dotted divider.
void drawCross(FrmBetu& sheet, const TestState& state);
// The texts of the two combo boxes above the maps.
void printEyes(FrmBetu& sheet, const TestState& state);
// Today's date in the long date format of the locale.
void printDate(FrmBetu& sheet, const TestState& state, const Services& services, Side side);
// The dot size each eye's run used, "白点[小]　　　白点[小]".
QString tenSizesText(const TestState& state);
void printTenSizes(FrmBetu& sheet, const TestState& state);
// One mark per test point of both eyes' grids of the current mode.
void drawMarks(FrmBetu& sheet, const TestState& state);

} // namespace sheet
