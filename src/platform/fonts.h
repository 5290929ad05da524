#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <future>

namespace fonts {

// The typeface all windows are designed in.
QString windowFamily();
// That typeface at a size, in normal weight.
QFont windowFont(double points);
// Its names: the Japanese one and the English one.
QStringList designNames();
// The Japanese proportional gothics it maps onto where the system lacks it, best first:
// IPAPGothic has the metrics closest to it, the others are fallbacks should it be missing.
QStringList japaneseGothics();

// Maps the design typeface onto a Japanese proportional gothic where the system lacks it.
// Must run before the first font is resolved, on the thread that resolves fonts. With
// fontconfig it reads fontconfig's configuration first unless that is done; on Windows it
// needs the application and loads the program's own copy of IPAPGothic if need be.
void mapDesignTypeface();

// Readies the system's fonts, where that takes long on a thread of its own from its
// construction on (fontconfig's configuration), so that it overlaps the connection to the
// display; wait() returns once the fonts are ready and the design typeface is mapped. The
// first text the program lays out would otherwise read them on the GUI thread.
class SystemFontsLoader {
public:
    SystemFontsLoader();
    void wait();

private:
    std::future<int> m_read; // the background read, where there is one
};

} // namespace fonts
