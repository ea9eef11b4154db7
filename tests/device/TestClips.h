#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <filesystem>
#include <functional>
#include <string>

namespace quorix::platform::mci::testing_support {

// Clips made with ffmpeg for the device tests, in a folder of their own that goes with them.
class TestClips {
public:
    TestClips();
    ~TestClips();
    TestClips(const TestClips&) = delete;
    TestClips& operator=(const TestClips&) = delete;

    // Runs ffmpeg with these arguments (after the input options) writing the named clip; false
    // when ffmpeg fails.
    bool make(const std::string& name, const std::string& arguments) const;
    // The number of video frames ffprobe counts by decoding the clip; -1 when it cannot.
    int countFrames(const std::string& name) const;
    std::string path(const std::string& name) const { return (folder_ / name).string(); }
    void write(const std::string& name, const std::string& bytes) const;

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
