#include "testrun/runphase.h"

#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QPushButton>

namespace {

enum class Use : char {
    Keep, // left as it is
    On,
    Off,
    OffForOtherEye, // off while the other eye's run is active
};

struct ButtonUse {
    Use use = Use::Keep;
    const char* toolTip = nullptr; // nullptr: unchanged
};

struct PhaseRow {
    RunPhase phase;
    ButtonUse lft, rgt, stp, rdm, betu, kae, keka, end;
    const char* stpCaption; // nullptr: unchanged
    QPushButton* FrmTest::*focus; // nullptr: unchanged
};

constexpr Use K = Use::Keep;
constexpr Use On = Use::On;
constexpr Use Off = Use::Off;
constexpr Use Eye = Use::OffForOtherEye;

// The quit button is enabled again only by a pause, not by the end of a run. The pause
// button is disabled at the end of a run of either eye: enabled with no run, it would
// disable the other buttons for a run that is not there.
// clang-format off
const PhaseRow kRows[] = {
    {RunPhase::BeforeRun, {On}, {On}, {Off}, {On}, {On}, {On}, {On}, {On}, nullptr, nullptr},
    {RunPhase::Started, {Eye}, {Eye}, {On}, {Off}, {Off}, {Off}, {Off}, {Off}, "止", &FrmTest::cmdStp},
    {RunPhase::Paused,
     {On, "左を最初からスタートします。"},
     {On, "右を最初からスタートします。"},
     {K, "続きを実行します"},
     {On, "クリックで説明を現します"},
     {On}, {On}, {On}, {On}, "再開", nullptr},
    {RunPhase::Resumed, {Eye}, {Eye}, {K, "一時停止します。"}, {Off}, {Off}, {Off}, {Off}, {Off}, "止", nullptr},
    {RunPhase::Ended, {On}, {On}, {Off}, {On}, {On}, {On}, {On}, {K}, nullptr, &FrmTest::cmdKeka},
};
// clang-format on

void apply(QPushButton* button, const ButtonUse& use, bool otherEyeRuns)
{
    switch (use.use) {
    case Use::Keep:
        break;
    case Use::On:
        button->setEnabled(true);
        break;
    case Use::Off:
        button->setEnabled(false);
        break;
    case Use::OffForOtherEye:
        if (otherEyeRuns)
            button->setEnabled(false);
        break;
    }
    if (use.toolTip)
        button->setToolTip(QString::fromUtf8(use.toolTip));
}

} // namespace

void applyRunPhase(RunPhase phase, FrmTest& test, const TestState& state)
{
    for (const PhaseRow& row : kRows) {
        if (row.phase != phase)
            continue;
        apply(test.cmdLft, row.lft, state.swtRgt);
        apply(test.cmdRgt, row.rgt, state.swtLft);
        apply(test.cmdStp, row.stp, false);
        apply(test.cmdRdm, row.rdm, false);
        apply(test.cmdBetu, row.betu, false);
        apply(test.cmdKae, row.kae, false);
        apply(test.cmdKeka, row.keka, false);
        apply(test.cmdEnd, row.end, false);
        if (row.stpCaption)
            test.cmdStp->setText(QString::fromUtf8(row.stpCaption));
        if (row.focus)
            (test.*row.focus)->setFocus();
        return;
    }
}
