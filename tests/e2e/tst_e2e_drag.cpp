// The real program on a real X server: a Shift drag of the fixation mark with the real mouse
// and keyboard, then the switch to the coarse grid.
#include "support/desktop.h"
#include "support/pixels.h"
#include "support/programview.h"

#include <QtTest>

namespace {

// The release point, in fine units: low on the left, clear of the explanation labels (in
// the middle of the screen) and of the button frame (bottom centre). The drag goes there
// along two straight legs, left from the mark and then down, which keep clear of the labels
// too.
const QPointF kTarget(4, 13.6);
constexpr int kSteps = 8; // moves per leg
constexpr int kMarkTolerance = 2; // pixels

// Releases what the drag holds down, should the test stop in the middle of it.
class HeldInput {
public:
    ~HeldInput() { release(); }
    void hold() { m_held = true; }
    void letGo() { m_held = false; }
    void release()
    {
        if (!m_held)
            return;
        e2e::xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
        e2e::xdotool({QStringLiteral("keyup"), QStringLiteral("shift")});
        m_held = false;
    }

private:
    bool m_held = false;
};

} // namespace

class TstE2eDrag : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void shiftDragMovesTheMarkAndDrawsTheCross();
    void kaeSwitchesToTheCoarseGrid();

private:
    QPoint screenPoint(QPoint client) const { return m_client.topLeft() + client; }
    QPoint fieldPixel(const grids::Grid& mode, QPointF units) const
    {
        return view::toPixels(m_client.size(), mode.field.scale, units);
    }
    QPointF defaultMarkCentre(const grids::Grid& mode) const;
    bool moveTo(QPoint client);
    QString describe(QPointF point) const;

    e2e::ProgramUnderTest m_program;
    e2e::WindowId m_window = 0;
    QRect m_client;
    QImage m_image;
    QList<QRect> m_buttons;
    QPoint m_release;
};

void TstE2eDrag::initTestCase()
{
    QVERIFY2(m_program.start(), qPrintable(m_program.errorString()));
    m_window = e2e::waitForWindow(grids::kFine.testTitle);
    QVERIFY2(m_window != 0, "no single visible window with the program's title");
    QVERIFY2(e2e::waitUntilLaidOut(m_window, &m_image, &m_buttons),
             "the test window did not show its row of buttons maximised");
    m_client = e2e::clientGeometry(m_window);
    QCOMPARE(m_client.size(), m_image.size());
}

void TstE2eDrag::cleanup()
{
    if (QTest::currentTestFailed()) {
        const QString name = QString::fromLatin1(QTest::currentTestFunction());
        e2e::saveArtifact(m_image, QStringLiteral("tst_e2e_drag-%1.png").arg(name));
    }
}

QPointF TstE2eDrag::defaultMarkCentre(const grids::Grid& mode) const
{
    return {m_client.width() / 2.0,
            m_client.height() / 2.0
                + mode.field.markDrop * m_client.height() / mode.field.scale.height()};
}

QString TstE2eDrag::describe(QPointF point) const
{
    return QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
}

bool TstE2eDrag::moveTo(QPoint client)
{
    const QPoint at = screenPoint(client);
    return e2e::xdotool(
        {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
}

void TstE2eDrag::shiftDragMovesTheMarkAndDrawsTheCross()
{
    // Where the mark starts after the maximise is tst_startup's; the drag starts there.
    const QPoint from = defaultMarkCentre(grids::kFine).toPoint();
    m_release = fieldPixel(grids::kFine, kTarget);
    const QPoint corner(m_release.x(), from.y());

    // Nothing but the background where the drag ends: no text of the explanation within 40
    // pixels of its row, no other drawing near the point.
    const QRect band(0, m_release.y() - 40, m_image.width(), 81);
    QVERIFY2(shareOf(m_image, band, kYellow) == 0.0,
             "the explanation reaches down to the release point");
    QVERIFY(shareOf(m_image, QRect(m_release - QPoint(25, 25), QSize(51, 51)), kFieldBackground)
            == 1.0);

    HeldInput held;
    QVERIFY(e2e::moveMouse(m_window, from));
    held.hold();
    QVERIFY(e2e::xdotool({QStringLiteral("keydown"), QStringLiteral("shift")}));
    QVERIFY(e2e::xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    for (int step = 1; step <= kSteps; ++step)
        QVERIFY(moveTo(from + (corner - from) * step / kSteps));

    // Halfway the mark already follows the pointer.
    QPointF centre;
    const bool followed = e2e::waitUntil(
        [&] {
            m_image = e2e::clientImage(m_window);
            centre = view::markCentre(m_image, corner, kYellow);
            return centre.x() >= 0 && (centre - corner).manhattanLength() <= 2 * kMarkTolerance;
        },
        e2e::kSettleTimeoutMs);
    QVERIFY2(followed, qPrintable(QStringLiteral("mark at %1 while the pointer is at %2")
                                      .arg(describe(centre), describe(corner))));

    for (int step = 1; step <= kSteps; ++step)
        QVERIFY(moveTo(corner + (m_release - corner) * step / kSteps));
    QVERIFY(e2e::xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    QVERIFY(e2e::xdotool({QStringLiteral("keyup"), QStringLiteral("shift")}));
    held.letGo();

    // The release draws the cross; the horizontal line lies along the release point's row,
    // from the first to the last column of test points.
    const QPoint left = fieldPixel(grids::kFine, {1, kTarget.y()});
    const QPoint right = fieldPixel(grids::kFine, {double(grids::kFine.columns), kTarget.y()});
    const bool drawn = e2e::waitUntil(
        [&] {
            m_image = e2e::clientImage(m_window);
            const QRect row(QPoint(left.x(), m_release.y()), QPoint(right.x(), m_release.y()));
            return shareOf(m_image, row, kBlue) > 0.9;
        },
        e2e::kSettleTimeoutMs);
    QVERIFY2(drawn,
             qPrintable(
                 QStringLiteral("no blue line along row %1 after the release").arg(m_release.y())));

    // The mark is centred on the release point.
    centre = view::markCentre(m_image, m_release, kYellow);
    QVERIFY2(centre.x() >= 0, "no yellow mark at the release point");
    QVERIFY2(qAbs(centre.x() - m_release.x()) <= kMarkTolerance
                 && qAbs(centre.y() - m_release.y()) <= kMarkTolerance,
             qPrintable(QStringLiteral("mark centred at %1, released at %2")
                            .arg(describe(centre), describe(m_release))));
    // and no longer in the middle. Where the cross's lines begin and end is checked in
    // tst_fixationdrag.
    QVERIFY2(patchNear(m_image, from, kYellow, 8).isEmpty(), "yellow is left where the mark was");
}

void TstE2eDrag::kaeSwitchesToTheCoarseGrid()
{
    m_buttons = view::findTestButtons(e2e::clientImage(m_window));
    QCOMPARE(m_buttons.size(), int(view::Button::Count));
    QVERIFY(e2e::click(m_window, m_buttons[int(view::Button::Kae)].center()));
    const e2e::WindowId coarse = e2e::waitForWindow(grids::kCoarse.testTitle);
    QVERIFY2(coarse == m_window,
             qPrintable(QStringLiteral("window titled 視野検査(11×13): %1, the test window: %2")
                            .arg(coarse)
                            .arg(m_window)));
    QVERIFY(e2e::findWindows(grids::kFine.testTitle).isEmpty());
    // The field laid out afresh, mark centred and cross gone, is tst_gridswitch's.
}

QTEST_MAIN(TstE2eDrag)

#include "tst_e2e_drag.moc"
