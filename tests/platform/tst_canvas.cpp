#include "platform/application.h"
#include "platform/canvas.h"
#include "platform/twips.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTemporaryFile>
#include <QtTest>

namespace {

// A canvas of this client size carrying this user scale.
void setUp(Canvas& canvas, int width, int height, double scaleWidth, double scaleHeight)
{
    canvas.resize(width, height);
    canvas.setScaleWidth(scaleWidth);
    canvas.setScaleHeight(scaleHeight);
}

// Puts a hidden canvas on the offscreen screen of this device pixel ratio (see main()).
bool placeOnScreenWithRatio(Canvas& canvas, double ratio)
{
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen->devicePixelRatio() == ratio) {
            canvas.move(screen->geometry().topLeft() + QPoint(20, 20));
            return canvas.devicePixelRatioF() == ratio;
        }
    }
    return false;
}

// What the window shows, in its device pixels.
QImage shown(Canvas& canvas)
{
    canvas.show();
    if (!QTest::qWaitForWindowExposed(&canvas))
        return {};
    QImage image = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(1);
    return image;
}

} // namespace

class TstCanvas : public QObject {
    Q_OBJECT
private slots:
    void twipsBecomePixels_data();
    void twipsBecomePixels();
    void userUnitsMapOntoTheClientArea();
    void controlsKeepTheirPixelsWhenTheScaleOrSizeChanges();
    void aShrunkWindowStillConvertsFinitely();
    void printPutsTheTextsTopLeftCornerAtThePosition();
    void printMovesToTheNextLine();
    void aPositiveNumberIsPrintedWithALeadingBlank();
    void psetDrawsADotDrawWidthAcross();
    void dottedLinesHaveGapsAndSolidOnesNone();
    void thePictureSurvivesAResizeWhereItStillFits();
    void aDrawingOutsideASmallerWindowSurvivesDrawingInside();
    void theFontSizeChangesOnlyTheDrawing();
    void aHiddenWindowDrawsOnAPictureOfItsOwnSize();
    void aDrawingThatIsNeverClearedIsKeptWhole();
    void theScreenFollowsADrawingAClearAndANewBackground();
    void aHighDpiScreenGetsThePictureInItsDevicePixels_data();
    void aHighDpiScreenGetsThePictureInItsDevicePixels();
    void aWindowMovedToAHighDpiScreenKeepsItsDrawing();
};

void TstCanvas::twipsBecomePixels_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("fifteen twips are one pixel") << 15 << 1;
    QTest::newRow("a button 600 twips wide") << 600 << 40;
    QTest::newRow("a button 320 twips high rounds down") << 320 << 21;
    QTest::newRow("half a pixel rounds up") << 8 << 1;
    QTest::newRow("the result window 11000 twips wide") << 11000 << 733;
}

void TstCanvas::twipsBecomePixels()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twips::toPixels(twips), pixels);
}

void TstCanvas::userUnitsMapOntoTheClientArea()
{
    Canvas canvas;
    setUp(canvas, 1000, 805, 20, 16.1);
    QCOMPARE(canvas.toPixelsX(1), 50.0);
    QVERIFY(qFuzzyCompare(canvas.toPixelsY(15), 750.0));
    QCOMPARE(canvas.toUnits(QPointF(500, 402.5)), QPointF(10, 8.05));

    // A scale that is not positive is refused.
    canvas.setScaleWidth(0);
    canvas.setScaleHeight(-3);
    QCOMPARE(canvas.scaleWidth(), 20.0);
    QCOMPARE(canvas.scaleHeight(), 16.1);
}

