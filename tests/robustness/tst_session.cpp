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
    // Runs an eye to its end, answering every dot the observer sees.
    static void runEye(Harness& h, QPushButton* eye, bool (*sees)(const QPoint&));
};

void TstSession::runEye(Harness& h, QPushButton* eye, bool (*sees)(const QPoint&))
{
    QTest::mouseClick(eye, Qt::LeftButton);
    QCOMPARE(h.answerRun(sees).size(), 4 + 3 * h.grid().points());
    QVERIFY(!h.st.eyeRunning());
}

void TstSession::aWholeSession()
{
    Harness h;
    h.show(800, 644);

    const auto blindSpot = [](const QPoint& p) { return !QRect(13, 6, 3, 3).contains(p); };
    const auto allSeen = [](const QPoint&) { return true; };
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
    QCOMPARE(h.st.kekaL15.takenCount(), grids::kFine.points());

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
