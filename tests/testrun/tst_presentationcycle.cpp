// The presentation cycle of tmr1: a start delay of three ticks, then a dot every third tick,
// and the end of the run on the presenting tick after the last point.

#include "support/harness.h"

#include "support/testmain.h"

#include <QtTest>

namespace {

// Thrown by a random generator that has been asked for far more numbers than any run needs.
struct EndlessDraw { };

// The program's random generator, limited: a draw that never finds a point fails the test
// instead of hanging it.
void limitDraws(Harness& h)
{
    auto& random = h.program.services().random;
    random = [inner = random, count = 0]() mutable {
        if (++count > 200000)
            throw EndlessDraw{};
        return inner();
    };
}

} // namespace

class TstPresentationCycle : public QObject {
    Q_OBJECT
private slots:
    void tickTable_data();
    void tickTable();
    void ticksBeforeAnyStartChangeNothing();
    void clicksChangeNeitherTimingNorOrder();
    void pauseResumesInTheSamePhase_data();
    void pauseResumesInTheSamePhase();
    void gridModeIsReadOnEveryPresentingTick_data();
    void gridModeIsReadOnEveryPresentingTick();
    void drawWithNoFreePointLeftEndsTheRun();
};

void TstPresentationCycle::tickTable_data()
{
    QTest::addColumn<QString>("start"); // as Harness::perform() takes them
    QTest::addColumn<QString>("lead");
    // A plain run of either eye in either grid is traced whole in tst_observerrun.
    const auto row = [](const char* name, const char* start, const char* lead) {
        QTest::newRow(name) << QString::fromLatin1(start) << QString::fromLatin1(lead);
    };
    row("run after a finished run starts on tick 4", "REL", "...");
    row("restart with a dot visible: the delay hides it", "LDDDDL", "h..");
    row("restart in the blank after a dot", "LDDDD.L", "...");
    row("restart with the next dot armed", "LDDDD..L", "...");
    row("other eye from a pause with a dot visible", "LDDDDDDDSR", "h..");
    row("restart during the delay continues its count", "L..L", ".");
}

void TstPresentationCycle::tickTable()
{
    QFETCH(QString, start);
    QFETCH(QString, lead);
    Harness h(kClient);
    QCOMPARE(h.perform(start), QString());
    h.presented.clear();
    const int beeps = h.fakes.beeps;

    QCOMPARE(h.tickToEnd(), runTrace(grids::kFine.points(), lead));
    QCOMPARE(h.presented.size(), grids::kFine.points());
    QCOMPARE(h.fakes.beeps, beeps + 1);
    QCOMPARE(h.st.swtT1, false);
    QCOMPARE(h.st.n, 1);
}

void TstPresentationCycle::ticksBeforeAnyStartChangeNothing()
{
    Harness h(kClient);
    const TestState before = h.st;
    const QImage picture = h.test.picture();

    QVERIFY(!h.test.tmr1->isTicking());
    // Stray ticks that reach the handler although the timer does not run.
    for (int i = 0; i < 30; ++i)
        h.program.presentation().onTick();
    QCOMPARE(h.st.t, before.t);
    QCOMPARE(h.st.n, before.n);
    QCOMPARE(h.st.swtT1, before.swtT1);
    QCOMPARE(h.st.swtT2, before.swtT2);
    QCOMPARE(h.st.a, before.a);
    QCOMPARE(h.st.b, before.b);
    QCOMPARE(h.st.w, 0);
    QVERIFY(h.st.kekaL15 == before.kekaL15 && h.st.kekaR15 == before.kekaR15);
    QVERIFY(h.test.shp2->isHidden());
    QCOMPARE(h.test.picture(), picture);
    QCOMPARE(h.fakes.beeps, 0);
}

void TstPresentationCycle::clicksChangeNeitherTimingNorOrder()
{
    // Two runs from the same seed; the user of the second clicks on every tick, from the
    // start delay on: during the delay, with a dot shown, in the blank and with a dot armed.
    Harness quiet(kClient, 7);
    Harness clicking(kClient, 7);
    quiet.test.cmdLft->click();
    clicking.test.cmdLft->click();

    QString clickedTrace;
    while (!clickedTrace.endsWith(QLatin1Char(kEnd)) && clickedTrace.size() < 1000) {
        clicking.clickAt();
        clickedTrace += QLatin1Char(clicking.tick());
    }

    QCOMPARE(clickedTrace, quiet.tickToEnd());
    QCOMPARE(clickedTrace, runTrace(grids::kFine.points()));
    QCOMPARE(clicking.presented, quiet.presented);
    for (const QPoint& p : quiet.presented) {
        QCOMPARE(quiet.st.kekaL15.at(p.x(), p.y()), QStringLiteral("●s"));
        QCOMPARE(clicking.st.kekaL15.at(p.x(), p.y()), QStringLiteral("○s"));
    }
}

