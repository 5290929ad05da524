// The table of run phases, button by button: whether each can be used, its tool tip, the
// pause button's caption and where the focus goes. The handlers' tests check only what
// they add to it.

#include "support/harness.h"

#include "support/testmain.h"
#include "testrun/runphase.h"

#include <QApplication>
#include <QtTest>

namespace {

// In the order of the columns of `use`. Spd, Ten and Haik are not the phases' to change.
const char* const kButtons[] = {"cmdLft",  "cmdRgt", "cmdStp", "cmdRdm", "cmdBetu", "cmdKae",
                                "cmdKeka", "cmdEnd", "cmdSpd", "cmdTen", "cmdHaik"};
const QString kUnset = QStringLiteral("-");

} // namespace

class TstRunPhase : public QObject {
    Q_OBJECT
private slots:
    void eachButtonFollowsThePhase_data();
    void eachButtonFollowsThePhase();
};

void TstRunPhase::eachButtonFollowsThePhase_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("runningEye"); // 0 none, 1 left, 2 right
    QTest::addColumn<QString>("use"); // per button: 1 on, 0 off, k kept as it was
    QTest::addColumn<QString>("tips"); // of cmdLft|cmdRgt|cmdStp|cmdRdm; "-" unchanged
    QTest::addColumn<QString>("caption"); // of cmdStp
    QTest::addColumn<QString>("focus"); // empty: where it was

    const auto row = [](const char* name, RunPhase phase, int eye, const char* use,
                        const QString& tips, const char* caption, const char* focus) {
        QTest::newRow(name) << static_cast<int>(phase) << eye << QString::fromLatin1(use) << tips
                            << QString::fromUtf8(caption) << QString::fromLatin1(focus);
    };
    const QString start = QStringLiteral("クリックでスタートします｡");
    const QString pause = QStringLiteral("一時停止します。");
    row("before a run", RunPhase::BeforeRun, 0, "11011111kkk",
        start + "|" + start + "|" + pause + "|クリックで説明を消します", "止", "");
    row("left eye started", RunPhase::Started, 1, "k0100000kkk", "-|-|-|-", "止", "cmdStp");
    row("right eye started", RunPhase::Started, 2, "0k100000kkk", "-|-|-|-", "止", "cmdStp");
    row("paused", RunPhase::Paused, 1, "11111111kkk",
        "左を最初からスタートします。|右を最初からスタートします。|続きを実行します|"
        "クリックで説明を現します",
        "再開", "");
    row("left eye resumed", RunPhase::Resumed, 1, "k0100000kkk", "-|-|" + pause + "|-", "止", "");
    row("right eye resumed", RunPhase::Resumed, 2, "0k100000kkk", "-|-|" + pause + "|-", "止", "");
    row("run ended: the quit button stays off", RunPhase::Ended, 1, "1101111kkkk", "-|-|-|-", "-",
        "cmdKeka");
}

void TstRunPhase::eachButtonFollowsThePhase()
{
    QFETCH(int, phase);
    QFETCH(int, runningEye);
    QFETCH(QString, use);
    QFETCH(QString, tips);
    QFETCH(QString, caption);
    QFETCH(QString, focus);
    QCOMPARE(use.size(), std::size(kButtons));
    Harness h(kClient);
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    h.st.swtLft = runningEye == 1;
    h.st.swtRgt = runningEye == 2;

    // Each button once enabled and once disabled beforehand, so that "kept" shows.
    for (const bool before : {false, true}) {
        for (const char* name : kButtons) {
            auto* button = h.find<QPushButton>(QString::fromLatin1(name));
            button->setEnabled(before);
            button->setToolTip(kUnset);
        }
        h.test.cmdStp->setText(kUnset);
        h.test.setFocus();

        applyRunPhase(static_cast<RunPhase>(phase), h.test, h.st);

        for (int i = 0; i < use.size(); ++i) {
            auto* button = h.find<QPushButton>(QString::fromLatin1(kButtons[i]));
            const bool on = use[i] == QLatin1Char('k') ? before : use[i] == QLatin1Char('1');
            QVERIFY2(button->isEnabled() == on, kButtons[i]);
            const QStringList tipList = tips.split(QLatin1Char('|'));
            QCOMPARE(button->toolTip(), i < tipList.size() ? tipList[i] : kUnset);
        }
        QCOMPARE(h.test.cmdStp->text(), caption);
        QVERIFY(QApplication::focusWidget());
        QCOMPARE(QApplication::focusWidget()->objectName(),
                 focus.isEmpty() ? h.test.objectName() : focus);
    }
}

SHIYA_TEST_MAIN(TstRunPhase)

#include "tst_runphase.moc"
