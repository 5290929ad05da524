// The full drawing of the result sheet by the results button: every element at its place,
// drawn from the result grids and the fixation points of the grid mode in use.

#include "sheetfixture.h"

#include "resultsheet/sheetdrawing.h"
#include "support/testmain.h"

#include <QPushButton>
#include <QtTest>

using namespace sheettest;

class TstSheetDrawing : public QObject {
    Q_OBJECT
private slots:
    void eachMarkIsTheFirstCharacterOfItsCellAtItsPoint_data();
    void eachMarkIsTheFirstCharacterOfItsCellAtItsPoint();
    void beforeAnyTestBothMapsAreUntestedAndTheCrossesMeetInTheMiddle_data() { addGridRows(); }
    void beforeAnyTestBothMapsAreUntestedAndTheCrossesMeetInTheMiddle();
    void fixationLinesFollowEachEyesRecordedPointNotTheNextOne_data();
    void fixationLinesFollowEachEyesRecordedPointNotTheNextOne();
    void labelsAreTheComboTextsAsTheyStand_data();
    void labelsAreTheComboTextsAsTheyStand();
    void dateComesFromTheProgramsClockInTheLongFormat();
    void noteNamesEachEyesDotSize();
    void onlyTheCurrentModesGridsAreDrawnAndNoneIsChanged_data() { addGridRows(); }
    void onlyTheCurrentModesGridsAreDrawnAndNoneIsChanged();
};

namespace {

// A program on screen in the grid mode of the row.
void start(Harness& h, bool fine)
{
    h.show();
    useGrid(h, fine);
}

void drawResults(Harness& h)
{
    QVERIFY(h.test.cmdKeka->isEnabled());
    h.test.cmdKeka->click();
}

} // namespace

void TstSheetDrawing::eachMarkIsTheFirstCharacterOfItsCellAtItsPoint_data()
{
    QTest::addColumn<bool>("fine");
    QTest::addColumn<int>("a"); // the counters end one past the last column and row
    QTest::addColumn<int>("b");
    QTest::newRow("fine grid") << true << 19 << 15;
    QTest::newRow("coarse grid") << false << 13 << 11;
}

