// The real program natively on a Wayland compositor (a headless sway, through
// run-under-wayland.sh) at the output scales a desktop offers: what only a Wayland session
// shows. The window fills the output; the compositor's own pointer answers a few dots; the
// sheet shows them, and so does its copy on the Wayland clipboard; the windows carry the menu
// entry's id; closing the window ends the program.
#include "support/desktop.h"
#include "support/pixels.h"
#include "support/programview.h"
#include "support/wayland.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>

namespace wl = e2e::wayland;

namespace {

const grids::Grid& kMode = grids::kCoarse;
constexpr int kAnswered = 3;
// Dots come every 0.9 s from 1.2 s after the start.
constexpr int kDotsTimeoutMs = 20000;

// The menu entry's id: its file name in data/ without ".desktop".
QString menuEntryId()
{
    const QFileInfoList entries = QDir(qEnvironmentVariable("SHIYA_DATA_DIR"))
                                      .entryInfoList({QStringLiteral("*.desktop")}, QDir::Files);
    return entries.size() == 1 ? entries.front().completeBaseName() : QString();
}

QString pointText(QPoint point)
{
    return QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y());
}

// Where the marks of a sheet read after these points were answered, and no other, differ
// from "○" there, "×" or "●" (shown and not answered) elsewhere on the left map and "×" all
// over the right one; empty if nowhere.
QString sheetFaults(const QList<view::Mark>& marks, const QList<QPoint>& answered)
{
    QString faults;
    for (int a = 0; a < kMode.columns; ++a) {
        for (int b = 0; b < kMode.rows; ++b) {
            const QPoint point(a, b);
            const view::Mark left = marks[view::sheetIndex(kMode, false, point)];
            const view::Mark right = marks[view::sheetIndex(kMode, true, point)];
            const bool fits = answered.contains(point)
                                  ? left == view::Mark::Seen
                                  : left == view::Mark::Untested || left == view::Mark::NotSeen;
            if (!fits)
                faults += QStringLiteral(" %1 %2").arg(pointText(point), view::describe(left));
            if (right != view::Mark::Untested)
                faults += QStringLiteral(" right map %1 %2")
                              .arg(pointText(point), view::describe(right));
        }
    }
    if (!faults.isEmpty()) {
        faults += QStringLiteral("; answered:");
        for (const QPoint point : answered)
            faults += QLatin1Char(' ') + pointText(point);
    }
    return faults;
}

} // namespace

class TstE2eWayland : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard_data();
    void dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard();

private:
    bool click(QPoint at) { return m_pointer.click(at, m_shot.size()); }
    // The test point whose dot shows on the screenshot, if one does.
    bool findDot(QPoint* point) const;
    // Waits for the result window with its sheet drawn; its picture in m_sheetImage.
    bool sheetDrawn();

    wl::Pointer m_pointer;
    e2e::ProgramUnderTest m_program;
    double m_scale = 1;
    QImage m_shot; // the whole output
    wl::Window m_sheet;
    QRect m_sheetArea; // device pixels
    QImage m_sheetImage;
};

void TstE2eWayland::initTestCase()
{
    QVERIFY2(!menuEntryId().isEmpty(), "no single menu entry in SHIYA_DATA_DIR");
    QVERIFY2(m_pointer.start(), qPrintable(m_pointer.errorString()));
}

void TstE2eWayland::cleanup()
{
    if (QTest::currentTestFailed()) {
        e2e::saveArtifact(wl::screenshot(), QStringLiteral("tst_e2e_wayland-%1-screen.png")
                                                .arg(QString::fromUtf8(QTest::currentDataTag())));
    }
    m_program.stop();
}

bool TstE2eWayland::findDot(QPoint* point) const
{
    // The lowest test points lie 11 units down; the button frame's white rim lies below.
    const int bottom = view::toPixels(m_shot.size(), kMode.field.scale, {0, kMode.rows + 0.2}).y();
    constexpr int kStride = 3; // the dot is 11 pixels across at least
    for (int y = 0; y < bottom; y += kStride) {
        for (int x = 0; x < m_shot.width(); x += kStride) {
            if (!pixels::sameColour(m_shot.pixel(x, y), view::kDotWhite))
                continue;
            // The dot's box, a pixel beyond its white on every side, has its bottom-right
            // corner on the test point.
            const QRect white = pixels::patchNear(m_shot, {x, y}, view::kDotWhite, 0);
            const QPointF corner = white.bottomRight() + QPointF(2, 2) * m_scale;
            const QPointF units = view::toUnits(m_shot.size(), kMode.field.scale, corner);
            *point = QPoint(qRound(units.x()) - 1, qRound(units.y()) - 1);
            return true;
        }
    }
    return false;
}

bool TstE2eWayland::sheetDrawn()
{
    const QImage previous = m_sheetImage;
    if (!wl::waitForWindow(kMode.sheetTitle, &m_sheet, 0))
        return false;
    const QRectF area(QPointF(m_sheet.content.topLeft()) * m_scale,
                      QSizeF(m_sheet.content.size()) * m_scale);
    m_sheetArea = area.toRect();
    m_shot = wl::screenshot();
    m_sheetImage = m_shot.copy(m_sheetArea);
    return view::findSheetButtons(m_sheetImage).size() == 2 && m_sheetImage == previous;
}

