// The buttons that act on the sheet: Copy and Clear on the result window, show and quit on
// the test window.

#include "sheetfixture.h"

#include "support/testmain.h"

#include "platform/intervaltimer.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace sheettest;

class TstSheetButtons : public QObject {
    Q_OBJECT
private slots:
    void copyPutsTheWholePictureOnTheClipboard_data();
    void copyPutsTheWholePictureOnTheClipboard();
    void copyChangesOnlyTheClipboardAndNothingWhenItCannotBeWritten();
    void copyThroughTheSystemClipboardReplacesWhatItHeld();
    // On the coarse grid the note stands where the results button puts it, with the same gap.
    void clearMarksOnlyTheCurrentModesGridsUntested_data() { addGridRows(); }
    void clearMarksOnlyTheCurrentModesGridsUntested();
    void showBringsTheWindowToTheFrontWithoutRedrawing();
    void quitEndsTheProgramAndUnloadsAnySheet_data();
    void quitEndsTheProgramAndUnloadsAnySheet();
};

namespace {

void clickOn(QPushButton* button)
{
    QVERIFY(button->isVisible() && button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
}

// A sheet on screen with the full drawing of patterned results.
FrmBetu& drawnSheet(Harness& h)
{
    h.show();
    fillPattern(h.st.kekaL15, 0);
    fillPattern(h.st.kekaR15, 1);
    h.test.cmdKeka->click();
    QApplication::processEvents();
    return sheetWindow(h);
}

bool sameResults(const TestState& a, const TestState& b)
{
    return a.kekaL15 == b.kekaL15 && a.kekaR15 == b.kekaR15 && a.kekaL11 == b.kekaL11
           && a.kekaR11 == b.kekaR11;
}

} // namespace

void TstSheetButtons::copyPutsTheWholePictureOnTheClipboard_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("marks");
    QTest::newRow("a freshly loaded sheet: no marks") << QStringLiteral("load") << false;
    QTest::newRow("after the results are drawn: with marks") << QStringLiteral("results") << true;
    QTest::newRow("right after a label change: no marks") << QStringLiteral("label") << false;
}

void TstSheetButtons::copyPutsTheWholePictureOnTheClipboard()
{
    QFETCH(QString, before);
    QFETCH(bool, marks);
    Harness h;
    h.show();
    if (before == QStringLiteral("load")) {
        h.test.cmdBetu->click();
    } else {
        h.test.cmdKeka->click();
        if (before == QStringLiteral("label"))
            QTest::keyClicks(sheetWindow(h).cmbo2, QStringLiteral("!"));
    }
    FrmBetu& w = sheetWindow(h);
    // Whatever the clipboard held is replaced.
    h.fakes.clipboard = QImage(8, 8, QImage::Format_ARGB32);
    h.fakes.clipboard.fill(Qt::red);

    clickOn(w.cmdCopy);

    QCOMPARE(h.fakes.copies, 1);
    const QImage& copied = h.fakes.clipboard;
    QCOMPARE(copied, w.picture());
    QCOMPARE(copied.size(), w.size());
    // The controls are not part of the picture: it is black on white throughout, without
    // the pale green of the buttons, and white where the buttons' corners stand.
    const auto coloured = [](QRgb p) { return qRed(p) != qGreen(p) || qGreen(p) != qBlue(p); };
    QCOMPARE(countPixels(copied, copied.rect(), coloured), 0);
    for (const QPushButton* button : {w.cmdCopy, w.cmdClr})
        QCOMPARE(copied.pixelColor(button->geometry().topLeft() + QPoint(1, 1)), QColor(Qt::white));

    const QString firstMark
        = view::markAt(copied, fonts::windowFont(9), leftMarkPixel(w, kFine, 0, 0));
    // The sheets without marks are checked whole in tst_resultwindow.
    QCOMPARE(firstMark, marks ? QStringLiteral("×") : QString());
}

void TstSheetButtons::copyChangesOnlyTheClipboardAndNothingWhenItCannotBeWritten()
{
    Harness h;
    FrmBetu& w = drawnSheet(h);
    h.fakes.clipboardFails = true;
    QImage held(4, 4, QImage::Format_RGB32);
    held.fill(Qt::blue);
    h.fakes.clipboard = held;
    const QImage picture = w.picture().copy();
    const TestState results = h.st;

    clickOn(w.cmdCopy);

    QCOMPARE(h.fakes.copies, 0);
    QCOMPARE(h.fakes.clipboard, held);
    QCOMPARE(h.program.resultSheet().window(), &w);
    QVERIFY(w.isVisible());
    QCOMPARE(w.picture(), picture);
    QVERIFY(sameResults(h.st, results));
    QCOMPARE(h.fakes.quits, 0);

    // Once the clipboard can be written again, Copy works as ever, and leaves the sheet,
    // the results and the focus as they are.
    h.fakes.clipboardFails = false;
    w.cmbo1->setFocus();
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == w.cmbo1 || focus->parentWidget() == w.cmbo1);
    w.cmdCopy->click();
    QCOMPARE(h.fakes.copies, 1);
    QCOMPARE(h.fakes.clipboard, picture);
    QCOMPARE(w.picture(), picture);
    QVERIFY(sameResults(h.st, results));
    QCOMPARE(QApplication::focusWidget(), focus);
}

