#include "screenharness.h"

#include "support/testmain.h"

#include <QFrame>
#include <QtTest>

namespace {

// Where the layout pass puts things, in the units of each grid mode.
struct Mode {
    QSizeF scale;
    QPointF centre;
    QPointF fixation;
    double markDrop;
    double instructionDrop;
    double labelShift;
    double upperRise;
    double lowerDrop;
    double frameRise;
    int columns;
    int rows;
};

const Mode kFine{{20, 16.1}, {10, 8.05}, {10, 8}, 0.27, 0.4, 1, 4.6, 1.5, 0.81, 19, 15};
const Mode kCoarse{{14, 12}, {7, 6}, {7, 6}, 0.2, 0.3, 0.7, 3.43, 1.12, 0.6, 13, 11};

const Mode& modeOf(bool coarse)
{
    return coarse ? kCoarse : kFine;
}

void addModeRows()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QSize>("client");
    QTest::newRow("fine grid") << false << QSize(1000, 805);
    QTest::newRow("coarse grid, 50 pixels a unit") << true << QSize(700, 600);
    QTest::newRow("coarse grid on the fine grid's window") << true << QSize(1000, 805);
}

} // namespace

class TstFieldLayout : public QObject {
    Q_OBJECT
private slots:
    void testPointsFallOnWholePixels_data();
    void testPointsFallOnWholePixels();
    void centresTheMarkAndPrintsTheInstructionUnderIt_data() { addModeRows(); }
    void centresTheMarkAndPrintsTheInstructionUnderIt();
    void placesTheLabelsAndTheFrame_data() { addModeRows(); }
    void placesTheLabelsAndTheFrame();
    void startMarksTheFineGridsUntestedAndCentresEveryFixationPoint();

    void aResizeKeepsResultsAndRecordedFixationPoints_data();
    void aResizeKeepsResultsAndRecordedFixationPoints();
    void minimiseAndRestoreKeepResultsAndRecordedFixationPoints();
    void aResizeDuringARunKeepsTheRunGoing();
    void aRedEnlargedMarkStaysRedAndIsCentredWithItsSize();
    void aResizeShowsHiddenLabelsAndLeavesTheExplanationState();
};

void TstFieldLayout::testPointsFallOnWholePixels_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("lastPoint");
    QTest::addColumn<QPointF>("lastPixel");
    QTest::addColumn<QPointF>("centrePixel");
    QTest::addColumn<QPointF>("markCentrePixel");
    QTest::newRow("fine grid on 1000 x 805")
        << false << QSize(1000, 805) << QPoint(18, 14) << QPointF(950, 750) << QPointF(500, 402.5)
        << QPointF(500, 416);
    QTest::newRow("coarse grid on 700 x 600")
        << true << QSize(700, 600) << QPoint(12, 10) << QPointF(650, 550) << QPointF(350, 300)
        << QPointF(350, 310);
}

void TstFieldLayout::testPointsFallOnWholePixels()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, client);
    QFETCH(QPoint, lastPoint);
    QFETCH(QPointF, lastPixel);
    QFETCH(QPointF, centrePixel);
    QFETCH(QPointF, markCentrePixel);
    ScreenHarness h(client);
    if (coarse)
        h.test.cmdKae->click();
    const Mode& mode = modeOf(coarse);

    QCOMPARE(h.test.scaleWidth(), mode.scale.width());
    QCOMPARE(h.test.scaleHeight(), mode.scale.height());
    // Test point (a, b) lies at (a + 1, b + 1).
    QCOMPARE(h.test.toPixelsX(0 + 1), 50.0);
    QCOMPARE(h.test.toPixelsY(0 + 1), 50.0);
    QCOMPARE(h.test.toPixelsX(lastPoint.x() + 1), lastPixel.x());
    QCOMPARE(h.test.toPixelsY(lastPoint.y() + 1), lastPixel.y());
    QCOMPARE(h.test.toPixelsX(h.st.x1), centrePixel.x());
    QCOMPARE(h.test.toPixelsY(h.st.y1), centrePixel.y());
    QCOMPARE(QRectF(h.test.shp1->geometry()).center(), markCentrePixel);
}

