// The real program on a real X server: the result sheet of a fresh start, copied to the X
// clipboard with its Copy button and read back by another program (xclip); the result
// window's size with its frame; and every mark of the sheet, on the screen and copied,
// before and after a move, at every usual screen scale, and on a second screen of another
// scale.
#include "support/desktop.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest>

namespace {

const grids::Grid& kMode = grids::kFine;

// The combo boxes (1011 twips wide) stand centred 0.7 and 22.7 sheet units right of a
// quarter of the sheet, 0.2 units from its top; the labels they choose are printed beneath
// them.
constexpr double kComboDx[] = {0.7, 22.7};
constexpr int kComboWidth = 67;
constexpr int kComboMaxHeight = 32;
// A control's edge may be anti-aliased a pixel or two beyond where it is found.
constexpr int kControlMargin = 3;

// A text on the clipboard, as another program offers it; false if it is not offered.
bool putText()
{
    const e2e::ToolResult put = e2e::runTool(
        QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")},
        QByteArrayLiteral("text before the copy"));
    return put.ok()
           && e2e::waitUntil(
               [] { return e2e::clipboardTargets().contains(QStringLiteral("UTF8_STRING")); },
               e2e::kSettleTimeoutMs);
}

// Whether every aligned 2 by 2 block of the picture is of one colour: a picture of half the
// resolution, enlarged.
bool isDoubledUp(const QImage& image)
{
    for (int y = 0; y + 1 < image.height(); y += 2) {
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb p = image.pixel(x, y);
            if (image.pixel(x + 1, y) != p || image.pixel(x, y + 1) != p
                || image.pixel(x + 1, y + 1) != p)
                return false;
        }
    }
    return true;
}

// How many of the sheet's marks read as untested on a picture of it at this device pixel
// ratio; the first that does not, in `fault`.
int untestedMarks(const QImage& sheet, double ratio, QString* fault)
{
    // The fixation lines that run through some marks: placed in the program's pixels, then
    // as wide as the ratio makes them around the middle of that pixel's device pixels.
    const QSize size = sheet.size();
    const QSize logical = (QSizeF(size) / ratio).toSize();
    const QPoint left
        = view::toPixels(logical, kMode.sheet.scale, kMode.field.fixation + QPointF(1, 1));
    const QPoint right = view::toPixels(logical, kMode.sheet.scale,
                                        {kMode.field.fixation.x() + kMode.sheet.rightMapShift, 0});
    const int width = qMax(1, qRound(ratio));
    const auto covered = [&](int pixel) {
        QList<int> lines;
        const int middle = qRound(pixel * ratio + (ratio - 1) / 2);
        for (int i = 0; i < width; ++i)
            lines << middle - width / 2 + i;
        return lines;
    };
    const QList<int> rows = covered(left.y());
    const QList<int> columns = covered(left.x()) + covered(right.x());
    int untested = 0;
    for (bool rightMap : {false, true}) {
        for (int i = 0; i < kMode.columns; ++i) {
            for (int j = 0; j < kMode.rows; ++j) {
                QString picture;
                // Printed at the program's pixel, which the ratio scales.
                const QPoint origin
                    = (QPointF(view::markOrigin(logical, kMode, rightMap, i, j)) * ratio).toPoint();
                const view::Mark mark
                    = view::readMark(sheet, origin, rows, columns, &picture, ratio);
                if (mark == view::Mark::Untested)
                    ++untested;
                else if (fault->isEmpty())
                    *fault = QStringLiteral("map %1, point %2,%3: %4\n%5")
                                 .arg(int(rightMap))
                                 .arg(i)
                                 .arg(j)
                                 .arg(view::describe(mark), picture);
            }
        }
    }
    return untested;
}

} // namespace