void TstCanvas::controlsKeepTheirPixelsWhenTheScaleOrSizeChanges()
{
    Canvas canvas;
    setUp(canvas, 1000, 805, 20, 16.1);
    auto* control = new QWidget(&canvas);
    canvas.setUserPos(control, 9.88, 8.2);
    canvas.setUserWidth(control, 0.24);
    canvas.setUserHeight(control, 0.24);
    QCOMPARE(control->geometry(), QRect(494, 410, 12, 12));
    QCOMPARE(canvas.userRect(control).center(), QPointF(10, 8.32));

    canvas.setScaleWidth(14);
    canvas.setScaleHeight(12);
    canvas.resize(700, 600);
    QCOMPARE(control->geometry(), QRect(494, 410, 12, 12));
    // Read in the new units: 50 px per unit across and down.
    const QRectF inNewUnits = canvas.userRect(control);
    QCOMPARE(inNewUnits.topLeft(), QPointF(9.88, 8.2));
    QCOMPARE(inNewUnits.size(), QSizeF(0.24, 0.24));

    canvas.setUserPos(control, 1, 2);
    QCOMPARE(control->pos(), QPoint(50, 100));
}

void TstCanvas::aShrunkWindowStillConvertsFinitely()
{
    Canvas canvas;
    canvas.setScaleWidth(20);
    canvas.setScaleHeight(16.1);
    canvas.resize(0, 0);
    auto* control = new QWidget(&canvas);
    control->setGeometry(5, 5, 10, 10);
    const QRectF rect = canvas.userRect(control);
    QVERIFY(qIsFinite(rect.x()) && qIsFinite(rect.width()));
    canvas.setUserPos(control, 3, 3);
    QCOMPARE(control->pos(), QPoint(0, 0));
    canvas.moveTo(10, 10);
    canvas.print(QStringLiteral("x")); // nothing to draw on, and no crash
    QVERIFY(!canvas.picture().isNull());
}

void TstCanvas::printPutsTheTextsTopLeftCornerAtThePosition()
{
    Canvas canvas;
    setUp(canvas, 400, 200, 40, 20);
    canvas.setBackColor(Qt::white);
    canvas.setForeColor(Qt::black);
    canvas.setFontSize(20);
    canvas.moveTo(10, 5);
    canvas.print(QStringLiteral("ＴＨＥ"));

    const QRect ink = inkBox(canvas.picture(), Qt::white);
    QVERIFY(!ink.isEmpty());
    // The glyphs start at the position and hang below it, within the font's line.
    QVERIFY2(ink.left() >= 100 && ink.left() <= 104, qPrintable(QString::number(ink.left())));
    QVERIFY2(ink.top() >= 50 && ink.top() <= 50 + QFontMetrics(canvas.drawFont()).ascent(),
             qPrintable(QString::number(ink.top())));
    QVERIFY(ink.bottom() <= 50 + QFontMetrics(canvas.drawFont()).height());
}

void TstCanvas::printMovesToTheNextLine()
{
    Canvas canvas;
    setUp(canvas, 400, 200, 400, 200);
    canvas.moveTo(30, 10);
    canvas.print(QStringLiteral("a"));
    QCOMPARE(canvas.currentX(), 0.0);
    QCOMPARE(canvas.currentY(), 10.0 + QFontMetrics(canvas.drawFont()).height());
}

void TstCanvas::aPositiveNumberIsPrintedWithALeadingBlank()
{
    QCOMPARE(printedNumber(1), QStringLiteral(" 1"));
    QCOMPARE(printedNumber(285), QStringLiteral(" 285"));
    QCOMPARE(printedNumber(0), QStringLiteral(" 0"));
    QCOMPARE(printedNumber(-7), QStringLiteral("-7"));
    // Printed, the blank stands before the digits: the numbering overlay and the count
    // beside the mark are compared with the text drawn afresh, blank included.
}