void TstSheetDrawing::eachMarkIsTheFirstCharacterOfItsCellAtItsPoint()
{
    QFETCH(bool, fine);
    QFETCH(int, a);
    QFETCH(int, b);
    Harness h;
    start(h, fine);
    const Measures& m = measures(fine);
    fillPattern(leftGrid(h.st), 0);
    fillPattern(rightGrid(h.st), 1);
    // A cell that was never reset prints nothing.
    leftGrid(h.st).set(3, 4, QString());
    rightGrid(h.st).set(m.columns - 1, m.rows - 1, QString());
    moveCrossesOffTheSheet(h.st, m);
    h.st.a = 4;
    h.st.b = 2;

    drawResults(h);

    QCOMPARE(h.st.a, a);
    QCOMPARE(h.st.b, b);
    FrmBetu& w = sheetWindow(h);
    const Faults faults = markFaults(w.picture(), w, m, leftGrid(h.st), rightGrid(h.st));
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstSheetDrawing::beforeAnyTestBothMapsAreUntestedAndTheCrossesMeetInTheMiddle()
{
    QFETCH(bool, fine);
    Harness h;
    start(h, fine);
    const Measures& m = measures(fine);

    drawResults(h);

    FrmBetu& w = sheetWindow(h);
    const QImage& p = w.picture();
    // All four lines whole, through the fixation point of the tests' grid table.
    const Crosses crosses{m.field.fixation.x(), m.field.fixation.y(), m.field.fixation.x(),
                          m.field.fixation.y()};
    QCOMPARE(Crosses::of(h.st).x2R, crosses.x2R);
    Faults faults = crossFaults(p, w, m, crosses);
    faults += dividerFaults(p, w, m);

    // Every mark that no line crosses is "×".
    const QFont font = fonts::windowFont(9);
    int untested = 0;
    forEachMarkPlace(w, m, [&](int i, int j, const char* side, const QPoint& at) {
        if (crossed(view::textBox(p, font, at, QStringLiteral("●")), w, m, crosses))
            return;
        ++untested;
        if (view::markAt(p, font, at) != QStringLiteral("×"))
            faults << fault("%1 mark (%2, %3) is not \"×\"", side, i, j);
    });
    QVERIFY2(faults.isEmpty(), report(faults));
    QVERIFY(untested > m.columns * m.rows);
}

void TstSheetDrawing::fixationLinesFollowEachEyesRecordedPointNotTheNextOne_data()
{
    QTest::addColumn<bool>("fine");
    QTest::addColumn<QPointF>("left");
    QTest::addColumn<QPointF>("right");
    QTest::newRow("fine grid") << true << QPointF(4, 3) << QPointF(15, 12);
    QTest::newRow("coarse grid") << false << QPointF(2, 9) << QPointF(11, 1);
}

void TstSheetDrawing::fixationLinesFollowEachEyesRecordedPointNotTheNextOne()
{
    QFETCH(bool, fine);
    QFETCH(QPointF, left);
    QFETCH(QPointF, right);
    Harness h;
    start(h, fine);
    const Measures& m = measures(fine);
    h.st.x2L = left.x();
    h.st.y2L = left.y();
    h.st.x2R = right.x();
    h.st.y2R = right.y();
    // The point for the next run is not what the sheet shows.
    h.st.x2 = 1;
    h.st.y2 = 1;

    drawResults(h);

    FrmBetu& w = sheetWindow(h);
    const QImage& p = w.picture();
    Faults faults = crossFaults(p, w, m, Crosses::of(h.st));
    faults += dividerFaults(p, w, m);
    QVERIFY2(faults.isEmpty(), report(faults));
    // Nothing is left at the middle, where the lines crossed before.
    const QPoint middleLeft = pixelOf(w, m, m.field.fixation.x() + 1, m.field.fixation.y() + 1);
    const QPoint lineFrom = pixelOf(w, m, m.sheet.leftLineFrom, 0);
    const QPoint lineTo = pixelOf(w, m, m.sheet.leftLineTo, 0);
    const int length = lineTo.x() - lineFrom.x();
    QVERIFY(inkAlongRow(p, middleLeft.y(), lineFrom.x(), lineTo.x()) < length / 2);
    const int top = pixelOf(w, m, 0, m.sheet.verticalTop).y();
    const int bottom = pixelOf(w, m, 0, m.sheet.verticalBottom).y();
    QVERIFY(inkAlongColumn(p, middleLeft.x(), top, bottom) < (bottom - top) / 2);
}

void TstSheetDrawing::labelsAreTheComboTextsAsTheyStand_data()
{
    QTest::addColumn<bool>("fine");
    QTest::addColumn<QString>("leftLabel");
    QTest::addColumn<QString>("rightLabel");
    // The labels as loaded are part of every drawing checked against startAnnotations.
    QTest::newRow("typed labels") << true << QStringLiteral("左眼 A") << QStringLiteral("右眼 B");
    QTest::newRow("a label of several words stays on one line")
        << true << QStringLiteral("左眼 再検査") << QStringLiteral("右眼 (12月)");
    QTest::newRow("an empty label prints nothing") << false << QString() << QStringLiteral("右");
}

void TstSheetDrawing::labelsAreTheComboTextsAsTheyStand()
{
    QFETCH(bool, fine);
    QFETCH(QString, leftLabel);
    QFETCH(QString, rightLabel);
    Harness h;
    start(h, fine);
    const Measures& m = measures(fine);
    FrmBetu& w = sheetWindow(h);
    w.cmbo1->setEditText(leftLabel);
    w.cmbo2->setEditText(rightLabel);

    drawResults(h);

    Annotations expected = startAnnotations(h, m.sheet.dateXFromResults);
    expected.leftLabel = leftLabel;
    expected.rightLabel = rightLabel;
    const Faults faults = annotationFaults(w.picture(), w, m, expected);
    QVERIFY2(faults.isEmpty(), report(faults));
    if (leftLabel.isEmpty()) {
        const QPoint from = pixelOf(w, m, m.sheet.leftLabelX - 1, 0);
        const QPoint to = pixelOf(w, m, m.sheet.leftLabelX + 3, 1.2);
        QCOMPARE(inkIn(w.picture(), QRect(from, to)), 0);
        QCOMPARE(w.cmbo1->currentText(), QString());
    }
}

void TstSheetDrawing::dateComesFromTheProgramsClockInTheLongFormat()
{
    // The first drawing's date is checked with startAnnotations in the other tests.
    Harness h;
    h.show();
    drawResults(h);
    h.fakes.today = QDate(2027, 1, 15);
    drawResults(h);
    const QPoint at = pixelOf(sheetWindow(h), kFine, kFine.sheet.dateXFromResults, 0.5);
    QVERIFY(view::textAt(sheetWindow(h).picture(), fonts::windowFont(9), at,
                         QStringLiteral("2027年1月15日金曜日")));
}

void TstSheetDrawing::noteNamesEachEyesDotSize()
{
    // Both at the start value, small, the note is part of every drawing checked against
    // startAnnotations.
    Harness h;
    start(h, false);
    h.st.tenL = QStringLiteral("大");
    h.st.tenR = QStringLiteral("中");
    const QString note
        = QString::fromUtf16(u"\u767D\u70B9[\u5927]\u3000\u3000\u3000\u767D\u70B9[\u4E2D]");
    QCOMPARE(sheet::tenSizesText(h.st), note);

    drawResults(h);
    FrmBetu& w = sheetWindow(h);
    Annotations expected = startAnnotations(h, kCoarse.sheet.dateXFromResults);
    expected.note = note;
    const Faults faults = annotationFaults(w.picture(), w, kCoarse, expected);
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstSheetDrawing::onlyTheCurrentModesGridsAreDrawnAndNoneIsChanged()
{
    QFETCH(bool, fine);
    Harness h;
    start(h, fine);
    const Measures& m = measures(fine);
    moveCrossesOffTheSheet(h.st, m);
    ResultGrid& otherLeft = fine ? h.st.kekaL11 : h.st.kekaL15;
    ResultGrid& otherRight = fine ? h.st.kekaR11 : h.st.kekaR15;
    fillPattern(leftGrid(h.st), 1);
    fillPattern(rightGrid(h.st), 2);
    fillPattern(otherLeft, 0);
    fillPattern(otherRight, 0);
    const TestState before = h.st;

    drawResults(h);
    FrmBetu& w = sheetWindow(h);
    const QImage withOtherResults = w.picture().copy();
    QVERIFY(h.st.kekaL15 == before.kekaL15 && h.st.kekaR15 == before.kekaR15);
    QVERIFY(h.st.kekaL11 == before.kekaL11 && h.st.kekaR11 == before.kekaR11);
    const Faults faults = markFaults(withOtherResults, w, m, leftGrid(h.st), rightGrid(h.st));
    QVERIFY2(faults.isEmpty(), report(faults));

    // Drawn again, with other results in the other mode's grids: the same picture.
    otherLeft.reset();
    fillPattern(otherRight, 1);
    drawResults(h);
    QCOMPARE(w.picture(), withOtherResults);
}

SHIYA_TEST_MAIN(TstSheetDrawing)

#include "tst_sheetdrawing.moc"
