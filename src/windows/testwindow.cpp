#include "windows/testwindow.h"

#include "platform/fonts.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "platform/twips.h"
#include "windows/flatbutton.h"
#include "windows/icons.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

const QColor kBackground(64, 64, 64);
const QColor kYellow(255, 255, 0);
const QColor kButtonFace(128, 255, 128);

struct ButtonDefinition {
    QPushButton* FrmTest::*control;
    const char* name;
    const char* caption;
    int left; // twips within the frame
    int width; // twips
    double points;
    const char* toolTip;
};

// In the order the frame holds them.
const ButtonDefinition kButtons[] = {
    {&FrmTest::cmdKae, "cmdKae", "細", 3130, 360, 9, "クリックで検査個所を減らして粗くします｡"},
    {&FrmTest::cmdHaik, "cmdHaik", "濃", 2120, 360, 9, "背景の濃さが５段階に変わります｡"},
    {&FrmTest::cmdTen, "cmdTen", "小", 1740, 360, 9, "白点を少し大きくします。"},
    {&FrmTest::cmdSpd, "cmdSpd", "早", 1350, 360, 9, "クリックで遅くなります"},
    {&FrmTest::cmdRdm, "cmdRdm", "説明", 3520, 600, 9, "クリックで説明を消します"},
    {&FrmTest::cmdKeka, "cmdKeka", "結果", 4760, 600, 10.5, "別表を閉じて開き直すと更新されます。"},
    {&FrmTest::cmdRgt, "cmdRgt", "右眼", 710, 600, 10.5, "クリックでスタートします｡"},
    {&FrmTest::cmdBetu, "cmdBetu", "別表", 4140, 600, 9,
     "[結果]をクリックしないと更新されません。"},
    {&FrmTest::cmdEnd, "cmdEnd", "終了", 5390, 600, 10.5, "終わります｡"},
    {&FrmTest::cmdStp, "cmdStp", "止", 2510, 600, 10.5, "一時停止します。"},
    {&FrmTest::cmdLft, "cmdLft", "左眼", 70, 600, 10.5, "クリックでスタートします｡"},
};
constexpr int kButtonTop = 150;
constexpr int kButtonHeight = 320;

} // namespace

FrmTest::FrmTest(QWidget* parent)
    : Canvas(parent)
    , m_dpi(twips::screenDpi())
{
    createWindow();
    createFrame();
    createButtons();
    tmr1 = new IntervalTimer(this);
    tmr1->setObjectName(QStringLiteral("tmr1"));
    createLabels();
    createShapes();
    createShortcuts();
    setTabOrders();
}

void FrmTest::createWindow()
{
    setObjectName(QStringLiteral("frmTest"));
    setWindowTitle(QStringLiteral("視野検査(15×19)"));
    setWindowIcon(icons::testWindowIcon());
    setFont(fonts::windowFont(7.5));
    setBackColor(kBackground);
    setForeColor(kYellow);
    // Moves without a button held reach the drag handler too.
    setMouseTracking(true);
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    setGeometry(px(2490), px(3090), px(10050), px(7350));
}

void FrmTest::createFrame()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    fra1 = new QFrame(this);
    fra1->setObjectName(QStringLiteral("fra1"));
    fra1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fra1->setAutoFillBackground(true);
    QPalette palette = fra1->palette();
    palette.setColor(QPalette::Window, kBackground);
    fra1->setPalette(palette);
    fra1->setFont(fonts::windowFont(9));
    // Presses in the gaps between the buttons belong to the frame, not to the window.
    fra1->setAttribute(Qt::WA_NoMousePropagation);
    fra1->setGeometry(px(2160), px(6600), px(6034), px(530));
}

void FrmTest::createButtons()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    for (const ButtonDefinition& def : kButtons) {
        auto* button = new FlatButton(QString::fromUtf8(def.caption), kButtonFace, fra1);
        button->setObjectName(QString::fromLatin1(def.name));
        button->setFont(fonts::windowFont(def.points));
        button->setToolTip(QString::fromUtf8(def.toolTip));
        button->setGeometry(px(def.left), px(kButtonTop), px(def.width), px(kButtonHeight));
        this->*def.control = button;
    }
    cmdRdm->installEventFilter(this);
}

void FrmTest::createLabels()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    const int tops[] = {2520, 4320};
    for (int i : {1, 0}) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblRdme%1").arg(i));
        label->setFont(fonts::windowFont(10.5));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(false);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kYellow);
        palette.setColor(QPalette::Window, palette.color(QPalette::Button));
        label->setPalette(palette);
        label->setAutoFillBackground(true);
        // Mouse input over the text belongs to the label, not to the window beneath.
        label->setAttribute(Qt::WA_NoMousePropagation);
        label->setGeometry(px(3360), px(tops[i]), px(3828), px(804));
        label->hide();
        lblRdme[i] = label;
    }
}

void FrmTest::createShapes()
{
    const auto px = [this](int tw) { return twips::toPixels(tw, m_dpi); };
    shp2 = new Shape(this);
    shp2->setObjectName(QStringLiteral("shp2"));
    shp2->setBackColor(Qt::white);
    shp2->setGeometry(px(2520), px(3720), px(168), px(168));
    shp2->hide();

    shp1 = new Shape(this);
    shp1->setObjectName(QStringLiteral("shp1"));
    shp1->setBackColor(kYellow);
    shp1->setBorderColor(QColor(255, 0, 0));
    shp1->setGeometry(px(4920), px(3720), px(180), px(180));
}

void FrmTest::createShortcuts()
{
    // Esc pauses and resumes, as the stop button's cancel key.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("cmdStpCancel"));
    connect(escape, &QShortcut::activated, this, [this] {
        if (cmdStp->isEnabled())
            cmdStp->click();
    });
}

void FrmTest::setTabOrders()
{
    QWidget* const order[] = {cmdLft, cmdRgt, cmdStp, cmdRdm,  cmdBetu, cmdKeka,
                              cmdEnd, cmdSpd, cmdTen, cmdHaik, cmdKae};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

MouseArgs FrmTest::argsOf(const QMouseEvent* event) const
{
    const QPointF at = toUnits(event->position());
    return {event->button(), event->modifiers().testFlag(Qt::ShiftModifier), at.x(), at.y()};
}

void FrmTest::mousePressEvent(QMouseEvent* event)
{
    m_clickArmed = true;
    emit mouseDown(argsOf(event));
}

void FrmTest::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(argsOf(event));
}

void FrmTest::mouseReleaseEvent(QMouseEvent* event)
{
    emit mouseUp(argsOf(event));
    const bool click = m_clickArmed && rect().contains(event->position().toPoint());
    m_clickArmed = false;
    if (click)
        emit clicked();
}

void FrmTest::resizeEvent(QResizeEvent* event)
{
    Canvas::resizeEvent(event);
    emit resized();
}

void FrmTest::changeEvent(QEvent* event)
{
    // Minimising and restoring keep the size and bring no resize event, but they lay the
    // window out again all the same.
    if (event->type() == QEvent::WindowStateChange)
        emit resized();
    Canvas::changeEvent(event);
}

void FrmTest::closeEvent(QCloseEvent* event)
{
    emit closing();
    Canvas::closeEvent(event);
}

bool FrmTest::eventFilter(QObject* watched, QEvent* event)
{
    const bool press
        = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (watched == cmdRdm && press && cmdRdm->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        emit rdmMouseDown({mouse->button(), mouse->modifiers().testFlag(Qt::ShiftModifier),
                           mouse->position().x(), mouse->position().y()});
    }
    return Canvas::eventFilter(watched, event);
}
