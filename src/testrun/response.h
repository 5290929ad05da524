#pragma once

struct TestState;
class FrmTest;

// A click on the window's own surface answers the dot: the current point of the running
// eye's grid is marked seen.
class Response {
public:
    Response(TestState& state, FrmTest& test);

    void onWindowClick();

private:
    TestState& m_state;
    FrmTest& m_test;
};
