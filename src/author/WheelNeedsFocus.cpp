#include "author/WheelNeedsFocus.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace quorix::author {
namespace {

class WheelFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Wheel || field == nullptr || field->hasFocus()) {
            return false;
        }
        // The field's own page scrolls; on a page without a scroll bar the wheel does nothing.
        for (QWidget* outer = field->parentWidget(); outer != nullptr;
             outer = outer->parentWidget()) {
            if (auto* area = qobject_cast<QAbstractScrollArea*>(outer)) {
                QCoreApplication::sendEvent(area->verticalScrollBar(), event);
                break;
            }
        }
        return true;
    }
};

} // namespace

void WheelNeedsFocus(QWidget& field) {
    // A wheel turn no longer gives the focus either.
    field.setFocusPolicy(Qt::StrongFocus);
    field.installEventFilter(new WheelFilter(&field));
}

} // namespace quorix::author
