// The real program on a real X server, used the way a patient uses it: a whole run of the
// left eye in the coarse grid, watched on the screen and answered with real clicks after a
// human reaction time, except where a scripted scotoma hides the dot. The result sheet, copied
// to the clipboard, must show exactly that field. The end of the run is heard, too, in the
// recording of the sound server that the test runs with (support/with-sound-server.sh).
#include "support/desktop.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QElapsedTimer>
#include <QThread>
#include <QtTest>

#include <random>

namespace {

const grids::Grid& kMode = grids::kCoarse;

// The points (column, row) the patient does not see: a blind spot of 2 by 3 points left of
// and just below the fixation point (the left eye's temporal field), and a few scattered
// points.
// clang-format off
const QList<QPoint> kScotoma = {
    {2, 5}, {3, 5}, {2, 6}, {3, 6}, {2, 7}, {3, 7}, // blind spot
    {9, 1}, {11, 8}, {0, 10}, {6, 9}, {12, 0},
};
// clang-format on

// Reaction time from seeing the dot to the click, drawn uniformly from this range with a
// fixed seed (SHIYA_PATIENT_SEED overrides it).
constexpr int kReactionFromMs = 200;
constexpr int kReactionToMs = 600;
constexpr unsigned kDefaultSeed = 20240611;

// The screen is looked at this often (plus the time a look takes); a dot is up for 300 ms.
constexpr int kLookEveryMs = 20;
// The patient answers where nothing else is: near the top-left corner of the window.
const QPoint kClickSpot(12, 12);
// The white box's corner may lie this far from its test point (anti-aliased rim, rounding).
constexpr int kCornerTolerance = 3;

// Limits: the first dot comes 1.2 s after the start, a new one every 0.9 s; 143 take 130 s.
constexpr qint64 kFirstDotTimeoutMs = 15000;
constexpr qint64 kStallTimeoutMs = 10000;
constexpr qint64 kRunTimeoutMs = 300000;

struct Presentation {
    QPoint point; // column, row
    qint64 seenAt = -1; // ms since the start click: the first look that showed the dot
    qint64 lastSeenAt = -1;
    int looks = 0; // looks that showed it
    qint64 clickDueAt = -1; // -1: not to be answered
    qint64 clickedAt = -1;
};

QString seconds(qint64 ms)
{
    return QString::number(ms / 1000.0, 'f', 2) + QStringLiteral(" s");
}

QString pointText(QPoint point)
{
    return QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y());
}

} // namespace

class TstE2ePatient : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void runOfTheLeftEye();
    void beepHeardWhenTheMarkTurnsRed();
    void sheetShowsWhatThePatientSaw();

private:
    bool hidden(QPoint point) const { return kScotoma.contains(point); }
    // The white dot on a look at the test window, if there is one: the test point its box's
    // bottom-right corner stands on. False with *problem set if it stands on none.
    bool findDot(const QImage& look, QPoint* point, QString* problem) const;
    bool markIsRed(const QImage& look) const;
    QString history(qint64 from, qint64 to) const;
    void failRun(const QString& message, const QImage& look);

    // Samples recorded so far by the sound server that the test runs with.
    qint64 recorded() const { return QFileInfo(m_recording).size() / 2; }

    const QString m_recording = qEnvironmentVariable("SHIYA_SOUND_RECORDING");
    qint64 m_recordedAtRed = -1; // samples
    e2e::ProgramUnderTest m_program;
    e2e::WindowId m_window = 0;
    QRect m_client; // screen coordinates
    QPoint m_markCentre; // client coordinates
    QList<Presentation> m_presentations;
    bool m_runComplete = false;
    qint64 m_runTimeMs = 0;
};