void TstSheetButtons::copyThroughTheSystemClipboardReplacesWhatItHeld()
{
    Harness h;
    FrmBetu& w = drawnSheet(h);
    h.program.services().copyImage = Services::system().copyImage;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("以前の内容"));

    clickOn(w.cmdCopy);

    QCOMPARE(clipboard->text(), QString());
    QCOMPARE(clipboard->image(), w.picture());
}

void TstSheetButtons::clearMarksOnlyTheCurrentModesGridsUntested()
{
    QFETCH(bool, fine);
    Harness h;
    h.show();
    useGrid(h, fine);
    const Measures& m = measures(fine);
    for (ResultGrid* grid : {&h.st.kekaL15, &h.st.kekaR15, &h.st.kekaL11, &h.st.kekaR11})
        fillPattern(*grid, grid->columns() + grid->rows());
    h.st.tenR = QStringLiteral("中");
    moveCrossesOffTheSheet(h.st, m);
    h.test.cmdKeka->click();
    QApplication::processEvents();
    FrmBetu& w = sheetWindow(h);
    w.cmbo2->setFocus();
    h.st.a = 3;
    h.st.b = 4;
    const TestState before = h.st;

    clickOn(w.cmdClr);

    for (const ResultGrid* grid : {&leftGrid(h.st), &rightGrid(h.st)})
        for (int i = 0; i < m.columns; ++i)
            for (int j = 0; j < m.rows; ++j)
                QCOMPARE(grid->at(i, j), ResultGrid::kUntested);
    if (fine)
        QVERIFY(h.st.kekaL11 == before.kekaL11 && h.st.kekaR11 == before.kekaR11);
    else
        QVERIFY(h.st.kekaL15 == before.kekaL15 && h.st.kekaR15 == before.kekaR15);
    QCOMPARE(h.st.a, 3);
    QCOMPARE(h.st.b, 4);
    QCOMPARE(w.focusWidget(), w.cmdCopy);
    QCOMPARE(QApplication::focusWidget(), w.cmdCopy);

    Annotations expected = startAnnotations(h, m.sheet.dateXFromSheet);
    expected.note = noteText(QStringLiteral("小"), QStringLiteral("中"));
    Faults faults = annotationFaults(w.picture(), w, m, expected);
    faults += markFaults(w.picture(), w, m, leftGrid(h.st), rightGrid(h.st));
    faults += dividerFaults(w.picture(), w, m);
    QVERIFY2(faults.isEmpty(), report(faults));
}

void TstSheetButtons::showBringsTheWindowToTheFrontWithoutRedrawing()
{
    Harness h;
    FrmBetu& w = drawnSheet(h);
    const QImage drawn = w.picture().copy();
    // Changes that a redraw would show.
    h.st.kekaL15.reset();
    h.st.x2L = 3;
    h.st.tenL = QStringLiteral("大");
    h.fakes.today = QDate(2027, 3, 1);

    h.test.activateWindow();
    QApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &h.test);
    h.test.cmdBetu->click();
    QApplication::processEvents();
    QCOMPARE(QApplication::activeWindow(), &w);
    QCOMPARE(w.picture(), drawn);

    w.hide();
    h.test.cmdBetu->click();
    QCOMPARE(h.program.resultSheet().window(), &w);
    QVERIFY(w.isVisible());
    QCOMPARE(w.picture(), drawn);
}

void TstSheetButtons::quitEndsTheProgramAndUnloadsAnySheet_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("quit with no sheet ever loaded") << false << false << false;
    QTest::newRow("quit with a sheet on screen") << true << true << false;
    QTest::newRow("quit with a sheet loaded hidden by the grid switch") << true << false << false;
    QTest::newRow("the close box during a run, the sheet on screen") << true << true << true;
}

void TstSheetButtons::quitEndsTheProgramAndUnloadsAnySheet()
{
    QFETCH(bool, loaded);
    QFETCH(bool, shown);
    QFETCH(bool, closeBox);
    Harness h;
    h.show();
    if (closeBox) {
        // Paused to open the sheet, then resumed: the quit button is disabled again.
        h.test.cmdLft->click();
        h.test.cmdStp->click();
        h.test.cmdKeka->click();
        h.test.cmdStp->click();
        QVERIFY(h.test.tmr1->isTicking() && !h.test.cmdEnd->isEnabled());
    } else if (shown) {
        h.test.cmdKeka->click();
    } else if (loaded) {
        h.program.gridSwitch().onKaeClicked();
    }
    QPointer<FrmBetu> w = h.program.resultSheet().window();
    QCOMPARE(bool(w), loaded);
    QVERIFY(!w || w->isVisible() == shown);

    if (closeBox)
        h.test.windowHandle()->close();
    else
        h.test.cmdEnd->click();

    QVERIFY(!w);
    QVERIFY(!h.program.resultSheet().window());
    QVERIFY(!h.test.isVisible());
    QVERIFY(!h.test.tmr1->isTicking());
    QCOMPARE(h.fakes.quits, 1);
}

SHIYA_TEST_MAIN(TstSheetButtons)

#include "tst_sheetbuttons.moc"
