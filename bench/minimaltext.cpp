// A second baseline: the least a Qt Widgets program does to show one maximised window with
// one line of Japanese text, in the typeface the program uses. It pays, as the program does,
// for loading the system's fonts and shaping Japanese, which an empty window never does.
// It maps the typeface the plain Qt way, and on its own, so that the program's font set-up
// is measured against it rather than changing it.
#include "firstpaint.h"

#include "platform/fonts.h"

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QFont::insertSubstitutions(fonts::windowFamily(),
                               {QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                QStringLiteral("VL PGothic"), QStringLiteral("TakaoPGothic"),
                                QStringLiteral("Noto Sans CJK JP"),
                                QStringLiteral("Droid Sans Japanese")});
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bench_minimal_text"));
    auto* label = new QLabel(QStringLiteral("↑ここを見続けてください。"), &window);
    label->setFont(fonts::windowFont(11));
    label->move(100, 100);
    new FirstPaintProbe("bench_minimal_text", &window);
    startGiveUpTimer(30);
    window.showMaximized();
    return QApplication::exec();
}
