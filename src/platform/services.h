#pragma once

#include <QDate>
#include <QLocale>

#include <cstdint>
#include <functional>
#include <random>

class QImage;

// A pseudo-random generator uniform on [0, 1).
class UniformRandom {
public:
    explicit UniformRandom(std::uint64_t seed);
    double operator()();

private:
    std::mt19937_64 m_engine;
};

// What the program takes from the world outside its windows. The program uses the real
// ones (system()); tests put in their own so that runs, dates and copies are reproducible.
struct Services {
    std::function<double()> random; // uniform on [0, 1)
    std::function<QDate()> today;
    QLocale locale; // gives the long date format
    std::function<bool(const QImage&)> copyImage; // false when the clipboard was not written
    std::function<void()> beep; // returns at once, the sound plays meanwhile
    std::function<void()> quit;

    static Services system();
};
