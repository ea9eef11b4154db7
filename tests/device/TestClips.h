#pragma once

#include "../unit/platform/TempDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace quorix::device::testing_support {

// Clips made with ffmpeg for the device tests, in a folder of their own that goes with them.
class TestClips : public platform::testing_support::TempDir {
public:
    // Runs ffmpeg with these arguments (after the input options) writing the named clip.
    bool make(const std::string& name, const std::string& arguments) const {
        const std::string command =
            "ffmpeg -nostdin -v error -y " + arguments + " '" + path(name) + "'";
        return std::system(command.c_str()) == 0;
    }
    // The number of video frames ffprobe counts by decoding the clip; -1 when it cannot.
    int countFrames(const std::string& name) const {
        const std::string command = "ffprobe -v error -count_frames -select_streams v:0 "
                                    "-show_entries stream=nb_read_frames -of csv=p=0 '" +
                                    path(name) + "'";
        const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        char text[64] = "";
        return pipe && std::fgets(text, sizeof text, pipe.get()) != nullptr ? std::atoi(text) : -1;
    }
    std::string path(const std::string& name) const { return (TempDir::path() / name).string(); }
};

// Lets window events run until condition holds or the time is up; false when it never held.
inline bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > milliseconds) {
            return false;
        }
        QApplication::processEvents();
        QThread::msleep(5);
    }
    return true;
}

} // namespace quorix::device::testing_support
