#include "platform/canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <QtMath>

#include <cmath>

namespace {

constexpr double kInchesPerMetre = 39.37007874015748;

// Guards the conversions of a window that has been shrunk to nothing.
int atLeastOne(int pixels)
{
    return qMax(1, pixels);
}

} // namespace

QString printedNumber(int value)
{
    return value < 0 ? QString::number(value) : QLatin1Char(' ') + QString::number(value);
}

Canvas::Canvas(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Canvas::setScaleWidth(double units)
{
    if (units > 0)
        m_scaleWidth = units;
}

void Canvas::setScaleHeight(double units)
{
    if (units > 0)
        m_scaleHeight = units;
}

double Canvas::toPixelsX(double units) const
{
    return units * width() / m_scaleWidth;
}

double Canvas::toPixelsY(double units) const
{
    return units * height() / m_scaleHeight;
}

double Canvas::toUnitsX(double pixels) const
{
    return pixels * m_scaleWidth / atLeastOne(width());
}

double Canvas::toUnitsY(double pixels) const
{
    return pixels * m_scaleHeight / atLeastOne(height());
}

QPointF Canvas::toUnits(const QPointF& pixels) const
{
    return {toUnitsX(pixels.x()), toUnitsY(pixels.y())};
}

QRectF Canvas::userRect(const QWidget* control) const
{
    const QRect px = control->geometry();
    return {toUnitsX(px.x()), toUnitsY(px.y()), toUnitsX(px.width()), toUnitsY(px.height())};
}

void Canvas::setUserPos(QWidget* control, double left, double top)
{
    control->move(qRound(toPixelsX(left)), qRound(toPixelsY(top)));
}

void Canvas::setUserLeft(QWidget* control, double left)
{
    control->move(qRound(toPixelsX(left)), control->y());
}

void Canvas::setUserTop(QWidget* control, double top)
{
    control->move(control->x(), qRound(toPixelsY(top)));
}

void Canvas::setUserWidth(QWidget* control, double width)
{
    control->resize(qMax(0, qRound(toPixelsX(width))), control->height());
}

void Canvas::setUserHeight(QWidget* control, double height)
{
    control->resize(control->width(), qMax(0, qRound(toPixelsY(height))));
}

void Canvas::moveTo(double x, double y)
{
    m_currentX = x;
    m_currentY = y;
}

double Canvas::fontSize() const
{
    return m_fontSize > 0 ? m_fontSize : font().pointSizeF();
}

void Canvas::setFontSize(double points)
{
    if (points > 0)
        m_fontSize = points;
}

QFont Canvas::drawFont() const
{
    QFont f = font();
    f.setPointSizeF(fontSize());
    return f;
}

void Canvas::setBackColor(const QColor& color)
{
    m_backColor = color;
    cls();
    markDirty(rect());
}

namespace {

// More strokes than a full result sheet; beyond this, older ones are baked into an image.
constexpr size_t kMaxStrokes = 4000;

void playDot(QPainter& painter, const QPoint& centre, int d, const QColor& color)
{
    // A disc of whole pixels: those whose centres lie within half the width of the dot's
    // centre (a pixel's centre for an odd width, a pixel corner for an even one).
    const double radius = d / 2.0;
    const double middle = d % 2 ? 0.5 : 0.0;
    for (int dy = -d / 2; dy < d - d / 2; ++dy) {
        const double cy = dy + 0.5 - middle;
        const double half = std::sqrt(qMax(0.0, radius * radius - cy * cy));
        const int from = static_cast<int>(std::ceil(middle - 0.5 - half - 1e-9));
        const int to = static_cast<int>(std::floor(middle - 0.5 + half + 1e-9));
        if (from <= to)
            painter.fillRect(QRect(centre.x() + from, centre.y() + dy, to - from + 1, 1), color);
    }
}

} // namespace

void Canvas::cls()
{
    // Only where there was something to erase.
    QRect drawn = m_base.isNull() ? QRect() : rect();
    for (const Stroke& stroke : m_strokes)
        drawn |= stroke.bounds;
    markDirty(drawn);
    m_strokes.clear();
    m_base = QImage();
    m_picture = QImage();
    m_currentX = 0;
    m_currentY = 0;
}

void Canvas::print(const QString& text)
{
    Stroke stroke;
    stroke.kind = Stroke::Kind::Text;
    stroke.color = m_foreColor;
    stroke.text = text;
    stroke.font = drawFont();
    const QFontMetrics metrics(stroke.font, this);
    const QPoint topLeft = toPixel(m_currentX, m_currentY);
    stroke.from = topLeft + QPoint(0, metrics.ascent());
    // The line's box, widened for glyphs that reach beyond their advance.
    const int overhang = metrics.height() / 2;
    stroke.bounds = QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
                        .adjusted(-overhang, -2, overhang, 2);
    record(std::move(stroke));
    m_currentX = 0;
    m_currentY += toUnitsY(metrics.height());
}

void Canvas::printNumber(int value)
{
    print(printedNumber(value));
}

void Canvas::line(double x1, double y1, double x2, double y2)
{
    Stroke stroke;
    stroke.kind = Stroke::Kind::Line;
    stroke.color = m_foreColor;
    stroke.from = toPixel(x1, y1);
    stroke.to = toPixel(x2, y2);
    stroke.width = m_drawWidth;
    stroke.style = m_drawStyle;
    const int margin = m_drawWidth;
    stroke.bounds
        = QRect(stroke.from, stroke.to).normalized().adjusted(-margin, -margin, margin, margin);
    record(std::move(stroke));
    moveTo(x2, y2);
}

void Canvas::pset(double x, double y)
{
    Stroke stroke;
    stroke.kind = Stroke::Kind::Dot;
    stroke.color = m_foreColor;
    stroke.from = toPixel(x, y);
    stroke.width = m_drawWidth;
    const int d = m_drawWidth;
    stroke.bounds = QRect(stroke.from, stroke.from).adjusted(-d, -d, d, d);
    record(std::move(stroke));
    moveTo(x, y);
}

void Canvas::record(Stroke stroke)
{
    markDirty(stroke.bounds);
    m_picture = QImage();
    m_strokes.push_back(std::move(stroke));
    if (m_strokes.size() > kMaxStrokes) {
        // A drawing that is never cleared still takes bounded memory.
        QImage baked = blankImage(size().expandedTo(m_base.size()).expandedTo(QSize(1, 1)));
        QPainter painter(&baked);
        render(painter, baked.rect());
        painter.end();
        m_base = baked;
        m_strokes.clear();
    }
}

void Canvas::markDirty(const QRect& area)
{
    // Many small updates cost more than drawing: a handler that draws hundreds of marks
    // asks for one repaint of their bounding box, once it has returned.
    if (area.isEmpty())
        return;
    const bool posted = !m_dirty.isEmpty();
    m_dirty |= area;
    if (!posted) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                update(m_dirty);
                m_dirty = QRect();
            },
            Qt::QueuedConnection);
    }
}

