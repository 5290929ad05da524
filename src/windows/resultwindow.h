#pragma once

#include "platform/canvas.h"

#include <QMargins>

class QComboBox;
class QPushButton;

// The result window: a white sheet with two combo boxes for the labels of the maps and the
// Clear and Copy buttons. It only builds its controls and keeps its outer size; the result
// sheet subsystem loads, draws and copies it.
class FrmBetu : public Canvas {
    Q_OBJECT
public:
    explicit FrmBetu(QWidget* parent = nullptr);

    // Gives the window this size with the title bar and border the window manager is
    // expected to put around it; the client area is fixed.
    void setOuterSize(const QSize& outer, const QMargins& expectedFrame);
    // The frame the window manager really put around the window, found by a show or move
    // event, which may come long after the show. A frame other than the one the
    // client area was sized for changes the client area once, so that the outer size holds;
    // the controls keep their places on the sheet.
    void fitToFrame(const QMargins& frame);
    // The title bar and border around the window now; null until it has been framed.
    QMargins frame() const;

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
    void createWindow();
    void createButtons();
    void createComboBoxes();

    double m_dpi = 96;
    QSize m_outerSize;
    QMargins m_sizedFor; // the frame the client area was sized for
    bool m_framed = false; // a window manager's frame has been seen
};
