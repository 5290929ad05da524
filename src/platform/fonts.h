#pragma once

#include <QFont>
#include <QString>

#include <future>

namespace fonts {

// The typeface all windows are designed in.
QString windowFamily();
// That typeface at a size, in normal weight.
QFont windowFont(double points);

// Maps the design typeface onto a Japanese proportional gothic of this system, reading
// fontconfig's configuration first unless that is done. Must run before the first font is
// resolved, on the thread that resolves fonts.
void mapDesignTypeface();

// Reads the system's font configuration on a thread of its own from its construction on,
// so that it overlaps the connection to the display; wait() returns once it is read and the
// design typeface's alias is in place. The first text the program lays out would otherwise
// read it on the GUI thread.
class SystemFontsLoader {
public:
    SystemFontsLoader();
    void wait();

private:
    std::future<int> m_read;
};

} // namespace fonts
