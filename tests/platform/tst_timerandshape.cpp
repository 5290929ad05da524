#include "support/harness.h"
#include "support/testmain.h"

#include "platform/fonts.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QSignalSpy>
#include <QtTest>

class TstTimerAndShape : public QObject {
    Q_OBJECT
private slots:
    void anEnabledTimerWithIntervalZeroDoesNotTick();
    void theTimerTicksOnlyWhileEnabledWithAnInterval();
    void aTimerWithIntervalZeroNeverFiresOnIdlePasses();
    void aTimerDrivenByHandTicksOnlyWhenAdvanced();
    void aNewIntervalAppliesFromTheNextTick();
    void theShapeIsACircleInTheMiddleOfItsBox();
    void theShapeLetsTheMouseThrough();
    void theDesignTypefaceResolvesToAJapaneseGothic();
};

void TstTimerAndShape::anEnabledTimerWithIntervalZeroDoesNotTick()
{
    IntervalTimer timer;
    QVERIFY(timer.enabled());
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isTicking());
}

void TstTimerAndShape::theTimerTicksOnlyWhileEnabledWithAnInterval()
{
    IntervalTimer timer;
    timer.setInterval(300);
    QVERIFY(timer.isTicking());
    timer.setEnabled(false);
    QVERIFY(!timer.isTicking());
    QCOMPARE(timer.interval(), 300);
    timer.setInterval(500); // a new pace while disabled waits for the enable
    QVERIFY(!timer.isTicking());
    timer.setEnabled(true);
    QVERIFY(timer.isTicking());
    timer.setInterval(0);
    QVERIFY(!timer.isTicking());
    QVERIFY(timer.enabled());
    timer.setInterval(-5);
    QCOMPARE(timer.interval(), 0);
    QVERIFY(!timer.isTicking());
}

void TstTimerAndShape::aTimerWithIntervalZeroNeverFiresOnIdlePasses()
{
    IntervalTimer timer;
    QSignalSpy ticks(&timer, &IntervalTimer::tick);
    timer.setInterval(300);
    timer.setInterval(0);
    timer.setEnabled(false);
    timer.setEnabled(true);
    for (int pass = 0; pass < 20; ++pass)
        QCoreApplication::processEvents();
    QCOMPARE(ticks.count(), 0);
}

void TstTimerAndShape::aTimerDrivenByHandTicksOnlyWhenAdvanced()
{
    IntervalTimer timer;
    HandClock clock;
    timer.setClock(&clock);
    QSignalSpy ticks(&timer, &IntervalTimer::tick);
    QVERIFY(!clock.advance()); // interval 0
    timer.setInterval(300);
    QVERIFY(clock.advance());
    QCOMPARE(ticks.count(), 1);
    timer.setEnabled(false);
    QVERIFY(!clock.advance());
    QCOMPARE(ticks.count(), 1);
    // Back on its own clock, which the hand no longer drives.
    timer.setEnabled(true);
    timer.setClock(nullptr);
    QVERIFY(!clock.advance());
}

void TstTimerAndShape::aNewIntervalAppliesFromTheNextTick()
{
    IntervalTimer timer;
    HandClock clock;
    timer.setClock(&clock);
    timer.setInterval(500);
    timer.setInterval(300);
    QCOMPARE(clock.intervalInProgress(), 500);
    QVERIFY(clock.advance());
    QCOMPARE(clock.intervalInProgress(), 300);
    QVERIFY(clock.advance());
    QCOMPARE(clock.intervalInProgress(), 300);
    // Paused, there is no interval in progress: the new one counts from the resume.
    timer.setEnabled(false);
    timer.setInterval(500);
    timer.setEnabled(true);
    QCOMPARE(clock.intervalInProgress(), 500);

    // Time let pass by hand ticks where the intervals end; start() begins a fresh one.
    QCOMPARE(clock.elapse(1250), 2);
    timer.start(500);
    QCOMPARE(clock.elapse(499), 0);
    QCOMPARE(clock.elapse(1), 1);
    timer.setInterval(0);
    QCOMPARE(clock.elapse(5000), 0);
}

void TstTimerAndShape::theShapeIsACircleInTheMiddleOfItsBox()
{
    QWidget parent;
    parent.resize(100, 100);
    auto* shape = new Shape(&parent);
    shape->setBackColor(QColor(255, 255, 0));
    shape->setGeometry(10, 10, 40, 20);
    const QImage image = shape->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.pixelColor(20, 10), QColor(255, 255, 0));
    // The diameter is the smaller side: the ends of the wide box stay clear.
    QVERIFY(image.pixelColor(2, 10) != QColor(255, 255, 0));
    QVERIFY(image.pixelColor(37, 10) != QColor(255, 255, 0));

    shape->setBorderColor(QColor(255, 0, 0));
    const QImage rimmed = shape->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QVERIFY(rimmed.pixelColor(20, 0).red() > 200 && rimmed.pixelColor(20, 0).green() < 128);
    QCOMPARE(rimmed.pixelColor(20, 10), QColor(255, 255, 0));
}

void TstTimerAndShape::theShapeLetsTheMouseThrough()
{
    struct PressCounter : QWidget {
        int presses = 0;
        void mousePressEvent(QMouseEvent*) override { ++presses; }
    } parent;
    parent.resize(100, 100);
    auto* shape = new Shape(&parent);
    shape->setGeometry(10, 10, 30, 30);
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QTest::mouseClick(parent.windowHandle(), Qt::LeftButton, {}, QPoint(25, 25));
    QCOMPARE(parent.presses, 1);
}

void TstTimerAndShape::theDesignTypefaceResolvesToAJapaneseGothic()
{
    const QFont font = fonts::windowFont(10.5);
    const QString family = QFontInfo(font).family();
    QVERIFY2(QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese),
             qPrintable(family));
    QVERIFY2(!family.startsWith(QStringLiteral("DejaVu")), qPrintable(family));
    QCOMPARE(family, QStringLiteral("IPAPGothic"));
}

SHIYA_TEST_MAIN(TstTimerAndShape)
#include "tst_timerandshape.moc"
