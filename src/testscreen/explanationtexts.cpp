#include "testscreen/explanationtexts.h"

#include "testrun/teststate.h"
#include "windows/testwindow.h"

#include <QLabel>
#include <QStringList>

namespace explanation {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

void fill(QLabel* label, const QString& text)
{
    label->setAutoFillBackground(false);
    label->setText(text);
    label->adjustSize();
}

} // namespace

QString upperText()
{
    return QStringList{
        QStringLiteral("＝ 説明 ＝"),
        QStringLiteral("下の[左眼]または[右眼]をクリックすると始まります｡"),
        QStringLiteral("白点が見えたら、ボタン以外の画面の何処かをクリックしてください。"),
        QStringLiteral("白点は0.3秒間現れて消えます｡次の白点が出るまでにクリックしてください。"),
        QStringLiteral(
            "片方が終わったら、もう片方(右または左)を始めてください｡ 各々別に結果を保存します。"),
        QStringLiteral("両方(片方だけでもよい)終わったら、[結果]をクリックしてください｡"),
        QStringLiteral(
            "白丸が見えたところ、黒丸が見えなかったところです｡（未検査部分は総て×になります）"),
        QStringLiteral(
            "別表[結果]ウィンドウの下の[コピー]をクリックして、ワードなどに貼り付けてください｡"),
        QStringLiteral(
            "貼り付けた表の｢白点の大きさ｣は、左右各々の検査が終わったときの大きさです。"),
        QStringLiteral(
            "[左|▼]には文字入力出来ます。○●が一度消えますので[結果]をクリックしてください。"),
        QStringLiteral(
            "[結果]をクリックしても更新しなかったら、別表の右上[×]で閉じて開き直してください｡"),
        QStringLiteral("検査中のプログラムは、[止]をクリックして停止すると終了できます｡"),
    }
        .join(kLineBreak);
}

QString lowerText(const GridMode& mode)
{
    return QStringList{
        QStringLiteral("＝ 説明 つづき＝"),
        QString::fromUtf8(mode.timeLine),
        QString::fromUtf8(mode.switchLine),
        QStringLiteral(
            "[小]をクリックすると白点が[小(白)→中(明灰)→大(灰)→小(白)→]と順に替わります｡"),
        QStringLiteral("[濃]をクリックすると背景の濃さが[灰→濃灰→黒→灰]と５段階で変わります｡"),
        QStringLiteral("[Shift]キーを押しながらドラッグすると、中心の●を移動できます｡("
                       "左右別にセットできます)"),
        QStringLiteral("この説明文上では、消さないと移動しないことがあります｡"),
        QStringLiteral("移動は[左眼]または[右眼]をクリックして始めると、別表[結果]に反映します｡"),
        QStringLiteral("30～40cmの距離から見ると、健康な人でも左右の眼の盲点は｢見えない｣と出ます｡"),
        QStringLiteral("この説明は、[説明]をクリックすると現れたり隠れたりします｡"),
    }
        .join(kLineBreak);
}

void setRdmText(const TestState& state, FrmTest& test)
{
    fill(test.lblRdme[0], upperText());
    fill(test.lblRdme[1], lowerText(gridMode(state)));
}

} // namespace explanation
