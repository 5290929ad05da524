#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace fonts {

QString windowFamily()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

QFont windowFont(double points)
{
    QFont font(windowFamily());
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

void installSubstitutions()
{
    // IPAPGothic has the metrics closest to the design typeface; the others are CJK
    // fallbacks should it be missing.
    const QStringList japaneseGothics = {
        QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
        QStringLiteral("VL PGothic"),       QStringLiteral("TakaoPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Droid Sans Japanese"),
    };
    QFont::insertSubstitutions(windowFamily(), japaneseGothics);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), japaneseGothics);
}

SystemFontsLoader::SystemFontsLoader()
    // FcInit() keeps what it reads as fontconfig's current configuration, which Qt's font
    // database then uses as it is.
    : m_read(std::async(std::launch::async, FcInit))
{
}

void SystemFontsLoader::wait()
{
    if (m_read.valid())
        m_read.get();
}

} // namespace fonts
