#include "device/MpvCore.h"

#include "device/MpvOptions.h"
#include "device/SoftwareVideoSurface.h"
#include "platform/Logging.h"

#include <QWindow>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <mpv/client.h>
#include <string_view>
#include <utility>
#include <vector>

namespace quorix::device {
namespace {

// While no window shows the picture, the surface is kept this small: pictures drawn for
// measuring a clip then cost next to nothing.
constexpr int ParkedSize = 16;

std::string formatTime(double time) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", time);
    return text;
}

} // namespace

std::unique_ptr<MpvCore> MpvCore::create(const MpvSettings& settings) {
    // libmpv refuses to start unless numbers are read and written with "." (it parses option
    // values with the C library); Qt sets the locale from the environment when the application
    // object is made, so it is set back here, just before the core needs it.
    std::setlocale(LC_NUMERIC, "C");
    mpv_handle* handle = mpv_create();
    if (handle == nullptr) {
        qCInfo(platform::lcDevice) << "libmpv could not make a player (mpv_create)";
        return nullptr;
    }
    std::unique_ptr<MpvCore> core(new MpvCore(handle));
    if (!core->setUp(settings)) {
        return nullptr;
    }
    return core;
}

MpvCore::MpvCore(mpv_handle* handle)
    : mpv_(handle), time_(std::numeric_limits<double>::quiet_NaN()) {}

MpvCore::~MpvCore() {
    mpv_set_wakeup_callback(mpv_, nullptr, nullptr);
    if (surface_ != nullptr) {
        surface_->detach();
    }
    mpv_terminate_destroy(mpv_);
    delete surface();
}

bool MpvCore::setUp(const MpvSettings& settings) {
    if (!SetCommonOptions(mpv_, settings.audio, CacheBytes)) {
        return false;
    }
    holder_ = std::make_unique<QWidget>();
    surface_ = MakeVideoSurface(settings.output, settings.nativeDrawing, *holder_);
    if (surface_ == nullptr) {
        return false;
    }
    if (QWidget* widget = surface_->widget()) {
        widget->resize(ParkedSize, ParkedSize);
        // Pointer moves over the picture belong to the host: a native window without tracking
        // would swallow them, and the position bar over a paused clip is brought up by them.
        widget->setMouseTracking(true);
    } else {
        holder_.reset();
    }
    if (!surface_->configure(mpv_)) {
        return false;
    }
    if (const int status = mpv_initialize(mpv_); status < 0) {
        qCInfo(platform::lcDevice) << "libmpv did not initialize:" << mpv_error_string(status);
        return false;
    }
    if (!surface_->attach(mpv_)) {
        return false;
    }
    mpv_observe_property(mpv_, TimeReply, "time-pos", MPV_FORMAT_DOUBLE);
    mpv_observe_property(mpv_, EndReply, "eof-reached", MPV_FORMAT_FLAG);
    // Events are handled on the window thread: the callback only posts a wake-up, once until it
    // has been served.
    mpv_set_wakeup_callback(
        mpv_,
        [](void* context) {
            auto* core = static_cast<MpvCore*>(context);
            if (core->wakePosted_.exchange(true)) {
                return;
            }
            QMetaObject::invokeMethod(
                &core->wakeTarget_, [core] { core->drain(); }, Qt::QueuedConnection);
        },
        this);
    return true;
}

void MpvCore::load(const std::string& path) {
    drain();
    entry_ = -1;
    loaded_ = false;
    failed_ = false;
    firstShown_ = false;
    seekShown_ = true;
    time_ = std::numeric_limits<double>::quiet_NaN();
    setPaused(true);
    setEnd(std::nullopt);
    // The file loads without its sound, so that playback times are the picture's own until the
    // clip has been measured.
    setAsync("aid", "no");
    setAsync("vf", "");
    command({"loadfile", path.c_str(), "replace"});
}

bool MpvCore::waitUntilShown(std::chrono::steady_clock::time_point deadline) {
    while (!firstShown_ && !failed_) {
        const auto left =
            std::chrono::duration<double>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        handle(*mpv_wait_event(mpv_, left.count()));
    }
    return firstShown_ && !failed_;
}

