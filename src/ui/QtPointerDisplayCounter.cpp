#include "ui/QtPointerDisplayCounter.h"

namespace quorix::ui {

int QtPointerDisplayCounter::showCursor(bool show) {
    count_ += show ? 1 : -1;
    cursor_.setHidden(count_ < 0);
    return count_;
}

} // namespace quorix::ui
