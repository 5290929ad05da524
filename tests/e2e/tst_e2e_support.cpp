// Checks the end-to-end helpers against a window of the test process itself, whose
// geometry, pixels and input Qt reports first-hand.
#include "support/desktop.h"
#include "support/pixels.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>
#include <QtTest>

namespace {

constexpr QRgb kFace = qRgb(10, 120, 200);
constexpr QRgb kMarker = qRgb(250, 20, 20);
const QRect kMarkerRect(30, 40, 6, 6);

// Title with characters that are special in a regular expression and outside ASCII.
const QString kTitle = QStringLiteral("探針(15×19) [e2e]*");

class ProbeWindow : public QWidget {
public:
    QPoint pressedAt{-1, -1};
    Qt::MouseButton pressedButton = Qt::NoButton;
    int closes = 0;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(kFace));
        painter.fillRect(kMarkerRect, QColor(kMarker));
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        pressedAt = event->position().toPoint();
        pressedButton = event->button();
    }
    void closeEvent(QCloseEvent* event) override
    {
        ++closes;
        QWidget::closeEvent(event);
    }
};

} // namespace

class TstE2eSupport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void findsTheWindowByItsExactTitle();
    void readsTheClientGeometry();
    void screenshotShowsTheClientArea();
    void clickArrivesAtTheClientPoint();
    void maximisedWindowFillsTheWorkArea();
    void closeWindowGoesThroughTheCloseBox();
    void pixelRunsAndPatches();

private:
    ProbeWindow* m_probe = nullptr;
    ProbeWindow* m_decoy = nullptr;
    e2e::WindowId m_window = 0;
};

void TstE2eSupport::init()
{
    cleanup(); // after a failed init(), QtTest skips cleanup()
    m_probe = new ProbeWindow;
    m_probe->setWindowTitle(kTitle);
    m_probe->setGeometry(200, 150, 320, 240);
    m_probe->show();
    // A window whose title only begins with the probe's.
    m_decoy = new ProbeWindow;
    m_decoy->setWindowTitle(kTitle + QStringLiteral(" 2"));
    m_decoy->setGeometry(600, 150, 200, 100);
    m_decoy->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_probe, e2e::kStartTimeoutMs));
    QVERIFY(QTest::qWaitForWindowExposed(m_decoy, e2e::kStartTimeoutMs));
    m_window = e2e::waitForWindow(kTitle);
    QVERIFY(m_window != 0);
}

void TstE2eSupport::cleanup()
{
    delete m_probe;
    delete m_decoy;
    m_probe = m_decoy = nullptr;
}

void TstE2eSupport::findsTheWindowByItsExactTitle()
{
    QCOMPARE(m_window, e2e::WindowId(m_probe->winId()));
    QCOMPARE(e2e::findWindows(kTitle + QStringLiteral(" 2")),
             QList<e2e::WindowId>{e2e::WindowId(m_decoy->winId())});
    QVERIFY(e2e::findWindows(QStringLiteral("探針(15×19)")).isEmpty());
    m_decoy->hide();
    QVERIFY(e2e::waitUntil([] { return e2e::findWindows(kTitle + QStringLiteral(" 2")).isEmpty(); },
                           e2e::kSettleTimeoutMs));
}

void TstE2eSupport::readsTheClientGeometry()
{
    const QRect expected(m_probe->mapToGlobal(QPoint(0, 0)), m_probe->size());
    QVERIFY(e2e::waitUntil([&] { return e2e::clientGeometry(m_window) == expected; },
                           e2e::kSettleTimeoutMs));
    QVERIFY(e2e::clientGeometry(0x7fffffff).isEmpty());
}

void TstE2eSupport::screenshotShowsTheClientArea()
{
    QImage image;
    QVERIFY(e2e::waitUntil(
        [&] {
            image = e2e::clientImage(m_window);
            return image.size() == m_probe->size() && image.pixel(kMarkerRect.center()) == kMarker;
        },
        e2e::kSettleTimeoutMs));
    QCOMPARE(image.pixel(kMarkerRect.topLeft()), kMarker);
    QCOMPARE(image.pixel(kMarkerRect.topLeft() - QPoint(1, 1)), kFace);
    QCOMPARE(image.pixel(kMarkerRect.bottomRight()), kMarker);
    QCOMPARE(image.pixel(kMarkerRect.bottomRight() + QPoint(1, 1)), kFace);
    QCOMPARE(image.pixel(image.width() - 1, image.height() - 1), kFace);
}

