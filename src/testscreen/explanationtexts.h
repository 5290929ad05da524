#pragma once

#include <QString>

class FrmTest;
struct GridMode;
struct TestState;

namespace explanation {

// The twelve lines of the upper explanation label.
QString upperText();
// The ten lines of the lower label; lines 2 and 3 name the grid mode.
QString lowerText(const GridMode& mode);

// Fills both explanation labels for the current grid mode (SetRdmText). Their visibility
// and places are left alone.
void setRdmText(const TestState& state, FrmTest& test);

} // namespace explanation
