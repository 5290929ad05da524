// The left-eye and right-eye buttons: starting, restarting and switching eyes, their tool
// tips, and the fixation point each eye's run takes.

#include "support/harness.h"

#include "support/testmain.h"

#include <QLabel>
#include <QtTest>

namespace {

const QString kAgain = QStringLiteral("最初からやり直します。");
const QString kFromStart = QStringLiteral("最初からスタートします\uFF61"); // half-width full stop
const QString kStartLeft = QStringLiteral("左を最初からスタートします。");
const QString kStartRight = QStringLiteral("右を最初からスタートします。");

QPushButton* eyeButton(const FrmTest& test, bool left)
{
    return left ? test.cmdLft : test.cmdRgt;
}

bool allUntested(const ResultGrid& grid)
{
    for (int a = 0; a < grid.columns(); ++a)
        for (int b = 0; b < grid.rows(); ++b)
            if (grid.at(a, b) != QStringLiteral("×"))
                return false;
    return true;
}

void fill(ResultGrid& grid, const QString& value)
{
    for (int a = 0; a < grid.columns(); ++a)
        for (int b = 0; b < grid.rows(); ++b)
            grid.set(a, b, value);
}

// The observer of these tests answers every dot whose column is even.
bool evenColumn(const QPoint& p)
{
    return p.x() % 2 == 0;
}

} // namespace

class TstEyeStart : public QObject {
    Q_OBJECT
private slots:
    void startArmsTheRun_data();
    void startArmsTheRun();
    void restartMidRunStartsAfresh();
    void otherEyeFromAPauseAbandonsThePausedRun();
    void toolTipsFollowTheirOwnButton_data();
    void toolTipsFollowTheirOwnButton();
};

void TstEyeStart::startArmsTheRun_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<bool>("slow");
    QTest::newRow("left eye, fine grid") << true << false << false;
    QTest::newRow("right eye, fine grid") << false << false << false;
    QTest::newRow("left eye, coarse grid, slow") << true << true << true;
    QTest::newRow("right eye, coarse grid") << false << true << false;
}

void TstEyeStart::startArmsTheRun()
{
    QFETCH(bool, left);
    QFETCH(bool, coarse);
    QFETCH(bool, slow);
    Harness h(kClient);
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    if (slow)
        h.test.cmdSpd->click();
    // Leftovers of earlier runs: results in every grid, a count, a red mark, a moved fixation.
    h.st.swtKae = coarse ? -1 : 0;
    for (ResultGrid* grid : {&h.st.kekaL15, &h.st.kekaR15, &h.st.kekaL11, &h.st.kekaR11})
        fill(*grid, QStringLiteral("○s"));
    const TestState before = h.st;
    h.st.w = 17;
    h.st.x2 = 12.5;
    h.st.y2 = 6.25;
    h.test.shp1->setBackColor(QColor(255, 0, 0));

    eyeButton(h.test, left)->click();

    QCOMPARE(left ? h.st.x2L : h.st.x2R, 12.5);
    QCOMPARE(left ? h.st.y2L : h.st.y2R, 6.25);
    QCOMPARE(left ? h.st.x2R : h.st.x2L, left ? before.x2R : before.x2L);
    QCOMPARE(left ? h.st.y2R : h.st.y2L, left ? before.y2R : before.y2L);
    QVERIFY(h.test.picture() == h.pictureOf({}));
    QVERIFY(h.test.lblRdme[0]->isHidden() && h.test.lblRdme[1]->isHidden());
    // The started phase (tst_runphase), entered with the eye's flag already set.
    QVERIFY(h.test.cmdStp->hasFocus());
    QVERIFY(!eyeButton(h.test, !left)->isEnabled());
    QCOMPARE(h.st.swtStp, false);
    QCOMPARE(h.st.swtLft, left);
    QCOMPARE(h.st.swtRgt, !left);
    QCOMPARE(h.st.swtT1, false);
    QCOMPARE(h.st.swtT2, true);
    QCOMPARE(h.test.shp1->backColor(), QColor(255, 255, 0));
    QCOMPARE(h.test.fontSize(), 7.0);
    QCOMPARE(h.st.w, 0);
    QCOMPARE(h.test.tmr1->enabled(), true);
    QCOMPARE(h.test.tmr1->interval(), slow ? 500 : 300);
    QVERIFY(h.test.tmr1->isTicking());

    // Only the started eye's grid of the current mode starts afresh.
    ResultGrid* grids[] = {&h.st.kekaL15, &h.st.kekaR15, &h.st.kekaL11, &h.st.kekaR11};
    const ResultGrid* old[] = {&before.kekaL15, &before.kekaR15, &before.kekaL11, &before.kekaR11};
    const int started = (coarse ? 2 : 0) + (left ? 0 : 1);
    for (int i = 0; i < 4; ++i)
        QVERIFY2(i == started ? allUntested(*grids[i]) : *grids[i] == *old[i],
                 qPrintable(QString::number(i)));
}

