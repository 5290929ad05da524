// The left-eye and right-eye buttons: starting, restarting and switching eyes, their tool
// tips, and the fixation point each eye's run keeps.

#include "runharness.h"

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

// Ticks a run up to dot `count`, the observer answering every dot whose column is even.
void runWithAnswers(RunHarness& h, int count)
{
    for (int i = 0; h.st.w < count && i < 1000; ++i) {
        if (h.tick() == kDot && h.st.a % 2 == 0)
            h.clickAt();
    }
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
    void resizeKeepsResultsAndRecordedFixationPoints();
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
    RunHarness h;
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
    QVERIFY(h.test.picture() == expectedPicture(h.test, {}));
    QVERIFY(h.test.lblRdme[0]->isHidden() && h.test.lblRdme[1]->isHidden());
    for (QPushButton* off : {eyeButton(h.test, !left), h.test.cmdRdm, h.test.cmdBetu, h.test.cmdKae,
                             h.test.cmdKeka, h.test.cmdEnd})
        QVERIFY2(!off->isEnabled(), qPrintable(off->objectName()));
    QVERIFY(eyeButton(h.test, left)->isEnabled());
    QVERIFY(h.test.cmdStp->isEnabled());
    QVERIFY(h.test.cmdStp->hasFocus());
    QCOMPARE(h.test.cmdStp->text(), QStringLiteral("止"));
    QCOMPARE(h.test.cmdStp->toolTip(), QStringLiteral("一時停止します。"));
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
    RunHarness h;
    h.test.cmdLft->click();
    runWithAnswers(h, 40);
    QCOMPARE(h.st.kekaL15.takenCount(), 40);

    h.test.cmdLft->click();
    QVERIFY(allUntested(h.st.kekaL15));
    QCOMPARE(h.st.w, 0);
    QCOMPARE(h.st.swtLft, true);
    h.presented.clear();
    QCOMPARE(h.tickToEnd(), runTrace(285, QStringLiteral("h..")));
    QCOMPARE(h.fakes.beeps, 1);
    for (int a = 0; a < 19; ++a)
        for (int b = 0; b < 15; ++b)
            QCOMPARE(h.presented.count(QPoint(a, b)), 1);
}

void TstEyeStart::otherEyeFromAPauseAbandonsThePausedRun()
{
    RunHarness h;
    h.test.cmdLft->click();
    runWithAnswers(h, 30);
    h.test.cmdStp->click();
    const ResultGrid abandoned = h.st.kekaL15;
    QCOMPARE(abandoned.takenCount(), 30);

    h.test.cmdRgt->click();
    QCOMPARE(h.st.swtLft, false);
    QCOMPARE(h.st.swtRgt, true);
    QVERIFY(h.st.kekaL15 == abandoned);
    QVERIFY(allUntested(h.st.kekaR15));
    QVERIFY(!h.test.cmdLft->isEnabled());
    QCOMPARE(h.test.cmdStp->text(), QStringLiteral("止"));
    QCOMPARE(h.test.cmdStp->toolTip(), QStringLiteral("続きを実行します"));
    QVERIFY(h.test.tmr1->isTicking());

    QCOMPARE(h.tickToEnd(), runTrace(285, QStringLiteral("h..")));
    QVERIFY(h.st.kekaL15 == abandoned);
    QCOMPARE(h.st.kekaR15.takenCount(), 285);
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
    RunHarness h;
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

    // A pause sets both tips but leaves the toggle where it was.
    h.test.cmdStp->click();
    QCOMPARE(h.test.cmdLft->toolTip(), kStartLeft);
    QCOMPARE(h.test.cmdRgt->toolTip(), kStartRight);
    own->click();
    QCOMPARE(own->toolTip(), kAgain);
    QCOMPARE(other->toolTip(), otherTip);
}

void TstEyeStart::resizeKeepsResultsAndRecordedFixationPoints()
{
    RunHarness h;
    h.st.x2 = 12.5; // as a drag of the mark leaves it
    h.st.y2 = 6.25;
    h.test.setUserPos(h.test.shp1, 12.4, 6.1);
    h.test.cmdLft->click();
    runWithAnswers(h, 30);
    const ResultGrid results = h.st.kekaL15;
    const TestState before = h.st;
    const QRectF mark = h.test.userRect(h.test.shp1);

    // During the run, the window changes size and is minimised and restored: the run keeps
    // its mark, its fixation points and its hidden labels; only the scale follows, also
    // through a window a pixel wide.
    h.test.resize(1, 1);
    h.test.resize(900, 700);
    h.test.showMinimized();
    h.test.showNormal();
    QCoreApplication::processEvents();

    QVERIFY(h.st.kekaL15 == results);
    QVERIFY(h.st.kekaR15 == before.kekaR15);
    QCOMPARE(h.st.x2L, 12.5);
    QCOMPARE(h.st.y2L, 6.25);
    QCOMPARE(h.st.x2R, before.x2R);
    QCOMPARE(h.st.x2, 12.5);
    QCOMPARE(h.st.y2, 6.25);
    const QRectF moved = h.test.userRect(h.test.shp1);
    QVERIFY(qAbs(moved.x() - mark.x()) < 0.03 && qAbs(moved.y() - mark.y()) < 0.03);
    QVERIFY(h.test.lblRdme[0]->isHidden() && h.test.lblRdme[1]->isHidden());
    QCOMPARE(h.st.w, 30);
    QCOMPARE(h.st.swtLft, true);

    // The run goes on to its end; a resize then lays the field out again but keeps what the
    // run recorded.
    QVERIFY(h.tickToEnd().endsWith(QLatin1Char(kEnd)));
    QCOMPARE(h.presented.size(), 285);
    const ResultGrid finished = h.st.kekaL15;
    h.test.resize(1000, 805);
    QCoreApplication::processEvents();
    QVERIFY(h.st.kekaL15 == finished);
    QCOMPARE(h.st.x2L, 12.5);
    QCOMPARE(h.st.x2, 10.0);
    QVERIFY(h.test.lblRdme[0]->isVisible());
    const QPoint markCentre = h.test.shp1->geometry().center();
    QVERIFY(qAbs(markCentre.x() - h.test.toPixelsX(10)) <= 1);
    QVERIFY(qAbs(markCentre.y() - h.test.toPixelsY(8.05 + 0.27)) <= 1);
}

SHIYA_TEST_MAIN(TstEyeStart)

#include "tst_eyestart.moc"