void TstE2eWayland::dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard_data()
{
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("mode");
    QTest::newRow("100 %") << 1.0 << QStringLiteral("1280x1024");
    QTest::newRow("150 %: Qt draws at 2 and sway scales that down")
        << 1.5 << QStringLiteral("1280x1024");
    // Room for the result window (733 by 300 at the output's scale).
    QTest::newRow("200 %") << 2.0 << QStringLiteral("1600x1200");
}

void TstE2eWayland::dotsAnsweredWithTheCompositorsPointerReachTheSheetAndTheClipboard()
{
    QFETCH(double, scale);
    QFETCH(QString, mode);
    m_scale = scale;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(wl::swaymsg(QStringLiteral("output * resolution %1 scale %2").arg(mode).arg(scale)));
    QCOMPARE(wl::outputScale(), scale);
    QVERIFY2(m_program.start({}, {QStringLiteral("QT_QPA_PLATFORM=wayland")}),
             qPrintable(m_program.errorString()));

    // The test window takes the whole output.
    wl::Window test;
    QVERIFY2(wl::waitForWindow(grids::kFine.testTitle, &test, e2e::kStartTimeoutMs),
             "no single window with the program's title");
    QCOMPARE(test.appId, menuEntryId());
    const QRect output = wl::outputArea();
    QList<QRect> buttons;
    QVERIFY2(e2e::waitUntil(
                 [&] {
                     wl::waitForWindow(test.title, &test, 0);
                     m_shot = wl::screenshot();
                     buttons = view::findTestButtons(m_shot);
                     return test.content == output && buttons.size() == int(view::Button::Count);
                 },
                 e2e::kStartTimeoutMs),
             qPrintable(QStringLiteral("the window takes %1 of the output's %2")
                            .arg(pixels::describe(test.content), pixels::describe(output))));

    // The coarse grid, then a run answered at the first dots.
    QVERIFY(click(buttons[int(view::Button::Kae)].center()));
    QVERIFY2(wl::waitForWindow(kMode.testTitle, &test, e2e::kSettleTimeoutMs),
             "the test window is not titled 視野検査(11×13) after a click on 細");
    QVERIFY(click(buttons[int(view::Button::Left)].center()));
    // Answered below the test points, left of the buttons, so that the cursor (which sway
    // draws into the picture) stays clear of where the dots show.
    const QPoint blank(qRound(12 * scale), m_shot.height() - qRound(12 * scale));
    QList<QPoint> answered;
    e2e::waitUntil(
        [&] {
            m_shot = wl::screenshot();
            QPoint point;
            if (!findDot(&point) || answered.contains(point) || !click(blank))
                return false;
            answered.append(point);
            return answered.size() == kAnswered;
        },
        kDotsTimeoutMs, 1);
    QVERIFY2(answered.size() == kAnswered,
             qPrintable(QStringLiteral("%1 dots answered").arg(answered.size())));
    QVERIFY(click(buttons[int(view::Button::Stop)].center()));
    QVERIFY(click(buttons[int(view::Button::Keka)].center()));

    // The sheet shows a "○" at each answered point and nowhere else; the right eye untested.
    QVERIFY2(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs),
             "the result window does not show its sheet with the two buttons");
    QCOMPARE(m_sheet.appId, menuEntryId());
    QString faults = sheetFaults(view::readSheet(m_sheetImage, kMode, scale), answered);
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("on the screen:") + faults));

    // コピー: the same marks on the Wayland clipboard, drawn at the resolution Qt draws in.
    const QList<QRect> sheetButtons = view::findSheetButtons(m_sheetImage);
    QVERIFY(click(sheetButtons.back().center() + m_sheetArea.topLeft()));
    QImage png;
    QVERIFY2(e2e::waitUntil(
                 [&] {
                     const QByteArray data = wl::clipboard(QStringLiteral("image/png"));
                     return data.startsWith("\x89PNG") && png.loadFromData(data, "PNG");
                 },
                 e2e::kSettleTimeoutMs),
             "the clipboard holds no PNG after a click on コピー");
    // At least as fine as the screen, and saying so in its resolution.
    const double pngRatio = double(png.width()) / m_sheet.content.width();
    QVERIFY2(pngRatio >= scale, qPrintable(QString::number(pngRatio)));
    QCOMPARE(png.height(), qRound(m_sheet.content.height() * pngRatio));
    QCOMPARE(png.dotsPerMeterX(), qRound(pngRatio * 96 / 0.0254));
    faults = sheetFaults(
        view::readSheet(png.convertToFormat(QImage::Format_RGB32), kMode, pngRatio), answered);
    QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("on the copy:") + faults));

    // Closing the test window through the compositor ends the program.
    QVERIFY(wl::swaymsg(QStringLiteral("[con_id=%1] kill").arg(test.id)));
    QVERIFY2(m_program.waitForExit(), "the program still runs after its window was closed");
    QVERIFY(m_program.exitedNormally());
    QCOMPARE(m_program.exitCode(), 0);
    qInfo("scale %.2f: answered %s %s %s; copy %d by %d; %.1f s", scale,
          qPrintable(pointText(answered[0])), qPrintable(pointText(answered[1])),
          qPrintable(pointText(answered[2])), png.width(), png.height(), clock.elapsed() / 1000.0);
}

QTEST_MAIN(TstE2eWayland)

#include "tst_e2e_wayland.moc"
