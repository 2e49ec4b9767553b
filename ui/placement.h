// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quantaro {

// Whether this platform lets a window move itself and report where it is.
// Wayland does neither: the compositor places every window, and the position
// Qt reports there is not where the window is on the screen. Where this is
// false the converter neither goes to its remembered place nor records one,
// so the place left in an X11 session stays stored for the next.
bool canPlaceWindows();

// Where a window of this size, wanted at this top-left corner, can open so
// that the user can reach it: where it is wanted while it overlaps any of the
// screens' available areas; otherwise on the nearest area, inside it as far
// as its size allows. A remembered position from a screen that is no longer
// attached would otherwise open the window where nobody can see it.
QPoint reachablePosition(QPoint wanted, QSize size, const QList<QRect>& areas);

// Where a picture of this size goes on a screen with this rectangle: centred,
// and at the screen's top-left corner along a side where it is larger.
QPoint centredPosition(QSize picture, const QRect& screen);

} // namespace quantaro
