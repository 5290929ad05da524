// The baseline: the least a Qt Widgets program does to show one maximised empty window.
#include "firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bench_minimal"));
    new FirstPaintProbe("bench_minimal", &window);
    startGiveUpTimer(30);
    window.showMaximized();
    return QApplication::exec();
}
