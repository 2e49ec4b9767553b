// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include "catalogue/query.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The window program's own command line, read before any display is opened,
// so that --help, --version, a query it cannot answer and a missing display
// are all answered without a window toolkit.
struct WindowCommandLine {
    enum class Action {
        OpenWindow, // open the window, with `query` when one was given
        Print,      // print `text` to standard output and end with `status`
        Refuse,     // print `text` to standard error and end with `status`
    };
    Action action = Action::OpenWindow;
    std::string text;
    int status = 0;
    std::optional<quantaro::QueryConversion> query;
    // The platform plugin named by -platform, empty when none was.
    std::string platform;
};

// The arguments without the program name. "--help", "-h" and "--version"
// win over everything; the window toolkit's own options ("-platform
// offscreen", "-style fusion", "-reverse", also with two dashes) are left to
// it; any other option is refused. The remaining arguments are one query
// ("5 in cm"), which must be answerable.
WindowCommandLine readWindowCommandLine(std::span<const char* const> arguments);

// Whether a display the window could open on is reachable: the X server that
// DISPLAY names or the Wayland compositor that WAYLAND_DISPLAY names accepts
// a connection, or the platform (-platform, else QT_QPA_PLATFORM) needs
// neither. A DISPLAY on another host counts as reachable without trying.
bool displayReachable(std::string_view platform);

// The one line for a start without a display.
inline constexpr std::string_view kNoDisplay =
    "quantaro: no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY reachable); "
    "quantaro-convert converts on the command line\n";
