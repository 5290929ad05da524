#include "support/harness.h"

#include "support/testmain.h"

#include <QFrame>
#include <QtTest>

namespace {

void addModeRows()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QSize>("client");
    QTest::newRow("fine grid") << false << QSize(1000, 805);
    QTest::newRow("coarse grid, 50 pixels a unit") << true << QSize(700, 600);
    QTest::newRow("coarse grid on the fine grid's window") << true << QSize(1000, 805);
}

// The ways the window's size changes, one letter each: s smaller, 1 a pixel wide and back,
// m minimised and restored, e a resize event that keeps the size, h halved (a maximised
// window made normal).
void changeSize(Harness& h, QChar how)
{
    switch (how.toLatin1()) {
    case 's':
        h.resizeClient(900, 700);
        break;
    case 'h':
        h.resizeClient(500, 400);
        break;
    case '1':
        h.resizeClient(1, 1);
        h.resizeClient(kClient.width(), kClient.height());
        break;
    case 'm':
        h.test.showMinimized();
        QCoreApplication::processEvents();
        h.test.showNormal();
        QCoreApplication::processEvents();
        break;
    default:
        h.resizeInPlace();
        break;
    }
}

void addResizeRows()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<QChar>("how");
    QTest::addColumn<bool>("largeDot");
    QTest::newRow("fine grid, window made smaller") << false << QChar('s') << false;
    QTest::newRow("fine grid, a pixel wide and back") << false << QChar('1') << false;
    QTest::newRow("fine grid, minimised and restored") << false << QChar('m') << false;
    QTest::newRow("fine grid, resize event of the same size") << false << QChar('e') << false;
    QTest::newRow("fine grid, large dot, window halved") << false << QChar('h') << true;
    QTest::newRow("coarse grid, window made smaller") << true << QChar('s') << false;
    QTest::newRow("coarse grid, resize event of the same size") << true << QChar('e') << false;
}

// Switches to the coarse grid if asked to; the table of the grid in force.
const grids::Grid& chooseGrid(Harness& h, bool coarse)
{
    if (coarse)
        h.test.cmdKae->click();
    return grids::of(!coarse);
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

    void aResizeAfterARunKeepsResultsAndRecordedFixationPoints_data() { addResizeRows(); }
    void aResizeAfterARunKeepsResultsAndRecordedFixationPoints();
    void aResizeDuringARunKeepsItsMarkPointsAndLabels_data() { addResizeRows(); }
    void aResizeDuringARunKeepsItsMarkPointsAndLabels();
    void aRedEnlargedMarkStaysRedAndIsCentredWithItsSize();
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
    Harness h(client);
    const grids::Grid& mode = chooseGrid(h, coarse);

    QCOMPARE(scaleOf(h.test), mode.field.scale);
    // Test point (a, b) lies at (a + 1, b + 1).
    QCOMPARE(h.pixelsOf({0 + 1, 0 + 1}), QPointF(50, 50));
    QCOMPARE(h.pixelsOf(lastPoint + QPointF(1, 1)), lastPixel);
    QCOMPARE(h.pixelsOf({h.st.x1, h.st.y1}), centrePixel);
    QCOMPARE(QRectF(h.test.shp1->geometry()).center(), markCentrePixel);
}

void TstFieldLayout::centresTheMarkAndPrintsTheInstructionUnderIt()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, client);
    Harness h(client);
    const QSize markPixels = h.test.shp1->size();
    const grids::Grid& mode = chooseGrid(h, coarse);

    QCOMPARE(QPointF(h.st.x1, h.st.y1), mode.field.centre);
    QCOMPARE(h.unitsOff(h.markCentre(), mode.field.markCentre()), QString());
    QCOMPARE(h.test.shp1->size(), markPixels);
    QCOMPARE(h.test.shp1->backColor(), QColor(kYellow));

    // Nothing else on the window: the instruction in 11 point yellow, its arrow under the mark.
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(mode.field.instructionDrop)),
             QString());
    QCOMPARE(h.test.fontSize(), 11.0);
    QCOMPARE(h.test.foreColor(), QColor(kYellow));
}

void TstFieldLayout::placesTheLabelsAndTheFrame()
{
    QFETCH(bool, coarse);
    QFETCH(QSize, client);
    Harness h(client);
    const grids::Grid& mode = chooseGrid(h, coarse);
    const QRectF upper = h.test.userRect(h.test.lblRdme[0]);
    const QRectF lower = h.test.userRect(h.test.lblRdme[1]);
    const QRectF frame = h.test.userRect(h.test.fra1);
    // Both labels take the left edge computed from the upper label's width, which differs.
    QVERIFY(h.test.lblRdme[0]->width() != h.test.lblRdme[1]->width());
    QCOMPARE_UNITS(upper.left(), h.st.x1 - upper.width() / 2 + mode.field.labelShift,
                   h.halfPixelX());
    QCOMPARE(h.test.lblRdme[1]->x(), h.test.lblRdme[0]->x());
    QCOMPARE_UNITS(upper.top(), h.st.y1 - mode.field.upperRise, h.halfPixelY());
    QCOMPARE_UNITS(lower.top(), h.st.y1 + mode.field.lowerDrop, h.halfPixelY());
    QVERIFY(h.test.lblRdme[0]->isVisible());
    QVERIFY(h.test.lblRdme[1]->isVisible());

    // The frame is centred across, its top below the last row of test points.
    QCOMPARE(h.unitsOff(frame.topLeft(),
                        QPointF(h.st.x1 - frame.width() / 2, 2 * h.st.y1 - mode.field.frameRise)),
             QString());
    QVERIFY(frame.top() > mode.rows);
}

