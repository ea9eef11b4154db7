#pragma once

#include <string>

namespace quorix::platform {

// The program's modal dialogs. Both return only when the user has closed them.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Information box: information icon, one OK button, title "Quorix". Text is UTF-8.
    virtual void showMessage(const std::string& text) = 0;
    // The second window, shown modally until its button is clicked.
    virtual void showSecondWindow() = 0;
};

} // namespace quorix::platform