bool MpvCore::waitUntilCached(std::chrono::steady_clock::time_point deadline) {
    const auto size = intProperty("file-size");
    if (!size || *size > CacheBytes) {
        return false;
    }
    // Polled: libmpv sends no event when its reader reaches the end.
    constexpr std::chrono::milliseconds Poll{5};
    while (true) {
        mpv_node state{};
        if (mpv_get_property(mpv_, "demuxer-cache-state", MPV_FORMAT_NODE, &state) < 0) {
            return false;
        }
        bool ended = false;
        if (state.format == MPV_FORMAT_NODE_MAP) {
            const mpv_node_list* map = state.u.list;
            for (int i = 0; i < map->num; ++i) {
                if (std::string_view(map->keys[i]) == "eof" &&
                    map->values[i].format == MPV_FORMAT_FLAG) {
                    ended = map->values[i].u.flag != 0;
                }
            }
        }
        mpv_free_node_contents(&state);
        if (ended) {
            return true;
        }
        const auto left =
            std::chrono::duration<double>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        handle(*mpv_wait_event(mpv_, std::min(left, std::chrono::duration<double>(Poll)).count()));
    }
}

bool MpvCore::waitForSeek(std::chrono::steady_clock::time_point deadline) {
    while (!seekShown_) {
        const auto left =
            std::chrono::duration<double>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        handle(*mpv_wait_event(mpv_, left.count()));
    }
    return true;
}

bool MpvCore::waitUntilDrawn(std::chrono::steady_clock::time_point deadline) {
    return surface_->waitUntilDrawn(deadline);
}

void MpvCore::unload() {
    setPaused(true);
    command({"stop"});
    parkSurface();
    entry_ = -1;
    seekShown_ = true;
    time_ = std::numeric_limits<double>::quiet_NaN();
}

void MpvCore::seek(double time) {
    seeksIssued_ = seeksIssued_ == 0 ? FirstSeekReply : seeksIssued_ + 1;
    seekShown_ = false;
    seekStarted_ = false;
    const std::string target = formatTime(time);
    command({"seek", target.c_str(), "absolute+exact"}, seeksIssued_);
}

void MpvCore::enableSound() {
    setAsync("aid", "auto");
}

void MpvCore::deinterlaceIfFlagged() {
    if (flagProperty("video-frame-info/interlaced")) {
        setAsync("vf", "bwdif=mode=send_frame:parity=auto:deint=interlaced");
    }
}

QImage MpvCore::currentPicture() {
    // The decoded frame, before it is scaled to the surface: the same with every video output.
    const char* words[] = {"screenshot-raw", "video", nullptr};
    mpv_node result{};
    if (mpv_command_ret(mpv_, words, &result) < 0) {
        return {};
    }
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t stride = 0;
    const mpv_byte_array* data = nullptr;
    if (result.format == MPV_FORMAT_NODE_MAP) {
        const mpv_node_list* map = result.u.list;
        for (int i = 0; i < map->num; ++i) {
            const std::string_view key = map->keys[i];
            const mpv_node& value = map->values[i];
            if (value.format != MPV_FORMAT_INT64) {
                if (key == "data" && value.format == MPV_FORMAT_BYTE_ARRAY) {
                    data = value.u.ba;
                }
            } else if (key == "w") {
                width = value.u.int64;
            } else if (key == "h") {
                height = value.u.int64;
            } else if (key == "stride") {
                stride = value.u.int64;
            }
        }
    }
    QImage picture;
    if (data != nullptr && width > 0 && height > 0 && stride >= width * 4 &&
        static_cast<std::int64_t>(data->size) >= stride * height) {
        // Copied out before libmpv's node is freed. Its pixels are "bgr0", whose fourth byte
        // RGB32 wants opaque (a compositor honouring it would show nothing).
        picture =
            QImage(static_cast<const uchar*>(data->data), static_cast<int>(width),
                   static_cast<int>(height), static_cast<qsizetype>(stride), QImage::Format_RGB32)
                .copy();
        SoftwareVideoSurface::makeOpaque(picture);
    }
    mpv_free_node_contents(&result);
    return picture;
}

bool MpvCore::pictureFitsSurface() {
    return surface_ == nullptr || surface_->pictureFits();
}

void MpvCore::chooseScaler(int clipWidth, int clipHeight, int width, int height) {
    const bool reduced = static_cast<std::int64_t>(width) * height <
                         static_cast<std::int64_t>(clipWidth) * clipHeight;
    setAsync("sws-allow-zimg", reduced ? "yes" : "no");
}

void MpvCore::setPaused(bool paused) {
    setAsync("pause", paused ? "yes" : "no");
}

void MpvCore::setEnd(std::optional<double> time) {
    setAsync("end", time ? formatTime(*time) : std::string("none"));
}