class TstE2eClipboard : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void copyOffersPngAndBmpInsteadOfTheOldText();
    void pngIsTheScreenWithoutTheControls();
    void windowIsElevenThousandByFourThousandFiveHundredTwipsWithItsFrame();
    void aWindowClosedAndLoadedAgainComesBackAtThatSize();
    void atEachScaleTheSheetKeepsEveryMarkAndTheScreensResolution_data();
    void atEachScaleTheSheetKeepsEveryMarkAndTheScreensResolution();
    void movedToAScreenOfAnotherScaleAndBackEveryControlAndMarkKeepsItsPlace();

private:
    // Starts the program and clicks 結果: the test window and the drawn sheet.
    void startWithSheet(const QStringList& environment);
    bool sheetDrawn();
    bool copied();
    // Where the combo boxes and the buttons stand on the sheet (their top-left corners in
    // sheet units), from the screen and the copy, which shows none of them.
    QList<QPointF> controlPlaces() const;
    // The window's outer size, every mark on the screen and in a copy, and the copy's size
    // and resolution, at this device pixel ratio.
    void checkSheetAndCopy(double ratio);
    QRect comboZone(int index) const;
    QRegion controlZones() const;

    e2e::FrameWatch m_frames;
    e2e::ProgramUnderTest m_program;
    e2e::WindowId m_test = 0;
    e2e::WindowId m_sheet = 0;
    QImage m_testImage;
    QList<QRect> m_testButtons;
    QImage m_screen; // the result window's client area on the screen
    QImage m_png; // what the clipboard gave
    QList<QRect> m_sheetButtons;
};

void TstE2eClipboard::initTestCase()
{
    QVERIFY2(m_frames.isWatching(), "xev does not report the window manager's frames");
    startWithSheet({});
}

void TstE2eClipboard::startWithSheet(const QStringList& environment)
{
    m_png = QImage();
    QVERIFY2(m_program.start({}, environment), qPrintable(m_program.errorString()));
    m_test = e2e::waitForWindow(kMode.testTitle);
    QVERIFY2(m_test != 0, "no single visible window with the program's title");
    QVERIFY2(e2e::waitUntilLaidOut(m_test, &m_testImage, &m_testButtons),
             "the test window did not show its row of buttons maximised");

    QVERIFY(e2e::click(m_test, m_testButtons[int(view::Button::Keka)].center()));
    m_sheet = e2e::waitForWindow(kMode.sheetTitle);
    QVERIFY2(m_sheet != 0, "no single window titled 別表[結果](15×19) after a click on 結果");
    QVERIFY2(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs),
             "the result window does not show its sheet with the two buttons");
}

bool TstE2eClipboard::sheetDrawn()
{
    // Drawn: the buttons show, there is ink on the sheet, and two pictures in a row agree.
    const QImage previous = m_screen;
    m_screen = e2e::clientImage(m_sheet);
    if (m_screen.isNull())
        return false;
    m_sheetButtons = view::findSheetButtons(m_screen);
    return m_sheetButtons.size() == 2 && shareOf(m_screen, m_screen.rect(), kInk) > 0.003
           && m_screen == previous;
}

void TstE2eClipboard::cleanup()
{
    if (!QTest::currentTestFailed())
        return;
    const QString name = QString::fromLatin1(QTest::currentTestFunction());
    e2e::saveArtifact(e2e::screenshot(),
                      QStringLiteral("tst_e2e_clipboard-%1-screen.png").arg(name));
    if (!m_png.isNull())
        e2e::saveArtifact(m_png, QStringLiteral("tst_e2e_clipboard-%1-clipboard.png").arg(name));
}

void TstE2eClipboard::copyOffersPngAndBmpInsteadOfTheOldText()
{
    // Something else on the clipboard first: a text another program offers.
    QVERIFY2(putText(), "xclip does not offer its text");

    QVERIFY(e2e::click(m_sheet, m_sheetButtons.back().center()));
    QStringList targets;
    const bool offered = e2e::waitUntil(
        [&] {
            targets = e2e::clipboardTargets();
            return targets.contains(QStringLiteral("image/png"));
        },
        e2e::kSettleTimeoutMs);
    QVERIFY2(offered,
             qPrintable(QStringLiteral("clipboard targets after コピー: ") + targets.join(u' ')));
    QVERIFY2(targets.contains(QStringLiteral("image/bmp")), qPrintable(targets.join(u' ')));
    QVERIFY2(!targets.contains(QStringLiteral("UTF8_STRING"))
                 && !targets.contains(QStringLiteral("text/plain")),
             qPrintable(QStringLiteral("the old text is still offered: ") + targets.join(u' ')));

    m_png = e2e::clipboardPng();
    QVERIFY2(!m_png.isNull(), "the image/png target is not a PNG");

    // The screen as it was copied (the copy changes nothing on the sheet).
    QVERIFY(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs));
}

