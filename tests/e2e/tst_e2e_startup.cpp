// The real program on a real X server: what the window manager does to the test window right
// after start. How the window looks inside is checked headless (tst_startup, tst_fieldlayout).
#include "support/desktop.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QtTest>

class TstE2eStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void windowIsMaximisedAndPaintedToItsCorners();
    void closeBoxEndsTheProgram();

private:
    e2e::ProgramUnderTest m_program;
    e2e::WindowId m_window = 0;
    QImage m_image;
    QList<QRect> m_buttons;
};

void TstE2eStartup::initTestCase()
{
    QVERIFY2(m_program.start(), qPrintable(m_program.errorString()));
    m_window = e2e::waitForWindow(grids::kFine.testTitle);
    QVERIFY2(m_window != 0, "no single visible window with the program's title");
    // The window appears at its design size first; the window manager then maximises it
    // and the program lays itself out and paints again. The checks below look at the
    // screen once that has happened (or once the time is up, to report what is wrong).
    e2e::waitUntilLaidOut(m_window, &m_image, &m_buttons);
    QVERIFY(!m_image.isNull());
    e2e::saveArtifact(e2e::screenshot(), QStringLiteral("tst_e2e_startup.png"));
}

void TstE2eStartup::cleanup()
{
    if (QTest::currentTestFailed() && !m_image.isNull())
        e2e::saveArtifact(m_image, QStringLiteral("tst_e2e_startup-%1.png")
                                       .arg(QString::fromLatin1(QTest::currentTestFunction())));
}

void TstE2eStartup::windowIsMaximisedAndPaintedToItsCorners()
{
    const QRect client = e2e::clientGeometry(m_window);
    const QRect area = e2e::workArea();
    QVERIFY2(e2e::isMaximised(m_window), qPrintable(QStringLiteral("window states: ")
                                                    + e2e::windowStates(m_window).join(u' ')));
    QVERIFY2(e2e::fillsWorkArea(client, area),
             qPrintable(QStringLiteral("client area %1 in work area %2")
                            .arg(describe(client), describe(area))));
    QCOMPARE(m_image.size(), client.size());
    // The picture was drawn afresh at the maximised size: the corners hold nothing but the
    // background (the button frame is centred). Under Wine at 150 % the foot of the X window,
    // 4 to 9 rows of it, is Wine's and stays unpainted, in a plain Qt program as well.
    int footOfWine = 0;
    while (e2e::programRunsUnderWine() && footOfWine < 16
           && shareOf(m_image, {0, m_image.height() - 1 - footOfWine, m_image.width(), 1},
                      qRgb(0, 0, 0))
                  == 1.0)
        ++footOfWine;
    if (footOfWine > 0)
        qInfo("the lowest %d rows are Wine's", footOfWine);
    const int w = m_image.width();
    const int h = m_image.height() - footOfWine;
    const QRect corners[]
        = {{0, 0, 40, 40}, {w - 40, 0, 40, 40}, {0, h - 40, 40, 40}, {w - 40, h - 40, 40, 40}};
    for (const QRect& corner : corners)
        QVERIFY2(shareOf(m_image, corner, kFieldBackground) == 1.0,
                 qPrintable(QStringLiteral("corner %1 is not all %2 (its first pixel %3)")
                                .arg(describe(corner), describe(kFieldBackground),
                                     describe(m_image.pixel(corner.topLeft())))));
}

void TstE2eStartup::closeBoxEndsTheProgram()
{
    QVERIFY(m_program.isRunning());
    QCOMPARE(m_buttons.size(), int(view::Button::Count));
    // In the middle of a run that was paused to open the sheet and resumed: the quit button
    // is disabled again, the sheet is open, dots go on.
    const auto press = [&](view::Button button) {
        return e2e::click(m_window, m_buttons[int(button)].center());
    };
    QVERIFY(press(view::Button::Left));
    QVERIFY(press(view::Button::Stop));
    QVERIFY(press(view::Button::Keka));
    QVERIFY(e2e::waitForWindow(grids::kFine.sheetTitle) != 0);
    QVERIFY(press(view::Button::Stop)); // 再開

    QVERIFY(e2e::closeWindow(m_window));
    QVERIFY2(m_program.waitForExit(1000),
             "the program still runs a second after its window was closed");
    QVERIFY2(m_program.exitedNormally(), "the program crashed on the way out");
    QCOMPARE(m_program.exitCode(), 0);
}

QTEST_MAIN(TstE2eStartup)

#include "tst_e2e_startup.moc"
