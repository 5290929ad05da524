// The result window: its controls as created, the load sequence that sizes and places it
// for the grid in use, its life from load to close, and the redraw after a label change.

#include "sheetfixture.h"

#include "platform/fonts.h"
#include "support/testmain.h"

#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

using namespace sheettest;

class TstResultWindow : public QObject {
    Q_OBJECT
private slots:
    void aNewWindowHasItsControlsAsDefined();
    void tabOrderRunsCopyLeftLabelRightLabelClear();
    void loadingGivesAFixedSizeCentredAtASixthOfTheScreen();
    void aFrameKnownOnlyAfterTheShowResizesOnceAndKeepsTheSheet();
    void loadingSetsScaleTitleCombosAndButtonsForTheGridInUse_data();
    void loadingSetsScaleTitleCombosAndButtonsForTheGridInUse();
    void theGridSwitchLoadsTheWindowHiddenAndMovesNoControl();
    void aFreshWindowShowsTheAnnotationsButNoMarks_data()
    {
        addGridRows("loaded by the show button in the fine grid",
                    "loaded hidden by the switch to the coarse grid, then shown");
    }
    void aFreshWindowShowsTheAnnotationsButNoMarks();
    void theFocusIsOnCopyWhenTheWindowIsFirstShownSoAKeyCopies_data();
    void theFocusIsOnCopyWhenTheWindowIsFirstShownSoAKeyCopies();
    void closingUnloadsTheWindowAndTouchingItBuildsItAnew_data();
    void closingUnloadsTheWindowAndTouchingItBuildsItAnew();
    void typingOneCharacterErasesTheMarksAndRedrawsTheAnnotations_data();
    void typingOneCharacterErasesTheMarksAndRedrawsTheAnnotations();
    void choosingRightForTheLeftLabelGivesTwoMapsLabelledRight();
    void aMinimisedWindowComesBackInFrontWithWhatEachButtonDraws();
};

namespace {

// The combo boxes at the top centred over the labels, the buttons at the bottom d units
// either side of the divider, placed with the scale of the grid at load. A place in sheet
// units is rounded to whole pixels.
Faults controlPlaceFaults(const FrmBetu& w, const Measures& m, double d, double combo2Dx)
{
    const double x3 = m.sheet.scale.width() / 2;
    const double y3 = m.sheet.scale.height() / 2;
    const double pixelsPerUnitX = w.width() / m.sheet.scale.width();
    const double pixelsPerUnitY = w.height() / m.sheet.scale.height();
    Faults faults;
    const auto check = [&](const char* name, const QWidget* control, double dx, bool bottom) {
        const double width = control->width() / pixelsPerUnitX;
        const double height = control->height() / pixelsPerUnitY;
        const double centre = bottom ? x3 : x3 / 2;
        const double left = (centre - width / 2 + dx) * pixelsPerUnitX;
        const double top = (bottom ? 2 * y3 - height - 0.1 : 0.2) * pixelsPerUnitY;
        if (qAbs(control->x() - left) > 0.5 + 1e-6 || qAbs(control->y() - top) > 0.5 + 1e-6)
            faults << fault("%1 at %2,%3 instead of %4,%5", name, control->x(), control->y(), left,
                            top);
    };
    check("cmbo1", w.cmbo1, 0.7, false);
    check("cmbo2", w.cmbo2, combo2Dx, false);
    check("cmdCopy", w.cmdCopy, d, true);
    check("cmdClr", w.cmdClr, -d, true);
    return faults;
}

QStringList itemsOf(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

} // namespace

void TstResultWindow::aNewWindowHasItsControlsAsDefined()
{
    FrmBetu w;
    QCOMPARE(w.objectName(), QStringLiteral("frmBetu"));
    QVERIFY(!w.isVisible());
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!w.windowIcon().isNull());
    QCOMPARE(w.font().family(), fonts::windowFamily());
    QCOMPARE(w.font().pointSizeF(), 7.5);
    QCOMPARE(w.backColor(), QColor(255, 255, 255));
    QCOMPARE(w.foreColor(), QColor(0, 0, 0));
    QCOMPARE(twipsMismatch(w.geometry(), {2325, 1035, 8715, 3855}), QString());
    QCOMPARE(w.picture().pixelColor(w.width() / 2, w.height() / 2), QColor(Qt::white));

