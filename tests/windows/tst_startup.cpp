#include "support/harness.h"
#include "support/testmain.h"

#include "platform/fonts.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "windows/resultwindow.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

namespace {

struct Button {
    const char* name;
    const char* caption;
    const char* toolTip;
    double points;
    int left, width; // twips within the frame: narrow buttons are 360 wide, wide ones 600
};

// Left to right along the bottom, all 150 twips below the frame's top and 320 high.
const Button kButtons[] = {
    {"cmdLft", "左眼", "クリックでスタートします｡", 10.5, 70, 600},
    {"cmdRgt", "右眼", "クリックでスタートします｡", 10.5, 710, 600},
    {"cmdSpd", "早", "クリックで遅くなります", 9, 1350, 360},
    {"cmdTen", "小", "白点を少し大きくします。", 9, 1740, 360},
    {"cmdHaik", "濃", "背景の濃さが５段階に変わります｡", 9, 2120, 360},
    {"cmdStp", "止", "一時停止します。", 10.5, 2510, 600},
    {"cmdKae", "細", "クリックで検査個所を減らして粗くします｡", 9, 3130, 360},
    {"cmdRdm", "説明", "クリックで説明を消します", 9, 3520, 600},
    {"cmdBetu", "別表", "[結果]をクリックしないと更新されません。", 9, 4140, 600},
    {"cmdKeka", "結果", "別表を閉じて開き直すと更新されます。", 10.5, 4760, 600},
    {"cmdEnd", "終了", "終わります｡", 10.5, 5390, 600},
};

} // namespace

class TstStartup : public QObject {
    Q_OBJECT
private slots:
    void theStateHasItsStartValues();
    void theFineGridsAreUntestedAndTheCoarseOnesEmpty();
    void theWindowLooksAsDesigned();
    void theButtonsStandInOneRowWithTheirTextsAllButPauseEnabled();
    void theExplanationLabelsAreYellowAndLarger();
    void tabVisitsTheButtonsInOrderSkippingDisabledOnes();
    void theWindowOpensMaximised();
    void everyTextHasAllItsCharactersInAJapaneseGothic();
};

void TstStartup::theStateHasItsStartValues()
{
    Harness h;
    const TestState& s = h.st;
    QCOMPARE(s.swtKae, 0);
    QCOMPARE(s.intKaeFirst, 0);
    QVERIFY(!s.swtLft && !s.swtRgt && !s.swtT1 && !s.swtT2 && !s.swtMus);
    QVERIFY(s.swtStp);
    QVERIFY(!s.swtRdm && !s.swtTst);
    QCOMPARE(s.swtTen, 0);
    QCOMPARE(s.tenL, QStringLiteral("小"));
    QCOMPARE(s.tenR, QStringLiteral("小"));
    QCOMPARE(s.Spd, 300);
    QCOMPARE(s.n, 0);
    QCOMPARE(s.t, 0);
    QCOMPARE(s.a, 0);
    QCOMPARE(s.b, 0);
    QCOMPARE(s.w, 0);
    const QPointF fixation = grids::kFine.field.fixation;
    QCOMPARE(QPointF(s.x2, s.y2), fixation);
    QCOMPARE(QPointF(s.x2L, s.y2L), fixation);
    QCOMPARE(QPointF(s.x2R, s.y2R), fixation);
}

void TstStartup::theFineGridsAreUntestedAndTheCoarseOnesEmpty()
{
    Harness h;
    for (const ResultGrid* grid : {&h.st.kekaL15, &h.st.kekaR15}) {
        QCOMPARE(grid->columns(), grids::kFine.columns);
        QCOMPARE(grid->rows(), grids::kFine.rows);
        for (int a = 0; a < grids::kFine.columns; ++a)
            for (int b = 0; b < grids::kFine.rows; ++b)
                QCOMPARE(grid->at(a, b), QStringLiteral("×"));
    }
    for (const ResultGrid* grid : {&h.st.kekaL11, &h.st.kekaR11}) {
        QCOMPARE(grid->columns(), grids::kCoarse.columns);
        QCOMPARE(grid->rows(), grids::kCoarse.rows);
        QCOMPARE(grid->takenCount(), 0);
        QVERIFY(grid->at(12, 10).isEmpty());
    }
}

