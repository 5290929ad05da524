#pragma once

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QWidget>

class QPainter;

// Line style of Canvas::line().
enum class DrawStyle { Solid, Dot };

// A window surface with a user scale and a persistent picture.
//
// The client area carries a user scale (scaleWidth by scaleHeight units, origin top-left,
// y downwards; the units need not be square). What is printed and drawn goes into an image
// of the client area at the screen's device pixel ratio, which paintEvent() copies to the
// screen: the drawing survives covering, and picture() is a copy of the client area at the
// screen's resolution. Child controls keep their pixel geometry when the scale or the window
// size changes; their position and size can be read and set in user units through this class.
class Canvas : public QWidget {
    Q_OBJECT
public:
    explicit Canvas(QWidget* parent = nullptr);

    double scaleWidth() const { return m_scaleWidth; }
    double scaleHeight() const { return m_scaleHeight; }
    void setScaleWidth(double units);
    void setScaleHeight(double units);

    double toPixelsX(double units) const;
    double toPixelsY(double units) const;
    double toUnitsX(double pixels) const;
    double toUnitsY(double pixels) const;
    QPointF toUnits(const QPointF& pixels) const;

    // Geometry of a child control in user units.
    QRectF userRect(const QWidget* control) const;
    void setUserPos(QWidget* control, double left, double top);
    void setUserWidth(QWidget* control, double width);
    void setUserHeight(QWidget* control, double height);

    // Drawing state.
    double currentX() const { return m_currentX; }
    double currentY() const { return m_currentY; }
    void moveTo(double x, double y);
    double fontSize() const;
    void setFontSize(double points);
    QColor foreColor() const { return m_foreColor; }
    void setForeColor(const QColor& color) { m_foreColor = color; }
    QColor backColor() const { return m_backColor; }
    // Changing the background erases the picture, as a clear does.
    void setBackColor(const QColor& color);
    int drawWidth() const { return m_drawWidth; }
    void setDrawWidth(int pixels) { m_drawWidth = qMax(1, pixels); }
    DrawStyle drawStyle() const { return m_drawStyle; }
    void setDrawStyle(DrawStyle style) { m_drawStyle = style; }

    // Erases the drawing to the background colour; controls are not affected.
    void cls();
    // Prints text with its top-left corner at the current position, in the foreColor and the
    // window's font at fontSize(); afterwards the position is at the start of the next line.
    void print(const QString& text);
    // Prints a number the way a number is printed on its own: a blank stands in the place
    // of the sign of a positive number.
    void printNumber(int value);
    // A straight line drawWidth() pixels wide in the foreColor and the current draw style.
    void line(double x1, double y1, double x2, double y2);
    // A filled dot drawWidth() pixels across, centred on the point.
    void pset(double x, double y);

    // The client area as drawn (background and drawing, without the controls) in device
    // pixels; it records its resolution, the logical DPI times the device pixel ratio, so
    // that it prints and pastes at the size of the window.
    QImage picture() const;
    QFont drawFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPoint toPixel(double x, double y) const;
    // Where a pixel of the client area falls in the image, and drawWidth() there.
    QPoint toDevice(const QPoint& pixel) const;
    int deviceWidth() const;
    // Grows the image to the client area (a smaller window does not cut it, so a window made
    // smaller and then larger again shows what it showed) and rescales it when the window
    // went to another screen. A hidden window gets no events for either, so drawing asks
    // first.
    void fitImage();
    // Paints on the image with a painter in client-area pixels, and notes box as drawn.
    template <typename Paint> void paintInto(const QRect& box, Paint paint);
    void drawn(const QRect& area);
    void markDirty(const QRect& area);

    QImage m_image; // none until something is drawn
    QRect m_ink; // what was drawn since the last clear, in pixels
    QRect m_dirty; // to repaint once the handler that draws has returned
    double m_scaleWidth = 1.0;
    double m_scaleHeight = 1.0;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
    double m_fontSize = 0.0; // 0: the size of the window's font
    QColor m_foreColor = Qt::black;
    QColor m_backColor = Qt::white;
    int m_drawWidth = 1;
    DrawStyle m_drawStyle = DrawStyle::Solid;
};

// The text of a number printed on its own: " 7" for 7, "-7" for -7.
QString printedNumber(int value);
