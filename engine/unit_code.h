// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

#include <cstdint>

namespace quantaro {

// The integer kept beside every list row. 0 marks separator and blank rows,
// header rows carry their category's header code, unit and preset rows their
// unit code. A list without a current row yields kNoRow.
using UnitCode = std::int32_t;

inline constexpr UnitCode kNoRow = -1;

} // namespace quantaro
