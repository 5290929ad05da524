#include "platform/application.h"
#include "platform/identity.h"
#include "platform/services.h"
#include "program.h"

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    // The Wayland app_id: the compositor finds the menu entry, and with it the icon, by it.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(identity::kAppId));
    Program program(Services::system());
    program.start();
    return Application::exec();
}
