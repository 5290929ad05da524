#pragma once

#include "program.h"

#include <QDate>
#include <QImage>

#include <cstdint>

// What the program sent to the world outside its windows during a test.
struct Fakes {
    int beeps = 0;
    int quits = 0;
    int copies = 0;
    bool clipboardFails = false;
    QImage clipboard;
    QDate today{2026, 12, 7};
};

// The whole program with reproducible services: a seeded random generator, a fixed date in
// a Japanese locale, and a clipboard, beep and quit that only count.
class Harness {
public:
    explicit Harness(std::uint64_t seed = 20261207);

    // Shows the test window as a normal window with a client area of this size.
    void show(int width = 1000, int height = 805);

    template <typename T>
    T* find(const QString& name) const
    {
        return test.findChild<T*>(name);
    }

    Fakes fakes;
    Program program;
    TestState& st;
    FrmTest& test;
};
