// The real program on a real X server: how the test window looks right after start.
#include "support/desktop.h"
#include "support/gridtable.h"
#include "support/pixels.h"

#include <QtTest>

#include <array>

namespace {

const QString& kTitle = grids::kFine.testTitle;
constexpr QRgb kBackground = qRgb(64, 64, 64);
constexpr QRgb kYellow = qRgb(255, 255, 0);
constexpr QRgb kButtonFace = qRgb(128, 255, 128);

// The fixation mark's centre stands markDrop below the centre of the client area, and the
// button frame's top frameRise above its bottom.
const double kFieldHeight = grids::kFine.field.scale.height();
const double kMarkDrop = grids::kFine.field.markDrop;
const double kFrameRise = grids::kFine.field.frameRise;
constexpr double kMarkTolerance = 3; // pixels

// The buttons from left to right, wide (600 twips) or narrow (360 twips): 左眼 右眼 早 小
// 濃 止 細 説明 別表 結果 終了.
constexpr std::array<bool, 11> kWideButtons
    = {true, true, false, false, false, true, false, true, true, true, true};
// Narrow buttons are 24 pixels wide at 96 DPI; a stretch of face colour much narrower
// than that is a piece between the letters of a caption, not a button.
constexpr int kMinButtonRun = 14;

} // namespace

class TstE2eStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void windowIsMaximised();
    void clientAreaIsDarkGrey();
    void fixationMarkIsJustBelowTheCentre();
    void elevenGreenButtonsStandInARowAtTheBottom();
    void closeBoxEndsTheProgram();

private:
    // The row of the client area that crosses all eleven buttons clear of their captions,
    // or -1; the runs of face colour along it.
    int buttonRow(QList<pixels::Run>* runs) const;
    bool settled();

    e2e::ProgramUnderTest m_program;
    e2e::WindowId m_window = 0;
    QRect m_client;
    QRect m_workArea;
    QImage m_image;
};

void TstE2eStartup::initTestCase()
{
    QVERIFY2(m_program.start(), qPrintable(m_program.errorString()));
    m_window = e2e::waitForWindow(kTitle);
    QVERIFY2(m_window != 0, "no single visible window with the program's title");
    m_workArea = e2e::workArea();
    QVERIFY(!m_workArea.isEmpty());

    // The window appears at its design size first; the window manager then maximises it
    // and the program lays itself out and paints again. The checks below look at the
    // screen once that has happened (or once the time is up, to report what is wrong).
    e2e::waitUntil([this] { return settled(); }, e2e::kStartTimeoutMs);
    m_client = e2e::clientGeometry(m_window);
    m_image = e2e::clientImage(m_window);
    QVERIFY(!m_image.isNull());
    e2e::saveArtifact(e2e::screenshot(), QStringLiteral("tst_e2e_startup.png"));
}

bool TstE2eStartup::settled()
{
    if (!e2e::isMaximised(m_window)
        || !e2e::fillsWorkArea(e2e::clientGeometry(m_window), m_workArea))
        return false;
    m_image = e2e::clientImage(m_window);
    const QRect corner(0, 0, 20, 20);
    return !m_image.isNull() && pixels::shareOf(m_image, corner, kBackground) == 1.0
           && buttonRow(nullptr) >= 0;
}

void TstE2eStartup::cleanup()
{
    if (QTest::currentTestFailed() && !m_image.isNull())
        e2e::saveArtifact(m_image, QStringLiteral("tst_e2e_startup-%1.png")
                                       .arg(QString::fromLatin1(QTest::currentTestFunction())));
}

void TstE2eStartup::windowIsMaximised()
{
    QVERIFY2(e2e::isMaximised(m_window), qPrintable(QStringLiteral("window states: ")
                                                    + e2e::windowStates(m_window).join(u' ')));
    QVERIFY2(e2e::fillsWorkArea(m_client, m_workArea),
             qPrintable(QStringLiteral("client area %1 in work area %2")
                            .arg(pixels::describe(m_client), pixels::describe(m_workArea))));
}

void TstE2eStartup::clientAreaIsDarkGrey()
{
    const int w = m_image.width();
    const int h = m_image.height();
    // The corners hold nothing but the background (the button frame is centred).
    const QRect corners[]
        = {{0, 0, 40, 40}, {w - 40, 0, 40, 40}, {0, h - 40, 40, 40}, {w - 40, h - 40, 40, 40}};
    for (const QRect& corner : corners) {
        QVERIFY2(pixels::shareOf(m_image, corner, kBackground) == 1.0,
                 qPrintable(QStringLiteral("corner at %1,%2 is not all %3 (top-left pixel %4)")
                                .arg(corner.x())
                                .arg(corner.y())
                                .arg(pixels::describe(kBackground),
                                     pixels::describe(m_image.pixel(corner.topLeft())))));
    }
    // Texts, mark and buttons take only a small part of the surface.
    const double share = pixels::shareOf(m_image, m_image.rect(), kBackground);
    QVERIFY2(share > 0.8, qPrintable(QStringLiteral("background share %1").arg(share)));
}

