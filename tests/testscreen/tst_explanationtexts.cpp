#include "support/harness.h"

#include "support/testmain.h"

#include <QtTest>

namespace {

const QString kUpperText = QStringLiteral(
    "＝ 説明 ＝\r\n"
    "下の[左眼]または[右眼]をクリックすると始まります｡\r\n"
    "白点が見えたら、ボタン以外の画面の何処かをクリックしてください。\r\n"
    "白点は0.3秒間現れて消えます｡次の白点が出るまでにクリックしてください。\r\n"
    "片方が終わったら、もう片方(右または左)を始めてください｡ 各々別に結果を保存します。\r\n"
    "両方(片方だけでもよい)終わったら、[結果]をクリックしてください｡\r\n"
    "白丸が見えたところ、黒丸が見えなかったところです｡（未検査部分は総て×になります）\r\n"
    "別表[結果]ウィンドウの下の[コピー]をクリックして、ワードなどに貼り付けてください｡\r\n"
    "貼り付けた表の｢白点の大きさ｣は、左右各々の検査が終わったときの大きさです。\r\n"
    "[左|▼]には文字入力出来ます。○●が一度消えますので[結果]をクリックしてください。\r\n"
    "[結果]をクリックしても更新しなかったら、別表の右上[×]で閉じて開き直してください｡\r\n"
    "検査中のプログラムは、[止]をクリックして停止すると終了できます｡");

// The lower text with its lines 2 and 3 for one grid mode.
QString lowerText(const QString& line2, const QString& line3)
{
    return QStringLiteral("＝ 説明 つづき＝\r\n") + line2 + QStringLiteral("\r\n") + line3
           + QStringLiteral(
               "\r\n"
               "[小]をクリックすると白点が[小(白)→中(明灰)→大(灰)→小(白)→]と順に替わります｡\r\n"
               "[濃]をクリックすると背景の濃さが[灰→濃灰→黒→灰]と５段階で変わります｡\r\n"
               "[Shift]キーを押しながらドラッグすると、中心の●を移動できます｡("
               "左右別にセットできます)\r\n"
               "この説明文上では、消さないと移動しないことがあります｡\r\n"
               "移動は[左眼]または[右眼]をクリックして始めると、別表[結果]に反映します｡\r\n"
               "30～40cmの距離から見ると、健康な人でも左右の眼の盲点は｢見えない｣と出ます｡\r\n"
               "この説明は、[説明]をクリックすると現れたり隠れたりします｡");
}

const QString kFineLine2 = QStringLiteral(
    "[視野検査(15×19)]は片方で約４分半かかります。 [早]をクリックすると約７分になります｡");
const QString kFineLine3 = QStringLiteral(
    "[細]をクリックして[粗]にすると[視野検査(11×13)]と、検査個所が少なくなります。");
const QString kCoarseLine2 = QStringLiteral(
    "[視野検査(11×13)]は片方で約２分かかります。 [早]をクリックすると約３分半になります｡");
const QString kCoarseLine3
    = QStringLiteral("[粗]をクリックして[細]にすると[視野検査(15×19)]と、検査個所が多くなります。");

} // namespace

class TstExplanationTexts : public QObject {
    Q_OBJECT
private slots:
    void labelsShowTheTextsOfTheMode_data();
    void labelsShowTheTextsOfTheMode();
    void labelsAreTransparentAndFitTheirText();
    void eachLineBreakStartsOneNewLine();
};

void TstExplanationTexts::labelsShowTheTextsOfTheMode_data()
{
    QTest::addColumn<int>("switches");
    QTest::addColumn<QString>("lower");
    QTest::newRow("at start: fine") << 0 << lowerText(kFineLine2, kFineLine3);
    QTest::newRow("after a switch: coarse") << 1 << lowerText(kCoarseLine2, kCoarseLine3);
    QTest::newRow("after switching back: fine") << 2 << lowerText(kFineLine2, kFineLine3);
}

void TstExplanationTexts::labelsShowTheTextsOfTheMode()
{
    QFETCH(int, switches);
    QFETCH(QString, lower);
    Harness h(kClient);
    for (int i = 0; i < switches; ++i)
        h.test.cmdKae->click();

    QCOMPARE(h.test.lblRdme[0]->text(), kUpperText);
    QCOMPARE(h.test.lblRdme[1]->text(), lower);
}

void TstExplanationTexts::labelsAreTransparentAndFitTheirText()
{
    Harness h(kClient);
    for (int i = 0; i < 2; ++i) {
        for (const QLabel* label : h.test.lblRdme) {
            QVERIFY(!label->autoFillBackground());
            QCOMPARE(label->size(), label->sizeHint());
        }
        h.test.cmdKae->click();
    }

    // The window's background shows through beside the short first line, whatever its step.
    for (int i = 0; i < 4; ++i)
        h.test.cmdHaik->click();
    const QRect upper = h.test.lblRdme[0]->geometry();
    const QImage window = h.test.grab(upper).toImage();
    QCOMPARE(window.pixelColor(upper.width() - 2, 3), QColor(0, 0, 0));
}

void TstExplanationTexts::eachLineBreakStartsOneNewLine()
{
    Harness h(kClient);
    for (const QLabel* label : h.test.lblRdme) {
        QLabel plain;
        plain.setFont(label->font());
        plain.setText(label->text().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        plain.adjustSize();
        QCOMPARE(label->height(), plain.height());
    }
}

SHIYA_TEST_MAIN(TstExplanationTexts)

#include "tst_explanationtexts.moc"
