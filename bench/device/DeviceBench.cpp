// Times the media device on one clip: open until loaded, status answers, an exact seek until its
// frame is shown, and memory over many open/close cycles.
//
//   quorix-device-bench CLIP [none|software|wayland|x11|gpu] [CYCLES]
//
// "x11" and "gpu" draw into a native window (run on an X server: QT_QPA_PLATFORM=xcb), with plain
// X11 images or the GPU output; with a picture, each cycle gives the clip the window, plays it for
// a few frames and closes it.

#include "device/MpvCore.h"
#include "device/MpvMciDevice.h"
#include "device/MpvSetUp.h"
#include "platform/PathResolver.h"

#include <QApplication>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace quorix;
using namespace quorix::platform;
using Clock = std::chrono::steady_clock;

double since(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long value = 0;
            status >> value;
            return value;
        }
        status.ignore(1 << 12, '\n');
    }
    return -1;
}

struct Summary {
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Summary summarise(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const auto at = [&](double q) {
        return samples[static_cast<std::size_t>(q * static_cast<double>(samples.size() - 1))];
    };
    return {at(0.5), at(0.99), samples.back()};
}

void print(const char* what, const Summary& s, const char* unit) {
    std::printf("%-44s median %8.3f  p99 %8.3f  max %8.3f %s\n", what, s.median, s.p99, s.max,
                unit);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: quorix-device-bench CLIP [none|software|wayland|x11|gpu] [CYCLES]\n");
        return 2;
    }
    const std::string clip = argv[1];
    const std::string outputName = argc > 2 ? argv[2] : "none";
    std::optional<device::DeviceRequest> request = device::RequestNamed(outputName);
    if (!request) {
        std::fprintf(stderr, "unknown output '%s'\n", outputName.c_str());
        return 2;
    }
    request->audio = false;
    const bool picture = request->output != device::VideoOutput::None;
    const int cycles = argc > 3 ? std::stoi(argv[3]) : 500;
    if (request->output == device::VideoOutput::Native) {
        qputenv("QT_QPA_PLATFORM", "xcb");
    } else if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    device::MpvSetUp setUp(*request, argc, argv);
    QApplication app(argc, argv);
    const device::MpvSettings settings = setUp.settings();
    const PathResolver paths;
    std::printf("clip %s, output %s\n", clip.c_str(), outputName.c_str());

    {
        device::MpvMciDevice device(settings, paths);
        QWidget host;
        host.resize(640, 480);
        host.show();
        const std::string window = "window v handle " + std::to_string(host.winId());

        std::vector<double> opens;
        for (int i = 0; i < 20; ++i) {
            const auto start = Clock::now();
            const auto reply = device.send("open " + clip + " alias v");
            opens.push_back(since(start));
            if (!reply || reply->code != 0) {
                std::fprintf(stderr, "open failed: %d\n", reply ? reply->code : -1);
                return 1;
            }
            device.send("close v");
        }
        print("open until loaded", summarise(opens), "ms");

        device.send("open " + clip + " alias v");
        device.send("set v time format frames");
        device.send(window);
        device.send("put v destination");
        device.send("play v");
        std::vector<double> positions;
        std::vector<double> modes;
        for (int i = 0; i < 2000; ++i) {
            auto start = Clock::now();
            device.send("status v position");
            positions.push_back(since(start) * 1000.0);
            start = Clock::now();
            device.send("status v mode");
            modes.push_back(since(start) * 1000.0);
            if (i % 20 == 0) {
                QApplication::processEvents();
            }
        }
        print("status position while playing", summarise(positions), "us");
        print("status mode while playing", summarise(modes), "us");
        device.send("close v");
    }

    {
        // A seek is shown when libmpv reports playback restarted with the new frame on screen.
        auto core = device::MpvCore::create(settings);
        if (core == nullptr) {
            return 1;
        }
        core->load(clip);
        core->waitUntilShown(Clock::now() + std::chrono::seconds(5));
        const double duration = core->doubleProperty("duration").value_or(1.0);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> anywhere(0.0, duration * 0.95);
        std::vector<double> seeks;
        for (int i = 0; i < 100; ++i) {
            const auto start = Clock::now();
            core->seek(anywhere(random));
            core->waitForSeek(Clock::now() + std::chrono::seconds(5));
            seeks.push_back(since(start));
        }
        print("exact seek until its frame is shown", summarise(seeks), "ms");
        core->unload();
    }

    {
        device::MpvMciDevice device(settings, paths);
        // With a picture: a window of the screen's size, as the presenter's.
        QWidget host;
        host.setStyleSheet("background: black");
        host.resize(1024, 768);
        host.show();
        const std::string window = "window v handle " + std::to_string(host.winId());
        long after50 = 0;
        const auto start = Clock::now();
        for (int i = 1; i <= cycles; ++i) {
            device.send("open " + clip + " alias v");
            if (picture) {
                device.send(window);
                device.send("put v destination");
                device.send("play v");
                // A few frames played, the window answering events meanwhile.
                const auto until = Clock::now() + std::chrono::milliseconds(120);
                while (Clock::now() < until) {
                    QApplication::processEvents();
                    QThread::msleep(5);
                }
            }
            device.send("close v");
            QApplication::processEvents();
            if (i == 50) {
                after50 = residentKiB();
            }
            if (i % 250 == 0 || i == cycles) {
                std::printf("  after %4d cycles: resident %ld KiB\n", i, residentKiB());
                std::fflush(stdout);
            }
        }
        const long afterAll = residentKiB();
        std::printf("open/close cycles: %d in %.1f s; resident after 50: %ld KiB, after %d: %ld "
                    "KiB (%+.1f %%)\n",
                    cycles, since(start) / 1000.0, after50, cycles, afterAll,
                    100.0 * static_cast<double>(afterAll - after50) / static_cast<double>(after50));
    }
    return 0;
}