QRect TstE2eClipboard::comboZone(int index) const
{
    const QSize size = m_png.size();
    const QPoint centre = view::toPixels(size, kMode.sheet.scale,
                                         {kMode.sheet.scale.width() / 4 + kComboDx[index], 0.2});
    return QRect(centre.x() - kComboWidth / 2, centre.y(), kComboWidth, kComboMaxHeight)
        .adjusted(-kControlMargin, -kControlMargin, kControlMargin, kControlMargin);
}

QRegion TstE2eClipboard::controlZones() const
{
    QRegion zones = QRegion(comboZone(0)) + comboZone(1);
    for (const QRect& button : m_sheetButtons)
        zones += button.adjusted(-kControlMargin, -kControlMargin, kControlMargin, kControlMargin);
    return zones;
}

void TstE2eClipboard::pngIsTheScreenWithoutTheControls()
{
    QVERIFY(!m_png.isNull());
    QCOMPARE(m_png.size(), m_screen.size());
    QCOMPARE(m_sheetButtons.size(), 2);
    // Everywhere but where the controls stand, the copy is the screen pixel for pixel.
    QCOMPARE(differences(m_png, m_screen, controlZones()), QString());
    // That the copy holds no control is the headless copy test's: the copy is the picture.
}

void TstE2eClipboard::windowIsElevenThousandByFourThousandFiveHundredTwipsWithItsFrame()
{
    // 733 by 300 pixels at 96 dpi, centred, its top a sixth of the way down the screen. Under
    // Wine that is the frame Windows gives the program, not the window manager's around it.
    const QRect outer = e2e::outerGeometry(m_sheet);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    if (!e2e::programRunsUnderWine()) {
        QCOMPARE(outer.size(), QSize(733, 300));
        QVERIFY2(qAbs(outer.left() - (screen.width() - 733) / 2) <= 1
                     && qAbs(outer.top() - screen.height() / 6) <= 1,
                 qPrintable(describe(outer)));
    }
    // The first result window waits for its frame: shown at most once before at a size
    // without it. Windows tells the frame before the show: the window shows at one size.
    const QList<QSize> shown = m_frames.sizesShown(m_sheet);
    QVERIFY(!shown.isEmpty() && shown.size() <= (e2e::programRunsUnderWine() ? 1 : 2));
    QCOMPARE(shown.back(), outer.size());
    // The buttons stand at the foot of the client area, 0.1 units above its edge.
    const QSize client = e2e::clientGeometry(m_sheet).size();
    const int foot
        = client.height() - 1 - qRound(0.1 * client.height() / kMode.sheet.scale.height());
    for (const QRect& button : m_sheetButtons)
        QVERIFY2(qAbs(button.bottom() - foot) <= 2, qPrintable(describe(button)));
}

void TstE2eClipboard::aWindowClosedAndLoadedAgainComesBackAtThatSize()
{
    QVERIFY(e2e::closeWindow(m_sheet));
    const QString title = kMode.sheetTitle;
    QVERIFY2(
        e2e::waitUntil([&] { return e2e::findWindows(title).isEmpty(); }, e2e::kSettleTimeoutMs),
        "the close box did not close the result window");

    QVERIFY(e2e::click(m_test, m_testButtons[int(view::Button::Betu)].center()));
    m_sheet = e2e::waitForWindow(title);
    QVERIFY(m_sheet != 0);
    QVERIFY2(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs),
             "the result window did not come back with its sheet");
    // At that size from the start: the frame is known.
    const QSize outer
        = e2e::programRunsUnderWine() ? e2e::outerGeometry(m_sheet).size() : QSize(733, 300);
    QCOMPARE(m_frames.sizesShown(m_sheet), QList<QSize>{outer});
}

