#include "device/MpvOptions.h"

#include "platform/Logging.h"

#include <mpv/client.h>
#include <string>
#include <utility>
#include <vector>

namespace quorix::device {
namespace {

#if defined(__linux__)
// mpv's own list ends with SDL, whose Linux back ends are the ones tried before it; on a machine
// without sound it only adds a tenth of a second to every clip's start before giving up.
constexpr const char* PlatformAudioOutputs = "pipewire,pulse,alsa,jack";
#else
// mpv's own choice.
constexpr const char* PlatformAudioOutputs = nullptr;
#endif

bool AllowMediaFormatsOnly(mpv_handle* core) {
    // libavformat's own list formats (concat scripts, HLS and DASH manifests, numbered image
    // series) open further files behind mpv's back, whatever mpv allows; its demuxers are limited
    // to the containers of camcorders, discs, phones and editors, and to raw video streams.
    char key[] = "format_whitelist";
    char formats[] = "mpeg,mpegts,mpegvideo,mov,avi,asf,matroska,ogg,flv,mxf,dv,h264,hevc,m4v";
    mpv_node value{};
    value.format = MPV_FORMAT_STRING;
    value.u.string = formats;
    char* keys[] = {key};
    mpv_node_list list{1, &value, keys};
    mpv_node map{};
    map.format = MPV_FORMAT_NODE_MAP;
    map.u.list = &list;
    return mpv_set_option(core, "demuxer-lavf-o", MPV_FORMAT_NODE, &map) >= 0;
}

} // namespace

bool SetCommonOptions(mpv_handle* core, bool audio, std::int64_t cacheBytes) {
    if (!AllowMediaFormatsOnly(core)) {
        qCInfo(platform::lcDevice) << "libmpv refused the demuxer list (demuxer-lavf-o)";
        return false;
    }
    const std::string cacheText = std::to_string(cacheBytes);
    const std::vector<std::pair<const char*, const char*>> options{
        {"config", "no"},
        {"terminal", "no"},
        {"idle", "yes"},
        {"pause", "yes"},
        {"keep-open", "yes"},
        // The video output is made once and kept between clips: made again for every clip it
        // costs tens of milliseconds of each clip's start (far more on software GL).
        {"force-window", "yes"},
        {"hr-seek", "yes"},
        {"cache", "yes"},
        // Exact seeks want the cache, but unbounded it reads a whole clip from the disc into
        // memory (up to 200 MiB). About two seconds of a DVD-rate clip ahead and a little behind
        // are enough for them (a few kilobytes are not: frames before the target show).
        {"demuxer-max-bytes", cacheText.c_str()},
        {"demuxer-max-back-bytes", "1MiB"},
        {"hr-seek-demuxer-offset", "1"},
        {"keepaspect", "no"},
        // Pictures drawn without a GPU (X11 images, the software and Wayland surfaces) are scaled
        // and converted on the CPU, the larger part of the presenter's work on such screens. Each
        // clip is given the cheaper of two scalers for its size on the screen (see
        // MpvCore::chooseScaler), both bilinear, which enlarging looks the same as libmpv's
        // default (Lanczos) at viewing distance, and both on one core: zimg sliced a picture over
        // the cores in less time but more CPU (a full-HD clip scaled to 1280x720 2.4 against 1.8
        // ms a picture). libswscale's fast path takes each pair of pixels' colour from the
        // nearest chroma sample rather than interpolating it, which shows only as a pixel-wide
        // fringe between saturated colours. Its "fast-bilinear" is cheaper still but draws an
        // enlarged picture a source pixel too far right. The GPU output uses neither.
        {"zimg-scaler", "bilinear"},
        {"zimg-threads", "1"},
        {"sws-scaler", "bilinear"},
        {"sws-fast", "yes"},
        {"input-default-bindings", "no"},
        {"input-vo-keyboard", "no"},
        {"input-cursor", "no"},
        {"cursor-autohide", "no"},
        {"osc", "no"},
        {"osd-level", "0"},
        {"load-scripts", "no"},
        {"ytdl", "no"},
        {"load-stats-overlay", "no"},
        {"load-osd-console", "no"},
        {"audio-file-auto", "no"},
        {"sub-auto", "no"},
        {"audio-display", "no"},
        // Hardware decoding where the machine has a decoder known to give the same pictures;
        // mpv decodes in software wherever it has none.
        {"hwdec", "auto-safe"},
        // A clip is one file of media. Playlists, edit lists, archives and linked Matroska
        // segments name other files, paths or network addresses: opened, a FIFO or a dead
        // address among them holds the load until its time runs out, and a disc could make the
        // presenter read any file on the machine.
        {"access-references", "no"},
        {"ordered-chapters", "no"},
        {"autoload-files", "no"},
        {"cover-art-auto", "no"},
    };
    for (const auto& [name, value] : options) {
        if (!SetOption(core, name, value)) {
            return false;
        }
    }
    if (!audio) {
        return SetOption(core, "ao", "null");
    }
    return PlatformAudioOutputs == nullptr || SetOption(core, "ao", PlatformAudioOutputs);
}

bool SetOption(mpv_handle* core, const char* name, const char* value) {
    if (const int status = mpv_set_option_string(core, name, value); status < 0) {
        qCInfo(platform::lcDevice)
            << "libmpv refused option" << name << "=" << value << ":" << mpv_error_string(status);
        return false;
    }
    return true;
}

bool SetWindowOption(mpv_handle* core, std::int64_t window) {
    if (const int status = mpv_set_option(core, "wid", MPV_FORMAT_INT64, &window); status < 0) {
        qCInfo(platform::lcDevice)
            << "libmpv refused option wid =" << window << ":" << mpv_error_string(status);
        return false;
    }
    return true;
}

} // namespace quorix::device
