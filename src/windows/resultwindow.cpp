#include "windows/resultwindow.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "windows/flatbutton.h"
#include "windows/icons.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <optional>

namespace {

// The title bar and border of a window, until a window manager has framed one of the
// program's windows.
constexpr int kFrameWidthTwips = 120;
constexpr int kFrameHeightTwips = 450;
// How long the first window waits for the window manager to frame it; it takes a few
// milliseconds, and without a window manager there is no frame to wait for.
constexpr int kFrameWaitMs = 500;

// The frame the window manager put around a result window, once one has been shown.
std::optional<QSize> g_frame;

QSize frameOf(const QWidget* window)
{
    return window->frameGeometry().size() - window->size();
}

bool isNormal(const QWidget* window)
{
    return !(window->windowState()
             & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

} // namespace

FrmBetu::FrmBetu(QWidget* parent)
    : Canvas(parent)
    , m_dpi(twips::screenDpi())
{
    createWindow();
    createButtons();
    createComboBoxes();
    setTabOrder(cmdCopy, cmbo1);
    setTabOrder(cmbo1, cmbo2);
    setTabOrder(cmbo2, cmdClr);
    cmdCopy->setFocus();
}

void FrmBetu::createWindow()
{
    setObjectName(QStringLiteral("frmBetu"));
    setWindowTitle(QStringLiteral("別表[結果](15×19)"));
    setWindowIcon(icons::resultWindowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(fonts::windowFont(7.5));
    setBackColor(Qt::white);
    setForeColor(Qt::black);
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    setGeometry(px(2325), px(1035), px(8715), px(3855));
}

void FrmBetu::createButtons()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    const auto make = [&](const char* name, const char* caption, int left, const char* tip) {
        auto* button = new FlatButton(QString::fromUtf8(caption), QColor(192, 255, 192), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(fonts::windowFont(10.5));
        button->setToolTip(QString::fromUtf8(tip));
        button->setGeometry(px(left), px(3480), px(849), px(297));
        return button;
    };
    cmdClr = make("cmdClr", "クリア", 3480, "検査結果を消去します｡");
    cmdCopy = make("cmdCopy", "コピー", 4440, "クリップボードに画像としてコピーします｡");
}

void FrmBetu::createComboBoxes()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    const auto make = [&](const char* name, int left) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromLatin1(name));
        combo->setEditable(true);
        // Typed text is a label, not a new list item.
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setFont(fonts::windowFont(10.5));
        combo->move(px(left), px(120));
        combo->resize(px(1011), combo->sizeHint().height());
        connect(combo, &QComboBox::editTextChanged, this, &FrmBetu::labelChanged);
        connect(combo, &QComboBox::activated, this, &FrmBetu::labelChanged);
        return combo;
    };
    cmbo2 = make("cmbo2", 6360);
    cmbo1 = make("cmbo1", 1800);
}

void FrmBetu::setOuterSize(const QSize& outer)
{
    m_outerSize = outer;
    setFixedSize(outer - expectedFrame());
}

QSize FrmBetu::expectedFrame() const
{
    if (g_frame)
        return *g_frame;
    // Any other normal window of the program has the same frame; a maximised one may have
    // lost its border.
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        if (window != this && window->windowType() == Qt::Window && window->isVisible()
            && isNormal(window) && !frameOf(window).isNull())
            return frameOf(window);
    }
    return {twips::toPixels(kFrameWidthTwips, m_dpi), twips::toPixels(kFrameHeightTwips, m_dpi)};
}

void FrmBetu::setVisible(bool visible)
{
    Canvas::setVisible(visible);
    if (!visible || g_frame || !frameOf(this).isNull())
        return;
    // What the caller draws next must be laid out for the final client area.
    QEventLoop loop;
    m_frameWait = &loop;
    QTimer::singleShot(kFrameWaitMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    m_frameWait = nullptr;
    if (!g_frame)
        fitToFrame(QSize(0, 0));
}

bool FrmBetu::event(QEvent* event)
{
    const bool handled = Canvas::event(event);
    const QEvent::Type type = event->type();
    const bool placed = type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize;
    if (placed && isVisible() && isNormal(this) && !frameOf(this).isNull()) {
        fitToFrame(frameOf(this));
        if (m_frameWait)
            m_frameWait->quit();
    }
    return handled;
}

void FrmBetu::fitToFrame(const QSize& frame)
{
    g_frame = frame;
    const QSize client = m_outerSize - frame;
    if (m_outerSize.isEmpty() || client == size())
        return;
    const QList<QWidget*> controls{cmdClr, cmbo2, cmbo1, cmdCopy};
    QList<QPointF> places;
    for (const QWidget* control : controls)
        places.append(userRect(control).topLeft());
    setFixedSize(client);
    for (int i = 0; i < controls.size(); ++i)
        setUserPos(controls[i], places[i].x(), places[i].y());
    if (!isBlank())
        emit labelChanged();
}
