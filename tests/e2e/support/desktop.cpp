#include "support/desktop.h"

#include "support/pixels.h"
#include "support/programview.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <csignal>
#include <optional>
#include <sys/prctl.h>

namespace e2e {

namespace {

QString hexId(WindowId window)
{
    return QStringLiteral("0x%1").arg(window, 0, 16);
}

// xdotool matches titles as POSIX extended regular expressions.
QString escapeForEre(const QString& text)
{
    static const QString special = QStringLiteral("\\.[](){}*+?|^$");
    QString escaped;
    for (const QChar c : text) {
        if (special.contains(c))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return escaped;
}

// The value part of a line "NAME = value" that xprop -notype prints; empty if the
// property is not set.
QString xpropValue(const QStringList& arguments)
{
    const ToolResult result = runTool(QStringLiteral("xprop"), arguments);
    if (!result.ok())
        return {};
    const QString text = QString::fromUtf8(result.out).trimmed();
    const int equals = text.indexOf(QLatin1Char('='));
    return equals < 0 ? QString() : text.mid(equals + 1).trimmed();
}

QList<long> numbersIn(const QString& text)
{
    QList<long> numbers;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        bool ok = false;
        const long value = part.trimmed().toLong(&ok);
        if (ok)
            numbers.append(value);
    }
    return numbers;
}

std::optional<QPoint> mouseLocation()
{
    const ToolResult result
        = runTool(QStringLiteral("xdotool"), {QStringLiteral("getmouselocation")});
    static const QRegularExpression pattern(QStringLiteral("x:(-?\\d+) y:(-?\\d+)"));
    const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(result.out));
    if (!result.ok() || !match.hasMatch())
        return std::nullopt;
    return QPoint(match.captured(1).toInt(), match.captured(2).toInt());
}

} // namespace

bool waitUntil(const std::function<bool()>& condition, int timeoutMs, int intervalMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QTest::qWait(intervalMs);
    }
    return true;
}

ToolResult runTool(const QString& program, const QStringList& arguments, const QByteArray& input,
                   int timeoutMs)
{
    ToolResult result;
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForStarted(timeoutMs)) {
        result.err = process.errorString().toUtf8();
        return result;
    }
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QByteArrayLiteral("timed out");
        return result;
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

ProgramUnderTest::~ProgramUnderTest()
{
    stop();
}

QString ProgramUnderTest::executable()
{
    return qEnvironmentVariable("SHIYA_PROGRAM");
}

bool programRunsUnderWine()
{
    return ProgramUnderTest::executable().endsWith(QLatin1String(".exe"));
}

bool ProgramUnderTest::start(const QStringList& arguments, const QStringList& environment)
{
    if (executable().isEmpty()) {
        m_process.setProgram(QString());
        return false;
    }
    // A program of another system starts through its launcher (the Windows build's: Wine).
    QStringList command = QProcess::splitCommand(qEnvironmentVariable("SHIYA_PROGRAM_LAUNCHER"));
    command << executable() << arguments;
    m_process.setProgram(command.takeFirst());
    m_process.setArguments(command);
    QProcessEnvironment settings = QProcessEnvironment::systemEnvironment();
    // The scale a whole test runs the program at; the test's own process keeps its pixels.
    if (settings.contains(QStringLiteral("SHIYA_PROGRAM_SCALE")))
        settings.insert(QStringLiteral("QT_SCALE_FACTOR"),
                        settings.value(QStringLiteral("SHIYA_PROGRAM_SCALE")));
    for (const QString& setting : environment)
        settings.insert(setting.section(QLatin1Char('='), 0, 0),
                        setting.section(QLatin1Char('='), 1));
    m_process.setProcessEnvironment(settings);
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
    // Should the test process die, the program goes with it instead of lingering.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process.start();
    return m_process.waitForStarted(kStartTimeoutMs);
}

bool ProgramUnderTest::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

QString ProgramUnderTest::errorString() const
{
    if (m_process.program().isEmpty())
        return QStringLiteral("SHIYA_PROGRAM does not name the program to test");
    return m_process.errorString();
}

bool ProgramUnderTest::waitForExit(int timeoutMs)
{
    if (!isRunning())
        return true;
    return m_process.waitForFinished(timeoutMs);
}

bool ProgramUnderTest::exitedNormally() const
{
    return !isRunning() && m_process.exitStatus() == QProcess::NormalExit;
}

int ProgramUnderTest::exitCode() const
{
    return m_process.exitCode();
}

void ProgramUnderTest::stop()
{
    if (!isRunning())
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

QList<WindowId> findWindows(const QString& title)
{
    const ToolResult result = runTool(QStringLiteral("xdotool"),
                                      {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"),
                                       QLatin1Char('^') + escapeForEre(title) + QLatin1Char('$')});
    QList<WindowId> windows;
    // xdotool ends with 1 when it finds nothing.
    for (const QByteArray& line : result.out.split('\n')) {
        bool ok = false;
        const WindowId window = line.trimmed().toULong(&ok);
        if (!ok)
            continue;
        // The search ignores case; the title must match exactly.
        const ToolResult name
            = runTool(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), hexId(window)});
        QString windowTitle = QString::fromUtf8(name.out);
        if (windowTitle.endsWith(QLatin1Char('\n')))
            windowTitle.chop(1);
        if (name.ok() && windowTitle == title)
            windows.append(window);
    }
    return windows;
}