void MpvCore::drain() {
    wakePosted_ = false;
    while (true) {
        const mpv_event* event = mpv_wait_event(mpv_, 0);
        if (event->event_id == MPV_EVENT_NONE) {
            return;
        }
        handle(*event);
    }
}

void MpvCore::handle(const mpv_event& event) {
    switch (event.event_id) {
    case MPV_EVENT_START_FILE:
        entry_ = static_cast<const mpv_event_start_file*>(event.data)->playlist_entry_id;
        loaded_ = false;
        failed_ = false;
        firstShown_ = false;
        break;
    case MPV_EVENT_FILE_LOADED:
        loaded_ = true;
        break;
    case MPV_EVENT_END_FILE:
        if (static_cast<const mpv_event_end_file*>(event.data)->playlist_entry_id == entry_) {
            failed_ = true;
        }
        break;
    case MPV_EVENT_SEEK:
        // libmpv carries a seek out after it has answered the command; a restart that comes
        // before that belongs to another seek (its own, after a filter change or at the end).
        if (seeksReplied_ == seeksIssued_) {
            seekStarted_ = true;
        }
        break;
    case MPV_EVENT_PLAYBACK_RESTART:
        if (loaded_) {
            firstShown_ = true;
        }
        if (seeksReplied_ == seeksIssued_ && seekStarted_) {
            seekShown_ = true;
        }
        break;
    case MPV_EVENT_COMMAND_REPLY:
        if (event.reply_userdata >= FirstSeekReply) {
            seeksReplied_ = std::max(seeksReplied_, event.reply_userdata);
            // A seek that libmpv refused will never be shown.
            if (event.error < 0 && seeksReplied_ == seeksIssued_) {
                seekShown_ = true;
            }
        }
        break;
    case MPV_EVENT_PROPERTY_CHANGE: {
        const auto* change = static_cast<const mpv_event_property*>(event.data);
        if (event.reply_userdata == TimeReply) {
            time_ = change->format == MPV_FORMAT_DOUBLE ? *static_cast<const double*>(change->data)
                                                        : std::numeric_limits<double>::quiet_NaN();
        } else if (event.reply_userdata == EndReply) {
            endSeen_ = change->format == MPV_FORMAT_FLAG && *static_cast<const int*>(change->data);
        }
        break;
    }
    default:
        break;
    }
}

bool MpvCore::atEnd() {
    drain();
    // The observed flag can lag or merge changes, so an end it reports is confirmed with libmpv;
    // while it reports none, no end has been reached since the last event.
    return endSeen_ && flagProperty("eof-reached");
}

std::optional<double> MpvCore::doubleProperty(const char* name) {
    double value = 0;
    if (mpv_get_property(mpv_, name, MPV_FORMAT_DOUBLE, &value) < 0 || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::int64_t> MpvCore::intProperty(const char* name) {
    std::int64_t value = 0;
    if (mpv_get_property(mpv_, name, MPV_FORMAT_INT64, &value) < 0) {
        return std::nullopt;
    }
    return value;
}

bool MpvCore::flagProperty(const char* name) {
    int value = 0;
    return mpv_get_property(mpv_, name, MPV_FORMAT_FLAG, &value) >= 0 && value != 0;
}

void MpvCore::parkSurface() {
    QWidget* surface = this->surface();
    if (surface == nullptr) {
        return;
    }
    // The next clip must not show the last one's picture.
    surface_->clear();
    if (QWidget* host = surface->parentWidget(); host != holder_.get()) {
        const QRect area = surface->geometry();
        surface->hide();
        surface->setParent(holder_.get());
        if (host != nullptr) {
            surface_->left(*host, area);
        }
    }
    // A hidden widget keeps its native window's size until it is shown again; the window itself
    // is resized at once, since the next clip is measured in it.
    surface->resize(ParkedSize, ParkedSize);
    if (QWindow* window = surface->windowHandle()) {
        window->resize(ParkedSize, ParkedSize);
    }
}

void MpvCore::command(std::initializer_list<const char*> words, std::uint64_t reply) {
    std::vector<const char*> args(words);
    args.push_back(nullptr);
    mpv_command_async(mpv_, reply, args.data());
}

void MpvCore::setAsync(const char* name, const std::string& value) {
    const char* text = value.c_str();
    mpv_set_property_async(mpv_, 0, name, MPV_FORMAT_STRING, &text);
}

} // namespace quorix::device
