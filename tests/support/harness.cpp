#include "support/harness.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "platform/twips.h"
#include "windows/mouseargs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QTest>

#include <cmath>
#include <random>
#include <utility>

QImage pictureWith(const Canvas& window, const QColor& background,
                   std::initializer_list<PrintedText> texts)
{
    const QImage& like = window.picture();
    QImage image(like.size(), like.format());
    image.setDotsPerMeterX(like.dotsPerMeterX());
    image.setDotsPerMeterY(like.dotsPerMeterY());
    image.fill(background);
    QPainter painter(&image);
    for (const PrintedText& t : texts) {
        QFont font = window.font();
        font.setPointSizeF(t.points);
        painter.setFont(font);
        painter.setPen(t.colour);
        const QPoint corner(qRound(window.toPixelsX(t.topLeft.x())),
                            qRound(window.toPixelsY(t.topLeft.y())));
        view::printAt(painter, corner, t.text);
    }
    return image;
}

namespace {

Services fakeServices(Fakes& fakes, std::uint64_t seed)
{
    Services services;
    services.random = UniformRandom(seed);
    services.today = [&fakes] { return fakes.today; };
    services.locale = QLocale(QLocale::Japanese, QLocale::Japan);
    services.copyImage = [&fakes](const QImage& image) {
        if (fakes.clipboardFails)
            return false;
        ++fakes.copies;
        fakes.clipboard = image;
        return true;
    };
    services.beep = [&fakes] { ++fakes.beeps; };
    services.quit = [&fakes] { ++fakes.quits; };
    return services;
}

const QString kShowsTip = QStringLiteral("クリックで説明を現します");
const QString kHidesTip = QStringLiteral("クリックで説明を消します");

} // namespace

const grids::Grid& grids::inForce(const TestState& state)
{
    return of(state.swtKae == 0);
}

bool HandClock::advance()
{
    if (m_length == 0)
        return false;
    m_elapsed = 0;
    emit ended();
    return true;
}

int HandClock::elapse(int milliseconds)
{
    int ended = 0;
    while (m_length != 0 && m_elapsed + milliseconds >= m_length) {
        milliseconds -= m_length - m_elapsed;
        advance();
        ++ended;
    }
    if (m_length != 0)
        m_elapsed += milliseconds;
    return ended;
}

QString runTrace(int dots, const QString& lead)
{
    return lead + QLatin1Char(kDot) + QStringLiteral("h.D").repeated(dots - 1)
           + QStringLiteral("h.E");
}

QString twipsMismatch(const QRect& pixels, const QRect& twips)
{
    const double perTwip = 1.0 / twips::kPerPixel;
    const int got[] = {pixels.x(), pixels.y(), pixels.width(), pixels.height()};
    const int want[] = {twips.x(), twips.y(), twips.width(), twips.height()};
    const char* names[] = {"left", "top", "width", "height"};
    for (int i = 0; i < 4; ++i) {
        if (std::abs(got[i] - want[i] * perTwip) > 0.5 + 1e-9)
            return QStringLiteral("%1 is %2 pixels, not %3 twips")
                .arg(names[i])
                .arg(got[i])
                .arg(want[i]);
    }
    return QString();
}

Harness::Harness(std::uint64_t seed)
    : program(fakeServices(fakes, seed))
    , st(program.state())
    , test(program.testWindow())
{
    test.tmr1->setClock(&clock);
}

Harness::Harness(QSize client, std::uint64_t seed)
    : Harness(seed)
{
    show(client.width(), client.height());
}

void Harness::show(int width, int height)
{
    test.setWindowState(Qt::WindowNoState);
    test.show();
    test.resize(width, height);
    QApplication::processEvents();
}

char Harness::tick()
{
    const int w = st.w;
    const int beeps = fakes.beeps;
    const bool dotShown = !test.shp2->isHidden();
    if (!clock.advance())
        return kQuiet;
    if (fakes.beeps != beeps)
        return kEnd;
    if (st.w != w) {
        presented.append({st.a, st.b});
        return st.w == w + 1 && !test.shp2->isHidden() ? kDot : '!';
    }
    return dotShown && test.shp2->isHidden() ? kHide : kQuiet;
}

