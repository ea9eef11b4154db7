#include "ui/Form1.h"

#include "ui/DesignPictures.h"
#include "ui/Form2.h"
#include "ui/VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <array>

namespace quorix::ui {

namespace {

// The design, in twips: left, top, width, height.
struct Place {
    double left;
    double top;
    double width;
    double height;
};

constexpr Place PanelPlace{840, 4200, 3645, 405};
constexpr Place ScrollBarPlace{75, 75, 3495, 255};
constexpr std::array<double, 9> ButtonLefts{1425, 1815, 2220, 2670, 3000, 3345, 3720, 4080, 4470};
constexpr double ButtonTop = 5280;
constexpr double ButtonWidth = 300;
constexpr double ButtonHeight = 405;
// How long a shown main window waits for the focus before it starts its work without it.
constexpr int UnfocusedStartDelay = 400;
constexpr Place BackdropPlace{1095, 285, 5385, 3105};
constexpr Place VideoPlace{1110, 255, 3675, 1470};
constexpr Place BackgroundPlace{-75, 105, 2025, 825};
constexpr Place ShadowPlace{2835, 315, 660, 345};
constexpr Place HintPlace{1080, 960, 2025, 300};
constexpr Place TitlePlace{960, 120, 1335, 675};
constexpr Place LogoPlace{1680, 2280, 4500, 3750};

constexpr std::int32_t Black = 0x000000;
constexpr int SupervisorInterval = 1000;

// Which picture each element of Btn holds: 0..2 the buttons, 3..5 their hover pictures, 6..8
// their normal pictures.
constexpr std::array<DesignPicture, 9> ButtonPictures{
    DesignPicture::ButtonLeft,        DesignPicture::ButtonReturn,
    DesignPicture::ButtonRight,       DesignPicture::ButtonLeftHover,
    DesignPicture::ButtonReturnHover, DesignPicture::ButtonRightHover,
    DesignPicture::ButtonLeft,        DesignPicture::ButtonReturn,
    DesignPicture::ButtonRight,
};

void PlaceDesigned(const TwipsGeometry& twips, QWidget& widget, const Place& place) {
    twips.place(widget, place.left, place.top, place.width, place.height);
}

} // namespace

Form1::Form1(const TwipsGeometry& twips, platform::WindowHandles handles, QWidget* parent)
    : QWidget(parent), twips_(twips), nativeVideo_(handles == platform::WindowHandles::Native) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QStringLiteral("Quorix"));
    setWindowIcon(DesignIcon());
    setAttribute(Qt::WA_OpaquePaintEvent);

    // Design order: what is built later lies above what is built earlier among siblings.
    buildBackdrop();
    buildPositionPanel();
    buildButtons();
    buildLogo();
    buildMenuLabels();

    Timer1 = new QtSupervisorTimer(this);
    Timer1->setInterval(SupervisorInterval);
    Timer1->setEnabled(false);

    // Borderless and maximised: the window covers its whole screen.
    if (const QScreen* screen = this->screen()) {
        setGeometry(screen->geometry());
    }
    setWindowState(Qt::WindowFullScreen);

    qApp->installEventFilter(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Form1::focusWindowChanged);
}

Form1::~Form1() {
    qApp->removeEventFilter(this);
}

void Form1::buildBackdrop() {
    PicBase = new PictureBox(this);
    PicBase->setBackColor(Black);
    PlaceDesigned(twips_, *PicBase, BackdropPlace);
    PicBase->hide();

    Picture1 = new PictureBox(PicBase);
    Picture1->setBackColor(Black);
    PlaceDesigned(twips_, *Picture1, VideoPlace);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    if (nativeVideo_) {
        // The media device draws the clip into this window by its native id.
        Picture1->setAttribute(Qt::WA_NativeWindow);
    }
    connect(Picture1, &PictureBox::clicked, this, &Form1::picture1Click);
    connect(Picture1, &PictureBox::mouseMoved, this, &Form1::picture1MouseMove);

    Image1 = new StretchImage(Picture1);
    PlaceDesigned(twips_, *Image1, BackgroundPlace);
    Image1->hide();
}

void Form1::hidePositionPanel() {
    sspanel1->hide();
    for (int i = 0; i < 3; ++i) {
        Btn[i].hide();
    }
}

void Form1::buildPositionPanel() {
    sspanel1 = new PictureBox(this);
    sspanel1->setBackColor(Black);
    sspanel1->setPicture(LoadDesignPicture(DesignPicture::Panel));
    PlaceDesigned(twips_, *sspanel1, PanelPlace);
    sspanel1->hide();
    connect(sspanel1, &PictureBox::mouseMoved, this, &Form1::sspanel1MouseMove);

    HScroll1 = new HScrollBar(sspanel1);
    PlaceDesigned(twips_, *HScroll1, ScrollBarPlace);
    HScroll1->setRange(0, 32767);
    HScroll1->setSingleStep(1);
    HScroll1->setPageStep(12);
    connect(HScroll1, &HScrollBar::change, this, &Form1::hScroll1Change);
    connect(HScroll1, &HScrollBar::scroll, this, &Form1::hScroll1Scroll);

    keepAboveBackdrop(*sspanel1);
}

