#include "ui/DesignPictures.h"

namespace quorix::ui {

namespace {

const char* ResourcePath(DesignPicture picture) {
    switch (picture) {
    case DesignPicture::ButtonLeft:
        return ":/ui/button-left.bmp";
    case DesignPicture::ButtonReturn:
        return ":/ui/button-return.bmp";
    case DesignPicture::ButtonRight:
        return ":/ui/button-right.bmp";
    case DesignPicture::ButtonLeftHover:
        return ":/ui/button-left-hover.bmp";
    case DesignPicture::ButtonReturnHover:
        return ":/ui/button-return-hover.bmp";
    case DesignPicture::ButtonRightHover:
        return ":/ui/button-right-hover.bmp";
    case DesignPicture::Panel:
        return ":/ui/panel.bmp";
    case DesignPicture::Logo:
        return ":/ui/logo.bmp";
    case DesignPicture::CannotPlay:
        return ":/ui/cannot-play.bmp";
    }
    return "";
}

} // namespace

QString DesignPicturePath(DesignPicture picture) {
    return QString::fromLatin1(ResourcePath(picture));
}

QPixmap LoadDesignPicture(DesignPicture picture) {
    return QPixmap(DesignPicturePath(picture));
}

QIcon DesignIcon() {
    QIcon icon;
    icon.addFile(QStringLiteral(":/ui/icon-32.png"), QSize(32, 32));
    icon.addFile(QStringLiteral(":/ui/icon-16.png"), QSize(16, 16));
    return icon;
}

QCursor MenuCursor() {
    return QCursor(QPixmap(QStringLiteral(":/ui/menu-cursor.png")), 11, 1);
}

} // namespace quorix::ui
