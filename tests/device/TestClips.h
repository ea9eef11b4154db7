#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace quorix::platform::mci::testing_support {

// Clips made with ffmpeg for the device tests, in a folder of their own that goes with them.
class TestClips {
public:
    TestClips() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quorix-clips-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            folder_ = pattern;
        }
    }
    ~TestClips() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    TestClips(const TestClips&) = delete;
    TestClips& operator=(const TestClips&) = delete;

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
        char text[64] = "";
        FILE* pipe = popen(command.c_str(), "r");
        const bool read = pipe != nullptr && std::fgets(text, sizeof text, pipe) != nullptr;
        if (pipe != nullptr) {
            pclose(pipe);
        }
        return read ? std::atoi(text) : -1;
    }
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

private:
    std::filesystem::path folder_;
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

} // namespace quorix::platform::mci::testing_support
