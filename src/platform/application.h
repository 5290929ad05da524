#pragma once

#include "platform/fonts.h"

#include <QApplication>

// The application with the program's typeface: the design typeface is mapped onto a
// Japanese gothic before any text is laid out, and is the application's font afterwards.
// The loader is the first base, so the fonts load while the application connects to the
// display.
class Application : private fonts::SystemFontsLoader, public QApplication {
public:
    Application(int& argc, char** argv);
};
