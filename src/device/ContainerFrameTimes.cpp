#include "device/ContainerFrameTimes.h"

#include "platform/Logging.h"

#include <algorithm>
#include <cstdint>
#include <memory>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
}

namespace quorix::device {
namespace {

struct InputCloser {
    void operator()(AVFormatContext* context) const { avformat_close_input(&context); }
};
using Input = std::unique_ptr<AVFormatContext, InputCloser>;

Input OpenMp4(const std::string& path) {
    AVDictionary* options = nullptr;
    // Only a local file, and only when it is an MP4: other containers are not read at all.
    av_dict_set(&options, "protocol_whitelist", "file", 0);
    av_dict_set(&options, "format_whitelist", "mov,mp4,m4a,3gp,3g2,mj2", 0);
    AVFormatContext* context = nullptr;
    const std::string url = "file:" + path;
    const int result = avformat_open_input(&context, url.c_str(), nullptr, &options);
    av_dict_free(&options);
    return Input(result < 0 ? nullptr : context);
}

AVStream* FirstVideo(const AVFormatContext& context) {
    for (unsigned i = 0; i < context.nb_streams; ++i) {
        AVStream* stream = context.streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO &&
            (stream->disposition & AV_DISPOSITION_ATTACHED_PIC) == 0) {
            return stream;
        }
    }
    return nullptr;
}

} // namespace

std::optional<ContainerFrames> ReadContainerFrames(const std::string& path) {
    const Input input = OpenMp4(path);
    if (input == nullptr) {
        return std::nullopt;
    }
    AVStream* stream = FirstVideo(*input);
    if (stream == nullptr || stream->nb_frames <= 0 ||
        avformat_index_get_entries_count(stream) != stream->nb_frames) {
        return std::nullopt;
    }
    // The table gives decoding times; frames left out of the presentation by an edit are marked.
    std::vector<std::int64_t> decoding;
    for (int i = 0; i < avformat_index_get_entries_count(stream); ++i) {
        const AVIndexEntry* entry = avformat_index_get_entry(stream, i);
        if ((entry->flags & AVINDEX_DISCARD_FRAME) == 0) {
            decoding.push_back(entry->timestamp);
        }
    }
    if (decoding.empty()) {
        return std::nullopt;
    }
    std::sort(decoding.begin(), decoding.end());
    // Encoders that reorder pictures decode a few ahead of the first one shown, and give each
    // later frame the time at which the one that many places earlier in showing order is shown:
    // the showing times are the decoding times moved by that many places.
    const std::int64_t first =
        stream->start_time != AV_NOPTS_VALUE ? stream->start_time : decoding.front();
    const auto ahead = static_cast<std::size_t>(
        std::lower_bound(decoding.begin(), decoding.end(), first) - decoding.begin());
    const double unit = av_q2d(stream->time_base);
    // The last frames shown have no decoding time of their own: they follow the last one that
    // has, as far apart as the last two decoding times are. The stream's duration (which some
    // writers make end before the last frame) may only lengthen the last frame.
    const std::size_t count = decoding.size();
    const std::int64_t step = count > 1 ? decoding[count - 1] - decoding[count - 2] : 0;
    const auto hidden = static_cast<std::int64_t>(ahead);
    const std::int64_t lastShown = decoding.back() + hidden * step;
    const std::int64_t end =
        std::max(stream->duration > 0 ? first + stream->duration : 0, lastShown + step);
    if (end <= lastShown) {
        return std::nullopt;
    }
    ContainerFrames frames;
    frames.times.reserve(count);
    for (std::size_t k = ahead; k < count; ++k) {
        frames.times.push_back(static_cast<double>(decoding[k] - first) * unit);
    }
    for (std::int64_t k = 1; k <= hidden; ++k) {
        frames.times.push_back(static_cast<double>(decoding.back() + k * step - first) * unit);
    }
    frames.end = static_cast<double>(end - first) * unit;
    qCDebug(platform::lcDevice) << path.c_str() << "lists" << frames.times.size() << "frames";
    return frames;
}

} // namespace quorix::device
