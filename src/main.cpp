#include "platform/application.h"
#include "platform/services.h"
#include "program.h"

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Program program(Services::system());
    program.start();
    return Application::exec();
}