    const struct {
        QPushButton* button;
        const char* name;
        const char* caption;
        const char* toolTip;
        QRect geometry;
    } buttons[] = {
        // clang-format off
        {w.cmdClr, "cmdClr", "クリア", "検査結果を消去します｡", {3480, 3480, 849, 297}},
        {w.cmdCopy, "cmdCopy", "コピー", "クリップボードに画像としてコピーします｡", {4440, 3480, 849, 297}},
        // clang-format on
    };
    for (const auto& b : buttons) {
        QCOMPARE(w.findChild<QPushButton*>(QString::fromLatin1(b.name)), b.button);
        QCOMPARE(b.button->text(), QString::fromUtf8(b.caption));
        QCOMPARE(b.button->toolTip(), QString::fromUtf8(b.toolTip));
        QCOMPARE(b.button->font().family(), fonts::windowFamily());
        QCOMPARE(b.button->font().pointSizeF(), 10.5);
        QCOMPARE(twipsMismatch(b.button->geometry(), b.geometry), QString());
        // Drawn flat in the pale green face.
        QCOMPARE(b.button->grab().toImage().pixelColor(4, b.button->height() / 2),
                 QColor(192, 255, 192));
    }

    const struct {
        QComboBox* combo;
        const char* name;
        int left;
    } combos[] = {{w.cmbo1, "cmbo1", 1800}, {w.cmbo2, "cmbo2", 6360}};
    for (const auto& c : combos) {
        QCOMPARE(w.findChild<QComboBox*>(QString::fromLatin1(c.name)), c.combo);
        QVERIFY(c.combo->isEditable());
        QCOMPARE(c.combo->count(), 0);
        QCOMPARE(c.combo->currentText(), QString());
        QCOMPARE(c.combo->font().pointSizeF(), 10.5);
        // The height is the style's.
        const QRect place(c.combo->pos(), QSize(c.combo->width(), 0));
        QCOMPARE(twipsMismatch(place, {c.left, 120, 1011, 0}), QString());
        QVERIFY(!c.combo->geometry().intersects(w.cmdClr->geometry()));
    }
    // The exact places above keep the two buttons apart, and the two combo boxes.
}

void TstResultWindow::tabOrderRunsCopyLeftLabelRightLabelClear()
{
    Harness h;
    h.show();
    h.program.resultSheet().onBetuClicked();
    QApplication::processEvents();
    FrmBetu& w = sheetWindow(h);
    QCOMPARE(QApplication::focusWidget(), w.cmdCopy);
    const QList<QWidget*> order = {w.cmbo1, w.cmbo2, w.cmdClr, w.cmdCopy};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus == next || focus->parentWidget() == next);
    }
}

void TstResultWindow::loadingGivesAFixedSizeCentredAtASixthOfTheScreen()
{
    Harness h;
    h.show();
    FrmBetu& w = sheetWindow(h);
    QVERIFY(!w.isVisible());
    // 11000 by 4500 twips outside, less the frame the platform puts around a window (here
    // the test window's: the offscreen platform has no window manager to ask).
    const double twipsPerPixel = 1440.0 / QGuiApplication::primaryScreen()->logicalDotsPerInch();
    const QSize frame = h.test.frameGeometry().size() - h.test.size();
    const QRect client(0, 0, 11000 - qRound(frame.width() * twipsPerPixel),
                       4500 - qRound(frame.height() * twipsPerPixel));
    QCOMPARE(twipsMismatch(QRect(QPoint(), w.size()), client), QString());
    QCOMPARE(w.minimumSize(), w.size());
    QCOMPARE(w.maximumSize(), w.size());
    // The outer size in twips centred on the screen, its top at a sixth of the screen's
    // height; a pixel either way for the rounding of twips.
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const double left = (screen.width() * twipsPerPixel - 11000) / 2 / twipsPerPixel;
    const double top = screen.height() * twipsPerPixel / 6 / twipsPerPixel;
    QVERIFY2(qAbs(w.pos().x() - left) <= 1 && qAbs(w.pos().y() - top) <= 1,
             qPrintable(QStringLiteral("at %1,%2").arg(w.pos().x()).arg(w.pos().y())));
    QCOMPARE(w.picture().size(), w.size());
}

