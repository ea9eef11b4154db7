#pragma once

#include "ui/ClickDetector.h"

#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <cstdint>

namespace quorix {

// A picture box: a container filled with its back colour (&H00BBGGRR) that shows its picture at
// the top left, unscaled, and reports clicks and pointer moves over the parts of it that no
// child covers.
class PictureBox : public QWidget {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent);

    std::int32_t backColor() const { return backColor_; }
    void setBackColor(std::int32_t bgr);

    QPixmap picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    // Redraws the box and its children now, before anything else runs.
    void refresh() { repaint(); }

signals:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::int32_t backColor_ = 0;
    QPixmap picture_;
    ClickDetector click_;
};

} // namespace quorix
