#pragma once

#include "ui/PointerControl.h"

#include <QPixmap>
#include <QWidget>
#include <cstdint>

namespace quorix::ui {

// A picture box: a container filled with its back colour (&H00BBGGRR) that shows its picture at
// the top left, unscaled, and reports clicks and pointer moves over the parts of it that no
// child covers.
class PictureBox : public PointerControl {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    std::int32_t backColor() const { return backColor_; }
    void setBackColor(std::int32_t bgr);

    QPixmap picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    // Redraws the box and its children now, before anything else runs.
    void refresh() { repaint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::int32_t backColor_ = 0;
    QPixmap picture_;
};

} // namespace quorix::ui
