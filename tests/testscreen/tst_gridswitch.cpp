#include "support/harness.h"

#include "windows/resultwindow.h"

#include "support/testmain.h"

#include <QtTest>

class TstGridSwitch : public QObject {
    Q_OBJECT
private slots:
    void switchesModeTextsAndScales_data();
    void switchesModeTextsAndScales();
    void laysTheNewModeOutAndResetsEveryFixationPoint();
    void keepsTheOtherModesResultsUntilTheSwitchBack();
    void aPausedRunGoesOnInTheNewMode();
};

void TstGridSwitch::switchesModeTextsAndScales_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("swtKae");
    QTest::newRow("first click: coarse") << 1 << -1;
    QTest::newRow("second click: fine again") << 2 << 0;
    QTest::newRow("third click: coarse again") << 3 << -1;
}

void TstGridSwitch::switchesModeTextsAndScales()
{
    QFETCH(int, clicks);
    QFETCH(int, swtKae);
    const grids::Grid& mode = grids::of(swtKae == 0);
    Harness h(kClient);
    QCOMPARE(h.st.intKaeFirst, 0);
    QVERIFY(!h.program.resultSheet().window());

    for (int i = 0; i < clicks; ++i)
        h.test.cmdKae->click();

    QCOMPARE(h.st.swtKae, swtKae);
    QCOMPARE(h.st.intKaeFirst, 1);
    QCOMPARE(h.test.cmdKae->text(), mode.kaeCaption);
    QCOMPARE(h.test.cmdKae->toolTip(), mode.kaeToolTip);
    QCOMPARE(h.test.windowTitle(), mode.testTitle);
    QCOMPARE(scaleOf(h.test), mode.field.scale);
    // The switch loads the result window without showing it.
    FrmBetu* sheet = h.program.resultSheet().window();
    QVERIFY(sheet && !sheet->isVisible());
    QCOMPARE(sheet->windowTitle(), mode.sheetTitle);
    QCOMPARE(scaleOf(*sheet), mode.sheet.scale);
    QCOMPARE(sheet->x3, mode.sheet.scale.width() / 2);
}

void TstGridSwitch::laysTheNewModeOutAndResetsEveryFixationPoint()
{
    Harness h(kClient);
    h.shiftClick(3, 4);
    QVERIFY(h.completeLeftRun());
    h.shiftClick(5, 5);
    h.test.cmdRgt->click();
    QVERIFY(h.finishRun());
    h.shiftClick(6, 2);

    h.test.cmdKae->click();

    for (const QPointF& point :
         {QPointF(h.st.x2, h.st.y2), QPointF(h.st.x2L, h.st.y2L), QPointF(h.st.x2R, h.st.y2R)})
        QCOMPARE(point, grids::kCoarse.field.fixation);
    QCOMPARE(h.st.kekaL11.takenCount(), 0);
    QCOMPARE(h.st.kekaL11.at(12, 10), QStringLiteral("×"));
    QCOMPARE(h.st.kekaR11.at(0, 0), QStringLiteral("×"));
    const grids::Field& coarse = grids::kCoarse.field;
    QCOMPARE(h.unitsOff(h.markCentre(), coarse.markCentre()), QString());
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(coarse.instructionDrop)),
             QString());
    QVERIFY(h.test.lblRdme[0]->isVisible());
    QVERIFY(h.test.lblRdme[1]->isVisible());
}

void TstGridSwitch::keepsTheOtherModesResultsUntilTheSwitchBack()
{
    Harness h(kClient);
    QVERIFY(h.completeLeftRun());
    const ResultGrid fineLeft = h.st.kekaL15;
    QCOMPARE(fineLeft.takenCount(), grids::kFine.points());

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaL15, fineLeft);
    h.test.cmdRgt->click();
    QVERIFY(h.finishRun());
    const ResultGrid coarseRight = h.st.kekaR11;
    QCOMPARE(coarseRight.takenCount(), grids::kCoarse.points());
    QCOMPARE(h.st.kekaL15, fineLeft);

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaL15.takenCount(), 0);
    QCOMPARE(h.st.kekaL15.at(18, 14), QStringLiteral("×"));
    QCOMPARE(h.st.kekaR11, coarseRight);

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaR11.takenCount(), 0);
}

void TstGridSwitch::aPausedRunGoesOnInTheNewMode()
{
    Harness h(kClient);
    h.test.cmdLft->click();
    QVERIFY(h.tickToNextDot());
    h.test.resize(900, 700); // the run keeps its mark through resizes
    h.test.resize(1000, 805);
    h.test.cmdStp->click();
    QVERIFY(h.test.cmdKae->isEnabled());

    h.test.cmdKae->click();
    // The mark stands at the coarse field's centre, also after a resize in the pause.
    h.test.resize(900, 700);
    h.test.resize(1000, 805);
    const QPointF mark = h.test.userRect(h.test.shp1).center();
    QCOMPARE(h.unitsOff(mark, QPointF(7.0, 6.2), 1), QString());

    QVERIFY(h.st.swtLft);
    QVERIFY(h.st.swtStp);
    QCOMPARE(h.test.cmdStp->text(), QStringLiteral("再開"));
    QCOMPARE(h.st.kekaL15.takenCount(), 1);

    h.test.cmdStp->click();
    QVERIFY(h.tickToNextDot());
    QCOMPARE(h.st.w, 2);
    QCOMPARE(h.st.kekaL11.takenCount(), 1);
    QVERIFY(h.st.kekaL11.contains(h.st.a, h.st.b));
    QCOMPARE(h.st.kekaL11.at(h.st.a, h.st.b), QStringLiteral("●s"));
    QCOMPARE(h.st.kekaL15.takenCount(), 1);
    // The dot's bottom-right corner is the coarse test point.
    const QRectF dot = h.test.userRect(h.test.shp2);
    QCOMPARE(h.unitsOff(dot.bottomRight(), QPointF(h.st.a + 1, h.st.b + 1)), QString());
}

SHIYA_TEST_MAIN(TstGridSwitch)

#include "tst_gridswitch.moc"
