// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/platform.h"

#include <QGuiApplication>

namespace quantaro {

bool runsOnWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace quantaro
