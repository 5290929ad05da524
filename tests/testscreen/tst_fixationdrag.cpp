#include "support/harness.h"

#include "support/testmain.h"

#include <QWindow>
#include <QtTest>

namespace {

// Empty when the pixels from `from` to `to`, a horizontal or vertical run, are blue except
// where `covered` (by the instruction printed over them), and the pixels just past both ends
// are not blue.
QString blueLine(const QImage& picture, QPoint from, QPoint to, const QRegion& covered = {})
{
    const QPoint step((to.x() > from.x()) - (to.x() < from.x()),
                      (to.y() > from.y()) - (to.y() < from.y()));
    for (QPoint p = from;; p += step) {
        if (!covered.contains(p) && picture.pixelColor(p) != kBlue)
            return QStringLiteral("(%1, %2) is %3, not blue")
                .arg(p.x())
                .arg(p.y())
                .arg(picture.pixelColor(p).name());
        if (p == to)
            break;
    }
    for (const QPoint beyond : {from - step, to + step}) {
        if (picture.valid(beyond) && !covered.contains(beyond)
            && picture.pixelColor(beyond) == kBlue)
            return QStringLiteral("the line goes on to (%1, %2)").arg(beyond.x()).arg(beyond.y());
    }
    return QString();
}

// Empty when every blue pixel lies on row `y` or column `x`.
QString blueOnlyOn(const QImage& picture, int x, int y)
{
    for (int py = 0; py < picture.height(); ++py) {
        const auto* line = reinterpret_cast<const QRgb*>(picture.constScanLine(py));
        for (int px = 0; px < picture.width(); ++px) {
            if (px != x && py != y && line[px] == kBlue)
                return QStringLiteral("blue at (%1, %2)").arg(px).arg(py);
        }
    }
    return QString();
}

QRegion crossThrough(const QImage& picture, QPoint at)
{
    return QRegion(0, at.y(), picture.width(), 1) + QRegion(at.x(), 0, 1, picture.height());
}

} // namespace

class TstFixationDrag : public QObject {
    Q_OBJECT
private slots:
    void aShiftClickSetsThePointAndDrawsTheCrossOverTheGrid_data();
    void aShiftClickSetsThePointAndDrawsTheCrossOverTheGrid();
    void aShiftReleaseAfterAPlainPressLeavesTheMarkWhereItIs();
    void instructionFollowsTheDotSize_data();
    void instructionFollowsTheDotSize();
    void aShiftPressTurnsARedMarkYellow();

    void isInertWhileDotsArePresented();
    void worksDuringAPauseWithoutChangingTheRunningEyesPoint();
    void aDragLeftOpenWhenARunStartsGoesOnDuringThePause();
    void aReleaseWithoutShiftLeavesTheDragGoing();

    void aShiftDragWithTheRealMouseFollowsThePointer();
    void aShiftClickOnTheWindowIsAlsoAnAnswer_data();
    void aShiftClickOnTheWindowIsAlsoAnAnswer();
};

void TstFixationDrag::aShiftClickSetsThePointAndDrawsTheCrossOverTheGrid_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QPointF>("point");
    QTest::addColumn<QLine>("horizontal"); // in pixels, 50 to a unit
    QTest::addColumn<QLine>("vertical");
    QTest::newRow("fine grid, top-left corner of the window")
        << false << QPointF(0.5, 0.5) << QLine(50, 25, 950, 25) << QLine(25, 50, 25, 750);
    QTest::newRow("fine grid, inside the grid")
        << false << QPointF(6, 4.5) << QLine(50, 225, 950, 225) << QLine(300, 50, 300, 750);
    QTest::newRow("coarse grid, top-left corner of the window")
        << true << QPointF(0.5, 0.5) << QLine(50, 25, 650, 25) << QLine(25, 50, 25, 550);
    QTest::newRow("coarse grid, beyond the last row")
        << true << QPointF(9, 11.5) << QLine(50, 575, 650, 575) << QLine(450, 50, 450, 550);
}

