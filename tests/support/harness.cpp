#include "support/harness.h"

#include <QApplication>
#include <QTest>

namespace {

Services fakeServices(Fakes& fakes, std::uint64_t seed)
{
    Services services;
    services.random = UniformRandom(seed);
    services.today = [&fakes] { return fakes.today; };
    services.locale = QLocale(QLocale::Japanese, QLocale::Japan);
    services.copyImage = [&fakes](const QImage& image) {
        if (fakes.clipboardFails)
            return false;
        ++fakes.copies;
        fakes.clipboard = image;
        return true;
    };
    services.beep = [&fakes] { ++fakes.beeps; };
    services.quit = [&fakes] { ++fakes.quits; };
    return services;
}

} // namespace

Harness::Harness(std::uint64_t seed)
    : program(fakeServices(fakes, seed))
    , st(program.state())
    , test(program.testWindow())
{
}

void Harness::show(int width, int height)
{
    test.setWindowState(Qt::WindowNoState);
    test.show();
    test.resize(width, height);
    QApplication::processEvents();
}