void TstFieldLayout::centresTheMarkAndPrintsTheInstructionUnderIt()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, client);
    ScreenHarness h(client);
    const QSize markPixels = h.test.shp1->size();
    if (coarse)
        h.test.cmdKae->click();
    const Mode& mode = modeOf(coarse);

    QCOMPARE_UNITS(h.st.x1, mode.centre.x(), 1e-9);
    QCOMPARE_UNITS(h.st.y1, mode.centre.y(), 1e-9);
    QCOMPARE_UNITS(h.markCentre().x(), mode.centre.x(), h.halfPixelX());
    QCOMPARE_UNITS(h.markCentre().y(), mode.centre.y() + mode.markDrop, h.halfPixelY());
    QCOMPARE(h.test.shp1->size(), markPixels);
    QCOMPARE(h.test.shp1->backColor(), kYellow);

    // Nothing else on the window: the instruction in 11 point yellow, its arrow under the mark.
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(mode.instructionDrop)), QString());
    QCOMPARE(h.test.fontSize(), 11.0);
    QCOMPARE(h.test.foreColor(), kYellow);
}

void TstFieldLayout::placesTheLabelsAndTheFrame()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, client);
    ScreenHarness h(client);
    if (coarse)
        h.test.cmdKae->click();
    const Mode& mode = modeOf(coarse);
    const QRectF upper = h.test.userRect(h.test.lblRdme[0]);
    const QRectF lower = h.test.userRect(h.test.lblRdme[1]);
    const QRectF frame = h.test.userRect(h.test.fra1);
    // Both labels take the left edge computed from the upper label's width, which differs.
    QVERIFY(h.test.lblRdme[0]->width() != h.test.lblRdme[1]->width());
    QCOMPARE_UNITS(upper.left(), h.st.x1 - upper.width() / 2 + mode.labelShift, h.halfPixelX());
    QCOMPARE(h.test.lblRdme[1]->x(), h.test.lblRdme[0]->x());
    QCOMPARE_UNITS(upper.top(), h.st.y1 - mode.upperRise, h.halfPixelY());
    QCOMPARE_UNITS(lower.top(), h.st.y1 + mode.lowerDrop, h.halfPixelY());
    QVERIFY(h.test.lblRdme[0]->isVisible());
    QVERIFY(h.test.lblRdme[1]->isVisible());

    // The frame is centred across, its top below the last row of test points.
    QCOMPARE_UNITS(frame.left(), h.st.x1 - frame.width() / 2, h.halfPixelX());
    QCOMPARE_UNITS(frame.top(), 2 * h.st.y1 - mode.frameRise, h.halfPixelY());
    QVERIFY(frame.top() > mode.rows);
}

void TstFieldLayout::startMarksTheFineGridsUntestedAndCentresEveryFixationPoint()
{
    ScreenHarness h;
    for (const ResultGrid* grid : {&h.st.kekaL15, &h.st.kekaR15}) {
        for (int a = 0; a < 19; ++a) {
            for (int b = 0; b < 15; ++b)
                QCOMPARE(grid->at(a, b), QStringLiteral("×"));
        }
    }
    // The coarse grids are first laid out by a switch to the coarse mode.
    QCOMPARE(h.st.kekaL11.at(0, 0), QString());
    QCOMPARE(h.st.kekaR11.at(12, 10), QString());
    for (const QPointF& point :
         {QPointF(h.st.x2, h.st.y2), QPointF(h.st.x2L, h.st.y2L), QPointF(h.st.x2R, h.st.y2R)})
        QCOMPARE(point, QPointF(10, 8));
}

void TstFieldLayout::aResizeKeepsResultsAndRecordedFixationPoints_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QSize>("resizeTo"); // invalid: a resize event that keeps the size
    QTest::newRow("fine grid, window made smaller") << false << QSize(900, 700);
    QTest::newRow("fine grid, resize event of the same size") << false << QSize();
    QTest::newRow("coarse grid, window made smaller") << true << QSize(900, 700);
    QTest::newRow("coarse grid, resize event of the same size") << true << QSize();
}

