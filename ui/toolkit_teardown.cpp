// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/toolkit_teardown.h"

#include <QGuiApplication>

namespace quantaro {

bool teardownCanHang()
{
    // "wayland", "wayland-egl" and the other Wayland plugins.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace quantaro