void TstResultWindow::aFrameKnownOnlyAfterTheShowResizesOnceAndKeepsTheSheet()
{
    Harness h;
    h.show();
    fillPattern(h.st.kekaL15, 1);
    fillPattern(h.st.kekaR15, 2);
    moveCrossesOffTheSheet(h.st, kFine);
    h.test.cmdKeka->click();
    FrmBetu& w = sheetWindow(h);
    const QRectF copy = w.userRect(w.cmdCopy);
    const auto sheetFaults = [&] {
        Annotations expected = startAnnotations(h, kFine.sheet.dateXFromResults);
        return annotationFaults(w.picture(), w, kFine, expected)
               + markFaults(w.picture(), w, kFine, h.st.kekaL15, h.st.kekaR15);
    };

    // A window manager that frames the window late, with a frame unlike the one expected,
    // and reports it again with a move.
    const QMargins frame(3, 25, 4, 5);
    QSignalSpy resized(&w, &FrmBetu::clientResized);
    w.fitToFrame(frame);
    w.fitToFrame(frame);
    QCOMPARE(resized.count(), 1);
    const QRect outer(QPoint(), w.size().grownBy(frame));
    QCOMPARE(twipsMismatch(outer, {0, 0, 11000, 4500}), QString());
    QCOMPARE(w.picture().size(), w.size());
    QVERIFY(qAbs(w.userRect(w.cmdCopy).top() - copy.top()) < w.toUnitsY(1));
    Faults faults = sheetFaults();
    QVERIFY2(faults.isEmpty(), report(faults));

    // The frame is learnt: a window loaded again has its size at once.
    closeSheet(h);
    QCOMPARE(h.program.resultSheet().touch().size().grownBy(frame), outer.size());
}

void TstResultWindow::loadingSetsScaleTitleCombosAndButtonsForTheGridInUse_data()
{
    QTest::addColumn<int>("swtKae");
    QTest::addColumn<int>("intKaeFirst");
    QTest::addColumn<double>("d");
    QTest::addColumn<double>("combo2Dx");
    QTest::addColumn<QString>("title");
    QTest::newRow("fine grid before any switch: buttons 2 units either side")
        << 0 << 0 << 2.0 << 22.7 << grids::kFine.sheetTitle;
    // The loads after a real switch, coarse and back to fine, are the grid switch test's.
    QTest::newRow("coarse grid without the first switch recorded: 2 units")
        << -1 << 0 << 2.0 << 16.3 << grids::kCoarse.sheetTitle;
}

void TstResultWindow::loadingSetsScaleTitleCombosAndButtonsForTheGridInUse()
{
    QFETCH(int, swtKae);
    QFETCH(int, intKaeFirst);
    QFETCH(double, d);
    QFETCH(double, combo2Dx);
    QFETCH(QString, title);
    Harness h;
    h.show();
    h.st.swtKae = swtKae;
    h.st.intKaeFirst = intKaeFirst;
    const Measures& m = measures(swtKae == 0);

    FrmBetu& w = sheetWindow(h);

    QCOMPARE(scaleOf(w), m.sheet.scale);
    QCOMPARE(w.x3, m.sheet.scale.width() / 2);
    QCOMPARE(w.y3, m.sheet.scale.height() / 2);
    QCOMPARE(w.windowTitle(), title);
    const QStringList items = {QStringLiteral("左"), QStringLiteral("右")};
    QCOMPARE(itemsOf(w.cmbo1), items);
    QCOMPARE(itemsOf(w.cmbo2), items);
    QCOMPARE(w.cmbo1->currentIndex(), 0);
    QCOMPARE(w.cmbo2->currentIndex(), 1);
    QCOMPARE(w.cmbo1->currentText(), QStringLiteral("左"));
    QCOMPARE(w.cmbo2->currentText(), QStringLiteral("右"));
    const Faults faults = controlPlaceFaults(w, m, d, combo2Dx);
    QVERIFY2(faults.isEmpty(), report(faults));
    // Clear stands on the left of the divider, Copy on the right.
    QVERIFY(w.cmdClr->geometry().right() < w.cmdCopy->geometry().left());
}

