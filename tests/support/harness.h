#pragma once

#include "platform/canvas.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "program.h"
#include "support/gridtable.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QLabel>
#include <QPushButton>

#include <QDate>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QString>
#include <QVector>

#include <cmath>
#include <cstdint>
#include <functional>
#include <initializer_list>

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
// window's font at its size, with its top-left corner at its point, drawn afresh with a plain
// QPainter (never with the program's own canvas).
QImage pictureWith(const Canvas& window, const QColor& background,
                   std::initializer_list<PrintedText> texts);

// What the program sent to the world outside its windows during a test.
struct Fakes {
    int beeps = 0;
    int quits = 0;
    int copies = 0;
    bool clipboardFails = false;
    QImage clipboard;
    QDate today{2026, 12, 7};
};

// What one tick showed: a dot presented, the dot hidden, the run ended, or nothing.
constexpr char kDot = 'D';
constexpr char kHide = 'h';
constexpr char kEnd = 'E';
constexpr char kQuiet = '.';

// The ticks of a whole run of `dots` points: the lead-in until the first dot ("..." after a
// plain start), then a dot every third tick, and the end on the presenting tick after the last.
QString runTrace(int dots, const QString& lead = QStringLiteral("..."));

// A window's user scale, to compare with a grid's in one go.
inline QSizeF scaleOf(const Canvas& window)
{
    return {window.scaleWidth(), window.scaleHeight()};
}

// The client area on which one field unit of the fine grid is 50 pixels both ways.
inline const QSize kClient{1000, 805};
// A point on the test window's own surface, away from the mark, the labels and the buttons.
inline const QPoint kSurface{15, 15};

// Empty when a rectangle in pixels is this rectangle in twips, each of its numbers to within
// the half pixel of rounding.
QString twipsMismatch(const QRect& pixels, const QRect& twips);

// What the test screen prints, as the user reads it.
const QString kInstruction = QStringLiteral("↑ここを見続けてください。");
const QString kPauseMessage = QStringLiteral("一時停止中です。");
const QString kEndMessage = QStringLiteral("おわり");

// A clock for an IntervalTimer that lets time pass only by hand.
class HandClock : public IntervalClock {
public:
    void begin(int milliseconds) override
    {
        m_length = milliseconds;
        m_elapsed = 0;
    }
    void stop() override { m_length = 0; }

    // The length of the interval in progress; 0 while the timer does not tick.
    int intervalInProgress() const { return m_length; }
    // Ends the interval in progress now; false if there is none.
    bool advance();
    // Milliseconds pass; returns how many intervals ended.
    int elapse(int milliseconds);

private:
    int m_length = 0;
    int m_elapsed = 0;
};

// The whole program with reproducible services: a seeded random generator, a fixed date in
// a Japanese locale, and a clipboard, beep and quit that only count. The run's timer is in
// the test's hand (clock): it starts and stops as the program says, and ticks only on tick()
// or as the clock lets time pass.
class Harness {
public:
    explicit Harness(std::uint64_t seed = 20261207);
    // The same, shown with a client area of this size.
    explicit Harness(QSize client, std::uint64_t seed = 20261207);

    // Shows the test window as a normal window with a client area of this size.
    void show(int width = kClient.width(), int height = kClient.height());

    template <typename T> T* find(const QString& name) const { return test.findChild<T*>(name); }

    // The numbers of the grid in force.
    const grids::Grid& grid() const { return grids::inForce(st); }
    ResultGrid& results(bool left) { return left ? leftGrid(st) : rightGrid(st); }

    // One tick of tmr1, if it is ticking; presented points are appended to `presented`.
    char tick();
    QString ticks(int count);
    // Ticks until the run ends (or a limit well beyond the longest run).
    QString tickToEnd();
    // Ticks up to and including the presentation of dot number `count` of the run.
    void tickToDot(int count);
    // Ticks until the next dot is presented; false if none comes.
    bool tickToNextDot();
    // Ticks until the running eye's run has ended; false if it does not end.
    bool finishRun();
    // A run of the left eye in which every `seenEvery`-th dot is answered, to the end.
    bool completeLeftRun(int seenEvery = 3);
    // Ticks the running eye's run to its end, or up to dot `upTo`, clicking the window on
    // every dot the observer sees while the dot is shown; returns the trace.
    QString answerRun(const std::function<bool(const QPoint&)>& sees, int upTo = 1 << 30);

    // A click on the window at a point of its client area, through the window system's hit
    // testing: it goes to whatever the user would hit there.
    void clickAt(QPoint pos = kSurface);

    // The fixation drag's handlers, in field units.
    void press(double x, double y, bool shift = true);
    void move(double x, double y, Qt::MouseButton button = Qt::LeftButton);
    void release(double x, double y, bool shift = true);
    void shiftClick(double x, double y);

    // A press of the explanation button with the mouse.
    void pressRdm(bool shift, Qt::MouseButton button = Qt::LeftButton);

    // Takes user actions, one letter each: L and R start the left and the right eye, D ticks to
    // the next dot, E to the end of the run, . ticks once; S clicks the pause button, T the
    // dot-size button, B the background button, K the grid switch; F Shift-clicks the window at
    // (4, 3), moving the fixation point there; Z resizes the window (smaller, then back).
    // The explanation button: p a plain press, s a Shift press (left button), q a plain press
    // with the right button, m a Shift press with the middle one. Empty when all were taken.
    QString perform(const QString& steps);

    void resizeClient(int width, int height);
    // A resize event that keeps the size, as a minimise or restore reports it.
    void resizeInPlace();

    QRectF mark() const;
    QPointF markCentre() const { return mark().center(); }
    QPointF markCorner() const { return mark().topLeft(); }
    // Half a pixel in field units: the tolerance of a geometry set in units.
    double halfPixelX() const;
    double halfPixelY() const;
    // Empty when a point or a size in field units is `expected` to within `pixels` of the
    // window both ways; otherwise both, for the message.
    QString unitsOff(const QPointF& actual, const QPointF& expected, double pixels = 0.5) const;
    QString unitsOff(const QSizeF& actual, const QSizeF& expected, double pixels = 0.5) const;
    // A point in field units on the window, in pixels, unrounded.
    QPointF pixelsOf(const QPointF& units) const;
    QPoint pixelAt(double x, double y) const;

    // The test window's picture when it shows nothing but these texts.
    QImage pictureOf(std::initializer_list<PrintedText> texts) const;
    // The picture when only the instruction stands under the mark, `drop` below its top.
    QImage instructionPicture(double drop) const;
    // The texts beside the mark at dot size `swtTen`: the running count, the pause, the end.
    PrintedText countText(int count, int swtTen) const;
    PrintedText pauseText(int swtTen) const;
    PrintedText endText() const;

    // The explanation panel in short: labels, swtRdm, the button's tool tip (現 or 消), swtTst,
    // and whether the numbering overlay shows its first dot.
    QString panel() const;

    Fakes fakes;
    HandClock clock; // tmr1's, so it outlives the program
    Program program;
    TestState& st;
    FrmTest& test;
    QVector<QPoint> presented;

private:
    bool m_smaller = false;
};

// A visual field: a patch where dots go unseen, like the blind spot, and a few scattered
// points that a seeded generator picks as missed.
class Observer {
public:
    Observer(const QRect& blindSpot, const grids::Grid& grid, std::uint32_t seed);
    bool sees(const QPoint& point) const;
    bool operator()(const QPoint& point) const { return sees(point); }

private:
    QRect m_blindSpot;
    QVector<QPoint> m_misses;
};