void TstCanvas::psetDrawsADotDrawWidthAcross()
{
    Canvas canvas;
    setUp(canvas, 100, 100, 10, 10);
    canvas.setForeColor(Qt::red);
    canvas.setDrawWidth(5);
    canvas.pset(5, 5);
    const QRect dot = inkBox(canvas.picture(), Qt::white);
    QCOMPARE(dot.size(), QSize(5, 5));
    QCOMPARE(dot.center(), QPoint(50, 50));
    QCOMPARE(canvas.picture().pixelColor(50, 50), QColor(Qt::red));
    QCOMPARE(canvas.currentX(), 5.0);

    // Round: the corners of the 5 by 5 box stay clear.
    QCOMPARE(canvas.picture().pixelColor(48, 48), QColor(Qt::white));
    QCOMPARE(canvas.picture().pixelColor(48, 50), QColor(Qt::red));

    canvas.cls();
    canvas.setDrawWidth(4);
    canvas.pset(5, 5);
    QCOMPARE(inkBox(canvas.picture(), Qt::white).size(), QSize(4, 4));

    canvas.cls();
    canvas.setDrawWidth(1);
    canvas.pset(2, 3);
    QCOMPARE(inkBox(canvas.picture(), Qt::white), QRect(20, 30, 1, 1));
}

void TstCanvas::dottedLinesHaveGapsAndSolidOnesNone()
{
    Canvas canvas;
    setUp(canvas, 100, 100, 10, 10);
    canvas.setForeColor(Qt::black);
    canvas.line(1, 2, 9, 2);
    canvas.setDrawStyle(DrawStyle::Dot);
    canvas.line(5, 1, 5, 9);

    const QImage& picture = canvas.picture();
    QCOMPARE(countColour(picture, QRect(10, 20, 81, 1), kInk), 81);
    const int dotted = countColour(picture, QRect(50, 30, 1, 50), kInk);
    QVERIFY2(dotted >= 10 && dotted <= 30, qPrintable(QString::number(dotted)));
    QCOMPARE(canvas.currentX(), 5.0);
    QCOMPARE(canvas.currentY(), 9.0);

    // Dotted every third pixel, to both ends.
    canvas.line(8, 3, 8, 6);
    for (int y = 30; y <= 60; ++y)
        QCOMPARE(canvas.picture().pixelColor(80, y), QColor(y % 3 ? Qt::white : Qt::black));
}

void TstCanvas::thePictureSurvivesAResizeWhereItStillFits()
{
    Canvas canvas;
    setUp(canvas, 100, 100, 100, 100);
    canvas.setForeColor(Qt::blue);
    canvas.line(10, 10, 90, 10);
    canvas.resize(60, 120);
    QCOMPARE(canvas.picture().size(), QSize(60, 120));
    QCOMPARE(inkBox(canvas.picture(), Qt::white), QRect(10, 10, 50, 1));
}

void TstCanvas::aDrawingOutsideASmallerWindowSurvivesDrawingInside()
{
    Canvas canvas;
    setUp(canvas, 200, 100, 200, 100);
    canvas.setForeColor(Qt::blue);
    canvas.line(150, 80, 190, 80);
    canvas.resize(100, 50);
    // Far from the first line, so that what holds the drawing has to grow.
    canvas.line(20, 20, 40, 20); // the scale now has two units a pixel
    canvas.resize(300, 150);
    const QImage picture = canvas.picture();
    QCOMPARE(countColour(picture, picture.rect(), kBlue), 41 + 11);
    QCOMPARE(inkBox(picture, Qt::white), QRect(10, 10, 181, 71));
    QCOMPARE(shown(canvas), picture);
}

void TstCanvas::theFontSizeChangesOnlyTheDrawing()
{
    Canvas canvas;
    QFont font = canvas.font();
    font.setPointSizeF(7.5);
    canvas.setFont(font);
    auto* label = new QLabel(&canvas);
    const double labelSize = label->font().pointSizeF();
    QCOMPARE(canvas.fontSize(), 7.5);
    canvas.setFontSize(11);
    QCOMPARE(canvas.fontSize(), 11.0);
    QCOMPARE(canvas.drawFont().pointSizeF(), 11.0);
    QCOMPARE(canvas.font().pointSizeF(), 7.5);
    QCOMPARE(label->font().pointSizeF(), labelSize);
}

