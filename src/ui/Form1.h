#pragma once

#include "platform/WindowHandles.h"
#include "ui/ActivationTracker.h"
#include "ui/AutoSizeLabel.h"
#include "ui/ControlArray.h"
#include "ui/HScrollBar.h"
#include "ui/PictureBox.h"
#include "ui/PictureControl.h"
#include "ui/QtSupervisorTimer.h"
#include "ui/StretchImage.h"
#include "ui/TwipsGeometry.h"

#include <QWidget>
#include <cstdint>

class QWindow;

namespace quorix::ui {

// The colour the menu titles are designed with, kept while the settings give none.
inline constexpr std::int32_t DesignedTitleColor = 0x004000C0;

// The main window as designed: borderless, filling its screen, black, titled "Quorix". It holds
// the designed controls under their design names and forwards their events as signals; the
// handlers live with the routines. The constructor sets every control pointer once; the window
// owns the controls.
//
// Keys: the window sees every key pressed in it before the focused control does. Each key that
// has a virtual-key code is reported by keyDown and then consumed, so a focused control (the
// scroll bar) never acts on it as well.
//
// Stacking: the backdrop PicBase lies lowest. The position panel, the buttons and the logo lie
// above it and are raised again whenever they are shown. Where the media device draws into
// Picture1 itself, Picture1 is a native window and these three are native too (only native
// windows can lie above it); where the program paints the pictures (painted window handles),
// no control is native. Inside
// Picture1: Image1, then Shadow(0), Label2 and clip(0); a label comes to the front with raise().
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(const TwipsGeometry& twips,
                   platform::WindowHandles handles = platform::WindowHandles::Native,
                   QWidget* parent = nullptr);
    ~Form1() override;

    const TwipsGeometry& twips() const { return twips_; }
    // The window's size in twips.
    std::int32_t widthTwips() const { return twips_.width(*this); }
    std::int32_t heightTwips() const { return twips_.height(*this); }

    // Designed controls, in design order.
    PictureBox* sspanel1 = nullptr;      // position panel, panel picture, hidden
    HScrollBar* HScroll1 = nullptr;      // position bar on sspanel1; steps 1 and 12
    ControlArray<PictureControl> Btn;    // 0..2 buttons, 3..5 hover, 6..8 normal pictures
    PictureBox* PicBase = nullptr;       // backdrop frame, hidden
    PictureBox* Picture1 = nullptr;      // video surface and menu area (native window)
    StretchImage* Image1 = nullptr;      // menu background on Picture1, hidden
    ControlArray<AutoSizeLabel> Shadow;  // shadows of the menu titles on Picture1
    AutoSizeLabel* Label2 = nullptr;     // "Press Esc to exit", hidden
    ControlArray<AutoSizeLabel> clip;    // menu titles on Picture1
    PictureControl* FXImage1 = nullptr;  // the logo, hidden
    QtSupervisorTimer* Timer1 = nullptr; // supervisor tick: 1000 ms, disabled

    // Hides the position panel and its three buttons.
    void hidePositionPanel();

signals:
    // The window became active: when it is first activated, and when it is active again after
    // the second window. Not when the user comes back from another program.
    void activated();
    // A key went down in the window: virtual-key code and mask (1 Shift, 2 Ctrl, 4 Alt).
    void keyDown(std::int16_t keyCode, std::int16_t shift);

    void clipClick(std::int16_t index);
    void clipMouseMove(std::int16_t index);
    void btnClick(std::int16_t index);
    void btnMouseMove(std::int16_t index);
    void sspanel1MouseMove();
    void picture1Click();
    void picture1MouseMove();
    void label2Click();
    void label2MouseMove();
    void hScroll1Change();
    void hScroll1Scroll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildPositionPanel();
    void buildButtons();
    void buildBackdrop();
    void buildMenuLabels();
    void buildLogo();
    void keepAboveBackdrop(QWidget& overlay);
    void focusWindowChanged(QWindow* window);

    TwipsGeometry twips_;
    bool nativeVideo_;
    ActivationTracker activation_;
    bool shownBefore_ = false;
};

} // namespace quorix::ui
