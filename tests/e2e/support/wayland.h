#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

// The Wayland counterparts of the X helpers in desktop.h, for tests that run the program on
// a headless sway (see run-under-wayland.sh): window facts from sway's tree, screenshots with
// grim, the clipboard through wl-paste, and a pointer of the compositor's own seat. The test
// process itself needs no display.
namespace e2e::wayland {

// Runs a sway command (swaymsg); whether sway carried it out.
bool swaymsg(const QString& command);

// A window as sway's tree shows it. Rectangles are in the layout's logical coordinates.
struct Window {
    qint64 id = 0; // sway's container id, for commands: [con_id=<id>] ...
    QString appId;
    QString title;
    QRect content; // the client's surface, without sway's border
};

// The windows of the tree with exactly this title.
QList<Window> findWindows(const QString& title);
// Waits until exactly one window has this title; whether it did (*window is then set).
bool waitForWindow(const QString& title, Window* window, int timeoutMs);

// The output (the only one) in logical coordinates, and its scale.
QRect outputArea();
double outputScale();

// The whole output as it shows now, at its device pixels.
QImage screenshot();
// The window's surface as the output shows it now, at the output's device pixels.
QImage clientImage(const Window& window);

// What the clipboard holds as this type; empty if it holds nothing of it.
QByteArray clipboard(const QString& type);

// A pointer device of the compositor's seat, created by a client of the test's own
// ($SHIYA_VIRTUAL_POINTER) that lives as long as this object.
class Pointer {
public:
    Pointer() = default;
    ~Pointer();
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    // False, with the reason in errorString(), if the client could not create the pointer.
    bool start();
    QString errorString() const { return m_error; }
    // A left click at a point of the window's surface in the output's device pixels (of a
    // picture that clientImage() took).
    bool click(const Window& window, QPoint at);

private:
    bool send(const QByteArray& line);

    QProcess m_client;
    QString m_error;
};

} // namespace e2e::wayland