void TstFixationDrag::aShiftClickSetsThePointAndDrawsTheCrossOverTheGrid()
{
    QFETCH(bool, coarse);
    QFETCH(QPointF, point);
    QFETCH(QLine, horizontal);
    QFETCH(QLine, vertical);
    Harness h(coarse ? QSize(700, 600) : QSize(1000, 805));
    if (coarse)
        h.test.cmdKae->click();

    h.shiftClick(point.x(), point.y());

    QCOMPARE(h.unitsOff(h.markCentre(), point), QString());
    QCOMPARE(QPointF(h.st.x2, h.st.y2), point);
    QVERIFY(!h.st.swtMus);

    const QImage& picture = h.test.picture();
    const QImage instruction = h.instructionPicture(0.4);
    const QRect covered = inkBox(instruction, h.test.backColor());
    QCOMPARE(blueLine(picture, horizontal.p1(), horizontal.p2(), covered), QString());
    QCOMPARE(blueLine(picture, vertical.p1(), vertical.p2(), covered), QString());
    QCOMPARE(blueOnlyOn(picture, vertical.x1(), horizontal.y1()), QString());
    const QRegion cross = crossThrough(picture, QPoint(vertical.x1(), horizontal.y1()));
    QCOMPARE(compareInk(picture, instruction, kYellow, h.test.backColor(), false, cross),
             QString());
}

void TstFixationDrag::aShiftReleaseAfterAPlainPressLeavesTheMarkWhereItIs()
{
    Harness h(kClient);
    const QRect mark = h.test.shp1->geometry();

    h.press(3, 3, false);
    QVERIFY(!h.st.swtMus);
    h.release(0.5, 0.5, true);

    QCOMPARE(h.test.shp1->geometry(), mark);
    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(0.5, 0.5));
    QVERIFY(!h.st.swtMus);
    // The cross it draws is the Shift click's, in the first row of that test.
    QCOMPARE(blueLine(h.test.picture(), {50, 25}, {950, 25}), QString());
}

void TstFixationDrag::instructionFollowsTheDotSize_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<int>("tenClicks");
    QTest::addColumn<double>("drop");
    QTest::newRow("small dot") << false << 0 << 0.4;
    QTest::newRow("medium dot") << false << 1 << 0.6;
    QTest::newRow("large dot") << false << 2 << 0.8;
    QTest::newRow("large dot, coarse grid") << true << 2 << 0.8;
    QTest::newRow("small again") << false << 3 << 0.4;
}

void TstFixationDrag::instructionFollowsTheDotSize()
{
    QFETCH(bool, coarse);
    QFETCH(int, tenClicks);
    QFETCH(double, drop);
    Harness h(kClient);
    if (coarse)
        h.test.cmdKae->click();
    for (int i = 0; i < tenClicks; ++i)
        h.test.cmdTen->click();

    h.shiftClick(4, 3);

    QCOMPARE(h.st.x2m, 0.0);
    QCOMPARE(h.st.y2m, drop);
    const QImage& picture = h.test.picture();
    const QRegion cross = crossThrough(picture, h.pixelAt(4, 3));
    QCOMPARE(
        compareInk(picture, h.instructionPicture(drop), kYellow, h.test.backColor(), false, cross),
        QString());
}

void TstFixationDrag::aShiftPressTurnsARedMarkYellow()
{
    Harness h(kClient);
    QVERIFY(h.completeLeftRun());
    QCOMPARE(h.test.shp1->backColor(), QColor(kRed));

    h.press(4, 4);

    QCOMPARE(h.test.shp1->backColor(), QColor(kYellow));
    QVERIFY(h.st.swtMus);
}

void TstFixationDrag::isInertWhileDotsArePresented()
{
    Harness h(kClient);
    h.test.cmdLft->click();
    QVERIFY(h.tickToNextDot());
    QVERIFY(!h.st.swtStp);
    const QImage picture = h.test.picture();
    const QRect mark = h.test.shp1->geometry();

    h.press(3, 3);
    h.move(4, 4);
    h.move(5, 5, Qt::NoButton);
    h.release(5, 5);

    QCOMPARE(h.test.shp1->geometry(), mark);
    QCOMPARE(QPointF(h.st.x2, h.st.y2), grids::kFine.field.fixation);
    QVERIFY(!h.st.swtMus);
    QCOMPARE(differences(h.test.picture(), picture), QString());
}

void TstFixationDrag::worksDuringAPauseWithoutChangingTheRunningEyesPoint()
{
    Harness h(kClient);
    h.test.cmdLft->click();
    QVERIFY(h.tickToNextDot());
    h.test.cmdStp->click();
    QVERIFY(h.st.swtStp);

    h.press(4, 3);
    h.move(5, 4);
    h.release(5, 4);

    QCOMPARE(h.unitsOff(h.markCentre(), QPointF(5, 4)), QString());
    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(5, 4));
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), grids::kFine.field.fixation);
    QCOMPARE(blueLine(h.test.picture(), {50, 200}, {950, 200}), QString());

    // The next start of either eye takes the new point.
    h.test.cmdRgt->click();
    QCOMPARE(QPointF(h.st.x2R, h.st.y2R), QPointF(5, 4));
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), grids::kFine.field.fixation);
}

