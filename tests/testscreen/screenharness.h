#pragma once

#include "support/harness.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/teststate.h"
#include "windows/mouseargs.h"
#include "windows/testwindow.h"

#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QTest>

#include <cmath>
#include <initializer_list>

// What the test screen prints and draws, as the user reads it.
const QString kInstruction = QStringLiteral("↑ここを見続けてください。");
const QString kPauseMessage = QStringLiteral("一時停止中です。");
const QString kShowsTip = QStringLiteral("クリックで説明を現します");
const QString kHidesTip = QStringLiteral("クリックで説明を消します");
const QColor kYellow(255, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

// Compares two lengths in user units; `tolerance` is usually half a pixel, since controls
// keep their geometry in whole pixels.
#define QCOMPARE_UNITS(actual, expected, tolerance)                                                \
    QVERIFY2(std::abs(double(actual) - double(expected)) <= (tolerance),                           \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                    \
                            .arg(QStringLiteral(#actual))                                          \
                            .arg(double(actual), 0, 'g', 8)                                        \
                            .arg(double(expected), 0, 'g', 8)))

// A text printed on a window: its top-left corner in user units, its size in points.
struct PrintedText {
    QString text;
    QPointF topLeft;
    double points = 11;
    QColor colour = kYellow;
};

// The picture of `window` when it shows nothing but `texts` on `background`: each text in the
// window's font at its size, with its top-left corner at its point.
inline QImage pictureWith(const Canvas& window, const QColor& background,
                          std::initializer_list<PrintedText> texts)
{
    QImage image(window.picture().size(), window.picture().format());
    image.setDotsPerMeterX(window.picture().dotsPerMeterX());
    image.setDotsPerMeterY(window.picture().dotsPerMeterY());
    image.fill(background);
    QPainter painter(&image);
    for (const PrintedText& t : texts) {
        QFont font = window.font();
        font.setPointSizeF(t.points);
        painter.setFont(font);
        painter.setPen(t.colour);
        const QPoint corner(qRound(window.toPixelsX(t.topLeft.x())),
                            qRound(window.toPixelsY(t.topLeft.y())));
        painter.drawText(corner + QPoint(0, painter.fontMetrics().ascent()), t.text);
    }
    return image;
}

// Empty when the pictures are equal; otherwise how many pixels differ and where the first is.
inline QString differences(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("picture is %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    QString first;
    for (int y = 0; y < a.height(); ++y) {
        const auto* aLine = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* eLine = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (aLine[x] != eLine[x] && count++ == 0)
                first = QStringLiteral("(%1, %2) is %3, expected %4")
                            .arg(x)
                            .arg(y)
                            .arg(QColor(aLine[x]).name(), QColor(eLine[x]).name());
        }
    }
    return count == 0 ? QString()
                      : QStringLiteral("%1 pixels differ, first %2").arg(count).arg(first);
}

inline int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

// A pixel mostly covered by ink of that colour: nearer to the ink than to the background.
inline bool isInk(QRgb pixel, QRgb ink, QRgb background)
{
    return squaredDistance(pixel, ink) < squaredDistance(pixel, background);
}

// Compares where the ink of one colour lies in two pictures on the same background. With
// `subset`, ink of `expected` must be in `actual`, which may hold more. Pixels in `ignore`
// (where other drawing lies under the text) are not compared. Empty when they agree.
inline QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                          const QColor& background, bool subset = false, const QRegion& ignore = {})
{
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    const QRgb inkRgb = ink.rgb();
    const QRgb backgroundRgb = background.rgb();
    int expectedInk = 0;
    int missing = 0;
    int extra = 0;
    QString first;
    for (int y = 0; y < e.height(); ++y) {
        const auto* aLine = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* eLine = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < e.width(); ++x) {
            const bool isExpected = isInk(eLine[x], inkRgb, backgroundRgb);
            const bool isActual = isInk(aLine[x], inkRgb, backgroundRgb);
            if (isExpected == isActual || (subset && !isExpected) || ignore.contains(QPoint(x, y)))
                continue;
            if (first.isEmpty())
                first = QStringLiteral("%1 at (%2, %3)")
                            .arg(isExpected ? "missing" : "extra")
                            .arg(x)
                            .arg(y);
            ++(isExpected ? missing : extra);
        }
        for (int x = 0; x < e.width(); ++x)
            expectedInk += isInk(eLine[x], inkRgb, backgroundRgb) ? 1 : 0;
    }
    if (expectedInk == 0)
        return QStringLiteral("the expected picture has no ink");
    if (missing == 0 && extra == 0)
        return QString();
    return QStringLiteral("%1 of %2 ink pixels missing, %3 extra; first %4")
        .arg(missing)
        .arg(expectedInk)
        .arg(extra)
        .arg(first);
}

// The whole program on a shown test window, with the run's clock in the test's hand: the real
// timer may start and stop, but only tick() advances a run.
class ScreenHarness : public Harness {
public:
    explicit ScreenHarness(QSize client = {1000, 805})
    {
        QObject::disconnect(test.tmr1, &IntervalTimer::tick, nullptr, nullptr);
        show(client.width(), client.height());
    }

    void tick() { program.presentation().onTick(); }

    // Ticks until the next dot is presented; false if none comes.
    bool tickToNextDot()
    {
        const int w = st.w;
        for (int i = 0; i < 10 && st.w == w && st.eyeRunning(); ++i)
            tick();
        return st.w == w + 1;
    }

