#pragma once

#include "platform/canvas.h"

class QComboBox;
class QEventLoop;
class QPushButton;

// The result window: a white sheet with two combo boxes for the labels of the maps and the
// Clear and Copy buttons. It only builds its controls; the result sheet subsystem loads,
// draws and copies it.
class FrmBetu : public Canvas {
    Q_OBJECT
public:
    explicit FrmBetu(QWidget* parent = nullptr);

    // Gives the window this size with the title bar and border the window manager puts
    // around it; the client area is fixed. The frame is that of an earlier window until the
    // window manager has framed this one: the first time, show() waits for it and the client
    // area changes once, the controls keeping their places on the sheet.
    void setOuterSize(const QSize& outer);
    void setVisible(bool visible) override;

    QPushButton* cmdClr = nullptr;
    QComboBox* cmbo2 = nullptr;
    QComboBox* cmbo1 = nullptr;
    QPushButton* cmdCopy = nullptr;

    double x3 = 0; // horizontal centre of the sheet, in sheet units
    double y3 = 0; // vertical centre of the sheet at load, in sheet units

signals:
    // The labels must be drawn again: the text of either combo box was edited, an item was
    // chosen from its list, or the client area changed under labels already drawn.
    void labelChanged();

protected:
    bool event(QEvent* event) override;

private:
    void createWindow();
    void createButtons();
    void createComboBoxes();
    QSize expectedFrame() const;
    void fitToFrame(const QSize& frame);

    double m_dpi = 96;
    QSize m_outerSize;
    QEventLoop* m_frameWait = nullptr; // while show() waits for the frame
};
