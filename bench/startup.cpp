// The program's own start-up (as main.cpp does it), up to the first paint of the maximised
// test window.
#include "firstpaint.h"

#include "platform/application.h"
#include "platform/services.h"
#include "program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Program program(Services::system());
    new FirstPaintProbe("bench_startup", &program.testWindow());
    startGiveUpTimer(30);
    program.start();
    return QApplication::exec();
}
