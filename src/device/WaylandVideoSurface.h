#pragma once

#include "device/SoftwareVideoSurface.h"

#include <QRect>
#include <memory>

namespace quorix::device {

class WaylandVideoLayer;

// The software surface of a Wayland window: libmpv renders into buffers shared with the
// compositor, which are shown on a subsurface of the window (WaylandVideoLayer) where nothing of
// the window lies over the picture; elsewhere, and where the compositor offers no subsurfaces,
// the picture is painted through Qt as SoftwareVideoSurface paints it.
//
// Why a layer of its own: a picture painted through Qt costs a repaint of the window per frame,
// and Qt's shared-memory back end makes that three passes over the whole window (the back buffer
// refilled from the front one, cleared, painted). Measured against mpv's own output under cage,
// same load, runs interleaved: painted through Qt 1.5-1.6x mpv's CPU; with the paint event left
// empty, the least that rendering straight into Qt's back buffer could cost, still 1.4-1.5x;
// rendered into buffers that the compositor reads itself, on a subsurface over the window, 1.1x.
// The layer shows the picture where nothing of the window lies over it and its visible part is
// one rectangle (the window's clipping is then a crop of the buffer, no copy); while the position
// panel, a button or the logo overlaps it, the picture is painted through Qt again, under them.
// Figures in bench/README.md ("On Wayland").
class WaylandVideoSurface final : public SoftwareVideoSurface {
public:
    explicit WaylandVideoSurface(QWidget* parent = nullptr);
    ~WaylandVideoSurface() override;

protected:
    QImage pictureFor(QSize size, int& buffer) override;
    void dropBuffer(int buffer) override;
    // Shows the picture on the layer where it can, otherwise through Qt.
    void present() override;
    void pictureGone() override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Asks for present() once, after the events being handled.
    void presentSoon();
    // Where the layer can show the picture: the part of this widget that the window shows (in
    // the window's coordinates), when nothing lies over it. False otherwise.
    bool openArea(QRect& area) const;

    // Opened with the first picture; null where the compositor cannot take one (mutex_ guards
    // the pointer, which the render thread reads).
    std::unique_ptr<WaylandVideoLayer> layer_;
    bool layerOpened_ = false;
    bool presentPending_ = false;
};

} // namespace quorix::device
