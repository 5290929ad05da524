#include "support/harness.h"

#include "support/testmain.h"

#include <QFrame>
#include <QtTest>

class TstDotSize : public QObject {
    Q_OBJECT
private slots:
    void cyclesDotAndMarkThroughThreeSizes_data();
    void cyclesDotAndMarkThroughThreeSizes();
    void sizesStayOnScreenAcrossAGridSwitch();

    void cyclesTheBackgroundInFiveSteps();

    void settingButtonsPassTheFocusAlong_data();
    void settingButtonsPassTheFocusAlong();

    void backgroundReprintsTheStatusOfTheMoment_data();
    void backgroundReprintsTheStatusOfTheMoment();
};

void TstDotSize::cyclesDotAndMarkThroughThreeSizes_data()
{
    QTest::addColumn<QString>("steps"); // as Harness::perform() takes them
    QTest::addColumn<int>("clicks");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QColor>("dotColour");
    QTest::addColumn<QSizeF>("dot"); // width by height, in the units of the mode
    QTest::addColumn<QSizeF>("mark");
    const QString larger = QStringLiteral("白点を大きくします｡");
    const QString smaller = QStringLiteral("白点を小さくします｡");
    const QString aLittleLarger = QStringLiteral("白点を少し大きくします｡");
    const QColor lightGrey(224, 224, 224);
    const QColor grey(192, 192, 192);
    const QColor white(255, 255, 255);
    // Before the first click: the design-time sizes (168 and 180 twips) and a tip ending in "。".
    QTest::newRow("fine, no click yet")
        << "" << 0 << QStringLiteral("小") << QStringLiteral("白点を少し大きくします。") << white
        << QSizeF(0.22, 0.22) << QSizeF(0.24, 0.24);
    QTest::newRow("fine, one click: medium")
        << "" << 1 << QStringLiteral("中") << larger << lightGrey << QSizeF(0.42, 0.45)
        << QSizeF(0.42, 0.45);
    QTest::newRow("fine, two clicks: large") << "" << 2 << QStringLiteral("大") << smaller << grey
                                             << QSizeF(0.66, 0.71) << QSizeF(0.66, 0.71);
    QTest::newRow("fine, three clicks: small, the mark a little larger than the dot")
        << "" << 3 << QStringLiteral("小") << aLittleLarger << white << QSizeF(0.25, 0.26)
        << QSizeF(0.26, 0.27);
    QTest::newRow("fine, four clicks: medium again")
        << "" << 4 << QStringLiteral("中") << larger << lightGrey << QSizeF(0.42, 0.45)
        << QSizeF(0.42, 0.45);
    QTest::newRow("fine, a dot shown, one click: the dot grows at once")
        << "LD" << 1 << QStringLiteral("中") << larger << lightGrey << QSizeF(0.42, 0.45)
        << QSizeF(0.42, 0.45);
    QTest::newRow("coarse, one click: medium")
        << "K" << 1 << QStringLiteral("中") << larger << lightGrey << QSizeF(0.28, 0.30)
        << QSizeF(0.28, 0.30);
    QTest::newRow("coarse, two clicks: large") << "K" << 2 << QStringLiteral("大") << smaller
                                               << grey << QSizeF(0.44, 0.48) << QSizeF(0.44, 0.48);
    QTest::newRow("coarse, three clicks: small")
        << "K" << 3 << QStringLiteral("小") << aLittleLarger << white << QSizeF(0.17, 0.18)
        << QSizeF(0.17, 0.18);
}