void TstResultWindow::theGridSwitchLoadsTheWindowHiddenAndMovesNoControl()
{
    Harness h;
    h.show();
    QVERIFY(!h.program.resultSheet().window());

    h.program.gridSwitch().onKaeClicked(); // to coarse: the first use of the switch
    QPointer<FrmBetu> w = h.program.resultSheet().window();
    QVERIFY(w);
    QVERIFY(!w->isVisible());
    QCOMPARE(w->windowTitle(), grids::kCoarse.sheetTitle);
    QCOMPARE(w->scaleWidth(), kCoarse.sheet.scale.width());
    QCOMPARE(w->x3, kCoarse.sheet.scale.width() / 2);
    Faults faults = controlPlaceFaults(*w, kCoarse, 1.5, 16.3);
    QVERIFY2(faults.isEmpty(), report(faults));

    // Back to fine: the same window, a fine scale and title, the controls where they were;
    // y3 keeps its value from the load.
    const QList<QRect> places = {w->cmbo1->geometry(), w->cmbo2->geometry(), w->cmdCopy->geometry(),
                                 w->cmdClr->geometry()};
    h.program.gridSwitch().onKaeClicked();
    QCOMPARE(h.program.resultSheet().window(), w.data());
    QVERIFY(!w->isVisible());
    QCOMPARE(w->windowTitle(), grids::kFine.sheetTitle);
    QCOMPARE(scaleOf(*w), kFine.sheet.scale);
    QCOMPARE(w->x3, kFine.sheet.scale.width() / 2);
    QCOMPARE(w->y3, 7.0);
    const QList<QRect> after = {w->cmbo1->geometry(), w->cmbo2->geometry(), w->cmdCopy->geometry(),
                                w->cmdClr->geometry()};
    QCOMPARE(after, places);

    // Closed and loaded again in the fine grid after a switch: the fine places, offset 2.
    closeSheet(h);
    QVERIFY(!w);
    faults = controlPlaceFaults(sheetWindow(h), kFine, 2, 22.7);
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstResultWindow::aFreshWindowShowsTheAnnotationsButNoMarks()
{
    QFETCH(bool, fine);
    Harness h;
    h.show();
    useGrid(h, fine);
    h.test.cmdBetu->click();
    FrmBetu& w = sheetWindow(h);
    QVERIFY(w.isVisible());
    const Measures& m = measures(fine);
    // The switch loads the window before it lays the test field out: the fixation points
    // of the coarse sheet are those of the fine grid at that moment.
    const QPointF f = kFine.field.fixation;
    const Crosses crosses = fine ? Crosses::of(h.st) : Crosses{f.x(), f.y(), f.x(), f.y()};
    const Faults faults = unmarkedSheetFaults(w.picture(), w, m, crosses,
                                              startAnnotations(h, m.sheet.dateXFromSheet));
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstResultWindow::theFocusIsOnCopyWhenTheWindowIsFirstShownSoAKeyCopies_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
}

void TstResultWindow::theFocusIsOnCopyWhenTheWindowIsFirstShownSoAKeyCopies()
{
    QFETCH(int, key);
    Harness h;
    h.show();
    h.test.cmdKeka->click();
    QApplication::processEvents();
    FrmBetu& w = sheetWindow(h);
    QCOMPARE(QApplication::activeWindow(), &w);
    QCOMPARE(QApplication::focusWidget(), w.cmdCopy);

    QTest::keyClick(w.cmdCopy, Qt::Key(key));
    QCOMPARE(h.fakes.copies, 1);
}

void TstResultWindow::closingUnloadsTheWindowAndTouchingItBuildsItAnew_data()
{
    QTest::addColumn<bool>("fine");
    QTest::addColumn<QString>("title");
    QTest::newRow("fine grid") << true << grids::kFine.sheetTitle;
    QTest::newRow("coarse grid: the title names the coarse grid")
        << false << grids::kCoarse.sheetTitle;
}

void TstResultWindow::closingUnloadsTheWindowAndTouchingItBuildsItAnew()
{
    QFETCH(bool, fine);
    QFETCH(QString, title);
    Harness h;
    h.show();
    useGrid(h, fine);
    h.test.cmdKeka->click();
    QPointer<FrmBetu> first = h.program.resultSheet().window();
    first->cmbo1->setEditText(QStringLiteral("OD"));
    first->cmbo2->setCurrentIndex(0);
    h.test.cmdKeka->click();

    closeSheet(h);
    QVERIFY(!first);
    QVERIFY(!h.program.resultSheet().window());

    h.test.cmdBetu->click();
    FrmBetu* w = h.program.resultSheet().window();
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(itemsOf(w->cmbo1), QStringList({QStringLiteral("左"), QStringLiteral("右")}));
    QCOMPARE(w->cmbo1->currentText(), QStringLiteral("左"));
    QCOMPARE(w->cmbo2->currentText(), QStringLiteral("右"));
    // What a new window draws is the fresh window test's.
}

void TstResultWindow::typingOneCharacterErasesTheMarksAndRedrawsTheAnnotations_data()
{
    QTest::addColumn<bool>("fine");
    QTest::addColumn<bool>("intoLeft");
    QTest::newRow("fine grid, left label") << true << true;
    QTest::newRow("fine grid, right label") << true << false;
    // The coarse note stands where the results button puts it, with the same gap.
    QTest::newRow("coarse grid, left label") << false << true;
}

void TstResultWindow::typingOneCharacterErasesTheMarksAndRedrawsTheAnnotations()
{
    QFETCH(bool, fine);
    QFETCH(bool, intoLeft);
    Harness h;
    h.show();
    useGrid(h, fine);
    const Measures& m = measures(fine);
    fillPattern(leftGrid(h.st), 0);
    fillPattern(rightGrid(h.st), 2);
    h.st.tenL = QStringLiteral("大");
    h.test.cmdKeka->click();
    FrmBetu& w = sheetWindow(h);
    QCOMPARE(view::markAt(w.picture(), fonts::windowFont(9), leftMarkPixel(w, m, 0, 1)),
             QStringLiteral("×"));

    QTest::keyClicks(intoLeft ? w.cmbo1 : w.cmbo2, QStringLiteral("L"));

    Annotations expected = startAnnotations(h, m.sheet.dateXFromSheet);
    (intoLeft ? expected.leftLabel : expected.rightLabel) += QStringLiteral("L");
    expected.note = noteText(QStringLiteral("大"), QStringLiteral("小"));
    const Faults faults = unmarkedSheetFaults(w.picture(), w, m, Crosses::of(h.st), expected);
    QVERIFY2(faults.isEmpty(), report(faults));
    // The results are not touched.
    QCOMPARE(leftGrid(h.st).at(0, 1), ResultGrid::kUntested);
    QCOMPARE(leftGrid(h.st).at(1, 0), ResultGrid::kNotSeen);
}

void TstResultWindow::choosingRightForTheLeftLabelGivesTwoMapsLabelledRight()
{
    Harness h;
    h.show();
    fillPattern(h.st.kekaL15, 1);
    fillPattern(h.st.kekaR15, 2);
    h.test.cmdKeka->click();
    FrmBetu& w = sheetWindow(h);

    // The next item of the list; the redraw on a label change is the typing test's.
    QTest::keyClick(w.cmbo1, Qt::Key_Down);
    QCOMPARE(w.cmbo1->currentIndex(), 1);

    // The label is only a text: the left map still shows the left eye.
    moveCrossesOffTheSheet(h.st, kFine);
    h.test.cmdKeka->click();
    Annotations expected = startAnnotations(h, kFine.sheet.dateXFromResults);
    expected.leftLabel = QStringLiteral("右");
    Faults faults = annotationFaults(w.picture(), w, kFine, expected);
    faults += markFaults(w.picture(), w, kFine, h.st.kekaL15, h.st.kekaR15);
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstResultWindow::aMinimisedWindowComesBackInFrontWithWhatEachButtonDraws()
{
    Harness h;
    h.show();
    moveCrossesOffTheSheet(h.st, kFine);
    // Shown before the user can minimise it.
    h.test.cmdBetu->click();
    FrmBetu& w = sheetWindow(h);
    // 結果 draws the results of now, 別表 shows the sheet as it was.
    for (QPushButton* button : {h.test.cmdKeka, h.test.cmdBetu}) {
        const ResultGrid shown = h.st.kekaL15;
        w.showMinimized();
        fillPattern(h.st.kekaL15, button == h.test.cmdKeka ? 1 : 2);
        button->click();
        QApplication::processEvents();
        QVERIFY(w.isVisible() && !w.isMinimized());
        QCOMPARE(QApplication::activeWindow(), &w);
        const ResultGrid& left = button == h.test.cmdKeka ? h.st.kekaL15 : shown;
        const Faults faults = markFaults(w.picture(), w, kFine, left, h.st.kekaR15);
        QVERIFY2(faults.isEmpty(), report(faults));
    }
}

SHIYA_TEST_MAIN(TstResultWindow)

#include "tst_resultwindow.moc"
