#pragma once

class QWidget;

namespace quorix::author {

// Lets the mouse wheel change a field only once the author has given the field the focus (by a
// click or the Tab key). Over a field without the focus the wheel scrolls the page the field lies
// on, as it does over the page's labels, so that scrolling through a long page never changes a
// value on the way.
void WheelNeedsFocus(QWidget& field);

} // namespace quorix::author
