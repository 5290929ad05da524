#include "resultsheet/resultsheet.h"

#include "platform/services.h"
#include "platform/twips.h"
#include "platform/windowframe.h"
#include "resultsheet/sheetdrawing.h"
#include "testrun/teststate.h"
#include "windows/resultwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

// Outer size of the window, title bar and border included.
constexpr int kWidthTwips = 11000;
constexpr int kHeightTwips = 4500;
// The title bar and border of a window, until a window manager has framed one of the
// program's windows.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 450;

// The frame of another normal window of the program that a window manager has framed; a
// maximised one may have lost its border.
QMargins frameOfAnotherWindow()
{
    for (const QWidget* widget : QApplication::topLevelWidgets()) {
        const QWindow* window = widget->windowHandle();
        if (window && widget->windowType() == Qt::Window && widget->isVisible()
            && window->windowStates() == Qt::WindowNoState && !window->frameMargins().isNull())
            return window->frameMargins();
    }
    return {};
}

} // namespace

ResultSheet::ResultSheet(TestState& state, Services& services)
    : m_state(state)
    , m_services(services)
{
}

ResultSheet::~ResultSheet()
{
    delete m_window;
}

FrmBetu* ResultSheet::window() const
{
    return m_window;
}

FrmBetu& ResultSheet::touch()
{
    if (!m_window) {
        m_window = new FrmBetu;
        FrmBetu* window = m_window;
        QObject::connect(window, &FrmBetu::labelChanged, window, [this] { onLabelChanged(); });
        QObject::connect(window, &FrmBetu::framed, window,
                         [this](const QMargins& frame) { m_learntFrame = frame; });
        QObject::connect(window, &FrmBetu::clientResized, window, [this] {
            if (m_shown)
                draw(*m_shown);
        });
        QObject::connect(window->cmdCopy, &QPushButton::clicked, window,
                         [this] { onCopyClicked(); });
        QObject::connect(window->cmdClr, &QPushButton::clicked, window,
                         [this] { onClearClicked(); });
        load(*window);
    }
    return *m_window;
}

void ResultSheet::unload()
{
    delete m_window;
}

QMargins ResultSheet::expectedFrame(FrmBetu& window) const
{
    if (m_learntFrame)
        return *m_learntFrame;
    if (const QMargins told = frameBeforeShow(window); !told.isNull())
        return told;
    const QMargins other = frameOfAnotherWindow();
    if (!other.isNull())
        return other;
    const int side = twips::toPixels(kFrameWidthTwips) / 2;
    const int titleBar = twips::toPixels(kFrameHeightTwips) - side;
    return {side, titleBar, side, side};
}

void ResultSheet::load(FrmBetu& window)
{
    const QSize outer(twips::toPixels(kWidthTwips), twips::toPixels(kHeightTwips));
    m_shown.reset();
    window.setOuterSize(outer, expectedFrame(window));

    setupSheet(gridMode(m_state));

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : outer;
    // The position of a window is that of its frame.
    window.move((screenSize.width() - outer.width()) / 2, screenSize.height() / 6);

    // Until the grid has been switched the fine grid's offset holds.
    const double d = (m_state.intKaeFirst == 1 ? gridMode(m_state) : kFineGrid).sheet.buttonOffset;
    // The buttons' feet stand 0.1 units above the sheet's.
    window.placeControl(window.cmdCopy, {window.x3 + d, 2 * window.y3 - 0.1}, Qt::AlignBottom);
    window.placeControl(window.cmdClr, {window.x3 - d, 2 * window.y3 - 0.1}, Qt::AlignBottom);

    // A window loaded again while the coarse grid is in use names the coarse grid.
    window.setWindowTitle(QString::fromUtf8(gridMode(m_state).sheetTitle));
}

void ResultSheet::setTitle(const GridMode& mode)
{
    touch().setWindowTitle(QString::fromUtf8(mode.sheetTitle));
}

void ResultSheet::setScale(const GridMode& mode)
{
    // The controls of a loaded window stay where they are on the screen.
    applyScale(touch(), mode.sheet);
}

void ResultSheet::applyScale(FrmBetu& window, const SheetGeometry& g)
{
    window.setScaleWidth(g.scaleWidth);
    window.setScaleHeight(g.scaleHeight);
    window.x3 = window.scaleWidth() / 2;
}

void ResultSheet::setupSheet(const GridMode& mode)
{
    const SheetGeometry& g = mode.sheet;
    FrmBetu& window = *m_window;
    applyScale(window, g);
    window.y3 = window.scaleHeight() / 2;

    // Each selection redraws the labels, so a fresh window shows them at once.
    const auto setup = [&](QComboBox* combo, double dx, int selected) {
        window.placeControl(combo, {window.x3 / 2 + dx, 0.2}, Qt::AlignTop);
        combo->addItems({QStringLiteral("左"), QStringLiteral("右")});
        combo->setCurrentIndex(selected);
    };
    setup(window.cmbo1, g.combo1Dx, 0);
    setup(window.cmbo2, g.combo2Dx, 1);
}

void ResultSheet::showInFront(FrmBetu& window)
{
    // Shown, raised and activated, a minimised window would stay minimised.
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

void ResultSheet::onKekaClicked()
{
    showInFront(touch());
    drawSheet({sheet::Side::TestWindow, true, m_state});
    // The test window's current point is left where the loop counters end, one past the grid.
    leaveCountersPastGrid(m_state);
}

void ResultSheet::onBetuClicked()
{
    showInFront(touch());
}

void ResultSheet::onLabelChanged()
{
    // The marks are not redrawn: the sheet shows none until the results are drawn again.
    drawSheet({sheet::Side::ResultWindow, false, m_state});
}

void ResultSheet::onCopyClicked()
{
    // A clipboard that cannot be written leaves everything as it is.
    m_services.copyImage(m_window->picture());
}

void ResultSheet::onClearClicked()
{
    leftGrid(m_state).reset();
    rightGrid(m_state).reset();
    drawSheet({sheet::Side::ResultWindow, true, m_state});
    m_window->cmdCopy->setFocus();
}

void ResultSheet::drawSheet(Drawing drawing)
{
    m_shown = std::move(drawing);
    draw(*m_shown);
}

void ResultSheet::draw(const Drawing& drawing)
{
    FrmBetu& window = *m_window;
    const TestState& state = drawing.state;
    window.cls();
    // Each side draws the annotations in its own order.
    if (drawing.side == sheet::Side::TestWindow) {
        sheet::drawCross(window, state);
        sheet::printEyes(window, state);
    } else {
        sheet::printEyes(window, state);
        sheet::drawCross(window, state);
    }
    sheet::printDate(window, state, m_services, drawing.side);
    sheet::printTenSizes(window, state);
    if (drawing.marks)
        sheet::drawMarks(window, state);
}
