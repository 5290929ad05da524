#pragma once

#include "platform/canvas.h"
#include "windows/mouseargs.h"

#include <array>

class IntervalTimer;
class QFrame;
class QLabel;
class QPushButton;
class Shape;

// The test window: a dark surface with the fixation mark, the stimulus dot, two explanation
// labels and a frame of buttons along the bottom. It only builds its controls and reports
// its own mouse and resize events; behaviour lives with the subsystems.
class FrmTest : public Canvas {
    Q_OBJECT
public:
    explicit FrmTest(QWidget* parent = nullptr);

    QFrame* fra1 = nullptr;
    QPushButton* cmdKae = nullptr;
    QPushButton* cmdHaik = nullptr;
    QPushButton* cmdTen = nullptr;
    QPushButton* cmdSpd = nullptr;
    QPushButton* cmdRdm = nullptr;
    QPushButton* cmdKeka = nullptr;
    QPushButton* cmdRgt = nullptr;
    QPushButton* cmdBetu = nullptr;
    QPushButton* cmdEnd = nullptr;
    QPushButton* cmdStp = nullptr;
    QPushButton* cmdLft = nullptr;
    IntervalTimer* tmr1 = nullptr;
    std::array<QLabel*, 2> lblRdme{};
    Shape* shp2 = nullptr; // the stimulus dot
    Shape* shp1 = nullptr; // the fixation mark

signals:
    // A press and a release of a mouse button on the window's own surface.
    void clicked();
    void mouseDown(const MouseArgs& args);
    void mouseMoved(const MouseArgs& args);
    void mouseUp(const MouseArgs& args);
    // The client area changed size, or the window was minimised, maximised or restored.
    void resized();
    // A press of any mouse button on cmdRdm (the button has no click handler).
    void rdmMouseDown(const MouseArgs& args);
    // The window is being closed, by the program or from its close box.
    void closing();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createWindow();
    void createFrame();
    void createButtons();
    void createLabels();
    void createShapes();
    void createShortcuts();
    void setTabOrders();
    MouseArgs argsOf(const QMouseEvent* event) const;

    bool m_clickArmed = false;
};
