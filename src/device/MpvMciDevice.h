#pragma once

#include "device/MpvEngine.h"
#include "device/VideoMciDevice.h"
#include "platform/MciDevice.h"
#include "platform/PathResolver.h"

namespace quorix::device {

// The MPEG video device on libmpv: what the program sends through its channel on Linux.
//
// Needs a QApplication on the calling thread, made after setting
// Qt::AA_DontCreateNativeWidgetSiblings when pictures go into native windows. Window handles
// in "window ... handle N" are native window ids of this program's widgets (QWidget::winId()).
// Every call comes from the window thread; open waits for the file to load (at most
// settings.loadTimeout) and the answers to status come from the device's own state at once.
class MpvMciDevice final : public platform::MciDevice {
public:
    MpvMciDevice(const MpvSettings& settings, const platform::PathResolver& paths);

    std::optional<platform::MciReply> send(std::string_view command) override;
    bool anyPlaying() { return device_.anyPlaying(); }
    // Starts libmpv ahead of the first open; best called once the program's window is up.
    void prepare() { engine_.prepare(); }

private:
    MpvEngine engine_;
    VideoMciDevice device_;
};

} // namespace quorix::device