void TstE2ePatient::initTestCase()
{
    QVERIFY2(m_program.start(), qPrintable(m_program.errorString()));
    m_window = e2e::waitForWindow(grids::kFine.testTitle);
    QVERIFY2(m_window != 0, "no single visible window with the program's title");
    QImage image;
    QList<QRect> buttons;
    QVERIFY2(e2e::waitUntilLaidOut(m_window, &image, &buttons),
             "the test window did not show its row of buttons maximised");

    QVERIFY(e2e::click(m_window, buttons[int(view::Button::Kae)].center()));
    QVERIFY2(e2e::waitForWindow(kMode.testTitle) == m_window,
             "the test window is not titled 視野検査(11×13) after a click on 細");
    m_client = e2e::clientGeometry(m_window);
    const QSize size = m_client.size();
    const QPointF expected(size.width() / 2.0,
                           size.height() / 2.0
                               + kMode.field.markDrop * size.height() / kMode.field.scale.height());
    QPointF centre;
    QVERIFY2(e2e::waitUntil(
                 [&] {
                     image = e2e::clientImage(m_window);
                     centre = view::markCentre(image, expected.toPoint(), kYellow);
                     return centre.x() >= 0 && (centre - expected).manhattanLength() <= 5;
                 },
                 e2e::kSettleTimeoutMs),
             "the yellow mark is not in the middle of the coarse field");
    m_markCentre = centre.toPoint();
}

bool TstE2ePatient::findDot(const QImage& look, QPoint* point, QString* problem) const
{
    problem->clear();
    QRect white;
    int count = 0;
    const QPoint nearest = view::dotPoint(look, kMode, 1, &white, &count);
    if (white.isEmpty())
        return false;
    const QPoint corner = white.bottomRight() + QPoint(2, 2); // of the dot's box, exclusive
    *point = nearest;
    const QPoint exact = view::toPixels(look.size(), kMode.field.scale, nearest + QPointF(1, 1));
    const QString found = QStringLiteral("white patch %1 (%2 pixels), box corner at %3,%4")
                              .arg(describe(white))
                              .arg(count)
                              .arg(corner.x())
                              .arg(corner.y());
    if (white.width() > 16 || white.height() > 16 || qAbs(white.width() - white.height()) > 2) {
        *problem = found + QStringLiteral(": not a small round dot");
    } else if (nearest.x() < 0 || nearest.x() >= kMode.columns || nearest.y() < 0
               || nearest.y() >= kMode.rows) {
        *problem = found + QStringLiteral(": outside the grid of test points");
    } else if (qAbs(corner.x() - exact.x()) > kCornerTolerance
               || qAbs(corner.y() - exact.y()) > kCornerTolerance) {
        *problem
            = found
              + QStringLiteral(": the box's bottom-right corner is not on test point %1 at %2,%3")
                    .arg(pointText(nearest))
                    .arg(exact.x())
                    .arg(exact.y());
    }
    return true;
}

bool TstE2ePatient::markIsRed(const QImage& look) const
{
    return shareOf(look, QRect(m_markCentre - QPoint(2, 2), QSize(5, 5)), kRed) == 1.0;
}

QString TstE2ePatient::history(qint64 from, qint64 to) const
{
    QString text;
    for (const Presentation& p : m_presentations) {
        if (p.seenAt < from || p.seenAt > to)
            continue;
        text += QStringLiteral("\n  %1 seen %2 to %3 (%4 looks)")
                    .arg(pointText(p.point), seconds(p.seenAt), seconds(p.lastSeenAt))
                    .arg(p.looks);
        if (p.clickDueAt >= 0)
            text += QStringLiteral(", click due %1, sent %2")
                        .arg(seconds(p.clickDueAt),
                             p.clickedAt >= 0 ? seconds(p.clickedAt) : QStringLiteral("never"));
        else
            text += QStringLiteral(", in the scotoma");
    }
    return text;
}

void TstE2ePatient::failRun(const QString& message, const QImage& look)
{
    if (!look.isNull())
        e2e::saveArtifact(look, QStringLiteral("tst_e2e_patient-run.png"));
    e2e::saveArtifact(e2e::screenshot(), QStringLiteral("tst_e2e_patient-screen.png"));
    QFAIL(qPrintable(message));
}

