#pragma once

#include "ui/PointerControl.h"
#include "ui/TwipsGeometry.h"

#include <QPixmap>
#include <QWidget>
#include <cstdint>

namespace quorix::ui {

// The picture control of the logo and the on-screen buttons: shows one picture at its own size,
// at the top left of the control, and reports clicks and pointer moves. Giving it a picture
// shows that picture at once and sizes the control to it, so a logo of any size is shown whole
// and the centring by picture size and by control size agree.
class PictureControl : public PointerControl {
    Q_OBJECT

public:
    PictureControl(const TwipsGeometry& twips, QWidget* parent);

    QPixmap picture() const { return picture_; }
    // Copies the picture (pixmaps are shared until written), so passing another control's
    // picture() gives this control the same picture. A null picture empties the control and
    // leaves its size alone.
    void setPicture(const QPixmap& picture);

    // Size of the shown picture in twips; 0 when there is none.
    std::int32_t pictureWidthTwips() const;
    std::int32_t pictureHeightTwips() const;

    // A setting that the supervisor writes (with 24) when the logo is hidden for the menu and
    // after each load attempt. The value is kept and read back; nothing on screen depends on it.
    std::int16_t displayOption() const { return displayOption_; }
    void setDisplayOption(std::int16_t option) { displayOption_ = option; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSize pictureSize() const;

    TwipsGeometry twips_;
    QPixmap picture_;
    std::int16_t displayOption_ = 0;
};

} // namespace quorix::ui