    // Ticks until the running eye's run has ended; false if it does not end.
    bool finishRun()
    {
        for (int i = 0; i < 2000 && st.eyeRunning(); ++i)
            tick();
        return !st.eyeRunning();
    }

    // A run of the left eye in which every `seenEvery`-th dot is answered, to the end.
    bool completeLeftRun(int seenEvery = 3)
    {
        test.cmdLft->click();
        for (int dot = 1; tickToNextDot(); ++dot) {
            if (dot % seenEvery == 0)
                program.response().onWindowClick();
        }
        return finishRun();
    }

    void press(double x, double y, bool shift = true)
    {
        program.fixationDrag().onMouseDown({Qt::LeftButton, shift, x, y});
    }
    void move(double x, double y, Qt::MouseButton button = Qt::LeftButton)
    {
        program.fixationDrag().onMouseMove({button, false, x, y});
    }
    void release(double x, double y, bool shift = true)
    {
        program.fixationDrag().onMouseUp({Qt::LeftButton, shift, x, y});
    }
    void shiftClick(double x, double y)
    {
        press(x, y);
        release(x, y);
    }

    // A press of the explanation button with the mouse.
    void pressRdm(bool shift, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(test.cmdRdm, button, shift ? Qt::ShiftModifier : Qt::NoModifier);
    }

    // Takes user actions, one letter each: L and R start the left and the right eye, D ticks to
    // the next dot, E to the end of the run; S clicks the pause button, T the dot-size button,
    // B the background button, K the grid switch; F Shift-clicks the window at (4, 3), moving
    // the fixation point there; Z resizes the window (smaller, then back).
    // The explanation button: p a plain press, s a Shift press (left button), q a plain press
    // with the right button, m a Shift press with the middle one. Empty when all were taken.
    QString perform(const QString& steps)
    {
        for (const QChar step : steps) {
            const QString failed = QStringLiteral("step %1 of \"%2\" failed").arg(step).arg(steps);
            switch (step.toLatin1()) {
            case 'L': test.cmdLft->click(); break;
            case 'R': test.cmdRgt->click(); break;
            case 'D':
                if (!tickToNextDot())
                    return failed;
                break;
            case 'E':
                if (!finishRun())
                    return failed;
                break;
            case 'S': test.cmdStp->click(); break;
            case 'T': test.cmdTen->click(); break;
            case 'B': test.cmdHaik->click(); break;
            case 'K': test.cmdKae->click(); break;
            case 'F': shiftClick(4, 3); break;
            case 'Z':
                m_smaller = !m_smaller;
                resizeClient(m_smaller ? 900 : 1000, m_smaller ? 700 : 805);
                break;
            case 'p': pressRdm(false); break;
            case 's': pressRdm(true); break;
            case 'q': pressRdm(false, Qt::RightButton); break;
            case 'm': pressRdm(true, Qt::MiddleButton); break;
            default: return QStringLiteral("unknown step %1").arg(step);
            }
        }
        return QString();
    }

    void resizeClient(int width, int height)
    {
        test.resize(width, height);
        QCoreApplication::processEvents();
    }
    // A resize event that keeps the size, as a minimise or restore reports it.
    void resizeInPlace()
    {
        QResizeEvent event(test.size(), test.size());
        QCoreApplication::sendEvent(&test, &event);
    }

    QRectF mark() const { return test.userRect(test.shp1); }
    QPointF markCentre() const { return mark().center(); }
    QPointF markCorner() const { return mark().topLeft(); }

    // Half a pixel in user units: the tolerance of a geometry set in units.
    double halfPixelX() const { return 0.5 / test.toPixelsX(1) + 1e-9; }
    double halfPixelY() const { return 0.5 / test.toPixelsY(1) + 1e-9; }

    QPoint pixelAt(double x, double y) const
    {
        return {qRound(test.toPixelsX(x)), qRound(test.toPixelsY(y))};
    }

    // The picture expected when only the instruction stands under the mark, `drop` below its top.
    QImage instructionPicture(double drop) const
    {
        return pictureWith(test, test.backColor(),
                           {{kInstruction, markCorner() + QPointF(0, drop)}});
    }

    // The explanation panel in short: labels, swtRdm, the button's tool tip (現 or 消), swtTst,
    // and whether the numbering overlay shows its first dot.
    QString panel() const
    {
        const bool upper = test.lblRdme[0]->isVisible();
        const bool lower = test.lblRdme[1]->isVisible();
        const QString labels = upper && lower     ? QStringLiteral("shown")
                               : !upper && !lower ? QStringLiteral("hidden")
                                                  : QStringLiteral("mixed");
        const QString tip = test.cmdRdm->toolTip();
        const QString tipCode = tip == kShowsTip   ? QStringLiteral("現")
                                : tip == kHidesTip ? QStringLiteral("消")
                                                   : tip;
        const QPoint first = pixelAt(1, 1);
        const bool dots = test.picture().pixelColor(first) == kYellow;
        return QStringLiteral("%1 %2 %3 %4 %5")
            .arg(labels)
            .arg(st.swtRdm ? 1 : 0)
            .arg(tipCode)
            .arg(st.swtTst ? 1 : 0)
            .arg(dots ? QStringLiteral("dots") : QStringLiteral("-"));
    }

private:
    bool m_smaller = false;
};
