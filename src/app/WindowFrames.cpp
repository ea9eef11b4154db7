#include "app/WindowFrames.h"

#include <QByteArray>
#include <QGuiApplication>
#include <cstdint>
#include <cstring>
#include <qpa/qplatformnativeinterface.h>
#include <wayland-client.h>

namespace quorix::app {

namespace {

constexpr const char* DecorationVariable = "QT_WAYLAND_DISABLE_WINDOWDECORATION";

// Whether the compositor on Qt's connection offers server-side decorations. Asked on an event
// queue of its own, so that none of Qt's handlers run meanwhile.
bool CompositorDrawsFrames(wl_display* display) {
    wl_event_queue* queue = wl_display_create_queue(display);
    auto* wrapper = static_cast<wl_display*>(wl_proxy_create_wrapper(display));
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(wrapper), queue);
    wl_registry* registry = wl_display_get_registry(wrapper);
    wl_proxy_wrapper_destroy(wrapper);
    bool offered = false;
    static const wl_registry_listener listener{
        [](void* data, wl_registry*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) {
                *static_cast<bool*>(data) = true;
            }
        },
        [](void*, wl_registry*, std::uint32_t) {},
    };
    wl_registry_add_listener(registry, &listener, &offered);
    const bool answered = wl_display_roundtrip_queue(display, queue) >= 0;
    wl_registry_destroy(registry);
    wl_event_queue_destroy(queue);
    return answered && offered;
}

} // namespace

void LeaveWindowFramesToCompositor() {
    if (!QGuiApplication::platformName().startsWith(QLatin1String("wayland")) ||
        qEnvironmentVariableIsSet(DecorationVariable)) {
        return;
    }
    QPlatformNativeInterface* native = QGuiApplication::platformNativeInterface();
    auto* display =
        native == nullptr
            ? nullptr
            : static_cast<wl_display*>(native->nativeResourceForIntegration("wl_display"));
    if (display != nullptr && CompositorDrawsFrames(display)) {
        qputenv(DecorationVariable, "1");
    }
}

} // namespace quorix::app