bool TstE2eClipboard::copied()
{
    // A text on the clipboard first, so that the picture read back is this copy's.
    m_png = QImage();
    return putText() && e2e::click(m_sheet, m_sheetButtons.back().center())
           && e2e::waitUntil([this] { return !(m_png = e2e::clipboardPng()).isNull(); },
                             e2e::kSettleTimeoutMs);
}

void TstE2eClipboard::atEachScaleTheSheetKeepsEveryMarkAndTheScreensResolution_data()
{
    QTest::addColumn<double>("ratio");
    QTest::newRow("100 %") << 1.0;
    QTest::newRow("125 %") << 1.25;
    QTest::newRow("150 %: a client area asked for comes back a fraction of a pixel off") << 1.5;
    QTest::newRow("175 %") << 1.75;
    QTest::newRow("200 %") << 2.0;
}

void TstE2eClipboard::checkSheetAndCopy(double ratio)
{
    // 11000 by 4500 twips outside, 733 by 300 of the program's pixels; the device pixels
    // are rounded once for the client area and once for the frame.
    const QRect outer = e2e::outerGeometry(m_sheet);
    QVERIFY2((qAbs(outer.width() - 733 * ratio) <= ratio + 1
              && qAbs(outer.height() - 300 * ratio) <= ratio + 1)
                 || e2e::programRunsUnderWine(),
             qPrintable(describe(outer)));
    const int marks = 2 * kMode.columns * kMode.rows;
    QString fault;
    QVERIFY2(untestedMarks(m_screen, ratio, &fault) == marks, qPrintable(fault));

    // The copy: the client area's device pixels at the screen's resolution.
    // Qt rounds the program's pixels to device pixels once for the window and once for
    // what is drawn in it: at a fractional ratio the two may differ by one.
    QVERIFY2(copied(), "no new picture on the clipboard after コピー");
    const QSize off = m_png.size() - e2e::clientGeometry(m_sheet).size();
    QVERIFY2(qMax(qAbs(off.width()), qAbs(off.height())) <= (ratio == int(ratio) ? 0 : 1),
             qPrintable(describe(QRect(QPoint(), m_png.size()))));
    QCOMPARE(m_png.dotsPerMeterX(), qRound(ratio * 96 / 0.0254));
    QVERIFY2(untestedMarks(m_png, ratio, &fault) == marks, qPrintable(fault));
    QVERIFY(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs));
}

void TstE2eClipboard::atEachScaleTheSheetKeepsEveryMarkAndTheScreensResolution()
{
    // A fresh start at that scale: the sheet is drawn before the window manager has framed a
    // result window, then fitted to the frame; moving the window takes nothing off it.
    QFETCH(double, ratio);
    m_program.stop();
    startWithSheet({QStringLiteral("QT_SCALE_FACTOR=%1").arg(ratio)});
    if (QTest::currentTestFailed())
        return;

    QCOMPARE(m_screen.size(), e2e::clientGeometry(m_sheet).size());
    checkSheetAndCopy(ratio);
    if (QTest::currentTestFailed())
        return;
    // Drawn at the screen's resolution rather than enlarged, as the screen shows it.
    const QRect maps(0, m_png.height() / 6, m_png.width(), m_png.height() * 2 / 3);
    QVERIFY(!isDoubledUp(m_png.copy(maps)));
    QCOMPARE(m_screen.copy(maps.intersected(m_screen.rect())),
             m_png.copy(maps.intersected(m_screen.rect())));
    const QRect outer = e2e::outerGeometry(m_sheet);
    qInfo("scale %.2f: window %d by %d device pixels outside, copy %d by %d at %d dots per metre",
          ratio, outer.width(), outer.height(), m_png.width(), m_png.height(),
          m_png.dotsPerMeterX());

    QVERIFY(e2e::xdotool({QStringLiteral("windowmove"), QString::number(m_sheet),
                          QString::number(outer.x() + 40), QString::number(outer.y() + 30)}));
    QVERIFY2(
        e2e::waitUntil([&] { return e2e::outerGeometry(m_sheet).topLeft() != outer.topLeft(); },
                       e2e::kSettleTimeoutMs),
        "the result window did not move");
    QVERIFY(e2e::waitUntil([this] { return sheetDrawn(); }, e2e::kSettleTimeoutMs));
    QCOMPARE(e2e::outerGeometry(m_sheet).size(), outer.size());
    checkSheetAndCopy(ratio);
}

