#include "platform/shape.h"

#include <QPainter>

Shape::Shape(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void Shape::setBackColor(const QColor& color)
{
    m_backColor = color;
    update();
}

void Shape::setBorderColor(const QColor& color)
{
    m_borderColor = color;
    update();
}

void Shape::paintEvent(QPaintEvent*)
{
    const int d = qMin(width(), height());
    if (d <= 0)
        return;
    QRectF circle((width() - d) / 2.0, (height() - d) / 2.0, d, d);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(m_backColor);
    if (m_borderColor.isValid()) {
        painter.setPen(QPen(m_borderColor, 1));
        circle.adjust(0.5, 0.5, -0.5, -0.5);
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawEllipse(circle);
}
