#include "support/harness.h"

#include "support/testmain.h"

#include <QtTest>

class TstExplanationButton : public QObject {
    Q_OBJECT
private slots:
    void pressesHideAndShowTheExplanation_data();
    void pressesHideAndShowTheExplanation();
    void anyMouseButtonPressesIt_data();
    void anyMouseButtonPressesIt();
    void theKeyboardDoesNotActivateIt();
    void aDisabledButtonTakesNoPress();

    void overlayNumbersEveryTestPointDownTheColumns_data();
    void overlayNumbersEveryTestPointDownTheColumns();
    void instructionStandsUnderTheMarkAfterEveryPress_data();
    void instructionStandsUnderTheMarkAfterEveryPress();
};

void TstExplanationButton::pressesHideAndShowTheExplanation_data()
{
    // Steps as Harness::perform() takes them; the setup comes before the first panel.
    // A panel reads: labels, swtRdm, tool tip (現 shows, 消 hides), swtTst, overlay dots.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("from start a plain press hides the labels, the next shows them")
        << ""
        << "pq" << QStringList{"shown 0 消 0 -", "hidden 1 現 0 -", "shown 0 消 0 -"};
    QTest::newRow("after a pause one plain press shows them")
        << "LDS"
        << "p" << QStringList{"hidden 1 現 0 -", "shown 0 消 0 -"};
    QTest::newRow("after a run ended without a pause the first press only turns the tip")
        << "LE"
        << "pp" << QStringList{"hidden 0 消 0 -", "hidden 1 現 0 -", "shown 0 消 0 -"};
    QTest::newRow("after a resize showed hidden labels the next press takes the showing branch")
        << ""
        << "pZpq"
        << QStringList{"shown 0 消 0 -", "hidden 1 現 0 -", "shown 1 現 0 -", "shown 0 消 0 -",
                       "hidden 1 現 0 -"};
    QTest::newRow("a grid switch shows hidden labels the same way")
        << ""
        << "pKp"
        << QStringList{"shown 0 消 0 -", "hidden 1 現 0 -", "shown 1 現 0 -", "shown 0 消 0 -"};
    QTest::newRow("a Shift press hides the labels without turning the plain direction")
        << ""
        << "spp"
        << QStringList{"shown 0 消 0 -", "hidden 0 消 1 dots", "hidden 1 現 1 -", "shown 0 消 1 -"};
    QTest::newRow("a plain press clears the overlay and leaves the next Shift press to clear")
        << ""
        << "spsm"
        << QStringList{"shown 0 消 0 -", "hidden 0 消 1 dots", "hidden 1 現 1 -", "hidden 1 現 0 -",
                       "hidden 1 現 1 dots"};
    QTest::newRow("after a pause a Shift press draws, a plain press shows")
        << "LDS"
        << "sp" << QStringList{"hidden 1 現 0 -", "hidden 1 現 1 dots", "shown 0 消 1 -"};
    QTest::newRow("a resize clears the overlay but not its state")
        << ""
        << "sZs"
        << QStringList{"shown 0 消 0 -", "hidden 0 消 1 dots", "shown 0 消 1 -", "shown 0 消 0 -"};
}

void TstExplanationButton::pressesHideAndShowTheExplanation()
{
    QFETCH(QString, setup);
    QFETCH(QString, steps);
    QFETCH(QStringList, panels);
    QCOMPARE(panels.size(), steps.size() + 1);
    Harness h(kClient);
    QCOMPARE(h.perform(setup), QString());
    QCOMPARE(h.panel(), panels.first());

    for (int i = 0; i < steps.size(); ++i) {
        QCOMPARE(h.perform(steps.at(i)), QString());
        QVERIFY2(h.panel() == panels.at(i + 1), qPrintable(QStringLiteral("after step %1 (%2): %3")
                                                               .arg(i + 1)
                                                               .arg(steps.at(i))
                                                               .arg(h.panel())));
    }
}

void TstExplanationButton::anyMouseButtonPressesIt_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<bool>("shift");
    QTest::addColumn<QString>("panel");
    // The left button plain and with Shift, the right one plain and the middle one with Shift
    // are steps of pressesHideAndShowTheExplanation.
    QTest::newRow("middle button") << int(Qt::MiddleButton) << false << "hidden 1 現 0 -";
    QTest::newRow("right button with Shift")
        << int(Qt::RightButton) << true << "hidden 0 消 1 dots";
}

