#pragma once

#include "support/harness.h"

#include "platform/canvas.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QPushButton>
#include <QTest>
#include <QVector3D>
#include <QVector>

#include <initializer_list>

// What one tick showed: a dot presented, the dot hidden, the run ended, or nothing.
constexpr char kDot = 'D';
constexpr char kHide = 'h';
constexpr char kEnd = 'E';
constexpr char kQuiet = '.';

// The ticks of a whole run of `dots` points: the lead-in until the first dot ("..." after a
// plain start), then a dot every third tick, and the end on the presenting tick after the last.
inline QString runTrace(int dots, const QString& lead = QStringLiteral("..."))
{
    return lead + QLatin1Char(kDot) + QStringLiteral("h.D").repeated(dots - 1)
           + QStringLiteral("h.E");
}

// A point on the window's own surface, away from the mark, the labels and the buttons.
const QPoint kSurface(15, 15);

// The whole program on a shown 1000 x 805 window, with the run's clock in the test's hand: the
// real timer still starts and stops (tests look at isTicking()) but its ticks reach nothing;
// only tick() advances the run.
class RunHarness : public Harness {
public:
    explicit RunHarness(std::uint64_t seed = 20261207)
        : Harness(seed)
    {
        QObject::disconnect(test.tmr1, &IntervalTimer::tick, nullptr, nullptr);
        show();
    }

    // One tick of tmr1; presented dots are appended to `presented`.
    char tick()
    {
        const int w = st.w;
        const int beeps = fakes.beeps;
        const bool dotShown = !test.shp2->isHidden();
        program.presentation().onTick();
        if (fakes.beeps != beeps)
            return kEnd;
        if (st.w != w) {
            presented.append({st.a, st.b});
            return st.w == w + 1 && !test.shp2->isHidden() ? kDot : '!';
        }
        return dotShown && test.shp2->isHidden() ? kHide : kQuiet;
    }

    QString ticks(int count)
    {
        QString trace;
        for (int i = 0; i < count; ++i)
            trace += QLatin1Char(tick());
        return trace;
    }

    // Ticks until the run ends (or a limit well beyond the longest run).
    QString tickToEnd()
    {
        QString trace;
        while (!trace.endsWith(QLatin1Char(kEnd)) && trace.size() < 1000)
            trace += QLatin1Char(tick());
        return trace;
    }

    // Ticks up to and including the presentation of dot number `count` of the run.
    void tickToDot(int count)
    {
        for (int i = 0; st.w < count && i < 1000; ++i)
            tick();
    }

    // A click on the window where the user answers a dot; it goes wherever the window sends it.
    void clickAt(QPoint pos = kSurface)
    {
        QTest::mouseClick(test.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
    }

    ResultGrid& grid(bool left) { return left ? leftGrid(st) : rightGrid(st); }

    QVector<QPoint> presented;
};

// A text printed on the test window.
struct Printed {
    QString text;
    QPointF at; // top-left corner, in field units
    double points;
    QColor colour;
};

inline QPointF markCorner(const FrmTest& test)
{
    return test.userRect(test.shp1).topLeft();
}

// The running count beside the mark: teal, 9 pt, a blank before the digits, placed by dot size.
inline Printed countText(const FrmTest& test, int count, int swtTen)
{
    const QPointF offsets[] = {{-0.03, 0.25}, {0.04, 0.45}, {0.13, 0.7}};
    return {QStringLiteral(" %1").arg(count), markCorner(test) + offsets[qBound(0, swtTen, 2)], 9,
            QColor(0, 128, 128)};
}

inline Printed pauseText(const FrmTest& test, int swtTen)
{
    const double down[] = {0.4, 0.6, 0.8};
    return {QStringLiteral("一時停止中です。"),
            markCorner(test) + QPointF(-0.5, down[qBound(0, swtTen, 2)]), 11, QColor(255, 255, 0)};
}

inline Printed endText(const FrmTest& test)
{
    return {QStringLiteral("おわり"), markCorner(test) + QPointF(-0.17, -0.27), 9,
            QColor(255, 255, 0)};
}

// The test window's picture as it is after a clear and exactly these texts: drawn afresh on a
// canvas of the same size, scale, font and background.
inline QImage expectedPicture(const FrmTest& test, std::initializer_list<Printed> texts)
{
    Canvas canvas;
    canvas.setFont(test.font());
    canvas.resize(test.size());
    canvas.setScaleWidth(test.scaleWidth());
    canvas.setScaleHeight(test.scaleHeight());
    canvas.setBackColor(test.backColor());
    for (const Printed& text : texts) {
        canvas.setFontSize(text.points);
        canvas.setForeColor(text.colour);
        canvas.moveTo(text.at.x(), text.at.y());
        canvas.print(text.text);
    }
    return canvas.picture();
}

// Number of pixels within `box` that show text of this colour on the background: the colour
// itself, or the background blended towards it, as the edges of antialiased text are.
inline int inkPixels(const QImage& picture, const QColor& ink, const QColor& background,
                     const QRect& box)
{
    const auto rgb = [](const QColor& c) { return QVector3D(c.red(), c.green(), c.blue()); };
    const QVector3D towards = rgb(ink) - rgb(background);
    int count = 0;
    const QRect inside = box & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QVector3D p = rgb(picture.pixelColor(x, y)) - rgb(background);
            const float alpha = QVector3D::dotProduct(p, towards) / towards.lengthSquared();
            count += alpha > 0.05f && (p - alpha * towards).length() < 3 ? 1 : 0;
        }
    }
    return count;
}