void TstCanvas::aHiddenWindowDrawsOnAPictureOfItsOwnSize()
{
    // A window that is loaded without being shown gets no resize events.
    Canvas canvas;
    canvas.setFixedSize(300, 120);
    canvas.setScaleWidth(30);
    canvas.setScaleHeight(12);
    canvas.setForeColor(Qt::black);
    canvas.line(0, 11.9, 29.9, 11.9);
    QVERIFY(canvas.isHidden());
    QCOMPARE(canvas.picture().size(), QSize(300, 120));
    QCOMPARE(inkBox(canvas.picture(), Qt::white), QRect(0, 119, 300, 1));
}

void TstCanvas::aDrawingThatIsNeverClearedIsKeptWhole()
{
    // Far more strokes than a result sheet has: the oldest must survive as the newest do.
    Canvas canvas;
    setUp(canvas, 200, 200, 200, 200);
    for (int i = 0; i < 10000; ++i) {
        canvas.setForeColor(i == 0 ? Qt::red : Qt::blue);
        canvas.pset(i % 200, (i / 200) * 2);
    }
    const QImage& picture = canvas.picture();
    QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::red));
    QCOMPARE(picture.pixelColor(199, 98), QColor(Qt::blue));
    QCOMPARE(picture.pixelColor(50, 99), QColor(Qt::white));
    canvas.cls();
    QVERIFY(inkBox(canvas.picture(), Qt::white).isEmpty());
}

