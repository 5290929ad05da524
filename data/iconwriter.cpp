// Writes the program's icon as PNG files for the icon theme: iconwriter <dir> <size>...
#include "platform/fonts.h"
#include "windows/icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

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
    for (int i = 2; i < args.size(); ++i) {
        const int size = args.at(i).toInt();
        const QString file = dir.filePath(QStringLiteral("icon-%1.png").arg(size));
        if (size <= 0 || !icons::testWindowImage(size).save(file)) {
            std::fprintf(stderr, "iconwriter: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
