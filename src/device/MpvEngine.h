#pragma once

#include "device/MpvCore.h"
#include "device/PictureHold.h"
#include "device/PlaybackEngine.h"

#include <memory>
#include <vector>

namespace quorix::device {

// Loads clips into libmpv cores. A closed clip's core is kept and reused by the next open, so
// memory stays flat however many clips are played; several clips open at once take a core each.
class MpvEngine final : public PlaybackEngine {
public:
    explicit MpvEngine(MpvSettings settings);
    ~MpvEngine() override;

    Loaded load(const std::string& hostPath) override;
    // Makes a core ready for the next open, so that the first clip does not wait for libmpv and
    // its video output to start. A core that cannot be made is left to that open to report.
    void prepare();

private:
    std::unique_ptr<MpvCore> takeCore();
    void giveBack(std::unique_ptr<MpvCore> core);

    // The picture held between clips, made when first asked for.
    PictureHold* pictureHold();
    // A clip did not load: gives back its core (if it had one) and gives up the held picture.
    void failed(std::unique_ptr<MpvCore> core, PictureHold* hold);

    MpvSettings settings_;
    std::unique_ptr<PictureHold> hold_;
    std::vector<std::unique_ptr<MpvCore>> idle_;
};

} // namespace quorix::device