QString Harness::ticks(int count)
{
    QString trace;
    for (int i = 0; i < count; ++i)
        trace += QLatin1Char(tick());
    return trace;
}

QString Harness::tickToEnd()
{
    QString trace;
    while (!trace.endsWith(QLatin1Char(kEnd)) && trace.size() < 1000)
        trace += QLatin1Char(tick());
    return trace;
}

void Harness::tickToDot(int count)
{
    for (int i = 0; st.w < count && i < 1000; ++i)
        tick();
}

bool Harness::tickToNextDot()
{
    const int w = st.w;
    for (int i = 0; i < 10 && st.w == w && st.eyeRunning(); ++i)
        tick();
    return st.w == w + 1;
}

bool Harness::finishRun()
{
    for (int i = 0; i < 2000 && st.eyeRunning(); ++i)
        tick();
    return !st.eyeRunning();
}

bool Harness::completeLeftRun(int seenEvery)
{
    test.cmdLft->click();
    for (int dot = 1; tickToNextDot(); ++dot) {
        if (dot % seenEvery == 0)
            clickAt();
    }
    return finishRun();
}

QString Harness::answerRun(const std::function<bool(const QPoint&)>& sees, int upTo)
{
    QString trace;
    while (!trace.endsWith(QLatin1Char(kEnd)) && st.w < upTo && trace.size() < 1000) {
        const char shown = tick();
        trace += QLatin1Char(shown);
        if (shown == kDot && sees(presented.last()))
            clickAt();
    }
    return trace;
}

void Harness::clickAt(QPoint pos)
{
    QTest::mouseClick(test.windowHandle(), Qt::LeftButton, Qt::NoModifier, pos);
}

void Harness::press(double x, double y, bool shift)
{
    program.fixationDrag().onMouseDown({Qt::LeftButton, shift, x, y});
}

void Harness::move(double x, double y, Qt::MouseButton button)
{
    program.fixationDrag().onMouseMove({button, false, x, y});
}

void Harness::release(double x, double y, bool shift)
{
    program.fixationDrag().onMouseUp({Qt::LeftButton, shift, x, y});
}

void Harness::shiftClick(double x, double y)
{
    press(x, y);
    release(x, y);
}

void Harness::pressRdm(bool shift, Qt::MouseButton button)
{
    QTest::mouseClick(test.cmdRdm, button, shift ? Qt::ShiftModifier : Qt::NoModifier);
}

QString Harness::perform(const QString& steps)
{
    const QHash<QChar, QPushButton*> buttons{{u'L', test.cmdLft},  {u'R', test.cmdRgt},
                                             {u'S', test.cmdStp},  {u'T', test.cmdTen},
                                             {u'B', test.cmdHaik}, {u'K', test.cmdKae}};
    // The explanation button's presses: with Shift or not, and the mouse button.
    const QHash<QChar, std::pair<bool, Qt::MouseButton>> presses{{u'p', {false, Qt::LeftButton}},
                                                                 {u's', {true, Qt::LeftButton}},
                                                                 {u'q', {false, Qt::RightButton}},
                                                                 {u'm', {true, Qt::MiddleButton}}};
    for (const QChar step : steps) {
        if (buttons.contains(step)) {
            buttons[step]->click();
        } else if (presses.contains(step)) {
            pressRdm(presses[step].first, presses[step].second);
        } else if (step == u'D' || step == u'E') {
            if (!(step == u'D' ? tickToNextDot() : finishRun()))
                return QStringLiteral("step %1 of \"%2\" failed").arg(step).arg(steps);
        } else if (step == u'.') {
            tick();
        } else if (step == u'F') {
            shiftClick(4, 3);
        } else if (step == u'Z') {
            m_smaller = !m_smaller;
            resizeClient(m_smaller ? 900 : 1000, m_smaller ? 700 : 805);
        } else {
            return QStringLiteral("unknown step %1").arg(step);
        }
    }
    return QString();
}

