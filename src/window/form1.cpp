#include "window/form1.h"

#include "core/numberformat.h"
#include "core/pace.h"
#include "core/placement.h"
#include "core/texts.h"
#include "platform/dialogs.h"
#include "platform/gametimer.h"
#include "platform/scheduler.h"
#include "window/crisppicture.h"
#include "window/fonts.h"
#include "window/namelabel.h"
#include "window/targetpicture.h"
#include "window/twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

namespace {

// "MS Sans Serif" 13.5 pt and 12 pt bold at 96 dots per inch.
QFont resultFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(18);
    return font;
}

QFont levelFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(16);
    font.setWeight(QFont::Bold);
    return font;
}

// The crosshair, 32 logical pixels whatever the screen's density: drawn for 1×, 1.5× and 2×,
// and for other densities the nearest drawing scaled pixel for pixel, so its bars stay sharp.
QCursor crosshairCursor(qreal ratio)
{
    // The middle of the crosshair is its hot spot, in each drawing's own pixels.
    QPoint hotspot(15, 15);
    QString file = QStringLiteral(":/assets/crosshair.cur"); // read by Qt's ICO plugin
    if (ratio >= 1.75) {
        file = QStringLiteral(":/assets/crosshair@2x.png");
        hotspot = {31, 31};
    } else if (ratio >= 1.25) {
        file = QStringLiteral(":/assets/crosshair@1.5x.png");
        hotspot = {23, 23};
    }
    QImage image(file);
    if (image.isNull())
        return QCursor(Qt::CrossCursor);
    const int side = qRound(32 * ratio);
    if (image.width() != side) {
        hotspot = hotspot * side / image.width();
        image = image.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(ratio);
    // Qt 6.4 hands the hotspot to the window system as it is, in the picture's own pixels
    // (checked on X11: a 64-pixel cursor with hotspot 31 has its hotspot at 31).
    return QCursor(pixmap, hotspot.x(), hotspot.y());
}

// The window icon at every size a desktop asks for.
QIcon gameIcon()
{
    QIcon icon(QStringLiteral(":/assets/icon.ico"));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/assets/icons/popadaika-%1.png").arg(size), {size, size});
    return icon;
}

QLabel *makeLabel(QWidget *parent, const QString &caption, const QRect &twips)
{
    auto *label = new QLabel(parent);
    // Captions may hold the player's nickname: never read them as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setText(caption);
    label->setGeometry(Twips::toPixels(twips));
    return label;
}

// A label that holds a player's name: shortened on screen when too wide, never in its text. Its
// text comes with the name, before it is first shown.
NameLabel *makeNameLabel(QWidget *parent, const QRect &twips)
{
    auto *label = new NameLabel(parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(Twips::toPixels(twips));
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &caption, const QRect &twips)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(Twips::toPixels(twips));
    button->setCursor(Qt::ArrowCursor);
    return button;
}

// A counter box reads like a label: no frame, no focus, no typing, the button face behind it
// and its digits in the normal text colour rather than greyed out.
QLineEdit *makeCounter(QWidget *parent, const QRect &twips)
{
    auto *box = new QLineEdit(QStringLiteral("0"), parent);
    box->setGeometry(Twips::toPixels(twips));
    box->setFrame(false);
    box->setEnabled(false);
    box->setFocusPolicy(Qt::NoFocus);
    box->setCursor(Qt::ArrowCursor);
    QPalette palette = box->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(QPalette::Active, QPalette::Button));
        palette.setColor(group, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::WindowText));
    }
    box->setPalette(palette);
    return box;
}

} // namespace

Form1::Form1(const Services &services, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_dialogs(services.dialogs)
    , m_files(services.files)
    , m_clock(services.clock)
    , m_random(services.random)
    , m_numbers(services.numbers)
    , m_scheduler(services.scheduler)
    , m_history(services.history)
{
    setWindowTitle(Texts::GameTitle);
    setWindowIcon(gameIcon());
    setFixedSize(Twips::toPixels(7140), Twips::toPixels(7155));
    setFont(windowFont());
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);
    setCursor(crosshairCursor(devicePixelRatioF()));
    createControls();
}

Form1::~Form1() = default;

