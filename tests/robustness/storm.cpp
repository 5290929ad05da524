#include "storm.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "windows/resultwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <array>

enum class Storm::Event {
    CarryOn, // start an eye or resume a paused run
    Tick,
    WindowClick,
    ButtonClick,
    ExplanationPress,
    ShiftDrag,
    MouseMove,
    Resize,
    TypeInLabel,
    CopyOrClear,
    SheetCloseOrOpen,
    Quit,
};

// Everything the invariants compare across one event.
struct Storm::Snapshot {
    std::array<ResultGrid, 4> results{ResultGrid(grids::kFine.columns, grids::kFine.rows),
                                      ResultGrid(grids::kFine.columns, grids::kFine.rows),
                                      ResultGrid(grids::kCoarse.columns, grids::kCoarse.rows),
                                      ResultGrid(grids::kCoarse.columns, grids::kCoarse.rows)};
    int swtKae = 0;
    bool left = false;
    bool right = false;
    bool ticking = false;
    QSize size;
    QPointF mark; // centre, in field units
    bool labelsShown = false;
};

void typeText(QWidget* widget, const QString& text)
{
    // A key press carrying the text, as an input method delivers characters beyond ASCII.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

namespace {

constexpr std::array<ResultGrid TestState::*, 4> kGrids{&TestState::kekaL15, &TestState::kekaR15,
                                                        &TestState::kekaL11, &TestState::kekaR11};

bool isFine(int grid)
{
    return grid < 2;
}

bool isLeft(int grid)
{
    return grid % 2 == 0;
}

} // namespace

Storm::Storm(std::uint64_t seed)
    : m_random(seed)
{
    newProgram();
}

Storm::~Storm() = default;

void Storm::newProgram()
{
    m_h = std::make_unique<Harness>(m_random());
    m_h->show(600, 483);
    m_runDisturbed = true;
}

QString Storm::run(int events)
{
    for (int i = 0; i < events; ++i) {
        const Snapshot before = snapshot();
        const Event event = nextEvent();
        QString failure = perform(event);
        if (failure.isEmpty())
            failure = check(event, before);
        if (!failure.isEmpty())
            return QStringLiteral("event %1 (kind %2): %3").arg(i).arg(int(event)).arg(failure);
    }
    return {};
}

Storm::Event Storm::nextEvent()
{
    if (--m_phaseLeft <= 0) {
        m_calm = !m_calm;
        std::uniform_int_distribution<int> length
            = m_calm ? std::uniform_int_distribution<int>(300, 2500)
                     : std::uniform_int_distribution<int>(10, 200);
        m_phaseLeft = length(m_random);
    }
    if (m_calm && !m_h->test.tmr1->isTicking())
        return Event::CarryOn;
    // Carry on, tick, window click, button, explanation, drag, move, resize, type, copy or
    // clear, close or open the sheet, quit.
    static const std::array<int, 12> calm{0, 900, 80, 0, 0, 0, 20, 0, 0, 0, 0, 0};
    static const std::array<int, 12> wild{30, 250, 80, 150, 40, 50, 60, 25, 50, 40, 25, 5};
    const auto& weights = m_calm ? calm : wild;
    std::discrete_distribution<int> pick(weights.begin(), weights.end());
    return static_cast<Event>(pick(m_random));
}

QString Storm::perform(Event event)
{
    m_startedEye = 0;
    m_cleared = false;
    m_newProgram = false;
    FrmTest& test = m_h->test;
    std::uniform_int_distribution<int> coin(0, 1);
    switch (event) {
    case Event::CarryOn:
        carryOn();
        break;
    case Event::Tick:
        if (m_h->clock.advance())
            ++m_runTicks;
        break;
    case Event::WindowClick:
        clickWindow();
        break;
    case Event::ButtonClick: {
        QPushButton* const buttons[]
            = {test.cmdLft,  test.cmdRgt, test.cmdStp,  test.cmdSpd, test.cmdTen,
               test.cmdHaik, test.cmdKae, test.cmdKeka, test.cmdBetu};
        std::uniform_int_distribution<int> which(0, int(std::size(buttons)) - 1);
        clickEyeOrStopButton(buttons[which(m_random)]);
        break;
    }
    case Event::ExplanationPress: {
        const Qt::MouseButton button = coin(m_random) ? Qt::LeftButton : Qt::RightButton;
        const Qt::KeyboardModifiers shift = coin(m_random) ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mousePress(test.cmdRdm, button, shift);
        QTest::mouseRelease(test.cmdRdm, button, shift);
        break;
    }
    case Event::ShiftDrag:
        shiftDrag();
        break;
    case Event::MouseMove:
        moveMouse();
        break;
    case Event::Resize:
        resize();
        break;
    case Event::TypeInLabel:
        typeInLabel();
        break;
    case Event::CopyOrClear:
        if (FrmBetu* sheet = m_h->program.resultSheet().window()) {
            m_cleared = coin(m_random) == 0;
            clickButton(m_cleared ? sheet->cmdClr : sheet->cmdCopy);
        }
        break;
    case Event::SheetCloseOrOpen:
        closeOrOpenSheet();
        break;
    case Event::Quit:
        if (test.cmdEnd->isEnabled()) {
            clickButton(test.cmdEnd);
            if (m_h->fakes.quits != 1)
                return QStringLiteral("quit did not end the program");
            if (m_h->program.resultSheet().window() || test.isVisible())
                return QStringLiteral("quit left a window open");
            ++m_quits;
            newProgram();
            m_newProgram = true;
        }
        break;
    }
    return {};
}

QString Storm::check(Event event, const Snapshot& before)
{
    if (m_newProgram)
        return {};
    const TestState& s = m_h->st;
    if (s.swtLft && s.swtRgt)
        return QStringLiteral("both eyes running");
    // A run paused and switched to the other grid goes on in that grid.
    if (before.swtKae != s.swtKae) {
        m_runDisturbed = true;
        m_runPoints = qMax(m_runPoints, grids::inForce(s).points());
    }
    if (s.eyeRunning() && (s.w < 0 || s.w > m_runPoints))
        return QStringLiteral("count %1 above the run's grid of %2").arg(s.w).arg(m_runPoints);

    // The rhythm of a run: one that no grid switch disturbed ends after 4 + 3 x points ticks
    // from its start (less the ticks of a start delay it joined).
    const bool ended = (before.left || before.right) && !s.eyeRunning();
    if (ended && event == Event::Tick) {
        if (!m_runDisturbed && m_runTicks != m_expectedTicks)
            return QStringLiteral("a run ended after %1 ticks, not %2")
                .arg(m_runTicks)
                .arg(m_expectedTicks);
        ++m_completedRuns;
        m_runDisturbed = true;
    } else if (ended) {
        return QStringLiteral("a run ended without a tick");
    }

    // A resize during a run leaves the run's mark and labels alone. Positions are compared
    // to within a pixel of each size, where a pixel is not too coarse to tell.
    const bool running = (before.left || before.right) && s.eyeRunning();
    if (event == Event::Resize && running) {
        const FrmTest& test = m_h->test;
        const QSize now = test.size();
        const QPointF mark = test.userRect(test.shp1).center();
        const auto pixel = [](double units, int a, int b) { return units / a + units / b + 1e-6; };
        const bool measurable = qMin(before.size.width(), now.width()) >= 100
                                && qMin(before.size.height(), now.height()) >= 100;
        if (measurable
            && (qAbs(mark.x() - before.mark.x())
                    > pixel(test.scaleWidth(), before.size.width(), now.width())
                || qAbs(mark.y() - before.mark.y())
                       > pixel(test.scaleHeight(), before.size.height(), now.height())))
            return QStringLiteral("a resize during a run moved the mark");
        const bool labelsShown = test.lblRdme[0]->isVisible() || test.lblRdme[1]->isVisible();
        if (labelsShown && !before.labelsShown)
            return QStringLiteral("a resize during a run showed the explanation");
    }

    // A click answers the point last presented, in the grid it was presented in.
    if (m_startedEye != 0 || before.swtKae != s.swtKae)
        m_lastPresented = {};

    // No result is lost but by the actions that erase results on purpose.
    for (int g = 0; g < 4; ++g) {
        const ResultGrid& was = before.results[g];
        const ResultGrid& now = s.*kGrids[g];
        if (was == now)
            continue;
        const bool sameMode = isFine(g) == (s.swtKae == 0);
        const bool startedThisEye = m_startedEye == (isLeft(g) ? 1 : 2);
        const bool switchedHere = before.swtKae != s.swtKae;
        const bool erasing = sameMode && (startedThisEye || m_cleared || switchedHere);
        for (int a = 0; a < was.columns(); ++a) {
            for (int b = 0; b < was.rows(); ++b) {
                const QString& from = was.at(a, b);
                const QString& to = now.at(a, b);
                if (from == to)
                    continue;
                // Also after Clear has erased the point during the run.
                const bool answered = from == ResultGrid::kNotSeen
                                      || (from == ResultGrid::kUntested
                                          && m_lastPresented == PresentedPoint{g, a, b});
                const bool seen = answered && to == ResultGrid::kSeen;
                const bool presented = from.size() <= 1 && to == ResultGrid::kNotSeen;
                if (presented)
                    m_lastPresented = {g, a, b};
                const bool erased = erasing && to == ResultGrid::kUntested;
                if (!seen && !presented && !erased)
                    return QStringLiteral("grid %1 cell (%2, %3) went from '%4' to '%5'")
                        .arg(g)
                        .arg(a)
                        .arg(b)
                        .arg(from, to);
            }
        }
    }
    return {};
}

Storm::Snapshot Storm::snapshot() const
{
    Snapshot snap;
    for (int g = 0; g < 4; ++g)
        snap.results[g] = m_h->st.*kGrids[g];
    snap.swtKae = m_h->st.swtKae;
    snap.left = m_h->st.swtLft;
    snap.right = m_h->st.swtRgt;
    snap.ticking = m_h->test.tmr1->isTicking();
    snap.size = m_h->test.size();
    snap.mark = m_h->test.userRect(m_h->test.shp1).center();
    snap.labelsShown = m_h->test.lblRdme[0]->isVisible() || m_h->test.lblRdme[1]->isVisible();
    return snap;
}

void Storm::clickButton(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void Storm::clickEyeOrStopButton(QPushButton* button)
{
    FrmTest& test = m_h->test;
    const bool eyeStart = (button == test.cmdLft || button == test.cmdRgt) && button->isEnabled();
    const int delayTicks = m_h->st.t;
    clickButton(button);
    if (eyeStart) {
        m_startedEye = button == test.cmdLft ? 1 : 2;
        m_runPoints = m_h->grid().points();
        m_runTicks = 0;
        // A start inside a running delay joins that delay.
        m_expectedTicks = 4 + 3 * m_runPoints - delayTicks;
        m_runDisturbed = false;
    }
}

void Storm::carryOn()
{
    FrmTest& test = m_h->test;
    std::uniform_int_distribution<int> coin(0, 1);
    if (m_h->st.eyeRunning() && test.cmdStp->isEnabled() && !test.tmr1->enabled())
        clickEyeOrStopButton(test.cmdStp);
    else
        clickEyeOrStopButton(coin(m_random) ? test.cmdLft : test.cmdRgt);
}

QPoint Storm::randomPoint()
{
    const QSize size = m_h->test.size();
    std::uniform_int_distribution<int> x(-5, qMax(0, size.width() + 4));
    std::uniform_int_distribution<int> y(-5, qMax(0, size.height() + 4));
    return {x(m_random), y(m_random)};
}

void Storm::clickWindow()
{
    std::uniform_int_distribution<int> coin(0, 3);
    const Qt::MouseButton button = coin(m_random) ? Qt::LeftButton : Qt::RightButton;
    const Qt::KeyboardModifiers shift = coin(m_random) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
    FrmTest& test = m_h->test;
    const QPoint at = randomPoint();
    QWidget* target = test.childAt(at);
    if (auto* pushButton = qobject_cast<QPushButton*>(target);
        pushButton && button == Qt::LeftButton) {
        clickEyeOrStopButton(pushButton); // a click that lands on a button is that button's
        return;
    }
    if (!target)
        target = &test;
    QTest::mouseClick(target, button, shift, target->mapFrom(&test, at));
}

void Storm::shiftDrag()
{
    FrmTest& test = m_h->test;
    std::uniform_int_distribution<int> coin(0, 1);
    QTest::mousePress(&test, Qt::LeftButton, Qt::ShiftModifier, randomPoint());
    for (int step = 0; step < 3; ++step)
        QTest::mouseMove(&test, randomPoint());
    QTest::mouseRelease(&test, Qt::LeftButton, coin(m_random) ? Qt::ShiftModifier : Qt::NoModifier,
                        randomPoint());
}

void Storm::moveMouse()
{
    FrmTest& test = m_h->test;
    const QPoint at = randomPoint();
    QMouseEvent move(QEvent::MouseMove, at, test.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&test, &move);
}

void Storm::resize()
{
    FrmTest& test = m_h->test;
    std::uniform_int_distribution<int> kind(0, 3);
    switch (kind(m_random)) {
    case 0:
        test.resize(1, 1);
        break;
    case 1:
        test.showMinimized();
        QCoreApplication::processEvents();
        test.showNormal();
        break;
    default: {
        std::uniform_int_distribution<int> side(2, 900);
        test.resize(side(m_random), side(m_random));
        break;
    }
    }
    test.resize(600, 483);
}

void Storm::typeInLabel()
{
    FrmBetu* sheet = m_h->program.resultSheet().window();
    if (!sheet)
        return;
    static const QString samples[]
        = {QStringLiteral("左"), QStringLiteral("右"),    QStringLiteral("x"),
           QStringLiteral("😀"),  QStringLiteral("עברית"), QString()};
    std::uniform_int_distribution<int> which(0, int(std::size(samples)) - 1);
    QComboBox* combo = which(m_random) % 2 ? sheet->cmbo1 : sheet->cmbo2;
    const QString& text = samples[which(m_random)];
    if (text.isEmpty())
        combo->setEditText(text);
    else
        typeText(combo, text);
}

void Storm::closeOrOpenSheet()
{
    if (FrmBetu* sheet = m_h->program.resultSheet().window()) {
        sheet->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    } else if (m_h->test.cmdBetu->isEnabled()) {
        clickButton(m_h->test.cmdBetu);
    }
}
