#include "menu/OffScreenMenu.h"

#include "menu/ClipMenu.h"
#include "menu/Highlight.h"
#include "menu/ShowPicbase.h"
#include "program/Program.h"
#include "startup/FirstPlayState.h"
#include "startup/FormLoad.h"
#include "ui/Form1.h"

#include <exception>

namespace quorix::menu {
namespace {

constexpr int TwipsPerPixel = 15;

// A screen of a fixed size.
class FixedScreen final : public platform::Screen {
public:
    explicit FixedScreen(QSize size) : size_(size) {}
    int widthTwips() const override { return size_.width() * TwipsPerPixel; }
    int heightTwips() const override { return size_.height() * TwipsPerPixel; }
    int twipsPerPixelX() const override { return TwipsPerPixel; }
    int twipsPerPixelY() const override { return TwipsPerPixel; }
    void setMousePointer(int pointer) override { pointer_ = pointer; }
    int mousePointer() const override { return pointer_; }

private:
    QSize size_;
    int pointer_ = 0;
};

// The rest of the outside world of a presenter that only lays out its menu.
class StillServices final : public platform::MciDevice,
                            public platform::Dialogs,
                            public platform::SupervisorTimer,
                            public platform::EventPump,
                            public platform::ProgramEnd,
                            public platform::PointerDisplayCounter,
                            public platform::WindowSystem {
public:
    // Laying out the menu plays nothing; a command would be done at once with no answer.
    std::optional<platform::MciReply> send(std::string_view) override {
        return platform::MciReply{};
    }
    void showMessage(const std::string&) override {}
    void showSecondWindow() override {}
    void setInterval(int milliseconds) override { interval_ = milliseconds; }
    int interval() const override { return interval_; }
    void setEnabled(bool) override {}
    bool enabled() const override { return false; }
    void processPendingEvents() override {}
    // The layout runs no routine that ends the program.
    [[noreturn]] void endProgram(int) override { std::terminate(); }
    int showCursor(bool show) override { return count_ += show ? 1 : -1; }
    std::int32_t windowHandle(QWidget&) override { return 0; }
    bool lockUpdates(QWidget&) override { return true; }
    void unlockUpdates() override {}
    void refreshNow(QWidget&) override {}
    void setFocus(QWidget&) override {}
    bool activateWindowTitled(std::string_view) override { return false; }

private:
    int interval_ = 1000;
    int count_ = 0;
};

} // namespace

struct OffScreenMenu::Presenter {
    Presenter(platform::ProfileReader& profile, const platform::PathResolver& paths, QSize size)
        : screen(size), form(ui::TwipsGeometry(TwipsPerPixel, TwipsPerPixel)),
          program(form,
                  program::Services{still, still, screen, still, still, still, still, profile,
                                    paths, still},
                  program::StartupPlace{}) {}

    FixedScreen screen;
    StillServices still;
    ui::Form1 form;
    program::Program program;
    bool menuShown = false;

    QRect onScreen(const QWidget& widget) const {
        return {widget.mapTo(&form, QPoint(0, 0)), widget.size()};
    }
};

OffScreenMenu::OffScreenMenu(platform::ProfileReader& profile, const platform::PathResolver& paths,
                             const std::string& mediaPath, QSize screen)
    : presenter_(std::make_unique<Presenter>(profile, paths, screen)) {
    ui::Form1& form = presenter_->form;
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, screen.width(), screen.height());

    program::Program& program = presenter_->program;
    program.state.MediaPath = mediaPath;
    startup::ReadSettingsFile(program);
    // Start-up stops here on a disc with nothing to play.
    if (program.state.Catalogue.LastClip < 0) {
        return;
    }
    startup::ChooseFirstPlayState(program.state);
    Form_Activate(program);
    if (program.state.Settings.MenuMode == 1) {
        ShowMenu(program);
        presenter_->menuShown = true;
    }
}

OffScreenMenu::~OffScreenMenu() = default;

bool OffScreenMenu::menuShown() const {
    return presenter_->menuShown;
}

const program::ClipCatalogue& OffScreenMenu::catalogue() const {
    return presenter_->program.state.Catalogue;
}

QRect OffScreenMenu::area() const {
    return presenter_->onScreen(*presenter_->form.Picture1);
}

std::vector<QRect> OffScreenMenu::titles() const {
    std::vector<QRect> places;
    if (!presenter_->menuShown) {
        return places;
    }
    for (int i = 0; i <= catalogue().LastClip; ++i) {
        places.push_back(presenter_->onScreen(presenter_->form.clip[i]));
    }
    return places;
}

void OffScreenMenu::highlight(int index) {
    if (presenter_->menuShown && index >= 0 && index <= catalogue().LastClip) {
        SetHilite(presenter_->program, static_cast<std::int16_t>(index));
    }
}

QImage OffScreenMenu::picture() const {
    return presenter_->form.grab().toImage();
}

} // namespace quorix::menu
