#pragma once

#include <QString>

class FrmTest;
struct TestState;

// The moments at which a run changes which buttons of the test window can be used.
enum class RunPhase {
    BeforeRun, // the program has started
    Started, // an eye's run has started or restarted
    Paused,
    Resumed,
    Ended, // the run has presented its last point
};

// Enables and disables the buttons, sets the pause button's caption and the tool tips that
// belong to the phase, and moves the focus, by one table that gives each button one line.
void applyRunPhase(RunPhase phase, FrmTest& test, const TestState& state);

// The eye buttons' tool tips at a start of the left or the right eye's run. Each eye's
// button offers a restart at every other start of its eye, beginning with the first.
void applyEyeStartTips(bool left, bool offerRestart, FrmTest& test);

// The explanation button's tool tip says what its next plain press does; the phases set it
// too.
inline constexpr const char* kHideLabelsTip = "クリックで説明を消します";
inline constexpr const char* kShowLabelsTip = "クリックで説明を現します";

// After a setting button the focus goes to the right-eye, left-eye and pause buttons in
// turn, each only if it is enabled: the last enabled one keeps it.
void focusChain(FrmTest& test);

// Captions read back as data, as written: whether the pause button's caption is the one a
// pause gives it, and the dot size the dot-size button's caption names ("小", "中", "大"),
// which a run records as its own.
bool showsResume(const FrmTest& test);
QString shownDotSize(const FrmTest& test);
