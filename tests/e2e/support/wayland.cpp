#include "support/wayland.h"

#include "support/desktop.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace e2e::wayland {

namespace {

QJsonDocument swayReply(const QStringList& arguments)
{
    const ToolResult result = runTool(QStringLiteral("swaymsg"), arguments);
    return result.ok() ? QJsonDocument::fromJson(result.out) : QJsonDocument();
}

QRect rectOf(const QJsonValue& value)
{
    const QJsonObject r = value.toObject();
    return {r[u"x"].toInt(), r[u"y"].toInt(), r[u"width"].toInt(), r[u"height"].toInt()};
}

// Collects the windows (containers with a surface) of a tree node and everything below it.
void collectWindows(const QJsonObject& node, QList<Window>* windows)
{
    if (node.contains(u"app_id") || node.contains(u"window_properties")) {
        const QRect outer = rectOf(node[u"rect"]);
        const QRect inner = rectOf(node[u"window_rect"]);
        windows->append({.id = qint64(node[u"id"].toDouble()),
                         .appId = node[u"app_id"].toString(),
                         .title = node[u"name"].toString(),
                         .content = inner.translated(outer.topLeft())});
    }
    for (const QJsonValue child : node[u"nodes"].toArray())
        collectWindows(child.toObject(), windows);
    for (const QJsonValue child : node[u"floating_nodes"].toArray())
        collectWindows(child.toObject(), windows);
}

QJsonObject output()
{
    return swayReply({QStringLiteral("-t"), QStringLiteral("get_outputs")})
        .array()
        .first()
        .toObject();
}

} // namespace

bool swaymsg(const QString& command)
{
    const QJsonArray replies = swayReply({command}).array();
    for (const QJsonValue reply : replies) {
        if (!reply[u"success"].toBool())
            return false;
    }
    return !replies.isEmpty();
}

QList<Window> findWindows(const QString& title)
{
    QList<Window> windows;
    collectWindows(swayReply({QStringLiteral("-t"), QStringLiteral("get_tree")}).object(),
                   &windows);
    windows.removeIf([&](const Window& w) { return w.title != title; });
    return windows;
}

bool waitForWindow(const QString& title, Window* window, int timeoutMs)
{
    return waitUntil(
        [&] {
            const QList<Window> windows = findWindows(title);
            if (windows.size() == 1)
                *window = windows.front();
            return windows.size() == 1;
        },
        timeoutMs);
}

QRect outputArea()
{
    return rectOf(output()[u"rect"]);
}

double outputScale()
{
    return output()[u"scale"].toDouble();
}

QImage screenshot()
{
    // PPM: nothing to compress, so it is quick to take.
    const ToolResult shot = runTool(
        QStringLiteral("grim"), {QStringLiteral("-t"), QStringLiteral("ppm"), QStringLiteral("-")});
    QImage image;
    if (!shot.ok() || !image.loadFromData(shot.out, "PPM"))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage clientImage(const Window& window)
{
    const double scale = outputScale();
    const QPointF corner = QPointF(window.content.topLeft() - outputArea().topLeft()) * scale;
    return screenshot().copy(QRectF(corner, QSizeF(window.content.size()) * scale).toRect());
}

QByteArray clipboard(const QString& type)
{
    const ToolResult paste = runTool(QStringLiteral("wl-paste"), {QStringLiteral("--no-newline"),
                                                                  QStringLiteral("--type"), type});
    return paste.ok() ? paste.out : QByteArray();
}

Pointer::~Pointer()
{
    m_client.closeWriteChannel();
    if (!m_client.waitForFinished(5000))
        m_client.kill();
    m_client.waitForFinished();
}

bool Pointer::start()
{
    m_client.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_client.start(qEnvironmentVariable("SHIYA_VIRTUAL_POINTER"), {});
    return send({});
}

bool Pointer::click(const Window& window, QPoint at)
{
    // Points of the output's whole layout, in device pixels.
    const double scale = outputScale();
    const QRect output = outputArea();
    const QPoint point
        = (QPointF(window.content.topLeft() - output.topLeft()) * scale + at).toPoint();
    const QSize extent = (QSizeF(output.size()) * scale).toSize();
    return send(QStringLiteral("click %1 %2 %3 %4\n")
                    .arg(point.x())
                    .arg(point.y())
                    .arg(extent.width())
                    .arg(extent.height())
                    .toLatin1());
}

bool Pointer::send(const QByteArray& line)
{
    // The client answers every line, and says it is ready before the first.
    m_client.write(line);
    const bool answered = waitUntil([&] { return m_client.canReadLine(); }, kSettleTimeoutMs, 5);
    const QByteArray answer = answered ? m_client.readLine().trimmed() : QByteArray();
    if (answer != "ok" && answer != "ready")
        m_error = QStringLiteral("the virtual pointer client answered \"%1\" (%2)")
                      .arg(QString::fromLatin1(answer), m_client.errorString());
    return answer == "ok" || answer == "ready";
}

} // namespace e2e::wayland
