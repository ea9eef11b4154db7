// quorix-mci: sends MCI command strings to the media device and prints what it answers.
//
//   quorix-mci [--video native|gpu|x11|software|wayland|none] [--audio none] [COMMAND ...]
//
// Commands come from the arguments, one each, or else from standard input, one a line, each sent
// as soon as its line arrives. For every command one line is printed when it returns: the code,
// a blank, the answer in double quotes (\" and \\ escaped), and for a non-zero code a blank and
// the error's name, e.g.  275 "" MCIERR_FILE_NOT_FOUND  or  0 "stopped". When the commands are
// done the console waits until no clip is playing, closes every device and ends.
//
// Without a window given, a clip plays in a window of its own. "--video none" shows no picture
// and plays no sound (for scripts and tests); the default output suits the Qt platform. A native
// window is drawn as the presenter draws it on this machine; "gpu" and "x11" force its drawing.
// "--audio none" keeps the picture and drops the sound (for measuring against other players).

#include "device/MciErrors.h"
#include "device/MpvMciDevice.h"
#include "device/MpvSetUp.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using quorix::device::DeviceRequest;
using quorix::device::MpvMciDevice;
using quorix::device::VideoOutput;

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "\"";
}

void run(MpvMciDevice& device, const std::string& command) {
    const auto reply = device.send(command);
    if (!reply) {
        std::cout << "send failed" << std::endl;
        return;
    }
    std::cout << reply->code << ' ' << quoted(reply->answer);
    if (reply->code != 0) {
        const auto name = quorix::device::errorName(reply->code);
        if (!name.empty()) {
            std::cout << ' ' << name;
        }
    }
    std::cout << std::endl;
}

// Ends the program once nothing plays any more.
void finishWhenIdle(MpvMciDevice& device, QApplication& app) {
    auto* poll = new QTimer(&app);
    QObject::connect(poll, &QTimer::timeout, &app, [&device, &app] {
        if (!device.anyPlaying()) {
            device.send("close all");
            app.quit();
        }
    });
    poll->start(100);
}

int usage() {
    std::cerr << "usage: quorix-mci [--video native|gpu|x11|software|wayland|none] [--audio none] "
                 "[COMMAND ...]\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    DeviceRequest request;
    bool sound = true;
    std::vector<std::string> commands;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        std::string value;
        if (word == "--video" && i + 1 < argc) {
            value = argv[++i];
        } else if (word.rfind("--video=", 0) == 0) {
            value = word.substr(8);
        } else if (word == "--audio=none" || (word == "--audio" && i + 1 < argc)) {
            if (word == "--audio" && std::string(argv[++i]) != "none") {
                return usage();
            }
            sound = false;
            continue;
        } else if (word == "--help" || word == "-h") {
            return usage();
        } else {
            commands.push_back(word);
            continue;
        }
        const std::optional<DeviceRequest> named = quorix::device::RequestNamed(value);
        if (!named) {
            return usage();
        }
        request = *named;
    }
    request.audio = request.audio && sound;
    // Without pictures no display is needed.
    if (request.output == VideoOutput::None && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }

    quorix::device::MpvSetUp setUp(request, argc, argv);
    QApplication app(argc, argv);
    // A clip without a window of ours plays in one of its own, which goes when the clip is
    // closed; the console must not end with it, but only when its commands are done.
    QApplication::setQuitOnLastWindowClosed(false);

    const quorix::platform::PathResolver paths;
    MpvMciDevice device(setUp.settings(), paths);

    if (!commands.empty()) {
        QTimer::singleShot(0, &app, [&] {
            for (const std::string& command : commands) {
                run(device, command);
            }
            finishWhenIdle(device, app);
        });
        return app.exec();
    }

    // Lines are read as they arrive, so a command runs before the next one is typed.
    std::string pending;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) {
            return; // nothing read this time; the input has not ended
        }
        if (count > 0) {
            pending.append(buffer, static_cast<std::size_t>(count));
        }
        std::size_t end = 0;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            run(device, line);
        }
        if (count <= 0) {
            input.setEnabled(false);
            if (!pending.empty()) {
                run(device, pending);
                pending.clear();
            }
            finishWhenIdle(device, app);
        }
    });
    return app.exec();
}
