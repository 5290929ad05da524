#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

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

QStringList designNames()
{
    return {windowFamily(), QStringLiteral("MS PGothic")};
}

QStringList japaneseGothics()
{
    return {
        QStringLiteral("IPAPGothic"),       QStringLiteral("IPAGothic"),
        QStringLiteral("VL PGothic"),       QStringLiteral("TakaoPGothic"),
        QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Droid Sans Japanese"),
    };
}

} // namespace fonts
