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

// The explanation button's tool tip says what its next plain press does.
inline constexpr const char* kHideLabelsTip = "クリックで説明を消します";
inline constexpr const char* kShowLabelsTip = "クリックで説明を現します";

// Fills both explanation labels for the current grid mode (SetRdmText). Their visibility
// and places are left alone.
void setRdmText(const TestState& state, FrmTest& test);

} // namespace explanation
