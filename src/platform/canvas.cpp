#include "platform/canvas.h"

#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace {

constexpr double kInchesPerMetre = 39.37007874015748;

// Guards the conversions of a window that has been shrunk to nothing.
int atLeastOne(int pixels)
{
    return qMax(1, pixels);
}

void setDpi(QImage& image, double dpi)
{
    image.setDotsPerMeterX(qRound(dpi * kInchesPerMetre));
    image.setDotsPerMeterY(qRound(dpi * kInchesPerMetre));
}

// A disc of whole pixels, d across: those whose centres lie within d / 2 of its centre,
// which is the centre of pixel c for an odd d and the top-left corner of c for an even one.
void fillDisc(QPainter& painter, const QPoint& c, int d, const QColor& color)
{
    const double radius = d / 2.0;
    const double middle = d % 2 ? 0.5 : 0.0;
    for (int dy = -d / 2; dy < d - d / 2; ++dy) {
        const double cy = dy + 0.5 - middle;
        const double half = std::sqrt(qMax(0.0, radius * radius - cy * cy));
        const int from = static_cast<int>(std::ceil(middle - 0.5 - half - 1e-9));
        const int to = static_cast<int>(std::floor(middle - 0.5 + half + 1e-9));
        if (from <= to)
            painter.fillRect(QRect(c.x() + from, c.y() + dy, to - from + 1, 1), color);
    }
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

void Canvas::cls()
{
    // The image is kept for the next drawing, which is likely to cover the same place.
    m_image.fill(m_backColor);
    markDirty(m_ink);
    m_ink = QRect();
    m_currentX = 0;
    m_currentY = 0;
}

template <typename Paint> void Canvas::paintInto(const QRect& box, Paint paint)
{
    if (QImage* image = surface(box)) {
        QPainter painter(image);
        painter.translate(-m_area.topLeft());
        paint(painter);
    }
    drawn(box);
}

void Canvas::print(const QString& text)
{
    const QFont font = drawFont();
    const QFontMetrics metrics(font, this);
    const QPoint topLeft = toPixel(m_currentX, m_currentY);
    // The line's box, widened for glyphs that reach beyond their advance or the line.
    const int overhang = metrics.height() / 2;
    const QRect box = QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
                          .adjusted(-overhang, -overhang, overhang, overhang);
    paintInto(box, [&](QPainter& painter) {
        painter.scale(m_ratio, m_ratio);
        painter.setFont(font);
        painter.setPen(m_foreColor);
        painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
    });
    m_currentX = 0;
    m_currentY += toUnitsY(metrics.height());
}

void Canvas::printNumber(int value)
{
    print(printedNumber(value));
}

void Canvas::line(double x1, double y1, double x2, double y2)
{
    const QPoint from = toPixel(x1, y1);
    const QPoint to = toPixel(x2, y2);
    const int margin = m_drawWidth;
    // span(), not normalized(): a line drawn right to left or bottom to top keeps its ends.
    const QRect box = QRect::span(from, to).adjusted(-margin, -margin, margin, margin);
    paintInto(box, [&](QPainter& painter) {
        const int width = deviceWidth();
        QPen pen(m_foreColor, width > 1 ? width : 0); // 0: cosmetic, one pixel
        if (m_drawStyle == DrawStyle::Dot) {
            pen.setStyle(Qt::DotLine);
            // Square caps would lengthen each dot of a wide line into the gap after it.
            if (width > 1)
                pen.setCapStyle(Qt::FlatCap);
        }
        painter.setPen(pen);
        painter.drawLine(toDevice(from), toDevice(to));
    });
    moveTo(x2, y2);
}

void Canvas::pset(double x, double y)
{
    const QPoint centre = toPixel(x, y);
    const int d = m_drawWidth;
    const QRect box = QRect(centre, centre).adjusted(-d, -d, d, d);
    paintInto(box, [&](QPainter& painter) {
        fillDisc(painter, toDevice(centre), deviceWidth(), m_foreColor);
    });
    moveTo(x, y);
}

QImage Canvas::picture() const
{
    fitRatio();
    QImage picture(deviceSize(m_ratio), QImage::Format_RGB32);
    QPainter painter(&picture);
    paintArea(painter, picture.rect());
    painter.end();
    setDpi(picture, logicalDpiX() * m_ratio);
    return picture;
}

void Canvas::paintEvent(QPaintEvent* event)
{
    fitRatio();
    QPainter painter(this);
    painter.scale(1 / m_ratio, 1 / m_ratio);
    paintArea(painter, deviceRect(event->rect()));
}

void Canvas::paintArea(QPainter& painter, const QRect& area) const
{
    for (const QRect& background : QRegion(area).subtracted(m_area))
        painter.fillRect(background, m_backColor);
    if (!m_image.isNull())
        painter.drawImage(m_area.topLeft(), m_image);
}

void Canvas::drawn(const QRect& area)
{
    m_ink |= area;
    markDirty(area);
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

QImage* Canvas::surface(const QRect& box)
{
    fitRatio();
    const QRect client(QPoint(), deviceSize(m_ratio));
    const QRect needed = deviceRect(box) & client;
    if (needed.isEmpty())
        return nullptr;
    if (m_area.contains(needed))
        return &m_image;
    // Since a clear the image holds only background, and the new one need only cover box.
    const bool keep = !m_ink.isEmpty() && !m_area.isEmpty();
    QRect area = needed;
    if (keep) {
        // A side that has to move goes a quarter of the window further, so that a drawing
        // spreading mark by mark makes a few new images, not one a mark.
        area |= m_area;
        const int dx = client.width() / 4;
        const int dy = client.height() / 4;
        if (area.left() < m_area.left())
            area.setLeft(area.left() - dx);
        if (area.top() < m_area.top())
            area.setTop(area.top() - dy);
        if (area.right() > m_area.right())
            area.setRight(area.right() + dx);
        if (area.bottom() > m_area.bottom())
            area.setBottom(area.bottom() + dy);
        area = (area & client) | m_area;
    }
    setImage(area, keep ? QRectF(m_area) : QRectF());
    return &m_image;
}

void Canvas::fitRatio() const
{
    const qreal ratio = devicePixelRatioF();
    if (ratio == m_ratio)
        return;
    // The window went to another screen: what is drawn is scaled to its ratio.
    const qreal factor = ratio / m_ratio;
    const QRectF scaled(QPointF(m_area.topLeft()) * factor, QSizeF(m_area.size()) * factor);
    m_ratio = ratio;
    if (!m_image.isNull())
        setImage(scaled.toAlignedRect(), scaled);
}

void Canvas::setImage(const QRect& area, const QRectF& old) const
{
    QImage image(area.size(), QImage::Format_RGB32);
    // Point sizes must give the same size in the image as on the screen.
    setDpi(image, logicalDpiX());
    image.fill(m_backColor);
    if (!old.isEmpty()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(old.translated(-area.topLeft()), m_image);
    }
    m_image = image;
    m_area = area;
}

QRect Canvas::deviceRect(const QRect& pixels) const
{
    return QRectF(QPointF(pixels.topLeft()) * m_ratio, QSizeF(pixels.size()) * m_ratio)
        .toAlignedRect();
}

QSize Canvas::deviceSize(qreal ratio) const
{
    return (QSizeF(size().expandedTo(QSize(1, 1))) * ratio).toSize();
}

int Canvas::deviceWidth() const
{
    return qMax(1, qRound(m_drawWidth * m_ratio));
}

QPoint Canvas::toPixel(double x, double y) const
{
    return {qRound(toPixelsX(x)), qRound(toPixelsY(y))};
}

QPoint Canvas::toDevice(const QPoint& pixel) const
{
    // The middle of the pixel's device pixels, where a mark an even number of device pixels
    // wide is centred on a corner and an odd one on a pixel.
    const double offset = (m_ratio - 1) / 2;
    return {qRound(pixel.x() * m_ratio + offset), qRound(pixel.y() * m_ratio + offset)};
}