void Form1::createControls()
{
    Label4 = makeLabel(this, QStringLiteral("Количество  кликов"), {120, 0, 1575, 255});
    Label6 = makeLabel(this, QStringLiteral("Метких"), {120, 360, 735, 255});
    Label5 = makeLabel(this, QStringLiteral(" Всего"), {960, 360, 735, 375});

    Line1 = new QFrame(this);
    Line1->setFrameShape(QFrame::VLine);
    Line1->setGeometry(Twips::toPixels(960), Twips::toPixels(360), 1,
                       Twips::toPixels(1080 - 360) + 1);

    // Every control a player uses or reads has a name a screen reader speaks.
    Text1 = makeCounter(this, {240, 840, 615, 285});
    Text1->setAccessibleName(QStringLiteral("Метких"));
    Text2 = makeCounter(this, {1080, 840, 735, 285});
    Text2->setAccessibleName(QStringLiteral("Всего кликов"));

    Label2 = makeLabel(this, Texts::ClockAtZero, {4320, 960, 2775, 255});

    Label1 = makeNameLabel(this, {1800, 120, 5295, 375});
    Label1->setFont(resultFont());
    Label1->hide();
    Label3 = makeLabel(this, QStringLiteral("Label3"), {1800, 480, 5295, 495});
    Label3->setFont(resultFont());
    Label3->hide();

    Label19 = makeLabel(this, Pace::levelName(Pace::FirstLevel), {3000, 2400, 840, 300});
    Label19->setFont(levelFont());
    Label19->resize(Label19->sizeHint().width(), Label19->height());

    HScroll1 = new QScrollBar(Qt::Horizontal, this);
    HScroll1->setAccessibleName(QStringLiteral("Уровень сложности"));
    HScroll1->setGeometry(Twips::rect(1800, 2760, 3255, 375));
    HScroll1->setRange(Pace::MinLevel, Pace::MaxLevel);
    HScroll1->setValue(Pace::FirstLevel);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(1);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    HScroll1->setCursor(Qt::ArrowCursor);
    // Also while the thumb is dragged: the scale tracks it, changing its value as it goes.
    connect(HScroll1, &QScrollBar::valueChanged, this, &Form1::hScroll1Change);

    PClick = new QLabel(this);
    PClick->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PClick->setLineWidth(2);
    PClick->setAlignment(Qt::AlignCenter);
    const CrispPicture banner(QImage(QStringLiteral(":/assets/banner.gif")),
                              QStringLiteral(":/assets/banner@2x.png"));
    PClick->setPixmap(banner.at({320, 100}, devicePixelRatioF()));
    PClick->setGeometry(Twips::rect(1050, 3465, 4860, 1560));

    const auto targetPicture = std::make_shared<const CrispPicture>(
        QImage(QStringLiteral(":/assets/target.gif")), QStringLiteral(":/assets/target-hires.png"));
    for (int i = 0; i < Targets; ++i) {
        const Placement::Anchor anchor = Placement::Anchors[i];
        Image[i] = new TargetPicture(targetPicture, this);
        Image[i]->setAccessibleName(QStringLiteral("Мишень %1").arg(i + 1));
        Image[i]->setTwipsGeometry({anchor.left - Placement::StartOffset,
                                    anchor.top - Placement::StartOffset, Placement::BaseSize,
                                    Placement::BaseSize});
        Image[i]->hide();
        connect(Image[i], &TargetPicture::clicked, this, [this, i] { targetClick(i); });
    }

    Frame1 = new QGroupBox(QStringLiteral("Меню"), this);
    Frame1->setGeometry(Twips::rect(120, 6240, 6855, 735));
    Frame1->setCursor(Qt::ArrowCursor);
    // A frame drawn at its own place, its caption set into the top line and the buttons
    // inside, as the layout was made (the style's own group box draws the line lower down).
    Frame1->setStyleSheet(QStringLiteral(
        "QGroupBox { border: 1px solid palette(mid); margin-top: 6px; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 7px; padding: 0 2px; }"));
    Command1 = makeButton(Frame1, QStringLiteral("НикНейм"), {120, 240, 1575, 375});
    Command2 = makeButton(Frame1, Texts::Start, {1800, 240, 1575, 375});
    Command4 = makeButton(Frame1, Texts::HelpOn, {3480, 240, 1575, 375});
    Command3 = makeButton(Frame1, QStringLiteral("Выход"), {5160, 240, 1575, 375});
    // Under a style sheet the buttons would take the application's font, not their window's.
    for (QPushButton *button : Frame1->findChildren<QPushButton *>())
        button->setFont(font());
    connect(Command1, &QPushButton::clicked, this, &Form1::command1Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::command2Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::command3Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::command4Click);

    Ent = new QLineEdit(QStringLiteral(" \r\n"), this);
    Ent->hide();

    // Created last, so that when shown it lies above everything it covers.
    Frame2 = new QGroupBox(this);
    Frame2->setGeometry(Twips::rect(120, 1200, 6945, 5055));
    Frame2->setCursor(Qt::ArrowCursor);
    Frame2->setAutoFillBackground(true); // opaque, so no target shows through the panel
    Frame2->hide();
    Command5 = makeButton(Frame2, QStringLiteral("Правила"), {210, 210, 1485, 330});
    Command6 = makeButton(Frame2, QStringLiteral("10-ка лучших"), {2835, 210, 1485, 330});
    Command7 = makeButton(Frame2, QStringLiteral("О создателях"), {5250, 210, 1485, 330});
    connect(Command5, &QPushButton::clicked, this, &Form1::command5Click);
    connect(Command6, &QPushButton::clicked, this, &Form1::command6Click);
    connect(Command7, &QPushButton::clicked, this, &Form1::command7Click);
    Label7 = makeLabel(Frame2, Texts::rulesLines().first(), {210, 630, 6525, 4110});
    Label7->setFrameStyle(QFrame::Box | QFrame::Plain);
    Label7->setWordWrap(true);
    for (int i = 0; i < Rows; ++i) {
        const int top = 1260 + 240 * i;
        const int placeWidth = i < 9 ? 135 : (i == 9 ? 255 : 375);
        const QString place = i < 10 ? QStringLiteral("%1.").arg(i + 1) : QStringLiteral("LoL.");
        Mesto[i] = makeLabel(Frame2, place, {1785, top, placeWidth, 255});
        NameP[i] = makeNameLabel(Frame2, {2145, top, 1335, 255});
        ScoresP[i] = makeLabel(Frame2, QStringLiteral("Label1"), {3705, top, 1215, 255});
        Mesto[i]->hide();
        NameP[i]->hide();
        ScoresP[i]->hide();
    }

    Timer1 = new GameTimer(10, m_scheduler, this, GameTimer::Kind::Silent);
    Timer2 = new GameTimer(1000, m_scheduler, this);
    Timer3 = new GameTimer(1000, m_scheduler, this);
    Timer4 = new GameTimer(1000, m_scheduler, this);
    connect(Timer2, &GameTimer::tick, this, &Form1::timer2Tick);
    connect(Timer3, &GameTimer::tick, this, &Form1::appearanceTick);
    connect(Timer4, &GameTimer::tick, this, &Form1::appearanceTick);

    // Keyboard focus order; the other controls never take the focus.
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);
    setTabOrder(Command4, HScroll1);
    setTabOrder(HScroll1, Command5);
    setTabOrder(Command5, Command6);
    setTabOrder(Command6, Command7);
}