void Form1::buildButtons() {
    Btn.setWiring([this](std::int16_t index, PictureControl& button) {
        connect(&button, &PictureControl::clicked, this, [this, index] { emit btnClick(index); });
        connect(&button, &PictureControl::mouseMoved, this,
                [this, index] { emit btnMouseMove(index); });
    });
    for (std::size_t i = 0; i < ButtonPictures.size(); ++i) {
        auto* button = new PictureControl(twips_, this);
        twips_.place(*button, ButtonLefts[i], ButtonTop + 15.0 * static_cast<double>(i % 3),
                     ButtonWidth, ButtonHeight);
        button->setPicture(LoadDesignPicture(ButtonPictures[i]));
        button->hide();
        keepAboveBackdrop(*button);
        const bool added = Btn.add(static_cast<int>(i), button);
        Q_ASSERT(added);
        Q_UNUSED(added);
    }
}

void Form1::buildLogo() {
    FXImage1 = new PictureControl(twips_, this);
    PlaceDesigned(twips_, *FXImage1, LogoPlace);
    FXImage1->setPicture(LoadDesignPicture(DesignPicture::Logo));
    FXImage1->hide();
    keepAboveBackdrop(*FXImage1);
}

void Form1::buildMenuLabels() {
    // Image1 is already on Picture1; the labels come above it in design order.
    auto* shadow = new AutoSizeLabel(Picture1);
    twips_.setLeft(*shadow, ShadowPlace.left);
    twips_.setTop(*shadow, ShadowPlace.top);
    shadow->setFontName(QStringLiteral("Arial Black"));
    shadow->setFontSize(12.0f);
    shadow->setForeColor(Black);
    shadow->setCaption(QStringLiteral("Click"));
    shadow->hide();
    // Shadows raise no events that the program handles, so they are not wired.
    const bool shadowAdded = Shadow.add(0, shadow);

    Label2 = new AutoSizeLabel(Picture1);
    twips_.setLeft(*Label2, HintPlace.left);
    twips_.setTop(*Label2, HintPlace.top);
    Label2->setFontName(QStringLiteral("MS Sans Serif"));
    Label2->setFontSize(12.0f);
    Label2->setFontBold(true);
    Label2->setForeColor(DesignedTitleColor);
    Label2->setCaption(QStringLiteral("Press Esc to exit"));
    Label2->hide();
    connect(Label2, &AutoSizeLabel::clicked, this, &Form1::label2Click);
    connect(Label2, &AutoSizeLabel::mouseMoved, this, &Form1::label2MouseMove);

    clip.setWiring([this](std::int16_t index, AutoSizeLabel& title) {
        connect(&title, &AutoSizeLabel::clicked, this, [this, index] { emit clipClick(index); });
        connect(&title, &AutoSizeLabel::mouseMoved, this,
                [this, index] { emit clipMouseMove(index); });
    });
    auto* title = new AutoSizeLabel(Picture1);
    twips_.setLeft(*title, TitlePlace.left);
    twips_.setTop(*title, TitlePlace.top);
    title->setFontName(QStringLiteral("Arial Black"));
    title->setFontSize(24.0f);
    title->setForeColor(DesignedTitleColor);
    title->setCaption(QStringLiteral("Click"));
    title->setCursor(MenuCursor());
    title->hide();
    const bool titleAdded = clip.add(0, title);
    Q_ASSERT(shadowAdded && titleAdded);
    Q_UNUSED(shadowAdded);
    Q_UNUSED(titleAdded);
}

void Form1::keepAboveBackdrop(QWidget& overlay) {
    // Only a native window can lie above a native video surface inside PicBase.
    if (nativeVideo_) {
        overlay.setAttribute(Qt::WA_NativeWindow);
    }
    overlay.setProperty("quorixOverlay", true);
    overlay.raise();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const auto code = VirtualKeyCode(key->key(), key->modifiers())) {
            emit keyDown(*code, ShiftMask(key->modifiers()));
            return true;
        }
    } else if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* shown = static_cast<QWidget*>(watched);
        if (shown->property("quorixOverlay").toBool() && shown->parentWidget() == this) {
            shown->raise();
        } else if (shown == PicBase) {
            // The backdrop's native window may be new and lie on top: put the overlays back.
            for (QObject* child : children()) {
                if (child->isWidgetType() && child->property("quorixOverlay").toBool()) {
                    static_cast<QWidget*>(child)->raise();
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

void Form1::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownBefore_) {
        shownBefore_ = true;
        // A window manager activates a new window by itself; a bare X server or the headless
        // platform does not, and the program starts its work when the window is activated.
        activateWindow();
        // A Wayland compositor activates only a window it gives the keyboard to, and gives none
        // where it has no keyboard: the work starts anyway, a moment after the window is shown.
        QTimer::singleShot(UnfocusedStartDelay, this, [this] {
            if (activation_.shownWithoutFocus()) {
                emit activated();
            }
        });
    }
}

void Form1::focusWindowChanged(QWindow* window) {
    using Target = ActivationTracker::FocusTarget;
    while (window != nullptr && window->parent() != nullptr) {
        window = window->parent();
    }
    Target target = Target::Nothing;
    if (window != nullptr) {
        target = Target::OtherWindow;
        if (window == windowHandle()) {
            target = Target::MainWindow;
        } else {
            for (QWidget* topLevel : QApplication::topLevelWidgets()) {
                if (topLevel->windowHandle() == window && qobject_cast<Form2*>(topLevel)) {
                    target = Target::OtherForm;
                }
            }
        }
    }
    if (activation_.focusMovedTo(target)) {
        emit activated();
    }
}

} // namespace quorix::ui
