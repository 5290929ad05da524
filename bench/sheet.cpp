// The result sheet: the full drawing of the fine sheet by the results button (570 marks),
// the copy of the freshly drawn sheet to the system clipboard (a copy of its picture handed
// over), and the PNG encoding a word processor's paste then asks for.
// Prints:
//   RESULT bench_sheet draw_median_ms=.. draw_max_ms=.. copy_median_ms=.. copy_max_ms=..
//          png_median_ms=..
#include "platform/application.h"
#include "platform/services.h"
#include "program.h"
#include "windows/resultwindow.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

constexpr int kRepeats = 50;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char* argv[])
{
    Application app(argc, argv);
    Program program(Services::system());
    program.start();
    QApplication::processEvents();

    // Both eyes tested, with a realistic mixture of seen and unseen points.
    std::mt19937 random(7);
    TestState& state = program.state();
    for (ResultGrid* grid : {&state.kekaL15, &state.kekaR15})
        for (int a = 0; a < 19; ++a)
            for (int b = 0; b < 15; ++b)
                grid->set(a, b, random() % 5 ? ResultGrid::kSeen : ResultGrid::kNotSeen);

    QElapsedTimer clock;
    std::vector<double> draws;
    for (int i = 0; i < kRepeats; ++i) {
        clock.start();
        program.testWindow().cmdKeka->click();
        draws.push_back(clock.nsecsElapsed() / 1e6);
        QApplication::processEvents(); // let the window show what was drawn
    }

    FrmBetu* sheet = program.resultSheet().window();
    std::vector<double> copies;
    std::vector<double> pngs;
    for (int i = 0; i < kRepeats; ++i) {
        program.testWindow().cmdKeka->click();
        QApplication::processEvents();
        clock.start();
        sheet->cmdCopy->click();
        copies.push_back(clock.nsecsElapsed() / 1e6);
        QApplication::processEvents();

        QBuffer png;
        png.open(QIODevice::WriteOnly);
        clock.start();
        sheet->picture().save(&png, "PNG");
        pngs.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::printf("RESULT bench_sheet draw_median_ms=%.3f draw_max_ms=%.3f copy_median_ms=%.3f "
                "copy_max_ms=%.3f png_median_ms=%.3f\n",
                median(draws), *std::max_element(draws.begin(), draws.end()), median(copies),
                *std::max_element(copies.begin(), copies.end()), median(pngs));
    return 0;
}
