#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

// Helpers for end-to-end tests: they drive the real program on the X display the test runs
// on (see run-under-x.sh) with the X tools xdotool, xprop, xwininfo and wmctrl, and look at
// it through screenshots. The test process itself must be a Qt application on the xcb
// platform, which is what the screenshots are taken through.
namespace e2e {

// Time limits. Waits end as soon as their condition holds, so they can be generous: a
// sanitizer build starts several times slower than a release build.
constexpr int kStartTimeoutMs = 30000;
constexpr int kSettleTimeoutMs = 15000;
constexpr int kExitTimeoutMs = 20000;

// Polls the condition, keeping the test's event loop running in between, until it holds
// or the time is up. Returns whether it held.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs, int intervalMs = 25);

// What an external tool did.
struct ToolResult {
    int exitCode = -1; // -1: it did not start, crashed or ran out of time
    QByteArray out;
    QByteArray err;
    bool ok() const { return exitCode == 0; }
};

// Runs a command line tool to its end, with the given standard input.
ToolResult runTool(const QString& program, const QStringList& arguments,
                   const QByteArray& input = {}, int timeoutMs = 10000);

// The program under test, started as a child of the test process. Its output goes to the
// test's output. It is stopped when this object goes, and dies with the test process.
class ProgramUnderTest {
public:
    ProgramUnderTest() = default;
    ~ProgramUnderTest();
    ProgramUnderTest(const ProgramUnderTest&) = delete;
    ProgramUnderTest& operator=(const ProgramUnderTest&) = delete;

    // The executable: $SHIYA_PROGRAM, which the build sets for every end-to-end test. It is
    // started through $SHIYA_PROGRAM_LAUNCHER, a command line, if that is set (the Windows
    // program through win/wine.sh). $SHIYA_PROGRAM_SCALE, if set, is the scale factor a
    // whole test runs the program at (its QT_SCALE_FACTOR).
    static QString executable();

    // Starts it, with these NAME=value settings put into the test's environment; false (with
    // the reason in errorString()) if it could not be started.
    bool start(const QStringList& arguments = {}, const QStringList& environment = {});
    bool isRunning() const;
    QString errorString() const;

    // Waits for it to end by itself; false if it still runs when the time is up.
    bool waitForExit(int timeoutMs = kExitTimeoutMs);
    // How it ended, once it has.
    bool exitedNormally() const;
    int exitCode() const;

    // Ends it if it still runs: SIGTERM, then SIGKILL.
    void stop();

private:
    QProcess m_process;
};

// Whether the program under test is the Windows program, run through Wine: its frame is the
// one Windows gives it, which Wine puts inside the X window manager's frame without matching
// it, so that neither the outer size nor (above 100 %) the foot of a maximised window is the
// program's own.
bool programRunsUnderWine();

// An X window, as the X tools name it.
using WindowId = unsigned long;

// The visible top-level windows whose title is exactly this text.
QList<WindowId> findWindows(const QString& title);
// Waits until exactly one visible window has this title; 0 if none or several do by then.
WindowId waitForWindow(const QString& title, int timeoutMs = kStartTimeoutMs);

// The window's client area (without the window manager's frame and title bar) in screen
// coordinates; an empty rectangle if the window cannot be read.
QRect clientGeometry(WindowId window);
// The window with the frame the window manager puts around it (_NET_FRAME_EXTENTS), in
// screen coordinates; an empty rectangle if the window cannot be read.
QRect outerGeometry(WindowId window);
// The window manager's state atoms of the window (_NET_WM_STATE), such as
// "_NET_WM_STATE_MAXIMIZED_VERT".
QStringList windowStates(WindowId window);
bool isMaximised(WindowId window);
// The part of the screen that windows may take (all of it but panels), as the window
// manager announces it, on the primary monitor.
QRect workArea();
// Whether a client area takes the whole work area but for a title bar (and a frame line of
// at most two pixels) above it: how a maximised window looks.
bool fillsWorkArea(const QRect& client, const QRect& area);

// Watches the window manager's frames (xev on the root window) from its construction on, to
// tell the sizes a window showed itself in, however briefly.
class FrameWatch {
public:
    FrameWatch();
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    bool isWatching() const;
    // The sizes the frame around this client window had while it was mapped, in order, each
    // size once per change.
    QList<QSize> sizesShown(WindowId client);

private:
    QProcess m_xev;
    QByteArray m_events;
};

// What the X clipboard offers (its TARGETS), as another program sees it through xclip.
QStringList clipboardTargets();
// The image/png the clipboard offers, in RGB32; null if it offers none. Asked for as a program
// that pastes asks: what the clipboard offers first (Wine hands over its picture only then).
QImage clipboardPng();

// Asks the window to close, as a click on its close box does.
bool closeWindow(WindowId window);

// A part of the screen as it shows now, in screen coordinates (much faster to take than the
// whole); the whole screen if the area is null.
QImage screenshot(const QRect& area = {});
// The client area of the window as the screen shows it now; null if it cannot be read.
QImage clientImage(WindowId window);

// Mouse input at a point given in the window's client coordinates.
bool moveMouse(WindowId window, QPoint at);
bool click(WindowId window, QPoint at, int button = 1);
// Any other xdotool command, e.g. {"keydown", "shift"}.
bool xdotool(const QStringList& arguments);

// Saves a picture next to the test's other output files (the test's working directory)
// under this name, for a person to look at; returns the path, empty if it failed.
QString saveArtifact(const QImage& image, const QString& fileName);

// Waits until the test window is maximised over the work area, painted in its background
// colour and shows its row of buttons; the picture of its client area and the buttons then
// (the last picture taken if the time ran out). False if that did not happen in time.
bool waitUntilLaidOut(WindowId window, QImage* client, QList<QRect>* buttons,
                      int timeoutMs = kStartTimeoutMs);

} // namespace e2e
