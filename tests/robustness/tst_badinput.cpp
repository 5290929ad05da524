#include "storm.h"
#include "support/harness.h"
#include "support/testmain.h"

#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "windows/resultwindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

// Input no user should give, and some a user will: none of it may crash a redraw or lose a
// result.
class TstBadInput : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void oddLabelTextsAreDrawnAndCopied_data();
    void oddLabelTextsAreDrawnAndCopied();
    void aWindowShrunkToAFewPixelsComesBackWhole();
    void clicksAtTheEdgesAndBetweenPointsKeepTheResults();
    void aFixationPointDraggedOffTheFieldStillDraws();

private:
    std::unique_ptr<Harness> m_h;
};

void TstBadInput::init()
{
    m_h = std::make_unique<Harness>();
    m_h->show(800, 644);
    // The left eye has finished a fine run, every other point seen.
    QVERIFY(m_h->completeLeftRun(2));
}

void TstBadInput::cleanup()
{
    m_h.reset();
}

void TstBadInput::oddLabelTextsAreDrawnAndCopied_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ten thousand characters") << QString(10000, QChar(u'視'));
    QTest::newRow("emoji") << QStringLiteral("👁️‍🗨️😀👍🏽");
    QTest::newRow("right to left") << QStringLiteral("عين يسرى עין שמאל");
    QTest::newRow("control characters") << QStringLiteral("a\tb\x01\x1b[31mc\u200f\u202e");
    QTest::newRow("lone surrogate") << QString(QChar(0xD800));
    QTest::newRow("empty") << QString();
}

void TstBadInput::oddLabelTextsAreDrawnAndCopied()
{
    QFETCH(QString, text);
    Harness& h = *m_h;
    const ResultGrid left = h.st.kekaL15;
    QTest::mouseClick(h.test.cmdKeka, Qt::LeftButton);
    FrmBetu* sheet = h.program.resultSheet().window();
    QVERIFY(sheet);

    for (QComboBox* combo : {sheet->cmbo1, sheet->cmbo2}) {
        combo->setEditText(QString());
        typeText(combo, text);
        // What the keyboard cannot deliver (a lone surrogate) can still arrive by pasting.
        if (combo->currentText().isEmpty())
            combo->setEditText(text);
    }
    QCOMPARE(sheet->cmbo1->currentText().isEmpty(), text.isEmpty());
    QTest::mouseClick(h.test.cmdKeka, Qt::LeftButton);
    QTest::mouseClick(sheet->cmdCopy, Qt::LeftButton);
    QCOMPARE(h.fakes.copies, 1);
    QCOMPARE(h.fakes.clipboard.size(), sheet->size());
    QCOMPARE(h.st.kekaL15, left);
}

void TstBadInput::aWindowShrunkToAFewPixelsComesBackWhole()
{
    Harness& h = *m_h;
    const ResultGrid left = h.st.kekaL15;
    const QSizeF mark = h.test.userRect(h.test.shp1).size();
    for (const QSize& tiny : {QSize(1, 1), QSize(3, 2), QSize(1, 400), QSize(400, 1)}) {
        h.test.resize(tiny);
        QCOMPARE(h.test.picture().size(), tiny);
    }
    h.test.showMinimized();
    QCoreApplication::processEvents();
    h.test.showNormal();
    h.test.resize(800, 644);
    QCOMPARE(h.st.kekaL15, left);
    QCOMPARE(h.test.picture().size(), QSize(800, 644));
    // The mark is back at the centre, with its size.
    const QRectF now = h.test.userRect(h.test.shp1);
    QVERIFY(qAbs(now.center().x() - 10) <= h.test.toUnitsX(1));
    QVERIFY(qAbs(now.width() - mark.width()) <= h.test.toUnitsX(1));
}

void TstBadInput::clicksAtTheEdgesAndBetweenPointsKeepTheResults()
{
    Harness& h = *m_h;
    const ResultGrid left = h.st.kekaL15;
    QTest::mouseClick(h.test.cmdRgt, Qt::LeftButton);
    const QSize size = h.test.size();
    const QPoint places[] = {{0, 0},
                             {size.width() - 1, 0},
                             {0, size.height() - 1},
                             {size.width() - 1, size.height() - 1},
                             {20, 20},
                             {size.width() - 5, 30}};
    int clicks = 0;
    while (h.st.swtRgt) {
        QVERIFY(h.clock.advance());
        const QPoint at = places[clicks++ % std::size(places)];
        QTest::mouseClick(&h.test, Qt::LeftButton, {}, at);
    }
    // Every point was answered, wherever the click landed; the left eye kept its results.
    QCOMPARE(h.st.kekaR15.takenCount(), grids::kFine.points());
    for (int a = 0; a < grids::kFine.columns; ++a)
        for (int b = 0; b < grids::kFine.rows; ++b)
            QCOMPARE(h.st.kekaR15.at(a, b), ResultGrid::kSeen);
    QCOMPARE(h.st.kekaL15, left);
}

void TstBadInput::aFixationPointDraggedOffTheFieldStillDraws()
{
    Harness& h = *m_h;
    QTest::mousePress(&h.test, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 10));
    QTest::mouseMove(&h.test, QPoint(-200, 5000));
    QTest::mouseRelease(&h.test, Qt::LeftButton, Qt::ShiftModifier, QPoint(-200, 5000));
    QVERIFY(h.st.x2 < 0 && h.st.y2 > 16.1);
    QTest::mouseClick(h.test.cmdRgt, Qt::LeftButton);
    QCOMPARE(h.st.x2R, h.st.x2);
    QTest::mouseClick(h.test.cmdStp, Qt::LeftButton);
    QTest::mouseClick(h.test.cmdKeka, Qt::LeftButton);
    QVERIFY(h.program.resultSheet().window()->isVisible());
    QCOMPARE(h.st.kekaL15.takenCount(), grids::kFine.points());
}

SHIYA_TEST_MAIN(TstBadInput)
#include "tst_badinput.moc"