void TstFieldLayout::aResizeAfterARunKeepsResultsAndRecordedFixationPoints()
{
    QFETCH(bool, coarse);
    QFETCH(QChar, how);
    Harness h(kClient);
    const grids::Grid& mode = chooseGrid(h, coarse);
    h.shiftClick(3, 4);
    QVERIFY(h.completeLeftRun());
    h.shiftClick(5, 2); // a point for the next run, with its blue cross
    const ResultGrid left = leftGrid(h.st);
    const ResultGrid right = rightGrid(h.st);
    QCOMPARE(left.takenCount(), mode.points());
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(3, 4));

    changeSize(h, how);

    QCOMPARE(leftGrid(h.st), left);
    QCOMPARE(rightGrid(h.st), right);
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(3, 4));
    QCOMPARE(QPointF(h.st.x2R, h.st.y2R), mode.field.fixation);
    // The point for the next run, the mark and the screen are laid out afresh.
    QCOMPARE(QPointF(h.st.x2, h.st.y2), mode.field.fixation);
    QCOMPARE(h.unitsOff(h.markCentre(), mode.field.markCentre()), QString());
    QCOMPARE(differences(h.test.picture(), h.instructionPicture(mode.field.instructionDrop)),
             QString());
    // The labels and the frame are placed and shown by the same layout, checked at start
    // (placesTheLabelsAndTheFrame) and after a resize that shows hidden labels
    // (tst_explanationbutton).
}

void TstFieldLayout::aResizeDuringARunKeepsItsMarkPointsAndLabels()
{
    QFETCH(bool, coarse);
    QFETCH(QChar, how);
    QFETCH(bool, largeDot);
    Harness h(kClient);
    const grids::Grid& mode = chooseGrid(h, coarse);
    if (largeDot)
        h.perform(QStringLiteral("TT"));
    h.shiftClick(5, 4); // the mark moved off the centre before the run
    h.test.cmdLft->click();
    for (int dot = 1; dot <= 10; ++dot) {
        QVERIFY(h.tickToNextDot());
        if (dot % 2 == 0)
            h.clickAt();
    }
    const ResultGrid left = leftGrid(h.st);
    const ResultGrid right = rightGrid(h.st);
    const QPointF centre = h.markCentre();

    changeSize(h, how);

    QCOMPARE(leftGrid(h.st), left);
    QCOMPARE(rightGrid(h.st), right);
    QCOMPARE(QPointF(h.st.x2L, h.st.y2L), QPointF(5, 4));
    QCOMPARE(QPointF(h.st.x2, h.st.y2), QPointF(5, 4));
    QCOMPARE(QPointF(h.st.x2R, h.st.y2R), mode.field.fixation);
    // The mark's centre is the fixation point, whatever the mark's size in pixels.
    QCOMPARE(h.unitsOff(h.markCentre(), centre, 1), QString());
    QVERIFY(h.test.lblRdme[0]->isHidden() && h.test.lblRdme[1]->isHidden());
    // The run goes on where it was, to its end.
    QCOMPARE(h.st.w, 10);
    QVERIFY(h.st.swtLft && !h.st.swtStp);
    QCOMPARE(h.tickToEnd(), runTrace(mode.points() - 10, QStringLiteral("h.")));
    QCOMPARE(leftGrid(h.st).takenCount(), mode.points());
}

void TstFieldLayout::aRedEnlargedMarkStaysRedAndIsCentredWithItsSize()
{
    Harness h(kClient);
    QVERIFY(h.completeLeftRun());
    h.test.cmdTen->click();
    h.test.cmdTen->click();
    const QSize large = h.test.shp1->size();
    QVERIFY(large.width() > 30);

    h.resizeClient(900, 700);

    QCOMPARE(h.test.shp1->size(), large);
    QCOMPARE(h.test.shp1->backColor(), QColor(kRed));
    QCOMPARE(h.unitsOff(h.markCentre(), QPointF(h.st.x1, h.st.y1 + grids::kFine.field.markDrop)),
             QString());
}

SHIYA_TEST_MAIN(TstFieldLayout)

#include "tst_fieldlayout.moc"
