#include "platform/fonts.h"

#include <QByteArray>
#include <QFont>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace fonts {

// An alias in fontconfig first, Qt's substitutes only should fontconfig refuse it: for a
// family with substitutes, Qt asks fontconfig for the whole sorted list of installed fonts
// for every script a text uses under both the design name and the substitute's, which takes
// longer the more fonts a desktop has.
void mapDesignTypeface()
{
    const QStringList gothics = japaneseGothics();
    const QStringList names = designNames();
    QString prefer;
    for (const QString& family : gothics)
        prefer += QStringLiteral("<family>%1</family>").arg(family);
    QString aliases;
    for (const QString& name : names) {
        aliases += QStringLiteral("<alias binding=\"same\"><family>%1</family><prefer>%2</prefer>"
                                  "</alias>")
                       .arg(name, prefer);
    }
    const QByteArray config = QStringLiteral("<?xml version=\"1.0\"?><fontconfig>%1</fontconfig>")
                                  .arg(aliases)
                                  .toUtf8();
    FcInit();
    if (FcConfigParseAndLoadFromMemory(
            FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(config.constData()), FcTrue))
        return;
    for (const QString& name : names)
        QFont::insertSubstitutions(name, gothics);
}

SystemFontsLoader::SystemFontsLoader()
    // FcInit() keeps what it reads as fontconfig's current configuration, which Qt's font
    // database then uses as it is.
    : m_read(std::async(std::launch::async, FcInit))
{
}

void SystemFontsLoader::wait()
{
    if (!m_read.valid())
        return;
    m_read.get();
    // On the GUI thread: the configuration must not change under a lookup of Qt's.
    mapDesignTypeface();
}

} // namespace fonts
