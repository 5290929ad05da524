#include "testscreen/dotsize.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/runphase.h"
#include "testrun/statustext.h"
#include "testrun/teststate.h"
#include "windows/colors.h"
#include "windows/testwindow.h"

#include <QFrame>
#include <QPushButton>

namespace {

struct DotStep {
    const char* caption;
    const char* toolTip;
    QColor dotColor;
};

// Indexed by the size after the click: small, medium, large. The sizes are the grid's.
const DotStep kSteps[] = {
    {"小", "白点を少し大きくします｡", QColor(255, 255, 255)},
    {"中", "白点を大きくします｡", QColor(224, 224, 224)},
    {"大", "白点を小さくします｡", QColor(192, 192, 192)},
};

struct Background {
    QColor color;
    const char* caption; // nullptr: unchanged
    const char* toolTip;
};

// Indexed by the step before the click; the last is the grey the program starts with.
const Background kBackgrounds[] = {
    {QColor(48, 48, 48), nullptr, nullptr},
    {QColor(32, 32, 32), nullptr, nullptr},
    {QColor(16, 16, 16), nullptr, nullptr},
    {QColor(0, 0, 0), "黒", "元の濃さに戻ります｡"},
    {colors::kField, "濃", "背景の濃さが５段階に変わります｡"},
};

void showBackgroundButton(FrmTest& test, const Background& step)
{
    if (step.caption) {
        test.cmdHaik->setToolTip(QString::fromUtf8(step.toolTip));
        test.cmdHaik->setText(QString::fromUtf8(step.caption));
    }
}

} // namespace

DotSizeAndBackground::DotSizeAndBackground(TestState& state, FrmTest& test)
    : m_state(state)
    , m_test(test)
{
}

void DotSizeAndBackground::onTenClicked()
{
    FrmTest& test = m_test;
    const int next = (m_state.swtTen == 0 || m_state.swtTen == 1) ? m_state.swtTen + 1 : 0;
    const DotStep& step = kSteps[next];
    const DotSizes& size = gridMode(m_state).dotSizes[next];

    // In place: the top-left corners stay where they are.
    test.cmdTen->setText(QString::fromUtf8(step.caption));
    test.cmdTen->setToolTip(QString::fromUtf8(step.toolTip));
    test.shp2->setBackColor(step.dotColor);
    test.setUserHeight(test.shp2, size.dotHeight);
    test.setUserWidth(test.shp2, size.dotWidth);
    m_state.swtTen = next;
    test.setUserHeight(test.shp1, size.markHeight);
    test.setUserWidth(test.shp1, size.markWidth);
    focusChain(test);
}

void DotSizeAndBackground::onHaikClicked()
{
    FrmTest& test = m_test;
    const Background& step = kBackgrounds[qBound(0, m_intHaik, 4)];
    test.setBackColor(step.color); // erases the drawing, as a clear does
    QPalette palette = test.fra1->palette();
    palette.setColor(QPalette::Window, step.color);
    test.fra1->setPalette(palette);
    showBackgroundButton(test, step);
    m_intHaik = m_intHaik < 4 ? m_intHaik + 1 : 0;
    reprintStatus();
    focusChain(test);
}

void DotSizeAndBackground::showStart()
{
    showBackgroundButton(m_test, std::end(kBackgrounds)[-1]);
}

void DotSizeAndBackground::reprintStatus()
{
    FrmTest& test = m_test;
    // As written: a pause is read off the pause button's caption, and its message goes back
    // to the last status text's offset (x2m, y2m), which a text printed since may have moved.
    const bool paused = showsResume(test) && !test.tmr1->enabled();
    if (paused)
        statustext::printBesideMark(test, statustext::pauseMessage(), {m_state.x2m, m_state.y2m});
    else if (test.tmr1->interval() == 0)
        statustext::printBesideMark(test, statustext::instruction(), {0, 0.4});
    // During a presentation nothing: the next dot prints its count again.
}
