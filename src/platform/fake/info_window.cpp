#include "platform/info_window.h"

#include "platform/fake/fake_controls.h"
#include "platform/fake/fake_icons.h"
#include "platform/fake/fake_info_window.h"

namespace fake {

InfoWindowState& infoWindow() {
    static InfoWindowState state;
    return state;
}

void resetInfoWindow() { infoWindow() = InfoWindowState{}; }

} // namespace fake

namespace platform {

namespace {
constexpr WindowHandle FakeInfoWindow = 0x1F0;
}

WindowHandle openInfoWindow(WindowHandle owner, const InfoWindowContent& content) {
    auto& w = fake::infoWindow();
    if (w.openFails) return 0;
    ++w.opened;
    w.owner = owner;
    w.content = content;
    return FakeInfoWindow;
}

void drainInfoWindowEvents() { ++fake::infoWindow().drains; }

InfoEvent waitInfoWindowEvent(WindowHandle) {
    auto& w = fake::infoWindow();
    ++w.waits;
    if (w.events.empty()) return {InfoEventKind::CloseRequest, 0};
    InfoEvent event = w.events.front();
    w.events.pop_front();
    return event;
}

void closeInfoWindow(WindowHandle) {
    auto& w = fake::infoWindow();
    ++w.closed;
    const fake::FontRecord* font = fake::font(w.content.font);
    w.fontAtClose = font && !font->destroyed ? font->handle : 0;
    w.iconAtClose = fake::iconSource(w.content.icon);
}

} // namespace platform
