#include "ui/Form2.h"

#include "ui/BgrColor.h"
#include "ui/DesignFont.h"
#include "ui/DesignPictures.h"

#include <QPainter>

namespace quorix::ui {

namespace {

constexpr std::int32_t Teal = 0x00808000;
constexpr double ClientWidth = 5970;
constexpr double ClientHeight = 4440;
constexpr double ButtonLeft = 3480;
constexpr double ButtonTop = 3540;
constexpr double ButtonWidth = 1380;
constexpr double ButtonHeight = 360;
constexpr float ButtonFontPoints = 9.75f;

} // namespace

Form2::Form2(const TwipsGeometry& twips, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      picture_(LoadDesignPicture(DesignPicture::CannotPlay)) {
    setWindowTitle(QString());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(twips.pixelsX(ClientWidth), twips.pixelsY(ClientHeight));

    Command1 = new QPushButton(QStringLiteral("Ok"), this);
    twips.place(*Command1, ButtonLeft, ButtonTop, ButtonWidth, ButtonHeight);
    Command1->setFont(DesignFont(QStringLiteral("MS Sans Serif"),
                                 FontPixelsForPoints(ButtonFontPoints, logicalDpiY()), false,
                                 false));
    Command1->setDefault(true);
    Command1->setFocus();
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void Form2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ColorFromBgr(Teal));
    painter.drawPixmap(0, 0, picture_);
}

} // namespace quorix::ui
