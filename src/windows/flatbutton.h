#pragma once

#include <QColor>
#include <QPushButton>

// A push button drawn flat in its own face colour, with a thin border that thickens when
// it has the focus; the style would shade the colour.
class FlatButton : public QPushButton {
    Q_OBJECT
public:
    FlatButton(const QString& text, const QColor& face, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face;
};
