#include "platform/application.h"

Application::Application(int& argc, char** argv)
    : QApplication(argc, argv)
{
    wait();
    setFont(fonts::windowFont(9));
}