void TstE2eStartup::fixationMarkIsJustBelowTheCentre()
{
    const double unit = m_image.height() / kFieldHeight;
    const QPointF expected(m_image.width() / 2.0, m_image.height() / 2.0 + kMarkDrop * unit);
    int count = 0;
    const QRect mark = pixels::patchNear(m_image, expected.toPoint(), kYellow, 20, &count);
    QVERIFY2(!mark.isEmpty(), "no yellow near the expected place of the fixation mark");
    const QPointF centre((mark.left() + mark.right()) / 2.0, (mark.top() + mark.bottom()) / 2.0);
    const QString where
        = QStringLiteral("yellow patch %1 (%2 pixels), centre %3,%4; expected %5,%6")
              .arg(pixels::describe(mark))
              .arg(count)
              .arg(centre.x())
              .arg(centre.y())
              .arg(expected.x())
              .arg(expected.y());
    QVERIFY2(qAbs(centre.x() - expected.x()) <= kMarkTolerance, qPrintable(where));
    QVERIFY2(qAbs(centre.y() - expected.y()) <= kMarkTolerance, qPrintable(where));
    // A filled disc of about 12 pixels (180 twips) across.
    QVERIFY2(mark.width() >= 6 && mark.width() <= 16 && qAbs(mark.width() - mark.height()) <= 2,
             qPrintable(where));
    QVERIFY2(count > 0.6 * mark.width() * mark.height(), qPrintable(where));
}

int TstE2eStartup::buttonRow(QList<pixels::Run>* runs) const
{
    // Of the rows through all eleven buttons, the one with the most face colour runs clear
    // of the captions.
    const int h = m_image.height();
    const int frameTop = h - int(kFrameRise * h / kFieldHeight);
    return pixels::widestRunRow(m_image, kButtonFace, kMinButtonRun, int(kWideButtons.size()),
                                frameTop, runs);
}

void TstE2eStartup::elevenGreenButtonsStandInARowAtTheBottom()
{
    QList<pixels::Run> runs;
    const int y = buttonRow(&runs);
    QVERIFY2(y >= 0, "no row near the bottom crosses eleven buttons of the face colour");

    int narrowest = runs.front().width();
    int widest = narrowest;
    for (const pixels::Run& run : runs) {
        narrowest = qMin(narrowest, run.width());
        widest = qMax(widest, run.width());
    }
    QString widths;
    for (const pixels::Run& run : runs)
        widths += QStringLiteral(" %1@%2").arg(run.width()).arg(run.left);
    const double middle = (narrowest + widest) / 2.0;
    for (size_t i = 0; i < kWideButtons.size(); ++i) {
        QVERIFY2((runs[int(i)].width() > middle) == kWideButtons[i],
                 qPrintable(QStringLiteral("button %1 has the wrong width; widths at row %2:%3")
                                .arg(i)
                                .arg(y)
                                .arg(widths)));
    }
    // The row is centred in the window.
    const double rowCentre = (runs.front().left + runs.back().right) / 2.0;
    QVERIFY2(qAbs(rowCentre - m_image.width() / 2.0) <= 4,
             qPrintable(QStringLiteral("row centred at %1; widths:%2").arg(rowCentre).arg(widths)));
}

void TstE2eStartup::closeBoxEndsTheProgram()
{
    QVERIFY(m_program.isRunning());
    // In the middle of a run that was paused to open the sheet and resumed: the quit button
    // is disabled again, the sheet is open, dots go on.
    QList<pixels::Run> runs;
    const int y = buttonRow(&runs);
    QVERIFY(y >= 0);
    const auto press = [&](int button) {
        return e2e::click(m_window, QPoint((runs[button].left + runs[button].right) / 2, y));
    };
    QVERIFY(press(0)); // 左眼
    QVERIFY(press(5)); // 止
    QVERIFY(press(9)); // 結果
    QVERIFY(e2e::waitForWindow(grids::kFine.sheetTitle) != 0);
    QVERIFY(press(5)); // 再開

    QVERIFY(e2e::closeWindow(m_window));
    QVERIFY2(m_program.waitForExit(1000),
             "the program still runs a second after its window was closed");
    QVERIFY2(m_program.exitedNormally(), "the program crashed on the way out");
    QCOMPARE(m_program.exitCode(), 0);
}

QTEST_MAIN(TstE2eStartup)

#include "tst_e2e_startup.moc"
