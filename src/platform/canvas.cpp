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
    m_image.fill(color);
    cls();
    markDirty(rect());
}

void Canvas::cls()
{
    // Only what was drawn since the last clear differs from the background.
    if (!m_ink.isEmpty() && !m_image.isNull())
        QPainter(&m_image).fillRect(m_ink, m_backColor);
    markDirty(m_ink);
    m_ink = QRect();
    m_currentX = 0;
    m_currentY = 0;
}

template <typename Paint> void Canvas::paintInto(const QRect& box, Paint paint)
{
    fitImage();
    QPainter painter(&m_image);
    paint(painter);
    painter.end();
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
        // In device pixels, where a line is a whole number of them wide.
        painter.scale(1 / m_image.devicePixelRatio(), 1 / m_image.devicePixelRatio());
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
        painter.scale(1 / m_image.devicePixelRatio(), 1 / m_image.devicePixelRatio());
        fillDisc(painter, toDevice(centre), deviceWidth(), m_foreColor);
    });
    moveTo(x, y);
}

QImage Canvas::picture() const
{
    const qreal ratio = devicePixelRatioF();
    QImage picture((QSizeF(size().expandedTo(QSize(1, 1))) * ratio).toSize(), QImage::Format_RGB32);
    picture.fill(m_backColor);
    picture.setDevicePixelRatio(ratio);
    // An image of another ratio (the window went to another screen since it last drew) is
    // scaled to this one.
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(), m_image);
    painter.end();
    picture.setDevicePixelRatio(1);
    setDpi(picture, logicalDpiX() * ratio);
    return picture;
}

void Canvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect image(QPoint(), m_image.deviceIndependentSize().toSize());
    for (const QRect& background : event->region().subtracted(image))
        painter.fillRect(background, m_backColor);
    const QRect area = event->rect() & image;
    const qreal ratio = m_image.devicePixelRatio();
    painter.drawImage(area, m_image,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
}

void Canvas::resizeEvent(QResizeEvent* /*event*/)
{
    fitImage();
}

void Canvas::fitImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSize size = m_image.deviceIndependentSize().toSize().expandedTo(this->size());
    if (ratio == m_image.devicePixelRatio() && size == m_image.deviceIndependentSize().toSize())
        return;
    QImage image((QSizeF(size.expandedTo(QSize(1, 1))) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // Point sizes must give the same size in the image as on the screen.
    setDpi(image, logicalDpiX());
    image.fill(m_backColor);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(), m_image);
    painter.end();
    m_image = image;
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

int Canvas::deviceWidth() const
{
    return qMax(1, qRound(m_drawWidth * m_image.devicePixelRatio()));
}

QPoint Canvas::toPixel(double x, double y) const
{
    return {qRound(toPixelsX(x)), qRound(toPixelsY(y))};
}

QPoint Canvas::toDevice(const QPoint& pixel) const
{
    // The middle of the pixel's device pixels, where a mark an even number of device pixels
    // wide is centred on a corner and an odd one on a pixel.
    const qreal ratio = m_image.devicePixelRatio();
    const double offset = (ratio - 1) / 2;
    return {qRound(pixel.x() * ratio + offset), qRound(pixel.y() * ratio + offset)};
}
