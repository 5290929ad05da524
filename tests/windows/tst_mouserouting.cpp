#include "support/harness.h"
#include "support/testmain.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

// Which of the window's own mouse events a press, move or release over each control
// produces: the window's handlers see only its own surface and the shapes on it (a click on
// the dot is a row of tst_response, the shape alone is in tst_timerandshape). What the
// explanation button makes of the mouse and the keys is in tst_explanationbutton, a Shift
// drag through the window over the mark in tst_fixationdrag.
class TstMouseRouting : public QObject {
    Q_OBJECT
private slots:
    void aClickOnTheSurfaceIsAPressAReleaseAndAClick();
    void anyButtonClicksAndShiftIsReported();
    void labelsAndTheFrameKeepTheirMouseInput();
    void aReleaseOutsideTheWindowIsNoClick();
    void movesWithoutAButtonReachTheWindow();
    void escapeActsAsThePauseButton();
    void enterClicksTheFocusedButton();
};

namespace {

struct Spies {
    explicit Spies(FrmTest& test)
        : down(&test, &FrmTest::mouseDown)
        , up(&test, &FrmTest::mouseUp)
        , moved(&test, &FrmTest::mouseMoved)
        , clicked(&test, &FrmTest::clicked)
    {
    }
    QSignalSpy down;
    QSignalSpy up;
    QSignalSpy moved;
    QSignalSpy clicked;
};

MouseArgs argsAt(const QSignalSpy& spy, int index)
{
    return spy.at(index).at(0).value<MouseArgs>();
}

// A point of the window in pixels, from a control's centre.
QPoint centreIn(const FrmTest& test, const QWidget* control)
{
    return control->mapTo(&test, control->rect().center());
}

} // namespace

void TstMouseRouting::aClickOnTheSurfaceIsAPressAReleaseAndAClick()
{
    Harness h;
    h.show();
    Spies spies(h.test);
    QTest::mouseClick(&h.test, Qt::LeftButton, {}, QPoint(100, 150));
    QCOMPARE(spies.down.count(), 1);
    QCOMPARE(spies.up.count(), 1);
    QCOMPARE(spies.clicked.count(), 1);
    const MouseArgs down = argsAt(spies.down, 0);
    QCOMPARE(down.button, Qt::LeftButton);
    QVERIFY(!down.shift);
    // Positions in test-field units: 50 px per unit.
    QCOMPARE(down.x, 2.0);
    QCOMPARE(down.y, 3.0);
}

void TstMouseRouting::anyButtonClicksAndShiftIsReported()
{
    Harness h;
    h.show();
    Spies spies(h.test);
    QTest::mouseClick(&h.test, Qt::RightButton, Qt::ShiftModifier, QPoint(60, 60));
    QTest::mouseClick(&h.test, Qt::MiddleButton, Qt::ShiftModifier | Qt::ControlModifier,
                      QPoint(60, 60));
    QCOMPARE(spies.clicked.count(), 2);
    QCOMPARE(argsAt(spies.down, 0).button, Qt::RightButton);
    QVERIFY(argsAt(spies.down, 0).shift);
    QVERIFY(argsAt(spies.up, 1).shift);
    QCOMPARE(argsAt(spies.up, 1).button, Qt::MiddleButton);
}

void TstMouseRouting::labelsAndTheFrameKeepTheirMouseInput()
{
    Harness h;
    h.show();
    QVERIFY(QTest::qWaitForWindowExposed(&h.test));
    Spies spies(h.test);
    auto* frame = h.find<QFrame>(QStringLiteral("fra1"));
    const QPoint frameCorner = frame->mapTo(&h.test, QPoint(2, 2));
    const QPoint disabledButton = centreIn(h.test, h.test.cmdStp);
    for (const QPoint& at : {centreIn(h.test, h.test.lblRdme[0]),
                             centreIn(h.test, h.test.lblRdme[1]), frameCorner, disabledButton}) {
        QWidget* under = h.test.childAt(at);
        QVERIFY(under && under != &h.test);
        QTest::mouseClick(under, Qt::LeftButton, Qt::ShiftModifier, under->mapFrom(&h.test, at));
    }
    QCOMPARE(spies.down.count(), 0);
    QCOMPARE(spies.up.count(), 0);
    QCOMPARE(spies.clicked.count(), 0);
}

void TstMouseRouting::aReleaseOutsideTheWindowIsNoClick()
{
    Harness h;
    h.show();
    Spies spies(h.test);
    QTest::mousePress(&h.test, Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseRelease(&h.test, Qt::LeftButton, {}, QPoint(-30, 40));
    QCOMPARE(spies.up.count(), 1);
    QCOMPARE(spies.clicked.count(), 0);
    // A release alone, without its press, is no click either.
    QTest::mouseRelease(&h.test, Qt::LeftButton, {}, QPoint(40, 40));
    QCOMPARE(spies.clicked.count(), 0);
}

void TstMouseRouting::movesWithoutAButtonReachTheWindow()
{
    Harness h;
    h.show();
    Spies spies(h.test);
    QMouseEvent move(QEvent::MouseMove, QPointF(250, 100), h.test.mapToGlobal(QPointF(250, 100)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&h.test, &move);
    QCOMPARE(spies.moved.count(), 1);
    QCOMPARE(argsAt(spies.moved, 0).x, 5.0);
    QCOMPARE(argsAt(spies.moved, 0).y, 2.0);
}

void TstMouseRouting::escapeActsAsThePauseButton()
{
    Harness h;
    h.program.start();
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    QSignalSpy stops(h.test.cmdStp, &QPushButton::clicked);
    QTest::keyClick(&h.test, Qt::Key_Escape);
    QCOMPARE(stops.count(), 0); // disabled before a run

    QTest::mouseClick(h.test.cmdLft, Qt::LeftButton);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(stops.count(), 1);
    QCOMPARE(h.test.cmdStp->text(), QStringLiteral("再開"));
}

void TstMouseRouting::enterClicksTheFocusedButton()
{
    Harness h;
    h.program.start();
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    QCOMPARE(QApplication::focusWidget(), h.test.cmdLft);
    QTest::keyClick(h.test.cmdLft, Qt::Key_Return);
    QVERIFY(h.st.swtLft);
    // The run gives the pause button the focus: Enter pauses.
    QCOMPARE(QApplication::focusWidget(), h.test.cmdStp);
    QTest::keyClick(h.test.cmdStp, Qt::Key_Enter);
    QCOMPARE(h.test.cmdStp->text(), QStringLiteral("再開"));
}

SHIYA_TEST_MAIN(TstMouseRouting)
#include "tst_mouserouting.moc"
