// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
// Times a program's start from X events: launches the program, watches the
// X server for a window of it that is mapped and carries the expected title,
// and prints the time from launch to that moment. Once the window has had a
// moment to paint, it also reads the program's peak resident memory, then
// ends the program.
//
// Usage: start_watch [--settle MS] [--timeout MS] TITLE PROGRAM [ARGS...]
// Prints one line: "<microseconds from launch to window> <VmHWM in KiB>".
// Exit status 0 when the window came, 1 when it did not or the program ended
// first, 2 on a usage or X error.
//
// The root window reports every new top-level window (SubstructureNotify);
// each new window is then watched for its own map and title changes
// (StructureNotify, PropertyChange), so the moment is caught whether the
// program sets the title before or after mapping, with or without a window
// manager. Unlike polling the window list, nothing is waited for in steps.

#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <set>
#include <string>
#include <string_view>

extern char** environ;

namespace {

std::int64_t nowMicroseconds()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000 + ts.tv_nsec / 1000;
}

bool parseInt(std::string_view text, long& value)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && value >= 0;
}

xcb_atom_t internAtom(xcb_connection_t* c, const char* name)
{
    const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(xcb_intern_atom_reply(c, cookie, nullptr),
                                                                              &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

std::string textProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie = xcb_get_property(c, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(xcb_get_property_reply(c, cookie, nullptr),
                                                                               &std::free);
    if (!reply || reply->format != 8)
        return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(reply.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

// The KiB figure of one line of /proc/PID/status ("VmHWM:   29364 kB").
long statusKiB(pid_t pid, std::string_view field)
{
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    char buffer[8192];
    const ssize_t n = ::read(fd, buffer, sizeof buffer - 1);
    ::close(fd);
    if (n <= 0)
        return -1;
    const std::string_view status(buffer, static_cast<std::size_t>(n));
    const std::size_t at = status.find(field);
    if (at == std::string_view::npos)
        return -1;
    std::size_t pos = at + field.size();
    while (pos < status.size() && (status[pos] == ':' || status[pos] == ' ' || status[pos] == '\t'))
        ++pos;
    long value = -1;
    std::from_chars(status.data() + pos, status.data() + status.size(), value);
    return value;
}

void endChild(pid_t pid)
{
    ::kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (::waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        ::usleep(10'000);
    }
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
}

int usage()
{
    std::fputs("usage: start_watch [--settle MS] [--timeout MS] TITLE PROGRAM [ARGS...]\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    long settleMs = 300;
    long timeoutMs = 20'000;
    int arg = 1;
    for (; arg + 1 < argc; arg += 2) {
        const std::string_view option = argv[arg];
        if (option == "--settle") {
            if (!parseInt(argv[arg + 1], settleMs))
                return usage();
        } else if (option == "--timeout") {
            if (!parseInt(argv[arg + 1], timeoutMs))
                return usage();
        } else {
            break;
        }
    }
    if (argc - arg < 2)
        return usage();
    const std::string title = argv[arg];
    char** program = argv + arg + 1;

    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("start_watch: cannot connect to the X server (is DISPLAY set?)\n", stderr);
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmName = internAtom(c, "_NET_WM_NAME");

    const std::uint32_t rootMask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &rootMask);
    // A round trip: the server has taken the selection before the program starts.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    const int xfd = xcb_get_file_descriptor(c);
    ::fcntl(xfd, F_SETFD, ::fcntl(xfd, F_GETFD) | FD_CLOEXEC);

    const std::int64_t launched = nowMicroseconds();
    pid_t child = 0;
    if (const int err = posix_spawnp(&child, program[0], nullptr, nullptr, program, environ); err != 0) {
        std::fprintf(stderr, "start_watch: cannot start %s: %s\n", program[0], std::strerror(err));
        return 2;
    }

    const std::uint32_t windowMask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    std::set<xcb_window_t> mapped;
    auto hasTitle = [&](xcb_window_t window) {
        return textProperty(c, window, netWmName) == title || textProperty(c, window, XCB_ATOM_WM_NAME) == title;
    };

    std::int64_t shown = -1;
    const std::int64_t deadline = launched + timeoutMs * 1000;
    while (shown < 0) {
        xcb_generic_event_t* event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c)) {
                std::fputs("start_watch: lost the X connection\n", stderr);
                endChild(child);
                return 2;
            }
            if (::waitpid(child, nullptr, WNOHANG) == child) {
                std::fprintf(stderr, "start_watch: %s ended before its window showed\n", program[0]);
                return 1;
            }
            const std::int64_t left = deadline - nowMicroseconds();
            if (left <= 0) {
                std::fprintf(stderr, "start_watch: no window titled \"%s\" within %ld ms\n", title.c_str(), timeoutMs);
                endChild(child);
                return 1;
            }
            // Wake for events, and now and then to see whether the program is still there.
            pollfd pfd{xfd, POLLIN, 0};
            ::poll(&pfd, 1, static_cast<int>(std::min<std::int64_t>(left / 1000 + 1, 50)));
            continue;
        }
        // The moment the event arrived; the title look-ups below take round trips.
        const std::int64_t arrived = nowMicroseconds();
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            const auto* e = reinterpret_cast<const xcb_create_notify_event_t*>(event);
            xcb_change_window_attributes(c, e->window, XCB_CW_EVENT_MASK, &windowMask);
            // A window may have been mapped before the selection took effect.
            const std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
                xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, e->window), nullptr), &std::free);
            if (attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED) {
                mapped.insert(e->window);
                if (hasTitle(e->window))
                    shown = arrived;
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const auto* e = reinterpret_cast<const xcb_map_notify_event_t*>(event);
            mapped.insert(e->window);
            if (hasTitle(e->window))
                shown = arrived;
        } else if (type == XCB_UNMAP_NOTIFY) {
            mapped.erase(reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window);
        } else if (type == XCB_PROPERTY_NOTIFY) {
            const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if ((e->atom == netWmName || e->atom == XCB_ATOM_WM_NAME) && mapped.count(e->window) && hasTitle(e->window))
                shown = arrived;
        }
        std::free(event);
    }

    // Peak memory once the window has painted: the first expose follows the map.
    ::usleep(static_cast<useconds_t>(settleMs * 1000));
    const long peakKiB = statusKiB(child, "VmHWM");
    endChild(child);
    xcb_disconnect(c);

    std::printf("%lld %ld\n", static_cast<long long>(shown - launched), peakKiB);
    return peakKiB < 0 ? 1 : 0;
}
