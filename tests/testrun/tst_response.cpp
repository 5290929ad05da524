// A click on the window answers the current dot: it marks a point the running eye's run has
// presented as seen, and nothing else.

#include "support/harness.h"

#include "support/testmain.h"
#include "testrun/response.h"
#include "windows/resultwindow.h"

#include <QFrame>
#include <QPushButton>
#include <QtTest>

#include <functional>

using Moment = std::function<void(Harness&)>;
Q_DECLARE_METATYPE(Moment)

namespace {

// Where the user clicks.
enum class Where { Surface, Dot, Frame, Handler };

} // namespace

Q_DECLARE_METATYPE(Where)

class TstResponse : public QObject {
    Q_OBJECT
private slots:
    void clickRecordsOnlyAPresentedPoint_data();
    void clickRecordsOnlyAPresentedPoint();
};

void TstResponse::clickRecordsOnlyAPresentedPoint_data()
{
    QTest::addColumn<Moment>("moment");
    QTest::addColumn<Where>("where");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("recorded");

    // The moment as Harness::perform() takes it; LDDD: the left eye's third dot shown.
    const auto steps = [](const char* steps) {
        return Moment(
            [steps](Harness& h) { QCOMPARE(h.perform(QString::fromLatin1(steps)), QString()); });
    };
    QTest::newRow("no run active: nothing recorded") << steps("") << Where::Surface << 1 << false;
    QTest::newRow("right after the start: not recorded")
        << steps("L") << Where::Surface << 1 << false;
    QTest::newRow("in the start delay: not recorded")
        << steps("L..") << Where::Handler << 1 << false;
    QTest::newRow("with the delay count complete: not recorded")
        << steps("R...") << Where::Surface << 1 << false;
    QTest::newRow("in a pause taken during the delay: not recorded")
        << steps("L.S") << Where::Surface << 2 << false;
    QTest::newRow("after a restart, before its first dot: not recorded")
        << steps("LDDDL..") << Where::Surface << 1 << false;
    QTest::newRow("with the dot shown: seen") << steps("LDDD") << Where::Surface << 1 << true;
    QTest::newRow("on the dot itself: seen") << steps("LDDD") << Where::Dot << 1 << true;
    QTest::newRow("twice for one dot: seen, as once")
        << steps("LDDD") << Where::Surface << 2 << true;
    QTest::newRow("in the blank after the dot: seen")
        << steps("LDDD.") << Where::Handler << 1 << true;
    QTest::newRow("with the next dot armed: seen")
        << steps("LDDD..") << Where::Surface << 1 << true;
    QTest::newRow("in a pause after a dot: seen") << steps("LDDD.S") << Where::Surface << 1 << true;
    QTest::newRow("in a pause after Clear: seen on the erased point") << Moment([](Harness& h) {
        h.perform(QStringLiteral("LDDDS"));
        h.program.resultSheet().touch().cmdClr->click();
    }) << Where::Surface << 1 << true;
    QTest::newRow("in a pause after a grid switch: not recorded") << Moment([](Harness& h) {
        h.perform(QStringLiteral("LDDDSK"));
        h.st.a = h.st.b = 0; // a point of the new grid
    }) << Where::Surface << 1 << false;
    QTest::newRow("right eye: seen in its grid") << steps("RDD") << Where::Surface << 1 << true;
    QTest::newRow("coarse grid: seen in its grid") << steps("KLDDD") << Where::Handler << 1 << true;
    QTest::newRow("on the button frame: no answer") << steps("LDDD") << Where::Frame << 1 << false;
    QTest::newRow("sheet drawn during a pause: nothing recorded") << Moment([](Harness& h) {
        h.perform(QStringLiteral("LDDDS"));
        h.test.cmdKeka->click(); // leaves its loop counters in the current point
    }) << Where::Handler << 1 << false;
    QTest::newRow("points numbered during a pause: nothing recorded")
        << steps("LDDDSs") << Where::Handler << 1 << false;
    QTest::newRow("after the run ended: nothing recorded")
        << steps("KLE") << Where::Surface << 1 << false;
}

void TstResponse::clickRecordsOnlyAPresentedPoint()
{
    QFETCH(Moment, moment);
    QFETCH(Where, where);
    QFETCH(int, clicks);
    QFETCH(bool, recorded);
    Harness h(kClient);
    moment(h);

    TestState expected = h.st;
    if (recorded) {
        ResultGrid& grid = expected.swtLft ? leftGrid(expected) : rightGrid(expected);
        QVERIFY(grid.at(h.st.a, h.st.b) == QStringLiteral("●s")
                || grid.at(h.st.a, h.st.b) == QStringLiteral("×"));
        grid.set(h.st.a, h.st.b, QStringLiteral("○s"));
    }
    const double fontSize = h.test.fontSize();

    for (int i = 0; i < clicks; ++i) {
        switch (where) {
        case Where::Surface:
            h.clickAt();
            break;
        case Where::Dot:
            h.clickAt(h.test.shp2->geometry().center());
            break;
        case Where::Frame:
            h.clickAt(h.test.fra1->geometry().topLeft() + QPoint(3, 3));
            break;
        case Where::Handler:
            h.program.response().onWindowClick();
            break;
        }
    }

    QVERIFY(h.st.kekaL15 == expected.kekaL15);
    QVERIFY(h.st.kekaR15 == expected.kekaR15);
    QVERIFY(h.st.kekaL11 == expected.kekaL11);
    QVERIFY(h.st.kekaR11 == expected.kekaR11);
    QCOMPARE(h.test.fontSize(), where == Where::Frame ? fontSize : 7.0);
    // The answer changes nothing of the cycle.
    QCOMPARE(h.st.w, expected.w);
    QCOMPARE(h.st.n, expected.n);
    QCOMPARE(h.st.t, expected.t);
    QCOMPARE(h.st.swtT1, expected.swtT1);
}

SHIYA_TEST_MAIN(TstResponse)

#include "tst_response.moc"