void TstFixationDrag::aDragLeftOpenWhenARunStartsGoesOnDuringThePause()
{
    Harness h(kClient);
    h.press(3, 3);
    h.test.cmdLft->click();
    h.move(6, 6);
    QCOMPARE_UNITS(h.markCentre().x(), 3, h.halfPixelX());
    QVERIFY(h.st.swtMus);

    QVERIFY(h.tickToNextDot());
    h.test.cmdStp->click();
    h.move(6, 6, Qt::NoButton);

    QCOMPARE(h.unitsOff(h.markCentre(), QPointF(6, 6)), QString());
}

void TstFixationDrag::aReleaseWithoutShiftLeavesTheDragGoing()
{
    Harness h(kClient);
    h.press(4, 4);
    h.move(6, 5);
    const QImage picture = h.test.picture();

    h.release(6, 5, false);
    QVERIFY(h.st.swtMus);
    QCOMPARE(QPointF(h.st.x2, h.st.y2), grids::kFine.field.fixation);
    QCOMPARE(differences(h.test.picture(), picture), QString());

    // The mark follows with no button held, and a plain press does not stop it.
    h.move(8, 3, Qt::NoButton);
    QCOMPARE(h.unitsOff(h.markCentre(), QPointF(8, 3)), QString());
    h.press(9, 9, false);
    QCOMPARE_UNITS(h.markCentre().x(), 8, h.halfPixelX());
    h.move(9, 9);
    QCOMPARE_UNITS(h.markCentre().x(), 9, h.halfPixelX());

    h.release(9, 9, true);
    QVERIFY(!h.st.swtMus);
    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(9, 9));
    h.move(2, 2, Qt::NoButton);
    QCOMPARE(h.unitsOff(h.markCentre(), QPointF(9, 9)), QString());
}

void TstFixationDrag::aShiftDragWithTheRealMouseFollowsThePointer()
{
    // Through the window system's hit testing, as a pointer moves: after a release without
    // Shift the mark follows with no button held and stays under the pointer, so every move
    // must pass through the mark. The way runs clear of the explanation labels.
    Harness h(kClient);
    QWindow* window = h.test.windowHandle();
    QTest::mousePress(window, Qt::LeftButton, Qt::ShiftModifier, h.pixelAt(1.5, 1.5));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, h.pixelAt(1.5, 1.5));
    QVERIFY(h.st.swtMus);
    for (int step = 1; step <= 20; ++step) {
        const QPointF to(1.5 + 0.1 * step, 1.5 + 0.05 * step);
        QTest::mouseMove(window, h.pixelAt(to.x(), to.y()));
        QCOMPARE(h.unitsOff(h.markCentre(), to), QString());
    }
    // A Shift click on the mark ends the drag there.
    QTest::mouseClick(window, Qt::LeftButton, Qt::ShiftModifier, h.pixelAt(3.5, 2.5));

    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(3.5, 2.5));
    QVERIFY(!h.st.swtMus);
    QCOMPARE(blueLine(h.test.picture(), {175, 50}, {175, 750},
                      inkBox(h.instructionPicture(0.4), h.test.backColor())),
             QString());
}

void TstFixationDrag::aShiftClickOnTheWindowIsAlsoAnAnswer_data()
{
    QTest::addColumn<bool>("pause");
    QTest::addColumn<QPointF>("fixation");
    QTest::newRow("during a pause: answered, and the point moves") << true << QPointF(3.5, 2.5);
    QTest::newRow("while dots are presented: answered, the point stays")
        << false << grids::kFine.field.fixation;
}

void TstFixationDrag::aShiftClickOnTheWindowIsAlsoAnAnswer()
{
    QFETCH(bool, pause);
    QFETCH(QPointF, fixation);
    Harness h(kClient);
    h.test.cmdLft->click();
    QVERIFY(h.tickToNextDot());
    if (pause)
        h.test.cmdStp->click();
    QCOMPARE(h.st.kekaL15.at(h.st.a, h.st.b), QStringLiteral("●s"));

    QTest::mouseClick(&h.test, Qt::LeftButton, Qt::ShiftModifier, QPoint(175, 125));

    QCOMPARE(h.st.kekaL15.at(h.st.a, h.st.b), QStringLiteral("○s"));
    QCOMPARE(QPointF(h.st.x2, h.st.y2), fixation);
    QCOMPARE_UNITS(h.markCentre().x(), pause ? 3.5 : 10, h.halfPixelX());
}

SHIYA_TEST_MAIN(TstFixationDrag)

#include "tst_fixationdrag.moc"
