#pragma once

class FrmTest;
struct TestState;

// The test window's load handler: the starting values of the test state and the
// explanation texts. The window is set to open maximised.
void loadTestWindow(TestState& state, FrmTest& test);
