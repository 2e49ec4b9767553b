// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

// How the window shows results for one run, when the command line says.
enum class RunForm {
    Saved,    // as the saved result form says
    Shortest, // Shortest Result on for this run
    Exact,    // Exact Result on for this run
    Mixed,    // Mixed Result on for this run
};

// What the window opens on instead of the saved values; each part that is
// not given leaves the saved one.
struct WindowOpening {
    int fromIndex = -1; // a list row, -1: the saved one
    int toIndex = -1;
    std::optional<std::string> input; // the text for "Convert:"
    RunForm form = RunForm::Saved;

    friend bool operator==(const WindowOpening&, const WindowOpening&) = default;
};

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
    WindowOpening opening;
    // The platform plugin named by -platform, empty when none was.
    std::string platform;
};

// The arguments without the program name. The window toolkit's own options
// ("-platform offscreen", "-style fusion", "-reverse", also with two dashes)
// are left to it; the others are read by the options table that
// quantaro-convert reads too: "--help", "-h" and "--version" win over
// everything, --from and --to take a list index or a unit's name, --exact,
// --shortest and --mixed the form for this run; any other option is refused. With
// --from or --to, the one remaining argument is the text for "Convert:";
// without, the remaining arguments are one query ("5 in cm"), which must be
// answerable.
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