void TstDotSize::cyclesDotAndMarkThroughThreeSizes()
{
    QFETCH(QString, steps);
    QFETCH(int, clicks);
    QFETCH(QString, caption);
    QFETCH(QString, toolTip);
    QFETCH(QColor, dotColour);
    QFETCH(QSizeF, dot);
    QFETCH(QSizeF, mark);
    Harness h(kClient);
    QCOMPARE(h.perform(steps), QString());
    const bool dotShown = h.test.shp2->isVisible();

    for (int i = 0; i < clicks; ++i) {
        const QPoint markCorner = h.test.shp1->pos();
        const QPoint dotCorner = h.test.shp2->pos();
        h.test.cmdTen->click();
        // In place: the top-left corners stay where they are.
        QCOMPARE(h.test.shp1->pos(), markCorner);
        QCOMPARE(h.test.shp2->pos(), dotCorner);
    }

    QCOMPARE(h.test.cmdTen->text(), caption);
    QCOMPARE(h.test.cmdTen->toolTip(), toolTip);
    QCOMPARE(h.st.swtTen, clicks % 3);
    QCOMPARE(h.test.shp2->backColor(), dotColour);
    const QRectF dotRect = h.test.userRect(h.test.shp2);
    const QRectF markRect = h.mark();
    QCOMPARE(h.unitsOff(dotRect.size(), dot), QString());
    QCOMPARE(h.unitsOff(markRect.size(), mark), QString());
    QCOMPARE(h.test.shp1->backColor(), QColor(kYellow));
    QCOMPARE(h.test.shp2->isVisible(), dotShown);
}

void TstDotSize::sizesStayOnScreenAcrossAGridSwitch()
{
    Harness h(kClient);
    h.test.cmdTen->click();
    h.test.cmdTen->click();
    const QSize dot = h.test.shp2->size();
    const QSize mark = h.test.shp1->size(); // the large sizes of the fine grid's row

    h.test.cmdKae->click();

    QCOMPARE(h.test.shp2->size(), dot);
    QCOMPARE(h.test.shp1->size(), mark);
    QCOMPARE(h.st.swtTen, 2);
    QCOMPARE(h.test.cmdTen->text(), QStringLiteral("大"));

    // The coarse table applies from the next click, in coarse units.
    h.test.cmdTen->click();
    QCOMPARE(h.unitsOff(h.test.userRect(h.test.shp2).size(), QSizeF(0.17, 0.18)), QString());
    QCOMPARE(h.unitsOff(h.mark().size(), QSizeF(0.17, 0.18)), QString());
}

void TstDotSize::cyclesTheBackgroundInFiveSteps()
{
    Harness h(kClient);
    const QString fiveSteps = QStringLiteral("背景の濃さが５段階に変わります｡");
    const QString back = QStringLiteral("元の濃さに戻ります｡");
    struct Step {
        QColor colour;
        QString caption;
        QString toolTip;
    };
    const Step steps[] = {
        {QColor(48, 48, 48), QStringLiteral("濃"), fiveSteps},
        {QColor(32, 32, 32), QStringLiteral("濃"), fiveSteps},
        {QColor(16, 16, 16), QStringLiteral("濃"), fiveSteps},
        {QColor(0, 0, 0), QStringLiteral("黒"), back},
        {QColor(64, 64, 64), QStringLiteral("濃"), fiveSteps},
        {QColor(48, 48, 48), QStringLiteral("濃"), fiveSteps},
    };
    int click = 0;
    for (const Step& step : steps) {
        ++click;
        h.test.cmdHaik->click();
        const QString at = QStringLiteral("after click %1").arg(click);
        QVERIFY2(h.test.backColor() == step.colour, qPrintable(at));
        QVERIFY2(h.test.picture().pixelColor(2, 2) == step.colour, qPrintable(at));
        const QImage frame = h.test.fra1->grab().toImage();
        QVERIFY2(frame.pixelColor(3, frame.height() / 2) == step.colour, qPrintable(at));
        QVERIFY2(h.test.cmdHaik->text() == step.caption, qPrintable(at));
        QVERIFY2(h.test.cmdHaik->toolTip() == step.toolTip, qPrintable(at));
    }
}

