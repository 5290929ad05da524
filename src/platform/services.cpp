#include "platform/services.h"

#include "platform/systembeep.h"

#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QImage>

UniformRandom::UniformRandom(std::uint64_t seed)
    : m_engine(seed)
{
}

double UniformRandom::operator()()
{
    // The top 53 bits as a fraction: strictly below 1, which a distribution object does
    // not promise for every engine.
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

Services Services::system()
{
    Services services;
    const auto seed = static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch());
    services.random = UniformRandom(seed ^ std::random_device{}());
    services.today = [] { return QDate::currentDate(); };
    services.locale = QLocale::system();
    services.copyImage = [](const QImage& image) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard || image.isNull())
            return false;
        clipboard->clear();
        clipboard->setImage(image);
        return true;
    };
    services.beep = systemBeep();
    services.quit = [] { QCoreApplication::quit(); };
    return services;
}
