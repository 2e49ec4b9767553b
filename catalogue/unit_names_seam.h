// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright Velkor
#pragma once

// Where the query reader finds the unit-name reader of --from and --to: one
// place to point at when that reader moves beside the catalogue.

#include "cli/units_arg.h"

namespace quantaro::seam {

using cli::headerOf;
using cli::lookUpUnit;
using cli::NameFit;
using cli::nameFit;
using cli::UnitLookup;

} // namespace quantaro::seam