void Harness::resizeClient(int width, int height)
{
    test.resize(width, height);
    QCoreApplication::processEvents();
}

void Harness::resizeInPlace()
{
    QResizeEvent event(test.size(), test.size());
    QCoreApplication::sendEvent(&test, &event);
}

QRectF Harness::mark() const
{
    return test.userRect(test.shp1);
}

double Harness::halfPixelX() const
{
    return 0.5 / test.toPixelsX(1) + 1e-9;
}

double Harness::halfPixelY() const
{
    return 0.5 / test.toPixelsY(1) + 1e-9;
}

QString Harness::unitsOff(const QPointF& actual, const QPointF& expected, double pixels) const
{
    const double dx = pixels / test.toPixelsX(1) + 1e-9;
    const double dy = pixels / test.toPixelsY(1) + 1e-9;
    if (std::abs(actual.x() - expected.x()) <= dx && std::abs(actual.y() - expected.y()) <= dy)
        return QString();
    return QStringLiteral("(%1, %2), expected (%3, %4) to within %5 pixels")
        .arg(actual.x(), 0, 'g', 8)
        .arg(actual.y(), 0, 'g', 8)
        .arg(expected.x(), 0, 'g', 8)
        .arg(expected.y(), 0, 'g', 8)
        .arg(pixels);
}

QString Harness::unitsOff(const QSizeF& actual, const QSizeF& expected, double pixels) const
{
    return unitsOff(QPointF(actual.width(), actual.height()),
                    QPointF(expected.width(), expected.height()), pixels);
}

QPointF Harness::pixelsOf(const QPointF& units) const
{
    return {test.toPixelsX(units.x()), test.toPixelsY(units.y())};
}

QPoint Harness::pixelAt(double x, double y) const
{
    return {qRound(test.toPixelsX(x)), qRound(test.toPixelsY(y))};
}

QImage Harness::pictureOf(std::initializer_list<PrintedText> texts) const
{
    return pictureWith(test, test.backColor(), texts);
}

QImage Harness::instructionPicture(double drop) const
{
    return pictureOf({{kInstruction, markCorner() + QPointF(0, drop)}});
}

PrintedText Harness::countText(int count, int swtTen) const
{
    // Teal, 9 pt, a blank before the digits, placed by dot size.
    const QPointF offsets[] = {{-0.03, 0.25}, {0.04, 0.45}, {0.13, 0.7}};
    return {QStringLiteral(" %1").arg(count), markCorner() + offsets[qBound(0, swtTen, 2)], 9,
            kTeal};
}

PrintedText Harness::pauseText(int swtTen) const
{
    const double down[] = {0.4, 0.6, 0.8};
    return {kPauseMessage, markCorner() + QPointF(-0.5, down[qBound(0, swtTen, 2)]), 11, kYellow};
}

PrintedText Harness::endText() const
{
    return {kEndMessage, markCorner() + QPointF(-0.17, -0.27), 9, kYellow};
}

QString Harness::panel() const
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
    const bool dots = test.picture().pixelColor(pixelAt(1, 1)) == kYellow;
    return QStringLiteral("%1 %2 %3 %4 %5")
        .arg(labels)
        .arg(st.swtRdm ? 1 : 0)
        .arg(tipCode)
        .arg(st.swtTst ? 1 : 0)
        .arg(dots ? QStringLiteral("dots") : QStringLiteral("-"));
}

Observer::Observer(const QRect& blindSpot, const grids::Grid& grid, std::uint32_t seed)
    : m_blindSpot(blindSpot)
{
    std::mt19937 generator(seed);
    for (int i = 0; i < 6; ++i)
        m_misses.append(QPoint(int(generator() % grid.columns), int(generator() % grid.rows)));
}

bool Observer::sees(const QPoint& point) const
{
    return !m_blindSpot.contains(point) && !m_misses.contains(point);
}
