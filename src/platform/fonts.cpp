#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <future>

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

namespace {

std::future<FcBool>& systemFontsLoader()
{
    static std::future<FcBool> loader;
    return loader;
}

} // namespace

void startLoadingSystemFonts()
{
    // FcInit() keeps what it reads as fontconfig's current configuration, which Qt's font
    // database then uses as it is.
    systemFontsLoader() = std::async(std::launch::async, FcInit);
}

void waitForSystemFonts()
{
    if (systemFontsLoader().valid())
        systemFontsLoader().get();
}

} // namespace fonts
