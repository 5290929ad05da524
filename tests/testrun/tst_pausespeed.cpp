// The pause button freezes and resumes a run; the speed button switches between 300 ms and
// 500 ms; the focus it hands on is checked with the other setting buttons in tst_dotsize.

#include "support/harness.h"

#include "support/testmain.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

class TstPauseSpeed : public QObject {
    Q_OBJECT
private slots:
    void pauseKeepsTheDotAndResumeHidesIt_data();
    void pauseKeepsTheDotAndResumeHidesIt();
    void speedApplies_data();
    void speedApplies();
};

void TstPauseSpeed::pauseKeepsTheDotAndResumeHidesIt_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<int>("sizeClicks");
    QTest::newRow("left eye, small dot") << true << 0;
    QTest::newRow("right eye, medium dot") << false << 1;
    QTest::newRow("left eye, large dot") << true << 2;
}

void TstPauseSpeed::pauseKeepsTheDotAndResumeHidesIt()
{
    QFETCH(bool, left);
    QFETCH(int, sizeClicks);
    Harness h(kClient);
    for (int i = 0; i < sizeClicks; ++i)
        h.test.cmdTen->click();
    QCOMPARE(h.st.swtTen, sizeClicks);
    QPushButton* own = left ? h.test.cmdLft : h.test.cmdRgt;
    QPushButton* other = left ? h.test.cmdRgt : h.test.cmdLft;
    own->click();
    h.tickToDot(1);

    h.test.cmdStp->click();
    QCOMPARE(h.st.swtStp, true);
    QVERIFY(!h.test.shp2->isHidden());
    QCOMPARE(h.test.tmr1->enabled(), false);
    QVERIFY(!h.test.tmr1->isTicking());
    QVERIFY(h.test.cmdEnd->isEnabled()); // the paused phase (tst_runphase)
    QCOMPARE(h.st.swtRdm, true);
    const QImage pausedPicture = h.pictureOf({h.countText(1, sizeClicks), h.pauseText(sizeClicks)});
    QVERIFY(h.test.picture() == pausedPicture);

    h.test.lblRdme[0]->show(); // as the explanation button shows them during a pause
    h.test.lblRdme[1]->show();
    h.test.cmdStp->click();
    QCOMPARE(h.st.swtStp, false);
    QCOMPARE(h.test.tmr1->enabled(), true);
    QVERIFY(h.test.tmr1->isTicking());
    QCOMPARE(h.test.tmr1->interval(), 300);
    QVERIFY(!other->isEnabled()); // the resumed phase, the paused eye's flag still set
    QVERIFY(h.test.lblRdme[0]->isHidden() && h.test.lblRdme[1]->isHidden());

    // The message stays until the next dot clears the screen; the first tick hides the dot.
    QCOMPARE(h.ticks(2), QStringLiteral("h."));
    QVERIFY(h.test.picture() == pausedPicture);
    QCOMPARE(h.ticks(1), QStringLiteral("D"));
    QVERIFY(h.test.picture() == h.pictureOf({h.countText(2, sizeClicks)}));
}

void TstPauseSpeed::speedApplies_data()
{
    QTest::addColumn<QString>("steps"); // as Harness::perform() takes them
    QTest::newRow("before any run: the timer stays still") << "";
    QTest::newRow("left run presenting: at once") << "LDD";
    QTest::newRow("right run presenting: at once") << "RDD";
    QTest::newRow("left run paused: from the resume") << "LDDS";
    QTest::newRow("right run paused: from the resume") << "RDDS";
    QTest::newRow("after a left coarse run: the timer stays still") << "KLE";
    QTest::newRow("after a right coarse run: the timer stays still") << "KRE";
}

void TstPauseSpeed::speedApplies()
{
    QFETCH(QString, steps);
    Harness h(kClient);
    QCOMPARE(h.perform(steps), QString());
    const bool running = h.st.eyeRunning();
    const bool paused = running && h.st.swtStp;
    const int w = h.st.w;

    h.test.cmdSpd->click();
    QCOMPARE(h.test.cmdSpd->text(), QStringLiteral("遅"));
    QCOMPARE(h.test.cmdSpd->toolTip(), QStringLiteral("クリックで早くなります"));
    QCOMPARE(h.st.Spd, 500);
    QCOMPARE(h.test.tmr1->interval(), running ? 500 : 0);
    QCOMPARE(h.test.tmr1->isTicking(), running && !paused);
    if (paused) {
        h.test.cmdStp->click();
        QCOMPARE(h.test.tmr1->interval(), 500);
        QVERIFY(h.test.tmr1->isTicking());
    }
    if (running) // the phase runs on: the dot shown before goes, the next comes in turn
        QCOMPARE(h.ticks(3), QStringLiteral("h.D"));
    QCOMPARE(h.st.w, running ? w + 1 : w);

    h.test.cmdSpd->click();
    QCOMPARE(h.test.cmdSpd->text(), QStringLiteral("早"));
    QCOMPARE(h.test.cmdSpd->toolTip(), QStringLiteral("クリックで遅くなります"));
    QCOMPARE(h.st.Spd, 300);
    QCOMPARE(h.test.tmr1->interval(), running ? 300 : 0);
    QCOMPARE(h.test.tmr1->isTicking(), running);
    // That the next start takes the speed in effect is tst_eyestart's.
}

SHIYA_TEST_MAIN(TstPauseSpeed)

#include "tst_pausespeed.moc"