void TstFieldLayout::aResizeKeepsResultsAndRecordedFixationPoints()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, resizeTo);
    ScreenHarness h;
    if (coarse)
        h.test.cmdKae->click();
    const Mode& mode = modeOf(coarse);
    h.shiftClick(3, 4);
    QVERIFY(h.completeLeftRun());
    h.shiftClick(5, 2); // a point for the next run, with its blue cross
    const ResultGrid left = leftGrid(h.st);
    const ResultGrid right = rightGrid(h.st);
    QCOMPARE(left.takenCount(), mode.columns * mode.rows);
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(3, 4));

    if (resizeTo.isValid())
        h.resizeClient(resizeTo.width(), resizeTo.height());
    else
        h.resizeInPlace();

    QCOMPARE(leftGrid(h.st), left);
    QCOMPARE(rightGrid(h.st), right);
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(3, 4));
    QCOMPARE(QPointF(h.st.x2R, h.st.y2R), mode.fixation);
    // The point for the next run, the mark and the screen are laid out afresh.
    QCOMPARE(QPointF(h.st.x2, h.st.y2), mode.fixation);
    QCOMPARE_UNITS(h.markCentre().x(), mode.centre.x(), h.halfPixelX());
    QCOMPARE_UNITS(h.markCentre().y(), mode.centre.y() + mode.markDrop, h.halfPixelY());
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(mode.instructionDrop)), QString());
    QVERIFY(h.test.lblRdme[0]->isVisible());
    QVERIFY(h.test.lblRdme[1]->isVisible());
    const QRectF frame = h.test.userRect(h.test.fra1);
    QCOMPARE_UNITS(frame.left(), mode.centre.x() - frame.width() / 2, h.halfPixelX());
    QCOMPARE_UNITS(frame.top(), 2 * mode.centre.y() - mode.frameRise, h.halfPixelY());
}

void TstFieldLayout::minimiseAndRestoreKeepResultsAndRecordedFixationPoints()
{
    ScreenHarness h;
    h.shiftClick(3, 4);
    QVERIFY(h.completeLeftRun());
    const ResultGrid left = h.st.kekaL15;

    h.test.showMinimized();
    QCoreApplication::processEvents();
    h.test.showNormal();
    QCoreApplication::processEvents();

    QCOMPARE(h.test.size(), QSize(1000, 805));
    QCOMPARE(h.st.kekaL15, left);
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(3, 4));
    QCOMPARE(QPointF(h.st.x2R, h.st.y2R), QPointF(10, 8));
    // Restoring lays the window out again, as a resize does.
    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(10, 8));
    QCOMPARE_UNITS(h.markCentre().x(), 10.0, h.halfPixelX());
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(0.4)), QString());
}

void TstFieldLayout::aResizeDuringARunKeepsTheRunGoing()
{
    ScreenHarness h;
    h.test.cmdLft->click();
    for (int dot = 1; dot <= 10; ++dot) {
        QVERIFY(h.tickToNextDot());
        if (dot % 2 == 0)
            h.program.response().onWindowClick();
    }
    const ResultGrid left = h.st.kekaL15;

    h.resizeClient(900, 700);

    QCOMPARE(h.st.kekaL15, left);
    QCOMPARE(h.st.w, 10);
    QVERIFY(h.st.swtLft);
    QVERIFY(!h.st.swtStp);
    QVERIFY(h.tickToNextDot());
    QCOMPARE(h.st.kekaL15.takenCount(), 11);
}

void TstFieldLayout::aRedEnlargedMarkStaysRedAndIsCentredWithItsSize()
{
    ScreenHarness h;
    QVERIFY(h.completeLeftRun());
    h.test.cmdTen->click();
    h.test.cmdTen->click();
    const QSize large = h.test.shp1->size();
    QVERIFY(large.width() > 30);

    h.resizeClient(900, 700);

    QCOMPARE(h.test.shp1->size(), large);
    QCOMPARE(h.test.shp1->backColor(), kRed);
    QCOMPARE_UNITS(h.markCentre().x(), h.st.x1, h.halfPixelX());
    QCOMPARE_UNITS(h.markCentre().y(), h.st.y1 + 0.27, h.halfPixelY());
}

void TstFieldLayout::aResizeShowsHiddenLabelsAndLeavesTheExplanationState()
{
    ScreenHarness h;
    h.pressRdm(false);
    QCOMPARE(h.panel(), QStringLiteral("hidden 1 現 0 -"));

    h.resizeClient(900, 700);

    QCOMPARE(h.panel(), QStringLiteral("shown 1 現 0 -"));
}

SHIYA_TEST_MAIN(TstFieldLayout)

#include "tst_fieldlayout.moc"
