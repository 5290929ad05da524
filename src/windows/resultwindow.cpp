#include "windows/resultwindow.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "windows/flatbutton.h"
#include "windows/icons.h"

#include <QComboBox>
#include <QPushButton>
#include <QWindow>

namespace {

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

bool FrmBetu::event(QEvent* event)
{
    const bool handled = Canvas::event(event);
    const QEvent::Type type = event->type();
    // A window manager's frame moves the client area; the window's own resize is not news.
    const bool placed = type == QEvent::Show || type == QEvent::Move;
    if (placed && isVisible() && isNormal(this) && !frame().isNull())
        fitToFrame(frame());
    return handled;
}

void FrmBetu::fitToFrame(const QMargins& frame)
{
    if (m_outerSize.isEmpty() || (m_framed && frame == m_sizedFor))
        return;
    m_framed = true;
    emit framed(frame);
    if (frame == m_sizedFor)
        return;
    m_sizedFor = frame;
    const QList<QWidget*> controls{cmdClr, cmbo2, cmbo1, cmdCopy};
    QList<QPointF> places;
    for (const QWidget* control : controls)
        places.append(userRect(control).topLeft());
    setFixedSize(m_outerSize.shrunkBy(frame));
    for (int i = 0; i < controls.size(); ++i)
        setUserPos(controls[i], places[i].x(), places[i].y());
    emit clientResized();
}
