#include "ui/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <optional>

namespace quorix::ui {

namespace {

std::optional<Qt::CursorShape> ShapeOfPointer(int pointer) {
    switch (pointer) {
    case 1:
    case 4: // icon
        return Qt::ArrowCursor;
    case 2:
        return Qt::CrossCursor;
    case 3:
        return Qt::IBeamCursor;
    case 5:
    case 15:
        return Qt::SizeAllCursor;
    case 6:
        return Qt::SizeBDiagCursor;
    case 7:
        return Qt::SizeVerCursor;
    case 8:
        return Qt::SizeFDiagCursor;
    case 9:
        return Qt::SizeHorCursor;
    case 10:
        return Qt::UpArrowCursor;
    case 11:
        return Qt::WaitCursor;
    case 12:
        return Qt::ForbiddenCursor;
    case 13:
        return Qt::BusyCursor;
    case 14:
        return Qt::WhatsThisCursor;
    default: // 0 default, 99 custom (the screen has no picture of its own), unknown values
        return std::nullopt;
    }
}

QSize ScreenSize(const QWidget* window) {
    const QScreen* screen = window != nullptr ? window->screen() : nullptr;
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->geometry().size() : QSize(0, 0);
}

} // namespace

QtScreen::QtScreen(const TwipsGeometry& twips, OverrideCursor& cursor, const QWidget* window)
    : twips_(twips), cursor_(cursor), window_(window) {}

int QtScreen::widthTwips() const {
    return twips_.twipsX(ScreenSize(window_).width());
}

int QtScreen::heightTwips() const {
    return twips_.twipsY(ScreenSize(window_).height());
}

void QtScreen::setMousePointer(int pointer) {
    pointer_ = pointer;
    cursor_.setScreenPointer(ShapeOfPointer(pointer));
}

} // namespace quorix::ui
