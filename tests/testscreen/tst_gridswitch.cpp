#include "screenharness.h"

#include "windows/resultwindow.h"

#include "support/testmain.h"

#include <QtTest>

namespace {

QStringList lowerLines(const ScreenHarness& h)
{
    return h.test.lblRdme[1]->text().split(QStringLiteral("\r\n"));
}

} // namespace

class TstGridSwitch : public QObject {
    Q_OBJECT
private slots:
    void switchesModeTextsAndScales_data();
    void switchesModeTextsAndScales();
    void createsTheResultWindowHidden();
    void laysTheNewModeOutAndResetsEveryFixationPoint();
    void keepsTheOtherModesResultsUntilTheSwitchBack();
    void lowerExplanationNamesTheMode();
    void aPausedRunGoesOnInTheNewMode();
};

void TstGridSwitch::switchesModeTextsAndScales_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("swtKae");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("sheetTitle");
    QTest::addColumn<QSizeF>("scale");
    QTest::addColumn<QSizeF>("sheetScale");
    QTest::addColumn<double>("x3");
    const QString toCoarse = QStringLiteral("クリックで検査個所を減らして粗くします｡");
    const QString toFine = QStringLiteral("クリックで検査個所を増やして細かくします｡");
    QTest::newRow("first click: coarse")
        << 1 << -1 << QStringLiteral("粗") << toFine << QStringLiteral("視野検査(11×13)")
        << QStringLiteral("別表[結果](11×13)") << QSizeF(14, 12) << QSizeF(31.5, 14) << 15.75;
    QTest::newRow("second click: fine again")
        << 2 << 0 << QStringLiteral("細") << toCoarse << QStringLiteral("視野検査(15×19)")
        << QStringLiteral("別表[結果](15×19)") << QSizeF(20, 16.1) << QSizeF(44, 18) << 22.0;
    QTest::newRow("third click: coarse again")
        << 3 << -1 << QStringLiteral("粗") << toFine << QStringLiteral("視野検査(11×13)")
        << QStringLiteral("別表[結果](11×13)") << QSizeF(14, 12) << QSizeF(31.5, 14) << 15.75;
}

void TstGridSwitch::switchesModeTextsAndScales()
{
    QFETCH(int, clicks);
    QFETCH(int, swtKae);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QString, title);
    QFETCH(QString, sheetTitle);
    QFETCH(QSizeF, scale);
    QFETCH(QSizeF, sheetScale);
    QFETCH(double, x3);
    ScreenHarness h;
    QCOMPARE(h.st.intKaeFirst, 0);

    for (int i = 0; i < clicks; ++i)
        h.test.cmdKae->click();

    QCOMPARE(h.st.swtKae, swtKae);
    QCOMPARE(h.st.intKaeFirst, 1);
    QCOMPARE(h.test.cmdKae->text(), caption);
    QCOMPARE(h.test.cmdKae->toolTip(), toolTip);
    QCOMPARE(h.test.windowTitle(), title);
    QCOMPARE(QSizeF(h.test.scaleWidth(), h.test.scaleHeight()), scale);
    FrmBetu* sheet = h.program.resultSheet().window();
    QVERIFY(sheet);
    QCOMPARE(sheet->windowTitle(), sheetTitle);
    QCOMPARE(QSizeF(sheet->scaleWidth(), sheet->scaleHeight()), sheetScale);
    QCOMPARE(sheet->x3, x3);
}

void TstGridSwitch::createsTheResultWindowHidden()
{
    ScreenHarness h;
    QVERIFY(!h.program.resultSheet().window());

    h.test.cmdKae->click();

    QVERIFY(h.program.resultSheet().window());
    QVERIFY(!h.program.resultSheet().window()->isVisible());
}

void TstGridSwitch::laysTheNewModeOutAndResetsEveryFixationPoint()
{
    ScreenHarness h;
    h.shiftClick(3, 4);
    QVERIFY(h.completeLeftRun());
    h.shiftClick(5, 5);
    h.test.cmdRgt->click();
    QVERIFY(h.finishRun());
    h.shiftClick(6, 2);

    h.test.cmdKae->click();

    for (const QPointF& point :
         {QPointF(h.st.x2, h.st.y2), QPointF(h.st.x2L, h.st.y2L), QPointF(h.st.x2R, h.st.y2R)})
        QCOMPARE(point, QPointF(7, 6));
    QCOMPARE(h.st.kekaL11.takenCount(), 0);
    QCOMPARE(h.st.kekaL11.at(12, 10), QStringLiteral("×"));
    QCOMPARE(h.st.kekaR11.at(0, 0), QStringLiteral("×"));
    QCOMPARE_UNITS(h.markCentre().x(), 7, h.halfPixelX());
    QCOMPARE_UNITS(h.markCentre().y(), 6.2, h.halfPixelY());
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(0.3)), QString());
    QVERIFY(h.test.lblRdme[0]->isVisible());
    QVERIFY(h.test.lblRdme[1]->isVisible());
}

void TstGridSwitch::keepsTheOtherModesResultsUntilTheSwitchBack()
{
    ScreenHarness h;
    QVERIFY(h.completeLeftRun());
    const ResultGrid fineLeft = h.st.kekaL15;
    QCOMPARE(fineLeft.takenCount(), 285);

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaL15, fineLeft);
    h.test.cmdRgt->click();
    QVERIFY(h.finishRun());
    const ResultGrid coarseRight = h.st.kekaR11;
    QCOMPARE(coarseRight.takenCount(), 143);
    QCOMPARE(h.st.kekaL15, fineLeft);

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaL15.takenCount(), 0);
    QCOMPARE(h.st.kekaL15.at(18, 14), QStringLiteral("×"));
    QCOMPARE(h.st.kekaR11, coarseRight);

    h.test.cmdKae->click();
    QCOMPARE(h.st.kekaR11.takenCount(), 0);
}

void TstGridSwitch::lowerExplanationNamesTheMode()
{
    ScreenHarness h;
    const QString upper = h.test.lblRdme[0]->text();
    const QStringList fine = lowerLines(h);

    h.test.cmdKae->click();
    const QStringList coarse = lowerLines(h);
    QCOMPARE(
        coarse.value(1),
        QStringLiteral(
            "[視野検査(11×13)]は片方で約２分かかります。 [早]をクリックすると約３分半になります｡"));
    QCOMPARE(coarse.value(2),
             QStringLiteral(
                 "[粗]をクリックして[細]にすると[視野検査(15×19)]と、検査個所が多くなります。"));
    QCOMPARE(coarse.size(), fine.size());
    for (int line : {0, 3, 4, 5, 6, 7, 8, 9})
        QCOMPARE(coarse.value(line), fine.value(line));
    QCOMPARE(h.test.lblRdme[0]->text(), upper);

    h.test.cmdKae->click();
    QCOMPARE(lowerLines(h), fine);
    QCOMPARE(
        fine.value(1),
        QStringLiteral(
            "[視野検査(15×19)]は片方で約４分半かかります。 [早]をクリックすると約７分になります｡"));
}

void TstGridSwitch::aPausedRunGoesOnInTheNewMode()
{
    ScreenHarness h;
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
    QCOMPARE_UNITS(mark.x(), 7.0, 2 * h.halfPixelX());
    QCOMPARE_UNITS(mark.y(), 6.2, 2 * h.halfPixelY());

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
    QCOMPARE_UNITS(dot.right(), h.st.a + 1, h.halfPixelX());
    QCOMPARE_UNITS(dot.bottom(), h.st.b + 1, h.halfPixelY());
}

SHIYA_TEST_MAIN(TstGridSwitch)

#include "tst_gridswitch.moc"