void TstEyeStart::restartMidRunStartsAfresh()
{
    Harness h(kClient);
    h.test.cmdLft->click();
    h.answerRun(evenColumn, 40);
    QCOMPARE(h.st.kekaL15.takenCount(), 40);

    // Half-way through an interval: the restarted run's first dot comes on the fourth tick
    // after the click, 1200 ms after it, as for any start.
    QCOMPARE(h.clock.elapse(150), 0);
    h.test.cmdLft->click();
    QVERIFY(allUntested(h.st.kekaL15));
    QCOMPARE(h.st.swtLft, true);
    QCOMPARE(h.clock.elapse(1199), 3);
    QCOMPARE(h.st.w, 0);
    h.presented.clear();
    QCOMPARE(h.ticks(1), QStringLiteral("D"));
    QVERIFY(h.finishRun()); // its ticks are in tst_presentationcycle
    QCOMPARE(h.fakes.beeps, 1);
    for (int a = 0; a < grids::kFine.columns; ++a)
        for (int b = 0; b < grids::kFine.rows; ++b)
            QCOMPARE(h.presented.count(QPoint(a, b)), 1);
}

void TstEyeStart::otherEyeFromAPauseAbandonsThePausedRun()
{
    Harness h(kClient);
    h.test.cmdLft->click();
    h.answerRun(evenColumn, 30);
    h.test.cmdStp->click();
    const ResultGrid abandoned = h.st.kekaL15;
    QCOMPARE(abandoned.takenCount(), 30);

    h.test.cmdRgt->click();
    QCOMPARE(h.st.swtLft, false);
    QCOMPARE(h.st.swtRgt, true);
    QVERIFY(h.st.kekaL15 == abandoned);
    QVERIFY(allUntested(h.st.kekaR15));
    QVERIFY(!h.test.cmdLft->isEnabled());
    QVERIFY(h.test.tmr1->isTicking());

    QVERIFY(h.finishRun()); // its ticks are in tst_presentationcycle
    QVERIFY(h.st.kekaL15 == abandoned);
    QCOMPARE(h.st.kekaR15.takenCount(), grids::kFine.points());
}

void TstEyeStart::toolTipsFollowTheirOwnButton_data()
{
    QTest::addColumn<bool>("left");
    QTest::newRow("left-eye button") << true;
    QTest::newRow("right-eye button") << false;
}

void TstEyeStart::toolTipsFollowTheirOwnButton()
{
    QFETCH(bool, left);
    Harness h(kClient);
    QPushButton* own = eyeButton(h.test, left);
    QPushButton* other = eyeButton(h.test, !left);
    const QString otherTip = left ? kStartRight : kStartLeft;

    own->click();
    QCOMPARE(own->toolTip(), kAgain);
    QCOMPARE(other->toolTip(), otherTip);

    other->setToolTip(QStringLiteral("-"));
    own->click();
    QCOMPARE(own->toolTip(), kFromStart);
    QVERIFY(own->toolTip().endsWith(QChar(0xFF61)));
    QCOMPARE(other->toolTip(), QStringLiteral("-"));

    // A pause sets both tips (tst_runphase) but leaves the toggle where it was.
    h.test.cmdStp->click();
    own->click();
    QCOMPARE(own->toolTip(), kAgain);
    QCOMPARE(other->toolTip(), otherTip);
}

SHIYA_TEST_MAIN(TstEyeStart)

#include "tst_eyestart.moc"
