#include "resultsheet/resultsheet.h"

#include "platform/services.h"
#include "platform/twips.h"
#include "resultsheet/sheetdrawing.h"
#include "testrun/teststate.h"
#include "windows/resultwindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace {

// Outer size of the window, title bar and border included.
constexpr int kWidthTwips = 11000;
constexpr int kHeightTwips = 4500;

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

void ResultSheet::load(FrmBetu& window)
{
    const double dpi = twips::screenDpi();
    const QSize outer(twips::toPixels(kWidthTwips, dpi), twips::toPixels(kHeightTwips, dpi));
    window.setOuterSize(outer);

    setupSheet(gridMode(m_state));

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : outer;
    // The position of a window is that of its frame.
    window.move((screenSize.width() - outer.width()) / 2, screenSize.height() / 6);

    // Until the grid has been switched the fine grid's offset holds.
    const double d = (m_state.intKaeFirst == 1 ? gridMode(m_state) : kFineGrid).sheet.buttonOffset;
    const QRectF copy = window.userRect(window.cmdCopy);
    window.setUserPos(window.cmdCopy, window.x3 - copy.width() / 2 + d,
                      2 * window.y3 - copy.height() - 0.1);
    const QRectF clear = window.userRect(window.cmdClr);
    window.setUserPos(window.cmdClr, window.x3 - clear.width() / 2 - d,
                      2 * window.y3 - clear.height() - 0.1);

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

void ResultSheet::setupSheet15()
{
    setupSheet(kFineGrid);
}

void ResultSheet::setupSheet11()
{
    setupSheet(kCoarseGrid);
}

void ResultSheet::setupSheet(const GridMode& mode)
{
    const SheetGeometry& g = mode.sheet;
    FrmBetu& window = *m_window;
    applyScale(window, g);
    window.y3 = window.scaleHeight() / 2;

    // Each selection redraws the labels, so a fresh window shows them at once.
    const auto setup = [&](QComboBox* combo, double dx, int selected) {
        window.setUserPos(combo, window.x3 / 2 - window.userRect(combo).width() / 2 + dx, 0.2);
        combo->addItems({QStringLiteral("左"), QStringLiteral("右")});
        combo->setCurrentIndex(selected);
    };
    setup(window.cmbo1, g.combo1Dx, 0);
    setup(window.cmbo2, g.combo2Dx, 1);
}

void ResultSheet::showInFront(FrmBetu& window)
{
    window.show();
    window.raise();
    window.activateWindow();
}

void ResultSheet::onKekaClicked()
{
    FrmBetu& window = touch();
    window.cls();
    showInFront(window);
    sheet::drawCross(window, m_state);
    sheet::printEyes(window, m_state);
    sheet::printDate(window, m_state, m_services, sheet::Side::TestWindow);
    sheet::printTenSizes(window, m_state);
    sheet::drawMarks(window, m_state);
    // The test window's current point is left where the loop counters end, one past the grid.
    m_state.a = gridMode(m_state).columns;
    m_state.b = gridMode(m_state).rows;
}

void ResultSheet::onBetuClicked()
{
    showInFront(touch());
}

void ResultSheet::onLabelChanged()
{
    // The marks are not redrawn: the sheet shows none until the results are drawn again.
    FrmBetu& window = *m_window;
    window.cls();
    sheet::printEyes(window, m_state);
    sheet::drawCross(window, m_state);
    sheet::printDate(window, m_state, m_services, sheet::Side::ResultWindow);
    sheet::printTenSizes(window, m_state);
}

void ResultSheet::onCopyClicked()
{
    // A clipboard that cannot be written leaves everything as it is.
    m_services.copyImage(m_window->picture());
}

void ResultSheet::onClearClicked()
{
    FrmBetu& window = *m_window;
    onLabelChanged();
    leftGrid(m_state).reset();
    rightGrid(m_state).reset();
    sheet::drawMarks(window, m_state);
    window.cmdCopy->setFocus();
}