WindowId waitForWindow(const QString& title, int timeoutMs)
{
    QList<WindowId> windows;
    waitUntil(
        [&] {
            windows = findWindows(title);
            return windows.size() == 1;
        },
        timeoutMs);
    return windows.size() == 1 ? windows.front() : 0;
}

QRect clientGeometry(WindowId window)
{
    // xwininfo, not xdotool getwindowgeometry: the latter counts the title bar twice for a
    // window inside a window manager's frame.
    const ToolResult result
        = runTool(QStringLiteral("xwininfo"), {QStringLiteral("-id"), hexId(window)});
    if (!result.ok())
        return {};
    const QString text = QString::fromUtf8(result.out);
    const auto field = [&text](const char* name) -> std::optional<int> {
        const QRegularExpression pattern(QStringLiteral("^\\s*%1:\\s*(-?\\d+)\\s*$")
                                             .arg(QRegularExpression::escape(QLatin1String(name))),
                                         QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = pattern.match(text);
        if (!match.hasMatch())
            return std::nullopt;
        return match.captured(1).toInt();
    };
    const auto x = field("Absolute upper-left X");
    const auto y = field("Absolute upper-left Y");
    const auto width = field("Width");
    const auto height = field("Height");
    if (!x || !y || !width || !height)
        return {};
    return {*x, *y, *width, *height};
}

QRect outerGeometry(WindowId window)
{
    const QRect client = clientGeometry(window);
    const QList<long> extents
        = numbersIn(xpropValue({QStringLiteral("-id"), hexId(window), QStringLiteral("-notype"),
                                QStringLiteral("_NET_FRAME_EXTENTS")}));
    if (client.isEmpty() || extents.size() != 4)
        return {};
    // left, right, top, bottom
    return client.adjusted(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
}

QStringList windowStates(WindowId window)
{
    const QString value = xpropValue({QStringLiteral("-id"), hexId(window),
                                      QStringLiteral("-notype"), QStringLiteral("_NET_WM_STATE")});
    QStringList states;
    for (const QString& part : value.split(QLatin1Char(','), Qt::SkipEmptyParts))
        states.append(part.trimmed());
    return states;
}

bool isMaximised(WindowId window)
{
    const QStringList states = windowStates(window);
    return states.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT"))
           && states.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ"));
}

QRect workArea()
{
    const QList<long> areas = numbersIn(xpropValue(
        {QStringLiteral("-root"), QStringLiteral("-notype"), QStringLiteral("_NET_WORKAREA")}));
    const QList<long> current
        = numbersIn(xpropValue({QStringLiteral("-root"), QStringLiteral("-notype"),
                                QStringLiteral("_NET_CURRENT_DESKTOP")}));
    const long desktop = current.isEmpty() ? 0 : current.front();
    if (desktop < 0 || areas.size() < 4 * (desktop + 1))
        return {};
    const long* area = areas.constData() + 4 * desktop;
    // With several monitors the window manager maximises a window on one of them.
    const QScreen* primary = QGuiApplication::primaryScreen();
    const QRect whole{int(area[0]), int(area[1]), int(area[2]), int(area[3])};
    return primary ? whole & primary->geometry() : whole;
}

bool fillsWorkArea(const QRect& client, const QRect& area)
{
    constexpr int kBorder = 2; // a thin frame line the window manager may keep
    constexpr int kTitleBar = 64; // the most a title bar plus frame may take at the top
    const int topGap = client.top() - area.top();
    return !area.isEmpty() && qAbs(client.left() - area.left()) <= kBorder
           && qAbs(client.right() - area.right()) <= kBorder
           && qAbs(client.bottom() - area.bottom()) <= kBorder && topGap >= 0
           && topGap <= kTitleBar;
}

FrameWatch::FrameWatch()
{
    // Line-buffered, so that what has happened can be read while it runs.
    m_xev.start(QStringLiteral("stdbuf"),
                {QStringLiteral("-oL"), QStringLiteral("xev"), QStringLiteral("-root"),
                 QStringLiteral("-event"), QStringLiteral("substructure")});
    m_xev.waitForStarted();
    // xev prints nothing until something happens: a window shown and hidden again until it
    // reports one tells that it listens.
    QWindow probe;
    probe.setFlags(Qt::ToolTip);
    probe.setGeometry(0, 0, 1, 1);
    waitUntil(
        [&] {
            probe.setVisible(!probe.isVisible());
            return (m_events += m_xev.readAllStandardOutput()).contains('\n');
        },
        kSettleTimeoutMs);
}

FrameWatch::~FrameWatch()
{
    m_xev.kill();
    m_xev.waitForFinished();
}

bool FrameWatch::isWatching() const
{
    return m_xev.state() == QProcess::Running && m_events.contains('\n');
}

QList<QSize> FrameWatch::sizesShown(WindowId client)
{
    // The frame is the client window's parent.
    const QRegularExpression parentPattern(QStringLiteral("Parent window id: (0x[0-9a-f]+)"));
    const QRegularExpressionMatch parent = parentPattern.match(QString::fromUtf8(
        runTool(QStringLiteral("xwininfo"),
                {QStringLiteral("-children"), QStringLiteral("-id"), hexId(client)})
            .out));
    m_events += m_xev.readAllStandardOutput();
    QList<QSize> sizes;
    if (!parent.hasMatch())
        return sizes;
    // Blocks such as "ConfigureNotify event, ...\n    event 0x50d, window 0x2002d7, (100,100),
    // width 727, height 291, ..." and "MapNotify event, ...\n    event 0x50d, window 0x2002d7".
    const QString frame = parent.captured(1);
    static const QRegularExpression sizePattern(QStringLiteral("width (\\d+), height (\\d+)"));
    bool mapped = false;
    QSize size;
    for (QString block : QString::fromUtf8(m_events).split(QStringLiteral("\n\n"))) {
        block = block.trimmed();
        if (!block.contains(QStringLiteral(" window %1,").arg(frame))
            || block.contains(QStringLiteral("parent %1,").arg(frame)))
            continue;
        const QRegularExpressionMatch match = sizePattern.match(block);
        if (block.startsWith(QLatin1String("ConfigureNotify")) && match.hasMatch())
            size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
        mapped = mapped || block.startsWith(QLatin1String("MapNotify"));
        if (mapped && !size.isEmpty() && (sizes.isEmpty() || sizes.back() != size))
            sizes.append(size);
    }
    return sizes;
}

QStringList clipboardTargets()
{
    const ToolResult result
        = runTool(QStringLiteral("xclip"),
                  {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                   QStringLiteral("TARGETS"), QStringLiteral("-o")});
    QStringList targets;
    for (const QByteArray& line : result.out.split('\n')) {
        if (result.ok() && !line.trimmed().isEmpty())
            targets.append(QString::fromLatin1(line.trimmed()));
    }
    return targets;
}

QImage clipboardPng()
{
    if (!clipboardTargets().contains(QStringLiteral("image/png")))
        return {};
    const ToolResult png
        = runTool(QStringLiteral("xclip"),
                  {QStringLiteral("-selection"), QStringLiteral("clipboard"), QStringLiteral("-t"),
                   QStringLiteral("image/png"), QStringLiteral("-o")});
    QImage image;
    if (!png.ok() || !png.out.startsWith("\x89PNG\r\n\x1a\n")
        || !image.loadFromData(png.out, "PNG"))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

bool closeWindow(WindowId window)
{
    return runTool(QStringLiteral("wmctrl"),
                   {QStringLiteral("-i"), QStringLiteral("-c"), hexId(window)})
        .ok();
}

QImage screenshot(const QRect& area)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const bool whole = area.isNull();
    return screen
        ->grabWindow(0, area.x(), area.y(), whole ? -1 : area.width(), whole ? -1 : area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QImage clientImage(WindowId window)
{
    const QRect client = clientGeometry(window);
    if (client.isEmpty())
        return {};
    return screenshot(client);
}

bool moveMouse(WindowId window, QPoint at)
{
    const QRect client = clientGeometry(window);
    if (client.isEmpty())
        return false;
    const QPoint target = client.topLeft() + at;
    // Not "mousemove --sync": that waits forever when the pointer is already there.
    if (!xdotool({QStringLiteral("mousemove"), QString::number(target.x()),
                  QString::number(target.y())}))
        return false;
    return waitUntil([&] { return mouseLocation() == target; }, 5000);
}

bool click(WindowId window, QPoint at, int button)
{
    return moveMouse(window, at) && xdotool({QStringLiteral("click"), QString::number(button)});
}

bool xdotool(const QStringList& arguments)
{
    return runTool(QStringLiteral("xdotool"), arguments).ok();
}

QString saveArtifact(const QImage& image, const QString& fileName)
{
    const QString path = QDir::current().absoluteFilePath(fileName);
    return image.save(path) ? path : QString();
}

bool waitUntilLaidOut(WindowId window, QImage* client, QList<QRect>* buttons, int timeoutMs)
{
    const QRect area = workArea();
    return waitUntil(
        [&] {
            if (!isMaximised(window) || !fillsWorkArea(clientGeometry(window), area))
                return false;
            *client = clientImage(window);
            if (client->isNull() || shareOf(*client, QRect(0, 0, 20, 20), kFieldBackground) < 1.0)
                return false;
            *buttons = view::findTestButtons(*client);
            return !buttons->isEmpty();
        },
        timeoutMs);
}

} // namespace e2e