// ---- Helpers shared by the handlers -----------------------------------------------------------

void Form1::setAllTimersEnabled(bool enabled)
{
    // The round's running time is the time the timers run.
    const qint64 now = m_scheduler.nowMs();
    if (m_runningSince && !enabled)
        m_roundTimeMs += now - *m_runningSince;
    if (enabled != m_runningSince.has_value())
        m_runningSince = enabled ? std::optional(now) : std::nullopt;
    Timer1->setEnabled(enabled);
    Timer2->setEnabled(enabled);
    Timer3->setEnabled(enabled);
    Timer4->setEnabled(enabled);
}

void Form1::setTargetsVisible(bool visible)
{
    for (TargetPicture *target : Image)
        target->setVisible(visible);
}

void Form1::setTargetsEnabled(bool enabled)
{
    for (TargetPicture *target : Image)
        target->setEnabled(enabled);
}

void Form1::refreshTableLabels()
{
    for (int row = 0; row < Rows; ++row) {
        ScoresP[row]->setText(QString::number(TopScores[row]));
        NameP[row]->setTextWithName(TopNames[row], 0, TopTable::nameLength(TopNames[row]));
    }
}

void Form1::centreHorizontally(QWidget *control)
{
    // Computed in single precision, in twips, on the layout's own outer width, so the result
    // does not depend on the window manager's border.
    const float left = (OuterWidthTwips - float(control->width() * Twips::PerPixel)) / 2;
    control->move(Twips::toPixels(left), control->y());
}

QString Form1::lineBreak() const
{
    return Ent->text();
}

bool Form1::clicksCount() const
{
    return Timer3->isEnabled();
}

// ---- Window events ----------------------------------------------------------------------------

void Form1::closeEvent(QCloseEvent *event)
{
    formClosing();
    event->accept();
}

// Only the bare surface gives a click: a press that Qt passes up from a control that ignored
// it (a label, a frame, a disabled box) lands here too, so look at what lies under the mouse.
void Form1::mousePressEvent(QMouseEvent *event)
{
    m_surfaceClick.press(*event, childAt(event->position().toPoint()) == nullptr);
    event->accept();
}

void Form1::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    event->accept();
    if (m_surfaceClick.release(*event, rect().contains(at) && childAt(at) == nullptr))
        surfaceClick();
}

// The second press of a double click is no click: taken here, where QWidget would pass it on
// as a press. The first click's release has already ended that click, so nothing is pending.
void Form1::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void Form1::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier)
        statisticsKey();
    else
        QWidget::keyPressEvent(event);
}
