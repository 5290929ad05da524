#include "windows/resultwindow.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "windows/flatbutton.h"
#include "windows/icons.h"

#include <QComboBox>
#include <QPushButton>
#include <QWindow>

#include <algorithm>

namespace {

bool isNormal(const QWidget* window)
{
    return !(window->windowState()
             & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

} // namespace

FrmBetu::FrmBetu(QWidget* parent)
    : Canvas(parent)
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
    setWindowIcon(icons::resultWindowIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(fonts::windowFont(7.5));
    setBackColor(Qt::white);
    setForeColor(Qt::black);
    const auto px = twips::toPixels;
    setGeometry(px(2325), px(1035), px(8715), px(3855));
}

void FrmBetu::createButtons()
{
    const auto px = twips::toPixels;
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
    const auto px = twips::toPixels;
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

void FrmBetu::setOuterSize(const QSize& outer, const QMargins& expectedFrame)
{
    m_outerSize = outer;
    m_sizedFor = expectedFrame;
    setFixedSize(outer.shrunkBy(expectedFrame));
}

QMargins FrmBetu::frame() const
{
    // The margins, unlike frameGeometry() less size(), do not change with the rounding of
    // the client area at a fractional device pixel ratio.
    const QWindow* window = windowHandle();
    return window ? window->frameMargins() : QMargins();
}

void FrmBetu::placeControl(QWidget* control, QPointF at, Qt::AlignmentFlag anchor)
{
    const Place place{control, {at.x() / scaleWidth(), at.y() / scaleHeight()}, anchor};
    const auto same = [control](const Place& p) { return p.control == control; };
    const auto it = std::find_if(m_places.begin(), m_places.end(), same);
    if (it == m_places.end())
        m_places.append(place);
    else
        *it = place;
    layOutControls();
}

void FrmBetu::layOutControls()
{
    for (const auto& [control, share, anchor] : m_places) {
        const double left = share.x() * width() - control->width() / 2.0;
        const double top
            = share.y() * height() - (anchor == Qt::AlignBottom ? control->height() : 0);
        control->move(qRound(left), qRound(top));
    }
}

bool FrmBetu::event(QEvent* event)
{
    const bool handled = Canvas::event(event);
    switch (event->type()) {
    case QEvent::Resize:
        // Also the size a window brought to a screen of another ratio has for a moment: its
        // device pixels at the new ratio.
        layOutControls();
        break;
    case QEvent::Paint:
        // The frame of decorations Qt draws itself (Wayland) is known only once the window
        // has been exposed, and no move follows there. Not resized while it paints.
        if (!frame().isNull() && !isFittedTo(frame()))
            QMetaObject::invokeMethod(this, &FrmBetu::fitToCurrentFrame, Qt::QueuedConnection);
        break;
    case QEvent::Show:
    case QEvent::Move:
        // A window manager's frame moves the client area, and a move to another screen comes
        // with its ratio.
        fitToCurrentFrame();
        break;
    default:
        break;
    }
    return handled;
}

void FrmBetu::fitToCurrentFrame()
{
    if (isVisible() && isNormal(this) && !frame().isNull())
        fitToFrame(frame());
}

bool FrmBetu::isFittedTo(const QMargins& frame) const
{
    return m_outerSize.isEmpty()
           || (m_framed && frame == m_sizedFor && devicePixelRatioF() == m_sizedAt);
}

void FrmBetu::fitToFrame(const QMargins& frame)
{
    if (isFittedTo(frame))
        return;
    const qreal ratio = devicePixelRatioF();
    if (!m_framed || frame != m_sizedFor)
        emit framed(frame);
    m_framed = true;
    m_sizedFor = frame;
    m_sizedAt = ratio;
    const QSize client = m_outerSize.shrunkBy(frame);
    if (client == size() && client == minimumSize())
        return;
    setFixedSize(client);
    // Constraints already in force are not asked again, so a window whose size went stale
    // with its screen would keep that size.
    resize(client);
    layOutControls();
    emit clientResized();
}
