#include "platform/application.h"

namespace {

// Runs before QApplication's constructor: the substitutions must be in place before any
// font is resolved.
int& withFontSubstitutions(int& argc)
{
    fonts::installSubstitutions();
    return argc;
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(withFontSubstitutions(argc), argv)
{
    wait();
    setFont(fonts::windowFont(9));
}
