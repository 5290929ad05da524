#pragma once

class FieldLayout;
class FrmTest;
class ResultSheet;
struct TestState;

// Switches the whole program between the fine grid (15 x 19) and the coarse one (11 x 13).
class GridSwitch {
public:
    GridSwitch(TestState& state, FrmTest& test, FieldLayout& layout, ResultSheet& sheet);

    // The test window's title and the grid button as the grid in force has them.
    void showMode();
    void onKaeClicked();

private:
    TestState& m_state;
    FrmTest& m_test;
    FieldLayout& m_layout;
    ResultSheet& m_sheet;
};
