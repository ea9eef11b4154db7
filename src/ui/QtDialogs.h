#pragma once

#include "platform/Dialogs.h"
#include "ui/TwipsGeometry.h"

#include <QPointer>
#include <QWidget>
#include <chrono>
#include <optional>

namespace quorix::ui {

// The program's modal dialogs on Qt. Both run a nested event loop, so timer ticks and other
// events keep being handled while they are open, as with the old runtime's boxes; the main
// window takes no input meanwhile. The owner (the main window) is their parent when given.
// Unattended (a kiosk, where nobody can answer), each closes by itself after the given time, as
// if its button were pressed, and counts the seconds down on the button.
class QtDialogs final : public platform::Dialogs {
public:
    QtDialogs(const TwipsGeometry& twips, QWidget* owner = nullptr,
              std::optional<std::chrono::seconds> unattended = std::nullopt);

    // Information icon, one OK button, title "Quorix".
    void showMessage(const std::string& text) override;
    // A new second window, shown until its button (or its close box, or Esc) closes it, then
    // destroyed.
    void showSecondWindow() override;

private:
    void giveBackActivation();

    TwipsGeometry twips_;
    QPointer<QWidget> owner_;
    std::optional<std::chrono::seconds> unattended_;
};

} // namespace quorix::ui