void TstE2ePatient::runOfTheLeftEye()
{
    const unsigned seed = qEnvironmentVariableIsSet("SHIYA_PATIENT_SEED")
                              ? qEnvironmentVariable("SHIYA_PATIENT_SEED").toUInt()
                              : kDefaultSeed;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> reaction(kReactionFromMs, kReactionToMs);

    const QList<QRect> buttons = view::findTestButtons(e2e::clientImage(m_window));
    QCOMPARE(buttons.size(), int(view::Button::Count));
    QVERIFY(e2e::click(m_window, buttons[int(view::Button::Left)].center()));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(e2e::moveMouse(m_window, kClickSpot));

    const qint64 total = qint64(kMode.columns) * kMode.rows;
    int pending = -1; // the presentation whose click is due
    bool dotVisible = false;
    qint64 endedAt = -1;
    qint64 lookTime = 0;
    qint64 slowestLook = 0;
    int looks = 0;
    QImage look;
    while (endedAt < 0) {
        const qint64 lookStart = clock.elapsed();
        if (pending >= 0 && lookStart >= m_presentations[pending].clickDueAt) {
            if (!e2e::xdotool({QStringLiteral("click"), QStringLiteral("1")}))
                return failRun(QStringLiteral("xdotool could not click"), look);
            m_presentations[pending].clickedAt = clock.elapsed();
            pending = -1;
        }

        look = e2e::screenshot(m_client);
        const qint64 now = clock.elapsed();
        ++looks;
        lookTime += now - lookStart;
        slowestLook = qMax(slowestLook, now - lookStart);
        if (look.isNull())
            return failRun(QStringLiteral("no screenshot of the test window"), look);

        QPoint point;
        QString problem;
        const bool dot = findDot(look, &point, &problem);
        if (!problem.isEmpty())
            return failRun(QStringLiteral("at %1: %2").arg(seconds(now), problem), look);
        if (dot) {
            Presentation* current = m_presentations.isEmpty() ? nullptr : &m_presentations.back();
            if (current && current->point == point) {
                if (!dotVisible)
                    return failRun(
                        QStringLiteral("at %1: the dot at %2 came back; last seen %3")
                            .arg(seconds(now), pointText(point), seconds(current->lastSeenAt)),
                        look);
                current->lastSeenAt = now;
                ++current->looks;
            } else {
                for (const Presentation& p : m_presentations) {
                    if (p.point == point)
                        return failRun(QStringLiteral("at %1: point %2 shown again, first at %3")
                                           .arg(seconds(now), pointText(point), seconds(p.seenAt)),
                                       look);
                }
                if (pending >= 0)
                    return failRun(
                        QStringLiteral("at %1: the dot at %2 appeared before the click for the "
                                       "dot at %3 (due %4) was sent; the look came too late")
                            .arg(seconds(now), pointText(point),
                                 pointText(m_presentations[pending].point),
                                 seconds(m_presentations[pending].clickDueAt)),
                        look);
                Presentation p;
                p.point = point;
                p.seenAt = p.lastSeenAt = now;
                p.looks = 1;
                if (!hidden(point)) {
                    p.clickDueAt = now + reaction(random);
                    pending = int(m_presentations.size());
                }
                m_presentations.append(p);
            }
        }
        dotVisible = dot;

        if (markIsRed(look)) {
            m_recordedAtRed = recorded();
            endedAt = now;
            break;
        }
        const qint64 lastDot = m_presentations.isEmpty() ? 0 : m_presentations.back().seenAt;
        if (m_presentations.isEmpty() && now > kFirstDotTimeoutMs)
            return failRun(
                QStringLiteral("no dot within %1 of the click on 左眼").arg(seconds(now)), look);
        if (now - lastDot > kStallTimeoutMs || now > kRunTimeoutMs)
            return failRun(QStringLiteral("at %1: the run did not end; %2 dots seen, the last at "
                                          "%3, and the mark is not red")
                               .arg(seconds(now))
                               .arg(m_presentations.size())
                               .arg(seconds(lastDot)),
                           look);
        const qint64 rest = kLookEveryMs - (clock.elapsed() - lookStart);
        if (rest > 0)
            QThread::msleep(ulong(rest));
    }
    m_runTimeMs = endedAt;
    qInfo("run of the left eye: %lld dots in %s; %d looks at the field, %.1f ms on average, "
          "%lld ms at most; reaction times seeded with %u",
          qint64(m_presentations.size()), qPrintable(seconds(endedAt)), looks,
          double(lookTime) / qMax(1, looks), slowestLook, seed);

    if (pending >= 0)
        return failRun(QStringLiteral("the run ended at %1 before the click for the dot at %2 "
                                      "(due %3) was sent")
                           .arg(seconds(endedAt), pointText(m_presentations[pending].point),
                                seconds(m_presentations[pending].clickDueAt)),
                       look);

    // Every point once: a point never seen was missed, and when shows from the gap in the
    // dots around it.
    if (m_presentations.size() != total) {
        QString missing;
        for (int a = 0; a < kMode.columns; ++a) {
            for (int b = 0; b < kMode.rows; ++b) {
                const bool seen
                    = std::any_of(m_presentations.cbegin(), m_presentations.cend(),
                                  [&](const Presentation& p) { return p.point == QPoint(a, b); });
                if (!seen)
                    missing += QLatin1Char(' ') + pointText({a, b});
            }
        }
        QString gaps;
        for (int i = 1; i < m_presentations.size(); ++i) {
            const qint64 gap = m_presentations[i].seenAt - m_presentations[i - 1].seenAt;
            if (gap > 1400)
                gaps += QStringLiteral("\n  no new dot from %1 to %2")
                            .arg(seconds(m_presentations[i - 1].seenAt),
                                 seconds(m_presentations[i].seenAt));
        }
        if (!m_presentations.isEmpty() && endedAt - m_presentations.back().seenAt > 1400)
            gaps += QStringLiteral("\n  no new dot from %1 to the end at %2")
                        .arg(seconds(m_presentations.back().seenAt), seconds(endedAt));
        if (!m_presentations.isEmpty() && m_presentations.front().seenAt > 2000)
            gaps += QStringLiteral("\n  no dot until %1")
                        .arg(seconds(m_presentations.front().seenAt));
        return failRun(QStringLiteral("%1 of %2 dots seen before the mark turned red at %3; never "
                                      "seen:%4%5")
                           .arg(m_presentations.size())
                           .arg(total)
                           .arg(seconds(endedAt), missing, gaps),
                       look);
    }
    m_runComplete = true;
}