void TstDotSize::settingButtonsPassTheFocusAlong_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("disabled");
    QTest::addColumn<QString>("focus");
    // The dot-size, background and speed buttons share one rule.
    for (const char* button : {"cmdTen", "cmdHaik", "cmdSpd"}) {
        const auto row = [button](const char* name, const char* steps, QStringList disabled,
                                  const char* focus) {
            QTest::addRow("%s %s", button, name)
                << QString::fromLatin1(button) << QString::fromLatin1(steps) << disabled
                << QString::fromLatin1(focus);
        };
        row("before any run: the left-eye button", "", {}, "cmdLft");
        row("while the left eye presents: the pause button", "LD", {}, "cmdStp");
        row("while the right eye presents: the pause button", "RD", {}, "cmdStp");
        row("during a pause: the pause button", "LDS", {}, "cmdStp");
        row("after a left run: the left-eye button", "LE", {}, "cmdLft");
        row("after a right run: the left-eye button", "RE", {}, "cmdLft");
        row("with only the right-eye button enabled: that one", "", {"cmdLft"}, "cmdRgt");
        row("with none of the three enabled: where it was", "", {"cmdLft", "cmdRgt"}, "");
    }
}

void TstDotSize::settingButtonsPassTheFocusAlong()
{
    QFETCH(QString, button);
    QFETCH(QString, steps);
    QFETCH(QStringList, disabled);
    QFETCH(QString, focus);
    Harness h(kClient);
    QCOMPARE(h.perform(steps), QString());
    for (const QString& name : disabled)
        h.find<QPushButton>(name)->setEnabled(false);
    QPushButton* before = button == QLatin1String("cmdSpd") ? h.test.cmdTen : h.test.cmdSpd;
    before->setFocus();
    QCOMPARE(h.test.focusWidget(), before);

    h.find<QPushButton>(button)->click();

    QVERIFY(h.test.focusWidget());
    QCOMPARE(h.test.focusWidget()->objectName(), focus.isEmpty() ? before->objectName() : focus);
}

void TstDotSize::backgroundReprintsTheStatusOfTheMoment_data()
{
    QTest::addColumn<QString>("steps"); // as Harness::perform() takes them
    QTest::addColumn<QString>("text"); // empty: nothing printed
    QTest::addColumn<QPointF>("offset");
    QTest::newRow("before any run: the instruction 0.4 below the mark")
        << "" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("with the large dot before any run: still 0.4")
        << "TT" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("in the coarse grid: still 0.4") << "K" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("after a left run: the end text and count give way to the instruction")
        << "LE" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("after a right run") << "RE" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("after a Shift drag: the cross is erased")
        << "F" << kInstruction << QPointF(0, 0.4);
    QTest::newRow("during a pause: the pause message where the pause put it")
        << "LDS" << kPauseMessage << QPointF(-0.5, 0.4);
    QTest::newRow("during a pause with the medium dot")
        << "TLDS" << kPauseMessage << QPointF(-0.5, 0.6);
    QTest::newRow("during a pause after an explanation press: at that press's offset")
        << "LDSp" << kPauseMessage << QPointF(0, 0.4);
    QTest::newRow("while dots are presented: nothing") << "LD" << QString() << QPointF();
    QTest::newRow("during the start delay: nothing") << "L" << QString() << QPointF();
}

void TstDotSize::backgroundReprintsTheStatusOfTheMoment()
{
    QFETCH(QString, steps);
    QFETCH(QString, text);
    QFETCH(QPointF, offset);
    Harness h(kClient);
    QCOMPARE(h.perform(steps), QString());

    h.test.cmdHaik->click();

    const QColor background(48, 48, 48);
    const QImage expected
        = text.isEmpty() ? pictureWith(h.test, background, {})
                         : pictureWith(h.test, background, {{text, h.markCorner() + offset}});
    QCOMPARE(differences(h.test.picture(), expected), QString());
}

SHIYA_TEST_MAIN(TstDotSize)

#include "tst_dotsize.moc"
