#include "storm.h"
#include "support/testmain.h"

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include <cstdio>

// Random storms of events over the whole program. A failing storm names its seed; set
// SHIYA_STORM_SEED (and SHIYA_STORM_EVENTS) to replay it alone.
class TstStorm : public QObject {
    Q_OBJECT
private slots:
    void stormsKeepTheInvariants_data();
    void stormsKeepTheInvariants();
};

void TstStorm::stormsKeepTheInvariants_data()
{
    QTest::addColumn<quint64>("seed");
    QTest::addColumn<int>("events");
    const int events = qEnvironmentVariableIsSet("SHIYA_STORM_EVENTS")
                           ? qEnvironmentVariableIntValue("SHIYA_STORM_EVENTS")
                           : 30000;
    if (qEnvironmentVariableIsSet("SHIYA_STORM_SEED")) {
        const quint64 seed = qgetenv("SHIYA_STORM_SEED").toULongLong();
        QTest::addRow("seed %llu", seed) << seed << events;
        return;
    }
    for (quint64 seed : {1ULL, 20261207ULL, 314159ULL, 4242ULL})
        QTest::addRow("seed %llu", seed) << seed << events;
}

void TstStorm::stormsKeepTheInvariants()
{
    QFETCH(quint64, seed);
    QFETCH(int, events);
    Storm storm(seed);
    QElapsedTimer clock;
    clock.start();
    const QString failure = storm.run(events);
    const double seconds = clock.nsecsElapsed() / 1e9;
    QFile status(QStringLiteral("/proc/self/status"));
    QByteArray peak = "?";
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                peak = line.mid(6).simplified();
    }
    std::printf("storm seed %llu: %d events in %.2f s (%.0f events/s), %d runs completed, "
                "%d quits, peak memory %s\n",
                static_cast<unsigned long long>(seed), events, seconds, events / seconds,
                storm.completedRuns(), storm.quits(), peak.constData());
    QVERIFY2(
        failure.isEmpty(),
        qPrintable(QStringLiteral("replay with SHIYA_STORM_SEED=%1: %2").arg(seed).arg(failure)));
    // The storm must have let runs reach their end, or it tested little of the rhythm.
    QVERIFY(storm.completedRuns() > 0);
}

SHIYA_TEST_MAIN(TstStorm)
#include "tst_storm.moc"