void TstCanvas::theScreenFollowsADrawingAClearAndANewBackground()
{
    Canvas canvas;
    setUp(canvas, 200, 100, 200, 100);
    canvas.show();
    QVERIFY(QTest::qWaitForWindowExposed(&canvas));
    // What the screen shows, not what a fresh render of the widget would give.
    const auto onScreen = [&canvas] {
        // The repaint is asked for after the drawing handler returns, then carried out.
        for (int pass = 0; pass < 3; ++pass)
            QCoreApplication::processEvents();
        return canvas.screen()
            ->grabWindow(canvas.winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    };
    canvas.setForeColor(Qt::black);
    canvas.line(10, 50, 190, 50);
    QCOMPARE(onScreen().pixelColor(100, 50), QColor(Qt::black));
    canvas.cls();
    QCOMPARE(onScreen().pixelColor(100, 50), QColor(Qt::white));
    canvas.line(10, 50, 190, 50);
    canvas.setBackColor(QColor(32, 32, 32));
    const QImage shown = onScreen();
    QCOMPARE(shown.pixelColor(100, 50), QColor(32, 32, 32));
    QCOMPARE(shown.pixelColor(5, 90), QColor(32, 32, 32));
}

void TstCanvas::aHighDpiScreenGetsThePictureInItsDevicePixels_data()
{
    QTest::addColumn<double>("ratio");
    QTest::addColumn<bool>("backwards"); // the lines drawn right to left and bottom to top
    QTest::addColumn<int>("lineInk"); // device pixels of the horizontal line
    QTest::newRow("125 percent") << 1.25 << false << 226;
    QTest::newRow("150 percent") << 1.5 << false << 544;
    QTest::newRow("150 percent, drawn backwards: no end pixel lost") << 1.5 << true << 544;
    QTest::newRow("200 percent") << 2.0 << false << 724;
}

void TstCanvas::aHighDpiScreenGetsThePictureInItsDevicePixels()
{
    QFETCH(double, ratio);
    QFETCH(bool, backwards);
    QFETCH(int, lineInk);
    Canvas canvas;
    QVERIFY(placeOnScreenWithRatio(canvas, ratio));
    setUp(canvas, 200, 100, 20, 10);
    canvas.setForeColor(Qt::black);
    if (backwards)
        canvas.line(19, 8, 1, 8);
    else
        canvas.line(1, 8, 19, 8);
    canvas.setDrawStyle(DrawStyle::Dot);
    if (backwards)
        canvas.line(18, 7, 18, 1);
    else
        canvas.line(18, 1, 18, 7);
    canvas.setFontSize(9);
    canvas.moveTo(1, 1);
    canvas.print(QStringLiteral("左"));

    const QImage picture = canvas.picture();
    QCOMPARE(picture.size(), (QSizeF(200, 100) * ratio).toSize());
    // It pastes at the window's size: 96 dpi times the ratio.
    QCOMPARE(picture.dotsPerMeterX(), qRound(96 * ratio / 0.0254));
    QCOMPARE(picture.dotsPerMeterY(), picture.dotsPerMeterX());
    // A line one pixel of the window thick, a dotted one still dotted.
    QCOMPARE(countColour(picture, QRect(picture.width() / 2, 0, 1, picture.height()), kInk),
             qRound(ratio));
    const QRect band(0, qRound(75 * ratio), picture.width(), qRound(10 * ratio));
    QCOMPARE(countColour(picture, band, kInk), lineInk);
    const QRect dotted(qRound(180 * ratio) - 1, qRound(15 * ratio), 4, qRound(50 * ratio));
    const int dots = countColour(picture, dotted, kInk);
    QVERIFY(dots > dotted.height() * qRound(ratio) / 5
            && dots < dotted.height() * qRound(ratio) / 2);
    // The text as tall as 9 points are at the picture's resolution.
    QImage paper(picture);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    painter.setFont(canvas.drawFont());
    painter.drawText(0, painter.fontMetrics().ascent(), QStringLiteral("左"));
    painter.end();
    const QRect text
        = inkBox(picture.copy(0, 0, qRound(100 * ratio), qRound(60 * ratio)), Qt::white);
    QVERIFY(qAbs(text.height() - inkBox(paper, Qt::white).height()) <= 2);

    // The screen shows the picture pixel for pixel, also once it was taken.
    QCOMPARE(shown(canvas), picture);
}

void TstCanvas::aWindowMovedToAHighDpiScreenKeepsItsDrawing()
{
    Canvas canvas;
    setUp(canvas, 200, 100, 200, 100);
    canvas.setForeColor(Qt::black);
    canvas.line(20, 30, 180, 30);
    QCOMPARE(shown(canvas).size(), QSize(200, 100));
    // Scaled smoothly, so an edge may spread by a pixel.
    const auto roughly = [](const QRect& actual, const QRect& expected) {
        const QMargins spread(1, 1, 1, 1);
        return actual.contains(expected - spread) && (expected + spread).contains(actual);
    };

    QVERIFY(placeOnScreenWithRatio(canvas, 2));
    QCOMPARE(canvas.picture().size(), QSize(400, 200));
    QVERIFY(roughly(inkBox(canvas.picture(), Qt::white), QRect(40, 60, 322, 2)));
    QVERIFY(placeOnScreenWithRatio(canvas, 1));
    QCOMPARE(canvas.picture().size(), QSize(200, 100));
    QVERIFY(roughly(inkBox(canvas.picture(), Qt::white), QRect(20, 30, 161, 1)));
}

// The offscreen platform's usual screen, and to its right three screens at the device pixel
// ratios of common high-DPI settings. The file is named relative to the working folder: the
// platform's arguments are split at colons, which a Windows path holds.
int main(int argc, char* argv[])
{
    QTemporaryFile screens(QStringLiteral("screens-XXXXXX.json"));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
        QByteArray config = R"({"screens": [)";
        const double ratios[] = {1, 1.25, 1.5, 2};
        for (int i = 0; i < 4; ++i)
            config += QStringLiteral(R"(%1{"name": "%2", "x": %3, "y": 0, "width": 800, )"
                                     R"("height": 800, "logicalDpi": 96, "dpr": %2})")
                          .arg(i ? QStringLiteral(", ") : QString())
                          .arg(ratios[i])
                          .arg(800 * i)
                          .toUtf8();
        screens.write(config + "]}");
        screens.flush();
        const QString file = QDir::current().relativeFilePath(screens.fileName());
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + file.toLocal8Bit());
    }
    Application app(argc, argv);
    TstCanvas test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_canvas.moc"
