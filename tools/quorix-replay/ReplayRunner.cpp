#include "ReplayRunner.h"

#include "ControlDump.h"
#include "LineDiff.h"
#include "ReplayServices.h"
#include "Scenario.h"
#include "ScenarioFiles.h"
#include "app/HandlerWiring.h"
#include "device/ScriptedMciDevice.h"
#include "menu/PointerHandlers.h"
#include "menu/ShowPicbase.h"
#include "platform/FileProfileReader.h"
#include "platform/PathResolver.h"
#include "playback/PositionBar.h"
#include "playback/Supervisor.h"
#include "program/Program.h"
#include "startup/FormLoad.h"
#include "ui/Form1.h"
#include "ui/VirtualKeys.h"

#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

namespace quorix::replay {
namespace {

// Start-up sees the scenario's folder as drive S:, so media paths, and so transcripts, are the
// same on every machine whatever folder the scenario lies in.
constexpr const char* ScenarioDrive = "S:";
constexpr const char* ScenarioDriveVariable = "QUORIX_DRIVE_S";

bool IsDriving(const std::string& name) {
    return name == "tick" || name == "key" || name == "click" || name == "move" || name == "bar" ||
           name == "drag" || name == "activate" || name == "dump";
}

// A key's code; the scenario's check has let only names and whole numbers through.
std::int16_t KeyCode(const std::string& name) {
    return ui::KeyCodeNamed(name).value_or(static_cast<std::int16_t>(std::atoi(name.c_str())));
}

// The scenario's current directory as start-up sees it: relative paths on the scenario drive,
// absolute ones as they stand.
std::string StartupDirectory(const std::string& cwd, char& separator) {
    if (!cwd.empty() && cwd.front() == '/') {
        separator = '/';
        return cwd;
    }
    separator = '\\';
    if (cwd.size() >= 2 && cwd[1] == ':') {
        return cwd;
    }
    std::string path = std::string(ScenarioDrive) + "\\" + cwd;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    while (path.size() > 3 && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

class Runner {
public:
    Runner(Scenario scenario, std::filesystem::path folder, Mode mode,
           std::filesystem::path expectedFile)
        : scenario_(std::move(scenario)), folder_(std::move(folder)), mode_(mode),
          expectedFile_(std::move(expectedFile)) {}

    int run() {
        for (current_ = 0; current_ < scenario_.commands.size(); ++current_) {
            if (const std::string problem = execute(scenario_.commands[current_]);
                !problem.empty()) {
                std::fprintf(stderr, "quorix-replay: line %d: %s\n",
                             scenario_.commands[current_].line, problem.c_str());
                return 2;
            }
        }
        return finish();
    }

private:
    std::string execute(const ScenarioCommand& command) {
        const auto& w = command.words;
        const std::string& name = command.name();
        if (name == "cwd") {
            cwd_ = w[1];
        } else if (name == "args") {
            args_ = w[1];
        } else if (name == "screen") {
            width_ = std::stoi(w[1]);
            height_ = std::stoi(w[2]);
            twipsPerPixel_ = w.size() > 3 ? std::stoi(w[3]) : 15;
            if (width_ <= 0 || height_ <= 0 || twipsPerPixel_ <= 0) {
                return "screen sizes must be positive";
            }
        } else if (name == "file") {
            return WriteScenarioFile(folder_ / w[1], command);
        } else if (name == "mkclip") {
            return WritePlaceholderClip(folder_ / w[1], std::stoll(w[2]));
        } else if (name == "reply") {
            device_.reply(w[1], std::stoi(w[2]), w.size() > 3 ? w[3] : std::string());
        } else if (name == "always") {
            device_.always(w[1], std::stoi(w[2]), w.size() > 3 ? w[3] : std::string());
        } else if (name == "fail") {
            device_.fail(w[1]);
        } else if (name == "start") {
            start();
        } else {
            return drive(command);
        }
        return {};
    }

    void start() {
        setenv(ScenarioDriveVariable, folder_.string().c_str(), 1);
        paths_ = std::make_unique<platform::PathResolver>();
        profile_ = std::make_unique<platform::FileProfileReader>(*paths_);
        screen_ = std::make_unique<ReplayScreen>(transcript_, width_, height_, twipsPerPixel_);
        timer_ = std::make_unique<ReplayTimer>(transcript_);
        pointer_ = std::make_unique<ReplayPointerCounter>(transcript_);
        dialogs_ = std::make_unique<ReplayDialogs>(transcript_, [this] { activate(); });
        end_ = std::make_unique<ReplayProgramEnd>([this](int status) { endOfProgram(status); });
        mci_ = std::make_unique<TranscribingMciDevice>(transcript_, device_);

        form_ = std::make_unique<ui::Form1>(ui::TwipsGeometry(twipsPerPixel_, twipsPerPixel_));
        // The scenario's screen, not the headless platform's.
        form_->setWindowState(Qt::WindowNoState);
        form_->setGeometry(0, 0, width_, height_);

        const program::Services services{*mci_, *dialogs_, *screen_,  *timer_, events_,
                                         *end_, *pointer_, *profile_, *paths_, windows_};
        program::StartupPlace place;
        place.currentDirectory = StartupDirectory(cwd_, place.separator);
        place.commandLine = args_;
        program_ = std::make_unique<program::Program>(*form_, services, std::move(place));
        app::ConnectPlaybackHandlers(*program_);
        app::ConnectPointerHandlers(*program_);

        startup::Form_Load(*program_);
        form_->show();
        activate();
    }

    void activate() { menu::Form_Activate(*program_); }

    // A pointer or bar command reaches its control only when the control is on screen.
    bool shown(const QWidget* control, const std::string& name) {
        if (control != nullptr && !control->isHidden() && control->isVisibleTo(form_.get())) {
            return true;
        }
        transcript_.add("not shown " + name);
        return false;
    }

    // Returns an error text when the command names something the program does not have.
    std::string drive(const ScenarioCommand& command) {
        const auto& w = command.words;
        const std::string& name = command.name();
        ui::Form1& form = *form_;
        if (name == "tick") {
            const long long count = w.size() > 1 ? std::stoll(w[1]) : 1;
            for (long long i = 0; i < count; ++i) {
                if (timer_->enabled()) {
                    playback::Timer1_Timer(*program_);
                } else {
                    transcript_.add("tick ignored");
                }
            }
        } else if (name == "key") {
            emit form.keyDown(KeyCode(w[1]),
                              w.size() > 2 ? ui::ModifierMaskNamed(w[2]).value_or(0) : 0);
        } else if ((name == "click" || name == "move") && (w[1] == "clip" || w[1] == "btn")) {
            const int index = std::stoi(w[2]);
            const bool isClip = w[1] == "clip";
            const QWidget* control =
                isClip ? static_cast<const QWidget*>(form.clip.find(index)) : form.Btn.find(index);
            if (!shown(control, std::string(isClip ? "clip(" : "Btn(") + w[2] + ")")) {
                return {};
            }
            const auto element = static_cast<std::int16_t>(index);
            const bool click = name == "click";
            if (isClip && click) {
                emit form.clipClick(element);
            } else if (isClip) {
                emit form.clipMouseMove(element);
            } else if (click) {
                emit form.btnClick(element);
            } else {
                emit form.btnMouseMove(element);
            }
        } else if (name == "move" && w[1] == "panel") {
            if (shown(form.sspanel1, "sspanel1")) {
                emit form.sspanel1MouseMove();
            }
        } else if (name == "click" || name == "move") {
            if (!shown(form.Picture1, "Picture1")) {
                return {};
            }
            if (name == "click") {
                emit form.picture1Click();
            } else {
                emit form.picture1MouseMove();
            }
        } else if (name == "bar") {
            if (shown(form.HScroll1, "HScroll1")) {
                form.HScroll1->setValue(std::stoi(w[1]));
            }
        } else if (name == "drag") {
            if (shown(form.HScroll1, "HScroll1")) {
                // The thumb is held while it moves (Scroll events only); letting go is not part
                // of this command, so the release's Change is not raised.
                form.HScroll1->setSliderDown(true);
                form.HScroll1->setValue(std::stoi(w[1]));
                const bool blocked = form.HScroll1->blockSignals(true);
                form.HScroll1->setSliderDown(false);
                form.HScroll1->blockSignals(blocked);
            }
        } else if (name == "activate") {
            activate();
        } else if (name == "dump" && w.size() > 2) {
            std::string missing;
            const std::vector<std::string> lines = DumpNamedControls(
                *program_, std::vector<std::string>(w.begin() + 2, w.end()), missing);
            if (!missing.empty()) {
                return "no control " + missing + " on the form";
            }
            for (const std::string& line : lines) {
                transcript_.add(line);
            }
        } else if (name == "dump") {
            dump(w[1]);
        }
        return {};
    }

    void dump(const std::string& what) {
        if (what == "state" || what == "all") {
            transcript_.add(DumpState(*program_));
        }
        if (what == "settings" || what == "all") {
            transcript_.add(DumpSettings(*program_));
        }
        if (what == "catalogue" || what == "all") {
            for (const std::string& line : DumpCatalogue(*program_)) {
                transcript_.add(line);
            }
        }
        if (what == "controls" || what == "all") {
            for (const std::string& line : DumpControls(*program_)) {
                transcript_.add(line);
            }
        }
    }

    // The program ended, possibly deep inside a handler: no handler may run after this, so the
    // scenario is finished from here and the process leaves without unwinding.
    [[noreturn]] void endOfProgram(int status) {
        transcript_.add("end status=" + std::to_string(status));
        for (std::size_t i = current_ + 1; i < scenario_.commands.size(); ++i) {
            if (IsDriving(scenario_.commands[i].name())) {
                transcript_.add("ignored after end");
            }
        }
        const int exitStatus = finish();
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(exitStatus);
    }

    int finish() {
        if (mode_ == Mode::Print) {
            std::fwrite(transcript_.text().data(), 1, transcript_.text().size(), stdout);
            return 0;
        }
        std::ifstream in(expectedFile_, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "quorix-replay: cannot read %s\n", expectedFile_.c_str());
            return 2;
        }
        std::stringstream expected;
        expected << in.rdbuf();
        const std::string diff = LineDiff(expected.str(), transcript_.text());
        if (diff.empty()) {
            return 0;
        }
        std::fwrite(diff.data(), 1, diff.size(), stdout);
        return 1;
    }

    Scenario scenario_;
    std::filesystem::path folder_;
    Mode mode_;
    std::filesystem::path expectedFile_;
    std::size_t current_ = 0;
    Transcript transcript_;

    std::string cwd_;
    std::string args_;
    int width_ = 1024;
    int height_ = 768;
    int twipsPerPixel_ = 15;

    device::ScriptedMciDevice device_;
    ReplayEventPump events_;
    ReplayWindowSystem windows_;
    std::unique_ptr<platform::PathResolver> paths_;
    std::unique_ptr<platform::FileProfileReader> profile_;
    std::unique_ptr<ReplayScreen> screen_;
    std::unique_ptr<ReplayTimer> timer_;
    std::unique_ptr<ReplayPointerCounter> pointer_;
    std::unique_ptr<ReplayDialogs> dialogs_;
    std::unique_ptr<ReplayProgramEnd> end_;
    std::unique_ptr<TranscribingMciDevice> mci_;
    std::unique_ptr<ui::Form1> form_;
    std::unique_ptr<program::Program> program_;
};

} // namespace

int RunScenario(const std::filesystem::path& scenarioFile, Mode mode) {
    std::ifstream in(scenarioFile, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "quorix-replay: cannot read %s\n", scenarioFile.c_str());
        return 2;
    }
    std::stringstream text;
    text << in.rdbuf();
    ScenarioParse parse = ParseScenario(text.str());
    if (!parse.ok()) {
        std::fprintf(stderr, "quorix-replay: %s: %s\n", scenarioFile.c_str(), parse.error.c_str());
        return 2;
    }
    const std::filesystem::path absolute = std::filesystem::absolute(scenarioFile);
    std::filesystem::path expected = absolute;
    expected.replace_extension(".out");
    Runner runner(std::move(parse.scenario), absolute.parent_path(), mode, expected);
    return runner.run();
}

} // namespace quorix::replay
