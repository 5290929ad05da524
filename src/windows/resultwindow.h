#pragma once

#include "platform/canvas.h"

#include <QList>
#include <QMargins>
#include <QPointF>

class QComboBox;
class QPushButton;

// The result window: a white sheet with two combo boxes for the labels of the maps and the
// Clear and Copy buttons. It only builds its controls and keeps its outer size and their
// places on the sheet; the result sheet subsystem loads, draws and copies it.
class FrmBetu : public Canvas {
    Q_OBJECT
public:
    explicit FrmBetu(QWidget* parent = nullptr);

    // Gives the window this size with the title bar and border the window manager is
    // expected to put around it; the client area is fixed.
    void setOuterSize(const QSize& outer, const QMargins& expectedFrame);
    // The frame the window manager really put around the window, found by a show or move
    // event, which may come long after the show. A frame other than the one the client area
    // was sized for, or a screen of another device pixel ratio, changes the client area once,
    // so that the outer size holds.
    void fitToFrame(const QMargins& frame);
    // The title bar and border around the window now; null until it has been framed.
    QMargins frame() const;

    // Puts the middle of a control's top or bottom edge (anchor) at this point of the sheet
    // (sheet units), where it stays through every later change of the client area's size, of
    // the screen, or of the scale.
    void placeControl(QWidget* control, QPointF at, Qt::AlignmentFlag anchor);

    QPushButton* cmdClr = nullptr;
    QComboBox* cmbo2 = nullptr;
    QComboBox* cmbo1 = nullptr;
    QPushButton* cmdCopy = nullptr;

    double x3 = 0; // horizontal centre of the sheet, in sheet units
    double y3 = 0; // vertical centre of the sheet at load, in sheet units

signals:
    // The text of either combo box was edited, or an item was chosen from its list.
    void labelChanged();
    // The window manager's frame around this window is known.
    void framed(const QMargins& frame);
    // The client area changed its size under what was drawn on it.
    void clientResized();

protected:
    bool event(QEvent* event) override;

private:
    // A control's place on the sheet as a share of the client area's width and height; a
    // change of scale keeps the control where it is, and so its share.
    struct Place {
        QWidget* control;
        QPointF share;
        Qt::AlignmentFlag anchor; // Qt::AlignTop or Qt::AlignBottom
    };

    void createWindow();
    void createButtons();
    void createComboBoxes();
    void fitToCurrentFrame();
    bool isFittedTo(const QMargins& frame) const;
    void layOutControls();

    QSize m_outerSize;
    QMargins m_sizedFor; // the frame the client area was sized for
    qreal m_sizedAt = 0; // the device pixel ratio the client area was sized at
    bool m_framed = false; // a window manager's frame has been seen
    QList<Place> m_places;
};
