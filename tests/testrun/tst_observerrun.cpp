// Whole runs of one eye answered by a simulated observer: every point is presented once, the
// grid holds exactly the observer's answers, and the run ends in the state the user sees.

#include "support/harness.h"

#include "support/testmain.h"
#include "testrun/response.h"

#include <QtTest>

class TstObserverRun : public QObject {
    Q_OBJECT
private slots:
    void runRecordsWhatTheObserverAnswered_data();
    void runRecordsWhatTheObserverAnswered();
};

void TstObserverRun::runRecordsWhatTheObserverAnswered_data()
{
    QTest::addColumn<bool>("left");
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QRect>("blindSpot");

    QTest::newRow("left eye, fine grid") << true << false << QRect(4, 7, 2, 3);
    QTest::newRow("right eye, fine grid") << false << false << QRect(13, 7, 2, 3);
    QTest::newRow("left eye, coarse grid") << true << true << QRect(2, 5, 2, 2);
    QTest::newRow("right eye, coarse grid") << false << true << QRect(9, 5, 2, 2);
}

void TstObserverRun::runRecordsWhatTheObserverAnswered()
{
    QFETCH(bool, left);
    QFETCH(bool, coarse);
    QFETCH(QRect, blindSpot);
    const int points = grids::of(!coarse).points();
    // A small window: every dot's picture is compared whole, at 20 pixels a fine unit.
    Harness h(QSize(400, 322), points + (left ? 1 : 2));
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    if (coarse)
        h.test.cmdKae->click();
    const grids::Grid& grid = grids::of(!coarse);
    const Observer observer(blindSpot, grid, 4711);
    const TestState before = h.st;

    (left ? h.test.cmdLft : h.test.cmdRgt)->click();
    QString trace;
    int answerOn = -1; // ticks after the presentation on which the observer clicks
    int sinceDot = 0;
    int lastTen = 0; // dot size of the last presentation
    while (!trace.endsWith(QLatin1Char(kEnd)) && trace.size() < 1000) {
        const char shown = h.tick();
        trace += QLatin1Char(shown);
        sinceDot = shown == kDot ? 0 : sinceDot + 1;
        if (shown == kDot) {
            const QPoint p = h.presented.last();
            const int w = h.presented.size();
            QCOMPARE(h.st.w, w);
            // The test point is the bottom-right corner of the dot.
            const QRect dot = h.test.shp2->geometry();
            QVERIFY(qAbs(dot.x() + dot.width() - h.test.toPixelsX(p.x() + 1)) <= 1);
            QVERIFY(qAbs(dot.y() + dot.height() - h.test.toPixelsY(p.y() + 1)) <= 1);
            const QImage expected = h.pictureOf({h.countText(w, h.st.swtTen)});
            QVERIFY2(h.test.picture() == expected, qPrintable(QStringLiteral("count %1").arg(w)));
            // Answers come while the dot is shown, in the blank after it, or with the next armed.
            answerOn = observer.sees(p) ? (p.x() + 2 * p.y()) % 3 : -1;
            // The dot size is recorded with every dot. Half way the user takes the medium dot
            // (the count moves with the larger mark), and once more after the last dot.
            QCOMPARE(left ? h.st.tenL : h.st.tenR,
                     w > points / 2 ? QStringLiteral("中") : QStringLiteral("小"));
            lastTen = h.st.swtTen;
            if (w == points / 2 || w == points)
                h.test.cmdTen->click();
        }
        if (sinceDot == answerOn) {
            if (sinceDot == 0)
                h.clickAt(h.test.shp2->geometry().center()); // on the dot itself
            else if (h.presented.size() % 2)
                h.clickAt();
            else
                h.program.response().onWindowClick();
            if (h.presented.size() % 5 == 0)
                h.clickAt(); // a second click answers nothing more
        }
    }

    QCOMPARE(trace, runTrace(points));
    QCOMPARE(h.presented.size(), points);
    const ResultGrid& results = h.results(left);
    for (int a = 0; a < grid.columns; ++a) {
        for (int b = 0; b < grid.rows; ++b) {
            QCOMPARE(h.presented.count(QPoint(a, b)), 1);
            QCOMPARE(results.at(a, b),
                     observer.sees({a, b}) ? QStringLiteral("○s") : QStringLiteral("●s"));
        }
    }
    QVERIFY(h.results(!left)
            == (coarse ? (left ? before.kekaR11 : before.kekaL11)
                       : (left ? before.kekaR15 : before.kekaL15)));
    QVERIFY((coarse ? h.st.kekaL15 : h.st.kekaL11) == (coarse ? before.kekaL15 : before.kekaL11));
    QVERIFY((coarse ? h.st.kekaR15 : h.st.kekaR11) == (coarse ? before.kekaR15 : before.kekaR11));

    // The end: red mark, "おわり" beside the last count, one beep, the ended phase.
    QCOMPARE(h.test.shp1->backColor(), QColor(255, 0, 0));
    QVERIFY(h.test.picture() == h.pictureOf({h.countText(points, lastTen), h.endText()}));
    QCOMPARE(h.fakes.beeps, 1);
    QVERIFY(h.test.cmdKeka->hasFocus());
    QCOMPARE(h.st.w, 0);
    QCOMPARE(h.st.swtStp, true);
    QCOMPARE(h.st.swtLft, false);
    QCOMPARE(h.st.swtRgt, false);
    QCOMPARE(h.test.tmr1->interval(), 0);
    QCOMPARE(h.test.tmr1->enabled(), true);
    QCOMPARE(h.test.tmr1->isTicking(), false);
    QCOMPARE(left ? h.st.tenL : h.st.tenR, QStringLiteral("大"));
    QCOMPARE(left ? h.st.tenR : h.st.tenL, QStringLiteral("小"));
}

SHIYA_TEST_MAIN(TstObserverRun)

#include "tst_observerrun.moc"
