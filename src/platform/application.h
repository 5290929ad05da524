#pragma once

#include <QApplication>

// The application with the program's typeface: the design typeface is mapped onto a
// Japanese gothic before the application exists, and is the application's font afterwards.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);
};
