// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

namespace quantaro {

// Whether the program runs as a Wayland client, on any of Qt's Wayland
// plugins ("wayland", "wayland-egl", ...).
bool runsOnWayland();

// Whether destroying the application object can hang for good here, so that
// a program whose work is written should end without it.
//
// Qt's Wayland client (6.4, as Debian 12 ships it) reads the display on two
// threads of its own and stops them one after the other when the
// application object goes. The first can stop with a read of the display
// prepared for it but neither done nor cancelled; the second then waits in
// wl_display_read_events() for that read, and the application object's
// destructor waits for the second thread, forever. It happens when the first
// thread is kept off the processor at that moment: one exit in a few hundred
// on a busy machine. X11 and offscreen end cleanly.
inline bool teardownCanHang()
{
    return runsOnWayland();
}

} // namespace quantaro
