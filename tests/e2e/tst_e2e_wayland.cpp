// The real program natively on a Wayland compositor (a headless sway, through
// run-under-wayland.sh) at the output scales a desktop offers: what only a Wayland session
// shows. The window fills the output; the compositor's own pointer answers a few dots; the
// sheet shows them, and so does its copy on the Wayland clipboard; the window carries the menu
// entry's id; closing it ends the program.
#include "support/desktop.h"
#include "support/programview.h"
#include "support/wayland.h"

#include <QtTest>

namespace wl = e2e::wayland;

namespace {

const grids::Grid& kMode = grids::kCoarse;
constexpr int kAnswered = 3;
constexpr int kDotsTimeoutMs = 20000; // a dot every 0.9 s from 1.2 s after the start

} // namespace

class TstE2eWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY2(m_pointer.start(), qPrintable(m_pointer.errorString())); }
    void cleanup();
    void dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard_data();
    void dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard();

private:
    wl::Pointer m_pointer;
    e2e::ProgramUnderTest m_program;
};

void TstE2eWayland::cleanup()
{
    if (QTest::currentTestFailed())
        e2e::saveArtifact(wl::screenshot(), QStringLiteral("tst_e2e_wayland-%1.png")
                                                .arg(QString::fromUtf8(QTest::currentDataTag())));
    m_program.stop();
}

void TstE2eWayland::dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("mode");
    QTest::newRow("100 %") << 1.0 << QStringLiteral("1280x1024");
    QTest::newRow("150 %: Qt draws at 2, sway scales that down")
        << 1.5 << QStringLiteral("1280x1024");
    // Room for the result window (733 by 300 at the output's scale).
    QTest::newRow("200 %") << 2.0 << QStringLiteral("1600x1200");
}

void TstE2eWayland::dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard()
{
    QFETCH(double, scale);
    QFETCH(QString, mode);
    QVERIFY(wl::swaymsg(QStringLiteral("output * resolution %1 scale %2").arg(mode).arg(scale)));
    QVERIFY(m_program.start({}, {QStringLiteral("QT_QPA_PLATFORM=wayland")}));

    // The test window takes the whole output, at its scale.
    wl::Window test;
    QImage picture;
    QList<QRect> buttons;
    QVERIFY2(
        e2e::waitUntil(
            [&] {
                return wl::waitForWindow(grids::kFine.testTitle, &test, 0)
                       && test.content == wl::outputArea()
                       && (buttons = view::findTestButtons(picture = wl::clientImage(test))).size()
                              == int(view::Button::Count);
            },
            e2e::kStartTimeoutMs),
        "no test window over the whole output with its row of buttons");
    QCOMPARE(test.appId, qEnvironmentVariable("SHIYA_MENU_ENTRY_ID"));

    // The coarse grid, then a run answered at its first dots, below the test points and left
    // of the buttons, so that the cursor (drawn into the screenshots) stays clear of the dots.
    QVERIFY(m_pointer.click(test, buttons[int(view::Button::Kae)].center()));
    QVERIFY(m_pointer.click(test, buttons[int(view::Button::Left)].center()));
    const QPoint blank(qRound(12 * scale), picture.height() - qRound(12 * scale));
    QList<QPoint> answered;
    e2e::waitUntil(
        [&] {
            const QPoint dot = view::dotPoint(wl::clientImage(test), kMode, scale);
            if (dot.x() >= 0 && !answered.contains(dot) && m_pointer.click(test, blank))
                answered.append(dot);
            return answered.size() == kAnswered;
        },
        kDotsTimeoutMs, 1);
    QCOMPARE(answered.size(), kAnswered);
    QVERIFY(m_pointer.click(test, buttons[int(view::Button::Stop)].center()));
    QVERIFY(m_pointer.click(test, buttons[int(view::Button::Keka)].center()));

    // The sheet, once it shows its two buttons and holds still.
    wl::Window sheet;
    QVERIFY2(e2e::waitUntil(
                 [&] {
                     const QImage previous = picture;
                     return wl::waitForWindow(kMode.sheetTitle, &sheet, 0)
                            && view::findSheetButtons(picture = wl::clientImage(sheet)).size() == 2
                            && picture == previous;
                 },
                 e2e::kSettleTimeoutMs),
             "no result window with its sheet and two buttons");
    // "○" at the answered points and nowhere else.
    const QList<view::Mark> marks = view::readSheet(picture, kMode, scale);
    QVERIFY(!marks.contains(view::Mark::Unreadable) && !marks.contains(view::Mark::Misplaced));
    for (int i = 0; i < marks.size(); ++i) {
        const QPoint point(i / kMode.rows, i % kMode.rows); // left map first
        QVERIFY2((marks[i] == view::Mark::Seen) == (i < kMode.points() && answered.contains(point)),
                 qPrintable(QStringLiteral("mark %1: %2").arg(i).arg(view::describe(marks[i]))));
    }

    // コピー: the same marks on the Wayland clipboard, at least as fine as the screen.
    QVERIFY(m_pointer.click(sheet, view::findSheetButtons(picture).back().center()));
    QImage png;
    QVERIFY2(
        e2e::waitUntil(
            [&] { return png.loadFromData(wl::clipboard(QStringLiteral("image/png")), "PNG"); },
            e2e::kSettleTimeoutMs),
        "the clipboard holds no PNG after a click on コピー");
    const double ratio = double(png.width()) / sheet.content.width();
    QVERIFY2(ratio >= scale, qPrintable(QString::number(ratio)));
    QCOMPARE(png.dotsPerMeterX(), qRound(ratio * 96 / 0.0254));
    QVERIFY(view::readSheet(png.convertToFormat(QImage::Format_RGB32), kMode, ratio) == marks);

    // Closing the test window through the compositor ends the program.
    QVERIFY(wl::swaymsg(QStringLiteral("[con_id=%1] kill").arg(test.id)));
    QVERIFY2(m_program.waitForExit(), "the program still runs after its window was closed");
    QVERIFY(m_program.exitedNormally() && m_program.exitCode() == 0);
}

QTEST_MAIN(TstE2eWayland)

#include "tst_e2e_wayland.moc"