void TstE2ePatient::beepHeardWhenTheMarkTurnsRed()
{
    if (m_recordedAtRed < 0)
        QSKIP("the run did not end");
    constexpr int kRate = 22050; // mono 16-bit samples a second, as recorded
    QVERIFY2(
        e2e::waitUntil([&] { return recorded() > m_recordedAtRed + kRate; }, e2e::kSettleTimeoutMs),
        "no recording: is the test run through support/with-sound-server.sh?");
    QFile file(m_recording);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const auto* samples = reinterpret_cast<const qint16*>(bytes.constData());
    // Only the program plays, into a null output: every sample that is not zero is sound.
    qint64 first = 0, last = bytes.size() / 2 - 1;
    while (first <= last && samples[first] == 0)
        ++first;
    while (last > first && samples[last] == 0)
        --last;
    QVERIFY2(first <= last, "the recording is silent: no beep was heard");
    const double length = double(last - first + 1) / kRate;
    const double sinceRed = double(first - m_recordedAtRed) / kRate;
    qInfo("sound recorded from %.3f s to %.3f s after the look that saw the mark red: %.3f s",
          sinceRed, sinceRed + length, length);
    // The mark turns red and the beep starts in one tick; the look sees red a little later.
    QVERIFY2(sinceRed > -0.2 && sinceRed < 0.5, "the first sound is not the end of the run");
    QVERIFY2(length < 0.5, "not one short sound: sound over more than half a second");
}

