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
    m_picture = blankPicture(size().expandedTo(QSize(1, 1)));
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
}

void Canvas::cls()
{
    syncPicture();
    m_picture.fill(m_backColor);
    m_currentX = 0;
    m_currentY = 0;
    update();
}

void Canvas::print(const QString& text)
{
    syncPicture();
    const QPoint topLeft = toPixel(m_currentX, m_currentY);
    QPainter painter(&m_picture);
    painter.setFont(drawFont());
    painter.setPen(m_foreColor);
    const QFontMetrics metrics = painter.fontMetrics();
    painter.drawText(topLeft + QPoint(0, metrics.ascent()), text);
    update(QRect(topLeft, QSize(metrics.horizontalAdvance(text), metrics.height()))
               .adjusted(-2, -2, 2, 2));

    m_currentX = 0;
    m_currentY += toUnitsY(metrics.height());
}

void Canvas::printNumber(int value)
{
    print(printedNumber(value));
}

void Canvas::line(double x1, double y1, double x2, double y2)
{
    syncPicture();
    const QPoint from = toPixel(x1, y1);
    const QPoint to = toPixel(x2, y2);
    QPainter painter(&m_picture);
    QPen pen(m_foreColor, m_drawWidth > 1 ? m_drawWidth : 0); // 0: cosmetic, one pixel
    if (m_drawStyle == DrawStyle::Dot)
        pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawLine(from, to);
    update(QRect(from, to).normalized().adjusted(-1, -1, 1, 1));
    moveTo(x2, y2);
}

void Canvas::pset(double x, double y)
{
    syncPicture();
    const QPoint centre = toPixel(x, y);
    // A disc of whole pixels: those whose centres lie within half the draw width of the
    // dot's centre (a pixel's centre for an odd width, a pixel corner for an even one).
    const int d = m_drawWidth;
    const double radius = d / 2.0;
    const double middle = d % 2 ? 0.5 : 0.0;
    QPainter painter(&m_picture);
    for (int dy = -d / 2; dy < d - d / 2; ++dy) {
        const double cy = dy + 0.5 - middle;
        const double half = std::sqrt(qMax(0.0, radius * radius - cy * cy));
        const int from = static_cast<int>(std::ceil(middle - 0.5 - half - 1e-9));
        const int to = static_cast<int>(std::floor(middle - 0.5 + half + 1e-9));
        if (from <= to)
            painter.fillRect(QRect(centre.x() + from, centre.y() + dy, to - from + 1, 1),
                             m_foreColor);
    }
    update(QRect(centre, centre).adjusted(-d, -d, d, d));
    moveTo(x, y);
}

void Canvas::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.drawImage(dirty, m_picture, dirty);
}

void Canvas::resizeEvent(QResizeEvent* event)
{
    syncPicture();
    QWidget::resizeEvent(event);
}

const QImage& Canvas::picture() const
{
    syncPicture();
    return m_picture;
}

void Canvas::syncPicture() const
{
    // The picture follows the client area: what fits is kept, the rest is background. A
    // hidden window gets no resize events, so every use of the picture checks its size.
    const QSize client = size().expandedTo(QSize(1, 1));
    if (m_picture.size() == client)
        return;
    QImage resized = blankPicture(client);
    QPainter painter(&resized);
    painter.drawImage(0, 0, m_picture);
    painter.end();
    m_picture = resized;
}

QImage Canvas::blankPicture(const QSize& size) const
{
    QImage image(size, QImage::Format_RGB32);
    // Point sizes must give the same pixels in the picture as on the screen.
    const int dotsPerMetre = qRound(logicalDpiX() * kInchesPerMetre);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(qRound(logicalDpiY() * kInchesPerMetre));
    image.fill(m_backColor);
    return image;
}

QPoint Canvas::toPixel(double x, double y) const
{
    return {qRound(toPixelsX(x)), qRound(toPixelsY(y))};
}
