#include "platform/application.h"

#include "platform/fonts.h"

namespace {

// Runs before QApplication's constructor: the substitutions must be in place before any
// font is resolved, and the fonts load while the application connects to the display.
int& withFontSubstitutions(int& argc)
{
    fonts::startLoadingSystemFonts();
    fonts::installSubstitutions();
    return argc;
}

} // namespace

Application::Application(int& argc, char** argv)
    : QApplication(withFontSubstitutions(argc), argv)
{
    fonts::waitForSystemFonts();
    setFont(fonts::windowFont(9));
}
