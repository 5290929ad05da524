#pragma once

#include "platform/application.h"
#include "platform/fonts.h"

#include <QTest>

// main() of a QtTest executable, with the program's own application.
#define SHIYA_TEST_MAIN(TestClass)                                                                 \
    int main(int argc, char* argv[])                                                               \
    {                                                                                              \
        Application app(argc, argv);                                                               \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
