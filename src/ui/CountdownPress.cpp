#include "ui/CountdownPress.h"

namespace quorix::ui {

CountdownPress::CountdownPress(QAbstractButton& button, std::chrono::seconds after)
    : button_(&button), caption_(button.text()), left_(after) {
    showLeft();
    timer_.setInterval(std::chrono::seconds(1));
    connect(&timer_, &QTimer::timeout, this, &CountdownPress::step);
    timer_.start();
}

void CountdownPress::showLeft() {
    button_->setText(QStringLiteral("%1 (%2)").arg(caption_).arg(left_.count()));
}

void CountdownPress::step() {
    if (button_ == nullptr) {
        timer_.stop();
        return;
    }
    --left_;
    if (left_.count() > 0) {
        showLeft();
        return;
    }
    timer_.stop();
    button_->setText(caption_);
    button_->click();
}

} // namespace quorix::ui
