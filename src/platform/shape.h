#pragma once

#include <QColor>
#include <QWidget>

// A filled circle that takes no mouse input: presses on it reach the window beneath.
// The circle's diameter is the smaller side of its box, centred in the box. Position and
// size are set through the parent Canvas, in its user units.
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget* parent = nullptr);

    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // The outline is drawn one pixel wide inside the box when it has a colour.
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_backColor = Qt::white;
    QColor m_borderColor; // invalid: no outline
};
