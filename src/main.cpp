#include "platform/fonts.h"
#include "platform/services.h"
#include "program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    fonts::installSubstitutions();
    QApplication app(argc, argv);
    QApplication::setFont(fonts::windowFont(9));
    Program program(Services::system());
    program.start();
    return QApplication::exec();
}