void TstE2eSupport::clickArrivesAtTheClientPoint()
{
    QVERIFY(e2e::click(m_window, QPoint(57, 61)));
    QVERIFY(e2e::waitUntil([&] { return m_probe->pressedButton != Qt::NoButton; },
                           e2e::kSettleTimeoutMs));
    QCOMPARE(m_probe->pressedAt, QPoint(57, 61));
    QCOMPARE(m_probe->pressedButton, Qt::LeftButton);

    m_probe->pressedButton = Qt::NoButton;
    QVERIFY(e2e::click(m_window, QPoint(3, 200), 3));
    QVERIFY(e2e::waitUntil([&] { return m_probe->pressedButton != Qt::NoButton; },
                           e2e::kSettleTimeoutMs));
    QCOMPARE(m_probe->pressedAt, QPoint(3, 200));
    QCOMPARE(m_probe->pressedButton, Qt::RightButton);
}

void TstE2eSupport::maximisedWindowFillsTheWorkArea()
{
    const QRect area = e2e::workArea();
    QCOMPARE(area, QRect(0, 0, 1280, 1024));
    QVERIFY(!e2e::isMaximised(m_window));
    QVERIFY(!e2e::fillsWorkArea(e2e::clientGeometry(m_window), area));

    m_probe->showMaximized();
    QVERIFY(e2e::waitUntil(
        [&] {
            return e2e::isMaximised(m_window)
                   && e2e::fillsWorkArea(e2e::clientGeometry(m_window), area);
        },
        e2e::kSettleTimeoutMs));
    const QRect client = e2e::clientGeometry(m_window);
    QCOMPARE(client.width(), area.width());
    QVERIFY2(client.top() > area.top(), "the title bar stays above the client area");

    // The rule itself: a title bar is allowed, gaps at the sides and the bottom are not.
    QVERIFY(e2e::fillsWorkArea(QRect(0, 20, 1280, 1004), area));
    QVERIFY(!e2e::fillsWorkArea(QRect(0, 20, 1270, 1004), area));
    QVERIFY(!e2e::fillsWorkArea(QRect(0, 20, 1280, 990), area));
    QVERIFY(!e2e::fillsWorkArea(QRect(0, 100, 1280, 924), area));
}

void TstE2eSupport::closeWindowGoesThroughTheCloseBox()
{
    QVERIFY(e2e::closeWindow(m_window));
    QVERIFY(e2e::waitUntil([&] { return m_probe->closes == 1; }, e2e::kSettleTimeoutMs));
    QVERIFY(
        e2e::waitUntil([] { return e2e::findWindows(kTitle).isEmpty(); }, e2e::kSettleTimeoutMs));
}

void TstE2eSupport::pixelRunsAndPatches()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(kFace);
    for (int x : {2, 3, 4, 10, 20, 21, 22, 23, 24, 25, 39})
        image.setPixel(x, 5, kMarker);
    const QList<Run> runs = runsInRow(image, 5, kMarker, 2);
    QCOMPARE(runs.size(), 2);
    QCOMPARE(runs[0].left, 2);
    QCOMPARE(runs[0].width(), 3);
    QCOMPARE(runs[1].left, 20);
    QCOMPARE(runs[1].right, 25);
    QCOMPARE(runsInRow(image, 5, kMarker).size(), 4);
    QVERIFY(runsInRow(image, 20, kMarker).isEmpty());

    QPainter(&image).fillRect(QRect(10, 10, 5, 4), QColor(kMarker));
    int count = 0;
    QCOMPARE(patchNear(image, QPoint(16, 15), kMarker, 3, &count), QRect(10, 10, 5, 4));
    QCOMPARE(count, 20);
    // Row 5 at x = 10 touches nothing else: a separate patch of one pixel.
    QCOMPARE(patchNear(image, QPoint(10, 6), kMarker, 1, &count), QRect(10, 5, 1, 1));
    QCOMPARE(count, 1);
    QVERIFY(patchNear(image, QPoint(32, 15), kMarker, 4).isEmpty());

    QCOMPARE(shareOf(image, QRect(10, 10, 5, 4), kMarker), 1.0);
    QCOMPARE(shareOf(image, QRect(10, 10, 10, 4), kMarker), 0.5);
}

QTEST_MAIN(TstE2eSupport)

#include "tst_e2e_support.moc"
