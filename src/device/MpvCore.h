#pragma once

#include "device/NativeDrawing.h"
#include "device/VideoOutput.h"
#include "device/VideoSurface.h"

#include <QImage>
#include <QObject>
#include <QWidget>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

struct mpv_handle;
struct mpv_event;

namespace quorix::device {

// How the engine's cores are set up.
struct MpvSettings {
    VideoOutput output = VideoOutput::Native;
    bool audio = true;
    // How long a load may take before the open gives up.
    std::chrono::milliseconds loadTimeout{10000};
    // How pictures go into a native window (see ChooseNativeDrawing). Asked when a core is made,
    // not before: finding out may wait for the renderer probe started with the program. Without
    // it, plain X11 images, which every X server shows.
    std::function<NativeDrawing()> nativeDrawing;
    // Whether a closed clip's last picture stays on the screen until the next clip's first
    // picture replaces it: true only while the program is about to open another clip. Asked when
    // a clip is loaded, and once the program has done what follows a close; a picture held then
    // goes. Without it, the window shows black between clips.
    std::function<bool()> holdLastPicture;
};

// One libmpv instance with its picture surface, kept from clip to clip. It remembers what its
// events said: the file being played, its last observed playback time, and whether the last exact
// seek has been shown. Used on the window thread only.
class MpvCore {
public:
    // No value when libmpv cannot be started.
    static std::unique_ptr<MpvCore> create(const MpvSettings& settings);
    ~MpvCore();
    MpvCore(const MpvCore&) = delete;
    MpvCore& operator=(const MpvCore&) = delete;

    // Starts loading a file, paused and without sound, replacing what was loaded.
    void load(const std::string& path);
    // Turns the loaded file's sound on.
    void enableSound();
    // Deinterlaces the loaded file when the frame shown is flagged as interlaced (the halves of
    // camcorder and disc pictures are taken a field apart and comb on every moving edge): each
    // picture is made whole from its own fields and its neighbours', one picture per frame, so
    // that frame numbers and exact seeks stay as they are. Progressive files get no filter.
    void deinterlaceIfFlagged();
    // Waits (at most until deadline) until the file has been read into the cache to its end, when
    // it is small enough to fit. False when it is too large or the time ran out. Seeks within the
    // cache see the timestamps of a reading from the start; a seek past what has been read makes
    // libavformat read from the middle of the stream, where a program stream whose pictures mostly
    // carry no timestamp can come out a frame off. Waiting makes a small clip's seeks the same
    // whatever the machine's load.
    bool waitUntilCached(std::chrono::steady_clock::time_point deadline);
    // Waits (at most until deadline) for the file to be loaded and its first picture shown.
    // False when it failed to load or the time ran out.
    bool waitUntilShown(std::chrono::steady_clock::time_point deadline);
    // Unloads the file.
    void unload();

    // Exact seek to a time on mpv's clock; returns at once.
    void seek(double time);
    bool seekShown() const { return seekShown_; }
    // Waits for the last seek to be shown; for loading only.
    bool waitForSeek(std::chrono::steady_clock::time_point deadline);
    // Waits (at most until deadline) until the frame shown is also the surface's picture. Only
    // the software surface keeps a picture of its own, which a window given the surface would
    // otherwise show first; libmpv draws into a native surface itself.
    bool waitUntilDrawn(std::chrono::steady_clock::time_point deadline);

    // The picture shown, at the clip's own size; null when there is none.
    QImage currentPicture();
    // Whether the surface shows the frame at its own size (libmpv draws into a native one itself).
    bool pictureFitsSurface();

    // Has pictures scaled from the loaded clip's size to a surface of width x height pixels the
    // cheaper way for that: libswscale's vectorised fast path when the picture keeps its size or
    // is enlarged (a full-HD picture 0.7 against zimg's 2.6 ms, an old disc's on a full-HD
    // screen 1.8 against 2.5 ms), zimg when it is reduced (a full-HD picture on a 1280x720
    // screen 1.8 against 2.1 ms). Only pictures drawn without a GPU are scaled so.
    void chooseScaler(int clipWidth, int clipHeight, int width, int height);

    void setPaused(bool paused);
    // Where playback stops: a time on mpv's clock, or no value for the end of the file.
    void setEnd(std::optional<double> time);

    // Handles every event that has arrived, without waiting.
    void drain();
    // The last observed playback time, NaN when there is none.
    double observedTime() const { return time_; }
    // Whether playback stands at its end (of the file, or the end time).
    bool atEnd();

    // Asked of libmpv at once (these wait for its core briefly).
    std::optional<double> doubleProperty(const char* name);
    std::optional<std::int64_t> intProperty(const char* name);
    bool flagProperty(const char* name);

    // The widget that shows the picture; null for VideoOutput::None. It lives in a hidden holder
    // while no window has been given.
    QWidget* surface() const { return surface_ != nullptr ? surface_->widget() : nullptr; }
    // Puts the surface back into its hidden holder, small and without a picture of its own.
    void parkSurface();
    // False when the surface went away with a window that held it; such a core is not reused.
    bool intact() const { return holder_ == nullptr || surface() != nullptr; }

private:
    explicit MpvCore(mpv_handle* handle);
    bool setUp(const MpvSettings& settings);
    void handle(const mpv_event& event);
    void command(std::initializer_list<const char*> words, std::uint64_t reply = 0);
    void setAsync(const char* name, const std::string& value);

    // Reply numbers that tell libmpv's answers apart.
    static constexpr std::uint64_t TimeReply = 1;
    static constexpr std::uint64_t EndReply = 2;
    static constexpr std::uint64_t FirstSeekReply = 16;
    // How much of a clip the cache holds ahead of the playback position.
    static constexpr std::int64_t CacheBytes = 4 * 1024 * 1024;

    mpv_handle* mpv_;
    QObject wakeTarget_;
    std::atomic<bool> wakePosted_{false};
    std::unique_ptr<QWidget> holder_;
    std::unique_ptr<VideoSurface> surface_;

    std::int64_t entry_ = -1; // playlist entry of the file being loaded or played
    bool loaded_ = false;
    bool failed_ = false;
    bool firstShown_ = false;
    double time_;
    bool endSeen_ = false;
    std::uint64_t seeksIssued_ = 0;
    std::uint64_t seeksReplied_ = 0;
    bool seekStarted_ = false; // libmpv has begun the last seek issued
    bool seekShown_ = true;
};

} // namespace quorix::device
