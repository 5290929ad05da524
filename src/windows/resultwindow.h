#pragma once

#include "platform/canvas.h"

class QComboBox;
class QPushButton;

// The result window: a white sheet with two combo boxes for the labels of the maps and the
// Clear and Copy buttons. It only builds its controls; the result sheet subsystem loads,
// draws and copies it.
class FrmBetu : public Canvas {
    Q_OBJECT
public:
    explicit FrmBetu(QWidget* parent = nullptr);

    QPushButton* cmdClr = nullptr;
    QComboBox* cmbo2 = nullptr;
    QComboBox* cmbo1 = nullptr;
    QPushButton* cmdCopy = nullptr;

    double x3 = 0; // horizontal centre of the sheet, in sheet units
    double y3 = 0; // vertical centre of the sheet at load, in sheet units

signals:
    // The text of either combo box was edited or an item was chosen from its list.
    void labelChanged();

private:
    void createWindow();
    void createButtons();
    void createComboBoxes();

    double m_dpi = 96;
};
