#include "windows/flatbutton.h"

#include <QPainter>

FlatButton::FlatButton(const QString& text, const QColor& face, QWidget* parent)
    : QPushButton(text, parent)
    , m_face(face)
{
    // Enter clicks the button that has the focus, as Space does.
    setAutoDefault(true);
}

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), isDown() ? m_face.darker(125) : m_face);

    const bool focus = hasFocus();
    const QColor border = !isEnabled() ? QColor(160, 160, 160)
                          : focus      ? QColor(Qt::black)
                                       : QColor(96, 96, 96);
    painter.setPen(QPen(border, focus ? 2 : 1));
    painter.drawRect(focus ? QRectF(rect()).adjusted(1, 1, -1, -1)
                           : QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    painter.setPen(isEnabled() ? QColor(Qt::black) : QColor(128, 128, 128));
    painter.drawText(rect(), Qt::AlignCenter, text());
}
