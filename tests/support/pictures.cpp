#include "support/pictures.h"

#include "platform/canvas.h"

#include <QPainter>

void printAt(QPainter& painter, const QPoint& topLeft, const QString& text)
{
    painter.drawText(topLeft + QPoint(0, painter.fontMetrics().ascent()), text);
}

QImage pictureWith(const Canvas& window, const QColor& background,
                   std::initializer_list<PrintedText> texts)
{
    QImage image(window.picture().size(), window.picture().format());
    image.setDotsPerMeterX(window.picture().dotsPerMeterX());
    image.setDotsPerMeterY(window.picture().dotsPerMeterY());
    image.fill(background);
    QPainter painter(&image);
    for (const PrintedText& t : texts) {
        QFont font = window.font();
        font.setPointSizeF(t.points);
        painter.setFont(font);
        painter.setPen(t.colour);
        const QPoint corner(qRound(window.toPixelsX(t.topLeft.x())),
                            qRound(window.toPixelsY(t.topLeft.y())));
        printAt(painter, corner, t.text);
    }
    return image;
}

QString differences(const QImage& actual, const QImage& expected)
{
    if (actual.size() != expected.size())
        return QStringLiteral("picture is %1 x %2, expected %3 x %4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    QString first;
    for (int y = 0; y < a.height(); ++y) {
        const auto* aLine = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* eLine = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (aLine[x] != eLine[x] && count++ == 0)
                first = QStringLiteral("(%1, %2) is %3, expected %4")
                            .arg(x)
                            .arg(y)
                            .arg(QColor(aLine[x]).name(), QColor(eLine[x]).name());
        }
    }
    return count == 0 ? QString()
                      : QStringLiteral("%1 pixels differ, first %2").arg(count).arg(first);
}

namespace {

int squaredDistance(QRgb a, QRgb b)
{
    const int r = qRed(a) - qRed(b);
    const int g = qGreen(a) - qGreen(b);
    const int bl = qBlue(a) - qBlue(b);
    return r * r + g * g + bl * bl;
}

} // namespace

bool isInk(QRgb pixel, QRgb ink, QRgb background)
{
    return squaredDistance(pixel, ink) < squaredDistance(pixel, background);
}

QString compareInk(const QImage& actual, const QImage& expected, const QColor& ink,
                   const QColor& background, bool subset, const QRegion& ignore)
{
    const QImage a = actual.convertToFormat(QImage::Format_RGB32);
    const QImage e = expected.convertToFormat(QImage::Format_RGB32);
    const QRgb inkRgb = ink.rgb();
    const QRgb backgroundRgb = background.rgb();
    int expectedInk = 0;
    int missing = 0;
    int extra = 0;
    QString first;
    for (int y = 0; y < e.height(); ++y) {
        const auto* aLine = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* eLine = reinterpret_cast<const QRgb*>(e.constScanLine(y));
        for (int x = 0; x < e.width(); ++x) {
            const bool isExpected = isInk(eLine[x], inkRgb, backgroundRgb);
            const bool isActual = isInk(aLine[x], inkRgb, backgroundRgb);
            expectedInk += isExpected ? 1 : 0;
            if (isExpected == isActual || (subset && !isExpected) || ignore.contains(QPoint(x, y)))
                continue;
            if (first.isEmpty())
                first = QStringLiteral("%1 at (%2, %3)")
                            .arg(isExpected ? "missing" : "extra")
                            .arg(x)
                            .arg(y);
            ++(isExpected ? missing : extra);
        }
    }
    if (expectedInk == 0)
        return QStringLiteral("the expected picture has no ink");
    if (missing == 0 && extra == 0)
        return QString();
    return QStringLiteral("%1 of %2 ink pixels missing, %3 extra; first %4")
        .arg(missing)
        .arg(expectedInk)
        .arg(extra)
        .arg(first);
}
