#include "ui/QtDialogs.h"

#include "ui/CountdownPress.h"
#include "ui/Form2.h"

#include <QMessageBox>
#include <QString>
#include <optional>

namespace quorix::ui {

QtDialogs::QtDialogs(const TwipsGeometry& twips, QWidget* owner,
                     std::optional<std::chrono::seconds> unattended)
    : twips_(twips), owner_(owner), unattended_(unattended) {}

void QtDialogs::showMessage(const std::string& text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("Quorix"),
                    QString::fromStdString(text), QMessageBox::Ok, owner_.data());
    box.setTextFormat(Qt::PlainText); // messages carry file names, never markup
    box.setWindowModality(Qt::ApplicationModal);
    std::optional<CountdownPress> countdown;
    if (unattended_) {
        countdown.emplace(*box.button(QMessageBox::Ok), *unattended_);
    }
    box.exec();
    giveBackActivation();
}

void QtDialogs::showSecondWindow() {
    Form2 window(twips_, owner_.data());
    window.setWindowModality(Qt::ApplicationModal);
    std::optional<CountdownPress> countdown;
    if (unattended_) {
        countdown.emplace(*window.Command1, *unattended_);
    }
    window.exec();
    giveBackActivation();
}

// Not every window system hands the activation back to the owner when a modal window closes
// (a bare X server without a window manager, the headless platform); the owner asks for it, so
// keys reach the main window again and its activation event runs after the second window.
void QtDialogs::giveBackActivation() {
    if (owner_ != nullptr && owner_->isVisible()) {
        owner_->activateWindow();
    }
}

} // namespace quorix::ui