void TstPresentationCycle::pauseResumesInTheSamePhase_data()
{
    QTest::addColumn<int>("pauseAfter");
    QTest::newRow("in the delay, after its first tick") << 1;
    QTest::newRow("in the delay, after its second tick") << 2;
    QTest::newRow("in the delay, with its count complete") << 3;
    QTest::newRow("with the first dot shown") << 4;
    QTest::newRow("in the blank after the first dot") << 5;
    QTest::newRow("with the second dot armed") << 6;
    QTest::newRow("with the second dot shown") << 7;
}

void TstPresentationCycle::pauseResumesInTheSamePhase()
{
    QFETCH(int, pauseAfter);
    Harness plain(kClient, 11);
    Harness paused(kClient, 11);
    plain.test.cmdRgt->click();
    paused.test.cmdRgt->click();

    QString trace = paused.ticks(pauseAfter);
    const TestState before = paused.st;
    paused.test.cmdStp->click();
    paused.test.cmdStp->click();
    QCOMPARE(paused.st.t, before.t);
    QCOMPARE(paused.st.n, before.n);
    QCOMPARE(paused.st.swtT1, before.swtT1);
    QCOMPARE(paused.st.swtT2, before.swtT2);
    QCOMPARE(paused.st.w, before.w);
    trace += paused.tickToEnd();

    QCOMPARE(trace, plain.tickToEnd());
    QCOMPARE(trace, runTrace(grids::kFine.points()));
    QCOMPARE(paused.presented, plain.presented);
}

void TstPresentationCycle::gridModeIsReadOnEveryPresentingTick_data()
{
    QTest::addColumn<bool>("startCoarse");
    QTest::newRow("fine run switched to the coarse grid") << false;
    QTest::newRow("coarse run switched to the fine grid") << true;
}

void TstPresentationCycle::gridModeIsReadOnEveryPresentingTick()
{
    QFETCH(bool, startCoarse);
    Harness h(kClient);
    if (startCoarse)
        h.test.cmdKae->click();
    h.test.cmdLft->click();
    QString trace = h.ticks(4 + 3 * 4); // five dots of the starting grid
    const ResultGrid started = leftGrid(h.st);
    QCOMPARE(started.takenCount(), 5);

    h.st.swtKae = startCoarse ? 0 : -1;
    const grids::Grid& now = h.grid();
    trace += h.tickToEnd();

    // The count runs on, so the run ends once the new grid's number of points is reached.
    QCOMPARE(trace, runTrace(now.points()));
    QCOMPARE(leftGrid(h.st).takenCount(), now.points() - 5);
    QVERIFY((startCoarse ? h.st.kekaL11 : h.st.kekaL15) == started);
    for (int i = 5; i < h.presented.size(); ++i) {
        QVERIFY2(h.presented[i].x() < now.columns && h.presented[i].y() < now.rows,
                 qPrintable(QStringLiteral("dot %1 outside the new grid").arg(i + 1)));
    }
}

void TstPresentationCycle::drawWithNoFreePointLeftEndsTheRun()
{
    Harness h(kClient);
    limitDraws(h);
    h.test.cmdLft->click();
    h.tickToDot(1);
    // Whatever took them, every other point of the running grid is taken now.
    for (int a = 0; a < grids::kFine.columns; ++a)
        for (int b = 0; b < grids::kFine.rows; ++b)
            if (h.st.kekaL15.at(a, b).size() < 2)
                h.st.kekaL15.set(a, b, QStringLiteral("●s"));

    try {
        QCOMPARE(h.ticks(3), QStringLiteral("h.E"));
    } catch (const EndlessDraw&) {
        QFAIL("the draw of the next point did not end");
    }
    QCOMPARE(h.fakes.beeps, 1); // the end of tst_observerrun's runs
}

SHIYA_TEST_MAIN(TstPresentationCycle)

#include "tst_presentationcycle.moc"
