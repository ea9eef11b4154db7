#include "check/MenuFit.h"

#include "check/CheckText.h"
#include "menu/ClipMenu.h"
#include "menu/ShowPicbase.h"
#include "program/Program.h"
#include "startup/CatalogueReader.h"
#include "startup/SettingsReader.h"
#include "startup/TitleFont.h"
#include "ui/Form1.h"

#include <exception>

namespace quorix::check {
namespace {

constexpr int TwipsPerPixel = 15;

// The services of a presenter that only lays out its menu: a screen of a fixed size, and nothing
// that plays, waits, asks or ends.
class FixedScreen final : public platform::Screen {
public:
    explicit FixedScreen(ScreenSize size) : size_(size) {}
    int widthTwips() const override { return size_.width * TwipsPerPixel; }
    int heightTwips() const override { return size_.height * TwipsPerPixel; }
    int twipsPerPixelX() const override { return TwipsPerPixel; }
    int twipsPerPixelY() const override { return TwipsPerPixel; }
    void setMousePointer(int pointer) override { pointer_ = pointer; }
    int mousePointer() const override { return pointer_; }

private:
    ScreenSize size_;
    int pointer_ = 0;
};

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

// "12 pixels past the bottom", and further edges joined with "and".
std::string Overruns(const QRect& title, const QRect& area) {
    std::vector<std::string> edges;
    auto edge = [&](int pixels, const char* name) {
        if (pixels > 0) {
            edges.push_back(std::to_string(pixels) + (pixels == 1 ? " pixel" : " pixels") +
                            " past the " + name);
        }
    };
    edge(area.top() - title.top(), "top");
    edge(title.bottom() - area.bottom(), "bottom");
    edge(area.left() - title.left(), "left");
    edge(title.right() - area.right(), "right");
    std::string text;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        text += (i == 0 ? "" : " and ") + edges[i];
    }
    return text;
}

} // namespace

std::vector<std::string> MenuFitProblems(platform::ProfileReader& profile,
                                         const platform::PathResolver& paths,
                                         const std::string& mediaPath, ScreenSize screen) {
    FixedScreen fixedScreen(screen);
    StillServices still;
    Form1 form(TwipsGeometry(TwipsPerPixel, TwipsPerPixel));
    form.setWindowState(Qt::WindowNoState);
    form.setGeometry(0, 0, screen.width, screen.height);
    Program program(
        form,
        Services{still, still, fixedScreen, still, still, still, still, profile, paths, still},
        StartupPlace{});

    // Start-up as far as the menu depends on it, then the backdrop and the menu.
    ProgramState& state = program.state;
    state.MediaPath = mediaPath;
    state.Settings = ReadSettings(profile, mediaPath);
    SizeTitleFont(program);
    ApplyFontKeys(program);
    state.Catalogue = ReadCatalogue(profile, mediaPath);
    std::vector<std::string> problems;
    if (state.Settings.MenuMode != 1 || state.Catalogue.LastClip < 0) {
        return problems;
    }
    ShowPicbase(program);
    ShowMenu(program);

    const QRect area(QPoint(0, 0), form.Picture1->size());
    const std::string where =
        "on a " + std::to_string(screen.width) + "x" + std::to_string(screen.height) + " screen";
    for (int i = 0; i <= state.Catalogue.LastClip; ++i) {
        const AutoSizeLabel* title = form.clip.find(i);
        if (title == nullptr || area.contains(title->geometry())) {
            continue;
        }
        problems.push_back(IndexedKey("clip", i) + " " +
                           QuotedTitle(state.Catalogue.ClipTitles[static_cast<std::size_t>(i)]) +
                           ": " + where + " the title runs " + Overruns(title->geometry(), area) +
                           " of the menu area");
    }
    return problems;
}

} // namespace quorix::check
