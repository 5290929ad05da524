// Writes the program's icon as PNG files for the icon theme, and as one Windows icon file of
// the sizes up to 256 (icon.ico): iconwriter <dir> <size>...
#include "platform/fonts.h"
#include "windows/icons.h"

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

// An .ico file whose images are PNGs, as Windows reads them since Vista.
bool writeIco(const QString& file, const QList<int>& sizes)
{
    QList<QByteArray> pngs;
    for (const int size : sizes) {
        QBuffer png;
        png.open(QIODevice::WriteOnly);
        if (!icons::testWindowImage(size).save(&png, "PNG"))
            return false;
        pngs.append(png.data());
    }
    QFile ico(file);
    if (!ico.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&ico);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pngs.size()); // reserved, an icon, images
    quint32 offset = 6 + 16 * pngs.size();
    for (int i = 0; i < pngs.size(); ++i) {
        const auto side = quint8(sizes[i] % 256); // 0 stands for 256
        out << side << side << quint8(0) << quint8(0) << quint16(1) << quint16(32)
            << quint32(pngs[i].size()) << offset;
        offset += pngs[i].size();
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    return out.status() == QDataStream::Ok && ico.flush();
}

} // namespace

int main(int argc, char* argv[])
{
    fonts::mapDesignTypeface();
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: iconwriter <dir> <size>...\n");
        return 2;
    }
    const QDir dir(args.at(1));
    QList<int> icoSizes;
    for (int i = 2; i < args.size(); ++i) {
        const int size = args.at(i).toInt();
        const QString file = dir.filePath(QStringLiteral("icon-%1.png").arg(size));
        if (size <= 0 || !icons::testWindowImage(size).save(file)) {
            std::fprintf(stderr, "iconwriter: cannot write %s\n", qPrintable(file));
            return 1;
        }
        if (size <= 256)
            icoSizes.append(size);
    }
    const QString ico = dir.filePath(QStringLiteral("icon.ico"));
    if (!writeIco(ico, icoSizes)) {
        std::fprintf(stderr, "iconwriter: cannot write %s\n", qPrintable(ico));
        return 1;
    }
    return 0;
}