void TstExplanationButton::anyMouseButtonPressesIt()
{
    QFETCH(int, button);
    QFETCH(bool, shift);
    QFETCH(QString, panel);
    Harness h(kClient);

    QTest::mousePress(h.test.cmdRdm, Qt::MouseButton(button),
                      shift ? Qt::ShiftModifier : Qt::NoModifier);

    QCOMPARE(h.panel(), panel);
    QTest::mouseRelease(h.test.cmdRdm, Qt::MouseButton(button),
                        shift ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(h.panel(), panel);
}

void TstExplanationButton::theKeyboardDoesNotActivateIt()
{
    Harness h(kClient);
    const QImage picture = h.test.picture();
    h.test.cmdRdm->setFocus();

    QTest::keyClick(h.test.cmdRdm, Qt::Key_Space);
    QTest::keyClick(h.test.cmdRdm, Qt::Key_Space, Qt::ShiftModifier);
    QTest::keyClick(h.test.cmdRdm, Qt::Key_Return);
    h.test.cmdRdm->click();

    QCOMPARE(h.panel(), QStringLiteral("shown 0 消 0 -"));
    QCOMPARE(differences(h.test.picture(), picture), QString());
}

void TstExplanationButton::aDisabledButtonTakesNoPress()
{
    Harness h(kClient);
    QCOMPARE(h.perform("LD"), QString());
    QVERIFY(!h.test.cmdRdm->isEnabled());
    const QImage picture = h.test.picture();

    QCOMPARE(h.perform("pqsm"), QString());

    QCOMPARE(h.panel(), QStringLiteral("hidden 0 消 0 -"));
    QCOMPARE(differences(h.test.picture(), picture), QString());
}

void TstExplanationButton::overlayNumbersEveryTestPointDownTheColumns_data()
{
    QTest::addColumn<bool>("coarse");
    QTest::addColumn<int>("shiftPresses");
    QTest::newRow("fine grid: 285 points") << false << 1;
    QTest::newRow("coarse grid: 143 points") << true << 1;
    QTest::newRow("drawn again after clearing, numbered from 1 again") << false << 3;
}

void TstExplanationButton::overlayNumbersEveryTestPointDownTheColumns()
{
    QFETCH(bool, coarse);
    QFETCH(int, shiftPresses);
    const int columns = grids::of(!coarse).columns;
    const int rows = grids::of(!coarse).rows;
    Harness h(coarse ? QSize(700, 600) : QSize(1000, 805)); // 50 pixels a unit
    if (coarse)
        h.test.cmdKae->click();
    const QColor background = h.test.backColor();

    for (int i = 0; i < shiftPresses; ++i)
        h.pressRdm(true);

    QVERIFY(h.st.swtTst);
    QCOMPARE(h.st.a, columns);
    QCOMPARE(h.st.b, rows);
    QCOMPARE(h.test.drawWidth(), 5);
    const QImage& picture = h.test.picture();
    const QRect instruction
        = QRect(h.pixelAt(h.markCorner().x(), h.markCorner().y()), QSize(250, 40));
    // A dot five pixels across on every test point; the number starts at the dot.
    for (int a = 0; a < columns; ++a) {
        for (int b = 0; b < rows; ++b) {
            const QPoint c(50 * (a + 1), 50 * (b + 1));
            for (const QPoint d :
                 {QPoint(0, 0), QPoint(-2, 0), QPoint(2, 0), QPoint(0, -2), QPoint(0, 2)}) {
                QVERIFY2(picture.pixelColor(c + d) == kYellow,
                         qPrintable(QStringLiteral("no dot at point (%1, %2)").arg(a).arg(b)));
            }
            for (const QPoint d : {QPoint(-3, 0), QPoint(0, -3)}) {
                QVERIFY2(
                    instruction.contains(c + d) || picture.pixelColor(c + d) == background,
                    qPrintable(QStringLiteral("dot at point (%1, %2) too large").arg(a).arg(b)));
            }
        }
    }
    // Nothing past the last row where the window has room for one (the fine grid).
    if (picture.valid(50, 50 * (rows + 1)))
        QCOMPARE(picture.pixelColor(50, 50 * (rows + 1)), background);

    struct Number {
        QPoint point;
        QString text;
    };
    const Number numbers[] = {{{0, 0}, QStringLiteral(" 1")},
                              {{0, 1}, QStringLiteral(" 2")},
                              {{1, 0}, QStringLiteral(" %1").arg(rows + 1)},
                              {{columns - 1, rows - 1}, QStringLiteral(" %1").arg(columns * rows)}};
    for (const Number& n : numbers) {
        const QPointF at(n.point.x() + 1, n.point.y() + 1);
        const QRect area(h.pixelAt(at.x(), at.y()) + QPoint(3, 0), QSize(45, 20));
        const QImage expected = pictureWith(h.test, background, {{n.text, at, h.test.fontSize()}});
        QVERIFY2(compareInk(picture.copy(area), expected.copy(area), kYellow, background).isEmpty(),
                 qPrintable(QStringLiteral("number%1 at point (%2, %3): %4")
                                .arg(n.text)
                                .arg(n.point.x())
                                .arg(n.point.y())
                                .arg(compareInk(picture.copy(area), expected.copy(area), kYellow,
                                                background))));
    }
}

void TstExplanationButton::instructionStandsUnderTheMarkAfterEveryPress_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<double>("drop");
    QTest::newRow("plain press hiding, small dot") << "p" << 0.4;
    QTest::newRow("plain press showing, medium dot") << "Tpp" << 0.6;
    QTest::newRow("Shift press drawing the overlay, large dot") << "TTs" << 0.8;
    QTest::newRow("Shift press clearing the overlay, large dot") << "TTss" << 0.8;
    QTest::newRow("coarse grid, plain press, medium dot") << "KTp" << 0.6;
    QTest::newRow("during a pause: the instruction replaces the pause message") << "TLDSp" << 0.6;
    QTest::newRow("after a Shift drag: the cross is cleared") << "Fp" << 0.4;
}

void TstExplanationButton::instructionStandsUnderTheMarkAfterEveryPress()
{
    QFETCH(QString, steps);
    QFETCH(double, drop);
    Harness h(kClient);

    QCOMPARE(h.perform(steps), QString());

    QCOMPARE(h.st.x2m, 0.0);
    QCOMPARE(h.st.y2m, drop);
    if (h.st.swtTst) {
        // Over the overlay, which the press does not clear.
        QCOMPARE(compareInk(h.test.picture(), h.instructionPicture(drop), kYellow,
                            h.test.backColor(), true),
                 QString());
    } else {
        QCOMPARE(differences(h.test.picture(), h.instructionPicture(drop)), QString());
    }
}

SHIYA_TEST_MAIN(TstExplanationButton)

#include "tst_explanationbutton.moc"