QList<QPointF> TstE2eClipboard::controlPlaces() const
{
    // The combo boxes: where the screen differs from the copy in the top quarter.
    QRect combos[2];
    for (int y = 0; y < m_screen.height() / 4; ++y) {
        for (int x = 0; x < qMin(m_png.width(), m_screen.width()); ++x) {
            if (!sameColour(m_png.pixel(x, y), m_screen.pixel(x, y)))
                combos[2 * x / m_screen.width()] |= QRect(x, y, 1, 1);
        }
    }
    QList<QPointF> places;
    for (const QRect& control : {combos[0], combos[1], m_sheetButtons[0], m_sheetButtons[1]})
        places << view::toUnits(m_screen.size(), kMode.sheet.scale, control.topLeft());
    return places;
}

void TstE2eClipboard::movedToAScreenOfAnotherScaleAndBackEveryControlAndMarkKeepsItsPlace()
{
    // The monitors A at 100 % and B at 150 % side by side (tst_e2e_clipboard_twoscreens).
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() != 2)
        QSKIP("needs the monitors A and B of tst_e2e_clipboard_twoscreens");
    m_program.stop();
    startWithSheet({QStringLiteral("QT_SCREEN_SCALE_FACTORS=A=1;B=1.5")});
    if (!QTest::currentTestFailed())
        checkSheetAndCopy(1);
    if (QTest::currentTestFailed())
        return;
    const QList<QPointF> onA = controlPlaces();
    for (int move = 1; move <= 6; ++move) {
        const double ratio = move % 2 ? 1.5 : 1.0;
        const qsizetype sizesShown = m_frames.sizesShown(m_sheet).size();
        const QPoint to = screens[move % 2]->geometry().topLeft() + QPoint(40, 150);
        QVERIFY(e2e::xdotool({QStringLiteral("windowmove"), QString::number(m_sheet),
                              QString::number(to.x()), QString::number(to.y())}));
        QVERIFY(e2e::waitUntil(
            [&] {
                const int width = e2e::outerGeometry(m_sheet).width();
                return qAbs(width - 733 * ratio) <= ratio + 1 && sheetDrawn();
            },
            e2e::kSettleTimeoutMs));
        // In one adjustment: from the old screen's size straight to the new one's.
        QCOMPARE(m_frames.sizesShown(m_sheet).size(), sizesShown + 1);
        checkSheetAndCopy(ratio);
        if (QTest::currentTestFailed())
            return;
        // Back on A exactly where they were; on B within a pixel of the program's.
        const QList<QPointF> places = controlPlaces();
        const QSizeF pixel = QSizeF(kMode.sheet.scale.width() / m_screen.width(),
                                    kMode.sheet.scale.height() / m_screen.height())
                             * (ratio == 1 ? 0 : ratio);
        for (int i = 0; i < 4; ++i) {
            const QPointF d = places[i] - onA[i];
            QVERIFY2(qAbs(d.x()) <= pixel.width() && qAbs(d.y()) <= pixel.height(),
                     qPrintable(QStringLiteral("move %1: control %2 moved by %3,%4 sheet units")
                                    .arg(move)
                                    .arg(i + 1)
                                    .arg(d.x())
                                    .arg(d.y())));
        }
    }
}

QTEST_MAIN(TstE2eClipboard)

#include "tst_e2e_clipboard.moc"
