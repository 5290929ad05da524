#pragma once

class FrmTest;
struct TestState;

// The dot-size button cycles the dot and the mark through small, medium and large; the
// background button steps the darkness of the window through five levels.
class DotSizeAndBackground {
public:
    DotSizeAndBackground(TestState& state, FrmTest& test);

    void onTenClicked();
    void onHaikClicked();
    // The background button as the program starts, on the starting grey.
    void showStart();

private:
    void reprintStatus();

    TestState& m_state;
    FrmTest& m_test;
    int m_intHaik = 0; // clicks that have darkened the background since it was last grey
};
