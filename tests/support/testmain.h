#pragma once

#include "platform/fonts.h"

#include <QApplication>
#include <QTest>

// main() of a QtTest executable: the font substitutions go in before the application
// exists, as in the program's own main().
#define SHIYA_TEST_MAIN(TestClass)                                                             \
    int main(int argc, char* argv[])                                                           \
    {                                                                                          \
        fonts::installSubstitutions();                                                         \
        QApplication app(argc, argv);                                                          \
        QApplication::setFont(fonts::windowFont(9));                                           \
        TestClass test;                                                                        \
        return QTest::qExec(&test, argc, argv);                                                \
    }
