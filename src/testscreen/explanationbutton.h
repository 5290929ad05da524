#pragma once

struct MouseArgs;
struct TestState;
class FrmTest;

// The explanation button hides and shows the explanation; pressed with Shift it draws or
// clears a numbered dot on every test point. It reacts to a press of any mouse button.
class ExplanationButton {
public:
    ExplanationButton(TestState& state, FrmTest& test);

    void onMouseDown(const MouseArgs& args);

private:
    void drawPointNumbers();

    TestState& m_state;
    FrmTest& m_test;
    int m_intTstNo = 0;
};