void TstStartup::theWindowLooksAsDesigned()
{
    Harness h;
    h.show();
    QCOMPARE(h.test.objectName(), QStringLiteral("frmTest"));
    QCOMPARE(h.test.windowTitle(), grids::kFine.testTitle);
    QVERIFY(!h.test.windowIcon().isNull());
    QCOMPARE(h.test.backColor(), QColor(64, 64, 64));
    QCOMPARE(h.test.picture().pixelColor(3, 3), QColor(64, 64, 64));
    // The mark is shown from the start; its colour and place are tst_fieldlayout's, the dot
    // hidden tst_presentationcycle's.
    QVERIFY(h.test.shp1->isVisible());
    QCOMPARE(h.test.font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    QCOMPARE(h.test.font().pointSizeF(), 7.5);

    auto* frame = h.find<QFrame>(QStringLiteral("fra1"));
    QVERIFY(frame);
    QCOMPARE(frame->palette().color(QPalette::Window), QColor(64, 64, 64));
    QCOMPARE(frame->focusPolicy(), Qt::NoFocus);

    QVERIFY(h.find<IntervalTimer>(QStringLiteral("tmr1")));
    QVERIFY(!h.test.tmr1->isTicking());
    QCOMPARE(h.test.tmr1->interval(), 0);
}

void TstStartup::theButtonsStandInOneRowWithTheirTextsAllButPauseEnabled()
{
    Harness h;
    h.show();
    int previousRight = -1;
    for (const Button& def : kButtons) {
        auto* button = h.find<QPushButton>(QString::fromLatin1(def.name));
        QVERIFY2(button, def.name);
        QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("fra1"));
        QCOMPARE(button->text(), QString::fromUtf8(def.caption));
        QCOMPARE(button->toolTip(), QString::fromUtf8(def.toolTip));
        QCOMPARE(button->isEnabled(), qstrcmp(def.name, "cmdStp") != 0);
        QCOMPARE(button->font().pointSizeF(), def.points);
        QCOMPARE(button->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        QCOMPARE(twipsMismatch(button->geometry(), {def.left, 150, def.width, 320}), QString());
        previousRight = button->geometry().right();
        // Flat and pale green, not shaded by the style.
        const QImage face = button->grab().toImage();
        QCOMPARE(face.pixelColor(face.width() / 2, 3), QColor(128, 255, 128));
    }
    QVERIFY(previousRight < h.find<QFrame>(QStringLiteral("fra1"))->width());
}

void TstStartup::theExplanationLabelsAreYellowAndLarger()
{
    Harness h;
    h.show();
    QLabel* upper = h.find<QLabel>(QStringLiteral("lblRdme0"));
    QLabel* lower = h.find<QLabel>(QStringLiteral("lblRdme1"));
    QVERIFY(upper && lower);
    // Their texts, sizes and transparency are checked in tst_explanationtexts, their places
    // above and below the mark in tst_fieldlayout.
    QCOMPARE(upper->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    QCOMPARE(upper->font().pointSizeF(), 10.5);
}

void TstStartup::tabVisitsTheButtonsInOrderSkippingDisabledOnes()
{
    Harness h;
    h.program.start();
    QVERIFY(QTest::qWaitForWindowActive(&h.test));
    QCOMPARE(QApplication::focusWidget(), h.test.cmdLft);
    const char* expected[] = {"cmdRgt", "cmdRdm", "cmdBetu", "cmdKeka", "cmdEnd",
                              "cmdSpd", "cmdTen", "cmdHaik", "cmdKae",  "cmdLft"};
    for (const char* name : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

void TstStartup::theWindowOpensMaximised()
{
    Harness h;
    h.program.start();
    QVERIFY(QTest::qWaitForWindowExposed(&h.test));
    QVERIFY(h.test.windowState().testFlag(Qt::WindowMaximized));
    const grids::Field& field = grids::kFine.field;
    QCOMPARE(QPointF(h.st.x1, h.st.y1), field.centre);
    // The layout followed the maximised size: the mark stands at the centre.
    QCOMPARE(h.unitsOff(h.markCentre(), field.markCentre()), QString());
}

void TstStartup::everyTextHasAllItsCharactersInAJapaneseGothic()
{
    // The captions, labels, titles and lists of both windows in their own fonts, and the tool
    // tips in theirs: a character missing from the face would come from a fallback, which for
    // Japanese may be a Chinese or Korean face.
    Harness h;
    h.show();
    h.test.cmdKeka->click();
    QWidgetList widgets = h.test.findChildren<QWidget*>();
    widgets << &h.test << h.program.resultSheet().window()
            << h.program.resultSheet().window()->findChildren<QWidget*>();
    const auto check = [](const QString& text, const QFont& font, const QString& where) {
        const QString family = QFontInfo(font).family();
        QVERIFY2(fonts::japaneseGothics().contains(family) || fonts::designNames().contains(family),
                 qPrintable(where + QStringLiteral(" is drawn in ") + family));
        const QFontMetrics metrics(font);
        for (const char32_t c : text.toUcs4())
            QVERIFY2(QChar::isSpace(c) || metrics.inFontUcs4(c),
                     qPrintable(QStringLiteral("%1 lacks U+%2 in %3")
                                    .arg(family)
                                    .arg(uint(c), 4, 16, QLatin1Char('0'))
                                    .arg(where)));
    };
    for (const QWidget* widget : widgets) {
        QString text = widget->windowTitle();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            text += label->text();
        if (const auto* button = qobject_cast<const QPushButton*>(widget))
            text += button->text();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < combo->count(); ++i)
                text += combo->itemText(i);
        }
        check(text, widget->font(), widget->objectName());
        check(widget->toolTip(), QToolTip::font(), widget->objectName() + QStringLiteral("'s tip"));
    }
}

SHIYA_TEST_MAIN(TstStartup)
#include "tst_startup.moc"