void TstE2ePatient::sheetShowsWhatThePatientSaw()
{
    if (!m_runComplete)
        QSKIP("the run did not complete");

    const QList<QRect> buttons = view::findTestButtons(e2e::clientImage(m_window));
    QCOMPARE(buttons.size(), int(view::Button::Count));
    QVERIFY(e2e::click(m_window, buttons[int(view::Button::Keka)].center()));
    const e2e::WindowId sheet = e2e::waitForWindow(kMode.sheetTitle);
    QVERIFY2(sheet != 0, "no single window titled 別表[結果](11×13) after a click on 結果");

    QList<QRect> sheetButtons;
    QVERIFY2(e2e::waitUntil(
                 [&] {
                     const QImage screen = e2e::clientImage(sheet);
                     sheetButtons = view::findSheetButtons(screen);
                     return sheetButtons.size() == 2;
                 },
                 e2e::kSettleTimeoutMs),
             "the result window does not show its two buttons");
    QVERIFY(e2e::click(sheet, sheetButtons.back().center()));

    QImage image;
    QVERIFY2(e2e::waitUntil([&] { return !(image = e2e::clipboardPng()).isNull(); },
                            e2e::kSettleTimeoutMs),
             "the clipboard offers no PNG after a click on コピー");
    QCOMPARE(image.size(), e2e::clientGeometry(sheet).size());

    // The fixation lines of the left map cross at (8, 7) and run through some marks; the
    // right map's vertical line at 23.5.
    const QSize size = image.size();
    const QPoint cross
        = view::toPixels(size, kMode.sheet.scale, kMode.field.fixation + QPointF(1, 1));
    const QPoint rightCross = view::toPixels(
        size, kMode.sheet.scale, {kMode.field.fixation.x() + kMode.sheet.rightMapShift, 0});
    QVERIFY(sameColour(image.pixel(cross), kInk));
    const QList<int> rows{cross.y()};
    const QList<int> columns{cross.x(), rightCross.x()};

    int agree = 0;
    QString disagreements;
    for (const Presentation& p : m_presentations) {
        QString picture;
        const QPoint origin = view::markOrigin(size, kMode, false, p.point.x(), p.point.y());
        const view::Mark mark = view::readMark(image, origin, rows, columns, &picture);
        const view::Mark expected = hidden(p.point) ? view::Mark::NotSeen : view::Mark::Seen;
        if (mark == expected) {
            ++agree;
            continue;
        }
        disagreements
            += QStringLiteral("\n%1: %2 on the sheet, expected %3; %4\n%5")
                   .arg(pointText(p.point), view::describe(mark), view::describe(expected),
                        history(p.seenAt - 1000, p.seenAt + 1000).trimmed(), picture);
    }
    int rightUntested = 0;
    for (int a = 0; a < kMode.columns; ++a) {
        for (int b = 0; b < kMode.rows; ++b) {
            const QPoint origin = view::markOrigin(size, kMode, true, a, b);
            if (view::readMark(image, origin, rows, columns) == view::Mark::Untested)
                ++rightUntested;
        }
    }
    const int total = kMode.columns * kMode.rows;
    qInfo("the left map agrees with the patient's field at %d of %d points; the right map "
          "shows %d of %d points untested",
          agree, total, rightUntested, total);
    if (agree != total || rightUntested != total)
        e2e::saveArtifact(image, QStringLiteral("tst_e2e_patient-sheet.png"));
    QVERIFY2(agree == total,
             qPrintable(QStringLiteral("the sheet disagrees at %1 points:").arg(total - agree)
                        + disagreements));
    QCOMPARE(rightUntested, total);
}

QTEST_MAIN(TstE2ePatient)

#include "tst_e2e_patient.moc"
