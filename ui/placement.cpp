// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#include "ui/placement.h"

#include "ui/platform.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quantaro {

namespace {

// One axis in 64 bits, so that a remembered position near the ends of the int
// range cannot overflow when the size is added.
struct Span {
    std::int64_t begin;
    std::int64_t end; // one past the last pixel
};

std::int64_t gap(Span window, Span area)
{
    if (window.end <= area.begin)
        return area.begin - window.end + 1;
    if (area.end <= window.begin)
        return window.begin - area.end + 1;
    return 0;
}

int clampInto(Span window, Span area)
{
    const std::int64_t length = window.end - window.begin;
    const std::int64_t last = std::max(area.begin, area.end - length);
    return static_cast<int>(std::clamp(window.begin, area.begin, last));
}

} // namespace

bool canPlaceWindows()
{
    return !runsOnWayland();
}

QPoint reachablePosition(QPoint wanted, QSize size, const QList<QRect>& areas)
{
    const std::int64_t width = std::max(size.width(), 1);
    const std::int64_t height = std::max(size.height(), 1);
    const Span x{wanted.x(), wanted.x() + width};
    const Span y{wanted.y(), wanted.y() + height};

    const QRect* nearest = nullptr;
    double nearestDistance = std::numeric_limits<double>::infinity();
    for (const QRect& area : areas) {
        if (area.isEmpty())
            continue;
        const std::int64_t dx = gap(x, {area.left(), std::int64_t{area.right()} + 1});
        const std::int64_t dy = gap(y, {area.top(), std::int64_t{area.bottom()} + 1});
        if (dx == 0 && dy == 0)
            return wanted;
        const double distance = static_cast<double>(dx) * static_cast<double>(dx)
            + static_cast<double>(dy) * static_cast<double>(dy);
        if (distance < nearestDistance) {
            nearestDistance = distance;
            nearest = &area;
        }
    }
    if (!nearest)
        return wanted;
    return {clampInto(x, {nearest->left(), std::int64_t{nearest->right()} + 1}),
            clampInto(y, {nearest->top(), std::int64_t{nearest->bottom()} + 1})};
}

QPoint centredPosition(QSize picture, const QRect& screen)
{
    const int x = picture.width() > screen.width() ? 0 : (screen.width() - picture.width()) / 2;
    const int y = picture.height() > screen.height() ? 0 : (screen.height() - picture.height()) / 2;
    return screen.topLeft() + QPoint(x, y);
}

} // namespace quantaro
