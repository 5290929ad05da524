#include "windows/testwindow.h"

#include "platform/fonts.h"
#include "platform/intervaltimer.h"
#include "platform/shape.h"
#include "platform/twips.h"
#include "windows/colors.h"
#include "windows/flatbutton.h"
#include "windows/icons.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>

namespace {

const QColor kButtonFace(128, 255, 128);

struct ButtonDefinition {
    QPushButton* FrmTest::*control;
    const char* name;
    int left; // twips within the frame
    int width; // twips
    double points;
    // nullptr: set when the program starts by what changes it as the program runs (the run
    // phases, the grid switch, the speed and the background buttons).
    const char* caption = nullptr;
    const char* toolTip = nullptr;
};

// In the order the frame holds them.
// clang-format off
const ButtonDefinition kButtons[] = {
    {.control = &FrmTest::cmdKae, .name = "cmdKae", .left = 3130, .width = 360, .points = 9},
    {.control = &FrmTest::cmdHaik, .name = "cmdHaik", .left = 2120, .width = 360, .points = 9},
    {.control = &FrmTest::cmdTen, .name = "cmdTen", .left = 1740, .width = 360, .points = 9,
     .caption = "小", .toolTip = "白点を少し大きくします。"},
    {.control = &FrmTest::cmdSpd, .name = "cmdSpd", .left = 1350, .width = 360, .points = 9},
    {.control = &FrmTest::cmdRdm, .name = "cmdRdm", .left = 3520, .width = 600, .points = 9,
     .caption = "説明"},
    {.control = &FrmTest::cmdKeka, .name = "cmdKeka", .left = 4760, .width = 600, .points = 10.5,
     .caption = "結果", .toolTip = "別表を閉じて開き直すと更新されます。"},
    {.control = &FrmTest::cmdRgt, .name = "cmdRgt", .left = 710, .width = 600, .points = 10.5,
     .caption = "右眼"},
    {.control = &FrmTest::cmdBetu, .name = "cmdBetu", .left = 4140, .width = 600, .points = 9,
     .caption = "別表", .toolTip = "[結果]をクリックしないと更新されません。"},
    {.control = &FrmTest::cmdEnd, .name = "cmdEnd", .left = 5390, .width = 600, .points = 10.5,
     .caption = "終了", .toolTip = "終わります｡"},
    {.control = &FrmTest::cmdStp, .name = "cmdStp", .left = 2510, .width = 600, .points = 10.5},
    {.control = &FrmTest::cmdLft, .name = "cmdLft", .left = 70, .width = 600, .points = 10.5,
     .caption = "左眼"},
};
// clang-format on
constexpr int kButtonTop = 150;
constexpr int kButtonHeight = 320;

} // namespace

FrmTest::FrmTest(QWidget* parent)
    : Canvas(parent)
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
    setWindowIcon(icons::testWindowIcon());
    setFont(fonts::windowFont(7.5));
    setBackColor(colors::kField);
    setForeColor(colors::kMark);
    // Moves without a button held reach the drag handler too.
    setMouseTracking(true);
    const auto px = twips::toPixels;
    setGeometry(px(2490), px(3090), px(10050), px(7350));
}

void FrmTest::createFrame()
{
    const auto px = twips::toPixels;
    fra1 = new QFrame(this);
    fra1->setObjectName(QStringLiteral("fra1"));
    fra1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    fra1->setAutoFillBackground(true);
    QPalette palette = fra1->palette();
    palette.setColor(QPalette::Window, colors::kField);
    fra1->setPalette(palette);
    fra1->setFont(fonts::windowFont(9));
    // Presses in the gaps between the buttons belong to the frame, not to the window.
    fra1->setAttribute(Qt::WA_NoMousePropagation);
    fra1->setGeometry(px(2160), px(6600), px(6034), px(530));
}

void FrmTest::createButtons()
{
    const auto px = twips::toPixels;
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
    const auto px = twips::toPixels;
    const int tops[] = {2520, 4320};
    for (int i : {1, 0}) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblRdme%1").arg(i));
        label->setFont(fonts::windowFont(10.5));
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(false);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colors::kMark);
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
    const auto px = twips::toPixels;
    shp2 = new Shape(this);
    shp2->setObjectName(QStringLiteral("shp2"));
    shp2->setBackColor(Qt::white);
    shp2->setGeometry(px(2520), px(3720), px(168), px(168));
    shp2->hide();

    shp1 = new Shape(this);
    shp1->setObjectName(QStringLiteral("shp1"));
    shp1->setBackColor(colors::kMark);
    shp1->setBorderColor(colors::kMarkRed);
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
