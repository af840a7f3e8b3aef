#include "x_watch.h"

#include <poll.h>
#include <xcb/damage.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tallimo::bench {
namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

}  // namespace

XWatch::XWatch() {
    int screenNumber = 0;
    connection_ = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection_) != 0) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot reach the X server named by DISPLAY");
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
    for (int skip = 0; skip < screenNumber; ++skip) {
        xcb_screen_next(&screens);
    }
    root_ = screens.data->root;

    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0 ||
        !owned(xcb_damage_query_version_reply(
            connection_, xcb_damage_query_version(connection_, 1, 1), nullptr))) {
        xcb_disconnect(connection_);
        throw std::runtime_error("the X server has no DAMAGE extension");
    }
    damageNotify_ = static_cast<std::uint8_t>(damage->first_event + XCB_DAMAGE_NOTIFY);

    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
}

XWatch::~XWatch() {
    xcb_disconnect(connection_);
}

bool XWatch::takeEvent(Clock::time_point deadline) {
    xcb_generic_event_t* raw = xcb_poll_for_event(connection_);
    while (raw == nullptr) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd server{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&server, 1, static_cast<int>(left.count()));
        raw = xcb_poll_for_event(connection_);
    }
    const Clock::time_point readAt = Clock::now();
    const auto event = owned(raw);
    const std::uint8_t type = event->response_type & 0x7f;
    if (type == damageNotify_) {
        const auto* damage = reinterpret_cast<const xcb_damage_notify_event_t*>(event.get());
        lastDrawn_.insert_or_assign(damage->drawable, readAt);
        return true;
    }
    if (type != XCB_MAP_NOTIFY) {
        return true;
    }
    const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
    if (map->override_redirect != 0) {
        return true;
    }
    if (const std::optional<pid_t> owner = ownerOf(map->window)) {
        if (mapped_.try_emplace(*owner, Mapped{map->window, readAt}).second) {
            // The client draws only once it has seen the window exposed, after this request.
            xcb_damage_create(connection_, xcb_generate_id(connection_), map->window,
                              XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(connection_);
        }
    }
    return true;
}

std::optional<XWatch::Mapped> XWatch::waitForMap(pid_t pid, Clock::time_point deadline) {
    while (!mapped_.contains(pid)) {
        if (!takeEvent(deadline)) {
            return std::nullopt;
        }
    }
    return mapped_.extract(pid).mapped();
}

std::optional<Clock::time_point> XWatch::waitUntilStill(xcb_window_t window, Clock::duration quiet,
                                                        Clock::time_point deadline) {
    for (;;) {
        const auto drawn = lastDrawn_.find(window);
        const Clock::time_point stillAt =
            drawn == lastDrawn_.end() ? deadline : std::min(deadline, drawn->second + quiet);
        if (takeEvent(stillAt)) {
            continue;
        }
        if (stillAt == deadline) {
            return std::nullopt;
        }
        return lastDrawn_.extract(window).mapped();
    }
}

std::optional<pid_t> XWatch::ownerOf(xcb_window_t window) {
    const auto reply = owned(xcb_get_property_reply(
        connection_,
        xcb_get_property(connection_, 0, window, atom("_NET_WM_PID"), XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (!reply || xcb_get_property_value_length(reply.get()) != 4) {
        return std::nullopt;
    }
    std::uint32_t pid = 0;
    std::memcpy(&pid, xcb_get_property_value(reply.get()), sizeof pid);
    return static_cast<pid_t>(pid);
}

xcb_atom_t XWatch::atom(const char* name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr));
    if (!reply) {
        throw std::runtime_error(std::string("no atom ") + name);
    }
    return reply->atom;
}

void XWatch::close(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

std::uint64_t XWatch::digest(xcb_window_t window, int x, int y, int width, int height) {
    const auto image = owned(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, static_cast<std::int16_t>(x),
                      static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                      static_cast<std::uint16_t>(height), ~0u),
        nullptr));
    if (!image) {
        throw std::runtime_error("cannot read the window's pixels");
    }
    // FNV-1a: any change of a pixel changes the digest, which is all that is asked of it.
    std::uint64_t hash = 14695981039346656037ull;
    const std::string_view bytes(reinterpret_cast<const char*>(xcb_get_image_data(image.get())),
                                 static_cast<std::size_t>(xcb_get_image_data_length(image.get())));
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ull;
    }
    return hash;
}

}  // namespace tallimo::bench
