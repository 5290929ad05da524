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

// One value for each phase, each under the phase's name; a phase left out has the default.
template <typename T> struct ByPhase {
    T beforeRun{}, started{}, paused{}, resumed{}, ended{};

    T at(RunPhase phase) const
    {
        switch (phase) {
        case RunPhase::BeforeRun:
            return beforeRun;
        case RunPhase::Started:
            return started;
        case RunPhase::Paused:
            return paused;
        case RunPhase::Resumed:
            return resumed;
        case RunPhase::Ended:
            return ended;
        }
        return {};
    }
};

// A button's whole life across the phases: whether it can be used, and the tool tip a phase
// gives it (nullptr: unchanged).
struct ButtonLife {
    QPushButton* FrmTest::*button;
    ByPhase<Use> use{};
    ByPhase<const char*> toolTip{};
};

constexpr Use Keep = Use::Keep;
constexpr Use On = Use::On;
constexpr Use Off = Use::Off;
constexpr Use OtherEye = Use::OffForOtherEye;

constexpr const char* kStartTip = "クリックでスタートします｡";
constexpr const char* kPauseTip = "一時停止します。";
constexpr const char* kStop = "止";
constexpr const char* kResume = "再開";

// The speed, dot-size and background buttons can be used in every phase and are not listed.
// The quit button is enabled again only by a pause, not by the end of a run. The pause
// button is disabled at the end of a run of either eye: enabled with no run, it would
// disable the other buttons for a run that is not there.
// clang-format off
const ButtonLife kButtons[] = {
    {.button = &FrmTest::cmdLft,
     .use = {.beforeRun = On, .started = OtherEye, .paused = On, .resumed = OtherEye, .ended = On},
     .toolTip = {.beforeRun = kStartTip, .paused = "左を最初からスタートします。"}},
    {.button = &FrmTest::cmdRgt,
     .use = {.beforeRun = On, .started = OtherEye, .paused = On, .resumed = OtherEye, .ended = On},
     .toolTip = {.beforeRun = kStartTip, .paused = "右を最初からスタートします。"}},
    {.button = &FrmTest::cmdStp,
     .use = {.beforeRun = Off, .started = On, .paused = On, .resumed = On, .ended = Off},
     .toolTip = {.beforeRun = kPauseTip, .paused = "続きを実行します", .resumed = kPauseTip}},
    {.button = &FrmTest::cmdRdm,
     .use = {.beforeRun = On, .started = Off, .paused = On, .resumed = Off, .ended = On},
     .toolTip = {.beforeRun = kHideLabelsTip, .paused = kShowLabelsTip}},
    {.button = &FrmTest::cmdBetu,
     .use = {.beforeRun = On, .started = Off, .paused = On, .resumed = Off, .ended = On}},
    {.button = &FrmTest::cmdKae,
     .use = {.beforeRun = On, .started = Off, .paused = On, .resumed = Off, .ended = On}},
    {.button = &FrmTest::cmdKeka,
     .use = {.beforeRun = On, .started = Off, .paused = On, .resumed = Off, .ended = On}},
    {.button = &FrmTest::cmdEnd,
     .use = {.beforeRun = On, .started = Off, .paused = On, .resumed = Off, .ended = Keep}},
};

// The pause button's caption, and the button that takes the focus (nullptr: unchanged).
const ByPhase<const char*> kStpCaption{
    .beforeRun = kStop, .started = kStop, .paused = kResume, .resumed = kStop};
const ByPhase<QPushButton* FrmTest::*> kFocus{
    .started = &FrmTest::cmdStp, .ended = &FrmTest::cmdKeka};
// clang-format on

const ButtonLife& lifeOf(QPushButton* FrmTest::*button)
{
    for (const ButtonLife& life : kButtons) {
        if (life.button == button)
            return life;
    }
    Q_UNREACHABLE();
}

void apply(QPushButton* button, Use use, bool otherEyeRuns)
{
    switch (use) {
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
}

} // namespace

void applyRunPhase(RunPhase phase, FrmTest& test, const TestState& state)
{
    for (const ButtonLife& life : kButtons) {
        QPushButton* button = test.*life.button;
        const bool otherEyeRuns = (life.button == &FrmTest::cmdLft && state.swtRgt)
                                  || (life.button == &FrmTest::cmdRgt && state.swtLft);
        apply(button, life.use.at(phase), otherEyeRuns);
        if (const char* tip = life.toolTip.at(phase))
            button->setToolTip(QString::fromUtf8(tip));
    }
    if (const char* caption = kStpCaption.at(phase))
        test.cmdStp->setText(QString::fromUtf8(caption));
    if (QPushButton* FrmTest::*const focus = kFocus.at(phase))
        (test.*focus)->setFocus();
}

void applyEyeStartTips(bool left, bool offerRestart, FrmTest& test)
{
    QPushButton* own = left ? test.cmdLft : test.cmdRgt;
    if (!offerRestart) {
        own->setToolTip(QStringLiteral("最初からスタートします｡"));
        return;
    }
    own->setToolTip(QStringLiteral("最初からやり直します。"));
    // The other eye's button offers its own start from the beginning, as during a pause.
    QPushButton* FrmTest::*other = left ? &FrmTest::cmdRgt : &FrmTest::cmdLft;
    (test.*other)->setToolTip(QString::fromUtf8(lifeOf(other).toolTip.paused));
}

void focusChain(FrmTest& test)
{
    for (QPushButton* button : {test.cmdRgt, test.cmdLft, test.cmdStp}) {
        if (button->isEnabled())
            button->setFocus();
    }
}

bool showsResume(const FrmTest& test)
{
    return test.cmdStp->text() == QString::fromUtf8(kResume);
}

QString shownDotSize(const FrmTest& test)
{
    return test.cmdTen->text();
}