void Canvas::render(QPainter& painter, const QRect& area) const
{
    painter.fillRect(area, m_backColor);
    if (!m_base.isNull())
        painter.drawImage(area, m_base, area);
    painter.setClipRect(area);
    for (const Stroke& stroke : m_strokes) {
        if (!stroke.bounds.intersects(area))
            continue;
        switch (stroke.kind) {
        case Stroke::Kind::Text:
            painter.setFont(stroke.font);
            painter.setPen(stroke.color);
            painter.drawText(stroke.from, stroke.text);
            break;
        case Stroke::Kind::Line: {
            QPen pen(stroke.color, stroke.width > 1 ? stroke.width : 0); // 0: cosmetic, one pixel
            if (stroke.style == DrawStyle::Dot)
                pen.setStyle(Qt::DotLine);
            painter.setPen(pen);
            painter.drawLine(stroke.from, stroke.to);
            break;
        }
        case Stroke::Kind::Dot:
            playDot(painter, stroke.from, stroke.width, stroke.color);
            break;
        }
    }
    painter.setClipping(false);
}

const QImage& Canvas::picture() const
{
    const QSize client = size().expandedTo(QSize(1, 1));
    if (m_picture.size() != client) {
        m_picture = blankImage(client);
        QPainter painter(&m_picture);
        render(painter, m_picture.rect());
    }
    return m_picture;
}

void Canvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (m_picture.size() == size())
        painter.drawImage(event->rect(), m_picture, event->rect());
    else
        render(painter, event->rect());
}

QImage Canvas::blankImage(const QSize& size) const
{
    QImage image(size, QImage::Format_RGB32);
    // Point sizes must give the same pixels in the image as on the screen.
    image.setDotsPerMeterX(qRound(logicalDpiX() * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(logicalDpiY() * kInchesPerMetre));
    image.fill(m_backColor);
    return image;
}

QPoint Canvas::toPixel(double x, double y) const
{
    return {qRound(toPixelsX(x)), qRound(toPixelsY(y))};
}
