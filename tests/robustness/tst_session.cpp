#include "support/harness.h"
#include "support/testmain.h"

#include "platform/intervaltimer.h"
#include "windows/resultwindow.h"

#include <QPushButton>
#include <QtTest>

// A whole session as a user has it: both eyes in both grids, the result sheet, a copy, a
// clear and quitting. The sanitizer build runs it like every other test.
class TstSession : public QObject {
    Q_OBJECT
private slots:
    void aWholeSession();

private:
    // Runs an eye to its end, answering every dot whose column passes `sees`.
    static void runEye(Harness& h, QPushButton* eye, bool (*sees)(int column, int row));
};

void TstSession::runEye(Harness& h, QPushButton* eye, bool (*sees)(int, int))
{
    QTest::mouseClick(eye, Qt::LeftButton);
    int ticks = 0;
    while (h.st.eyeRunning()) {
        const int w = h.st.w;
        h.program.presentation().onTick();
        ++ticks;
        if (h.st.w != w && sees(h.st.a, h.st.b))
            QTest::mouseClick(&h.test, Qt::LeftButton, {}, QPoint(8, 8));
    }
    QCOMPARE(ticks, 4 + 3 * gridMode(h.st).points());
}

void TstSession::aWholeSession()
{
    Harness h;
    QObject::disconnect(h.test.tmr1, &IntervalTimer::tick, nullptr, nullptr);
    h.show(800, 644);

    const auto blindSpot = [](int a, int b) { return !(a >= 13 && a <= 15 && b >= 6 && b <= 8); };
    const auto allSeen = [](int, int) { return true; };
    runEye(h, h.test.cmdLft, blindSpot);
    runEye(h, h.test.cmdRgt, allSeen);
    QCOMPARE(h.st.kekaL15.at(14, 7), ResultGrid::kNotSeen);
    QCOMPARE(h.st.kekaL15.at(0, 0), ResultGrid::kSeen);

    QTest::mouseClick(h.test.cmdKeka, Qt::LeftButton);
    FrmBetu* sheet = h.program.resultSheet().window();
    QVERIFY(sheet && sheet->isVisible());
    QTest::mouseClick(sheet->cmdCopy, Qt::LeftButton);
    QCOMPARE(h.fakes.clipboard, sheet->picture());

    QTest::mouseClick(h.test.cmdKae, Qt::LeftButton);
    runEye(h, h.test.cmdRgt, blindSpot);
    QTest::mouseClick(h.test.cmdKeka, Qt::LeftButton);
    QTest::mouseClick(sheet->cmdClr, Qt::LeftButton);
    QCOMPARE(h.st.kekaR11.takenCount(), 0);
    QCOMPARE(h.st.kekaL15.takenCount(), 285);

    QTest::mouseClick(h.test.cmdKae, Qt::LeftButton);
    QCOMPARE(h.st.kekaL15.takenCount(), 0);
    // The end button is enabled again only by a pause once a run has started.
    QTest::mouseClick(h.test.cmdLft, Qt::LeftButton);
    QTest::mouseClick(h.test.cmdStp, Qt::LeftButton);
    QVERIFY(h.test.cmdEnd->isEnabled());
    QTest::mouseClick(h.test.cmdEnd, Qt::LeftButton);
    QCOMPARE(h.fakes.quits, 1);
    QVERIFY(!h.program.resultSheet().window());
    QVERIFY(!h.test.isVisible());
}

SHIYA_TEST_MAIN(TstSession)
#include "tst_session.moc"
