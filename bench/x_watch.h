#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <optional>

namespace tallimo::bench {

using Clock = std::chrono::steady_clock;

// A client of the X server that sees top-level windows being mapped and drawn into, and can ask one
// to close as a window manager's close button does. Times are those at which the server's notices
// were read.
class XWatch {
  public:
    XWatch();
    ~XWatch();
    XWatch(const XWatch&) = delete;
    XWatch& operator=(const XWatch&) = delete;

    struct Mapped {
        xcb_window_t window;
        Clock::time_point at;
    };

    // The first top-level window that the process maps, or nothing if none is mapped by the
    // deadline.
    std::optional<Mapped> waitForMap(pid_t pid, Clock::time_point deadline);

    // When a window that waitForMap returned was last drawn into before it stayed unchanged for
    // the quiet span; nothing if it was never drawn into or never stayed still by the deadline.
    std::optional<Clock::time_point> waitUntilStill(xcb_window_t window, Clock::duration quiet,
                                                    Clock::time_point deadline);

    // Sends WM_DELETE_WINDOW.
    void close(xcb_window_t window);

    // A digest of the window's pixels in a rectangle of its client area, to tell whether it
    // changed.
    std::uint64_t digest(xcb_window_t window, int x, int y, int width, int height);

  private:
    // Takes the next notice from the server; false if none came by the deadline.
    bool takeEvent(Clock::time_point deadline);
    std::optional<pid_t> ownerOf(xcb_window_t window);
    xcb_atom_t atom(const char* name);

    xcb_connection_t* connection_;
    xcb_window_t root_;
    std::uint8_t damageNotify_;
    std::map<pid_t, Mapped> mapped_;
    std::map<xcb_window_t, Clock::time_point> lastDrawn_;
};

}  // namespace tallimo::bench
