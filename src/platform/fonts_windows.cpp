#include "platform/fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>

namespace fonts {

void mapDesignTypeface()
{
    // Every Windows 10 and 11 has the design typeface itself.
    if (QFontDatabase::hasFamily(windowFamily()))
        return;
    // Elsewhere the package's own IPAPGothic, registered for this program alone. Qt's own
    // fallback for the Japanese text might otherwise be a Chinese or Korean face.
    const QDir here(QCoreApplication::applicationDirPath());
    QFontDatabase::addApplicationFont(here.filePath(QStringLiteral("fonts/ipagp.ttf")));
    for (const QString& name : designNames())
        QFont::insertSubstitutions(name, japaneseGothics());
}

// Windows' font list is read with the application; nothing to read ahead of it.
SystemFontsLoader::SystemFontsLoader() = default;

void SystemFontsLoader::wait()
{
    mapDesignTypeface();
}

} // namespace fonts
